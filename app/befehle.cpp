// The command handlers of the main window.
#include "app/hauptfenster.h"

#include "app/infodialog.h"
#include "app/stundenplanmatrix.h"
#include "planning/ui/vertretungsplandialog.h"
#include "platform/textfile.h"
#include "platform/ui/dateidialog.h"
#include "platform/ui/druckdienst.h"
#include "platform/ui/listenansicht.h"
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

template <class T>
T* TMainWindow::markierterDatensatz(Ansicht a, const c_Liste<T>& datensaetze, const char* keineAuswahl) {
    // A view whose lists changed since it was filled may name other records than it shows:
    // it is filled again first, and then nothing is marked.
    if (!istAktuell(a)) aktualisiereAnsichten();
    const int zeile = liste(a)->fokusZeile();
    T* datensatz = zeile < 0 ? nullptr : datensaetze.nth(zeile + 1);
    if (!datensatz) fehler(this, keineAuswahl);
    return datensatz;
}

TStundenplanMatrix* TMainWindow::markiertesGitter() {
    if (!istAktuell(ANSICHT_STUNDENPLAN)) aktualisiereAnsichten();
    return k_stundenplan;
}

void TMainWindow::CmNeu() {
    const int reiter = aktiverReiter();
    switch (reiter) {
    case REITER_SCHUELER: oeffneSchuelerDialog(nullptr); break;
    case REITER_LEHRER: oeffneLehrerDialog(nullptr); break;
    case REITER_RAEUME: oeffneRaumDialog(nullptr); break;
    case REITER_EINZELTERMINE: oeffneEinzelterminDialog(nullptr); break;
    case REITER_VERTRETUNGEN: oeffneVertretungsterminDialog(nullptr); break;
    case REITER_KLASSEN: oeffneKlassenDialog(nullptr); break;
    case REITER_STUNDENPLAN: oeffneDauerterminDialog(nullptr); break;
    default: {
        c_Plugin* p = pluginDesReiters(reiter);
        if (!p) return;
        p->neu();
        break;
    }
    }
    aktualisiereAnsichten();
    saveDatenbestand();
    update();
}

void TMainWindow::CmAendern() {
    c_Schulverwaltung& sv = k_schulverwaltung;
    const char* const keinTermin = "Sie müssen erst einen Termin markieren,\nbevor Sie ihn ändern können.";
    const int reiter = aktiverReiter();
    switch (reiter) {
    case REITER_SCHUELER: {
        c_Schueler* s = markierterDatensatz(ANSICHT_SCHUELER, *sv.getSchuelerliste(),
                                            "Sie müssen erst einen Schüler markieren,\nbevor Sie ihn ändern können.");
        if (!s) return;
        oeffneSchuelerDialog(s);
        break;
    }
    case REITER_LEHRER: {
        c_Lehrer* l = markierterDatensatz(ANSICHT_LEHRER, *sv.getLehrerliste(),
                                          "Sie müssen erst einen Lehrer markieren,\nbevor Sie ihn ändern können.");
        if (!l) return;
        oeffneLehrerDialog(l);
        break;
    }
    case REITER_RAEUME: {
        c_Raum* r = markierterDatensatz(ANSICHT_RAEUME, *sv.getRaumliste(),
                                        "Sie müssen erst einen Raum markieren,\nbevor Sie ihn ändern können.");
        if (!r) return;
        oeffneRaumDialog(r);
        break;
    }
    case REITER_EINZELTERMINE: {
        c_Einzeltermin* e = markierterDatensatz(ANSICHT_EINZELTERMINE, *sv.getEinzelterminliste(), keinTermin);
        if (!e) return;
        oeffneEinzelterminDialog(e);
        break;
    }
    case REITER_VERTRETUNGEN: {
        c_Vertretungstermin* v = markierterDatensatz(ANSICHT_VERTRETUNGEN, *sv.getVertretungsterminliste(), keinTermin);
        if (!v) return;
        oeffneVertretungsterminDialog(v);
        break;
    }
    case REITER_KLASSEN:
        // "[keine]" opens the dialog as for a new class.
        oeffneKlassenDialog(gewaehlteKlasse());
        break;
    case REITER_STUNDENPLAN: {
        TStundenplanMatrix* gitter = markiertesGitter();
        if (c_Vertretungstermin* v = gitter->getMarkiertenVertretungstermin())
            oeffneVertretungsterminDialog(v);
        else if (c_Einzeltermin* e = gitter->getMarkiertenEinzeltermin())
            oeffneEinzelterminDialog(e);
        else if (c_Dauertermin* d = gitter->getMarkiertenDauertermin())
            oeffneDauerterminDialog(d);
        else
            fehler(this, "Sie müssen einen vorhandenen Termin markieren,\nbevor Sie ihn ändern können.");
        break;
    }
    default:
        if (c_Plugin* p = pluginDesReiters(reiter)) {
            p->aendern();
            saveDatenbestand();
        }
        return;
    }
    aktualisiereAnsichten();
    saveDatenbestand();
    update();
}

