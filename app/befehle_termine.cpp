// The appointment dialogs of Neu and Ändern, the settings and the curriculum.
#include "app/hauptfenster.h"

#include "dialogs/ui/curriculumdialog.h"
#include "dialogs/ui/optionendialog.h"
#include "dialogs/ui/termindialoge.h"

void TMainWindow::oeffneEinzelterminDialog(c_Einzeltermin* termin) {
    TEinzelterminDialog dialog(this, 260, &k_schulverwaltung, termin);
    dialog.ausfuehren();
}

void TMainWindow::oeffneVertretungsterminDialog(c_Vertretungstermin* termin) {
    TVertretungsterminDialog dialog(this, 275, &k_schulverwaltung, termin);
    dialog.ausfuehren();
}

void TMainWindow::oeffneDauerterminDialog(c_Dauertermin* termin) {
    TDauerterminDialog dialog(this, 267, &k_schulverwaltung, termin);
    dialog.ausfuehren();
}

void TMainWindow::CmEinstellungen() {
    {
        TOptionenDialog dialog(this, 201, &k_schulverwaltung);
        dialog.ausfuehren();
    }
    aktualisiereAnsichten();
    saveDatenbestand();
    update();
}

void TMainWindow::CmCurriculum() {
    {
        TCurriculumDialog dialog(this, 290, &k_schulverwaltung);
        dialog.ausfuehren();
    }
    aktualisiereAnsichten();
    saveDatenbestand();
}
