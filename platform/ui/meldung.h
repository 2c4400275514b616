#pragma once
// Message boxes with the Windows flag values and results the program's handlers use:
// errors are MB_OK | MB_ICONEXCLAMATION (48), questions MB_YESNO | MB_ICONQUESTION (36),
// plain notes MB_OK (0). The answer is IDOK, IDYES or IDNO.
//
// Every message goes through the current MeldungsDienst; the default one shows a QMessageBox,
// tests install an AufzeichnenderMeldungsDienst to record the messages and script the answers.

#include <deque>
#include <memory>
#include <string>
#include <vector>

class QMessageBox;
class QWidget;

// Button sets (low four bits of the flags).
constexpr int MB_OK = 0;
constexpr int MB_OKCANCEL = 1;
constexpr int MB_YESNOCANCEL = 3;
constexpr int MB_YESNO = 4;
// Icons (bits 4 to 7 of the flags).
constexpr int MB_ICONHAND = 16;
constexpr int MB_ICONQUESTION = 32;
constexpr int MB_ICONEXCLAMATION = 48;
constexpr int MB_ICONINFORMATION = 64;

// Results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class MeldungsDienst {
public:
    virtual ~MeldungsDienst() = default;
    // Shows `text` with `caption` as a modal box and returns the button pressed
    // (IDOK, IDCANCEL, IDYES or IDNO). `parent` may be null.
    virtual int zeige(QWidget* parent, const std::string& text, const std::string& caption,
                      int flags) = 0;
};

// The real service: a modal QMessageBox.
class QtMeldungsDienst : public MeldungsDienst {
public:
    int zeige(QWidget* parent, const std::string& text, const std::string& caption,
              int flags) override;
};

// Builds the box that QtMeldungsDienst shows, without running it: plain text, the caption,
// the icon and the standard buttons the flags ask for, the first button as default.
// With a null parent the box has none (QtMeldungsDienst itself takes the active window).
std::unique_ptr<QMessageBox> baueMeldungsBox(QWidget* parent, const std::string& text,
                                              const std::string& caption, int flags);

// The Windows result for the standard button (a QMessageBox::StandardButton value) the box
// returned. A box closed without a button counts as its cancel answer: IDCANCEL where the
// flags offer Cancel, IDNO for Yes/No and IDOK for OK.
int meldungsErgebnis(int qtKnopf, int flags);

// The service every meldung() call uses. Never null.
MeldungsDienst& meldungsDienst();
// Installs `dienst` (not owned; null restores the QMessageBox service) and returns the one
// installed before.
MeldungsDienst* setzeMeldungsDienst(MeldungsDienst* dienst);

// Shows a message through the current service.
int meldung(const std::string& text, const std::string& caption, int flags,
            QWidget* parent = nullptr);

// Test double: records every message and answers from a script.
class AufzeichnenderMeldungsDienst : public MeldungsDienst {
public:
    struct Meldung {
        std::string text;
        std::string caption;
        int flags = 0;
        int antwort = 0;
    };

    // Queues the answer for the next message (any ID value).
    void antworte(int ergebnis) { k_antworten.push_back(ergebnis); }
    // Answers taken from the queue first; without one, IDYES for a Yes/No box, else IDOK.
    int zeige(QWidget* parent, const std::string& text, const std::string& caption,
              int flags) override;

    const std::vector<Meldung>& meldungen() const { return k_meldungen; }
    std::size_t anzahl() const { return k_meldungen.size(); }
    const Meldung& letzte() const { return k_meldungen.back(); }
    std::size_t offeneAntworten() const { return k_antworten.size(); }
    void leeren() { k_meldungen.clear(); k_antworten.clear(); }

private:
    std::vector<Meldung> k_meldungen;
    std::deque<int> k_antworten;
};

// Installs a service for the lifetime of the object and puts the previous one back after.
class MeldungsDienstTausch {
public:
    explicit MeldungsDienstTausch(MeldungsDienst& dienst) : k_vorher(setzeMeldungsDienst(&dienst)) {}
    ~MeldungsDienstTausch() { setzeMeldungsDienst(k_vorher); }
    MeldungsDienstTausch(const MeldungsDienstTausch&) = delete;
    MeldungsDienstTausch& operator=(const MeldungsDienstTausch&) = delete;

private:
    MeldungsDienst* k_vorher;
};
