// "Exportieren": writes the text of one report area into a text file.
#pragma once

#include "output/ui/gebietdialog.h"
#include "platform/ui/dateidialog.h"

#include <string>

class TExportDialog : public TGebietDialog {
    Q_OBJECT
public:
    TExportDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Lehrer* lehrer, c_Raum* raum,
                  c_Klasse* klasse, int tag, int monat, int jahr);

    // Refuses an area without data (the dialog stays open); else asks for the file, writes the
    // area's text into it and closes, also when the file dialog was cancelled.
    void CmOk() override;

    // The file chosen by the last confirmed file dialog; empty before.
    const std::string& getDateiname() const { return k_dateiname; }

private:
    DateiAuswahl k_dateiDaten;
    std::string k_dateiname;
};
