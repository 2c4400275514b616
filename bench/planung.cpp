// Timings of the timetable generators and the substitution planner on a
// realistic school (grade levels 5-10 with four classes each, 55 teachers,
// 40 rooms, 30 lessons a week per level over 10 subjects, 6 lessons a day).
//
//   bench_planung [seconds per board-game variant, default 60]

#include "model/datum.h"
#include "planning/backtracking.h"
#include "planning/brettspiel.h"
#include "planning/tetris.h"
#include "planning/vertretungsplanerstellung.h"
#include "platform/zufall.h"
#include "tests/core/planung_schule.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <type_traits>

using namespace planung_schule;
using Uhr = std::chrono::steady_clock;

namespace {

double sekunden(Uhr::time_point a, Uhr::time_point b) { return std::chrono::duration<double>(b - a).count(); }

std::string ersteZeile(const std::string& s) {
    const auto p = s.find('\n');
    return p == std::string::npos ? s : s.substr(0, p) + " ...";
}

void bericht(const char* name, double zeit, Schule& s, const std::string& fehler) {
    const auto inv = invarianten(*s, false);
    std::printf("%-28s %9.3f s  %4zu Termine  Invarianten %s  %s\n", name, zeit, s->getDauerterminliste()->size(),
                inv.empty() ? "ok" : "VERLETZT", fehler.empty() ? "" : ("Fehler: " + ersteZeile(fehler)).c_str());
}

template <class G>
double einmal(const char* name, bool mitIndex, bool samstag, int stunden, int wiederholungen = 1) {
    double summe = 0;
    for (int i = 0; i < wiederholungen; ++i) {
        Schule s;
        baueRealistischeSchule(s, samstag, stunden);
        std::string fehler;
        G g(s.get(), &fehler);
        g.setMitIndex(mitIndex);
        const auto a = Uhr::now();
        g.fuehreAus();
        const auto b = Uhr::now();
        summe += sekunden(a, b);
        if (i == wiederholungen - 1) {
            bericht(name, summe / wiederholungen, s, fehler);
            if constexpr (std::is_same_v<G, c_Tetris>) std::printf("%-28s %d Durchlaeufe\n", "", g.getDurchlaeufe());
        }
    }
    return summe / wiederholungen;
}

template <class G>
void brettspiel(const char* name, double grenze, bool samstag, int stunden) {
    Schule s;
    baueRealistischeSchule(s, samstag, stunden);
    std::string fehler;
    G g(s.get(), &fehler);
    const auto a = Uhr::now();
    g.start();
    while (g.getStatus() != c_Thread::Status::Finished && sekunden(a, Uhr::now()) < grenze)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const bool fertig = g.getStatus() == c_Thread::Status::Finished;
    const double zeit = sekunden(a, Uhr::now());
    if (!fertig) g.stopErstellung(true);
    g.warte();
    const double gesamt = sekunden(a, Uhr::now());
    const long long n = g.getDurchlaeufe();
    std::printf("%-28s %9.3f s  %lld Durchlaeufe, %.0f Durchlaeufe/s, %s\n", name, zeit, n, n / (zeit > 0 ? zeit : 1),
                fertig ? "fertig" : "nicht fertig, abgebrochen");
    bericht("", gesamt, s, fertig ? fehler : std::string());
}

}  // namespace

int main(int argc, char** argv) {
    const double grenze = argc > 1 ? std::atof(argv[1]) : 60.0;
    Arbeitsordner ordner;

    // The school as asked (5 days of 6 lessons: every class's week is full),
    // and the same school with Saturdays and 7 lessons a day (42 slots for 30
    // lessons), on which the backtracking and Tetris runs complete.
    const std::pair<bool, int> varianten[] = {{false, 6}, {true, 7}};
    for (const auto& [samstag, stunden] : varianten) {
        std::printf("\nStundenplan: 24 Klassen, 55 Lehrer, 40 Raeume, 720 Wochenstunden, %d Tage zu %d Stunden\n",
                    samstag ? 6 : 5, stunden);
        einmal<c_Backtracking>("Backtracking", true, samstag, stunden, 3);
        einmal<c_Backtracking>("Backtracking (ohne Index)", false, samstag, stunden);
        zufall::zuruecksetzen();
        einmal<c_Tetris>("Tetris", true, samstag, stunden);
        zufall::zuruecksetzen();
        einmal<c_Tetris>("Tetris (ohne Index)", false, samstag, stunden);
        brettspiel<c_BrettOhne>("Brettspiel ohne Bedingungen", grenze, samstag, stunden);
        brettspiel<c_BrettMit>("Brettspiel ohne Freistunden", grenze, samstag, stunden);
        brettspiel<c_BrettAlle>("Brettspiel alle Bedingungen", grenze, samstag, stunden);
    }

    // Substitutions: five teachers absent for two weeks, on a timetable made by
    // the backtracking generator.
    {
        Schule s;
        const Realistisch r = baueRealistischeSchule(s, true, 7);
        std::string fehler;
        c_Backtracking(s.get(), &fehler).fuehreAus();
        setHeute(2, 3, 2026);  // a Monday
        for (int i = 0; i < 5; ++i) s.fehlzeit(r.lehrer[static_cast<std::size_t>(i * 7 + 1)], 2, 3, 2026, 13, 3, 2026);
        std::string vfehler;
        const auto a = Uhr::now();
        c_Vertretungsplanerstellung(s.get(), &vfehler).createVertretungsplan();
        const auto b = Uhr::now();
        std::printf("%-28s %9.4f s  %zu Vertretungstermine\n", "Vertretungsplan 5 Lehrer", sekunden(a, b),
                    s->getVertretungsterminliste()->size());

        // An absence typed with the year 9999: the planner stops at the list limit.
        s.fehlzeit(r.lehrer[2], 2, 3, 2026, 31, 12, 9999);
        vfehler.clear();
        const auto c = Uhr::now();
        c_Vertretungsplanerstellung(s.get(), &vfehler).createVertretungsplan();
        const auto d = Uhr::now();
        std::printf("%-28s %9.4f s  %zu Vertretungstermine  %s\n", "Vertretungsplan bis 9999", sekunden(c, d),
                    s->getVertretungsterminliste()->size(), vfehler.empty() ? "" : ersteZeile(vfehler).c_str());
        setHeute(0, 0, 0);
    }
    return 0;
}
