// Handlers whose dialogs are still being built; each does nothing until its dialog lands.
#include "app/hauptfenster.h"

void TMainWindow::oeffneSchuelerDialog(c_Schueler*) {}
void TMainWindow::oeffneLehrerDialog(c_Lehrer*) {}
void TMainWindow::oeffneRaumDialog(c_Raum*) {}
void TMainWindow::oeffneKlassenDialog(c_Klasse*) {}
void TMainWindow::CmSchuljahreswechsel() {}
void TMainWindow::CmZensuren() {}

void TMainWindow::oeffneEinzelterminDialog(c_Einzeltermin*) {}
void TMainWindow::oeffneVertretungsterminDialog(c_Vertretungstermin*) {}
void TMainWindow::oeffneDauerterminDialog(c_Dauertermin*) {}
void TMainWindow::CmEinstellungen() {}
void TMainWindow::CmCurriculum() {}

void TMainWindow::CmExportieren() {}
void TMainWindow::CmDrucken() {}
