#include "dialogs/formular.h"

#include "model/anzeige.h"
#include "model/database/database.h"
#include "model/felder.h"
#include "platform/text.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Walks the fields with the two control cursors: `f(feld, text, haken)` gets
// the edit's text (null for a bool field) or the check box state. Values the
// controls do not have (a shorter list) read as empty text and cleared box.
template <class F>
void durchlaufe(const c_Datenliste& felder, const FormularWerte& werte, F f) {
    std::size_t edit = 0, haken = 0;
    for (const auto& feld : felder) {
        if (!feld) continue;
        if (feld->getTyp() == TYP_BOOL) {
            const bool an = haken < werte.haken.size() && werte.haken[haken];
            ++haken;
            if (!f(*feld, static_cast<const std::string*>(nullptr), an)) return;
        } else {
            const std::string* text = edit < werte.edits.size() ? &werte.edits[edit] : &leererText();
            ++edit;
            if (!f(*feld, text, false)) return;
        }
    }
}

}  // namespace

// ---------------------------------------------------------------- control ids

std::vector<FeldSteuerung> feldSteuerungen(const c_Datenliste& vorlage) {
    std::vector<FeldSteuerung> s;
    int id = ERSTE_FELD_ID, haken = 0, edits = 0;
    for (const auto& feld : vorlage) {
        if (!feld) continue;
        FeldSteuerung st;
        st.id = id;
        if (feld->getTyp() == TYP_BOOL) {
            st.index = haken++;
            id += 1;
        } else {
            st.editId = id + 1;
            st.index = edits++;
            id += 2;
        }
        s.push_back(st);
    }
    return s;
}

// ---------------------------------------------------------------- layout

namespace {

// The least gap between the controls of one field and those of the next field in the same band:
// wider than the 5 pixels between a label and its own edit, so each label is seen with its edit.
constexpr int FELD_ABSTAND = 10;

// Whether `q` stands in the band of `r` and closer than FELD_ABSTAND to its right edge, or on it.
bool zuNah(const Rechteck& q, const Rechteck& r) {
    return q.breite > 0 && r.breite > 0 && q.x < r.rechts() + FELD_ABSTAND && r.x < q.rechts() && q.y < r.unten() &&
           r.y < q.unten();
}

// How far `f` (placed at template x `x`) must move right so that none of its controls covers
// or touches a control of an earlier field placed left of it (0: not at all).
int schubNachRechts(const FeldLayout& f, int x, const std::vector<FeldLayout>& frueher, const std::vector<int>& xe) {
    int schub = 0;
    for (std::size_t i = 0; i < frueher.size(); ++i) {
        if (xe[i] >= x) continue;
        for (const Rechteck& r : {frueher[i].label, frueher[i].feld})
            for (const Rechteck& q : {f.label, f.feld})
                if (zuNah(q, r)) schub = std::max(schub, r.rechts() + FELD_ABSTAND - q.x);
    }
    return schub;
}

}  // namespace

FormularLayout layoutFormular(const c_Datenliste& vorlage, int dx, int startBreite, int startUnten,
                              const FormularMasse& masse) {
    FormularLayout l;
    l.breite = startBreite;
    l.unten = startUnten;
    std::size_t i = 0;
    const std::vector<FeldSteuerung> steuerungen = feldSteuerungen(vorlage);
    std::vector<int> vorlagenX;  // the template x of every field placed so far
    for (const auto& feld : vorlage) {
        if (!feld) continue;
        FeldLayout f;
        f.steuerung = steuerungen[i++];
        if (f.steuerung.istHaken()) {
            const int breite = masse.hakenBreite ? masse.hakenBreite(feld->beschreibungText()) : 0;
            f.feld = {feld->getX() + dx, feld->getY(), std::max(feld->getWeite(), breite),
                      std::max(feld->getHoehe(), masse.hakenHoehe)};
        } else {
            const TextGroesse g = masse.text ? masse.text(feld->beschreibungText()) : TextGroesse{};
            f.label = {feld->getX() + dx, feld->getY(), g.breite, g.hoehe};
            const int ziffern = feld->getTyp() == TYP_INT && masse.zahlBreite ? masse.zahlBreite(feld->getLaenge()) : 0;
            f.feld = {f.label.x + g.breite + 5, f.label.y, std::max(feld->getWeite(), ziffern),
                      std::max(feld->getHoehe(), masse.editHoehe)};
        }
        // Where a wider font makes a row's controls run into the ones before them, the later ones move right
        // (bounded: each round clears the overlap with at least one control).
        for (std::size_t runde = 0; runde <= l.felder.size(); ++runde) {
            const int schub = schubNachRechts(f, feld->getX(), l.felder, vorlagenX);
            if (schub <= 0) break;
            f.label.x += f.steuerung.istHaken() ? 0 : schub;
            f.feld.x += schub;
        }
        if (f.steuerung.istHaken()) {
            l.breite = std::max(l.breite, f.feld.rechts() + 20);
        } else {
            // The label's x plus its width twice: the row's extent as the form has always measured it.
            l.breite = std::max(l.breite, f.label.x + 2 * f.label.breite + f.feld.breite + 20);
        }
        l.unten = std::max(l.unten, f.feld.unten());
        l.felder.push_back(f);
        vorlagenX.push_back(feld->getX());
    }
    return l;
}

// ---------------------------------------------------------------- values

