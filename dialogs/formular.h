// The record form scheme without any window: every record dialog builds one
// control (a check box, or a label and an edit) per field of its record kind's
// template, lays them out by the measured label widths, fills them from the
// record, checks them on OK and builds or overwrites the record's fields.
//
// The widgets (dialogs/ui/formulardialog.h) only hand plain values to these
// functions: the texts of the edits and the states of the check boxes, in
// template order.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class c_Datenliste;
class c_datatype;

// The first id of the field controls.
constexpr int ERSTE_FELD_ID = 1000;

// Message box flags of the record dialogs (the Windows values).
constexpr int FLAGS_HINWEIS = 0;   // OK, no icon
constexpr int FLAGS_FEHLER = 48;   // OK, exclamation icon
constexpr int FLAGS_FRAGE = 36;    // Yes/No, question icon

// ---------------------------------------------------------------- control ids

// The controls of one template field. A bool field has a check box (`id`);
// every other field a label (`id`) and an edit (`editId`, the next id).
struct FeldSteuerung {
    int id = 0;
    int editId = -1;  // -1 for a check box
    // Position among the check boxes (bool) or among the labels and edits.
    int index = 0;
    bool istHaken() const { return editId < 0; }
};

// The controls of every field of the template, in order, with ids counted
// from ERSTE_FELD_ID: one per bool field, two per other field.
std::vector<FeldSteuerung> feldSteuerungen(const c_Datenliste& vorlage);

// ---------------------------------------------------------------- layout

struct Rechteck {
    int x = 0;
    int y = 0;
    int breite = 0;
    int hoehe = 0;
    int rechts() const { return x + breite; }
    int unten() const { return y + hoehe; }
};

struct TextGroesse {
    int breite = 0;
    int hoehe = 0;
};

// What the layout needs to know of the dialog's font.
struct FormularMasse {
    // Width and height of a label text in one line, no tab stops.
    std::function<TextGroesse(const std::string&)> text;
    // Least height of an edit and of a check box at that font; a template
    // height below it is raised so the text is not cut off (0: as the template).
    int editHoehe = 0;
    int hakenHoehe = 0;
    // Least width of a check box with the given caption, likewise (empty: as the template).
    std::function<int(const std::string&)> hakenBreite;
    // Least width of a number edit that shows the given count of digits (empty: as the template).
    std::function<int(int)> zahlBreite;
};

struct FeldLayout {
    FeldSteuerung steuerung;
    Rechteck label;  // empty for a check box
    Rechteck feld;   // the edit, or the check box
};

struct FormularLayout {
    std::vector<FeldLayout> felder;  // template order
    int breite = 0;                  // the dialog's width so far
    int unten = 0;                   // the lowest edge L of the field controls
};

// Places every field of the template: a check box at (x + dx, y) with the
// field's size; a label at (x + dx, y) sized to its measured text w x h and
// its edit at (label x + w + 5, y) with the field's size. The width grows to
// every check box's right edge + 20 and every row's extent
// label x + 2 w + edit width + 20; L grows to every control's lower edge.
// Where the font is wider than the template was drawn for and a field's
// controls would cover or come closer than 10 pixels to those of an earlier
// field that starts left of them in the same band, the field moves right until
// they stand 10 pixels apart.
FormularLayout layoutFormular(const c_Datenliste& vorlage, int dx, int startBreite, int startUnten,
                              const FormularMasse& masse);

// ---------------------------------------------------------------- values

// What the field controls hold, in template order: the text of every edit
// (int and string fields) and the state of every check box (bool fields).
struct FormularWerte {
    std::vector<std::string> edits;
    std::vector<bool> haken;
};

// Empty edits and cleared check boxes for the template.
FormularWerte leereWerte(const c_Datenliste& vorlage);
// The fill of an existing record: an int as "%d", a string's text (empty
// when it holds none), a bool checked when true.
FormularWerte werteAus(const c_Datenliste& felder);

// The first line of an edit's text.
std::string ersteZeile(const std::string& text);

// The cells of a list row that shows a record: the text of every field in
// order (see feldText); none without a field list.
std::vector<std::string> zellen(const c_Datenliste* felder);

