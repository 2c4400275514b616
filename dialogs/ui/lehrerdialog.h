// "Lehrer" (241): the teacher template's fields right of the class choice, the
// subject list and the button to the absences of a stored teacher.
#pragma once

#include "dialogs/lehrerformular.h"
#include "dialogs/ui/formulardialog.h"

class c_Lehrer;

class TLehrerDialog : public TFormularDialog {
    Q_OBJECT
public:
    TLehrerDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Lehrer* lehrer);

    void setupFenster() override;
    void CmOk();
    void CmFehlzeiten();

    c_Lehrer* datensatz() const { return k_formular.datensatz(); }

private:
    LehrerFormular k_formular;
    QLabel* k_klassenLabel;
    QComboBox* k_klassenwahl;
    QLabel* k_fachLabel;
    QListWidget* k_fachwahl;
};
