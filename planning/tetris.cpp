#include "planning/tetris.h"

#include "model/database/database.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"
#include "platform/zufall.h"

#include <climits>
#include <cstdio>
#include <deque>
#include <unordered_map>
#include <vector>

const char* const TETRIS_NEUSTART =
    "Es konnten nicht alle gewünschten Termine\neinsortiert werden. Bitte starten Sie den Algorithmus erneut.";

// ---------------------------------------------------------------- index

// The questions of the placement and room tests on the placed list, kept as
// counters per (weekday, lesson, class / teacher / room). Weekday names are
// compared as the scans compare them (text::equals in the current mode).
class c_Tetris::Index {
public:
    void hinzufuegen(const c_Dauertermin* q) {
        const int wd = tagId(q->getWochentag());
        const int a = q->getAStd();
        const int e = q->getEStd();
        ++k_klasse[{wd, a, q->getKlasse()}];
        ++k_lehrer[{wd, a, q->getLehrer()}];
        ++k_raum[{wd, a, q->getRaum()}];
        if (a == e)
            ++k_einzeln[{wd, a, q->getKlasse()}];
        else
            k_andere.push_back(q);
    }
    // q's room is about to change to `neu`.
    void raumWechsel(const c_Dauertermin* q, const c_Raum* neu) {
        const int wd = tagId(q->getWochentag());
        const int a = q->getAStd();
        auto it = k_raum.find({wd, a, q->getRaum()});
        if (it != k_raum.end() && --it->second == 0) k_raum.erase(it);
        ++k_raum[{wd, a, neu}];
    }
    bool klasseBelegt(const c_Dauertermin* t) const { return zahl(k_klasse, t, t->getKlasse()) > 0; }
    bool lehrerBelegt(const c_Dauertermin* t) const { return zahl(k_lehrer, t, t->getLehrer()) > 0; }
    bool raumBelegt(const c_Dauertermin* t, const c_Raum* r) const { return zahl(k_raum, t, r) > 0; }
    // Same conditions as findNachfolger / findVorgaenger.
    bool hatNachfolger(const c_Dauertermin* t, int stundenProTag) const {
        const int a = t->getAStd();
        if (a > stundenProTag) return false;
        const long long ziel = static_cast<long long>(a) + 1;
        if (ziel <= INT_MAX && zahlEinzeln(t, static_cast<int>(ziel)) > 0) return true;
        for (const c_Dauertermin* q : k_andere)
            if (gleicherTag(q, t) && q->getKlasse() == t->getKlasse() && q->getAStd() >= ziel && q->getEStd() <= ziel)
                return true;
        return false;
    }
    bool hatVorgaenger(const c_Dauertermin* t) const {
        const int a = t->getAStd();
        if (a < 2) return false;
        if (zahlEinzeln(t, a - 1) > 0) return true;
        for (const c_Dauertermin* q : k_andere)
            if (gleicherTag(q, t) && q->getKlasse() == t->getKlasse() && q->getAStd() == a - 1 &&
                q->getEStd() >= a - 1)
                return true;
        return false;
    }

private:
    struct Schluessel {
        int tag;
        int stunde;
        const void* wer;
        bool operator==(const Schluessel& o) const { return tag == o.tag && stunde == o.stunde && wer == o.wer; }
    };
    struct Hash {
        std::size_t operator()(const Schluessel& s) const {
            std::size_t h = std::hash<const void*>()(s.wer);
            h ^= (static_cast<std::size_t>(static_cast<unsigned>(s.stunde)) * 0x9E3779B97F4A7C15ULL) +
                 static_cast<std::size_t>(static_cast<unsigned>(s.tag)) + (h << 6) + (h >> 2);
            return h;
        }
    };
    using Zaehler = std::unordered_map<Schluessel, int, Hash>;

    int tagId(const std::string& name) const {
        for (std::size_t i = 0; i < k_namen.size(); ++i)
            if (text::equals(k_namen[i], name)) return static_cast<int>(i);
        k_namen.push_back(name);
        return static_cast<int>(k_namen.size() - 1);
    }
    bool gleicherTag(const c_Dauertermin* a, const c_Dauertermin* b) const {
        return text::equals(a->getWochentag(), b->getWochentag());
    }
    int zahl(const Zaehler& z, const c_Dauertermin* t, const void* wer) const {
        auto it = z.find({tagId(t->getWochentag()), t->getAStd(), wer});
        return it == z.end() ? 0 : it->second;
    }
    int zahlEinzeln(const c_Dauertermin* t, int stunde) const {
        auto it = k_einzeln.find({tagId(t->getWochentag()), stunde, t->getKlasse()});
        return it == k_einzeln.end() ? 0 : it->second;
    }

