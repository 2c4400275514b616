// The main window: the tabs with their list views, the class tab, the
// timetable tab, and every command of the menu, tool bar and accelerators.
#pragma once

#include "app/plugin.h"
#include "app/speicherstand.h"
#include "model/schulverwaltung/schulverwaltung.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

class QTabWidget;
class QTimer;
class QComboBox;
class QLabel;
class QPushButton;
class QPrinter;
class TListenAnsicht;
class TStundenplanMatrix;

// Widens a combo box for its longest entry, up to `hoechstens` pixels; its list shows them whole.
void passeComboAn(QComboBox* c, int hoechstens);
// Sizes a label for its text, at least `breite` x `hoehe` as laid out: wider up to `hoechstens`
// pixels, and where the text needs more, at that width on as many lines as it takes.
void passeLabelAn(QLabel* l, int breite, int hoehe, int hoechstens = std::numeric_limits<int>::max());

// Command ids of the menu, the tool bar and the accelerators.
enum Befehl : int {
    CM_BEENDEN = 2,
    CM_NEU = 3,
    CM_AENDERN = 4,
    CM_LOESCHEN = 5,
    CM_SCHULJAHRESWECHSEL = 6,
    CM_HALBJAHRESWECHSEL = 7,
    CM_EINSTELLUNGEN = 8,
    CM_HILFE = 9,
    CM_JAHRGANG_WIEDERHERSTELLEN = 10,
    CM_JAHRGANG_ARCHIVIEREN = 11,
    CM_STUNDENPLAN_ERSTELLEN = 12,
    CM_VERTRETUNGSPLAN_ERSTELLEN = 13,
    CM_EXPORTIEREN = 14,
    CM_CURRICULUM = 15,
    CM_ZURUECKSETZEN = 16,
    CM_INFO = 17,
    CM_DRUCKEN = 18,
    CM_DRUCKER_EINRICHTEN = 19,
    CM_ERWEITERUNGEN = 60,
};

// Tab indexes of the fixed tabs; tab REITER_PLUGINS + k belongs to the k-th
// plug-in with a window.
enum Reiter : int {
    REITER_SCHUELER = 0,
    REITER_LEHRER = 1,
    REITER_RAEUME = 2,
    REITER_EINZELTERMINE = 3,
    REITER_VERTRETUNGEN = 4,
    REITER_KLASSEN = 5,
    REITER_STUNDENPLAN = 6,
    REITER_PLUGINS = 7,
};

extern const char* const AKTUELLE_DATEI;  // "aktuell.sdb"
extern const char* const SICHERUNGS_DATEI;  // "aktuell.tmp"

// Asked before every write of the year's files in the working folder, so that a program that
// could not lock its folder at the start does not write over the year of one that locked it since.
class Ordnerwache {
public:
    virtual ~Ordnerwache() = default;
    // Empty when the year's files may be written now; else why not, and then none of them is
    // written again in this session. `dateiWieBekannt` tells whether aktuell.sdb is still the file
    // this program last read or wrote (asked where the folder was not locked until now).
    virtual std::string vorDemSchreiben(const std::function<bool()>& dateiWieBekannt) = 0;
    // Whether the start already told the user that the year may not be saved in this folder.
    virtual bool speichernGemeldet() const = 0;
};
// The watch that main windows made from now on ask; null for none (every write may go ahead).
void setzeOrdnerwache(Ordnerwache* wache);

class TMainWindow : public QWidget {
    Q_OBJECT
public:
    explicit TMainWindow(QWidget* parent = nullptr);
    ~TMainWindow() override;

    // Loads the data, builds the tabs and fills every view.
    void setupFenster();
    // Saves, asks and, on Yes, clears the data; true when the window may close.
    bool queryClose();

    // Runs a command of the menu, tool bar or accelerators.
    void befehl(int id);
    // The command hook: the menu id of a plug-in without a window runs that
    // plug-in; then every command goes on to befehl.
    void handleCommand(int id);

