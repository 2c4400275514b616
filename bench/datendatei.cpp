// Load and save times of the data file for a synthetic school year at the
// list limits, and for the same year with every count doubled.
//
//   bench_datendatei [repetitions, default 3]
//
// Works in a temporary folder. Each figure is the best of the repetitions. The
// plain read is a LineReader loop over the same file, the floor for loading.

#include "model/database/database.h"
#include "model/datensaetze.h"
#include "model/felder.h"
#include "platform/text.h"
#include "platform/textfile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

using Uhr = std::chrono::steady_clock;

namespace {

struct Umfang {
    std::size_t faecher, lehrer, raeume, klassen, wuensche, einzeltermine, dauertermine, vertretungen, schueler;
    int zensuren, fehlzeiten;  // per student
};

Umfang mal(const Umfang& u, std::size_t f) {
    return {u.faecher * f,       u.lehrer * f,       u.raeume * f,       u.klassen * f,  u.wuensche * f,
            u.einzeltermine * f, u.dauertermine * f, u.vertretungen * f, u.schueler * f, u.zensuren,
            u.fehlzeiten};
}

const char* const kNamen[] = {"Müller", "Schmidt", "Schneider", "Fischer", "Weber",  "Meyer",   "Wagner",
                              "Becker", "Schulz",  "Hoffmann",  "Schäfer", "Koch",   "Bauer",   "Richter",
                              "Klein",  "Wolf",    "Schröder",  "Neumann", "Zimmermann", "Braun", "Krüger"};
const char* const kVornamen[] = {"Anna", "Ben", "Clara", "David", "Emma", "Felix", "Greta", "Hannes",
                                 "Ida",  "Jonas", "Lena", "Mia",  "Noah", "Ole",   "Paula", "Jürgen"};

// A synthetic year: random names and links, lists filled directly (so that
// they may exceed the limit of the inserts) and sorted once, as a loaded
// store would hold them.
class Generator {
public:
    explicit Generator(c_Database& db) : m_db(db), m_zufall(4711) {}

