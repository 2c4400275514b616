// Keeps every edit to the characters the data file can store (Windows-1252):
// a character outside it, typed or pasted, is refused at the edit and a
// German message says which characters were refused, so nothing the user
// typed turns into "?" at the next save. A CR or LF becomes a space as it
// enters, so that the one line the edit shows is the value that is stored.
#pragma once

#include <QValidator>

class QLineEdit;

class TZeichensatzPruefer : public QValidator {
    Q_OBJECT
public:
    explicit TZeichensatzPruefer(QLineEdit* edit);
    State validate(QString& eingabe, int& pos) const override;

    // The characters of `text` that Windows-1252 cannot hold, each once, in order.
    static QString fremdeZeichen(const QString& text);

private:
    QLineEdit* k_edit;
};

// Installs the check on `edit` (any edit of any dialog).
void schuetzeEdit(QLineEdit* edit);
