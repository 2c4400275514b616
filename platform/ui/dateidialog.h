#pragma once
// File open and save dialogs. The filter is given in the Windows form the program's handlers
// use, pairs of description and pattern each ended by '|' ("Jahrgangs Dateien (*.sdb)|*.sdb|");
// the chosen path comes back as UTF-8, nothing when the user cancels.
//
// Every dialog goes through the current DateiDialogDienst; the default one shows a
// QFileDialog, tests install an AufzeichnenderDateiDialog to script the choice.

#include <deque>
#include <optional>
#include <string>
#include <vector>

class QString;
class QWidget;

struct DateiAuswahl {
    std::string titel;          // window caption; empty gives the dialog's own ("Öffnen", "Speichern unter")
    std::string filter;         // "Beschreibung|Muster|..." as above; empty shows every file
    std::string standardEndung; // appended (after a dot) to a typed name without extension, e.g. "sdb"
    std::string startPfad;      // file or folder the dialog starts with; empty for the working folder
};

class DateiDialogDienst {
public:
    virtual ~DateiDialogDienst() = default;
    virtual std::optional<std::string> oeffnen(QWidget* parent, const DateiAuswahl& auswahl) = 0;
    virtual std::optional<std::string> speichern(QWidget* parent, const DateiAuswahl& auswahl) = 0;
};

// The real service: a modal QFileDialog (existing file to open; any file name to save, with
// the question before an existing file is replaced).
class QtDateiDialogDienst : public DateiDialogDienst {
public:
    std::optional<std::string> oeffnen(QWidget* parent, const DateiAuswahl& auswahl) override;
    std::optional<std::string> speichern(QWidget* parent, const DateiAuswahl& auswahl) override;
};

// "Jahrgangs Dateien (*.sdb)|*.sdb|" -> "Jahrgangs Dateien (*.sdb)"; several pairs are joined
// with ";;". A description that does not already end in its patterns gets them appended in
// parentheses; ';' between patterns becomes a space. Empty filter -> empty result.
QString qtDateiFilter(const std::string& windowsFilter);

// `pfad` with "." + `endung` appended when its file name has no extension; unchanged when
// `endung` is empty or the name already has one (a dot after the last '/', not leading).
std::string mitStandardEndung(const std::string& pfad, const std::string& endung);

// The service every call below uses. Never null.
DateiDialogDienst& dateiDialogDienst();
// Installs `dienst` (not owned; null restores the QFileDialog service) and returns the previous one.
DateiDialogDienst* setzeDateiDialogDienst(DateiDialogDienst* dienst);

std::optional<std::string> dateiOeffnen(const DateiAuswahl& auswahl, QWidget* parent = nullptr);
std::optional<std::string> dateiSpeichern(const DateiAuswahl& auswahl, QWidget* parent = nullptr);

// Test double: records every request and answers from a script.
class AufzeichnenderDateiDialog : public DateiDialogDienst {
public:
    enum class Art { Oeffnen, Speichern };
    struct Anfrage {
        Art art;
        DateiAuswahl auswahl;
    };

    // Queues the answer for the next dialog: a path, or std::nullopt for Cancel.
    void antworte(std::optional<std::string> pfad) { k_antworten.push_back(std::move(pfad)); }
    // Answers taken from the queue first; without one the dialog counts as cancelled.
    std::optional<std::string> oeffnen(QWidget* parent, const DateiAuswahl& auswahl) override;
    std::optional<std::string> speichern(QWidget* parent, const DateiAuswahl& auswahl) override;

    const std::vector<Anfrage>& anfragen() const { return k_anfragen; }
    std::size_t anzahl() const { return k_anfragen.size(); }
    std::size_t offeneAntworten() const { return k_antworten.size(); }

private:
    std::optional<std::string> naechste(Art art, const DateiAuswahl& auswahl);
    std::vector<Anfrage> k_anfragen;
    std::deque<std::optional<std::string>> k_antworten;
};

// Installs a service for the lifetime of the object and puts the previous one back after.
class DateiDialogTausch {
public:
    explicit DateiDialogTausch(DateiDialogDienst& dienst) : k_vorher(setzeDateiDialogDienst(&dienst)) {}
    ~DateiDialogTausch() { setzeDateiDialogDienst(k_vorher); }
    DateiDialogTausch(const DateiDialogTausch&) = delete;
    DateiDialogTausch& operator=(const DateiDialogTausch&) = delete;

private:
    DateiDialogDienst* k_vorher;
};