// ---------------------------------------------------------------- planning

void TMainWindow::CmStundenplanErstellen() {
    // Only the generator's thread holds the write back: while the dialog waits for a choice the
    // year is written as always, and the generator's lessons as soon as its thread has ended,
    // while the dialog or its failure box may still be open.
    stundenplanErstellen(this, &k_schulverwaltung, [this](bool laeuft) { setzeGeneratorLaeuft(laeuft); });
    k_generatorLaeuft = false;  // the dialog is gone and its thread joined
    aktualisiereAnsichten();
    saveDatenbestand();
}

void TMainWindow::CmVertretungsplanErstellen() {
    if (!vertretungsplanErstellen(this, &k_schulverwaltung)) return;
    aktualisiereAnsichten();
    saveDatenbestand();
}

// ---------------------------------------------------------------- delete

template <class T>
void TMainWindow::loeschenListe(Ansicht a, const c_Liste<T>& datensaetze, bool (c_Schulverwaltung::*loeschen)(T*),
                                const char* keineAuswahl, const char* frageText, const char* titel,
                                const char* fehlerText, int fehlerFlags) {
    // Without a record there is nothing to ask or delete.
    T* datensatz = markierterDatensatz(a, datensaetze, keineAuswahl);
    if (!datensatz) return;
    if (frage(this, frageText, titel) && !(k_schulverwaltung.*loeschen)(datensatz))
        meldung(fehlerText, "Fehler", fehlerFlags, this);
    aktualisiereAnsichten();
    saveDatenbestand();
}

