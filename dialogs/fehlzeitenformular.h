// The absences dialog (650) without widgets: caption, set-up check, rows, add
// and delete. Absences go straight into the person's own absence list.
#pragma once

#include "dialogs/formular.h"

#include <string>
#include <vector>

class c_Datenliste;
class c_Fehlzeitliste;
class c_Lehrer;
class c_Schueler;
class c_Schulverwaltung;

class FehlzeitenFormular {
public:
    FehlzeitenFormular(c_Schulverwaltung* sv, c_Schueler* schueler, c_Lehrer* lehrer);

    const c_Datenliste* vorlage() const { return k_vorlage; }

    // "Fehlzeiten für " + VORNAME + " " + NAME of the student, then of the teacher.
    std::string caption() const;
    // The set-up check: not empty when the dialog is to close after showing it.
    std::string startFehler() const;
    // One row per absence of the student (else the teacher), in list order.
    std::vector<std::vector<std::string>> zeilen() const;

    // Appends an absence from the form; every check message in one box without caption.
    void hinzufuegen(const FormularWerte& werte, MeldungsSammler& m);

    // True when deleting row `zeile` asks whether the teacher's substitutions go too.
    bool fragtVorLoeschen(int zeile) const;
    // Removes the absence of row `zeile` (-1: none marked, with the message);
    // with `vertretungenLoeschen` the teacher's substitutions in its period go as well.
    void loeschen(int zeile, bool vertretungenLoeschen, MeldungsSammler& m);

private:
    c_Schulverwaltung* k_schulverwaltung;
    c_Schueler* k_schueler;
    c_Lehrer* k_lehrer;
    const c_Datenliste* k_vorlage;
};
