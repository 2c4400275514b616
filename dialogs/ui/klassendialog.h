// "Klasse" (220): the class template's fields with OK and Cancel below them.
#pragma once

#include "dialogs/klassenformular.h"
#include "dialogs/ui/formulardialog.h"

class c_Klasse;

class TKlassenDialog : public TFormularDialog {
    Q_OBJECT
public:
    TKlassenDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Klasse* klasse);

    void setupFenster() override;
    void CmOk();

    c_Klasse* datensatz() const { return k_formular.datensatz(); }

private:
    KlassenFormular k_formular;
    QPushButton* k_ok;
    QPushButton* k_abbruch;
};
