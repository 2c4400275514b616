// "Curriculum": the weekly lessons of each subject per grade level, on the
// fixed controls of the dialog. Without exec(): construct, setupFenster(),
// choose in id294 / id295, type into id296, CmHinzufuegen() / CmLoeschen().
#pragma once

#include "dialogs/ui/formulardialog.h"

class QLineEdit;
class QListWidget;

class TCurriculumDialog : public TFormularDialog {
    Q_OBJECT
public:
    TCurriculumDialog(QWidget* parent, int resId, c_Schulverwaltung* sv);
    void setupFenster() override;

    void updateCurriculum();
    void CmHinzufuegen();
    void CmLoeschen();
    int maxStunden() const { return k_maxStunden; }

private:
    QListWidget* k_curriculum;
    QComboBox* k_fach;
    QComboBox* k_jahrgang;
    QLineEdit* k_stunden;
    // Fixed when the dialog opens.
    int k_maxStunden;
};