// One field of the walk with what its control holds.
class FeldEingabe {
public:
    FeldEingabe(const c_datatype& feld, const std::string* text, bool haken)
        : k_feld(feld), k_text(text), k_haken(haken) {}

    const c_datatype& feld() const { return k_feld; }
    bool istHaken() const { return k_text == nullptr; }
    // The edit's first line; empty for a check box.
    std::string zeile() const;
    // The edit counts as empty when its first line has no character.
    bool leer() const { return zeile().empty(); }
    // The leading decimal integer of the first line, 0 without one (saturating).
    int zahl() const;
    bool haken() const { return k_haken; }
    // True when the field's key begins with `schluessel`; only as many
    // characters as the literal has are compared (current case mode).
    bool ist(const char* schluessel) const;

private:
    const c_datatype& k_feld;
    const std::string* k_text;
    bool k_haken;
};

// True when the key of `feld` begins with `schluessel` (see FeldEingabe::ist).
bool hatSchluessel(const c_datatype& feld, const char* schluessel);

// Walks the fields in order, each with what its control holds, until `schritt`
// returns false. Values the controls do not have (a shorter list) read as
// empty text and cleared box.
void durchlaufeFormular(const c_Datenliste& felder, const FormularWerte& werte,
                        const std::function<bool(const FeldEingabe&)>& schritt);

// ---------------------------------------------------------------- messages

struct DialogMeldung {
    std::string text;
    std::string caption;
    int flags = FLAGS_HINWEIS;
};

// Collects the message boxes of one action in the order they are shown.
// The style is fixed per dialog: collected (the check messages of a walk are
// appended to one text shown in one box with the dialog's caption and flags
// 0) or immediate (each check message is a box of its own, "Fehler", 48).
class MeldungsSammler {
public:
    static MeldungsSammler gesammelt(std::string caption);
    static MeldungsSammler sofort();

    // A check message, in the dialog's style.
    void melde(const std::string& text);
    // A box of its own whatever the style; it also ends the current collection.
    void einzeln(std::string text, std::string caption, int flags);

    bool leer() const { return k_boxen.empty(); }
    const std::vector<DialogMeldung>& boxen() const { return k_boxen; }
    // Takes the boxes out (for showing them) and starts empty again.
    std::vector<DialogMeldung> entnehmen();
    // Takes the boxes of `andere` out and adds each as a box of its own.
    void uebernimm(MeldungsSammler& andere);

private:
    MeldungsSammler(bool gesammelt, std::string caption) : k_gesammelt(gesammelt), k_caption(std::move(caption)) {}

    bool k_gesammelt;
    std::string k_caption;
    bool k_sammlungOffen = false;
    std::vector<DialogMeldung> k_boxen;
};

// "Sie müssen das Feld\n" + the label as stored + "\nausfüllen."
std::string pflichtMeldung(const c_datatype& feld);

// A person's own list (grades, absences) holds up to c_Database::MAX_EINTRAEGE
// records: false for a full one, with "Die <was> konnte nicht angelegt
// werden:\n..." in a box of its own ("Fehler", 48).
bool hatPlatz(std::size_t anzahl, const char* was, MeldungsSammler& m);

// ---------------------------------------------------------------- check and store

// A dialog's own check of one field after the mandatory check passed: adds
// its messages and returns false when the field fails.
using FeldPruefung = std::function<bool(const FeldEingabe&, MeldungsSammler&)>;

// The walk of OK: over the fields in order, per field the mandatory check (a
// non-bool mandatory field with an empty edit), then `pruefe` (may be empty).
// Stops at the first field that fails; true when every field passed.
bool pruefeFormular(const c_Datenliste& felder, const FormularWerte& werte, MeldungsSammler& meldungen,
                    const FeldPruefung& pruefe);

// Overwrites the values of `felder` in order from the controls: an int takes
// the leading integer of its edit's first line, a string that line, a bool
// its check box.
void uebernehmeWerte(c_Datenliste& felder, const FormularWerte& werte);

// A new record's field list: a deep copy of the template, every field then
// taking its control's value.
std::unique_ptr<c_Datenliste> neueFelder(const c_Datenliste& vorlage, const FormularWerte& werte);

