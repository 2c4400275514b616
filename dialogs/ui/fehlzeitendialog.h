// "Fehlzeiten für ..." (650): the absences of one student or one teacher, a
// form for a new absence from the absence template, and delete. Changes go
// straight into the person's own absence list.
#pragma once

#include "dialogs/fehlzeitenformular.h"
#include "dialogs/ui/formulardialog.h"

class TListenAnsicht;
class c_Lehrer;
class c_Schueler;

class TFehlzeitenDialog : public TFormularDialog {
    Q_OBJECT
public:
    TFehlzeitenDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Schueler* schueler, c_Lehrer* lehrer);

    void setupFenster() override;
    void CmHinzufuegen();
    void CmLoeschen();
    void updateFehlzeiten();

private:
    FehlzeitenFormular k_formular;
    QPushButton* k_schliessen;
    TListenAnsicht* k_liste;
    QPushButton* k_hinzufuegen;
    QPushButton* k_loeschen;
};
