#include "platform/ui/druckdienst.h"

#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <algorithm>
#include <atomic>
#include <utility>

namespace {

QtDruckDienst& standardDienst()
{
    static QtDruckDienst dienst;
    return dienst;
}

std::atomic<DruckDienst*> g_dienst{nullptr};

QWidget* elternteil(QWidget* parent) { return parent ? parent : QApplication::activeWindow(); }

// Runs a dialog built on the heap, which may go with its parent while it runs.
template <class D>
int fuehreAus(D* dialog)
{
    QPointer<D> waechter(dialog);
    const int ergebnis = dialog->exec();
    delete waechter.data();
    return ergebnis;
}

// The next scripted answer, or `sonst` when the script has run out.
template <class T>
T naechste(std::deque<T>& antworten, T sonst)
{
    if (antworten.empty())
        return sonst;
    T antwort = std::move(antworten.front());
    antworten.pop_front();
    return antwort;
}

} // namespace

bool QtDruckDienst::druckDialog(QWidget* parent, QPrinter* drucker)
{
    return fuehreAus(new QPrintDialog(drucker, elternteil(parent))) == QDialog::Accepted;
}

bool QtDruckDienst::seiteEinrichten(QWidget* parent, QPrinter* drucker)
{
    auto* dialog = new QPageSetupDialog(drucker, elternteil(parent));
    dialog->setWindowTitle(QStringLiteral("Drucker einrichten"));
    return fuehreAus(dialog) == QDialog::Accepted;
}

void QtDruckDienst::seitenansicht(QWidget* parent, QPrinter* drucker, const QString& titel, const Seitenmaler& maler)
{
    auto* dialog = new QPrintPreviewDialog(drucker, elternteil(parent));
    dialog->setWindowTitle(titel);
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog, [maler](QPrinter* p) { maler(p); });
    fuehreAus(dialog);
}

std::optional<QFont> QtDruckDienst::schriftWaehlen(QWidget* parent, const QFont& start)
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, start, elternteil(parent), QStringLiteral("Schriftart"));
    if (!ok)
        return std::nullopt;
    return f;
}

DruckDienst& druckDienst()
{
    DruckDienst* dienst = g_dienst.load();
    return dienst ? *dienst : standardDienst();
}

DruckDienst* setzeDruckDienst(DruckDienst* dienst)
{
    DruckDienst* vorher = g_dienst.exchange(dienst);
    return vorher ? vorher : &standardDienst();
}

std::string druckFehlerText(bool abgebrochen)
{
    if (abgebrochen)
        return "Druckvorgang abgebrochen";
    return "Beim Drucken ist ein Fehler aufgetreten.\n"
           "Der Drucker oder die Ausgabedatei konnte nicht geöffnet oder beschrieben werden.";
}

std::string dateiFehlerText(const std::string& datei, Druckdateirest rest)
{
    std::string text = "Der Ausdruck konnte nicht vollständig in die Datei\n" + datei +
                       "\ngeschrieben werden.\nVielleicht ist der Datenträger voll.";
    switch (rest) {
    case Druckdateirest::Keiner: break;
    case Druckdateirest::Geloescht: text += "\nDie unvollständige Datei wurde gelöscht."; break;
    case Druckdateirest::Geblieben: text += "\nDie unvollständige Datei konnte nicht gelöscht werden."; break;
    }
    return text;
}

namespace {

bool ausgabedateiVollstaendig(const QString& datei, bool pdf)
{
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly) || f.size() <= 0)
        return false;
    if (!pdf)
        return true;
    // A PDF file ends with its trailer, "%%EOF" and at most a line end.
    const qint64 schwanz = std::min<qint64>(f.size(), 64);
    if (!f.seek(f.size() - schwanz))
        return false;
    return f.read(schwanz).trimmed().endsWith("%%EOF");
}

} // namespace

bool drucke(QWidget* parent, QPrinter* drucker, const Seitenmaler& maler)
{
    if (!drucker || !druckDienst().druckDialog(parent, drucker))
        return false;
    maler(drucker);
    const QPrinter::PrinterState zustand = drucker->printerState();
    if (zustand == QPrinter::Error || zustand == QPrinter::Aborted) {
        meldung(druckFehlerText(zustand == QPrinter::Aborted), "Fehler", MB_OK | MB_ICONEXCLAMATION, parent);
        return false;
    }
    // Printed into a file: the printer says nothing of writes that failed (a full disk leaves an
    // empty or cut-off file behind), so the file itself is looked at. Only an ordinary file is
    // judged and removed, never a device or pipe the user chose.
    const QString datei = drucker->outputFileName();
    if (datei.isEmpty())
        return true;
    const QFileInfo info(datei);
    if (info.exists() && !info.isFile())
        return true;
    if (ausgabedateiVollstaendig(datei, drucker->outputFormat() == QPrinter::PdfFormat))
        return true;
    const Druckdateirest rest = !info.exists()          ? Druckdateirest::Keiner
                                : QFile::remove(datei) ? Druckdateirest::Geloescht
                                                       : Druckdateirest::Geblieben;
    meldung(dateiFehlerText(ss(datei), rest), "Fehler", MB_OK | MB_ICONEXCLAMATION, parent);
    return false;
}

// ---------------------------------------------------------------- test double

std::size_t AufzeichnenderDruckDienst::anzahl(Art art) const
{
    return static_cast<std::size_t>(std::count(k_aufrufe.begin(), k_aufrufe.end(), art));
}

bool AufzeichnenderDruckDienst::druckDialog(QWidget*, QPrinter* drucker)
{
    k_aufrufe.push_back(Art::Drucken);
    k_druckDokument = drucker->docName();
    const bool ja = naechste(k_drucken, true);
    if (ja && !k_pdf.isEmpty()) {
        drucker->setOutputFormat(QPrinter::PdfFormat);
        drucker->setOutputFileName(k_pdf);
    }
    return ja;
}

bool AufzeichnenderDruckDienst::seiteEinrichten(QWidget*, QPrinter*)
{
    k_aufrufe.push_back(Art::Einrichten);
    return naechste(k_einrichten, true);
}

void AufzeichnenderDruckDienst::seitenansicht(QWidget* parent, QPrinter* drucker, const QString& titel,
                                              const Seitenmaler& maler)
{
    k_aufrufe.push_back(Art::Seitenansicht);
    k_ansichtTitel = titel;
    k_ansichtDokument = drucker->docName();
    // The widget the preview dialog shows, built and filled but never run.
    QPrintPreviewWidget ansicht(drucker, parent);
    ansicht.setWindowFlags(Qt::Window);
    ansicht.setWindowTitle(titel);
    QObject::connect(&ansicht, &QPrintPreviewWidget::paintRequested, &ansicht, [maler](QPrinter* p) { maler(p); });
    ansicht.resize(600, 800);
    ansicht.show();
    ansicht.updatePreview();
    k_ansichtSeiten = ansicht.pageCount();
    if (k_beiAnsicht)
        k_beiAnsicht(&ansicht);
}

std::optional<QFont> AufzeichnenderDruckDienst::schriftWaehlen(QWidget*, const QFont& start)
{
    k_aufrufe.push_back(Art::Schrift);
    k_schriftStart = start;
    return naechste(k_schriften, std::optional<QFont>());
}
