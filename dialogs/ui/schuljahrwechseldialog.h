// "Schuljahreswechsel" (280): collects the students who repeat the year across
// the classes, asks, and runs the school-year change.
#pragma once

#include "dialogs/schuljahrwechsel.h"
#include "dialogs/ui/formulardialog.h"

class TSchuljahrwechselDialog : public TFormularDialog {
    Q_OBJECT
public:
    TSchuljahrwechselDialog(QWidget* parent, int resId, c_Schulverwaltung* sv);

    void setupFenster() override;
    void changeKlasse();
    void CmHinzufuegen();
    void CmEntfernen();
    void CmOk();
    void updateSitzenbleiber();

private:
    SchuljahrwechselFormular k_formular;
    QComboBox* k_klassen;
    QListWidget* k_schueler;
    QListWidget* k_sitzenbleiber;
    QCheckBox* k_zensuren;
};
