// The school-year change dialog (280) without widgets: the classes, the
// students of the chosen class, the repeaters collected across classes, and
// the change itself.
#pragma once

#include "dialogs/formular.h"
#include "model/listen.h"

#include <string>
#include <vector>

class c_Schulverwaltung;

class SchuljahrwechselFormular {
public:
    explicit SchuljahrwechselFormular(c_Schulverwaltung* sv) : k_schulverwaltung(sv) {}

    // Every class of the class list (entry i is the (i + 1)-th class).
    std::vector<std::string> klassenEintraege() const;
    // "NAME, VORNAME" per student of the class of entry `klasse`; none without a class.
    std::vector<std::string> schuelerZeilen(int klasse) const;
    // "NAME, VORNAME [class]" per repeater, in the order they were added.
    std::vector<std::string> sitzenbleiberZeilen() const;

    // Takes the student of row `zeile` (-1: none marked) of the class's list.
    void hinzufuegen(int klasse, int zeile, MeldungsSammler& m);
    // Removes the repeater of row `zeile` (-1: none marked).
    void entfernen(int zeile, MeldungsSammler& m);
    // The school-year change with the repeaters.
    void ausfuehren(bool zensurenLoeschen);

    const c_Schuelerliste& sitzenbleiber() const { return k_sitzenbleiber; }

private:
    std::unique_ptr<c_Schuelerliste> schuelerDerKlasse(int klasse) const;

    c_Schulverwaltung* k_schulverwaltung;
    c_Schuelerliste k_sitzenbleiber;  // links; the students stay in the store
};
