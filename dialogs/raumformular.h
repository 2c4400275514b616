// Checks and store of the room dialog (230), driven by plain values.
#pragma once

#include "dialogs/datensatzformular.h"

#include <string>
#include <vector>

class c_Klasse;
class c_Raum;
class c_Schulverwaltung;

class RaumFormular : public DatensatzFormular<c_Raum> {
public:
    // `raum` null: a new room. Remembers the class that has the room as its class room.
    RaumFormular(c_Schulverwaltung* sv, c_Raum* raum);

    // Each check message is a box of its own ("Fehler", 48).
    static MeldungsSammler meldungen() { return MeldungsSammler::sofort(); }

    // The class that had this room as class room at set-up (the last in list order), or null.
    c_Klasse* alteKlasse() const { return k_alteKlasse; }

    // "[keine]", then every class; selected: the entry of k_alteKlasse, else 0.
    std::vector<std::string> klassenEintraege() const;
    int klassenAuswahl() const;
    // "[kein Fachraum / Klassenraum]", then every subject; selected: entry 0,
    // or for a room with subjects every entry whose subject is in its list.
    std::vector<std::string> fachEintraege() const;
    std::vector<int> fachAuswahl() const;

    // OK: true when the dialog closes (stored, or a refused add reported).
    // No field of a stored room changes unless every check passed.
    bool ok(const FormularWerte& werte, int klasse, const std::vector<int>& faecher, MeldungsSammler& m);

private:
    void setzeKlassenraum(int klasse);

    c_Klasse* k_alteKlasse = nullptr;
};
