// Schools for the planning tests and the planning benchmark: a builder for
// hand-made schools, the realistic school of the benchmark, random schools,
// a text form of the weekly plan and the invariants every generated plan
// keeps. Header only and free of the test framework, so bench/ can use it.
#pragma once

#include "model/datensaetze.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "planning/stundenplanerstellung.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace planung_schule {

// Runs the owner in a fresh scratch folder (the store reads and writes its
// structure file in the working folder) and goes back afterwards.
class Arbeitsordner {
public:
    Arbeitsordner() {
        k_alt = std::filesystem::current_path();
        std::string muster = (std::filesystem::temp_directory_path() / "orvask-planung-XXXXXX").string();
        if (::mkdtemp(&muster[0])) {
            k_ordner = muster;
            std::filesystem::current_path(k_ordner);
        }
    }
    ~Arbeitsordner() {
        std::error_code ec;
        std::filesystem::current_path(k_alt, ec);
        if (!k_ordner.empty()) std::filesystem::remove_all(k_ordner, ec);
    }
    Arbeitsordner(const Arbeitsordner&) = delete;
    Arbeitsordner& operator=(const Arbeitsordner&) = delete;

private:
    std::filesystem::path k_alt, k_ordner;
};

// A school built record by record through the front end.
class Schule {
public:
    Schule() : sv(std::make_unique<c_Schulverwaltung>()) {
        // In a folder without structure file the first store writes the default
        // one and has empty templates; the second reads it.
        if (sv->getKlasseStruktur()->empty()) {
            std::string fehler;
            sv->reset(&fehler);
        }
    }

    c_Schulverwaltung& operator*() { return *sv; }
    c_Schulverwaltung* operator->() { return sv.get(); }
    c_Schulverwaltung* get() { return sv.get(); }

    c_Fach* fach(const std::string& name) {
        auto f = std::make_unique<c_Fach>(name);
        c_Fach* roh = f.get();
        sv->addFach(f);
        return roh;
    }

    c_Lehrer* lehrer(const std::string& name, int pflicht, std::initializer_list<c_Fach*> faecher,
                     bool urlaub = false) {
        return lehrer(name, pflicht, std::vector<c_Fach*>(faecher), urlaub);
    }
    c_Lehrer* lehrer(const std::string& name, int pflicht, const std::vector<c_Fach*>& faecher, bool urlaub = false) {
        auto l = std::make_unique<c_Lehrer>();
        l->setFelder(std::make_unique<c_Datenliste>(*sv->getLehrerStruktur()));
        l->getFelder()->setString("NAME", name);
        l->getFelder()->setString("VORNAME", "V");
        l->getFelder()->setInt("PFLICHTSTUNDEN", pflicht);
        l->getFelder()->setBool("URLAUB", urlaub);
        auto liste = std::make_unique<c_Fachliste>();
        for (c_Fach* f : faecher) liste->push_back(f);
        l->setFachliste(std::move(liste));
        c_Lehrer* roh = l.get();
        sv->addLehrer(l);
        return roh;
    }

    c_Raum* raum(const std::string& name, std::initializer_list<c_Fach*> faecher = {}, bool aktiv = true) {
        return raum(name, std::vector<c_Fach*>(faecher), aktiv);
    }
    c_Raum* raum(const std::string& name, const std::vector<c_Fach*>& faecher, bool aktiv = true) {
        auto r = std::make_unique<c_Raum>();
        r->setFelder(std::make_unique<c_Datenliste>(*sv->getRaumStruktur()));
        r->getFelder()->setString("NAME", name);
        r->setAktiv(aktiv);
        auto liste = std::make_unique<c_Fachliste>();
        for (c_Fach* f : faecher) liste->push_back(f);
        r->setFachliste(std::move(liste));
        c_Raum* roh = r.get();
        sv->addRaum(r);
        return roh;
    }

    c_Klasse* klasse(int jahrgang, char bez, c_Raum* klassenraum = nullptr, c_Lehrer* klassenlehrer = nullptr) {
        auto k = std::make_unique<c_Klasse>();
        k->setFelder(std::make_unique<c_Datenliste>(*sv->getKlasseStruktur()));
        k->setJahrgangBez(jahrgang, bez);
        k->setKlassenraum(klassenraum);
        k->setKlassenlehrer(klassenlehrer);
        c_Klasse* roh = k.get();
        sv->addKlasse(k);
        return roh;
    }

