#include "platform/ui/druckdienst.h"

#include "platform/textfile.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"

#include <QApplication>
#include <QFile>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

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

std::string dateiFehlerText(const std::string& datei, bool alteDateiBleibt)
{
    std::string text = "Der Ausdruck konnte nicht vollständig in die Datei\n" + datei +
                       "\ngeschrieben werden.\nVielleicht ist der Datenträger voll.";
    if (alteDateiBleibt)
        text += "\nDie bisherige Datei ist unverändert geblieben.";
    return text;
}

std::string dateiGeschuetztText(const std::string& datei)
{
    return "Der Ausdruck konnte nicht in die Datei\n" + datei +
           "\ngeschrieben werden: Die Datei ist schreibgeschützt.\nDie bisherige Datei ist unverändert geblieben.";
}

Druckweg dateiDruckweg(bool vorhanden, bool schreibgeschuetzt, int nachbarFehler, bool beschreibbar)
{
    if (schreibgeschuetzt)
        return Druckweg::Geschuetzt;
    if (nachbarFehler == 0)
        return Druckweg::Nachbar;
    if (!vorhanden)
        return Druckweg::Unmoeglich;
    if (nachbarFehler != EACCES && nachbarFehler != EPERM)
        return Druckweg::Abgelehnt;
    return beschreibbar ? Druckweg::Direkt : Druckweg::Geschuetzt;
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

// Where the pages of a print go, for as long as it lives: into a file as dateiDruckweg decides,
// printed beside the chosen file to a new one that `fertig` puts in its place once it is complete.
// A device or pipe the user chose is written directly, as there is nothing to replace.
class Druckziel {
public:
    explicit Druckziel(QPrinter* drucker) : k_drucker(drucker), k_datei(drucker->outputFileName())
    {
        if (k_datei.isEmpty())
            return;
        const std::string name = QFile::encodeName(k_datei).toStdString();
        struct stat st {};
        k_vorhanden = ::stat(name.c_str(), &st) == 0;
        if (k_vorhanden && !S_ISREG(st.st_mode))
            return;
        k_ziel = text::writeTarget(name);
        const bool geschuetzt = text::writeProtected(k_ziel);
        int fehler = 0;
        if (!geschuetzt)
            k_neu = text::newSiblingFile(k_ziel, &fehler);
        const bool beschreibbar = k_vorhanden && ::access(k_ziel.c_str(), W_OK) == 0;
        k_weg = dateiDruckweg(k_vorhanden, geschuetzt, fehler, beschreibbar);
        if (k_weg == Druckweg::Nachbar)
            drucker->setOutputFileName(QFile::decodeName(QByteArray::fromStdString(k_neu)));
    }
    ~Druckziel()
    {
        if (!k_neu.empty())
            ::unlink(k_neu.c_str());
        if (k_weg == Druckweg::Nachbar)
            k_drucker->setOutputFileName(k_datei);
    }
    Druckziel(const Druckziel&) = delete;
    Druckziel& operator=(const Druckziel&) = delete;

    Druckweg weg() const { return k_weg; }
    // Whether a file of the output file's name was there before the print.
    bool vorhanden() const { return k_vorhanden; }
    const QString& datei() const { return k_datei; }
    // After the print into a file: true when it is whole and, printed beside the output file, now
    // stands in its place; else the file beside it is gone and the output file is as it was.
    bool fertig(bool pdf)
    {
        if (k_weg == Druckweg::Direkt)
            return ausgabedateiVollstaendig(k_datei, pdf);
        const std::string neu = std::exchange(k_neu, std::string());
        if (!ausgabedateiVollstaendig(QFile::decodeName(QByteArray::fromStdString(neu)), pdf)) {
            ::unlink(neu.c_str());
            return false;
        }
        return text::replaceFile(neu, k_ziel, text::TextFileWriter::Ablage::Zwischenspeicher);
    }

private:
    QPrinter* k_drucker;
    QString k_datei;
    std::string k_ziel, k_neu;
    bool k_vorhanden = false;
    Druckweg k_weg = Druckweg::Drucker;
};

} // namespace

bool drucke(QWidget* parent, QPrinter* drucker, const Seitenmaler& maler)
{
    if (!drucker || !druckDienst().druckDialog(parent, drucker))
        return false;
    // Printed into a file: the printer says nothing of writes that failed (a full disk leaves an
    // empty or cut-off file behind), so the file itself is looked at before it replaces the one
    // the user chose.
    Druckziel ziel(drucker);
    switch (ziel.weg()) {
    case Druckweg::Geschuetzt:
        meldung(dateiGeschuetztText(ss(ziel.datei())), "Fehler", MB_OK | MB_ICONEXCLAMATION, parent);
        return false;
    case Druckweg::Abgelehnt:
        meldung(dateiFehlerText(ss(ziel.datei()), true), "Fehler", MB_OK | MB_ICONEXCLAMATION, parent);
        return false;
    case Druckweg::Unmoeglich:
        meldung(druckFehlerText(false), "Fehler", MB_OK | MB_ICONEXCLAMATION, parent);
        return false;
    default:
        break;
    }
    maler(drucker);
    const QPrinter::PrinterState zustand = drucker->printerState();
    if (zustand == QPrinter::Error || zustand == QPrinter::Aborted) {
        meldung(druckFehlerText(zustand == QPrinter::Aborted), "Fehler", MB_OK | MB_ICONEXCLAMATION, parent);
        return false;
    }
    if (ziel.weg() == Druckweg::Drucker || ziel.fertig(drucker->outputFormat() == QPrinter::PdfFormat))
        return true;
    // Printed directly, the old file is gone whatever came of it.
    meldung(dateiFehlerText(ss(ziel.datei()), ziel.vorhanden() && ziel.weg() == Druckweg::Nachbar), "Fehler",
            MB_OK | MB_ICONEXCLAMATION, parent);
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