    mutable std::vector<std::string> k_namen;
    Zaehler k_klasse, k_lehrer, k_raum, k_einzeln;
    std::vector<const c_Dauertermin*> k_andere;  // lesson spans other than one lesson
};

// ---------------------------------------------------------------- generator

c_Tetris::c_Tetris(c_Schulverwaltung* schulverwaltung, std::string* fehlertext)
    : Stundenplanerstellung(schulverwaltung, fehlertext) {
    if (c_Lehrerliste* lehrer = schulverwaltung ? schulverwaltung->getLehrerliste() : nullptr)
        for (c_Lehrer* l : *lehrer)
            if (l && !l->isBeurlaubt()) k_lehrerliste.push_back(l);
}

c_Tetris::~c_Tetris() { warte(); }

int c_Tetris::run() {
    k_durchlaeufe = 0;
    if (!pruefeVorlage()) return 0;
    for (int p = 1; p <= MAX_DURCHLAEUFE; ++p) {
        k_statustext->clear();
        k_statustext->append("Algorithmus: randomisierte Tetrisvariante\n");
        char zeile[48];
        std::snprintf(zeile, sizeof zeile, "\nDurchlauf: %d von 50", p);
        k_statustext->append(zeile);
        zeigeStatus();
        k_durchlaeufe = p;
        if (durchlauf()) break;
        if (p < MAX_DURCHLAEUFE && fehlertextLeerenWenn(TETRIS_NEUSTART)) continue;
        break;
    }
    return 0;
}

namespace {

int anzahlMit(const c_Dauerterminliste& liste, const c_Klasse* k, const c_Fach* f) {
    int n = 0;
    for (const c_Dauertermin* t : liste)
        if (t->getKlasse() == k && t->getFach() == f) ++n;
    return n;
}

}  // namespace

