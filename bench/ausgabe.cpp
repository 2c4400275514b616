// Timings of the report texts: every timetable of the realistic school (24 classes,
// 55 teachers, 40 rooms, 720 lessons) and the student list with grades for 32000
// students with 10 grades each, each built and written as an export file.
//
//   bench_ausgabe [students, default 32000] [grades per student, default 10]

#include "model/datum.h"
#include "output/berichte.h"
#include "planning/vertretungsplanerstellung.h"
#include "tests/core/ausgabe_schule.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace planung_schule;
using Uhr = std::chrono::steady_clock;

namespace {

double sekunden(Uhr::time_point a, Uhr::time_point b) { return std::chrono::duration<double>(b - a).count(); }

void messe(const char* name, c_Schulverwaltung* sv, int gebiet, bool zensuren = false) {
    c_Berichtskontext k;
    k.schulverwaltung = sv;
    k.tag = 2;
    k.monat = 3;
    k.jahr = 2026;
    k.klassenIndex = 0;
    k.zensuren = zensuren;
    k.lehrer = sv->getLehrerliste()->getLehrer(1);
    c_Textpuffer puffer;
    const auto a = Uhr::now();
    c_Bericht(k, Ausgabeart::Export, puffer).writeGebiet(gebiet);
    const auto b = Uhr::now();
    const bool ok = schreibeExportdatei("bench.txt", puffer.text());
    const auto c = Uhr::now();
    c_Textpuffer druck;
    c_Bericht(k, Ausgabeart::Druck, druck).writeGebiet(gebiet);
    const auto d = Uhr::now();
    std::printf("%-32s Text %8.3f s  Datei %8.3f s  Druck %8.3f s  %10zu Zeichen  %s\n", name, sekunden(a, b),
                sekunden(b, c), sekunden(c, d), puffer.text().size(), ok ? "" : "SCHREIBFEHLER");
}

}  // namespace

int main(int argc, char** argv) {
    const int schueler = argc > 1 ? std::atoi(argv[1]) : 32000;
    const int zensuren = argc > 2 ? std::atoi(argv[2]) : 10;
    Arbeitsordner ordner;
    Schule s;
    const Realistisch r = ausgabe_schule::baueSchuleMitPlan(s);
    setHeute(2, 3, 2026);
    for (int i = 0; i < 5; ++i) s.fehlzeit(r.lehrer[static_cast<std::size_t>(i * 7 + 1)], 2, 3, 2026, 13, 3, 2026);
    std::string fehler;
    c_Vertretungsplanerstellung(s.get(), &fehler).createVertretungsplan();
    setHeute(0, 0, 0);
    ausgabe_schule::baueSchueler(s, r, schueler, zensuren);
    std::printf("%zu Lehrer, %zu Raeume, %zu Klassen, %zu Wochenstunden, %zu Vertretungen, %zu Schueler mit je %d "
                "Zensuren\n",
                s->getLehrerliste()->size(), s->getRaumliste()->size(), s->getKlassenliste()->size(),
                s->getDauerterminliste()->size(), s->getVertretungsterminliste()->size(),
                s->getSchuelerliste()->size(), zensuren);

    messe("401 alle Stundenplaene", s.get(), GEBIET_STUNDENPLAENE);
    messe("402 Stundenplan eines Lehrers", s.get(), GEBIET_STUNDENPLAN);
    messe("403 Vertretungsplan", s.get(), GEBIET_VERTRETUNGSPLAN);
    messe("404 Schuelerliste mit Zensuren", s.get(), GEBIET_SCHUELERLISTE, true);
    messe("404 Schuelerliste ohne Zensuren", s.get(), GEBIET_SCHUELERLISTE);
    messe("405 Klassenuebersicht", s.get(), GEBIET_KLASSENUEBERSICHT, true);
    messe("406 Lehrerliste", s.get(), GEBIET_LEHRERLISTE);
    messe("407 Raumliste", s.get(), GEBIET_RAUMLISTE);
    return 0;
}
