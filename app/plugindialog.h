// Dialog 770 "Erweiterungen": lists the plug-ins without a window and runs
// the chosen one with the data saved before and loaded again after.
#pragma once

#include "app/plugin.h"
#include "platform/ui/listenmarkierung.h"

#include <QDialog>

#include <functional>
#include <memory>

class c_Schulverwaltung;
class c_Pluginliste;

class TPluginDialog : public QDialog {
    Q_OBJECT
public:
    // `sichern` saves the data before a plug-in runs; when it fails (and said so) the plug-in
    // does not run.
    TPluginDialog(QWidget* parent, int resId, c_Schulverwaltung* schulverwaltung, c_Pluginliste* pluginliste,
                  std::function<bool(QWidget*)> sichern);
    ~TPluginDialog() override;

    // Button 1: runs the plug-in of the selected line and closes the dialog;
    // without a selection, or when the data could not be saved first, it says so and stays open.
    void runPlugin();
    // A plug-in ran (and the data were loaded again).
    bool wurdeAusgefuehrt() const { return k_ausgefuehrt; }
    // What the reload after the run read; Fehlgeschlagen: neither aktuell.sdb nor aktuell.tmp,
    // the data in memory are those from before, and both files are as the plug-in left them.
    Neuladen neugeladen() const { return k_neugeladen; }

private:
    c_Schulverwaltung* k_schulverwaltung;
    std::function<bool(QWidget*)> k_sichern;
    std::unique_ptr<c_Pluginliste> k_ohneGui;  // the plug-ins of the lines, in line order
    TListenfeld* k_liste;
    bool k_ausgefuehrt = false;
    Neuladen k_neugeladen = Neuladen::AusDatei;
};