    c_Wunsch* wunsch(int jahrgang, c_Fach* fach, int stunden) {
        auto w = std::make_unique<c_Wunsch>();
        w->setJahrgang(jahrgang);
        w->setFach(fach);
        w->setStunden(stunden);
        c_Wunsch* roh = w.get();
        sv->addWunsch(w);
        return roh;
    }

    // A weekly appointment stored as the weekly appointment dialog stores it:
    // the teacher's counter grows by its span.
    c_Dauertermin* dauertermin(const std::string& tag, int astd, int estd, c_Klasse* k, c_Fach* f, c_Lehrer* l,
                               c_Raum* r) {
        auto t = std::make_unique<c_Dauertermin>();
        t->setFelder(std::make_unique<c_Datenliste>(*sv->getDauerterminStruktur()));
        t->setWochentag(tag);
        t->setAStd(astd);
        t->setEStd(estd);
        t->setKlasse(k);
        t->setFach(f);
        t->setLehrer(l);
        t->setRaum(r);
        c_Dauertermin* roh = t.get();
        TerminErgebnis wie;
        sv->addDauertermin(t, &wie);
        if (wie != TerminErgebnis::Gespeichert) return nullptr;
        if (l) l->setVergebeneStunden(l->getVergebeneStunden() + estd - astd + 1);
        return roh;
    }

    c_Einzeltermin* einzeltermin(int tag, int monat, int jahr, int astd, int estd, c_Klasse* k, c_Fach* f,
                                 c_Lehrer* l, c_Raum* r) {
        auto t = std::make_unique<c_Einzeltermin>();
        t->setFelder(std::make_unique<c_Datenliste>(*sv->getEinzelterminStruktur()));
        t->setDatum(tag, monat, jahr);
        t->setAStd(astd);
        t->setEStd(estd);
        t->setName("Termin");
        t->setKlasse(k);
        t->setFach(f);
        t->setLehrer(l);
        t->setRaum(r);
        c_Einzeltermin* roh = t.get();
        sv->addEinzeltermin(t);
        return t ? nullptr : roh;
    }

    void fehlzeit(c_Lehrer* l, int at, int am, int aj, int et, int em, int ej) {
        auto f = std::make_unique<c_Fehlzeit>();
        f->setFelder(std::make_unique<c_Datenliste>(*sv->getFehlzeitStruktur()));
        c_Datenliste& d = *f->getFelder();
        d.setInt("ATAG", at);
        d.setInt("AMONAT", am);
        d.setInt("AJAHR", aj);
        d.setInt("ETAG", et);
        d.setInt("EMONAT", em);
        d.setInt("EJAHR", ej);
        l->getFehlzeitliste()->push_back(f.release());
    }

    std::unique_ptr<c_Schulverwaltung> sv;
};

inline std::string klassenName(const c_Klasse* k) {
    if (!k) return "-";
    std::string s = std::to_string(k->getJahrgang());
    if (k->getBez()) s += k->getBez();
    return s;
}

inline std::string kurz(const std::string& tag) { return tag.substr(0, 2); }

// One line per weekly appointment in list order:
// "Mo 1-1 5a De Lehrer Raum".
inline std::string planText(c_Schulverwaltung& sv) {
    std::string s;
    for (const c_Dauertermin* t : *sv.getDauerterminliste()) {
        s += kurz(t->getWochentag()) + " " + std::to_string(t->getAStd()) + "-" + std::to_string(t->getEStd()) + " " +
             klassenName(t->getKlasse()) + " " + (t->getFach() ? t->getFach()->getName() : "-") + " " +
             (t->getLehrer() ? t->getLehrer()->getName() : "-") + " " + (t->getRaum() ? t->getRaum()->getName() : "-") +
             "\n";
    }
    return s;
}

