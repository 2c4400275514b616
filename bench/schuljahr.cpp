// Time of the school-year change on a year at the list limits: 32000 classes,
// 32000 students (1000 of them repeaters) and 32000 weekly appointments, with
// the usual settings; and with the widest settings the settings dialog allows
// on 31800 classes, so that all 199 new classes fit.
//
//   bench_schuljahr [repetitions, default 3]
//
// Works in a temporary folder (the store writes its structure file there).
// Each figure is the best of the repetitions; building the year is not timed.

#include "model/datensaetze.h"
#include "model/felder.h"
#include "model/schulverwaltung/schulverwaltung.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

using Uhr = std::chrono::steady_clock;

namespace {

constexpr int kAnzahl = 32000;
const char* const kTage[] = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag"};

struct Einstellung {
    const char* name;
    int minKlasse, maxKlasse, neuKlasse;
    int klassen;
};

// Fills the lists directly, as a loaded file beyond the insert limits would.
void baueJahrgang(c_Schulverwaltung& sv, const Einstellung& e, c_Schuelerliste& wiederholer) {
    c_Database& db = *sv.getDatabase();
    db.setMinKlasse(e.minKlasse);
    db.setMaxKlasse(e.maxKlasse);
    db.setNeuKlasse(e.neuKlasse);
    for (int i = 0; i < 100; ++i) {
        auto* l = new c_Lehrer;
        l->setFelder(std::make_unique<c_Datenliste>(*db.getLehrerStruktur()));
        l->getFelder()->setString("NAME", "Lehrer " + std::to_string(i));
        db.getLehrerliste()->push_back(l);
    }
    // Grade levels 5 to 10, each letter a..z over and over.
    for (int i = 0; i < e.klassen; ++i) {
        auto* k = new c_Klasse;
        k->setFelder(std::make_unique<c_Datenliste>(*db.getKlasseStruktur()));
        k->setJahrgangBez(5 + i % 6, static_cast<char>('a' + (i / 6) % 26));
        db.getKlassenliste()->push_back(k);
    }
    db.getKlassenliste()->sort();
    c_Klassenliste& klassen = *db.getKlassenliste();
    for (int i = 0; i < kAnzahl; ++i) {
        auto* s = new c_Schueler;
        s->setFelder(std::make_unique<c_Datenliste>(*db.getSchuelerStruktur()));
        s->getFelder()->setString("NAME", "Schüler " + std::to_string(i));
        s->setKlasse(klassen.getKlasse(i % e.klassen + 1));
        db.getSchuelerliste()->push_back(s);
        if (i % 32 == 0) wiederholer.push_back(s);
    }
    for (int i = 0; i < kAnzahl; ++i) {
        auto* t = new c_Dauertermin;
        t->setFelder(std::make_unique<c_Datenliste>(*db.getDauerterminStruktur()));
        t->setWochentag(kTage[i % 5]);
        t->setAStd(1 + i % 6);
        t->setEStd(1 + i % 6);
        t->setKlasse(klassen.getKlasse((i * 7) % e.klassen + 1));
        c_Lehrer* l = db.getLehrerliste()->getLehrer(i % 100 + 1);
        t->setLehrer(l);
        l->setVergebeneStunden(l->getVergebeneStunden() + 1);
        db.getDauerterminliste()->push_back(t);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int wiederholungen = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    namespace fs = std::filesystem;
    const fs::path alt = fs::current_path();
    const fs::path ordner = fs::temp_directory_path() / ("orvask-bench-schuljahr-" + std::to_string(::getpid()));
    fs::create_directories(ordner);
    fs::current_path(ordner);

    const Einstellung einstellungen[] = {
        {"Jahrgang 5-10, 3 neue Klassen", 5, 10, 3, kAnzahl},
        {"Jahrgang 0-99, 99 neue Klassen", 0, 99, 99, kAnzahl - 200},
    };
    for (const Einstellung& e : einstellungen) {
        double beste = 1e30;
        std::size_t klassenDanach = 0;
        for (int w = 0; w < wiederholungen; ++w) {
            c_Schulverwaltung sv;
            std::string fehler;
            sv.reset(&fehler);
            c_Schuelerliste wiederholer;
            baueJahrgang(sv, e, wiederholer);
            const auto start = Uhr::now();
            sv.changeSchuljahr(&wiederholer, true);
            const double ms = std::chrono::duration<double, std::milli>(Uhr::now() - start).count();
            beste = std::min(beste, ms);
            klassenDanach = sv.getKlassenliste()->size();
        }
        std::printf("Schuljahreswechsel, %d Klassen, 32000 Schüler/Dauertermine, %s: %.1f ms (%zu Klassen danach)\n",
                    e.klassen, e.name, beste, klassenDanach);
    }

    fs::current_path(alt);
    fs::remove_all(ordner);
    return 0;
}
