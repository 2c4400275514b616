// The command handlers of the main window.
#include "app/hauptfenster.h"

#include "app/infodialog.h"
#include "app/listenansicht.h"
#include "app/stundenplanmatrix.h"
#include "planning/ui/vertretungsplandialog.h"
#include "platform/textfile.h"
#include "platform/ui/dateidialog.h"
#include "platform/ui/druckdienst.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QPrinter>
#include <QUrl>

namespace {
const int FEHLER = MB_OK | MB_ICONEXCLAMATION;
const int FRAGE = MB_YESNO | MB_ICONQUESTION;

bool frage(QWidget* w, const std::string& text, const std::string& titel) {
    return meldung(text, titel, FRAGE, w) == IDYES;
}
void fehler(QWidget* w, const std::string& text, const std::string& titel = "Fehler") {
    meldung(text, titel, FEHLER, w);
}
}  // namespace

void TMainWindow::befehl(int id) {
    switch (id) {
    case CM_BEENDEN: CmBeenden(); break;
    case CM_NEU: CmNeu(); break;
    case CM_AENDERN: CmAendern(); break;
    case CM_LOESCHEN: CmLoeschen(); break;
    case CM_SCHULJAHRESWECHSEL: CmSchuljahreswechsel(); break;
    case CM_HALBJAHRESWECHSEL: CmHalbjahreswechsel(); break;
    case CM_EINSTELLUNGEN: CmEinstellungen(); break;
    case CM_HILFE: CmHilfe(); break;
    case CM_JAHRGANG_WIEDERHERSTELLEN: CmJahrgangWiederherstellen(); break;
    case CM_JAHRGANG_ARCHIVIEREN: CmJahrgangArchivieren(); break;
    case CM_STUNDENPLAN_ERSTELLEN: CmStundenplanErstellen(); break;
    case CM_VERTRETUNGSPLAN_ERSTELLEN: CmVertretungsplanErstellen(); break;
    case CM_EXPORTIEREN: CmExportieren(); break;
    case CM_CURRICULUM: CmCurriculum(); break;
    case CM_ZURUECKSETZEN: CmZuruecksetzen(); break;
    case CM_INFO: CmInfo(); break;
    case CM_DRUCKEN: CmDrucken(); break;
    case CM_DRUCKER_EINRICHTEN: CmDruckerEinrichten(); break;
    case CM_ERWEITERUNGEN: CmErweiterungen(); break;
    default: break;
    }
}

void TMainWindow::CmBeenden() { emit schliessenAngefordert(); }

// ---------------------------------------------------------------- new and change

namespace {
// The record of the focused row of `liste`, or null: with the message `keineAuswahl` when no
// row is focused, without one when the row lies past the end of the list (the view not yet
// refreshed).
template <class T>
T* fokusDatensatz(QWidget* w, TListenAnsicht* liste, const c_Liste<T>& datensaetze, const char* keineAuswahl) {
    const int zeile = liste->fokusZeile();
    if (zeile < 0) {
        fehler(w, keineAuswahl);
        return nullptr;
    }
    return datensaetze.nth(zeile + 1);
}
}  // namespace

void TMainWindow::updateNachDatensatz(int reiter) {
    switch (reiter) {
    case REITER_SCHUELER:
        updateSchueler();
        updateKlasse();
        updateStundenplan();
        break;
    case REITER_LEHRER:
        updateLehrer();
        updateKlasse();
        updateStundenplan();
        break;
    case REITER_RAEUME:
        updateRaum();
        updateKlasse();
        updateStundenplan();
        break;
    case REITER_EINZELTERMINE:
        updateEinzeltermine();
        updateStundenplan();
        updateLehrer();
        break;
    case REITER_VERTRETUNGEN:
        updateVertretungen();
        updateStundenplan();
        updateLehrer();
        break;
    default: break;
    }
}

