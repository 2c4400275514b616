// Checks and store of the teacher dialog (241), driven by plain values.
#pragma once

#include "dialogs/datensatzformular.h"

#include <string>
#include <vector>

class c_Lehrer;
class c_Schulverwaltung;

class LehrerFormular : public DatensatzFormular<c_Lehrer> {
public:
    // `lehrer` null: a new teacher.
    LehrerFormular(c_Schulverwaltung* sv, c_Lehrer* lehrer);

    // Collected messages under "Lehrer anlegen".
    static MeldungsSammler meldungen() { return MeldungsSammler::gesammelt("Lehrer anlegen"); }


    // "[keine]", then every class; selected: the last class (in list order)
    // whose class teacher this teacher is, else 0.
    std::vector<std::string> klassenEintraege() const;
    int klassenAuswahl() const;
    // "[kein Fach]", then every subject; selected: for a teacher with an empty
    // list "[kein Fach]", then every entry whose subject the teacher teaches.
    std::vector<std::string> fachEintraege() const;
    std::vector<int> fachAuswahl() const;

    // OK with the form, the chosen class entry and the chosen subject entries:
    // true when the teacher was stored (the dialog closes). The class is linked
    // only once the teacher is stored; a refused add frees the new teacher.
    bool ok(const FormularWerte& werte, int klasse, const std::vector<int>& faecher, MeldungsSammler& m);

    // The absences button: true for a stored teacher, else the message.
    bool unterdialogErlaubt(MeldungsSammler& m) const;

private:
    void setzeKlassenlehrer(int klasse);
};
