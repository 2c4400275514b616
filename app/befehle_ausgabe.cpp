// Export and print: the dialogs get the owner and the week of the timetable tab.
#include "app/hauptfenster.h"

#include "output/ui/druckerdialog.h"
#include "output/ui/exportdialog.h"

void TMainWindow::CmExportieren() {
    c_Lehrer* lehrer;
    c_Raum* raum;
    c_Klasse* klasse;
    getBesitzer(&lehrer, &raum, &klasse);
    TExportDialog dialog(this, 400, &k_schulverwaltung, lehrer, raum, klasse, k_tag, k_monat, k_jahr);
    dialog.exec();
}

void TMainWindow::CmDrucken() {
    c_Lehrer* lehrer;
    c_Raum* raum;
    c_Klasse* klasse;
    getBesitzer(&lehrer, &raum, &klasse);
    TDruckerDialog dialog(this, 413, k_drucker.get(), &k_schulverwaltung, lehrer, raum, klasse, k_tag, k_monat,
                          k_jahr);
    dialog.exec();
}
