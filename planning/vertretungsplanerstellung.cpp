#include "planning/vertretungsplanerstellung.h"

#include "model/database/database.h"
#include "model/listen.h"
#include "model/datum.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "planning/stundenplanerstellung.h"
#include "platform/text.h"

#include <algorithm>
#include <unordered_set>

const char* const VERTRETUNGSPLAN_VOLL =
    "Es können nicht mehr als 32000 Vertretungstermine gespeichert werden.\n"
    "Die Erstellung des Vertretungsplans wurde abgebrochen.";

namespace {

// Weekday 1 (Monday) .. 7 of a day number, as getWochentag computes it.
int wochentagVon(std::uint32_t nummer) { return static_cast<int>(((nummer + 1ULL) % 7 + 6) % 7 + 1); }

// The day number of a stored date, 0 for an impossible date or a two-digit
// year (which never equals a planned date with its full year).
std::uint32_t tagesnummerVon(int tag, int monat, int jahr) { return jahr < 100 ? 0 : Tagesnummer(tag, monat, jahr); }

// The lesson l (astd..estd) blocks the lessons a..e of a substitution when it
// contains a or e, or lies wholly inside a..e.
bool blockiert(int astd, int estd, int a, int e) {
    const bool enthaeltA = astd <= a && a <= estd;
    const bool enthaeltE = astd <= e && e <= estd;
    const bool innen = a <= astd && estd <= e;
    return enthaeltA || enthaeltE || innen;
}

}  // namespace

c_Vertretungsplanerstellung::c_Vertretungsplanerstellung(c_Schulverwaltung* schulverwaltung, std::string* fehlertext)
    : k_schulverwaltung(schulverwaltung), k_fehlertext(fehlertext) {}

c_Vertretungsplanerstellung::~c_Vertretungsplanerstellung() = default;

void c_Vertretungsplanerstellung::aufbauen() {
    k_aufgebaut = true;
    k_lehrerdaten.clear();
    k_kandidaten.clear();
    k_anwesend.clear();
    if (!k_schulverwaltung || !k_schulverwaltung->getDatabase()) return;
    c_Schulverwaltung& sv = *k_schulverwaltung;

    for (c_Lehrer* l : *sv.getLehrerliste()) {
        if (!l) continue;
        Lehrerdaten& d = k_lehrerdaten[l];
        d.beurlaubt = l->isBeurlaubt();
        for (const c_Fehlzeit* f : *l->getFehlzeitliste()) {
            if (!f) continue;
            int at, am, aj, et, em, ej;
            f->getBeginn(&at, &am, &aj);
            f->getEnde(&et, &em, &ej);
            d.abwesenheiten.emplace_back(Datum(aj, am, at), Datum(ej, em, et));
        }
    }
    for (c_Lehrer* l : *sv.getLehrerliste())
        if (l) k_kandidaten.emplace_back(l, &k_lehrerdaten[l]);
    // The candidates of each subject, in list order.
    k_fachKandidaten.clear();
    for (std::size_t i = 0; i < k_kandidaten.size(); ++i)
        if (const c_Fachliste* faecher = k_kandidaten[i].first->getFachliste())
            for (const c_Fach* f : *faecher) {
                std::vector<std::size_t>& stellen = k_fachKandidaten[f];
                if (stellen.empty() || stellen.back() != i) stellen.push_back(i);
            }

    for (const c_Dauertermin* w : *sv.getDauerterminliste()) {
        if (!w || !w->getLehrer()) continue;
        for (int tag = 1; tag <= 7; ++tag)
            if (text::equals(w->getWochentag(), WOCHENTAGE[tag]))
                k_lehrerdaten[w->getLehrer()].woche[tag].push_back({w, w->getAStd(), w->getEStd()});
    }
    for (const c_Einzeltermin* e : *sv.getEinzelterminliste()) {
        if (!e || !e->getLehrer()) continue;
        int d, m, y;
        e->getDatum(&d, &m, &y);
        if (const std::uint32_t n = tagesnummerVon(d, m, y))
            k_lehrerdaten[e->getLehrer()].einzeln[n].push_back({e, e->getAStd(), e->getEStd()});
    }
    // Stored substitutions that this run leaves alone keep their substitute busy:
    // those whose absent teacher has no absence (and so is never re-planned).
    for (const c_Vertretungstermin* v : *sv.getVertretungsterminliste()) {
        if (!v || !v->getLehrer()) continue;
        const c_Lehrer* abwesend = v->getVertretenerLehrer();
        if (abwesend && !abwesend->getFehlzeitliste()->empty()) continue;
        int d, m, y;
        v->getDatum(&d, &m, &y);
        if (const std::uint32_t n = tagesnummerVon(d, m, y))
            k_lehrerdaten[v->getLehrer()].vertretungen[n].push_back({v, v->getAStd(), v->getEStd()});
    }
}

