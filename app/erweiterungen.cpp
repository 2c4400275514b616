// The main window's side of the plug-in host: the change notification, the
// reload after a plug-in changed the data file, the popup "&Erweiterungen",
// the extensions dialog, and running a plug-in without a window.
#include "app/hauptfenster.h"
#include "platform/ui/meldung.h"

#include "app/plugindialog.h"
#include "platform/ui/qtext.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

TMainWindow::Aufschub::Aufschub(TMainWindow* fenster) : k_fenster(fenster) { ++k_fenster->k_aufschub; }

TMainWindow::Aufschub::~Aufschub() {
    if (--k_fenster->k_aufschub == 0 && k_fenster->k_neuladenAusstehend) k_fenster->reloadDatenbestand();
}

void TMainWindow::neuladenAnfordern() {
    if (k_aufschub > 0) {
        k_neuladenAusstehend = true;
        return;
    }
    reloadDatenbestand();
}

void TMainWindow::neuladenWennFrei() {
    if (k_aufschub == 0 && QApplication::activeModalWidget()) {
        if (k_wartetAufFrei) return;
        k_wartetAufFrei = true;
        QTimer::singleShot(100, this, [this] {
            k_wartetAufFrei = false;
            neuladenWennFrei();
        });
        return;
    }
    neuladenAnfordern();
}

c_Plugin* TMainWindow::pluginDesReiters(int reiter) const {
    return reiter >= REITER_PLUGINS ? k_pluginliste.getPluginsMitGui()->getPlugin(reiter - REITER_PLUGINS + 1)
                                    : nullptr;
}

void TMainWindow::saveDatenbestand() {
    speichereBald();
    benachrichtigeErweiterungen();
}

void TMainWindow::benachrichtigeErweiterungen() {
    // Only plug-ins with a window of their own need to hear about changes;
    // without one there is nothing to do.
    if (k_pluginliste.getPluginsMitGui()->empty()) return;
    Aufschub aufschub(this);
    if (k_schulverwaltung.hatStruktur()) {
        speichereAktuell();
        speichereSicherung();
    }
    k_pluginliste.updateAll();
}

void TMainWindow::nachNeuladen(Neuladen neugeladen) {
    // Whatever the plug-in left in aktuell.sdb was read or tried: it is the file this program knows.
    merkeDateistand();
    aktualisiereAnsichten();
    // When neither file could be loaded, the data in memory stay and both
    // files are left as they are, so nothing is saved over them.
    if (neugeladen == Neuladen::Fehlgeschlagen) return;
    if (neugeladen == Neuladen::AusDatei) {
        // The data came from aktuell.sdb just read: no change of them waits to be written.
        k_speicherstand.nichtsOffen();
    } else {
        // aktuell.sdb as the plug-in left it could not be read: the year from the backup
        // takes its place, or the next start would find the broken file.
        speichereBald();
    }
    benachrichtigeErweiterungen();
}

void TMainWindow::reloadDatenbestand() {
    // Requests made meanwhile (the change notification's among them) are answered by this reload.
    Aufschub aufschub(this);
    nachNeuladen(ladeNachErweiterung(this, &k_schulverwaltung, NEULADEN_HAUPTFENSTER));
    k_neuladenAusstehend = false;
}

void TMainWindow::runPluginOhneGui(c_Plugin* plugin) {
    Aufschub aufschub(this);  // the reload below answers a request the plug-in makes
    if (!sichereVorErweiterung(this)) return;
    plugin->start(static_cast<QWidget*>(this));
    reloadDatenbestand();
}

void TMainWindow::handleCommand(int id) {
    if (c_Plugin* p = k_pluginliste.getPluginMitId(id); p && !p->hasGui()) runPluginOhneGui(p);
    befehl(id);
}

void TMainWindow::baueErweiterungsMenue() {
    auto* rahmen = qobject_cast<QMainWindow*>(window());
    if (k_pluginliste.empty() || !rahmen) return;
    QMenu* menue = rahmen->menuBar()->addMenu("&Erweiterungen");
    menue->setObjectName("erweiterungen");
    const std::unique_ptr<c_Pluginliste> ohneGui = k_pluginliste.getPluginsOhneGui();
    for (c_Plugin* p : *ohneGui) {
        QAction* a = menue->addAction(qs(p->getName()).replace('&', "&&"));
        const int id = p->getMenueId();
        a->setObjectName(QString("befehl%1").arg(id));
        connect(a, &QAction::triggered, this, [this, id] { handleCommand(id); });
    }
}

void TMainWindow::CmErweiterungen() {
    // Holds back what updatesv asks for while the dialog is open (the dialog reloads by itself
    // after a plug-in ran); the delayed write goes on meanwhile, but for a plug-in call or a reload.
    Aufschub aufschub(this);
    // The dialog saves over aktuell.sdb before a plug-in runs: a start-up file that failed to
    // load must be kept first, or the dialog does not open.
    if (!behalteAlteDatei()) {
        meldung(!ordnerVerweigert().empty() ? ordnerVerweigert()
                                            : "Die Datei aktuell.sdb konnte nicht als aktuell.sdb.bak gesichert werden.",
                "Fehler", MB_OK | MB_ICONEXCLAMATION, this);
        return;
    }
    bool ausgefuehrt = false;
    Neuladen neugeladen = Neuladen::AusDatei;
    {
        TPluginDialog dialog(this, 770, &k_schulverwaltung, &k_pluginliste,
                             [this](QWidget* eltern) { return sichereVorErweiterung(eltern); });
        dialog.exec();
        if (dialog.wurdeAusgefuehrt()) {
            ausgefuehrt = true;
            k_neuladenAusstehend = false;  // the dialog has just loaded the data
            neugeladen = dialog.neugeladen();
        }
    }
    if (ausgefuehrt) {
        nachNeuladen(neugeladen);
        return;
    }
    // No plug-in ran and no file was read: a change that waits to be written still waits.
    aktualisiereAnsichten();
    benachrichtigeErweiterungen();
}