void TMainWindow::CmNeu() {
    const int reiter = aktiverReiter();
    switch (reiter) {
    case REITER_SCHUELER: oeffneSchuelerDialog(nullptr); break;
    case REITER_LEHRER: oeffneLehrerDialog(nullptr); break;
    case REITER_RAEUME: oeffneRaumDialog(nullptr); break;
    case REITER_EINZELTERMINE: oeffneEinzelterminDialog(nullptr); break;
    case REITER_VERTRETUNGEN: oeffneVertretungsterminDialog(nullptr); break;
    case REITER_KLASSEN:
        oeffneKlassenDialog(nullptr);
        updateKlasse();
        updateStundenplan();
        break;
    case REITER_STUNDENPLAN:
        oeffneDauerterminDialog(nullptr);
        updateEinzeltermine();
        updateStundenplan();
        updateLehrer();
        break;
    default: {
        c_Plugin* p = pluginDesReiters(reiter);
        if (!p) return;
        p->neu();
        break;
    }
    }
    updateNachDatensatz(reiter);  // the list tabs' refreshers; the other tabs ran theirs above
    saveDatenbestand();
    update();
}

void TMainWindow::CmAendern() {
    c_Schulverwaltung& sv = k_schulverwaltung;
    const char* const keinTermin = "Sie müssen erst einen Termin markieren,\nbevor Sie ihn ändern können.";
    const int reiter = aktiverReiter();
    switch (reiter) {
    case REITER_SCHUELER: {
        c_Schueler* s = fokusDatensatz(this, k_schueler, *sv.getSchuelerliste(),
                                       "Sie müssen erst einen Schüler markieren,\nbevor Sie ihn ändern können.");
        if (!s) return;
        oeffneSchuelerDialog(s);
        updateNachDatensatz(reiter);
        break;
    }
    case REITER_LEHRER: {
        c_Lehrer* l = fokusDatensatz(this, k_lehrer, *sv.getLehrerliste(),
                                     "Sie müssen erst einen Lehrer markieren,\nbevor Sie ihn ändern können.");
        if (!l) return;
        oeffneLehrerDialog(l);
        updateNachDatensatz(reiter);
        updateEinzeltermine();  // a teacher's name also stands in those rows
        break;
    }
    case REITER_RAEUME: {
        c_Raum* r = fokusDatensatz(this, k_raeume, *sv.getRaumliste(),
                                   "Sie müssen erst einen Raum markieren,\nbevor Sie ihn ändern können.");
        if (!r) return;
        oeffneRaumDialog(r);
        updateNachDatensatz(reiter);
        break;
    }
    case REITER_EINZELTERMINE: {
        c_Einzeltermin* e = fokusDatensatz(this, k_einzeltermine, *sv.getEinzelterminliste(), keinTermin);
        if (!e) return;
        oeffneEinzelterminDialog(e);
        updateNachDatensatz(reiter);
        break;
    }
    case REITER_VERTRETUNGEN: {
        c_Vertretungstermin* v = fokusDatensatz(this, k_vertretungen, *sv.getVertretungsterminliste(), keinTermin);
        if (!v) return;
        oeffneVertretungsterminDialog(v);
        updateNachDatensatz(reiter);
        break;
    }
    case REITER_KLASSEN:
        // "[keine]" opens the dialog as for a new class.
        oeffneKlassenDialog(gewaehlteKlasse());
        updateKlasse();
        updateStundenplan();
        updateLehrer();
        updateSchueler();
        updateRaum();
        break;
    case REITER_STUNDENPLAN:
        if (c_Vertretungstermin* v = k_stundenplan->getMarkiertenVertretungstermin())
            oeffneVertretungsterminDialog(v);
        else if (c_Einzeltermin* e = k_stundenplan->getMarkiertenEinzeltermin())
            oeffneEinzelterminDialog(e);
        else if (c_Dauertermin* d = k_stundenplan->getMarkiertenDauertermin())
            oeffneDauerterminDialog(d);
        else
            fehler(this, "Sie müssen einen vorhandenen Termin markieren,\nbevor Sie ihn ändern können.");
        updateEinzeltermine();
        updateVertretungen();
        updateStundenplan();
        updateLehrer();
        break;
    default:
        if (c_Plugin* p = pluginDesReiters(reiter)) {
            p->aendern();
            saveDatenbestand();
        }
        return;
    }
    saveDatenbestand();
    update();
}

