// Randomised Tetris generator: the curriculum becomes one-lesson weekly
// appointments that are dropped one at a time on a random weekday and moved
// along a fixed sequence of lessons until they fit; a class's day grows only
// outward from the middle lesson. Up to 50 independent passes.
#pragma once

#include "model/listen.h"
#include "planning/stundenplanerstellung.h"

#include <memory>

class c_Tetris : public Stundenplanerstellung {
public:
    static constexpr int MAX_DURCHLAEUFE = 50;

    c_Tetris(c_Schulverwaltung* schulverwaltung, std::string* fehlertext);
    ~c_Tetris() override;

    // One pass; true when the whole plan was made and inserted. A failed pass
    // leaves the weekly plan and the teachers' counters as they were before it.
    bool durchlauf();
    bool pruefeTermin(const c_Dauertermin* t, const c_Dauerterminliste& gesetzt);
    c_Dauertermin* findVorgaenger(const c_Dauertermin* t, const c_Dauerterminliste& gesetzt) const;
    c_Dauertermin* findNachfolger(const c_Dauertermin* t, const c_Dauerterminliste& gesetzt) const;
    std::unique_ptr<c_Fachliste> getFaecherMitEinemLehrer() const;
    std::unique_ptr<c_Lehrerliste> getLehrerFuerFach(const c_Fach* fach, int stunden) const;
    c_Raum* findRaum(const c_Fach* fach, const c_Klasse* klasse, const c_Dauertermin* t,
                     const c_Dauerterminliste& gesetzt);

    // With false, the placement and room tests scan the placed list (as the
    // plain algorithm reads) instead of asking the occupancy index. Same plan.
    void setMitIndex(bool mitIndex) { k_mitIndex = mitIndex; }
    // Passes made by the last run.
    int getDurchlaeufe() const { return k_durchlaeufe; }

protected:
    int run() override;

private:
    class Index;

    c_Lehrerliste k_lehrerliste;
    bool k_mitIndex = true;
    int k_durchlaeufe = 0;
    std::unique_ptr<Index> k_index;  // during a pass only
};

// The message of a pass in which an appointment fitted on no weekday.
extern const char* const TETRIS_NEUSTART;
