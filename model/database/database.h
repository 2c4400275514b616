// The store of one school year: settings, the nine record lists, the nine
// record templates, and the reader and writer of the structure and data files.
#pragma once

#include "model/datensaetze.h"
#include "model/felder.h"
#include "model/listen.h"

#include <memory>
#include <string>
#include <vector>

namespace text {
class LineReader;
class TextFileWriter;
}  // namespace text

// The nine record kinds in the order of the structure section.
enum class Art { Schueler, Lehrer, Raum, Einzeltermin, Dauertermin, Vertretungstermin, Klasse, Zensur, Fehlzeit };

class c_Database {
public:
    // Most lists hold at most this many entries.
    static constexpr std::size_t MAX_EINTRAEGE = 32000;

    // Builds the empty lists and templates and loads the named data file, or
    // the structure file alone when `dateiname` is null. Messages are appended
    // to `*fehler` (which must outlive the constructor only).
    c_Database(const char* dateiname, std::string* fehler);
    ~c_Database();
    c_Database(const c_Database&) = delete;
    c_Database& operator=(const c_Database&) = delete;

    // The load procedure; run by the constructor.
    bool load();
    // Writes the whole year; true when every line reached the file. A copy names the file it is a
    // copy of (`vorbild`): it takes that file's group and read rights and is written where its own
    // name is, never through a link.
    bool save(const std::string& dateiname, const std::string& vorbild = {}) const;

    // What the constructor's load gave: its result, and the file it read
    // ("orvask.str" after a fallback, empty when none could be read).
    bool isGeladen() const { return k_geladen; }
    // Whether the structure section was read and passed its checks: the templates are whole.
    // A year without them must not be written, or every later load of it fails.
    bool isStrukturGeladen() const { return k_strukturGeladen; }
    const std::string& getGeleseneDatei() const { return k_geleseneDatei; }

    // ---- templates
    c_Datenliste* getSchuelerStruktur() { return &k_schuelerStruktur; }
    c_Datenliste* getLehrerStruktur() { return &k_lehrerStruktur; }
    c_Datenliste* getRaumStruktur() { return &k_raumStruktur; }
    c_Datenliste* getEinzelterminStruktur() { return &k_einzelterminStruktur; }
    c_Datenliste* getDauerterminStruktur() { return &k_dauerterminStruktur; }
    c_Datenliste* getVertretungsterminStruktur() { return &k_vertretungsterminStruktur; }
    c_Datenliste* getKlasseStruktur() { return &k_klasseStruktur; }
    c_Datenliste* getZensurStruktur() { return &k_zensurStruktur; }
    c_Datenliste* getFehlzeitStruktur() { return &k_fehlzeitStruktur; }
    c_Datenliste* getStruktur(Art art);

    // ---- lists
    c_Schuelerliste* getSchuelerliste() { return &k_schueler; }
    c_Lehrerliste* getLehrerliste() { return &k_lehrer; }
    c_Klassenliste* getKlassenliste() { return &k_klassen; }
    c_Raumliste* getRaumliste() { return &k_raeume; }
    c_Fachliste* getFachliste() { return &k_faecher; }
    c_Curriculum* getCurriculum() { return &k_curriculum; }
    c_Einzelterminliste* getEinzelterminliste() { return &k_einzeltermine; }
    c_Dauerterminliste* getDauerterminliste() { return &k_dauertermine; }
    c_Vertretungsterminliste* getVertretungsterminliste() { return &k_vertretungstermine; }

    std::unique_ptr<c_Dauerterminliste> getDauertermineKlasse(const c_Klasse* k) const;
    std::unique_ptr<c_Dauerterminliste> getDauertermineLehrer(const c_Lehrer* l) const;
    std::unique_ptr<c_Dauerterminliste> getDauertermineRaum(const c_Raum* r) const;

    // ---- settings
    int getMinKlasse() const { return k_minKlasse; }
    void setMinKlasse(int v) {
        k_minKlasse = v;
        k_einstellungenStand = neuerListenStand();
    }
    int getMaxKlasse() const { return k_maxKlasse; }
    void setMaxKlasse(int v) {
        k_maxKlasse = v;
        k_einstellungenStand = neuerListenStand();
    }
    int getNeuKlasse() const { return k_neuKlasse; }
    void setNeuKlasse(int v) {
        k_neuKlasse = v;
        k_einstellungenStand = neuerListenStand();
    }
    bool getSamstag() const { return k_samstag; }
    void setSamstag(bool v) {
        k_samstag = v;
        k_einstellungenStand = neuerListenStand();
    }
    // Changes with every setting, as a list's mark does with its entries.
    std::uint64_t getEinstellungenStand() const { return k_einstellungenStand; }
    int getStundenProTag() const { return k_stundenProTag; }
    void setStundenProTag(int v) {
        k_stundenProTag = v;
        k_einstellungenStand = neuerListenStand();
    }

    // ---- sorted inserts: 1 when inserted (the list now owns the record and
    // the caller's pointer is empty), 0 when refused (the caller keeps it).
    int insertSchueler(std::unique_ptr<c_Schueler>& s);
    int insertLehrer(std::unique_ptr<c_Lehrer>& l);
    int insertKlasse(std::unique_ptr<c_Klasse>& k);
    int insertRaum(std::unique_ptr<c_Raum>& r);
    int insertFach(std::unique_ptr<c_Fach>& f);
    int insertWunsch(std::unique_ptr<c_Wunsch>& w);
    int insertEinzeltermin(std::unique_ptr<c_Einzeltermin>& t);
    int insertVertretungstermin(std::unique_ptr<c_Vertretungstermin>& t);
    int insertDauertermin(std::unique_ptr<c_Dauertermin>& t);

