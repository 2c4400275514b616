#include "output/ui/exportdialog.h"

#include "platform/ui/meldung.h"

namespace {

const GebietDialogTexte EXPORT_TEXTE = {
    "Exportieren",
    "Bitte markieren Sie die zu exportierenden Daten, indem Sie eines der entsprechenden Felder markieren:",
    {"Alle Stundenpläne exportieren", "Nur aktuell angezeigten Stundenplan exportieren",
     "Vertretungsplan der aktuellen Woche exportieren", "Liste aller Schüler", "Übersicht über die Klasse:",
     "Liste aller Lehrer", "Liste aller Räume"},
    "Bei Listen mit Schülern auch deren Zensuren exportieren",
    "&OK",
};

} // namespace

TExportDialog::TExportDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Lehrer* lehrer, c_Raum* raum,
                             c_Klasse* klasse, int tag, int monat, int jahr)
    : TGebietDialog(parent, resId, EXPORT_TEXTE, sv, lehrer, raum, klasse, tag, monat, jahr)
{
    k_dateiDaten.filter = "Text-Dateien (*.txt)|*.txt|";
    k_dateiDaten.standardEndung = "txt";
}

void TExportDialog::CmOk()
{
    const int gebiet = gebietMitDaten(Ausgabeart::Export);
    if (!gebiet)
        return;
    if (const std::optional<std::string> pfad = dateiSpeichern(k_dateiDaten, this)) {
        k_dateiname = *pfad;
        c_Exportdatei datei(k_dateiname);
        c_Bericht(kontext(), Ausgabeart::Export, datei).writeGebiet(gebiet);
        if (!datei.schliessen())
            meldung(EXPORT_FEHLER, "Fehler", MB_OK | MB_ICONEXCLAMATION, this);
    }
    accept();
}