// ---------------------------------------------------------------- planning

void TMainWindow::CmStundenplanErstellen() {
    stundenplanErstellen(this, &k_schulverwaltung);
    updateStundenplan();
    updateLehrer();
    saveDatenbestand();
}

void TMainWindow::CmVertretungsplanErstellen() {
    if (!vertretungsplanErstellen(this, &k_schulverwaltung)) return;
    updateStundenplan();
    updateEinzeltermine();
    updateLehrer();
    updateVertretungen();
    saveDatenbestand();
}

// ---------------------------------------------------------------- delete

template <class T>
void TMainWindow::loeschenListe(TListenAnsicht* liste, const c_Liste<T>& datensaetze,
                                bool (c_Schulverwaltung::*loeschen)(T*), const char* keineAuswahl,
                                const char* frageText, const char* titel, const char* fehlerText, int fehlerFlags,
                                int reiter) {
    // Without a record there is nothing to ask or delete.
    T* datensatz = fokusDatensatz(this, liste, datensaetze, keineAuswahl);
    if (!datensatz) return;
    if (frage(this, frageText, titel) && !(k_schulverwaltung.*loeschen)(datensatz))
        meldung(fehlerText, "Fehler", fehlerFlags, this);
    updateNachDatensatz(reiter);
    saveDatenbestand();
}

void TMainWindow::CmLoeschen() {
    c_Schulverwaltung& sv = k_schulverwaltung;
    switch (aktiverReiter()) {
    case REITER_SCHUELER:
        loeschenListe(k_schueler, *sv.getSchuelerliste(), &c_Schulverwaltung::deleteSchueler,
                      "Sie müssen erst einen Schüler markieren,\nbevor Sie ihn löschen können.",
                      "Wollen Sie den markierten Schüler\nwirklich entfernen?", "Schüler löschen",
                      "Schüler konnte nicht gelöscht werden.", FEHLER, REITER_SCHUELER);
        break;
    case REITER_LEHRER:
        loeschenListe(k_lehrer, *sv.getLehrerliste(), &c_Schulverwaltung::deleteLehrer,
                      "Sie müssen erst einen Lehrer markieren,\nbevor Sie ihn löschen können.",
                      "Wollen Sie den markierten Lehrer\nwirklich entfernen?", "Lehrer löschen",
                      "Der Lehrer konnte nicht gelöscht werden!", FEHLER, REITER_LEHRER);
        break;
    case REITER_RAEUME:
        loeschenListe(k_raeume, *sv.getRaumliste(), &c_Schulverwaltung::deleteRaum,
                      "Sie müssen erst einen Raum markieren,\nbevor Sie ihn löschen können.",
                      "Wollen Sie den markierten Raum\nwirklich entfernen?", "Raum löschen",
                      "Der Raum konnte nicht gelöscht werden!\n(findet in ihm noch Termine statt?)", FEHLER,
                      REITER_RAEUME);
        break;
    case REITER_EINZELTERMINE:
        loeschenListe(k_einzeltermine, *sv.getEinzelterminliste(), &c_Schulverwaltung::deleteEinzeltermin,
                      "Sie müssen erst einen Termin markieren,\nbevor Sie ihn löschen können.",
                      "Wollen Sie den markierten Termin\nwirklich entfernen?", "Termin löschen",
                      "Der Termin konnte nicht gelöscht werden.", MB_OK | MB_ICONQUESTION, REITER_EINZELTERMINE);
        break;
    case REITER_VERTRETUNGEN:
        loeschenListe(k_vertretungen, *sv.getVertretungsterminliste(), &c_Schulverwaltung::deleteVertretungstermin,
                      "Sie müssen erst einen Vertretungstermin markieren,\nbevor Sie ihn löschen können.",
                      "Wollen Sie den markierten Vertretungstermin\nwirklich entfernen?", "Vertretungstermin löschen",
                      "Der Vertretungstermin konnte nicht gelöscht werden.", MB_OK | MB_ICONQUESTION,
                      REITER_VERTRETUNGEN);
        break;
    case REITER_KLASSEN: {
        if (frage(this, "Wollen Sie die aktuelle Klasse\nwirklich entfernen?", "Klasse löschen")) {
            if (c_Klasse* k = gewaehlteKlasse())
                if (!sv.deleteKlasse(k)) fehler(this, "Die Klasse konnte nicht entfernt werden!");
        }
        updateKlasse();
        updateStundenplan();
        updateSchueler();
        updateLehrer();
        updateEinzeltermine();
        updateRaum();
        saveDatenbestand();
        break;
    }
    case REITER_STUNDENPLAN: {
        if (c_Vertretungstermin* v = k_stundenplan->getMarkiertenVertretungstermin()) {
            if (frage(this, "Wollen Sie den markierten Vertretungstermin\nwirklich entfernen?",
                      "Vertretungstermin löschen") &&
                !sv.deleteVertretungstermin(v))
                fehler(this, "Der Vertretungstermin konnte nicht gelöscht werden!");
        } else if (c_Einzeltermin* e = k_stundenplan->getMarkiertenEinzeltermin()) {
            if (frage(this, "Wollen Sie den markierten Einzeltermin\nwirklich entfernen?", "Einzeltermin löschen") &&
                !sv.deleteEinzeltermin(e))
                fehler(this, "Der Einzeltermin konnte nicht gelöscht werden!");
        } else if (c_Dauertermin* d = k_stundenplan->getMarkiertenDauertermin()) {
            if (frage(this, "Wollen Sie den markierten Dauertermin\nwirklich entfernen?", "Dauertermin löschen") &&
                !sv.deleteDauertermin(d))
                fehler(this, "Der Dautertermin konnte nicht gelöscht werden!");
        } else {
            fehler(this, "Sie müssen einen vorhandenen Termin markieren,\nbevor Sie ihn löschen können.");
        }
        updateEinzeltermine();
        // The substitutions list would otherwise keep a row of a deleted substitution.
        updateVertretungen();
        updateStundenplan();
        updateLehrer();
        saveDatenbestand();
        break;
    }
    default:
        if (c_Plugin* p = pluginDesReiters(aktiverReiter())) {
            p->loeschen();
            saveDatenbestand();
        }
        break;
    }
}