c_Vertretungsplanerstellung::Lehrerdaten* c_Vertretungsplanerstellung::daten(const c_Lehrer* lehrer) {
    if (!k_aufgebaut) aufbauen();
    auto it = k_lehrerdaten.find(lehrer);
    return it == k_lehrerdaten.end() ? nullptr : &it->second;
}

bool c_Vertretungsplanerstellung::createVertretungsplan() {
    aufbauen();
    k_voll = false;
    bool ergebnis = true;
    if (!k_schulverwaltung || !k_schulverwaltung->getDatabase()) return ergebnis;
    if (!hatIntFelder(k_schulverwaltung->getVertretungsterminStruktur(), {"ASTD", "ESTD", "TAG", "MONAT", "JAHR"})) {
        // Without these fields no substitution could say when it is.
        if (k_fehlertext)
            k_fehlertext->append(
                "Die Vorlage der Vertretungstermine enthält die Felder ASTD, ESTD, TAG, MONAT und JAHR nicht.\n");
        return false;
    }
    // A copy: the teacher list does not change, but planLehrer must not
    // depend on that.
    const std::vector<c_Lehrer*> lehrer(k_schulverwaltung->getLehrerliste()->begin(),
                                        k_schulverwaltung->getLehrerliste()->end());
    const bool gesammelt = beginneSammlung();
    for (c_Lehrer* l : lehrer) {
        if (k_voll) break;
        if (l && !l->getFehlzeitliste()->empty()) ergebnis = planLehrer(l);
    }
    if (gesammelt) uebernehmeSammlung();
    return ergebnis;
}

// ---------------------------------------------------------------- one pass per run
//
// One sorted insert after the other, with each teacher's substitutions from today on deleted
// before his are planned, gives on a list in date order: the old entries that stay, in their
// order, and before the old entries of each date the new ones of that date in reverse order
// of making. A run therefore only notes the deletes and collects the new substitutions, and
// changes the list once at the end. The capacity test counts as if the list had changed
// step by step. A list out of date order is changed step by step, as the outcome there
// depends on the order of the steps.

bool c_Vertretungsplanerstellung::beginneSammlung() {
    if (k_sammlung) return false;
    int ht, hm, hj;
    getHeute(&ht, &hm, &hj);
    auto s = std::make_unique<Sammlung>();
    bool erstes = true;
    Datum vorher;
    for (const c_Vertretungstermin* v : *k_schulverwaltung->getVertretungsterminliste()) {
        if (!v) continue;
        int d, m, y;
        v->getDatum(&d, &m, &y);
        const Datum datum(y, m, d);
        if (!erstes && datum < vorher) return false;  // out of date order
        erstes = false;
        vorher = datum;
        if (v->getVertretenerLehrer() && isDatumGroesserGleich(d, m, y, ht, hm, hj)) {
            s->abHeute.push_back(v);
            ++s->abHeuteJeLehrer[v->getVertretenerLehrer()];
        }
    }
    k_sammlung = std::move(s);
    return true;
}

void c_Vertretungsplanerstellung::streicheAbHeute(const c_Lehrer* lehrer) {
    if (!k_sammlung) {
        k_schulverwaltung->deleteVertretungenAbHeute(lehrer);
        return;
    }
    Sammlung& s = *k_sammlung;
    if (s.gestrichen.insert(lehrer).second) {
        const auto it = s.abHeuteJeLehrer.find(lehrer);
        if (it != s.abHeuteJeLehrer.end()) s.gestrichenAnzahl += it->second;
        return;
    }
    // Planned a second time in this run: what the first time made goes too (all from today on).
    auto& neu = s.neu;
    neu.erase(std::remove_if(neu.begin(), neu.end(),
                             [lehrer](const auto& v) { return v->getVertretenerLehrer() == lehrer; }),
              neu.end());
}

