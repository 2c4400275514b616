// Substitution planner: for every lesson that an absent teacher would give
// from today on (his weekly appointments on the weekdays of the absence and
// his single appointments on its dates) one substitution appointment,
// "Vertretung" with a substitute or "Freistunde" when the lesson is dropped.
// Runs on the calling (UI) thread.
//
// A substitute is never booked into two overlapping lessons: the free test
// looks at his weekly and single appointments (also those lying wholly inside
// the lesson), at the substitutions made in this run, and at the stored
// substitutions that this run does not replace. Once the substitution list is
// full (32000 entries) the planner stops for good and says so in the error text.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class c_Schulverwaltung;
class c_Lehrer;
class c_Fach;
class c_Termin;
class c_Dauertermin;
class c_Einzeltermin;
class c_Vertretungstermin;

class c_Vertretungsplanerstellung {
public:
    using Datum = std::tuple<int, int, int>;  // (year, month, day)

    c_Vertretungsplanerstellung(c_Schulverwaltung* schulverwaltung, std::string* fehlertext);
    ~c_Vertretungsplanerstellung();
    c_Vertretungsplanerstellung(const c_Vertretungsplanerstellung&) = delete;
    c_Vertretungsplanerstellung& operator=(const c_Vertretungsplanerstellung&) = delete;

    // Plans every teacher with absences, in teacher-list order; the result of
    // the last planLehrer, true when there was none.
    bool createVertretungsplan();
    bool planLehrer(c_Lehrer* lehrer);
    bool planFehlzeit(c_Lehrer* lehrer, int vtag, int vmonat, int vjahr, int btag, int bmonat, int bjahr);
    c_Lehrer* findVertretungslehrer(const c_Vertretungstermin* s);
    bool isLehrerFrei(const c_Lehrer* lehrer, const c_Vertretungstermin* s);

    // True once the substitution list was full and the planning stopped.
    bool isVoll() const { return k_voll; }
    // The work done so far, counted: one step per day walked through and one per list entry
    // passed while the new substitutions were put into the list. It grows with the days of the
    // absences and the length of the list, not with their product.
    std::uint64_t getSchritte() const { return k_schritte; }

private:
    struct Lektion {
        const c_Termin* termin;
        int astd;
        int estd;
    };
    struct Lehrerdaten {
        std::vector<Lektion> woche[8];                                  // by weekday 1..7, list order
        std::map<std::uint32_t, std::vector<Lektion>> einzeln;          // by day number, list order
        std::unordered_map<std::uint32_t, std::vector<Lektion>> vertretungen;  // substitutions he gives
        std::vector<std::pair<Datum, Datum>> abwesenheiten;             // first and last day
        bool beurlaubt = false;
    };
    // The changes of one run to the substitution list, made at its end in one pass.
    struct Sammlung {
        std::vector<const c_Vertretungstermin*> abHeute;  // stored, dated today or later, with an absent teacher
        std::unordered_map<const c_Lehrer*, std::size_t> abHeuteJeLehrer;
        std::unordered_set<const c_Lehrer*> gestrichen;  // teachers whose entries from today on go
        std::size_t gestrichenAnzahl = 0;
        std::vector<std::unique_ptr<c_Vertretungstermin>> neu;  // in order of making
    };
    void aufbauen();
    Lehrerdaten* daten(const c_Lehrer* lehrer);
    // Starts collecting the changes, unless a run collects already or the list is out of date
    // order; true when it started.
    bool beginneSammlung();
    void uebernehmeSammlung();
    // Deletes the teacher's substitutions from today on, or notes them for the end of the run.
    void streicheAbHeute(const c_Lehrer* lehrer);
    // The entries the list holds at this step of the run.
    std::size_t belegt() const;
    bool planFehlzeiten(c_Lehrer* lehrer);
    // isLehrerFrei with the substitution's day number (0 for none) and lessons a..e.
    bool frei(const Lehrerdaten* d, const c_Vertretungstermin* s, std::uint32_t nummer, int a, int e) const;
    // Neither on leave nor absent on `datum`.
    static bool istAnwesend(const Lehrerdaten& d, const Datum& datum);
    // The candidates, in teacher-list order, neither on leave nor absent on `datum`.
    const std::vector<std::pair<c_Lehrer*, Lehrerdaten*>>& anwesend(const Datum& datum);
    std::unique_ptr<c_Vertretungstermin> erzeuge(const c_Termin& stunde, int astd, int estd, c_Lehrer* abwesend,
                                                 std::uint32_t tagesnummer, bool& ergebnis);
    void einfuegen(std::vector<std::unique_ptr<c_Vertretungstermin>>& neue);

    c_Schulverwaltung* k_schulverwaltung;
    std::string* k_fehlertext;
    bool k_aufgebaut = false;
    bool k_voll = false;
    std::uint64_t k_schritte = 0;
    std::unordered_map<const c_Lehrer*, Lehrerdaten> k_lehrerdaten;
    std::vector<std::pair<c_Lehrer*, Lehrerdaten*>> k_kandidaten;  // teacher-list order
    std::unique_ptr<Sammlung> k_sammlung;
    std::map<Datum, std::vector<std::pair<c_Lehrer*, Lehrerdaten*>>> k_anwesend;
    std::unordered_map<const c_Fach*, std::vector<std::size_t>> k_fachKandidaten;  // positions in k_kandidaten
};

// The message of a planning run that stopped because the list was full.
extern const char* const VERTRETUNGSPLAN_VOLL;

class c_Vertretungsterminliste;

// Puts `neue` (in the order they were made) into `liste` exactly where one
// sorted insert after the other would put them (each before the first entry
// of its date or later), in one pass over the list instead of one per
// appointment. The list takes them all; the caller checks the list limit.
// Returns the number of list entries (old and new) it stepped over.
std::uint64_t vertretungenEinfuegen(c_Vertretungsterminliste& liste,
                                    std::vector<std::unique_ptr<c_Vertretungstermin>>& neue);
