// The logic of the curriculum dialog: the entry texts, the grade-level
// choice, and the checks of a new entry against the weekly maximum.
#pragma once

#include "dialogs/meldungsziel.h"

#include <string>
#include <vector>

class c_Schulverwaltung;
class c_Wunsch;

// The most lessons a grade level may have per week: lessons per day times 6
// with Saturday lessons, else 5.
int maxWochenstunden(c_Schulverwaltung& sv);

// "[Jahrgang:5] [Stunden:4] Mathematik".
std::string wunschText(const c_Wunsch& w);
// One line per curriculum entry, in curriculum order.
std::vector<std::string> curriculumZeilen(c_Schulverwaltung& sv);
// The grade levels from the lowest to the highest, as "%d".
std::vector<std::string> jahrgangEintraege(c_Schulverwaltung& sv);

// The entries chosen for a new curriculum entry.
struct WunschEingabe {
    std::string stunden;  // edit 296
    int fach = -1;        // combo 294: entry i is the (i + 1)-th subject; -1 none
    int jahrgang = -1;    // combo 295: entry i is grade level lowest + i; -1 none
};
// Checks and stores a new entry; false with its message when refused.
bool wunschHinzufuegen(c_Schulverwaltung& sv, int maxStunden, const WunschEingabe& e, Meldungsziel& m);
// Deletes the entry of list row `zeile` (from 0; -1 for none).
bool wunschLoeschen(c_Schulverwaltung& sv, int zeile, Meldungsziel& m);
