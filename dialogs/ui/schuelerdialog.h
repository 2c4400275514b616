// "Schüler" (510): the student template's fields, the class choice and the
// buttons to the grades and absences of a stored student.
#pragma once

#include "dialogs/schuelerformular.h"
#include "dialogs/ui/formulardialog.h"

class c_Schueler;

class TSchuelerDialog : public TFormularDialog {
    Q_OBJECT
public:
    TSchuelerDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Schueler* schueler);

    void setupFenster() override;
    void CmOk();
    void CmZensuren();
    void CmFehlzeiten();

    c_Schueler* datensatz() const { return k_formular.datensatz(); }

private:
    // Places the class label and choice and the buttons in the band from `l` down, beside a class
    // choice of its present width.
    void ordneUntenAn(int l);

    SchuelerFormular k_formular;
    QPushButton* k_ok;
    QPushButton* k_abbruch;
    QPushButton* k_zensuren;
    QPushButton* k_fehlzeiten;
    QLabel* k_klassenLabel;
    QComboBox* k_klassenwahl;
};
