// Where the checks of a dialog send their message boxes while they run: the
// window layer shows them through its message service, tests record them.
// Unlike a MeldungsSammler it answers questions, so a check can go on by the
// answer.
#pragma once

#include "dialogs/formular.h"

#include <string>

// The answer Yes (the Windows value).
constexpr int ANTWORT_JA = 6;

class Meldungsziel {
public:
    virtual ~Meldungsziel() = default;
    // Shows one box and returns the button pressed (ANTWORT_JA for Yes).
    virtual int zeige(const std::string& text, const std::string& caption, int flags) = 0;

    void fehler(const std::string& text, const std::string& caption = "Fehler") {
        zeige(text, caption, FLAGS_FEHLER);
    }
    void hinweis(const std::string& text, const std::string& caption = "Fehler") {
        zeige(text, caption, FLAGS_HINWEIS);
    }
    bool frage(const std::string& text, const std::string& caption) {
        return zeige(text, caption, FLAGS_FRAGE) == ANTWORT_JA;
    }
    // Shows the boxes a walk collected, in order.
    void zeige(MeldungsSammler& meldungen) {
        for (const DialogMeldung& m : meldungen.entnehmen()) zeige(m.text, m.caption, m.flags);
    }
};
