// "Zensuren" (600): the grades of one student for one subject. The grade
// template's fields are the input line of a new grade; the list below shows
// the grades of the chosen student and subject. Adding and removing change
// the stored student at once.
#pragma once

#include "dialogs/ui/formulardialog.h"
#include "dialogs/zensurenformular.h"

class TListenAnsicht;
class c_Klasse;
class c_Schueler;

class TZensurenDialog : public TFormularDialog {
    Q_OBJECT
public:
    // Exactly one of `schueler` and `klasse` is set.
    TZensurenDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Schueler* schueler, c_Klasse* klasse);

    void setupFenster() override;
    void changeselection();
    void CmHinzufuegen();
    void CmLoeschen();

private:
    // Places the two choices from `l` down and the list view beside the wider of them, at their
    // present widths, and Schließen below.
    void ordneListeAn(int l);

    ZensurenFormular k_formular;
    QPushButton* k_schliessen;
    QComboBox* k_schuelerwahl;
    TListenAnsicht* k_zensurenliste;
    QPushButton* k_hinzufuegen;
    QPushButton* k_loeschen;
    QComboBox* k_zensurenfach;
};