std::size_t c_Vertretungsplanerstellung::belegt() const {
    const std::size_t n = k_schulverwaltung->getVertretungsterminliste()->size();
    return k_sammlung ? n - k_sammlung->gestrichenAnzahl + k_sammlung->neu.size() : n;
}

void c_Vertretungsplanerstellung::uebernehmeSammlung() {
    std::unique_ptr<Sammlung> s = std::move(k_sammlung);
    c_Vertretungsterminliste& liste = *k_schulverwaltung->getVertretungsterminliste();
    std::unordered_set<const c_Vertretungstermin*> weg;
    for (const c_Vertretungstermin* v : s->abHeute)
        if (s->gestrichen.count(v->getVertretenerLehrer())) weg.insert(v);
    if (!weg.empty()) {
        k_schritte += liste.size();
        liste.deleteIf([&weg](const c_Vertretungstermin* v) { return weg.count(v) != 0; });
    }
    k_schritte += vertretungenEinfuegen(liste, s->neu);
}

bool c_Vertretungsplanerstellung::planLehrer(c_Lehrer* lehrer) {
    if (!lehrer || !k_schulverwaltung || !k_schulverwaltung->getDatabase() || k_voll) return false;
    if (!k_aufgebaut) aufbauen();
    const bool gesammelt = beginneSammlung();
    streicheAbHeute(lehrer);
    const bool ergebnis = planFehlzeiten(lehrer);
    if (gesammelt) uebernehmeSammlung();
    return ergebnis;
}

bool c_Vertretungsplanerstellung::planFehlzeiten(c_Lehrer* lehrer) {
    int ht, hm, hj;
    getHeute(&ht, &hm, &hj);
    bool ergebnis = true;
    for (const c_Fehlzeit* f : *lehrer->getFehlzeitliste()) {
        if (!ergebnis || k_voll) break;
        if (!f) continue;
        int at, am, aj, et, em, ej;
        f->getBeginn(&at, &am, &aj);
        f->getEnde(&et, &em, &ej);
        if (isDatumGroesserGleich(at, am, aj, ht, hm, hj))
            ergebnis = planFehlzeit(lehrer, at, am, aj, et, em, ej);
        else if (isDatumGroesserGleich(et, em, ej, ht, hm, hj))
            ergebnis = planFehlzeit(lehrer, ht, hm, hj, et, em, ej);
    }
    return ergebnis;
}

bool c_Vertretungsplanerstellung::planFehlzeit(c_Lehrer* lehrer, int vtag, int vmonat, int vjahr, int btag,
                                               int bmonat, int bjahr) {
    bool ergebnis = true;
    if (!lehrer || !k_schulverwaltung || !k_schulverwaltung->getDatabase() || k_voll) return ergebnis;
    const std::uint32_t von = Tagesnummer(vtag, vmonat, vjahr);
    const std::uint32_t bis = Tagesnummer(btag, bmonat, bjahr);
    if (von == 0 || bis == 0 || von > bis) return ergebnis;

    const Lehrerdaten* d = daten(lehrer);
    if (!d) return ergebnis;
    bool hatWoche = false;
    for (int tag = 1; tag <= 5; ++tag) hatWoche = hatWoche || !d->woche[tag].empty();

    const std::size_t frei = c_Database::MAX_EINTRAEGE - std::min(c_Database::MAX_EINTRAEGE, belegt());
    std::vector<std::unique_ptr<c_Vertretungstermin>> neue;
    auto planen = [&](const Lektion& l, std::uint32_t nummer) {
        if (neue.size() >= frei) {
            // The store would refuse it: stop here for good.
            if (!k_voll && k_fehlertext) k_fehlertext->append(VERTRETUNGSPLAN_VOLL);
            k_voll = true;
            return false;
        }
        neue.push_back(erzeuge(*l.termin, l.astd, l.estd, lehrer, nummer, ergebnis));
        return true;
    };
    auto tagPlanen = [&](std::uint32_t nummer) {
        const int wtag = wochentagVon(nummer);
        if (wtag > 5) return true;
        for (const Lektion& l : d->woche[wtag])
            if (!planen(l, nummer)) return false;
        auto it = d->einzeln.find(nummer);
        if (it != d->einzeln.end())
            for (const Lektion& l : it->second)
                if (!planen(l, nummer)) return false;
        return true;
    };

    if (hatWoche) {
        for (std::uint32_t nummer = von; nummer <= bis; ++nummer) {
            ++k_schritte;
            if (!tagPlanen(nummer)) break;
            if (nummer == UINT32_MAX) break;
        }
    } else {
        // Only single appointments: go from one of their dates to the next.
        for (auto it = d->einzeln.lower_bound(von); it != d->einzeln.end() && it->first <= bis; ++it) {
            ++k_schritte;
            if (!tagPlanen(it->first)) break;
        }
    }
    einfuegen(neue);
    return ergebnis;
}