bool c_Tetris::durchlauf() {
    if (!k_schulverwaltung || !k_schulverwaltung->getDatabase()) return false;
    c_Schulverwaltung& sv = *k_schulverwaltung;
    c_Dauerterminliste& plan = *sv.getDauerterminliste();
    bool ok = true;

    // What a failed pass gives back: the appointments as they stood, in their
    // order, and every teacher's counter.
    struct Vorher {
        c_Dauertermin* termin;
        int estd;
        c_Raum* raum;
    };
    std::vector<Vorher> vorhanden;
    std::unordered_map<c_Lehrer*, int> zaehler;
    for (c_Lehrer* l : *sv.getLehrerliste())
        if (l) zaehler.emplace(l, l->getVergebeneStunden());
    for (c_Klasse* k : *sv.getKlassenliste())
        if (k && k->getKlassenlehrer()) zaehler.emplace(k->getKlassenlehrer(), k->getKlassenlehrer()->getVergebeneStunden());

    c_Dauerterminliste gesetzt, offen, gescheitert;
    std::vector<c_Dauertermin*> stuecke;  // split-off lessons of existing appointments
    std::vector<c_Dauertermin*> neue;     // generated appointments

    // 1. Take the existing appointments out of the plan, lesson blocks split
    //    into one-lesson appointments that are taken in their turn.
    std::deque<c_Dauertermin*> schlange(plan.begin(), plan.end());
    plan.clear();
    for (c_Dauertermin* t : schlange)
        if (t) {
            if (c_Lehrer* l = t->getLehrer()) zaehler.emplace(l, l->getVergebeneStunden());
            vorhanden.push_back({t, t->getEStd(), t->getRaum()});
        }
    std::size_t gesamt = schlange.size();
    while (!schlange.empty()) {
        c_Dauertermin* t = schlange.front();
        schlange.pop_front();
        if (!t) continue;
        if (t->getEStd() > t->getAStd()) {
            const long long d = static_cast<long long>(t->getEStd()) - t->getAStd();
            if (static_cast<long long>(gesamt) + d > static_cast<long long>(c_Database::MAX_EINTRAEGE)) {
                // The store would refuse lessons beyond its limit.
                if (ok) fehlerAnhaengen("Ein Termin konnte nicht eingeordnet werden!");
                ok = false;
            } else {
                const int a = t->getAStd();
                t->setEStd(a);
                for (long long k = d; k >= 1; --k) {
                    auto stueck = neuerDauertermin();
                    stueck->setKlasse(t->getKlasse());
                    stueck->setRaum(t->getRaum());
                    stueck->setLehrer(t->getLehrer());
                    stueck->setFach(t->getFach());
                    stueck->setWochentag(t->getWochentag());
                    stueck->setAStd(static_cast<int>(a + k));
                    stueck->setEStd(static_cast<int>(a + k));
                    stueck->setEingeordnet(true);
                    stuecke.push_back(stueck.get());
                    schlange.push_back(stueck.release());
                    ++gesamt;
                }
            }
        }
        gesetzt.push_back(t);
    }

    if (k_mitIndex) {
        k_index = std::make_unique<Index>();
        for (const c_Dauertermin* q : gesetzt) k_index->hinzufuegen(q);
    } else {
        k_index.reset();
    }

    auto neuerTermin = [&](c_Klasse* k, c_Fach* f, c_Lehrer* l) {
        auto t = neuerDauertermin();
        t->setKlasse(k);
        t->setFach(f);
        t->setLehrer(l);
        t->setAStd(1);
        t->setEStd(1);
        t->setEingeordnet(false);
        l->setVergebeneStunden(l->getVergebeneStunden() + 1);
        neue.push_back(t.get());
        offen.push_front(t.release());
    };
    auto klassenDesJahrgangs = [&](int jahrgang) {
        std::vector<c_Klasse*> v;
        for (c_Klasse* k : *sv.getKlassenliste())
            if (k && k->getJahrgang() == jahrgang) v.push_back(k);
        return v;
    };

    // 2. Subjects that only one teacher teaches.
    auto einzelne = getFaecherMitEinemLehrer();
    std::vector<c_Wunsch*> wuensche;
    for (c_Wunsch* w : *sv.getCurriculum())
        if (w && w->getFach()) wuensche.push_back(w);
    if (!einzelne->empty()) {
        for (auto it = wuensche.begin(); it != wuensche.end();) {
            c_Wunsch* w = *it;
            if (!einzelne->contains(w->getFach())) {
                ++it;
                continue;
            }
            c_Lehrer* lehrer = sv.findLehrerFuerFach(w->getFach(), w->getStunden());
            if (lehrer) {
                for (c_Klasse* k : klassenDesJahrgangs(w->getJahrgang())) {
                    const int n = w->getStunden() - anzahlMit(gesetzt, k, w->getFach());
                    for (int i = 0; i < n; ++i) neuerTermin(k, w->getFach(), lehrer);
                }
                it = wuensche.erase(it);
            } else {
                if (ok) fehlerAnhaengen("Es gibt nicht genug Lehrer mit freien Stunden für " + w->getFach()->getName());
                ok = false;
                ++it;
            }
        }
    }

    // 3. The other subjects: the class teacher when he can, else a random teacher.
    for (c_Wunsch* w : wuensche) {
        if (!ok) break;
        c_Fach* fach = w->getFach();
        for (c_Klasse* k : klassenDesJahrgangs(w->getJahrgang())) {
            c_Lehrer* lehrer = nullptr;
            c_Lehrer* kl = k->getKlassenlehrer();
            if (kl && kl->getFachliste() && kl->getFachliste()->contains(fach) &&
                static_cast<long long>(kl->getPflichtstunden()) >=
                    static_cast<long long>(kl->getVergebeneStunden()) + w->getStunden()) {
                lehrer = kl;
            } else {
                auto kandidaten = getLehrerFuerFach(fach, w->getStunden());
                if (!kandidaten->empty()) lehrer = kandidaten->nth(zufall::waehle(static_cast<int>(kandidaten->size())));
            }
            if (lehrer) {
                const int n = w->getStunden() - anzahlMit(gesetzt, k, fach);
                for (int i = 0; i < n; ++i) neuerTermin(k, fach, lehrer);
            } else {
                if (ok) fehlerAnhaengen("Es gibt nicht genug Lehrer mit freien Stunden für " + fach->getName());
                ok = false;
            }
        }
    }

    // 4. A failed step gives everything back at the end of the pass (10.)
    // 5. Nothing to place.
    if (ok && offen.empty()) {
        ok = false;
        fehlerAnhaengen("Es existieren keine einzuordnenden Termine\n(ist das Curriculum leer?)");
    }

    // 6. Placement.
    const int h = k_stundenProTag / 2;
    std::vector<bool> versucht(static_cast<std::size_t>(k_tageProWoche) + 1);
    while (ok && !offen.empty()) {
        std::fill(versucht.begin(), versucht.end(), false);
        int m = 1, n = 1;
        const int pos = zufall::waehle(static_cast<int>(offen.size()));
        c_Dauertermin* t = offen.nth(pos);
        t->setAStd(1);
        t->setEStd(1);
        const int d = zufall::waehle(k_tageProWoche);
        versucht[static_cast<std::size_t>(d)] = true;
        t->setWochentag(getWochentag(d));
        bool passt = true;
        while (!pruefeTermin(t, gesetzt)) {
            if (t->getAStd() < h) {
                const int gespiegelt = k_stundenProTag + 1 - t->getAStd();
                t->setAStd(gespiegelt);
                t->setEStd(gespiegelt);
            } else {
                t->setAStd(n);
                t->setEStd(n);
            }
            if (n > k_stundenProTag) {
                ++m;
                n = 1;
                if (m > k_tageProWoche) {
                    passt = false;
                    break;
                }
                const int y = zufall::waehle(k_tageProWoche - m);
                int neuerTag = 0;
                for (int tag = 1, gezaehlt = 0; tag <= k_tageProWoche; ++tag)
                    if (!versucht[static_cast<std::size_t>(tag)] && ++gezaehlt == y) {
                        neuerTag = tag;
                        break;
                    }
                versucht[static_cast<std::size_t>(neuerTag)] = true;
                t->setAStd(1);
                t->setEStd(1);
                t->setWochentag(getWochentag(neuerTag));
            }
            ++n;
        }
        offen.eraseAt(static_cast<std::size_t>(pos - 1));
        if (passt) {
            gesetzt.push_front(t);
            if (k_index) k_index->hinzufuegen(t);
        } else {
            gescheitert.push_back(t);
        }
    }

    // 7.
    if (!gescheitert.empty()) {
        ok = false;
        fehlerAnhaengenWennKuerzer(2, TETRIS_NEUSTART);
    }
    // The weekly plan takes at most MAX_EINTRAEGE appointments. The existing
    // ones stand at the end of the placed list, so they are the ones the
    // store would refuse: rather than lose them, the pass fails and gives
    // everything back.
    if (ok && gesetzt.size() > c_Database::MAX_EINTRAEGE) {
        ok = false;
        fehlerAnhaengen("Ein Termin konnte nicht eingeordnet werden!");
    }

    // 8. Rooms.
    if (ok) {
        for (c_Dauertermin* q : gesetzt) {
            c_Raum* raum = findRaum(q->getFach(), q->getKlasse(), q, gesetzt);
            if (!raum) {
                ok = false;
                fehlerAnhaengen("Es gibt nicht genügend freie Räume.");
                break;
            }
            if (k_index) k_index->raumWechsel(q, raum);
            q->setRaum(raum);
        }
    }
    k_index.reset();

    // 9. Into the plan.
    if (ok) {
        bool abgewiesen = false;
        for (c_Dauertermin* q : gesetzt) {
            std::unique_ptr<c_Dauertermin> termin(q);
            TerminErgebnis wie = TerminErgebnis::KeineDatenbank;
            sv.addDauertermin(termin, &wie);  // a proposal is not wanted and freed at once
            if (termin) {
                // Refused: not in the plan, so its lesson is not counted either.
                if (c_Lehrer* l = termin->getLehrer())
                    if (l->getVergebeneStunden() > 0) l->setVergebeneStunden(l->getVergebeneStunden() - 1);
                if (!abgewiesen) fehlerAnhaengen("Ein Termin konnte nicht eingeordnet werden!");
                abgewiesen = true;
            }
        }
        gesetzt.clear();
        return true;
    }

    // 10. Give everything back as it was.
    for (c_Dauertermin* t : neue) delete t;
    for (c_Dauertermin* t : stuecke) delete t;
    for (const Vorher& v : vorhanden) {
        v.termin->setEStd(v.estd);
        v.termin->setRaum(v.raum);
        plan.push_back(v.termin);
    }
    for (const auto& [lehrer, stunden] : zaehler) lehrer->setVergebeneStunden(stunden);
    return false;
}