    void erzeuge(const Umfang& u) {
        c_Database& db = m_db;
        for (std::size_t i = 0; i < u.faecher; ++i) db.getFachliste()->push_back(new c_Fach("Fach " + zahl(i)));
        db.getFachliste()->sort();
        for (std::size_t i = 0; i < u.lehrer; ++i) {
            auto* l = new c_Lehrer;
            l->setFelder(person(*db.getLehrerStruktur()));
            l->getFelder()->setInt("PFLICHTSTUNDEN", 20 + static_cast<int>(i % 8));
            auto faecher = std::make_unique<c_Fachliste>();
            for (int k = 0; k < 3; ++k) faecher->push_back(waehle(*db.getFachliste()));
            l->setFachliste(std::move(faecher));
            for (int k = 0; k < 2; ++k) l->getFehlzeitliste()->push_back(fehlzeit());
            db.getLehrerliste()->push_back(l);
        }
        db.getLehrerliste()->sort();
        for (std::size_t i = 0; i < u.raeume; ++i) {
            auto* r = new c_Raum;
            r->setFelder(std::make_unique<c_Datenliste>(*db.getRaumStruktur()));
            r->getFelder()->setString("NAME", "Raum " + zahl(i));
            r->setAktiv(i % 10 != 0);
            auto faecher = std::make_unique<c_Fachliste>();
            for (std::size_t k = 0; k < i % 3; ++k) faecher->push_back(waehle(*db.getFachliste()));
            r->setFachliste(std::move(faecher));
            db.getRaumliste()->push_back(r);
        }
        db.getRaumliste()->sort();
        for (std::size_t i = 0; i < u.klassen; ++i) {
            auto* k = new c_Klasse;
            k->setFelder(std::make_unique<c_Datenliste>(*db.getKlasseStruktur()));
            k->setJahrgangBez(5 + static_cast<int>(i % 8), static_cast<char>('a' + (i / 8) % 26));
            k->setName("Klasse " + zahl(i));
            k->setKlassenraum(waehle(*db.getRaumliste()));
            k->setKlassenlehrer(waehle(*db.getLehrerliste()));
            db.getKlassenliste()->push_back(k);
        }
        db.getKlassenliste()->sort();
        for (std::size_t i = 0; i < u.wuensche; ++i) {
            auto* w = new c_Wunsch;
            w->setJahrgang(5 + static_cast<int>(i % 8));
            w->setFach(waehle(*db.getFachliste()));
            w->setStunden(static_cast<int>(i % 5) + 1);
            w->setStunden2(static_cast<int>(i % 4) + 1);
            db.getCurriculum()->push_back(w);
        }
        for (std::size_t i = 0; i < u.einzeltermine; ++i) {
            auto* t = new c_Einzeltermin;
            t->setFelder(std::make_unique<c_Datenliste>(*db.getEinzelterminStruktur()));
            termin(*t);
            t->setDatum(tag(), monat(), 2024);
            t->setName("Termin " + zahl(i));
            db.getEinzelterminliste()->push_back(t);
        }
        db.getEinzelterminliste()->sort();
        for (std::size_t i = 0; i < u.dauertermine; ++i) {
            auto* t = new c_Dauertermin;
            t->setFelder(std::make_unique<c_Datenliste>(*db.getDauerterminStruktur()));
            termin(*t);
            t->setWochentag(WOCHENTAGE[1 + i % 6]);
            db.getDauerterminliste()->push_back(t);
        }
        for (std::size_t i = 0; i < u.vertretungen; ++i) {
            auto* t = new c_Vertretungstermin;
            t->setFelder(std::make_unique<c_Datenliste>(*db.getVertretungsterminStruktur()));
            termin(*t);
            t->setDatum(tag(), monat(), 2024);
            t->setVertretenerLehrer(waehle(*db.getLehrerliste()));
            db.getVertretungsterminliste()->push_back(t);
        }
        db.getVertretungsterminliste()->sort();
        for (std::size_t i = 0; i < u.schueler; ++i) {
            auto* s = new c_Schueler;
            s->setFelder(person(*db.getSchuelerStruktur()));
            s->setKlasse(waehle(*db.getKlassenliste()));
            for (int k = 0; k < u.zensuren; ++k) {
                auto* z = new c_Zensur;
                z->setFelder(std::make_unique<c_Datenliste>(*db.getZensurStruktur()));
                z->getFelder()->setString("ZENSUR", std::to_string(1 + k % 6));
                z->getFelder()->setString("BEMERKUNG", k % 3 == 0 ? "mündlich" : "");
                z->setFach(waehle(*db.getFachliste()));
                s->getZensurliste()->push_back(z);
            }
            for (int k = 0; k < u.fehlzeiten; ++k) s->getFehlzeitliste()->push_back(fehlzeit());
            db.getSchuelerliste()->push_back(s);
        }
        db.getSchuelerliste()->sort();
    }

private:
    std::string zahl(std::size_t i) { return std::to_string(m_zufall() % 100000) + "-" + std::to_string(i); }
    int tag() { return 1 + static_cast<int>(m_zufall() % 28); }
    int monat() { return 1 + static_cast<int>(m_zufall() % 12); }

    template <class L>
    typename L::value_type waehle(const L& liste) {
        return liste.empty() ? nullptr : liste.nth(1 + static_cast<int>(m_zufall() % liste.size()));
    }

    std::unique_ptr<c_Datenliste> person(const c_Datenliste& vorlage) {
        auto f = std::make_unique<c_Datenliste>(vorlage);
        f->setString("NAME", kNamen[m_zufall() % std::size(kNamen)]);
        f->setString("VORNAME", kVornamen[m_zufall() % std::size(kVornamen)]);
        f->setString("STRASSE", "Hauptstraße " + std::to_string(m_zufall() % 200));
        f->setInt("PLZ", 10000 + static_cast<int>(m_zufall() % 89999));
        f->setString("ORT", "Köln");
        f->setInt("TAG", tag());
        f->setInt("MONAT", monat());
        f->setInt("JAHR", 1960 + static_cast<int>(m_zufall() % 60));
        return f;
    }

    c_Fehlzeit* fehlzeit() {
        auto* f = new c_Fehlzeit;
        f->setFelder(std::make_unique<c_Datenliste>(*m_db.getFehlzeitStruktur()));
        const int t = tag(), m = monat();
        for (auto [k, v] : {std::pair<const char*, int>{"ATAG", t}, {"AMONAT", m}, {"AJAHR", 2024}, {"ETAG", t},
                            {"EMONAT", m}, {"EJAHR", 2024}})
            f->getFelder()->setInt(k, v);
        return f;
    }

    void termin(c_Termin& t) {
        const int a = 1 + static_cast<int>(m_zufall() % 6);
        t.setAStd(a);
        t.setEStd(a + static_cast<int>(m_zufall() % 2));
        t.setKlasse(waehle(*m_db.getKlassenliste()));
        t.setRaum(waehle(*m_db.getRaumliste()));
        t.setLehrer(waehle(*m_db.getLehrerliste()));
        t.setFach(waehle(*m_db.getFachliste()));
    }