// Violations of the invariants of a generated plan; empty when it is sound.
// pflicht: also every teacher's counter within PFLICHTSTUNDEN.
inline std::vector<std::string> invarianten(c_Schulverwaltung& sv, bool pflicht) {
    std::vector<std::string> fehler;
    const int tage = sv.getSamstag() ? 6 : 5;
    const int stunden = sv.getStundenProTag();
    std::set<std::tuple<int, int, const void*>> klassen, lehrer, raeume;
    std::map<const c_Lehrer*, long long> summe;
    for (const c_Dauertermin* t : *sv.getDauerterminliste()) {
        int tag = 0;
        for (int d = 1; d <= tage; ++d)
            if (t->getWochentag() == Stundenplanerstellung::getWochentag(d)) tag = d;
        if (tag == 0) fehler.push_back("Wochentag ausserhalb der Schultage: " + t->getWochentag());
        if (t->getAStd() < 1 || t->getEStd() > stunden || t->getAStd() > t->getEStd())
            fehler.push_back("Stunde ausserhalb 1.." + std::to_string(stunden) + ": " + std::to_string(t->getAStd()) +
                             "-" + std::to_string(t->getEStd()));
        if (t->getLehrer()) summe[t->getLehrer()] += t->getEStd() - t->getAStd() + 1;
        for (int k = t->getAStd(); k <= t->getEStd() && k - t->getAStd() < 64; ++k) {
            if (!klassen.insert({tag, k, t->getKlasse()}).second)
                fehler.push_back("Klasse doppelt: " + klassenName(t->getKlasse()) + " " + t->getWochentag() + " " +
                                 std::to_string(k));
            if (t->getLehrer() && !lehrer.insert({tag, k, t->getLehrer()}).second)
                fehler.push_back("Lehrer doppelt: " + t->getLehrer()->getName() + " " + t->getWochentag() + " " +
                                 std::to_string(k));
            if (t->getRaum() && !raeume.insert({tag, k, t->getRaum()}).second)
                fehler.push_back("Raum doppelt: " + t->getRaum()->getName() + " " + t->getWochentag() + " " +
                                 std::to_string(k));
        }
    }
    for (const c_Lehrer* l : *sv.getLehrerliste()) {
        const long long s = summe.count(l) ? summe[l] : 0;
        if (l->getVergebeneStunden() != s)
            fehler.push_back("Zaehler von " + l->getName() + " ist " + std::to_string(l->getVergebeneStunden()) +
                             ", Summe " + std::to_string(s));
        if (pflicht && l->getVergebeneStunden() > l->getPflichtstunden())
            fehler.push_back("Pflichtstunden von " + l->getName() + " ueberschritten");
    }
    return fehler;
}

// The lessons per (class, subject) in the plan.
inline std::map<std::pair<const c_Klasse*, const c_Fach*>, int> stundenJeKlasseUndFach(c_Schulverwaltung& sv) {
    std::map<std::pair<const c_Klasse*, const c_Fach*>, int> n;
    for (const c_Dauertermin* t : *sv.getDauerterminliste())
        n[{t->getKlasse(), t->getFach()}] += t->getEStd() - t->getAStd() + 1;
    return n;
}

// The school of the benchmark: grade levels 5 to 10 with four classes each
// (every class with a class room and a class teacher), 55 teachers with two or
// three subjects, 40 rooms of which 12 are subject rooms, 30 lessons a week
// per level over 10 subjects, 6 lessons a day.
struct Realistisch {
    std::vector<c_Fach*> faecher;
    std::vector<c_Lehrer*> lehrer;
    std::vector<c_Klasse*> klassen;
};