    // ---- views
    // What the window shows of the data: the five list tabs, the class tab (its combo boxes
    // and lists) and the timetable tab (owner choice and grid). Each remembers the marks of
    // the lists it was filled from.
    enum Ansicht : int {
        ANSICHT_RAEUME,
        ANSICHT_SCHUELER,
        ANSICHT_LEHRER,
        ANSICHT_EINZELTERMINE,
        ANSICHT_VERTRETUNGEN,
        ANSICHT_KLASSE,
        ANSICHT_STUNDENPLAN,
        ANSICHTEN
    };
    // Whether the view shows the lists as they are.
    bool istAktuell(Ansicht a) const;
    // Refreshes exactly the views whose lists changed since they were filled. Every command
    // ends with it; a view that is refreshed loses its marking.
    void aktualisiereAnsichten();

    // ---- list refreshers
    void updateRaum();
    void updateSchueler();
    void updateLehrer();
    void updateEinzeltermine();
    void updateVertretungen();
    void updateKlasse();
    void updateStundenplan();

    // ---- notifications
    void changeRegister(int reiter);
    void changeKlasse();
    void changeKlassenlehrer();
    void changeKlassenraum();
    void changeKategorie();
    void changeBesitzer();

    // ---- change notification and reload after an outside change
    // After every change of the data: aktuell.sdb is written shortly after (speichereBald),
    // and the plug-ins with a window are told at once.
    void saveDatenbestand();
    // ---- writing the year as it is made
    // The data changed: aktuell.sdb is written TSpeicherstand::VERZOEGERUNG ms after the last change,
    // and at the latest TSpeicherstand::HOECHSTENS ms after the first change not yet written.
    void speichereBald();
    bool hatUngespeicherteAenderungen() const { return k_speicherstand.ungespeichert(); }
    // True while the delayed write waits for its time (not counting the retry after a failure).
    bool speichertBald() const { return k_speicherstand.bald(); }
    // Whether a failed write waits to be tried again.
    bool wiederholtSpeichern() const { return k_speicherstand.wiederholt(); }
    // The time between the tries after a failed write (TSpeicherstand::WIEDERHOLUNG; shorter in tests).
    void setzeSpeicherWiederholung(int ms) { k_speicherstand.setzeWiederholung(ms); }
    void reloadDatenbestand();
    // What updatesv asks for: a reload now; after the set-up, change
    // notification or plug-in run in progress; or none while a reload runs,
    // which answers it.
    void neuladenAnfordern();
    // The same as updatesv runs it: while a modal dialog or message box is
    // open outside a plug-in call (a command may hold records meanwhile), it
    // waits until none is. A request from another thread arrives here through
    // the event loop.
    void neuladenWennFrei();

    // ---- command handlers
    void CmBeenden();
    void CmNeu();
    void CmAendern();
    void CmLoeschen();
    void CmSchuljahreswechsel();
    void CmHalbjahreswechsel();
    void CmEinstellungen();
    void CmHilfe();
    void CmJahrgangWiederherstellen();
    void CmJahrgangArchivieren();
    void CmStundenplanErstellen();
    void CmVertretungsplanErstellen();
    void CmExportieren();
    void CmCurriculum();
    void CmZuruecksetzen();
    void CmInfo();
    void CmDrucken();
    void CmDruckerEinrichten();
    void CmErweiterungen();
    void CmZensuren();
    void CmWocheVor();
    void CmWocheZurueck();
    void CmGeheZu();

