// The one front end through which windows, dialogs, generators and reports
// reach the data of the school year. It owns exactly one store.
#pragma once

#include "model/database/database.h"

#include <functional>
#include <memory>
#include <string>

// What became of an appointment handed to addEinzeltermin / addDauertermin.
enum class TerminErgebnis {
    Gespeichert,     // stored; the list owns it
    Limit,           // refused: the list already holds 32000 entries
    Kollision,       // collides; the proposal was returned, if there is a free slot
    KeineDatenbank,  // no store
};

class c_Schulverwaltung {
public:
    c_Schulverwaltung();
    ~c_Schulverwaltung();
    c_Schulverwaltung(const c_Schulverwaltung&) = delete;
    c_Schulverwaltung& operator=(const c_Schulverwaltung&) = delete;

    // ---- lifecycle and persistence
    // A new store with the templates of the structure file alone.
    void reset(std::string* fehler);
    // A new store from the named data file. Returns whether that very file was
    // read and passed its checks (false after a fallback or a failed load).
    bool load(const char* dateiname, std::string* fehler);
    // Loads the named data file into a new store and puts it in place of the
    // current one only when that very file was read, passed its checks and
    // gave no message. Otherwise the current store stays as it was, `fehler`
    // holds the messages (or says that the file is missing) and false comes back.
    bool reload(const char* dateiname, std::string* fehler);
    int save(const char* dateiname);
    // The same for a copy of the year (aktuell.tmp): it takes the group and read rights of the file
    // `vorbild` and replaces whatever has its name, a link included, never what that leads to.
    int save(const char* dateiname, const char* vorbild);
    // Whether the year's templates loaded whole (its structure section passed its checks).
    bool hatStruktur() const { return k_database && k_database->isStrukturGeladen(); }
    void clear();

    c_Database* getDatabase() { return k_database.get(); }

    // Who hears of the changes that dialogs make directly in the records while they are open
    // (grades, absences, subjects, curriculum), outside a command of the main window.
    void setAenderungsMelder(std::function<void()> melder) { k_aenderungsMelder = std::move(melder); }
    void meldeAenderung() {
        if (k_aenderungsMelder) k_aenderungsMelder();
    }

    // ---- forwarding: records go into the store; the pointer is emptied when
    // the store took the record, and stays with the caller when it refused.
    bool addSchueler(std::unique_ptr<c_Schueler>& s);
    bool addLehrer(std::unique_ptr<c_Lehrer>& l);
    bool addKlasse(std::unique_ptr<c_Klasse>& k);
    bool addRaum(std::unique_ptr<c_Raum>& r);
    bool addFach(std::unique_ptr<c_Fach>& f);
    bool addWunsch(std::unique_ptr<c_Wunsch>& w);

    int updateSchueler(c_Schueler* s);
    int updateLehrer(c_Lehrer* l);
    int updateRaum(c_Raum* r);
    int updateKlasse(c_Klasse* k);
    int updateEinzeltermin(c_Einzeltermin* t);
    int updateDauertermin(c_Dauertermin* t);
    int updateVertretungstermin(c_Vertretungstermin* t);

    bool deleteSchueler(c_Schueler* s);
    bool deleteLehrer(c_Lehrer* l);
    bool deleteKlasse(c_Klasse* k);
    bool deleteRaum(c_Raum* r);
    bool deleteFach(c_Fach* f);
    bool deleteEinzeltermin(c_Einzeltermin* t);
    bool deleteDauertermin(c_Dauertermin* t);
    bool deleteVertretungstermin(c_Vertretungstermin* t);
    bool deleteWunsch(c_Wunsch* w);

    c_Schuelerliste* getSchuelerliste();
    c_Lehrerliste* getLehrerliste();
    c_Klassenliste* getKlassenliste();
    c_Raumliste* getRaumliste();
    c_Fachliste* getFachliste();
    c_Curriculum* getCurriculum();
    c_Einzelterminliste* getEinzelterminliste();
    c_Dauerterminliste* getDauerterminliste();
    c_Vertretungsterminliste* getVertretungsterminliste();

    c_Datenliste* getSchuelerStruktur();
    c_Datenliste* getLehrerStruktur();
    c_Datenliste* getRaumStruktur();
    c_Datenliste* getEinzelterminStruktur();
    c_Datenliste* getDauerterminStruktur();
    c_Datenliste* getVertretungsterminStruktur();
    c_Datenliste* getKlasseStruktur();
    c_Datenliste* getZensurStruktur();
    c_Datenliste* getFehlzeitStruktur();

