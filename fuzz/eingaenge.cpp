#include "fuzz/eingaenge.h"

#include "model/datensaetze.h"
#include "model/schulverwaltung/schulverwaltung.h"

#include <fstream>
#include <vector>
#include <iterator>
#include <unordered_set>

namespace fuzz {

namespace {

void schreibe(const char* name, const std::uint8_t* daten, std::size_t groesse) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(daten), static_cast<std::streamsize>(groesse));
}

std::string lese(const char* name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Saves, loads the saved file and saves again; empty when both files are the same.
std::string rundreise(c_Schulverwaltung& sv) {
    if (sv.save("erste.sdb") != 1) return "Speichern schlug fehl";
    c_Schulverwaltung zweite;
    std::string fehler;
    if (!zweite.load("erste.sdb", &fehler)) return "Gespeicherte Datei laedt nicht: " + fehler;
    if (!fehler.empty()) return "Gespeicherte Datei meldet: " + fehler;
    if (!zweite.save("zweite.sdb")) return "Zweites Speichern schlug fehl";
    if (lese("erste.sdb") != lese("zweite.sdb")) return "Zweites Speichern ergibt andere Bytes";
    return std::string();
}

template <class L>
std::unordered_set<const void*> menge(const L& liste) {
    std::unordered_set<const void*> m;
    for (const auto* p : liste) m.insert(p);
    return m;
}

// Every link of every record points to a record of the store, or is empty.
std::string linksPruefen(c_Schulverwaltung& sv) {
    const auto faecher = menge(*sv.getFachliste());
    const auto lehrer = menge(*sv.getLehrerliste());
    const auto raeume = menge(*sv.getRaumliste());
    const auto klassen = menge(*sv.getKlassenliste());
    std::string fehler;
    auto pruefe = [&](const std::unordered_set<const void*>& m, const void* p, const char* was) {
        if (p && !m.count(p)) fehler += std::string(was) + " zeigt ins Leere; ";
    };
    auto termin = [&](const c_Termin* t) {
        if (!t) return;
        pruefe(faecher, t->getFach(), "Fach eines Termins");
        pruefe(lehrer, t->getLehrer(), "Lehrer eines Termins");
        pruefe(raeume, t->getRaum(), "Raum eines Termins");
        pruefe(klassen, t->getKlasse(), "Klasse eines Termins");
    };
    for (const c_Lehrer* l : *sv.getLehrerliste())
        if (l && l->getFachliste())
            for (const c_Fach* f : *l->getFachliste()) pruefe(faecher, f, "Fach eines Lehrers");
    for (const c_Raum* r : *sv.getRaumliste())
        if (r && r->getFachliste())
            for (const c_Fach* f : *r->getFachliste()) pruefe(faecher, f, "Fach eines Raums");
    for (const c_Klasse* k : *sv.getKlassenliste())
        if (k) {
            pruefe(raeume, k->getKlassenraum(), "Klassenraum");
            pruefe(lehrer, k->getKlassenlehrer(), "Klassenlehrer");
        }
    for (const c_Wunsch* w : *sv.getCurriculum())
        if (w) pruefe(faecher, w->getFach(), "Fach eines Wunsches");
    for (const c_Einzeltermin* t : *sv.getEinzelterminliste()) termin(t);
    for (const c_Dauertermin* t : *sv.getDauerterminliste()) termin(t);
    for (const c_Vertretungstermin* t : *sv.getVertretungsterminliste()) {
        termin(t);
        if (t) pruefe(lehrer, t->getVertretenerLehrer(), "vertretener Lehrer");
    }
    for (const c_Schueler* s : *sv.getSchuelerliste())
        if (s) {
            pruefe(klassen, s->getKlasse(), "Klasse eines Schuelers");
            for (const c_Zensur* z : *s->getZensurliste())
                if (z) pruefe(faecher, z->getFach(), "Fach einer Zensur");
        }
    return fehler;
}

// The n-th records of a list at most `hoechstens` of them, spread over the whole list.
template <class L>
std::vector<typename L::value_type> auswahl(const L& liste, std::size_t hoechstens) {
    std::vector<typename L::value_type> v;
    const std::size_t schritt = liste.size() / hoechstens + 1;
    for (std::size_t i = 0; i < liste.size(); i += schritt) v.push_back(*(liste.begin() + static_cast<std::ptrdiff_t>(i)));
    return v;
}

void abfragen(c_Schulverwaltung& sv) {
    static const char* const tage[] = {"Montag", "Dienstag", "Samstag", "Sonntag", ""};
    int tag = 4, monat = 3, jahr = 2024;
    if (!sv.getEinzelterminliste()->empty() && sv.getEinzelterminliste()->front())
        sv.getEinzelterminliste()->front()->getDatum(&tag, &monat, &jahr);
    for (c_Klasse* k : auswahl(*sv.getKlassenliste(), 8)) {
        sv.getSchuelerDerKlasse(k);
        sv.getDauertermineKlasse(k);
        sv.getEinzeltermineKlasse(tag, monat, jahr, k);
        sv.getVertretungstermineKlasse(tag, monat, jahr, k);
        for (const c_Fach* f : auswahl(*sv.getFachliste(), 4)) sv.getGeplanteStunden(k, f);
        for (const char* t : tage) sv.isKlasseBelegt(t, 1, k);
    }
    for (c_Lehrer* l : auswahl(*sv.getLehrerliste(), 8)) {
        sv.getDauertermineLehrer(l);
        sv.getEinzeltermineLehrer(tag, monat, jahr, l);
        sv.getVertretungstermineLehrer(tag, monat, jahr, l);
        for (const char* t : tage) sv.isLehrerBelegt(t, 2, l);
    }
    for (c_Raum* r : auswahl(*sv.getRaumliste(), 8)) {
        sv.getDauertermineRaum(r);
        sv.getEinzeltermineRaum(tag, monat, jahr, r);
        sv.getVertretungstermineRaum(tag, monat, jahr, r);
        sv.isKlassenraum(r);
        sv.existsRaumname(r);
        for (const char* t : tage) {
            sv.isRaumBelegt(t, 3, r);
            sv.getDauerterminVorher(t, 3, r);
        }
    }
    for (c_Fach* f : auswahl(*sv.getFachliste(), 8)) {
        sv.getRaeumeFuerFach(f);
        sv.findLehrerFuerFach(f, 2);
    }
    sv.getFreieRaeume();
    sv.getAktiveRaeume();
}

// A copy of a stored appointment collides with it: the add returns a proposal.
void termineHinzufuegen(c_Schulverwaltung& sv) {
    for (c_Einzeltermin* t : auswahl(*sv.getEinzelterminliste(), 4)) {
        if (!t) continue;
        auto neu = t->kopie();
        sv.addEinzeltermin(neu);
    }
    for (c_Dauertermin* t : auswahl(*sv.getDauerterminliste(), 4)) {
        if (!t) continue;
        auto neu = t->kopie();
        sv.addDauertermin(neu);
    }
}

void loeschen(c_Schulverwaltung& sv) {
    for (c_Fach* f : auswahl(*sv.getFachliste(), 4)) sv.deleteFach(f);
    for (c_Raum* r : auswahl(*sv.getRaumliste(), 4)) sv.deleteRaum(r);
    for (c_Lehrer* l : auswahl(*sv.getLehrerliste(), 4)) sv.deleteLehrer(l);
    if (!sv.getKlassenliste()->empty()) sv.deleteKlasse(sv.getKlassenliste()->front());
    if (!sv.getSchuelerliste()->empty()) sv.deleteSchueler(sv.getSchuelerliste()->back());
    if (!sv.getEinzelterminliste()->empty()) sv.deleteEinzeltermin(sv.getEinzelterminliste()->front());
    if (!sv.getDauerterminliste()->empty()) sv.deleteDauertermin(sv.getDauerterminliste()->front());
    if (!sv.getVertretungsterminliste()->empty())
        sv.deleteVertretungstermin(sv.getVertretungsterminliste()->front());
    if (!sv.getCurriculum()->empty()) sv.deleteWunsch(sv.getCurriculum()->front());
    for (c_Lehrer* l : auswahl(*sv.getLehrerliste(), 2)) sv.deleteVertretungenZeitraum(l, 1, 1, 2000, 31, 12, 2030);
}

}  // namespace