bool c_Tetris::pruefeTermin(const c_Dauertermin* t, const c_Dauerterminliste& gesetzt) {
    const int h = k_stundenProTag / 2;
    const int a = t->getAStd();
    if (k_index) {
        if (k_index->klasseBelegt(t) || k_index->lehrerBelegt(t)) return false;
        if (a < h) return k_index->hatNachfolger(t, k_stundenProTag);
        if (a > h) return k_index->hatVorgaenger(t);
        return true;
    }
    for (const c_Dauertermin* q : gesetzt) {
        if (q == t || q->getAStd() != a || !text::equals(q->getWochentag(), t->getWochentag())) continue;
        if (q->getKlasse() == t->getKlasse() || q->getLehrer() == t->getLehrer()) return false;
    }
    if (a < h) return findNachfolger(t, gesetzt) != nullptr;
    if (a > h) return findVorgaenger(t, gesetzt) != nullptr;
    return true;
}

c_Dauertermin* c_Tetris::findNachfolger(const c_Dauertermin* t, const c_Dauerterminliste& gesetzt) const {
    const long long a = t->getAStd();
    if (a > k_stundenProTag) return nullptr;
    c_Dauertermin* gefunden = nullptr;
    for (c_Dauertermin* q : gesetzt)
        if (text::equals(q->getWochentag(), t->getWochentag()) && q->getKlasse() == t->getKlasse() &&
            q->getAStd() >= a + 1 && q->getEStd() <= a + 1)
            gefunden = q;
    return gefunden;
}

