// Backtracking generator: class by class and subject by subject, one teacher
// per subject, the slots scanned room by room, day by day, lesson by lesson.
// Draws no random numbers: the same data always give the same plan.
#pragma once

#include "planning/belegung.h"
#include "planning/stundenplanerstellung.h"

#include <memory>

class c_Fach;
class c_Klasse;
class c_Lehrer;
class c_Raum;
class c_Raumliste;

class c_Backtracking : public Stundenplanerstellung {
public:
    c_Backtracking(c_Schulverwaltung* schulverwaltung, std::string* fehlertext);
    ~c_Backtracking() override;

    bool createStundenplan();
    bool placeFach(const c_Raumliste* raeume, c_Klasse* klasse, int stunden, c_Lehrer* lehrer, c_Fach* fach,
                   c_Raum* ausweichraum);

    // With false, the free tests ask c_Schulverwaltung (a scan of the weekly
    // plan per question) instead of the occupancy index. Same plan, slower.
    void setMitIndex(bool mitIndex) { k_mitIndex = mitIndex; }

protected:
    int run() override;

private:
    bool isFrei(int tag, int stunde, const c_Raum* raum, const c_Klasse* klasse, const c_Lehrer* lehrer);
    const c_Dauertermin* vorher(int tag, int stunde, const c_Raum* raum);

    bool k_mitIndex = true;
    std::unique_ptr<c_Belegung> k_belegung;
    bool k_abgewiesen = false;
};
