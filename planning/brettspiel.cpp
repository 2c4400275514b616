#include "planning/brettspiel.h"

#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"
#include "platform/zufall.h"

#include <algorithm>

namespace {

const char* const PRUEFUNG_LEHRER =
    "Algorithmus: Brettspiel (mit allen Bedingungen)\nPrüfe, ob Voraussetzungen erfüllt:\nGibt es zu jedem Fach einen Lehrer?";
const char* const PRUEFUNG_ZEIT =
    "Algorithmus: Brettspiel (mit allen Bedingungen)\nPrüfe, ob Voraussetzungen erfüllt:\nHaben die Lehrer Zeit genug?";

}  // namespace

c_Brettspiel::c_Brettspiel(c_Schulverwaltung* schulverwaltung, std::string* fehlertext, Variante variante)
    : Stundenplanerstellung(schulverwaltung, fehlertext), k_variante(variante) {
    if (c_Lehrerliste* lehrer = schulverwaltung ? schulverwaltung->getLehrerliste() : nullptr)
        for (c_Lehrer* l : *lehrer)
            if (l && !l->isBeurlaubt()) k_lehrerliste.push_back(l);
}

c_Brettspiel::~c_Brettspiel() { warte(); }

std::string c_Brettspiel::text(const char* stufe) const {
    const char* kopf = k_variante == Variante::Ohne  ? "Algorithmus: Brettspiel (ohne Bedingungen)\n"
                       : k_variante == Variante::Mit ? "Algorithmus: Brettspiel (keine Freistunden)\n"
                                                     : "Algorithmus: Brettspiel (mit allen Bedingungen)\n";
    return std::string(kopf) + stufe;
}

int c_Brettspiel::run() {
    createStundenplan();
    return 0;
}

bool c_Brettspiel::createStundenplan() {
    k_durchlaeufe = 0;
    statusSetzen(text("Initialisierung..."));
    if (!pruefeVorlage() || !pruefeVoraussetzungen()) return false;
    bauBrett();
    initialeVerteilung();
    statusSetzen(text("Initialisierung abgeschlossen.\nStarte Verteilung..."));
    while (!(isBesetzt() && isVerteilt())) {
        durchlauf();
        const long long n = k_durchlaeufe.fetch_add(1, std::memory_order_relaxed) + 1;
        if (isAbbruch() || (k_grenze > 0 && n >= k_grenze)) break;
    }
    statusSetzen(text("Verteilung beendet.\nEinhängen aller erzeugten Termine..."));
    einhaengen();
    statusSetzen(text("Algorithmus beendet."));
    return true;
}

bool c_Brettspiel::pruefeVoraussetzungen() {
    if (!k_schulverwaltung || !k_schulverwaltung->getDatabase()) return false;
    c_Schulverwaltung& sv = *k_schulverwaltung;

    statusSetzen(PRUEFUNG_LEHRER);
    for (const c_Wunsch* w : *sv.getCurriculum()) {
        if (!w || !w->getFach()) continue;  // an entry without subject is never planned
        if (!sv.findLehrerFuerFach(w->getFach(), w->getStunden())) {
            fehlerAnhaengen("Es gibt keinen Lehrer zum Fach " + w->getFach()->getName());
            return false;
        }
    }

    statusSetzen(PRUEFUNG_ZEIT);
    for (c_Fach* fach : *sv.getFachliste()) {
        if (!fach) continue;
        long long bedarf = 0;
        for (const c_Wunsch* w : *sv.getCurriculum()) {
            if (!w || w->getFach() != fach) continue;
            for (const c_Klasse* k : *sv.getKlassenliste())
                if (k && k->getJahrgang() == w->getJahrgang())
                    bedarf += static_cast<long long>(w->getStunden()) - sv.getGeplanteStunden(k, fach);
        }
        for (const c_Lehrer* l : k_lehrerliste)
            if (l->getFachliste() && l->getFachliste()->contains(fach))
                bedarf -= static_cast<long long>(l->getPflichtstunden()) - l->getVergebeneStunden();
        if (bedarf > 0) {
            fehlerAnhaengen("Es gibt nicht genügend Lehrer mit freien\nStunden für das Fach " + fach->getName());
            return false;
        }
    }

    if (k_variante == Variante::Alle) {
        bool ok = true;
        for (const c_Wunsch* w : *sv.getCurriculum()) {
            if (w && static_cast<long long>(w->getStunden()) > 2LL * k_tageProWoche) {
                fehlerAnhaengen("Bei diesem Algorithmus darf ein Eintrag im\nCurriculum nicht mehr als doppelt soviele");
                fehlerAnhaengen("\nStunden besitzten, wie es Tage gibt");
                ok = false;
            }
        }
        return ok;
    }
    return true;
}

