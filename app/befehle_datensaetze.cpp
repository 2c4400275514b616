// The handlers that open the record dialogs of the students, teachers, rooms
// and classes, the school-year change and the grades of the class tab.
#include "app/hauptfenster.h"

#include "dialogs/ui/klassendialog.h"
#include "dialogs/ui/lehrerdialog.h"
#include "dialogs/ui/raumdialog.h"
#include "dialogs/ui/schuelerdialog.h"
#include "dialogs/ui/schuljahrwechseldialog.h"
#include "dialogs/ui/zensurendialog.h"
#include "platform/ui/meldung.h"

void TMainWindow::oeffneSchuelerDialog(c_Schueler* schueler) {
    TSchuelerDialog dialog(this, 510, &k_schulverwaltung, schueler);
    dialog.ausfuehren();
}

void TMainWindow::oeffneLehrerDialog(c_Lehrer* lehrer) {
    TLehrerDialog dialog(this, 241, &k_schulverwaltung, lehrer);
    dialog.ausfuehren();
}

void TMainWindow::oeffneRaumDialog(c_Raum* raum) {
    TRaumDialog dialog(this, 230, &k_schulverwaltung, raum);
    dialog.ausfuehren();
}

void TMainWindow::oeffneKlassenDialog(c_Klasse* klasse) {
    TKlassenDialog dialog(this, 220, &k_schulverwaltung, klasse);
    dialog.ausfuehren();
}

void TMainWindow::CmSchuljahreswechsel() {
    if (k_schulverwaltung.getKlassenliste()->empty()) {
        meldung("Es muß mindestens eine Klasse existieren,\nbevor Sie einen Schuljahreswechsel\ndurchführen können",
                "Fehler", MB_OK | MB_ICONEXCLAMATION, this);
        return;
    }
    TSchuljahrwechselDialog dialog(this, 280, &k_schulverwaltung);
    dialog.ausfuehren();
    aktualisiereAnsichten();
    saveDatenbestand();
}

void TMainWindow::CmZensuren() {
    c_Klasse* klasse = gewaehlteKlasse();
    if (!klasse) {
        meldung("Sie müssen erst eine Klasse auswählen,\nbevor Sie die Zensuren bearbeiten können.", "Fehler",
                MB_OK | MB_ICONEXCLAMATION, this);
        return;
    }
    TZensurenDialog dialog(this, 600, &k_schulverwaltung, nullptr, klasse);
    dialog.ausfuehren();
    // Grades changed in the class's students: the plug-ins with a window learn of it.
    aktualisiereAnsichten();
    saveDatenbestand();
}