    c_Database& m_db;
    std::mt19937 m_zufall;
};

double sekunden(Uhr::time_point a, Uhr::time_point b) { return std::chrono::duration<double>(b - a).count(); }

struct Messung {
    double lesen = 1e9, laden = 1e9, speichern = 1e9;
    std::size_t bytes = 0, zeilen = 0;
    bool ok = true;
};

std::size_t datensaetze(c_Database& db) {
    return db.getFachliste()->size() + db.getLehrerliste()->size() + db.getRaumliste()->size() +
           db.getKlassenliste()->size() + db.getCurriculum()->size() + db.getEinzelterminliste()->size() +
           db.getDauerterminliste()->size() + db.getVertretungsterminliste()->size() + db.getSchuelerliste()->size();
}

Messung miss(const Umfang& u, int wiederholungen) {
    Messung m;
    std::string fehler;
    c_Database quelle(nullptr, &fehler);  // the templates of orvask.str
    Generator(quelle).erzeuge(u);
    const std::size_t anzahl = datensaetze(quelle);

    for (int i = 0; i < wiederholungen; ++i) {
        auto a = Uhr::now();
        m.ok = quelle.save("bench.sdb") && m.ok;
        auto b = Uhr::now();
        m.speichern = std::min(m.speichern, sekunden(a, b));

        a = Uhr::now();
        text::LineReader leser;
        leser.open("bench.sdb");
        std::string zeile;
        std::size_t zeilen = 0, zeichen = 0;
        while (leser.readLine(zeile)) {
            ++zeilen;
            zeichen += zeile.size();
        }
        b = Uhr::now();
        m.lesen = std::min(m.lesen, sekunden(a, b));
        m.zeilen = zeilen;
        m.bytes = std::filesystem::file_size("bench.sdb");
        if (zeichen == 0) m.ok = false;

        std::string ladefehler;
        a = Uhr::now();
        {
            c_Database geladen("bench.sdb", &ladefehler);
            b = Uhr::now();
            m.ok = m.ok && geladen.isGeladen() && ladefehler.empty() && datensaetze(geladen) == anzahl;
        }
        m.laden = std::min(m.laden, sekunden(a, b));
    }
    return m;
}

void zeige(const char* titel, const Umfang& u, const Messung& m) {
    std::printf("%s: %zu Schueler (je %d Zensuren, %d Fehlzeiten), %zu Dauer-, %zu Einzel-, %zu Vertretungstermine,\n"
                "  %zu Lehrer, %zu Raeume, %zu Klassen, %zu Faecher, %zu Lehrplaneintraege\n",
                titel, u.schueler, u.zensuren, u.fehlzeiten, u.dauertermine, u.einzeltermine, u.vertretungen, u.lehrer,
                u.raeume, u.klassen, u.faecher, u.wuensche);
    std::printf("  Datei %.1f MB, %zu Zeilen\n", m.bytes / 1e6, m.zeilen);
    std::printf("  zeilenweise lesen %8.3f s\n  laden             %8.3f s  (%.1f x lesen)\n  speichern         %8.3f s\n",
                m.lesen, m.laden, m.laden / m.lesen, m.speichern);
    if (!m.ok) std::printf("  FEHLER: Laden oder Speichern schlug fehl oder lieferte andere Anzahlen\n");
}

}  // namespace

int main(int argc, char** argv) {
    const int wiederholungen = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::string ordner = (std::filesystem::temp_directory_path() / "orvask-bench-XXXXXX").string();
    if (!::mkdtemp(&ordner[0])) {
        std::perror("mkdtemp");
        return 1;
    }
    const auto alt = std::filesystem::current_path();
    std::filesystem::current_path(ordner);
    {
        std::string fehler;
        c_Database schreibtStruktur(nullptr, &fehler);  // writes the default orvask.str
    }

    const Umfang grenze = {200, 1000, 500, 300, 100, 32000, 32000, 32000, 32000, 10, 2};
    const Messung einfach = miss(grenze, wiederholungen);
    zeige("An den Listengrenzen", grenze, einfach);
    const Umfang doppelt = mal(grenze, 2);
    const Messung zweifach = miss(doppelt, wiederholungen);
    zeige("Alles verdoppelt", doppelt, zweifach);
    std::printf("Verdopplung: laden x%.2f, speichern x%.2f, lesen x%.2f\n", zweifach.laden / einfach.laden,
                zweifach.speichern / einfach.speichern, zweifach.lesen / einfach.lesen);

    std::filesystem::current_path(alt);
    std::filesystem::remove_all(ordner);
    return einfach.ok && zweifach.ok ? 0 : 1;
}
