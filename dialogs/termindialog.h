// The logic of the single, weekly and substitution appointment dialogs,
// driven by what their forms hold: the choice lists and their entries, the
// field walk with its key checks, the lesson and date checks, the two-digit
// year, and the OK step of each kind with its questions.
#pragma once

#include "dialogs/meldungsziel.h"
#include "model/datensaetze.h"

#include <memory>
#include <string>
#include <vector>

class c_Schulverwaltung;

// What the user entered in an appointment form.
struct TerminEingabe {
    FormularWerte werte;              // the field controls, in template order
    int fach = 0;                     // subject list: 0 "[kein]", n the n-th subject
    int lehrer = 0;                   // teacher list: 0 "[keiner]"; the absent teacher of a substitution
    int klasse = 0;                   // class list: 0 "[keine]"
    int raum = 0;                     // room list: entry i is the (i + 1)-th active room
    int wochentag = -1;               // weekday list: 0 "Montag" ..; -1 when no entry is selected
    int vertretung = 0;               // substitute list: 0 "[Freistunde]", n the n-th teacher
};

// ---------------------------------------------------------------- choice lists

// The subject and class lists are those of dialogs/auswahl.h with "[kein]" and "[keine]".
std::vector<std::string> lehrerEintraege(c_Schulverwaltung& sv);      // "[keiner]", then "NAME,VORNAME"
std::vector<std::string> vertretungEintraege(c_Schulverwaltung& sv);  // "[Freistunde]", then "NAME,VORNAME"
std::vector<std::string> raumEintraege(c_Schulverwaltung& sv);        // every active room, no "none" entry
// "Montag" .. "Freitag", and "Samstag" with Saturday lessons.
std::vector<std::string> wochentagEintraege(bool samstag);

// The entry that shows a link: its position in the store's list, 0 for none
// or a record that is not in the list.
int fachEintrag(c_Schulverwaltung& sv, const c_Fach* f);
int lehrerEintrag(c_Schulverwaltung& sv, const c_Lehrer* l);
int klassenEintrag(c_Schulverwaltung& sv, const c_Klasse* k);
// The entry of a room among the active rooms, -1 when it is not among them.
int raumEintrag(c_Schulverwaltung& sv, const c_Raum* r);
// The entry of a weekday name (0 "Montag" .. 5 "Samstag"), -1 for any other text.
int wochentagEintrag(const std::string& name);

// The list entries that show an appointment; -1 keeps the list's selection.
struct TerminAuswahl {
    int fach = 0;
    int lehrer = 0;
    int klasse = 0;
    int raum = -1;
    int wochentag = -1;
    int vertretung = -1;
};
TerminAuswahl terminAuswahl(c_Schulverwaltung& sv, const c_Termin& t);
TerminAuswahl terminAuswahl(c_Schulverwaltung& sv, const c_Dauertermin& t);
TerminAuswahl terminAuswahl(c_Schulverwaltung& sv, const c_Vertretungstermin& t);

// ---------------------------------------------------------------- checks

// The outcome of the field walk: the lesson span and date typed. The walk
// stops after the first field that fails; what was read before it counts.
struct TerminFelder {
    enum : unsigned { ASTD = 1, ESTD = 2, TAG = 4, MONAT = 8, JAHR = 16 };
    bool ok = true;
    unsigned gelesen = 0;  // the fields read from controls that passed
    int astd = 0;
    int estd = 0;
    int tag = 0;
    int monat = 0;
    int jahr = 0;  // as typed
    // The lesson and date checks need their values: after a failed walk they
    // run only when the walk had read them.
    bool stundenPruefbar() const { return ok || (gelesen & (ASTD | ESTD)) == (ASTD | ESTD); }
    bool datumPruefbar() const { return ok || (gelesen & (TAG | MONAT | JAHR)) == (TAG | MONAT | JAHR); }
};
// Mandatory fields, and the keys ASTD and ESTD; `mitDatum` adds TAG, MONAT,
// JAHR and NAME with their own messages. A field's messages are collected
// into `meldungen` one after the other: an empty mandatory day gives the
// mandatory text and the day's own text.
TerminFelder pruefeTerminfelder(const c_Datenliste& vorlage, const FormularWerte& werte, bool mitDatum,
                                MeldungsSammler& meldungen);

// The messages of the three lesson checks that fail, in order.
std::vector<std::string> stundenFehler(int astd, int estd, int stundenProTag);
// A typed year below 100: below 50 is 2000 + year, 50..99 is 1900 + year.
int terminJahr(int getippt);

// Writes the form into a field list, field by field in order; `jahrRegel`
// applies terminJahr to the field whose key is JAHR.
void schreibeTerminfelder(c_Datenliste& felder, const FormularWerte& werte, bool jahrRegel);

// The span ESTD - ASTD + 1 of an appointment.
long long terminSpanne(const c_Termin& t);

// ---------------------------------------------------------------- OK

extern const char* const TEXT_UEBERSCHNEIDUNG;  // the collision question
extern const char* const TEXT_KEINE_ALTERNATIVE;
extern const char* const TEXT_LEHRERLAST;
extern const char* const TEXT_KEIN_AKTIVER_RAUM;

// The outcome of one OK press: stored (the dialog closes), or refused, maybe
// with a proposal that the form is to show before it is discarded.
template <class T>
struct TerminOk {
    bool gespeichert = false;
    std::unique_ptr<T> vorschlag;
};

// `datensatz` is the appointment being changed, or null: then the press builds
// a new one, which the store takes or which is freed again.
TerminOk<c_Einzeltermin> einzelterminOk(c_Schulverwaltung& sv, c_Einzeltermin* datensatz, const TerminEingabe& e,
                                        Meldungsziel& m);
TerminOk<c_Dauertermin> dauerterminOk(c_Schulverwaltung& sv, c_Dauertermin* datensatz, const TerminEingabe& e,
                                      Meldungsziel& m);
bool vertretungsterminOk(c_Schulverwaltung& sv, c_Vertretungstermin* datensatz, const TerminEingabe& e,
                         Meldungsziel& m);
