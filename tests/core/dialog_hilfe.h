// A message target for the dialog-logic tests: records every box and answers
// from a script (Yes by default for a question); and the boxes of a collection
// as one text.
#pragma once

#include "dialogs/meldungsziel.h"

#include <deque>
#include <string>
#include <vector>

namespace dialoghilfe {

class Aufzeichnung : public Meldungsziel {
public:
    struct Meldung {
        std::string text;
        std::string caption;
        int flags = 0;
    };
    int zeige(const std::string& text, const std::string& caption, int flags) override {
        k_meldungen.push_back({text, caption, flags});
        if (!k_antworten.empty()) {
            const int a = k_antworten.front();
            k_antworten.pop_front();
            return a;
        }
        return flags == FLAGS_FRAGE ? ANTWORT_JA : 1;
    }
    void antworte(int a) { k_antworten.push_back(a); }
    void leeren() {
        k_meldungen.clear();
        k_antworten.clear();
    }
    const std::vector<Meldung>& meldungen() const { return k_meldungen; }
    std::size_t anzahl() const { return k_meldungen.size(); }
    const Meldung& letzte() const { return k_meldungen.back(); }
    std::vector<std::string> texte() const {
        std::vector<std::string> t;
        for (const Meldung& m : k_meldungen) t.push_back(m.text);
        return t;
    }

private:
    std::vector<Meldung> k_meldungen;
    std::deque<int> k_antworten;
};

// "[caption|flags] text" per box, in order.
inline std::string texte(const MeldungsSammler& m) {
    std::string s;
    for (const DialogMeldung& d : m.boxen()) s += "[" + d.caption + "|" + std::to_string(d.flags) + "] " + d.text;
    return s;
}

}  // namespace dialoghilfe