void c_Brettspiel::bauBrett() {
    k_brett.clear();
    k_plaetze.clear();
    k_klassen.clear();
    if (!k_schulverwaltung || !k_schulverwaltung->getDatabase()) return;
    const int stunden = std::max(0, k_stundenProTag);
    std::vector<c_Klasse*> klassen;
    for (c_Klasse* k : *k_schulverwaltung->getKlassenliste())
        if (k) klassen.push_back(k);
    k_plaetze.reserve(klassen.size() * static_cast<std::size_t>(stunden * k_tageProWoche));
    for (c_Klasse* k : klassen) {
        for (int stunde = 1; stunde <= stunden; ++stunde) {
            for (int d = 1; d <= k_tageProWoche; ++d) {
                auto platz = neuerDauertermin();
                platz->setKlasse(k);
                platz->setAStd(stunde);
                platz->setEStd(stunde);
                platz->setWochentag(getWochentag(d));
                platz->setDauertermin(true);
                k_plaetze.push_back({platz.get(), stunde, d});
                k_brett.push_back(std::move(platz));
            }
        }
    }
    const int proKlasse = stunden * k_tageProWoche;
    for (std::size_t i = 0; i < klassen.size(); ++i)
        k_klassen.push_back({klassen[i], k_plaetze.data() + i * static_cast<std::size_t>(proKlasse), proKlasse});
}

void c_Brettspiel::initialeVerteilung() {
    for (const Klassenplaetze& s : k_klassen) {
        auto offen = getOffeneFaecher(s);
        const std::size_t n = offen->size();
        for (std::size_t i = 0; i < n / 2; ++i) {
            c_Fach* fach = offen->nth(zufall::waehle(static_cast<int>(offen->size())));
            Platz* platz = findFreienPlatz(fach, s);
            const int wochenstunden = getWochenstunden(fach, s.klasse);
            for (int h = 1; h <= wochenstunden && platz; ++h) {
                platz->termin->setRaum(findRaum(fach, s.klasse, *platz));
                platz->termin->setFach(fach);
                platz = findFreienPlatz(fach, s);
            }
            offen->remove(fach);
        }
    }
}

void c_Brettspiel::durchlauf() {
    for (const Klassenplaetze& s : k_klassen) {
        auto offen = getOffeneFaecher(s);
        c_Fach* fach = offen->empty() ? nullptr : offen->nth(zufall::waehle(static_cast<int>(offen->size())));
        Platz* platz = findFreienPlatz(fach, s);
        const int wochenstunden = getWochenstunden(fach, s.klasse);
        for (int h = 1; h <= wochenstunden && platz; ++h) {
            c_Raum* raum = findRaum(fach, s.klasse, *platz);
            platz->termin->setRaum(raum);
            if (!raum) break;
            platz->termin->setFach(fach);
            platz = findFreienPlatz(fach, s);
        }
        c_Lehrer* lehrer = getZufallsLehrer();
        Platz* c = findBelegtenPlatz(s);
        if (c && c->termin->getFach() && !c->termin->getLehrer()) setzeLehrer(*c, lehrer, s);
        if (c && c->termin->getFach() && c->termin->getLehrer()) tauscheLehrer(lehrer, *c, s);
    }
}

std::unique_ptr<c_Fachliste> c_Brettspiel::getOffeneFaecher(const Klassenplaetze& s) {
    const int jahrgang = s.klasse->getJahrgang();
    auto offen = k_schulverwaltung->getCurriculum()->getFaecher(jahrgang);
    const std::size_t gesamt = offen->size();
    for (const Platz& p : s)
        if (c_Fach* f = p.termin->getFach()) offen->remove(f);
    k_statustext->clear();
    k_statustext->append(text("Status Verteilung:\n"));
    k_statustext->append("Klasse: ");
    k_statustext->append(std::to_string(jahrgang));
    if (const char bez = s.klasse->getBez()) k_statustext->append(text::cp1252Char(static_cast<unsigned char>(bez)));
    k_statustext->append("\n");
    k_statustext->append("Einzuordnende Faecheranzahl: ");
    k_statustext->append(std::to_string(offen->size()));
    k_statustext->append(" von ");
    k_statustext->append(std::to_string(gesamt));
    zeigeStatus();
    return offen;
}

