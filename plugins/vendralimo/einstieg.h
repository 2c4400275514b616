// The import flow behind the plug-in's start function: the question, the choice of the old
// year file, the conversion and the failure message. The two dialogs are hooks, so that the
// flow can run with scripted answers; the defaults show a QMessageBox and a QFileDialog.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QFileDialog;
class QMessageBox;
class QWidget;

namespace vendralimo {

// Styles and results of the message boxes, with the Windows values.
constexpr unsigned MB_OK = 0;
constexpr unsigned MB_YESNO = 4;
constexpr unsigned MB_ICONQUESTION = 32;
constexpr unsigned MB_ICONEXCLAMATION = 48;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

extern const char* const NAME;
extern const char* const FRAGE_TITEL;
extern const char* const FRAGE_TEXT;
extern const char* const FEHLER_TITEL;
extern const char* const FEHLER_TEXT;

// What the file-open dialog is prepared with.
struct DateiDialogDaten {
    unsigned flags = 0;           // OFN_ flags
    std::string filter;           // "Beschreibung|Muster|" pairs
    std::string anfangsordner;    // empty: the current folder
    std::string standardEndung;   // appended to a name typed without one
};

// The dialog data of the import: flags 0x1006, the .ssv filter, no folder, extension "ssv".
DateiDialogDaten importDialogDaten();

struct Dialoge {
    // A modal message box: text, caption, style; returns IDYES, IDNO or IDOK.
    std::function<int(QWidget* besitzer, const std::string& text, const std::string& titel, unsigned stil)> meldung;
    // The modal file-open dialog; the chosen path, or nothing when it was not closed with OK.
    std::function<std::optional<std::string>(QWidget* eltern, const DateiDialogDaten& daten)> dateiwahl;
};

// The real dialogs.
Dialoge echteDialoge();

// The boxes and the dialog that echteDialoge runs, built without running them.
std::unique_ptr<QMessageBox> baueMeldung(QWidget* besitzer, const std::string& text, const std::string& titel,
                                         unsigned stil);
std::unique_ptr<QFileDialog> baueDateiDialog(QWidget* eltern, const DateiDialogDaten& daten);

// Asks, lets the user choose an old year file and converts it into aktuell.sdb of the working
// folder; shows the failure message when that did not work.
void starteImport(QWidget* fenster, const Dialoge& dialoge);

}  // namespace vendralimo
