// The grades dialog (600) without widgets: the set-up checks, the student and
// subject choices, the rows of the grade list, add and delete. Grades are
// added to and removed from the student's own grade list at once.
#pragma once

#include "dialogs/formular.h"

#include <string>
#include <vector>

class c_Datenliste;
class c_Fach;
class c_Klasse;
class c_Schueler;
class c_Schulverwaltung;

class ZensurenFormular {
public:
    // Exactly one of `schueler` (from the student dialog) and `klasse` (from the class tab) is set.
    ZensurenFormular(c_Schulverwaltung* sv, c_Schueler* schueler, c_Klasse* klasse);

    const c_Datenliste* vorlage() const { return k_vorlage; }

    struct Start {
        std::string fehler;  // not empty: shown, then the dialog closes
        std::vector<std::string> schueler;
        int schuelerAuswahl = -1;
        std::vector<std::string> faecher;
        int fachAuswahl = -1;
    };
    // The checks of set-up and the entries of the two choices.
    Start start() const;

    // The student for the entry chosen in the student choice (class mode), or the given one.
    c_Schueler* aktuellerSchueler(int schuelerEintrag) const;
    // The subject for the entry chosen in the subject choice.
    c_Fach* aktuellesFach(int fachEintrag) const;

    // The rows of the list: the current student's grades of the current subject,
    // oldest first, one cell per field. Without a student: the internal message.
    std::vector<std::vector<std::string>> zeilen(int schuelerEintrag, int fachEintrag, MeldungsSammler& m) const;
    // Appends a grade from the form to the current student's grade list.
    void hinzufuegen(const FormularWerte& werte, int schuelerEintrag, int fachEintrag, MeldungsSammler& m);
    // Removes the grade of row `zeile` (from 0, -1 for none) of the list.
    void loeschen(int zeile, int schuelerEintrag, int fachEintrag, MeldungsSammler& m);

private:
    c_Schulverwaltung* k_schulverwaltung;
    c_Schueler* k_gewaehlterSchueler;
    c_Klasse* k_gewaehlteKlasse;
    const c_Datenliste* k_vorlage;
};