    // ---- replace: take the edited record out and insert it again in order.
    int replaceSchueler(c_Schueler* s);
    int replaceLehrer(c_Lehrer* l);
    int replaceKlasse(c_Klasse* k);
    int replaceRaum(c_Raum* r);
    int replaceFach(c_Fach* f);
    int replaceEinzeltermin(c_Einzeltermin* t);
    int replaceDauertermin(c_Dauertermin* t);
    int replaceVertretungstermin(c_Vertretungstermin* t);

    // ---- delete with reference checks; a refused delete changes nothing.
    bool deleteSchueler(c_Schueler* s);
    bool deleteLehrer(c_Lehrer* l);
    bool deleteKlasse(c_Klasse* k);
    // Deletes each class of `klassen` that is in the list, with the cascade of deleteKlasse,
    // as deleting them one after the other would, in one pass over the lists.
    void deleteKlassen(const std::vector<c_Klasse*>& klassen);
    bool deleteEinzeltermin(c_Einzeltermin* t);
    bool deleteDauertermin(c_Dauertermin* t);
    bool deleteVertretungstermin(c_Vertretungstermin* t);
    bool deleteRaum(c_Raum* r);
    int deleteFach(c_Fach* f);
    int deleteWunsch(c_Wunsch* w);
    // Deletes every weekly appointment as deleteDauertermin would, one by one.
    void deleteAlleDauertermine();
    // Deletes every substitution for which `wegDamit` holds, in one pass.
    template <class Pred>
    void deleteVertretungstermineWenn(Pred wegDamit) {
        k_vertretungstermine.deleteIf(wegDamit);
    }

    // Empties all lists and resets the settings; the templates stay.
    void clear();

    // ---- structure section
    // Fills a new field from a field line after its type word and comma.
    bool parseStrukturzeile(const std::string& zeile, c_datatype* feld);
    // One field line.
    static std::string strukturZeileVon(const c_datatype& feld);

    // The kept version text and the foreign structure lines.
    const std::string& getVerBlock() const { return k_verBlock; }
    const std::vector<std::string>& getStrukturZusatz() const { return k_strukturZusatz; }

private:
    // reading
    std::string readLine();
    // The next value; `schluessel`, when given, tells whether it came from a keyword line.
    std::string readWert(bool* schluessel = nullptr);
    // True when the next value is the keyword line `marke` itself, as the writer writes it; a
    // value line with the same text is no marker. The value is consumed either way.
    bool readMarke(const char* marke);
    std::unique_ptr<c_Datenliste> readFelder(const c_Datenliste& vorlage);
    bool readStruktur();
    bool pruefePflichtfelder();
    // Reads the data section; one begun but stopping before its closing line is reported
    // as an unexpected end.
    void readDaten();
    void readSystem();
    void readFach();
    void readLehrer();
    void readRaum();
    void readKlasse();
    void readWunsch();
    void readEinzeltermin();
    void readDauertermin();
    void readVertretungstermin();
    void readSchueler();
    std::unique_ptr<c_Fachliste> readFachliste(bool& vorhanden);
    void readFehlzeitliste(c_Fehlzeitliste& liste);
    void readZensurliste(c_Zensurliste& liste);
    bool dateiEndeErreicht() const { return k_dateiEnde; }
    void meldeUnerwartetesEnde();
    int readIndex();

    // writing
    void writeStruktur(text::TextFileWriter& out) const;
    static void writeStrukturzeile(text::TextFileWriter& out, const c_datatype& feld);
    static void writeFelder(text::TextFileWriter& out, const c_Datenliste* felder);
    static void writeInt(text::TextFileWriter& out, int v);
    static void writeBool(text::TextFileWriter& out, bool v);
    static void writeString(text::TextFileWriter& out, const std::string& v);

    void freeAll();

    // settings
    int k_minKlasse = 0;
    int k_maxKlasse = 0;
    int k_neuKlasse = 0;
    bool k_samstag = false;
    int k_stundenProTag = 6;
    std::uint64_t k_einstellungenStand = neuerListenStand();

    c_Einzelterminliste k_einzeltermine;
    c_Dauerterminliste k_dauertermine;
    c_Vertretungsterminliste k_vertretungstermine;
    c_Klassenliste k_klassen;
    c_Lehrerliste k_lehrer;
    c_Schuelerliste k_schueler;
    c_Raumliste k_raeume;
    c_Fachliste k_faecher;
    c_Curriculum k_curriculum;

    c_Datenliste k_schuelerStruktur;
    c_Datenliste k_lehrerStruktur;
    c_Datenliste k_raumStruktur;
    c_Datenliste k_einzelterminStruktur;
    c_Datenliste k_dauerterminStruktur;
    c_Datenliste k_vertretungsterminStruktur;
    c_Datenliste k_klasseStruktur;
    c_Datenliste k_zensurStruktur;
    c_Datenliste k_fehlzeitStruktur;

    std::string k_dateiname;
    bool k_hatDateiname = false;
    std::string* k_fehler;
    std::string k_verBlock;
    std::vector<std::string> k_strukturZusatz;

    bool k_geladen = false;
    bool k_strukturGeladen = false;
    std::string k_geleseneDatei;

    // state of the running load
    text::LineReader* k_leser = nullptr;
    bool k_dateiEnde = false;
};

// Name of the structure file in the working folder.
extern const char* const STRUKTURDATEI;
// First line of every data file.
extern const char* const DATENDATEI_KOPF;