    std::unique_ptr<c_Dauerterminliste> getDauertermineKlasse(const c_Klasse* k);
    std::unique_ptr<c_Dauerterminliste> getDauertermineLehrer(const c_Lehrer* l);
    std::unique_ptr<c_Dauerterminliste> getDauertermineRaum(const c_Raum* r);

    int getMinKlasse();
    void setMinKlasse(int v);
    int getMaxKlasse();
    void setMaxKlasse(int v);
    int getNeuKlasse();
    void setNeuKlasse(int v);
    bool getSamstag();
    void setSamstag(bool v);
    int getStundenProTag();
    void setStundenProTag(int v);

    // ---- appointments
    // Null when stored or refused at the limit, else a proposal that the
    // caller owns (null too when no weekly slot of the day is free).
    // `ergebnis` (optional) tells the cases apart.
    std::unique_ptr<c_Einzeltermin> addEinzeltermin(std::unique_ptr<c_Einzeltermin>& t,
                                                    TerminErgebnis* ergebnis = nullptr);
    std::unique_ptr<c_Dauertermin> addDauertermin(std::unique_ptr<c_Dauertermin>& t,
                                                  TerminErgebnis* ergebnis = nullptr);
    // The collision test of the two adds for a stored appointment `ausser`
    // that is to be changed into `t` (a copy holding the new values): every
    // other stored appointment counts, `ausser` itself does not. True when `t`
    // collides; the proposal (as the add would return it) then goes to `vorschlag`.
    bool kollidiert(const c_Einzeltermin& t, const c_Einzeltermin* ausser, std::unique_ptr<c_Einzeltermin>* vorschlag);
    bool kollidiert(const c_Dauertermin& t, const c_Dauertermin* ausser, std::unique_ptr<c_Dauertermin>* vorschlag);
    bool addVertretungstermin(std::unique_ptr<c_Vertretungstermin>& t);

    std::unique_ptr<c_Raumliste> getAktiveRaeume();
    bool deactivateRaum(c_Raum* r);

    // ---- school-year change and plan clearing
    // The change uses the settings within what the settings dialog can enter (two digits):
    // grade levels 0..MAX_JAHRGANG_EINSTELLUNG, new classes 0..MAX_NEUE_KLASSEN.
    static constexpr int MAX_JAHRGANG_EINSTELLUNG = 99;
    static constexpr int MAX_NEUE_KLASSEN = 99;
    void changeSchuljahr(const c_Schuelerliste* wiederholer, bool zensurenLoeschen);
    void clearStundenplan(bool zensurenLoeschen);

    // ---- queries
    std::unique_ptr<c_Schuelerliste> getSchuelerDerKlasse(const c_Klasse* k);
    std::unique_ptr<c_Raumliste> getRaeumeFuerFach(const c_Fach* f);
    bool isRaumBelegt(const std::string& wochentag, int stunde, const c_Raum* r);
    bool isKlasseBelegt(const std::string& wochentag, int stunde, const c_Klasse* k);
    bool isLehrerBelegt(const std::string& wochentag, int stunde, const c_Lehrer* l);
    c_Dauertermin* getDauerterminVorher(const std::string& wochentag, int stunde, const c_Raum* r);
    c_Lehrer* findLehrerFuerFach(const c_Fach* f, int stunden);
    std::unique_ptr<c_Raumliste> getFreieRaeume();
    int getGeplanteStunden(const c_Klasse* k, const c_Fach* f);
    bool isKlassenraum(const c_Raum* r);
    bool existsRaumname(const c_Raum* r);
    std::unique_ptr<c_Einzelterminliste> getEinzeltermineKlasse(int tag, int monat, int jahr, const c_Klasse* k);
    std::unique_ptr<c_Einzelterminliste> getEinzeltermineLehrer(int tag, int monat, int jahr, const c_Lehrer* l);
    std::unique_ptr<c_Einzelterminliste> getEinzeltermineRaum(int tag, int monat, int jahr, const c_Raum* r);
    std::unique_ptr<c_Vertretungsterminliste> getVertretungstermineKlasse(int tag, int monat, int jahr,
                                                                         const c_Klasse* k);
    std::unique_ptr<c_Vertretungsterminliste> getVertretungstermineLehrer(int tag, int monat, int jahr,
                                                                         const c_Lehrer* l);
    std::unique_ptr<c_Vertretungsterminliste> getVertretungstermineRaum(int tag, int monat, int jahr,
                                                                       const c_Raum* r);
    void deleteVertretungenZeitraum(const c_Lehrer* l, int vtag, int vmonat, int vjahr, int btag, int bmonat,
                                    int bjahr);
    void deleteVertretungenAbHeute(const c_Lehrer* l);

private:
    std::unique_ptr<c_Database> k_database;
    std::function<void()> k_aenderungsMelder;
};