int c_Brettspiel::getWochenstunden(const c_Fach* fach, const c_Klasse* klasse) const {
    if (!fach || !klasse) return 0;
    int stunden = 0;
    for (const c_Wunsch* w : *k_schulverwaltung->getCurriculum())
        if (w && w->getJahrgang() == klasse->getJahrgang() && w->getFach() == fach) stunden = w->getStunden();
    return stunden;
}

c_Brettspiel::Platz* c_Brettspiel::findTermin(int stunde, int tag, const Klassenplaetze& s) const {
    if (stunde < 1 || stunde > k_stundenProTag || tag < 1 || tag > k_tageProWoche) return nullptr;
    return s.anfang + (stunde - 1) * k_tageProWoche + (tag - 1);
}

c_Brettspiel::Platz* c_Brettspiel::findFreienPlatz(const c_Fach* fach, const Klassenplaetze& s) {
    const std::vector<Platz*> kandidaten = getFreiePlaetze(fach, s);
    if (kandidaten.empty()) return nullptr;
    return kandidaten[static_cast<std::size_t>(zufall::waehle(static_cast<int>(kandidaten.size())) - 1)];
}

std::vector<c_Brettspiel::Platz*> c_Brettspiel::getFreiePlaetze(const c_Fach* fach, const Klassenplaetze& s) const {
    std::vector<Platz*> kandidaten;
    if (k_variante == Variante::Ohne) {
        for (Platz& p : s)
            if (!p.termin->getFach()) kandidaten.push_back(&p);
    } else {
        // Occupied slots, and slots carrying the subject, per weekday.
        std::vector<int> belegt(static_cast<std::size_t>(k_tageProWoche) + 1, 0);
        std::vector<int> mitFach(static_cast<std::size_t>(k_tageProWoche) + 1, 0);
        for (const Platz& p : s) {
            if (p.termin->getFach()) ++belegt[static_cast<std::size_t>(p.tag)];
            if (p.termin->getFach() == fach) ++mitFach[static_cast<std::size_t>(p.tag)];
        }
        auto besetzt = [](const Platz* p) { return p && p->termin->getFach(); };
        auto traegtFach = [fach](const Platz* p) { return p && p->termin->getFach() == fach; };
        for (Platz& p : s) {
            if (p.termin->getFach()) continue;
            if (belegt[static_cast<std::size_t>(p.tag)] == 0) {
                kandidaten.push_back(&p);
                continue;
            }
            Platz* davor = findTermin(p.stunde - 1, p.tag, s);
            Platz* danach = findTermin(p.stunde + 1, p.tag, s);
            if (!besetzt(davor) && !besetzt(danach)) continue;
            if (k_variante == Variante::Alle) {
                const int c = mitFach[static_cast<std::size_t>(p.tag)];
                const bool doppelstunde = c == 1 && p.stunde >= 2 && p.stunde <= k_stundenProTag - 1 &&
                                          (traegtFach(davor) || traegtFach(danach));
                if (!(c == 0 || doppelstunde)) continue;
            }
            kandidaten.push_back(&p);
        }
    }
    return kandidaten;
}

c_Brettspiel::Platz* c_Brettspiel::findBelegtenPlatz(const Klassenplaetze& s) {
    std::vector<Platz*> belegt;
    for (Platz& p : s)
        if (p.termin->getFach()) belegt.push_back(&p);
    if (belegt.empty()) return nullptr;
    return belegt[static_cast<std::size_t>(zufall::waehle(static_cast<int>(belegt.size())) - 1)];
}

c_Lehrer* c_Brettspiel::getZufallsLehrer() {
    return k_lehrerliste.nth(zufall::waehle(static_cast<int>(k_lehrerliste.size())));
}

c_Raum* c_Brettspiel::findRaum(const c_Fach* fach, const c_Klasse* klasse, const Platz& platz) {
    // Slot position within a class; the slots at that position of every class.
    const std::size_t position =
        static_cast<std::size_t>((platz.stunde - 1) * k_tageProWoche + (platz.tag - 1));
    auto belegt = [&](const c_Raum* r) {
        for (const Klassenplaetze& k : k_klassen)
            if (k.anfang[position].termin->getRaum() == r) return true;
        return false;
    };
    c_Raum* gewaehlt = waehleRaum(fach, klasse, belegt);
    if (!gewaehlt) {
        k_abbruch.store(true, std::memory_order_release);
        fehlerAnhaengen("Es gibt nicht genügend Räume!");
    }
    return gewaehlt;
}