// ---------------------------------------------------------------- year

void TMainWindow::CmHalbjahreswechsel() {
    if (!frage(this, "Wollen Sie wirklich einen Halbjahreswechsel\ndurchführen und damit alle Dauertermine\nlöschen?",
               "Halbjahreswechsel"))
        return;
    const bool zensuren = frage(this, "Sollen auch die Zensuren aller Schueler\ngeloescht werden?", "Halbjahreswechsel");
    k_schulverwaltung.clearStundenplan(zensuren);
    updateLehrer();
    updateEinzeltermine();
    updateStundenplan();
    saveDatenbestand();
}

bool TMainWindow::archivieren() {
    DateiAuswahl auswahl;
    auswahl.filter = k_dateiFilter;
    auswahl.standardEndung = k_dateiEndung;
    const std::optional<std::string> datei = dateiSpeichern(auswahl, this);
    if (!datei) return true;
    if (k_schulverwaltung.save(datei->c_str())) return true;
    fehler(this, "Der Jahrgang konnte nicht archiviert werden.");
    return false;
}

void TMainWindow::CmJahrgangArchivieren() { archivieren(); }

void TMainWindow::CmJahrgangWiederherstellen() {
    // An archive that was asked for and failed would lose the current year: stop then.
    // A cancelled archive goes on to the choice of the year to restore.
    if (frage(this,
              "Wollen Sie den aktuellen Jahrgang\nvorher archivieren?\n\n(Alle nicht gespeicherten Daten\ngehen "
              "verloren)",
              "Jahrgang wiederherstellen") &&
        !archivieren())
        return;
    DateiAuswahl auswahl;
    auswahl.filter = k_dateiFilter;
    auswahl.standardEndung = k_dateiEndung;
    const std::optional<std::string> datei = dateiOeffnen(auswahl, this);
    if (!datei) return;
    k_schulverwaltung.clear();
    std::string fehlertext;
    k_schulverwaltung.load(datei->c_str(), &fehlertext);
    if (!fehlertext.empty()) meldung(fehlertext, "Fehler beim Öffnen", MB_OK, this);
    passeGitterAn();
    updateLehrer();
    updateRaum();
    updateKlasse();
    updateStundenplan();
    updateEinzeltermine();
    updateSchueler();
    updateVertretungen();
    saveDatenbestand();
}