std::string datendatei(const std::uint8_t* daten, std::size_t groesse) {
    schreibe("aktuell.sdb", daten, groesse);
    c_Schulverwaltung sv;
    std::string fehler;
    if (!sv.load("aktuell.sdb", &fehler)) return std::string();
    // Only a year that loaded is saved back; with a message the program keeps the old file too.
    return rundreise(sv);
}

std::string strukturdatei(const std::uint8_t* daten, std::size_t groesse) {
    schreibe("orvask.str", daten, groesse);
    c_Schulverwaltung sv;
    std::string fehler;
    sv.reset(&fehler);
    if (!fehler.empty() || !sv.getDatabase() || !sv.getDatabase()->isGeladen()) return std::string();
    return rundreise(sv);
}

std::string jahrgang(const std::uint8_t* daten, std::size_t groesse) {
    schreibe("aktuell.sdb", daten, groesse);
    c_Schulverwaltung sv;
    std::string fehler;
    if (!sv.load("aktuell.sdb", &fehler)) return std::string();
    std::string befund = linksPruefen(sv);
    if (!befund.empty()) return "Nach dem Laden: " + befund;

    abfragen(sv);
    termineHinzufuegen(sv);
    loeschen(sv);
    befund = linksPruefen(sv);
    if (!befund.empty()) return "Nach dem Loeschen: " + befund;

    c_Schuelerliste wiederholer;
    for (c_Schueler* s : auswahl(*sv.getSchuelerliste(), 16)) wiederholer.push_back(s);
    sv.changeSchuljahr(&wiederholer, false);
    befund = linksPruefen(sv);
    if (!befund.empty()) return "Nach dem Schuljahreswechsel: " + befund;
    abfragen(sv);
    sv.clearStundenplan(true);
    if (!sv.getDauerterminliste()->empty()) return "clearStundenplan liess Dauertermine uebrig";
    for (const c_Schueler* s : *sv.getSchuelerliste())
        if (s && !s->getZensurliste()->empty()) return "clearStundenplan liess Zensuren uebrig";
    return rundreise(sv);
}

}  // namespace fuzz
