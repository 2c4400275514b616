// "Drucken": builds the text of one report area in the print window and runs that window.
#pragma once

#include "output/ui/gebietdialog.h"

#include <memory>
#include <string>

class QPrinter;
class TPrintMainWindow;

class TDruckerDialog : public TGebietDialog, public c_Textziel {
    Q_OBJECT
public:
    TDruckerDialog(QWidget* parent, int resId, QPrinter* drucker, c_Schulverwaltung* sv, c_Lehrer* lehrer,
                   c_Raum* raum, c_Klasse* klasse, int tag, int monat, int jahr);
    ~TDruckerDialog() override;

    void setupFenster() { TGebietDialog::setupFenster(); }
    // Text for the print window. The pieces of one area are collected and go to the window in
    // one piece when the builder has finished, which keeps long lists fast.
    void appendText(const std::string& text) override;
    // Refuses an area without data (the dialog stays open); else builds the print window, fills
    // it, runs it modally and closes when it is closed.
    void CmOk() override;

    // The print window while CmOk runs it; null otherwise.
    TPrintMainWindow* druckfenster() const { return k_druckfenster.get(); }

private:
    QPrinter* k_drucker;
    std::unique_ptr<TPrintMainWindow> k_druckfenster;
    std::string k_puffer;
};
