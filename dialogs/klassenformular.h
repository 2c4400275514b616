// Checks and store of the class dialog (220), driven by plain values.
#pragma once

#include "dialogs/datensatzformular.h"

class c_Klasse;
class c_Schulverwaltung;

class KlassenFormular : public DatensatzFormular<c_Klasse> {
public:
    // `klasse` null: a new class.
    KlassenFormular(c_Schulverwaltung* sv, c_Klasse* klasse);

    // Each check message is a box of its own ("Fehler", 48).
    static MeldungsSammler meldungen() { return MeldungsSammler::sofort(); }

    // OK: true when the dialog closes (stored, or a refused add reported).
    // No field of a stored class changes unless every check passed.
    bool ok(const FormularWerte& werte, MeldungsSammler& m);
};
