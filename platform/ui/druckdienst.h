#pragma once
// The printer dialogs, the page preview and the font choice of the print window and the printer
// set-up. Every call goes through the current DruckDienst; the default one shows Qt's dialogs,
// tests install an AufzeichnenderDruckDienst that answers from a script, prints into a PDF file
// and builds the preview off screen without running it.

#include <QFont>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

// Paints the whole document onto the printer it is given, page by page.
using Seitenmaler = std::function<void(QPrinter*)>;

class DruckDienst {
public:
    virtual ~DruckDienst() = default;
    // The print dialog for `drucker`; true when the user asked to print.
    virtual bool druckDialog(QWidget* parent, QPrinter* drucker) = 0;
    // The page and printer set-up; true when the user confirmed the settings.
    virtual bool seiteEinrichten(QWidget* parent, QPrinter* drucker) = 0;
    // The page preview with the caption `titel`, modal until the user closes it.
    virtual void seitenansicht(QWidget* parent, QPrinter* drucker, const QString& titel,
                               const Seitenmaler& maler) = 0;
    // The font dialog starting at `start`; nothing when cancelled.
    virtual std::optional<QFont> schriftWaehlen(QWidget* parent, const QFont& start) = 0;
};

// The real service: QPrintDialog, QPageSetupDialog, QPrintPreviewDialog and QFontDialog.
class QtDruckDienst : public DruckDienst {
public:
    bool druckDialog(QWidget* parent, QPrinter* drucker) override;
    bool seiteEinrichten(QWidget* parent, QPrinter* drucker) override;
    void seitenansicht(QWidget* parent, QPrinter* drucker, const QString& titel, const Seitenmaler& maler) override;
    std::optional<QFont> schriftWaehlen(QWidget* parent, const QFont& start) override;
};

// The service every call below uses. Never null.
DruckDienst& druckDienst();
// Installs `dienst` (not owned; null restores the Qt service) and returns the previous one.
DruckDienst* setzeDruckDienst(DruckDienst* dienst);

// Prints `maler`'s pages after the print dialog. Cancelling the dialog prints nothing and shows
// nothing; a printer that cannot be opened or a print job that fails or is aborted is reported
// in a German message box. Printed into a file, the way is dateiDruckweg's: the pages go into a
// new file beside it, which takes the file's place, with its mode and group, only when it is
// there, not empty and whole (a PDF file ends with its trailer); else the box says so and a file
// printed into before stays as it was. True when the pages went to the printer.
bool drucke(QWidget* parent, QPrinter* drucker, const Seitenmaler& maler);

// Where the pages of a print go.
enum class Druckweg {
    Drucker,     // a printer, device or pipe
    Nachbar,     // a new file beside the output file, which then takes its place
    Direkt,      // the output file itself
    Geschuetzt,  // nowhere: the output file may not be written, and stays as it is
    Abgelehnt,   // nowhere: nothing can be made beside the output file, which stays as it is
    Unmoeglich,  // nowhere: there is no output file, and none can be made
};

// The way of a print into a file. `vorhanden`: a file of that name is there; `schreibgeschuetzt`:
// it has no write permission at all (as text::writeProtected judges it; it is not printed into,
// as the exports do not replace one); `nachbarFehler`: why no new file could be made beside it
// (errno), 0 when one was made; `beschreibbar`: this user may write the file. Only where its folder
// refuses new files to this user (EACCES, EPERM) is a file that may be written printed into
// directly; for any other reason (a full disk, no free inode, a quota) printing into it could
// leave it cut off, so it is left as it is.
Druckweg dateiDruckweg(bool vorhanden, bool schreibgeschuetzt, int nachbarFehler, bool beschreibbar);

// The message for a print into `datei` that could not be written whole; `alteDateiBleibt`: a
// file of that name was there before and stays as it was.
std::string dateiFehlerText(const std::string& datei, bool alteDateiBleibt);

// The message for the file `datei` that may not be printed into.
std::string dateiGeschuetztText(const std::string& datei);

// The message for a print job that the printer aborted or that failed (among others: the
// printer or the output file could not be opened).
std::string druckFehlerText(bool abgebrochen);

// Test double: records every call and answers from a script.
class AufzeichnenderDruckDienst : public DruckDienst {
public:
    enum class Art { Drucken, Einrichten, Seitenansicht, Schrift };

    // Print dialog: answers from the queue, else true. With an output file set, every confirmed
    // print goes into that PDF file.
    void antworteDrucken(bool ja) { k_drucken.push_back(ja); }
    void setzePdfDatei(const QString& pfad) { k_pdf = pfad; }
    // Page set-up: answers from the queue, else true.
    void antworteEinrichten(bool ja) { k_einrichten.push_back(ja); }
    // Font dialog: answers from the queue, else cancelled.
    void antworteSchrift(std::optional<QFont> f) { k_schriften.push_back(std::move(f)); }
    // Preview: `beiAnsicht` runs on the preview widget before it is closed again (for a picture).
    void beiAnsicht(std::function<void(QWidget*)> f) { k_beiAnsicht = std::move(f); }

    bool druckDialog(QWidget* parent, QPrinter* drucker) override;
    bool seiteEinrichten(QWidget* parent, QPrinter* drucker) override;
    void seitenansicht(QWidget* parent, QPrinter* drucker, const QString& titel, const Seitenmaler& maler) override;
    std::optional<QFont> schriftWaehlen(QWidget* parent, const QFont& start) override;

    const std::vector<Art>& aufrufe() const { return k_aufrufe; }
    std::size_t anzahl(Art art) const;
    // Caption and page count of the last preview, and the document name the printer had then.
    const QString& ansichtTitel() const { return k_ansichtTitel; }
    int ansichtSeiten() const { return k_ansichtSeiten; }
    const QString& ansichtDokument() const { return k_ansichtDokument; }
    // The document name the printer had at the last print dialog.
    const QString& druckDokument() const { return k_druckDokument; }
    // The font the last font dialog started with.
    const QFont& schriftStart() const { return k_schriftStart; }

private:
    std::vector<Art> k_aufrufe;
    std::deque<bool> k_drucken, k_einrichten;
    std::deque<std::optional<QFont>> k_schriften;
    QString k_pdf, k_ansichtTitel, k_ansichtDokument, k_druckDokument;
    int k_ansichtSeiten = 0;
    QFont k_schriftStart;
    std::function<void(QWidget*)> k_beiAnsicht;
};

// Installs a service for the lifetime of the object and puts the previous one back after.
class DruckDienstTausch {
public:
    explicit DruckDienstTausch(DruckDienst& dienst) : k_vorher(setzeDruckDienst(&dienst)) {}
    ~DruckDienstTausch() { setzeDruckDienst(k_vorher); }
    DruckDienstTausch(const DruckDienstTausch&) = delete;
    DruckDienstTausch& operator=(const DruckDienstTausch&) = delete;

private:
    DruckDienst* k_vorher;
};