bool c_Brettspiel::passtLehrer(const c_Lehrer* lehrer, const std::vector<Platz*>& plaetze) const {
    if (static_cast<long long>(lehrer->getVergebeneStunden()) + static_cast<long long>(plaetze.size()) >
        lehrer->getPflichtstunden())
        return false;
    for (const Platz* p : plaetze) {
        const std::size_t position = static_cast<std::size_t>((p->stunde - 1) * k_tageProWoche + (p->tag - 1));
        for (const Klassenplaetze& k : k_klassen)
            if (k.anfang[position].termin->getLehrer() == lehrer) return false;
    }
    return true;
}

void c_Brettspiel::fachAbnehmen(Platz& c, const Klassenplaetze& s) {
    if (k_variante != Variante::Ohne) {
        releaseTermin(c, s);
        return;
    }
    const c_Fach* fach = c.termin->getFach();
    for (Platz& p : s) {
        if (p.termin->getFach() != fach) continue;
        p.termin->setFach(nullptr);
        p.termin->setRaum(nullptr);
        if (c_Lehrer* l = p.termin->getLehrer(); l && l->getVergebeneStunden() > 0)
            l->setVergebeneStunden(l->getVergebeneStunden() - 1);
        p.termin->setLehrer(nullptr);
    }
}

void c_Brettspiel::setzeLehrer(Platz& c, c_Lehrer* lehrer, const Klassenplaetze& s) {
    c_Fach* fach = c.termin->getFach();
    if (!lehrer || !fach || !lehrer->getFachliste() || !lehrer->getFachliste()->contains(fach)) return;
    std::vector<Platz*> plaetze;
    for (Platz& p : s)
        if (p.termin->getFach() == fach) plaetze.push_back(&p);
    if (passtLehrer(lehrer, plaetze)) {
        for (Platz* p : plaetze) {
            p->termin->setLehrer(lehrer);
            lehrer->setVergebeneStunden(lehrer->getVergebeneStunden() + 1);
        }
    } else {
        fachAbnehmen(c, s);
    }
}

void c_Brettspiel::tauscheLehrer(c_Lehrer* lehrer, Platz& c, const Klassenplaetze& s) {
    c_Fach* fach = c.termin->getFach();
    if (!lehrer || !fach || c.termin->getLehrer() == lehrer || !lehrer->getFachliste() ||
        !lehrer->getFachliste()->contains(fach))
        return;
    std::vector<Platz*> plaetze;
    for (Platz& p : s)
        if (p.termin->getFach() == fach) plaetze.push_back(&p);
    // When the other teacher would fit, the subject is placed anew by a later pass.
    if (passtLehrer(lehrer, plaetze)) fachAbnehmen(c, s);
}

void c_Brettspiel::releaseTermin(Platz& t, const Klassenplaetze& s) {
    const c_Fach* fach = t.termin->getFach();
    if (!fach) return;
    for (Platz& q : s) {
        if (q.termin->getFach() != fach) continue;
        q.termin->setFach(nullptr);
        q.termin->setRaum(nullptr);
        if (c_Lehrer* l = q.termin->getLehrer()) {
            if (l->getVergebeneStunden() > 0) l->setVergebeneStunden(l->getVergebeneStunden() - 1);
            q.termin->setLehrer(nullptr);
        }
        if (q.stunde + 1 <= k_stundenProTag) {
            Platz* danach = findTermin(q.stunde + 1, q.tag, s);
            if (danach && danach->termin->getFach()) releaseTermin(*danach, s);
        }
    }
}

bool c_Brettspiel::isBesetzt() const {
    for (const Platz& p : k_plaetze)
        if (p.termin->getFach() && !p.termin->getLehrer()) return false;
    return true;
}

bool c_Brettspiel::isVerteilt() {
    bool verteilt = true;
    for (const Klassenplaetze& s : k_klassen)
        if (!getOffeneFaecher(s)->empty()) verteilt = false;
    return verteilt;
}

void c_Brettspiel::einhaengen() {
    for (std::unique_ptr<c_Dauertermin>& platz : k_brett) {
        if (!platz || !platz->getLehrer()) continue;
        c_Lehrer* lehrer = platz->getLehrer();
        TerminErgebnis wie = TerminErgebnis::KeineDatenbank;
        k_schulverwaltung->addDauertermin(platz, &wie);  // a proposal is not wanted and freed at once
        if (platz) {
            // Refused: the lesson is not in the plan and no longer counted.
            if (lehrer->getVergebeneStunden() > 0) lehrer->setVergebeneStunden(lehrer->getVergebeneStunden() - 1);
            fehlerAnhaengen("Ein Termin konnte nicht eingeordnet werden!");
        }
    }
    k_klassen.clear();
    k_plaetze.clear();
    k_brett.clear();
}