c_Dauertermin* c_Tetris::findVorgaenger(const c_Dauertermin* t, const c_Dauerterminliste& gesetzt) const {
    const int a = t->getAStd();
    if (a < 2) return nullptr;
    c_Dauertermin* gefunden = nullptr;
    for (c_Dauertermin* q : gesetzt)
        if (text::equals(q->getWochentag(), t->getWochentag()) && q->getKlasse() == t->getKlasse() &&
            q->getAStd() == a - 1 && q->getEStd() >= a - 1)
            gefunden = q;
    return gefunden;
}

std::unique_ptr<c_Fachliste> c_Tetris::getFaecherMitEinemLehrer() const {
    auto faecher = std::make_unique<c_Fachliste>();
    if (!k_schulverwaltung || !k_schulverwaltung->getDatabase()) return faecher;
    for (c_Fach* f : *k_schulverwaltung->getFachliste()) {
        int anzahl = 0;
        for (const c_Lehrer* l : k_lehrerliste) {
            if (l->getFachliste() && l->getFachliste()->contains(f)) ++anzahl;
            if (anzahl >= 2) break;
        }
        if (anzahl == 1) faecher->push_back(f);
    }
    return faecher;
}

std::unique_ptr<c_Lehrerliste> c_Tetris::getLehrerFuerFach(const c_Fach* fach, int stunden) const {
    auto lehrer = std::make_unique<c_Lehrerliste>();
    for (c_Lehrer* l : k_lehrerliste) {
        if (!l->getFachliste() || !l->getFachliste()->contains(fach)) continue;
        const long long vergeben = l->getVergebeneStunden();
        const long long pflicht = l->getPflichtstunden();
        if (vergeben < pflicht && !l->isBeurlaubt() && pflicht >= vergeben + stunden) lehrer->push_back(l);
    }
    return lehrer;
}

c_Raum* c_Tetris::findRaum(const c_Fach* fach, const c_Klasse* klasse, const c_Dauertermin* t,
                           const c_Dauerterminliste& gesetzt) {
    auto belegt = [&](const c_Raum* r) {
        if (k_index) return k_index->raumBelegt(t, r);
        for (const c_Dauertermin* q : gesetzt)
            if (q->getRaum() == r && q->getAStd() == t->getAStd() && text::equals(q->getWochentag(), t->getWochentag()))
                return true;
        return false;
    };
    return waehleRaum(fach, klasse, belegt);
}