    c_Schulverwaltung* schulverwaltung() { return &k_schulverwaltung; }
    c_Pluginliste* pluginliste() { return &k_pluginliste; }
    TStundenplanMatrix* stundenplan() const { return k_stundenplan; }
    int aktiverReiter() const;
    void waehleReiter(int reiter);
    // The Monday of the shown week.
    void getWoche(int* tag, int* monat, int* jahr) const {
        *tag = k_tag;
        *monat = k_monat;
        *jahr = k_jahr;
    }
    void setWoche(int tag, int monat, int jahr);

signals:
    // Asks the frame to close (command Beenden).
    void schliessenAngefordert();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    std::vector<std::uint64_t> standVon(Ansicht a);
    void merkeStand(Ansicht a) { k_stand[a] = standVon(a); }
    // Fills the list view of `a` with a row per record of `datensaetze`; `zeile` appends the
    // cells of a record. A row is built when it is first shown, while the view is current.
    template <class T, class Zeile>
    void fuelleListe(Ansicht a, const c_Liste<T>* datensaetze, Zeile zeile);
    void setzeVorlagenSpalten(TListenAnsicht* liste, const c_Datenliste* vorlage);
    // The class chosen in combo 107, or null for "[keine]"; the class tab is refreshed first
    // when its lists changed.
    c_Klasse* gewaehlteKlasse();
    // The owner of the timetable tab: exactly one set, or none; the tab is refreshed first
    // when its lists changed.
    void getBesitzer(c_Lehrer** l, c_Raum** r, c_Klasse** k);
    // The owner of the n-th entry of the owner combo in the chosen category.
    const void* besitzerAn(int n);
    void fuelleBesitzerCombo();
    // Widens the class tab's combo boxes for their entries, as far as the window has room.
    void passeKlassenCombosAn();
    // Places the class tab's row of choices and the timetable tab's grid for the window's width and
    // what the choices need (after passeComboAn).
    void ordneKlassenZeileAn();
    void ordneStundenplanAn();
    void fuelleStundenplan();
    // Writes aktuell.sdb; after a failed start-up load the old file is kept as aktuell.sdb.bak
    // first (behalteAlteDatei). A year whose structure did not load is never written. Empty when
    // written, else why not. Only the writes of the year below call it, each telling k_speicherstand.
    std::string schreibeAktuell();
    // The write of the year that every path but the plug-in's and the close's takes: written, and
    // k_speicherstand told, which reports a failure (or the success after one).
    void speichereAktuell();
    bool behalteAlteDatei();
    // Writes the backup aktuell.tmp, as private as aktuell.sdb.
    bool speichereSicherung();
    // Empty while this program may write the year's files in the working folder, else why not
    // (see Ordnerwache); once refused, for the rest of the session.
    const std::string& ordnerVerweigert();
    // aktuell.sdb as this program last read or wrote it.
    void merkeDateistand();
    // Saves aktuell.sdb and aktuell.tmp before a plug-in runs; when that fails the plug-in
    // must not run (it would read, and the reload bring back, an older year): says so and
    // returns false.
    bool sichereVorErweiterung(QWidget* eltern);
    // The timers' write: now, or a moment later while something holds it back.
    void speichereNachAenderung();
    bool speichernAufgeschoben() const;
    // A generator's thread starts or has ended: see k_generatorLaeuft.
    void setzeGeneratorLaeuft(bool laeuft);
    // The plug-in of tab 7 + k, the k-th with a window; null on the fixed tabs.
    c_Plugin* pluginDesReiters(int reiter) const;
    // Saves aktuell.sdb and aktuell.tmp, starts the plug-in with this window
    // and loads the data again as reloadDatenbestand does.
    void runPluginOhneGui(c_Plugin* plugin);
    // The plug-ins with a window hear of a change: aktuell.sdb and aktuell.tmp are written
    // and their update is called; nothing without such plug-ins.
    void benachrichtigeErweiterungen();
    // After a reload: the grid to the settings, every list refreshed, and the
    // change notification unless the reload failed (`geladen` false).
    void nachNeuladen(Neuladen neugeladen);
    // The popup "&Erweiterungen" of the frame's menu.
    void baueErweiterungsMenue();
    // Holds updatesv requests back while it lives; one made meanwhile is
    // carried out when the outermost one ends.
    class Aufschub;
    // Saves the year to a file the user chooses; false when the save failed
    // (and said so), true when saved or when the choice was cancelled.
    bool archivieren();
    // Days and lessons of the grid from the settings (lessons kept within 1..12).
    void passeGitterAn();
    // The record dialogs of Neu and Ändern, run modally; null opens the dialog for a new record.
    void oeffneSchuelerDialog(c_Schueler* schueler);
    void oeffneLehrerDialog(c_Lehrer* lehrer);
    void oeffneRaumDialog(c_Raum* raum);
    void oeffneKlassenDialog(c_Klasse* klasse);
    void oeffneEinzelterminDialog(c_Einzeltermin* termin);
    void oeffneVertretungsterminDialog(c_Vertretungstermin* termin);
    void oeffneDauerterminDialog(c_Dauertermin* termin);
    // The record of the marked row of a list tab, or null: with the message `keineAuswahl` when
    // no row is marked. A view whose lists changed is refreshed first, and its marking is gone.
    template <class T>
    T* markierterDatensatz(Ansicht a, const c_Liste<T>& datensaetze, const char* keineAuswahl);
    // The grid's marked cell, for Ändern and Löschen: refreshed first when stale.
    TStundenplanMatrix* markiertesGitter();
    // Löschen on a list tab: the record of the marked row, after the question.
    template <class T>
    void loeschenListe(Ansicht a, const c_Liste<T>& datensaetze, bool (c_Schulverwaltung::*loeschen)(T*),
                       const char* keineAuswahl, const char* frage, const char* titel, const char* fehler,
                       int fehlerFlags);
    TListenAnsicht* liste(Ansicht a) const;

