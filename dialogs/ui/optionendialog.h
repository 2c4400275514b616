// "Einstellungen": the school settings and the list of subjects, on the fixed
// controls of the dialog. Without exec(): construct, setupFenster(), fill the
// edits by object name (id207 ..), CmOk() / CmHinzufuegen() / CmLoeschen().
#pragma once

#include "dialogs/ui/formulardialog.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

class TOptionenDialog : public TFormularDialog {
    Q_OBJECT
public:
    TOptionenDialog(QWidget* parent, int resId, c_Schulverwaltung* sv);
    void setupFenster() override;

    void CmOk();
    void CmHinzufuegen();
    void CmLoeschen();

private:
    void updateFaecher();

    QLineEdit* k_minKlasse;
    QLineEdit* k_maxKlasse;
    QLineEdit* k_neuKlasse;
    QLineEdit* k_stunden;
    QCheckBox* k_samstag;
    QListWidget* k_faecher;
    QLineEdit* k_fach;
};
