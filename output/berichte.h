// The report texts of the seven export and print areas: the timetables, the
// substitution plan of a week and the lists of students, classes, teachers and
// rooms. The builders write piece by piece into a sink, so the export collects
// the text for a file and the print dialog hands it to the print window.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class c_Schulverwaltung;
class c_Lehrer;
class c_Raum;
class c_Klasse;
class c_Schueler;
class c_Fach;
class c_Fehlzeitliste;
class c_datatype;
class c_Dauertermin;
class c_Dauerterminliste;

// Where the text goes: the few places where export and print differ.
enum class Ausgabeart { Export, Druck };

// The report areas, numbered as their radio buttons.
enum Gebiet : int {
    GEBIET_STUNDENPLAENE = 401,
    GEBIET_STUNDENPLAN = 402,
    GEBIET_VERTRETUNGSPLAN = 403,
    GEBIET_SCHUELERLISTE = 404,
    GEBIET_KLASSENUEBERSICHT = 405,
    GEBIET_LEHRERLISTE = 406,
    GEBIET_RAUMLISTE = 407,
};

// The append-text operation both dialogs provide.
class c_Textziel {
public:
    virtual ~c_Textziel() = default;
    virtual void appendText(const std::string& text) = 0;
};

// A sink that keeps the whole text.
class c_Textpuffer : public c_Textziel {
public:
    void appendText(const std::string& text) override { k_text += text; }
    const std::string& text() const { return k_text; }

private:
    std::string k_text;
};

// What a dialog knows when it builds a text: the year, the owner of the shown
// timetable (teacher, room or class; the others null), the first day of the
// shown week, the class chosen in the class combo box and the grades check box.
struct c_Berichtskontext {
    c_Schulverwaltung* schulverwaltung = nullptr;
    c_Lehrer* lehrer = nullptr;
    c_Raum* raum = nullptr;
    c_Klasse* klasse = nullptr;
    int tag = 0;
    int monat = 0;
    int jahr = 0;
    int klassenIndex = -1;  // 0-based entry of the class combo box; -1 for none
    bool zensuren = false;
};

// One line of a timetable cell for an appointment.
using Zellentext = std::string (*)(const c_Dauertermin*);

class c_Bericht {
public:
    c_Bericht(const c_Berichtskontext& kontext, Ausgabeart art, c_Textziel& ziel)
        : k_kontext(kontext), k_art(art), k_ziel(ziel) {}

    void writeStundenplaene();
    void writeStundenplan();
    void writeVertretungsplan();
    void writeSchuelerliste();
    void writeKlassenuebersicht();
    void writeLehrerliste();
    void writeRaumliste();

    // The builder of the area (401 .. 407); another number writes nothing.
    void writeGebiet(int gebiet);

private:
    void schreibe(const std::string& text) { k_ziel.appendText(text); }
    void writeGitter(const c_Dauerterminliste* termine, const std::string& besitzer, Zellentext oben, Zellentext mitte);
    void writeStundenplanLehrer(const c_Lehrer* l);
    void writeStundenplanRaum(const c_Raum* r);
    void writeStundenplanKlasse(const c_Klasse* k);
    void writeSchueler(const c_Schueler* s);
    void writeFehlzeiten(const c_Fehlzeitliste* fehlzeiten);

    // The subject lines of a student without grades, built on the first student with grades.
    struct Faecherzeilen {
        std::string text;                // "subject: \n" for every subject in list order
        std::vector<std::size_t> anfang;  // where the line of each position begins; one more at the end
        std::unordered_map<const c_Fach*, std::vector<std::size_t>> stellen;  // positions of each subject
    };

    c_Berichtskontext k_kontext;
    Ausgabeart k_art;
    c_Textziel& k_ziel;
    std::unique_ptr<Faecherzeilen> k_faecherzeilen;
};

// Whether the chosen area has anything to write; the dialogs refuse it otherwise.
// The owner arguments are those of the shown timetable.
bool hatDaten(c_Schulverwaltung* sv, int gebiet, Ausgabeart art, const c_Lehrer* lehrer, const c_Raum* raum,
              const c_Klasse* klasse);
// The refusal for an area without data.
const char* keineDatenText(Ausgabeart art);

// One field line without its terminator: the label, ": " and the value
// (an int in decimal, a string as it is, a bool as "X" or " ").
std::string feldzeile(const c_datatype* f);

namespace text {
class TextFileWriter;
}

// A sink that writes the text into an export file line by line as it comes, so the whole text
// is never held as one: Windows-1252, every line end as CR LF. schliessen() writes the file;
// an existing file is replaced only when the whole text was written; false when the file
// could not be written, and the old one is then left as it was.
class c_Exportdatei : public c_Textziel {
public:
    explicit c_Exportdatei(const std::string& pfad);
    ~c_Exportdatei() override;
    void appendText(const std::string& text) override;
    bool schliessen();

private:
    std::unique_ptr<text::TextFileWriter> k_datei;
    std::string k_rest;  // the last line so far, without its end
};

// Writes a whole report text into an export file as c_Exportdatei does.
bool schreibeExportdatei(const std::string& pfad, const std::string& text);
// The message after a failed export.
extern const char* const EXPORT_FEHLER;