    c_Schulverwaltung k_schulverwaltung;
    c_Pluginliste k_pluginliste;
    std::string k_pluginFehler;  // libraries in plugins/ that could not be loaded
    bool k_pluginsGestartet = false;
    int k_aufschub = 0;
    bool k_neuladenAusstehend = false;
    bool k_wartetAufFrei = false;
    std::string k_dateiFilter = "Jahrgangs Dateien (*.sdb)|*.sdb|";
    std::string k_dateiEndung = "sdb";

    QTabWidget* k_register;
    TListenAnsicht* k_raeume;
    TListenAnsicht* k_schueler;
    TListenAnsicht* k_lehrer;
    TListenAnsicht* k_einzeltermine;
    TListenAnsicht* k_vertretungen;
    TListenAnsicht* k_klassenSchueler;
    TListenAnsicht* k_klassenFelder;
    QComboBox* k_klasse;
    QComboBox* k_klassenlehrer;
    QComboBox* k_klassenraum;
    QPushButton* k_zensuren;
    QWidget* k_klassenSeite[4];  // the four labels of the class tab
    TStundenplanMatrix* k_stundenplan;
    QComboBox* k_kategorie;
    QComboBox* k_besitzer;
    QLabel* k_kategorieLabel;
    QLabel* k_besitzerLabel;
    QPushButton* k_wocheVor;
    QPushButton* k_wocheZurueck;
    QPushButton* k_geheZu;
    QLabel* k_wochenText;

    std::array<std::vector<std::uint64_t>, ANSICHTEN> k_stand;
    // The class chosen on the class tab and the owner of the timetable, by identity only (never
    // read through): a refill chooses them again where they still are.
    const c_Klasse* k_klasseGewaehlt = nullptr;
    const void* k_besitzerGewaehlt = nullptr;

    Ordnerwache* k_ordnerwache = nullptr;
    TSpeicherstand k_speicherstand;
    struct Dateistand {
        bool vorhanden = false;
        unsigned long long geraet = 0, knoten = 0, groesse = 0;
        long long sekunden = 0, nanosekunden = 0;
        bool operator==(const Dateistand& d) const {
            return vorhanden == d.vorhanden && geraet == d.geraet && knoten == d.knoten && groesse == d.groesse &&
                   sekunden == d.sekunden && nanosekunden == d.nanosekunden;
        }
    };
    static Dateistand dateistand();
    Dateistand k_dateistand;
    // While a generator's thread writes into the lists, the window reads and writes none of
    // them: rows not built yet stay empty and the delayed write waits until the thread has ended.
    bool k_generatorLaeuft = false;

    int k_tag = 1;
    int k_monat = 1;
    int k_jahr = 2000;
    std::unique_ptr<QPrinter> k_drucker;
    // The start-up load of an existing aktuell.sdb failed: keep that file
    // before the first save replaces it.
    bool k_sicherungNoetig = false;
    // Set while updateStundenplan refills the owners, so the grid is filled once.
    bool k_ohneGitter = false;
};

class TMainWindow::Aufschub {
public:
    explicit Aufschub(TMainWindow* fenster);
    ~Aufschub();
    Aufschub(const Aufschub&) = delete;
    Aufschub& operator=(const Aufschub&) = delete;

private:
    TMainWindow* k_fenster;
};
