#include "plugins/vendralimo/einstieg.h"

#include "plugins/vendralimo/altdatenimport.h"
#include "platform/ui/titelbreite.h"

#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <new>

namespace vendralimo {

const char* const NAME = "Importieren einer alten Schulverwaltungsdatei (.ssv)";
const char* const FRAGE_TITEL = "Daten aus Vorgängerversion importieren";
const char* const FRAGE_TEXT =
    "Diese Erweiterung importiert die Daten aus einer älteren\n"
    "Version der Schulverwaltung (bis einschließlich Version 1.1a).\n"
    "Wurden die Daten einmal importiert, muss dieser Vorgang\n"
    "nicht erneut durchgeführt werden.\n"
    "Die alten Daten (d.h. die Datei mit der Endung ssv) bleiben\n"
    "dabei unverändert.\n"
    "\n"
    "Bei diesem Vorgang gehen alle aktuellen Daten verloren.\n"
    "Möchten Sie dennoch die Daten importieren?";
const char* const FEHLER_TITEL = "Fehler";
const char* const FEHLER_TEXT =
    "Der Jahrgang konnte nicht wiederhergestellt\n"
    "werden! Entweder ist die Datei beschädigt\n"
    "oder es handelt sich um keinen\n"
    "gespeicherten Jahrgang.";

namespace {

// OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT
constexpr unsigned kDialogFlags = 0x1006;
constexpr unsigned kOfnFileMustExist = 0x1000;

// "Beschreibung|Muster|..." as Qt name filters; a description that names its pattern in
// parentheses already is taken as it stands.
QStringList qtFilter(const std::string& filter) {
    const QStringList teile = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filterliste;
    for (int i = 0; i + 1 < teile.size(); i += 2) {
        const QString& beschreibung = teile[i];
        const QString muster = teile[i + 1].isEmpty() ? QStringLiteral("*") : teile[i + 1];
        filterliste << (beschreibung.contains(QLatin1Char('('))
                            ? beschreibung
                            : beschreibung + QStringLiteral(" (") + QString(muster).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                                  QLatin1Char(')'));
    }
    return filterliste;
}

int fuehreMeldungAus(QWidget* besitzer, const std::string& text, const std::string& titel, unsigned stil) {
    auto box = baueMeldung(besitzer, text, titel, stil);
    const int knopf = box->exec();
    if ((stil & 0xF) == MB_YESNO) return knopf == QMessageBox::Yes ? IDYES : IDNO;
    return IDOK;
}

std::optional<std::string> fuehreDateiwahlAus(QWidget* eltern, const DateiDialogDaten& daten) {
    auto dialog = baueDateiDialog(eltern, daten);
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    const QStringList dateien = dialog->selectedFiles();
    if (dateien.isEmpty()) return std::nullopt;
    return QFile::encodeName(dateien.front()).toStdString();
}

}  // namespace

DateiDialogDaten importDialogDaten() {
    DateiDialogDaten d;
    d.flags = kDialogFlags;
    d.filter = "Jahrgangs Dateien aus Version 1.1a (*.ssv)|*.ssv|";
    d.standardEndung = "ssv";
    return d;
}

Dialoge echteDialoge() { return Dialoge{fuehreMeldungAus, fuehreDateiwahlAus}; }

std::unique_ptr<QMessageBox> baueMeldung(QWidget* besitzer, const std::string& text, const std::string& titel,
                                         unsigned stil) {
    const bool frage = (stil & 0xF) == MB_YESNO;
    const unsigned symbol = stil & 0xF0;
    const QMessageBox::Icon icon = symbol == MB_ICONQUESTION      ? QMessageBox::Question
                                   : symbol == MB_ICONEXCLAMATION ? QMessageBox::Warning
                                                                  : QMessageBox::NoIcon;
    auto box = std::make_unique<QMessageBox>(icon, QString::fromStdString(titel), QString::fromStdString(text),
                                             frage ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, besitzer);
    box->setTextFormat(Qt::PlainText);
    // The text brings its own line breaks: make room for its widest line, so that the box does
    // not wrap a line in two.
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const QFontMetrics fm(label->font());
        int breite = 0;
        for (const QString& zeile : box->text().split(QLatin1Char('\n')))
            breite = std::max(breite, fm.horizontalAdvance(zeile));
        label->setMinimumWidth(breite + fm.averageCharWidth());
    }
    box->setDefaultButton(frage ? QMessageBox::Yes : QMessageBox::Ok);
    if (frage) box->setEscapeButton(QMessageBox::No);
    gibTitelPlatz(box.get());
    return box;
}

std::unique_ptr<QFileDialog> baueDateiDialog(QWidget* eltern, const DateiDialogDaten& daten) {
    auto dialog = std::make_unique<QFileDialog>(eltern);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(daten.flags & kOfnFileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setNameFilters(qtFilter(daten.filter));
    dialog->setDefaultSuffix(QString::fromStdString(daten.standardEndung));
    if (!daten.anfangsordner.empty()) dialog->setDirectory(QString::fromStdString(daten.anfangsordner));
    return dialog;
}

void starteImport(QWidget* fenster, const Dialoge& dialoge) {
    if (dialoge.meldung(fenster, FRAGE_TEXT, FRAGE_TITEL, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    const std::optional<std::string> datei = dialoge.dateiwahl(fenster, importDialogDaten());
    if (!datei) return;
    bool ok = false;
    try {
        c_Altdatenimport import;
        import.setDateiname(*datei);
        ok = import.importDatei();
    } catch (const std::bad_alloc&) {
        ok = false;  // a file too large for the memory: nothing was written
    }
    if (!ok) dialoge.meldung(fenster, FEHLER_TEXT, FEHLER_TITEL, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace vendralimo
