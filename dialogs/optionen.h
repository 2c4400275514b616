// The logic of the settings and subjects dialog: the checks of its number
// fields, the question on lowering the lessons per day with the deletion it
// leads to, and the subject list.
#pragma once

#include "dialogs/meldungsziel.h"

#include <string>
#include <vector>

class c_Schulverwaltung;

// The texts of the number fields and the Saturday check box.
struct OptionenEingabe {
    std::string neuKlassen;     // edit 209
    std::string minKlasse;      // edit 207
    std::string maxKlasse;      // edit 208
    std::string stundenProTag;  // edit 211
    bool samstag = false;       // check box 210
};

// Checks every field in turn; a value that passes is stored at once, a failed
// one shows its message and the later checks still run. True when all passed
// and the dialog may close.
bool optionenOk(c_Schulverwaltung& sv, const OptionenEingabe& e, Meldungsziel& m);

// Deletes every single, weekly and substitution appointment that reaches
// beyond lesson `stunden`, then the whole curriculum.
void loescheNachStunde(c_Schulverwaltung& sv, int stunden);

// Adds a subject of that name; false (with its message) when the name is
// empty or the store refuses it.
bool fachHinzufuegen(c_Schulverwaltung& sv, const std::string& name, Meldungsziel& m);
// Deletes the subject of list row `zeile` (from 0; -1 for none); false with
// its message when none is chosen or the subject is still in use.
bool fachLoeschen(c_Schulverwaltung& sv, int zeile, Meldungsziel& m);