void TMainWindow::CmLoeschen() {
    c_Schulverwaltung& sv = k_schulverwaltung;
    switch (aktiverReiter()) {
    case REITER_SCHUELER:
        loeschenListe(ANSICHT_SCHUELER, *sv.getSchuelerliste(), &c_Schulverwaltung::deleteSchueler,
                      "Sie müssen erst einen Schüler markieren,\nbevor Sie ihn löschen können.",
                      "Wollen Sie den markierten Schüler\nwirklich entfernen?", "Schüler löschen",
                      "Schüler konnte nicht gelöscht werden.", FEHLER);
        break;
    case REITER_LEHRER:
        loeschenListe(ANSICHT_LEHRER, *sv.getLehrerliste(), &c_Schulverwaltung::deleteLehrer,
                      "Sie müssen erst einen Lehrer markieren,\nbevor Sie ihn löschen können.",
                      "Wollen Sie den markierten Lehrer\nwirklich entfernen?", "Lehrer löschen",
                      "Der Lehrer konnte nicht gelöscht werden!", FEHLER);
        break;
    case REITER_RAEUME:
        loeschenListe(ANSICHT_RAEUME, *sv.getRaumliste(), &c_Schulverwaltung::deleteRaum,
                      "Sie müssen erst einen Raum markieren,\nbevor Sie ihn löschen können.",
                      "Wollen Sie den markierten Raum\nwirklich entfernen?", "Raum löschen",
                      "Der Raum konnte nicht gelöscht werden!\n(findet in ihm noch Termine statt?)", FEHLER);
        break;
    case REITER_EINZELTERMINE:
        loeschenListe(ANSICHT_EINZELTERMINE, *sv.getEinzelterminliste(), &c_Schulverwaltung::deleteEinzeltermin,
                      "Sie müssen erst einen Termin markieren,\nbevor Sie ihn löschen können.",
                      "Wollen Sie den markierten Termin\nwirklich entfernen?", "Termin löschen",
                      "Der Termin konnte nicht gelöscht werden.", MB_OK | MB_ICONQUESTION);
        break;
    case REITER_VERTRETUNGEN:
        loeschenListe(ANSICHT_VERTRETUNGEN, *sv.getVertretungsterminliste(),
                      &c_Schulverwaltung::deleteVertretungstermin,
                      "Sie müssen erst einen Vertretungstermin markieren,\nbevor Sie ihn löschen können.",
                      "Wollen Sie den markierten Vertretungstermin\nwirklich entfernen?", "Vertretungstermin löschen",
                      "Der Vertretungstermin konnte nicht gelöscht werden.", MB_OK | MB_ICONQUESTION);
        break;
    case REITER_KLASSEN: {
        if (frage(this, "Wollen Sie die aktuelle Klasse\nwirklich entfernen?", "Klasse löschen")) {
            if (c_Klasse* k = gewaehlteKlasse())
                if (!sv.deleteKlasse(k)) fehler(this, "Die Klasse konnte nicht entfernt werden!");
        }
        aktualisiereAnsichten();
        saveDatenbestand();
        break;
    }
    case REITER_STUNDENPLAN: {
        TStundenplanMatrix* gitter = markiertesGitter();
        if (c_Vertretungstermin* v = gitter->getMarkiertenVertretungstermin()) {
            if (frage(this, "Wollen Sie den markierten Vertretungstermin\nwirklich entfernen?",
                      "Vertretungstermin löschen") &&
                !sv.deleteVertretungstermin(v))
                fehler(this, "Der Vertretungstermin konnte nicht gelöscht werden!");
        } else if (c_Einzeltermin* e = gitter->getMarkiertenEinzeltermin()) {
            if (frage(this, "Wollen Sie den markierten Einzeltermin\nwirklich entfernen?", "Einzeltermin löschen") &&
                !sv.deleteEinzeltermin(e))
                fehler(this, "Der Einzeltermin konnte nicht gelöscht werden!");
        } else if (c_Dauertermin* d = gitter->getMarkiertenDauertermin()) {
            if (frage(this, "Wollen Sie den markierten Dauertermin\nwirklich entfernen?", "Dauertermin löschen") &&
                !sv.deleteDauertermin(d))
                fehler(this, "Der Dautertermin konnte nicht gelöscht werden!");
        } else {
            fehler(this, "Sie müssen einen vorhandenen Termin markieren,\nbevor Sie ihn löschen können.");
        }
        aktualisiereAnsichten();
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
    aktualisiereAnsichten();
    saveDatenbestand();
}

bool TMainWindow::archivieren() {
    // A year without its templates would be written without fields, and could not be read again.
    if (!k_schulverwaltung.hatStruktur()) {
        fehler(this, "Der Jahrgang konnte nicht archiviert werden:\nDie Struktur des Datenbestandes "
                     "(die Felder der Datensätze)\nwurde nicht geladen.");
        return false;
    }
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
    aktualisiereAnsichten();
    saveDatenbestand();
}

void TMainWindow::CmZuruecksetzen() {
    if (!frage(this, "Wollen Sie wirklich alle Daten\nlöschen und neu beginnen?", "Alles löschen")) return;
    k_schulverwaltung.clear();
    aktualisiereAnsichten();
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
    // A choice made in a box that no longer shows the lists as they are names another record.
    if (!istAktuell(ANSICHT_KLASSE)) {
        aktualisiereAnsichten();
        return;
    }
    c_Klassenliste* klassen = k_schulverwaltung.getKlassenliste();
    klasseZuordnen(
        this, gewaehlteKlasse(), "Wollen Sie den Klassenlehrer wirklich ändern?", "Klassenlehrer ändern",
        k_klassenlehrer->currentIndex(), k_schulverwaltung.getLehrerliste()->getLehrer(k_klassenlehrer->currentIndex()),
        [klassen](const c_Lehrer* l) { return klassen->hasKlassenlehrer(l); },
        [klassen](c_Klasse* k, c_Lehrer* l) {
            k->setKlassenlehrer(l);
            klassen->geaendert();
        },
        "Dieser Lehrer kann dieser Klasse nicht\nzugeordnet werden, da er bereits Klassenlehrer ist.");
    updateKlasse();
    aktualisiereAnsichten();
    saveDatenbestand();
}

void TMainWindow::changeKlassenraum() {
    if (!istAktuell(ANSICHT_KLASSE)) {
        aktualisiereAnsichten();
        return;
    }
    c_Klassenliste* klassen = k_schulverwaltung.getKlassenliste();
    klasseZuordnen(
        this, gewaehlteKlasse(), "Wollen Sie den Klassenraum wirklich ändern?", "Klassenraum ändern",
        k_klassenraum->currentIndex(), k_schulverwaltung.getAktiveRaeume()->getRaum(k_klassenraum->currentIndex()),
        [klassen](const c_Raum* r) { return klassen->hasKlassenraum(r); },
        [klassen](c_Klasse* k, c_Raum* r) {
            k->setKlassenraum(r);
            klassen->geaendert();
        },
        "Dieser Raum kann dieser Klasse nicht\nzugeordnet werden, da er bereits Klassenraum ist.");
    updateKlasse();
    aktualisiereAnsichten();
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
