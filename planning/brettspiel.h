// Board-game generators: every class gets a board of one-lesson slots, the
// curriculum's subjects are put on free slots at random, random teachers are
// offered to the placed subjects, and subjects whose teacher does not fit are
// taken off again, until every subject of every class stands on the board
// with a teacher. The slots with a teacher then become weekly appointments.
//
// The three variants share this algorithm and differ only in which free slot a
// subject may take, in how a subject is taken off, and in one extra check:
//   c_BrettOhne  any free slot of the class;
//   c_BrettMit   a lesson joins the class's lessons of that day without a gap,
//                or opens an empty day;
//   c_BrettAlle  as c_BrettMit, and a subject stands at most twice on a day of
//                a class, twice only as a double lesson.
// The distribution has no pass limit: it ends when the plan is complete, when
// no room is left, or after the pass in which the stop flag was seen.
#pragma once

#include "model/listen.h"
#include "planning/stundenplanerstellung.h"

#include <memory>
#include <vector>

class c_Brettspiel : public Stundenplanerstellung {
public:
    enum class Variante { Ohne, Mit, Alle };

    ~c_Brettspiel() override;

    // The whole run; false only when the prerequisite check failed.
    bool createStundenplan();
    bool pruefeVoraussetzungen();

    Variante getVariante() const { return k_variante; }
    // Distribution passes made by the last run.
    long long getDurchlaeufe() const { return k_durchlaeufe.load(std::memory_order_relaxed); }
    // Tests and benchmarks: after this many passes the distribution ends as
    // after a stop request, without touching the error text. 0: no limit.
    void setDurchlaufGrenze(long long grenze) { k_grenze = grenze; }

    // ---- the steps of a run on the board (public for the tests)

    // One slot of the board: a weekly appointment of one class at one lesson
    // and weekday, free while it carries no subject.
    struct Platz {
        c_Dauertermin* termin;
        int stunde;  // ASTD = ESTD
        int tag;     // 1 .. k_tageProWoche
    };
    // The slots of one class in board order: lesson by lesson, within a lesson
    // from Monday on.
    struct Klassenplaetze {
        c_Klasse* klasse;
        Platz* anfang;
        int anzahl;
        Platz* begin() const { return anfang; }
        Platz* end() const { return anfang + anzahl; }
    };

    void bauBrett();
    const std::vector<Klassenplaetze>& getKlassen() const { return k_klassen; }
    const std::vector<Platz>& getBrett() const { return k_plaetze; }
    std::unique_ptr<c_Fachliste> getOffeneFaecher(const Klassenplaetze& s);
    int getWochenstunden(const c_Fach* fach, const c_Klasse* klasse) const;
    // A random pick among getFreiePlaetze (no draw when there is none).
    Platz* findFreienPlatz(const c_Fach* fach, const Klassenplaetze& s);
    // The free slots of the class that the variant's rule allows, in board
    // order; `fach` is the subject being placed (c_BrettAlle only).
    std::vector<Platz*> getFreiePlaetze(const c_Fach* fach, const Klassenplaetze& s) const;
    Platz* findBelegtenPlatz(const Klassenplaetze& s);
    c_Lehrer* getZufallsLehrer();
    c_Raum* findRaum(const c_Fach* fach, const c_Klasse* klasse, const Platz& platz);
    void setzeLehrer(Platz& c, c_Lehrer* lehrer, const Klassenplaetze& s);
    void tauscheLehrer(c_Lehrer* lehrer, Platz& c, const Klassenplaetze& s);
    void releaseTermin(Platz& t, const Klassenplaetze& s);
    Platz* findTermin(int stunde, int tag, const Klassenplaetze& s) const;
    bool isBesetzt() const;
    bool isVerteilt();
    // Stores every slot with a teacher in the weekly plan and frees the board.
    void einhaengen();

protected:
    c_Brettspiel(c_Schulverwaltung* schulverwaltung, std::string* fehlertext, Variante variante);
    int run() override;

    c_Lehrerliste k_lehrerliste;

private:
    void initialeVerteilung();
    void durchlauf();
    bool passtLehrer(const c_Lehrer* lehrer, const std::vector<Platz*>& plaetze) const;
    // Takes c's subject off the class: c_BrettOhne every slot of the subject,
    // the others with releaseTermin. A teacher's lesson is given back.
    void fachAbnehmen(Platz& c, const Klassenplaetze& s);
    std::string text(const char* stufe) const;

    Variante k_variante;
    std::vector<std::unique_ptr<c_Dauertermin>> k_brett;
    std::vector<Platz> k_plaetze;
    std::vector<Klassenplaetze> k_klassen;
    std::atomic<long long> k_durchlaeufe{0};
    long long k_grenze = 0;
};

class c_BrettOhne : public c_Brettspiel {
public:
    c_BrettOhne(c_Schulverwaltung* schulverwaltung, std::string* fehlertext)
        : c_Brettspiel(schulverwaltung, fehlertext, Variante::Ohne) {}
};

class c_BrettMit : public c_Brettspiel {
public:
    c_BrettMit(c_Schulverwaltung* schulverwaltung, std::string* fehlertext)
        : c_Brettspiel(schulverwaltung, fehlertext, Variante::Mit) {}
};

class c_BrettAlle : public c_Brettspiel {
public:
    c_BrettAlle(c_Schulverwaltung* schulverwaltung, std::string* fehlertext)
        : c_Brettspiel(schulverwaltung, fehlertext, Variante::Alle) {}
};