void TMainWindow::CmZuruecksetzen() {
    if (!frage(this, "Wollen Sie wirklich alle Daten\nlöschen und neu beginnen?", "Alles löschen")) return;
    k_schulverwaltung.clear();
    passeGitterAn();
    updateSchueler();
    updateLehrer();
    updateRaum();
    updateEinzeltermine();
    updateKlasse();
    updateStundenplan();
    updateVertretungen();
    saveDatenbestand();
}

// ---------------------------------------------------------------- class tab

namespace {
// Sets the class teacher or class room of the chosen class from its choice box
// after the question: entry 0 clears it, a record that already serves some
// class is refused.
template <class T, class Vergeben, class Setzen>
void klasseZuordnen(QWidget* w, c_Klasse* klasse, const char* frageText, const char* titel, int eintrag, T* gewaehlt,
                    Vergeben vergeben, Setzen setzen, const char* abgelehnt) {
    if (!klasse) {
        fehler(w,
               "Sie müssen erst eine Klasse auswählen.\n\n(Falls noch keine existiert, müssen\nSie eine neue Klasse "
               "eingeben.)");
        return;
    }
    if (!frage(w, frageText, titel)) return;
    if (eintrag <= 0)
        setzen(klasse, nullptr);
    else if (gewaehlt && vergeben(gewaehlt))
        fehler(w, abgelehnt);
    else if (gewaehlt)
        setzen(klasse, gewaehlt);
}
}  // namespace

void TMainWindow::changeKlassenlehrer() {
    c_Klassenliste* klassen = k_schulverwaltung.getKlassenliste();
    klasseZuordnen(
        this, gewaehlteKlasse(), "Wollen Sie den Klassenlehrer wirklich ändern?", "Klassenlehrer ändern",
        k_klassenlehrer->currentIndex(), k_schulverwaltung.getLehrerliste()->getLehrer(k_klassenlehrer->currentIndex()),
        [klassen](const c_Lehrer* l) { return klassen->hasKlassenlehrer(l); },
        [](c_Klasse* k, c_Lehrer* l) { k->setKlassenlehrer(l); },
        "Dieser Lehrer kann dieser Klasse nicht\nzugeordnet werden, da er bereits Klassenlehrer ist.");
    updateKlasse();
    updateLehrer();
    saveDatenbestand();
}

void TMainWindow::changeKlassenraum() {
    c_Klassenliste* klassen = k_schulverwaltung.getKlassenliste();
    klasseZuordnen(
        this, gewaehlteKlasse(), "Wollen Sie den Klassenraum wirklich ändern?", "Klassenraum ändern",
        k_klassenraum->currentIndex(), k_schulverwaltung.getAktiveRaeume()->getRaum(k_klassenraum->currentIndex()),
        [klassen](const c_Raum* r) { return klassen->hasKlassenraum(r); },
        [](c_Klasse* k, c_Raum* r) { k->setKlassenraum(r); },
        "Dieser Raum kann dieser Klasse nicht\nzugeordnet werden, da er bereits Klassenraum ist.");
    updateKlasse();
    updateRaum();
    saveDatenbestand();
}

// ---------------------------------------------------------------- help, info, printer

void TMainWindow::CmHilfe() {
    // The help file is opened with the desktop's viewer for it.
    const QString datei = QDir::current().absoluteFilePath("orvask.hlp");
    if (!text::fileExists(ss(datei)) || !QDesktopServices::openUrl(QUrl::fromLocalFile(datei)))
        fehler(this, "Die Hilfedatei orvask.hlp konnte nicht geöffnet werden.");
}

void TMainWindow::CmInfo() {
    TInfoDialog dialog(this);
    dialog.exec();
}

void TMainWindow::CmDruckerEinrichten() { druckDienst().seiteEinrichten(this, k_drucker.get()); }