FormularWerte leereWerte(const c_Datenliste& vorlage) {
    FormularWerte w;
    for (const auto& feld : vorlage) {
        if (!feld) continue;
        if (feld->getTyp() == TYP_BOOL)
            w.haken.push_back(false);
        else
            w.edits.emplace_back();
    }
    return w;
}

FormularWerte werteAus(const c_Datenliste& felder) {
    FormularWerte w;
    for (const auto& feld : felder) {
        if (!feld) continue;
        switch (feld->getTyp()) {
        case TYP_BOOL: w.haken.push_back(static_cast<const c_BoolObj&>(*feld).getWert()); break;
        case TYP_INT: w.edits.push_back(std::to_string(static_cast<const c_IntObj&>(*feld).getWert())); break;
        case TYP_STRING: w.edits.push_back(static_cast<const c_StringObj&>(*feld).text()); break;
        default: w.edits.emplace_back(); break;  // a field of no known type still has its edit
        }
    }
    return w;
}

std::string ersteZeile(const std::string& text) {
    const std::size_t ende = text.find_first_of("\r\n");
    return ende == std::string::npos ? text : text.substr(0, ende);
}

std::vector<std::string> zellen(const c_Datenliste* felder) {
    std::vector<std::string> z;
    if (felder)
        for (const auto& f : *felder) z.push_back(feldText(f.get()));
    return z;
}

std::string FeldEingabe::zeile() const { return k_text ? ersteZeile(*k_text) : std::string(); }

int FeldEingabe::zahl() const { return text::leadingInt(zeile()); }

bool FeldEingabe::ist(const char* schluessel) const { return hatSchluessel(k_feld, schluessel); }

bool hatSchluessel(const c_datatype& feld, const char* schluessel) {
    return schluessel && text::startsWith(feld.nameText(), schluessel);
}

void durchlaufeFormular(const c_Datenliste& felder, const FormularWerte& werte,
                        const std::function<bool(const FeldEingabe&)>& schritt) {
    durchlaufe(felder, werte, [&schritt](const c_datatype& feld, const std::string* text, bool haken) {
        return schritt(FeldEingabe(feld, text, haken));
    });
}

// ---------------------------------------------------------------- messages

MeldungsSammler MeldungsSammler::gesammelt(std::string caption) { return MeldungsSammler(true, std::move(caption)); }

MeldungsSammler MeldungsSammler::sofort() { return MeldungsSammler(false, "Fehler"); }

void MeldungsSammler::melde(const std::string& text) {
    if (!k_gesammelt) {
        k_boxen.push_back({text, k_caption, FLAGS_FEHLER});
        return;
    }
    if (k_sammlungOffen) {
        k_boxen.back().text += text;
        return;
    }
    k_boxen.push_back({text, k_caption, FLAGS_HINWEIS});
    k_sammlungOffen = true;
}

void MeldungsSammler::einzeln(std::string text, std::string caption, int flags) {
    k_boxen.push_back({std::move(text), std::move(caption), flags});
    k_sammlungOffen = false;
}

std::vector<DialogMeldung> MeldungsSammler::entnehmen() {
    std::vector<DialogMeldung> b;
    b.swap(k_boxen);
    k_sammlungOffen = false;
    return b;
}

void MeldungsSammler::uebernimm(MeldungsSammler& andere) {
    for (DialogMeldung& d : andere.entnehmen()) einzeln(std::move(d.text), std::move(d.caption), d.flags);
}

std::string pflichtMeldung(const c_datatype& feld) {
    return "Sie müssen das Feld\n" + feld.beschreibungText() + "\nausfüllen.";
}

bool hatPlatz(std::size_t anzahl, const char* was, MeldungsSammler& m) {
    if (anzahl < c_Database::MAX_EINTRAEGE) return true;
    m.einzeln(std::string("Die ") + was +
                  " konnte nicht angelegt werden:\nDie max. erlaubte Anzahl von Einträgen wurde überschritten.",
              "Fehler", FLAGS_FEHLER);
    return false;
}

// ---------------------------------------------------------------- check and store

bool pruefeFormular(const c_Datenliste& felder, const FormularWerte& werte, MeldungsSammler& meldungen,
                    const FeldPruefung& pruefe) {
    bool ok = true;
    durchlaufeFormular(felder, werte, [&](const FeldEingabe& e) {
        if (e.feld().getPflicht() && !e.istHaken() && e.leer()) {
            meldungen.melde(pflichtMeldung(e.feld()));
            ok = false;
        } else if (pruefe && !pruefe(e, meldungen)) {
            ok = false;
        }
        return ok;
    });
    return ok;
}

void uebernehmeWerte(c_Datenliste& felder, const FormularWerte& werte) {
    durchlaufe(felder, werte, [](c_datatype& feld, const std::string* text, bool haken) {
        const FeldEingabe e(feld, text, haken);
        switch (feld.getTyp()) {
        case TYP_BOOL: static_cast<c_BoolObj&>(feld).setWert(e.haken()); break;
        case TYP_INT: static_cast<c_IntObj&>(feld).setWert(e.zahl()); break;
        case TYP_STRING: static_cast<c_StringObj&>(feld).setWert(e.zeile()); break;
        default: break;
        }
        return true;
    });
}

std::unique_ptr<c_Datenliste> neueFelder(const c_Datenliste& vorlage, const FormularWerte& werte) {
    auto felder = std::make_unique<c_Datenliste>(vorlage);
    uebernehmeWerte(*felder, werte);
    return felder;
}
