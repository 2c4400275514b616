// "Raum" (230): the room template's fields right of the subject list and the
// class choice; unique names and the rules of the AKTIV flag.
#pragma once

#include "dialogs/raumformular.h"
#include "dialogs/ui/formulardialog.h"

class c_Raum;

class TRaumDialog : public TFormularDialog {
    Q_OBJECT
public:
    TRaumDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Raum* raum);

    void setupFenster() override;
    void CmOk();

    c_Raum* datensatz() const { return k_formular.datensatz(); }

private:
    // Places the controls left of the fields in a column `spalte` wide.
    void ordneSpalteAn(int spalte);

    RaumFormular k_formular;
    QLabel* k_fachLabel;
    QListWidget* k_fachwahl;
    QLabel* k_klassenLabel;
    QComboBox* k_klassenwahl;
    QPushButton* k_ok;
    QPushButton* k_abbruch;
};