std::unique_ptr<c_Vertretungstermin> c_Vertretungsplanerstellung::erzeuge(const c_Termin& stunde, int astd, int estd,
                                                                          c_Lehrer* abwesend,
                                                                          std::uint32_t tagesnummer, bool& ergebnis) {
    auto s = std::make_unique<c_Vertretungstermin>();
    const c_Datenliste* vorlage = k_schulverwaltung->getVertretungsterminStruktur();
    s->setFelder(vorlage ? std::make_unique<c_Datenliste>(*vorlage) : std::make_unique<c_Datenliste>());
    s->setRaum(stunde.getRaum());
    s->setKlasse(stunde.getKlasse());
    s->setFach(stunde.getFach());
    s->setAStd(astd);
    s->setEStd(estd);
    int tag, monat, jahr;
    ausTagesnummer(tagesnummer, &tag, &monat, &jahr);
    s->setDatum(tag, monat, jahr);
    s->setVertretenerLehrer(abwesend);

    // A lesson that begins with the first lesson of the day or ends with the
    // last one is always dropped, so no substitute is looked for.
    const bool randstunde = astd == 1 || estd == k_schulverwaltung->getStundenProTag();
    c_Lehrer* vertreter = randstunde ? nullptr : findVertretungslehrer(s.get());
    if (vertreter) {
        s->setLehrer(vertreter);
        s->setName("Vertretung");
        if (Lehrerdaten* d = daten(vertreter)) d->vertretungen[tagesnummer].push_back({s.get(), astd, estd});
    } else {
        s->setName("Freistunde");
        ergebnis = false;
    }
    return s;
}

c_Lehrer* c_Vertretungsplanerstellung::findVertretungslehrer(const c_Vertretungstermin* s) {
    if (!s) return nullptr;
    if (!k_aufgebaut) aufbauen();
    int tag, monat, jahr;
    s->getDatum(&tag, &monat, &jahr);
    // Date and lessons of the substitution read once, not once per candidate.
    const std::uint32_t nummer = tagesnummerVon(tag, monat, jahr);
    const int a = s->getAStd();
    const int e = s->getEStd();
    const Datum datum(jahr, monat, tag);
    // The first free candidate who teaches the subject; without one, the last free candidate.
    if (const auto it = k_fachKandidaten.find(s->getFach()); it != k_fachKandidaten.end())
        for (std::size_t i : it->second) {
            const auto& [kandidat, d] = k_kandidaten[i];
            if (istAnwesend(*d, datum) && frei(d, s, nummer, a, e)) return kandidat;
        }
    const auto& anwesende = anwesend(datum);
    for (auto it = anwesende.rbegin(); it != anwesende.rend(); ++it)
        if (frei(it->second, s, nummer, a, e)) return it->first;
    return nullptr;
}

bool c_Vertretungsplanerstellung::istAnwesend(const Lehrerdaten& d, const Datum& datum) {
    if (d.beurlaubt) return false;
    for (const auto& [beginn, ende] : d.abwesenheiten)
        if (beginn <= datum && datum <= ende) return false;
    return true;
}

const std::vector<std::pair<c_Lehrer*, c_Vertretungsplanerstellung::Lehrerdaten*>>&
c_Vertretungsplanerstellung::anwesend(const Datum& datum) {
    if (const auto it = k_anwesend.find(datum); it != k_anwesend.end()) return it->second;
    // Kept for the dates of the last few lessons only: a run goes date by date per teacher.
    if (k_anwesend.size() >= 64) k_anwesend.clear();
    auto& liste = k_anwesend[datum];
    for (const auto& kandidat : k_kandidaten)
        if (istAnwesend(*kandidat.second, datum)) liste.push_back(kandidat);
    return liste;
}

