// Checks and store of the class dialog (220), driven by plain values.
#pragma once

#include "dialogs/formular.h"

class c_Datenliste;
class c_Klasse;
class c_Schulverwaltung;

class KlassenFormular {
public:
    // `klasse` null: a new class.
    KlassenFormular(c_Schulverwaltung* sv, c_Klasse* klasse);

    // Each check message is a box of its own ("Fehler", 48).
    static MeldungsSammler meldungen() { return MeldungsSammler::sofort(); }

    const c_Datenliste* vorlage() const { return k_vorlage; }
    c_Klasse* datensatz() const { return k_datensatz; }

    // OK: true when the dialog closes (stored, or a refused add reported).
    // No field of a stored class changes unless every check passed.
    bool ok(const FormularWerte& werte, MeldungsSammler& m);

private:
    c_Schulverwaltung* k_schulverwaltung;
    c_Klasse* k_datensatz;
    const c_Datenliste* k_vorlage;
};
