#include "platform/ui/dateidialog.h"

#include "platform/ui/qtext.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QStringList>

#include <atomic>

namespace {

QtDateiDialogDienst& standardDienst()
{
    static QtDateiDialogDienst dienst;
    return dienst;
}

std::atomic<DateiDialogDienst*> g_dienst{nullptr};

std::vector<std::string> teile(const std::string& text, char trenner)
{
    std::vector<std::string> teile;
    std::string stueck;
    for (char c : text) {
        if (c == trenner) {
            teile.push_back(stueck);
            stueck.clear();
        } else {
            stueck += c;
        }
    }
    if (!stueck.empty())
        teile.push_back(stueck);
    return teile;
}

bool endetMit(const std::string& text, const std::string& ende)
{
    return text.size() >= ende.size() && text.compare(text.size() - ende.size(), ende.size(), ende) == 0;
}

std::optional<std::string> zeigeDialog(QWidget* parent, const DateiAuswahl& auswahl, bool speichern)
{
    if (!parent)
        parent = QApplication::activeWindow();
    QPointer<QFileDialog> dialog = new QFileDialog(parent, qs(auswahl.titel));
    dialog->setAcceptMode(speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QString filter = qtDateiFilter(auswahl.filter);
    if (!filter.isEmpty())
        dialog->setNameFilters(filter.split(QStringLiteral(";;")));
    if (!auswahl.standardEndung.empty())
        dialog->setDefaultSuffix(qs(auswahl.standardEndung));
    if (!auswahl.startPfad.empty()) {
        const QFileInfo start(qs(auswahl.startPfad));
        if (start.isDir()) {
            dialog->setDirectory(start.absoluteFilePath());
        } else {
            dialog->setDirectory(start.absolutePath());
            dialog->selectFile(start.fileName());
        }
    }

    const bool angenommen = dialog->exec() == QDialog::Accepted;
    if (!dialog) // destroyed with its parent while it ran
        return std::nullopt;
    const QStringList gewaehlt = dialog->selectedFiles();
    delete dialog;
    if (!angenommen || gewaehlt.isEmpty() || gewaehlt.front().isEmpty())
        return std::nullopt;
    std::string pfad = ss(gewaehlt.front());
    if (speichern)
        pfad = mitStandardEndung(pfad, auswahl.standardEndung);
    return pfad;
}

} // namespace

QString qtDateiFilter(const std::string& windowsFilter)
{
    const std::vector<std::string> stuecke = teile(windowsFilter, '|');
    QStringList filter;
    for (std::size_t i = 0; i < stuecke.size(); i += 2) {
        const std::string& beschreibung = stuecke[i];
        const std::string roh = i + 1 < stuecke.size() ? stuecke[i + 1] : std::string("*");
        std::string muster = roh;
        for (char& c : muster)
            if (c == ';')
                c = ' ';
        if (beschreibung.empty() && muster.empty())
            continue;
        if (muster.empty())
            muster = "*";
        if (endetMit(beschreibung, "(" + muster + ")"))
            filter << qs(beschreibung);
        else if (endetMit(beschreibung, "(" + roh + ")")) // patterns in the text joined by ';'
            filter << qs(beschreibung.substr(0, beschreibung.size() - roh.size() - 2) + "(" + muster + ")");
        else if (beschreibung.empty())
            filter << qs("(" + muster + ")");
        else
            filter << qs(beschreibung + " (" + muster + ")");
    }
    return filter.join(QStringLiteral(";;"));
}

std::string mitStandardEndung(const std::string& pfad, const std::string& endung)
{
    if (endung.empty())
        return pfad;
    const std::size_t schraeg = pfad.find_last_of('/');
    const std::string name = schraeg == std::string::npos ? pfad : pfad.substr(schraeg + 1);
    if (name.empty())
        return pfad;
    const std::size_t punkt = name.find_last_of('.');
    if (punkt != std::string::npos && punkt > 0)
        return pfad;
    return pfad + "." + endung;
}

DateiDialogDienst& dateiDialogDienst()
{
    DateiDialogDienst* dienst = g_dienst.load();
    return dienst ? *dienst : standardDienst();
}

DateiDialogDienst* setzeDateiDialogDienst(DateiDialogDienst* dienst)
{
    DateiDialogDienst* vorher = g_dienst.exchange(dienst);
    return vorher ? vorher : &standardDienst();
}

std::optional<std::string> dateiOeffnen(const DateiAuswahl& auswahl, QWidget* parent)
{
    return dateiDialogDienst().oeffnen(parent, auswahl);
}

std::optional<std::string> dateiSpeichern(const DateiAuswahl& auswahl, QWidget* parent)
{
    return dateiDialogDienst().speichern(parent, auswahl);
}

std::optional<std::string> QtDateiDialogDienst::oeffnen(QWidget* parent, const DateiAuswahl& auswahl)
{
    return zeigeDialog(parent, auswahl, false);
}

std::optional<std::string> QtDateiDialogDienst::speichern(QWidget* parent, const DateiAuswahl& auswahl)
{
    return zeigeDialog(parent, auswahl, true);
}

std::optional<std::string> AufzeichnenderDateiDialog::naechste(Art art, const DateiAuswahl& auswahl)
{
    k_anfragen.push_back({art, auswahl});
    if (k_antworten.empty())
        return std::nullopt;
    std::optional<std::string> antwort = std::move(k_antworten.front());
    k_antworten.pop_front();
    return antwort;
}

std::optional<std::string> AufzeichnenderDateiDialog::oeffnen(QWidget*, const DateiAuswahl& auswahl)
{
    return naechste(Art::Oeffnen, auswahl);
}

std::optional<std::string> AufzeichnenderDateiDialog::speichern(QWidget*, const DateiAuswahl& auswahl)
{
    return naechste(Art::Speichern, auswahl);
}
