#pragma once
// Conversion between the program's UTF-8 std::string and Qt's QString.

#include <QString>
#include <string>

inline QString qs(const std::string& text) { return QString::fromStdString(text); }
inline QString qs(const char* text) { return QString::fromUtf8(text ? text : ""); }
inline std::string ss(const QString& text) { return text.toStdString(); }
