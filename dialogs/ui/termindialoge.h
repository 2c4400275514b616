// The single, weekly and substitution appointment dialogs: the appointment's
// fields from its template (right of the choice lists), the subject, teacher,
// class and room lists, and the weekday or substitute list.
//
// Without exec(): construct, setupFenster(), fill the controls by object name
// (id1001 .., id264 ..), CmOk(); istGeschlossen() tells whether it stored.
#pragma once

#include "dialogs/termindialog.h"
#include "dialogs/ui/formulardialog.h"

class QComboBox;

// A control of a dialog resource: position and size in dialog units.
struct Ressource {
    int x, y, breite, hoehe;
};
// Dialog units in pixels at the dialogs' 8-point font (4 x 8 units per character).
QRect inPixeln(const Ressource& r);

// What the three appointment dialogs share: the four link lists with their
// labels, OK and Abbruch, and the field controls of the template.
class TTerminDialog : public TFormularDialog {
    Q_OBJECT
public:
    // Lays out the fields, fills the lists and shows the appointment; closes
    // at once without an active room.
    void setupFenster() override;
    virtual void CmOk() = 0;

    // The resource positions of the shared controls and the starting height in pixels.
    struct Anordnung {
        Ressource ok, abbruch, fach, lehrer, klasse, raum;
        Ressource fachLabel, lehrerLabel, klasseLabel, raumLabel;
        int hoehe;
    };

protected:
    TTerminDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, const c_Datenliste* vorlage, int dx,
                  const char* titel, const Anordnung& a);

    // A drop-down list at its resource place, wide enough for its entries.
    QComboBox* liste(int id, const Ressource& r);
    QLabel* beschriftung(const char* text, const Ressource& r);
    // Fills a list with entry 0 chosen; the widest entry widens the list up to the field controls.
    void fuelleListe(QComboBox* box, const std::vector<std::string>& eintraege);
    // Grows the size to every control and gives it to the window.
    void passeGroesseAn();
    // The dialog's own list (weekday or substitute) with its entries.
    virtual void fuelleZusatzliste() = 0;
    // fillTermin with the appointment the dialog was opened with.
    virtual void zeigeDatensatz() = 0;
    // The fields and lists of an appointment; -1 entries keep their list's selection.
    void zeigeTermin(const c_Termin& t, const TerminAuswahl& a);
    // What the form holds.
    TerminEingabe eingabe() const;

    QComboBox* k_fach;
    QComboBox* k_lehrer;
    QComboBox* k_klasse;
    QComboBox* k_raum;

private:
    int k_startHoehe;
};

class TEinzelterminDialog : public TTerminDialog {
    Q_OBJECT
public:
    TEinzelterminDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Einzeltermin* termin);
    void CmOk() override;
    void fillTermin(const c_Einzeltermin* termin);

private:
    void fuelleZusatzliste() override {}
    void zeigeDatensatz() override { fillTermin(k_datensatz); }
    c_Einzeltermin* k_datensatz;
};

class TDauerterminDialog : public TTerminDialog {
    Q_OBJECT
public:
    TDauerterminDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Dauertermin* termin);
    void CmOk() override;
    void fillTermin(const c_Dauertermin* termin);

private:
    void fuelleZusatzliste() override;
    void zeigeDatensatz() override { fillTermin(k_datensatz); }
    c_Dauertermin* k_datensatz;
    QComboBox* k_wochentag;
};

class TVertretungsterminDialog : public TTerminDialog {
    Q_OBJECT
public:
    TVertretungsterminDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Vertretungstermin* termin);
    void CmOk() override;
    void fillTermin(const c_Vertretungstermin* termin);

private:
    void fuelleZusatzliste() override;
    void zeigeDatensatz() override { fillTermin(k_datensatz); }
    c_Vertretungstermin* k_datensatz;
    QComboBox* k_vertretung;
};
