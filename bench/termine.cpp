// Timings of the appointment dialogs' OK steps and of lowering the lessons per
// day, on a year with 32000 weekly and 32000 single appointments (see
// tests/core/termin_jahr.h). A new appointment needs room in its list, so the
// years for the new ones hold one appointment less of each kind. The same
// steps through the main window, with its lists and grid, are the disabled
// window test Dialoge.DISABLED_MessungHauptfenster.
//
//   bench_termine [repetitions, default 5]

#include "dialogs/optionen.h"
#include "dialogs/termindialog.h"
#include "model/datensaetze.h"
#include "model/datum.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "tests/core/planung_schule.h"
#include "tests/core/termin_jahr.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using Uhr = std::chrono::steady_clock;

namespace {

// Answers Yes to every question and counts the boxes.
class JaZiel : public Meldungsziel {
public:
    int zeige(const std::string&, const std::string&, int) override {
        ++anzahl;
        return ANTWORT_JA;
    }
    int anzahl = 0;
};

using termin_jahr::BESITZER;
using termin_jahr::N;
using termin_jahr::baueJahr;

double ms(Uhr::time_point a, Uhr::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

// Runs `schritt` on a fresh year `wiederholungen` times; the slowest run counts.
double messe(int wiederholungen, int n, bool auchAmWochenende,
             const std::function<void(c_Schulverwaltung&)>& schritt) {
    double schlechteste = 0;
    for (int i = 0; i < wiederholungen; ++i) {
        planung_schule::Arbeitsordner ordner;
        planung_schule::Schule s;
        baueJahr(s, n, auchAmWochenende);
        const auto a = Uhr::now();
        schritt(*s);
        schlechteste = std::max(schlechteste, ms(a, Uhr::now()));
    }
    return schlechteste;
}

TerminEingabe form(std::vector<std::string> edits, int lehrer, int wochentag = -1) {
    TerminEingabe e;
    e.werte.edits = std::move(edits);
    e.lehrer = lehrer;
    e.wochentag = wochentag;
    return e;
}

void zeile(const char* was, double t) { std::printf("  %-70s %8.2f ms\n", was, t); }

void pruefe(bool bedingung, const char* was) {
    if (bedingung) return;
    std::fprintf(stderr, "unerwartetes Ergebnis: %s\n", was);
    std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    const int wiederholungen = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("Jahr mit %d (für neue: %d) Dauer- und Einzelterminen, schlechtester von %d Läufen:\n", N, N - 1,
                wiederholungen);

    // The free teacher (the last in the list) on Monday lesson 1: collision test over all, counter, store.
    double t = messe(wiederholungen, N - 1, false, [](c_Schulverwaltung& sv) {
        JaZiel m;
        TerminEingabe e = form({"1", "2"}, static_cast<int>(sv.getLehrerliste()->size()), 0);
        e.raum = BESITZER;  // the last room, free as well
        const auto r = dauerterminOk(sv, nullptr, e, m);
        pruefe(r.gespeichert && sv.getDauerterminliste()->size() == N, "Dauertermin gespeichert");
    });
    zeile("Dauertermin speichern (Kollisionstest, Zähler, Liste)", t);

    // Changing a stored one at the full list: to another teacher, counters and the list.
    t = messe(wiederholungen, N, false, [](c_Schulverwaltung& sv) {
        JaZiel m;
        TerminEingabe e = form({"1", "1"}, static_cast<int>(sv.getLehrerliste()->size()), 0);
        e.raum = BESITZER;
        c_Dauertermin* erster = sv.getDauerterminliste()->front();
        pruefe(dauerterminOk(sv, erster, e, m).gespeichert && sv.getDauerterminliste()->back() == erster,
               "Dauertermin geändert");
    });
    zeile("Dauertermin ändern (Zähler, Liste) bei 32000", t);

    // A busy teacher: the collision, the proposal search over the day and its second test.
    t = messe(wiederholungen, N - 1, false, [](c_Schulverwaltung& sv) {
        JaZiel m;
        const auto r = dauerterminOk(sv, nullptr, form({"1", "1"}, 1, 0), m);
        pruefe(!r.gespeichert && !r.vorschlag && m.anzahl == 3, "Dauertermin ohne Alternative");
    });
    zeile("Dauertermin mit Kollision, keine Alternative", t);

    // A single appointment on a full Monday: the proposal is the next free day (the Saturday).
    for (bool wochenende : {false, true}) {
        t = messe(wiederholungen, N - 1, wochenende, [](c_Schulverwaltung& sv) {
            JaZiel m;
            const auto r = einzelterminOk(sv, nullptr, form({"3", "3", "7", "8", "2023", "Neu"}, 0), m);
            pruefe(!r.gespeichert && r.vorschlag != nullptr, "Einzeltermin mit Vorschlag");
        });
        zeile(wochenende ? "Einzeltermin mit Ersatzvorschlag (jeder Tag belegt: nach 200 Tagen)"
                         : "Einzeltermin mit Ersatzvorschlag (der nächste Samstag)",
              t);
    }

    // Lowering from 8 to 6: a quarter of each list goes, and the curriculum.
    t = messe(wiederholungen, N, false, [](c_Schulverwaltung& sv) {
        OptionenEingabe e{"2", "5", "10", "6", false};
        struct NeinZiel : Meldungsziel {
            int zeige(const std::string&, const std::string&, int) override { return 7; }
        } antwort;
        pruefe(optionenOk(sv, e, antwort), "Stunden herabgesetzt");
        pruefe(sv.getDauerterminliste()->size() == 24000u && sv.getEinzelterminliste()->size() == 24000u,
               "ein Viertel gelöscht");
    });
    zeile("Stunden pro Tag von 8 auf 6 (16000 Termine und Curriculum gelöscht)", t);
    return 0;
}
