// Where the checks of a dialog send their message boxes. The window layer
// shows them through its message service; tests record them. The flag and
// answer values are the Windows ones the message service takes.
#pragma once

#include <string>

namespace meldungsart {
constexpr int HINWEIS = 0;  // OK button, no icon
constexpr int FEHLER = 48;  // OK button, exclamation icon
constexpr int FRAGE = 36;   // Yes/No buttons, question icon
constexpr int JA = 6;       // the answer Yes
}  // namespace meldungsart

class Meldungsziel {
public:
    virtual ~Meldungsziel() = default;
    // Shows one box and returns the button pressed (JA for Yes).
    virtual int zeige(const std::string& text, const std::string& caption, int flags) = 0;

    void fehler(const std::string& text, const std::string& caption = "Fehler") {
        zeige(text, caption, meldungsart::FEHLER);
    }
    bool frage(const std::string& text, const std::string& caption) {
        return zeige(text, caption, meldungsart::FRAGE) == meldungsart::JA;
    }
};
