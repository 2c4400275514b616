// Checks and store of the student dialog (510), driven by plain values.
#pragma once

#include "dialogs/datensatzformular.h"

#include <string>
#include <vector>

class c_Schueler;
class c_Schulverwaltung;

class SchuelerFormular : public DatensatzFormular<c_Schueler> {
public:
    // `schueler` null: a new student.
    SchuelerFormular(c_Schulverwaltung* sv, c_Schueler* schueler);

    // Collected messages under "Schüler".
    static MeldungsSammler meldungen() { return MeldungsSammler::gesammelt("Schüler"); }


    // "[keine]", then every class; the entry of the student's class (0 without one).
    std::vector<std::string> klassenEintraege() const;
    int klassenAuswahl() const;

    // OK with the form and the chosen class entry: true when the student was
    // stored (the dialog closes). A refused add frees the new student, so the
    // next OK tries again.
    bool ok(const FormularWerte& werte, int klasse, MeldungsSammler& m);

    // The grades and absences buttons: true for a stored student, else the message.
    bool unterdialogErlaubt(MeldungsSammler& m) const;
};