bool c_Vertretungsplanerstellung::isLehrerFrei(const c_Lehrer* lehrer, const c_Vertretungstermin* s) {
    if (!s) return false;
    const Lehrerdaten* d = daten(lehrer);
    if (!d) return true;
    int tag, monat, jahr;
    s->getDatum(&tag, &monat, &jahr);
    return frei(d, s, tagesnummerVon(tag, monat, jahr), s->getAStd(), s->getEStd());
}

bool c_Vertretungsplanerstellung::frei(const Lehrerdaten* d, const c_Vertretungstermin* s, std::uint32_t nummer, int a,
                                       int e) const {
    if (nummer == 0) return true;
    const int wtag = wochentagVon(nummer);
    for (const Lektion& l : d->woche[wtag])
        if (blockiert(l.astd, l.estd, a, e)) return false;
    if (auto it = d->einzeln.find(nummer); it != d->einzeln.end())
        for (const Lektion& l : it->second)
            if (blockiert(l.astd, l.estd, a, e)) return false;
    if (auto it = d->vertretungen.find(nummer); it != d->vertretungen.end())
        for (const Lektion& l : it->second)
            if (l.termin != s && blockiert(l.astd, l.estd, a, e)) return false;
    return true;
}

void c_Vertretungsplanerstellung::einfuegen(std::vector<std::unique_ptr<c_Vertretungstermin>>& neue) {
    // The capacity was checked while they were made, so the list takes them all.
    if (k_sammlung) {
        for (auto& v : neue) k_sammlung->neu.push_back(std::move(v));
        neue.clear();
        return;
    }
    k_schritte += vertretungenEinfuegen(*k_schulverwaltung->getVertretungsterminliste(), neue);
}

std::uint64_t vertretungenEinfuegen(c_Vertretungsterminliste& liste,
                                    std::vector<std::unique_ptr<c_Vertretungstermin>>& neue) {
    using Schluessel = std::tuple<int, int, int>;
    std::vector<std::pair<Schluessel, c_Vertretungstermin*>> paare;
    for (auto& s : neue)
        if (s) {
            const Schluessel k = datumSchluessel(s.get());
            paare.emplace_back(k, s.release());
        }
    neue.clear();
    if (paare.empty()) return 0;
    // Each new appointment ends up before the first old entry whose date is its date or later,
    // and among the new ones before that entry in date order, those of one date in reverse
    // order of making: whatever the order they come in.
    std::stable_sort(paare.begin(), paare.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<c_Vertretungstermin*> zugang;
    std::vector<Schluessel> schluessel;
    for (const auto& [k, v] : paare) {
        schluessel.push_back(k);
        zugang.push_back(v);
    }

    // Appointment s goes before the first entry whose date is s's date or later.
    const std::vector<c_Vertretungstermin*> alt(liste.begin(), liste.end());
    std::vector<c_Vertretungstermin*> ergebnis;
    ergebnis.reserve(alt.size() + zugang.size());
    std::size_t j = 0;  // next new appointment
    auto gruppeBis = [&](const Schluessel* grenze) {
        // Takes the new appointments dated `grenze` or earlier (all when null).
        std::size_t ende = j;
        while (ende < zugang.size() && (!grenze || !(*grenze < schluessel[ende]))) ++ende;
        for (std::size_t a = j; a < ende;) {
            std::size_t b = a;
            while (b < ende && schluessel[b] == schluessel[a]) ++b;
            for (std::size_t i = b; i > a; --i) ergebnis.push_back(zugang[i - 1]);
            a = b;
        }
        j = ende;
    };
    for (c_Vertretungstermin* e : alt) {
        if (e && j < zugang.size()) {
            const Schluessel k = datumSchluessel(e);
            gruppeBis(&k);
        }
        ergebnis.push_back(e);
    }
    gruppeBis(nullptr);
    liste.clear();
    for (c_Vertretungstermin* e : ergebnis) liste.push_back(e);
    return ergebnis.size();
}