// With samstag, lessons are also planned on Saturdays; stunden lessons a day.
inline Realistisch baueRealistischeSchule(Schule& s, bool samstag = false, int stundenProTag = 6) {
    Realistisch r;
    s->setStundenProTag(stundenProTag);
    s->setSamstag(samstag);
    const char* namen[10] = {"Biologie", "Deutsch", "Englisch", "Erdkunde", "Franzoesisch",
                             "Geschichte", "Mathematik", "Musik", "Physik", "Sport"};
    const int stunden[10] = {2, 5, 4, 2, 3, 2, 5, 2, 2, 3};
    for (const char* n : namen) r.faecher.push_back(s.fach(n));
    auto F = [&](int i) { return r.faecher[static_cast<std::size_t>(i)]; };
    // Teachers: subject combinations chosen so that every subject has about
    // a third more capacity than demand.
    const int kombi[][3] = {{1, 5, -1}, {1, 2, -1}, {6, 8, -1}, {6, 9, -1}, {2, 4, -1}, {1, 3, -1}, {6, 0, -1},
                            {7, 9, -1}, {1, 6, 3},  {2, 5, 9}, {6, 8, 0},  {4, 1, -1}, {6, 3, -1}, {0, 9, -1},
                            {2, 7, -1}, {1, 9, 5},  {6, 2, -1}, {8, 6, -1}, {5, 1, 3},  {4, 2, 7}};
    for (int i = 0; i < 55; ++i) {
        const int* k = kombi[i % 20];
        std::vector<c_Fach*> fl;
        for (int j = 0; j < 3; ++j)
            if (k[j] >= 0) fl.push_back(F(k[j]));
        char name[16];
        std::snprintf(name, sizeof name, "Lehrer%02d", i + 1);
        r.lehrer.push_back(s.lehrer(name, 24 + i % 4, fl));
    }
    // Subject rooms: 2 biology, 2 physics, 2 music, 3 sport, 1 geography,
    // 1 history, 1 English.
    const int fachraum[12] = {0, 0, 8, 8, 7, 7, 9, 9, 9, 3, 5, 2};
    for (int i = 0; i < 12; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "F%02d", i + 1);
        s.raum(name, {F(fachraum[i])});
    }
    std::vector<c_Raum*> normal;
    for (int i = 0; i < 28; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "R%02d", i + 1);
        normal.push_back(s.raum(name));
    }
    int n = 0;
    for (int j = 5; j <= 10; ++j)
        for (char b = 'a'; b <= 'd'; ++b, ++n)
            r.klassen.push_back(s.klasse(j, b, normal[static_cast<std::size_t>(n)],
                                         r.lehrer[static_cast<std::size_t>(n * 2)]));
    for (int j = 5; j <= 10; ++j)
        for (int i = 0; i < 10; ++i) s.wunsch(j, F(i), stunden[i]);
    return r;
}

// A small random school; the same seed always gives the same school.
// lehrerReichlich: enough teachers with enough hours for every subject.
inline void baueZufallsschule(Schule& s, std::uint32_t seed, bool lehrerReichlich = true) {
    std::mt19937 z(seed);
    auto zahl = [&](int von, int bis) { return von + static_cast<int>(z() % static_cast<std::uint32_t>(bis - von + 1)); };
    s->setStundenProTag(zahl(4, 7));
    s->setSamstag(zahl(0, 3) == 0);
    const int nFaecher = zahl(2, 5);
    std::vector<c_Fach*> faecher;
    for (int i = 0; i < nFaecher; ++i) faecher.push_back(s.fach("Fach" + std::to_string(i)));
    const int nLehrer = zahl(2, 7);
    std::vector<c_Lehrer*> lehrer;
    for (int i = 0; i < nLehrer; ++i) {
        std::vector<c_Fach*> fl;
        for (c_Fach* f : faecher)
            if (zahl(0, 2) == 0) fl.push_back(f);
        if (lehrerReichlich && fl.empty()) fl.push_back(faecher[static_cast<std::size_t>(i) % faecher.size()]);
        lehrer.push_back(s.lehrer("L" + std::to_string(i), lehrerReichlich ? zahl(15, 30) : zahl(2, 10), fl,
                                  zahl(0, 9) == 0));
    }
    if (lehrerReichlich)
        for (c_Fach* f : faecher) s.lehrer("Reserve" + f->getName(), 40, {f});
    std::vector<c_Raum*> raeume;
    const int nRaeume = zahl(1, 6);
    for (int i = 0; i < nRaeume; ++i) {
        std::vector<c_Fach*> fl;
        if (zahl(0, 2) == 0) fl.push_back(faecher[static_cast<std::size_t>(zahl(0, nFaecher - 1))]);
        raeume.push_back(s.raum("Raum" + std::to_string(i), fl, zahl(0, 7) != 0));
    }
    const int nJahrgaenge = zahl(1, 2);
    for (int j = 5; j < 5 + nJahrgaenge; ++j) {
        const int nKlassen = zahl(1, 3);
        for (int k = 0; k < nKlassen; ++k) {
            c_Raum* kr = zahl(0, 1) ? raeume[static_cast<std::size_t>(zahl(0, nRaeume - 1))] : nullptr;
            c_Lehrer* kl = zahl(0, 2) == 0 ? lehrer[static_cast<std::size_t>(zahl(0, nLehrer - 1))] : nullptr;
            s.klasse(j, static_cast<char>('a' + k), kr, kl);
        }
        for (c_Fach* f : faecher)
            if (zahl(0, 3) != 0) s.wunsch(j, f, zahl(1, 4));
    }
}

}  // namespace planung_schule
