// Base of the five timetable generators. A generator runs its whole
// computation on one worker thread; the algorithm dialog polls the thread's
// status and shows the progress text that the worker publishes.
//
// Threads: the worker owns k_statustext and publishes it with zeigeStatus()
// into a guarded copy that the dialog's timer reads (getStatusAnzeige). The
// error text belongs to the dialog; while the worker runs, both sides reach it
// only through the guarded operations of this class. The stop flag is atomic.
#pragma once

#include "platform/thread.h"

#include <atomic>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>

class c_Schulverwaltung;
class c_Dauertermin;
class c_Datenliste;
class c_Fach;
class c_Klasse;
class c_Raum;

// Whether the template holds an int field for every key.
bool hatIntFelder(const c_Datenliste* vorlage, std::initializer_list<const char*> schluessel);

class Stundenplanerstellung : public c_Thread {
public:
    Stundenplanerstellung(c_Schulverwaltung* schulverwaltung, std::string* fehlertext);
    ~Stundenplanerstellung() override;

    // Weekday name of day number n: 1 "Montag" .. 5 "Freitag", else "Samstag".
    static const char* getWochentag(int n);

    // Sets the stop flag and replaces the whole error text by
    // "Abbruch durch Benutzer.\n". Safe while the worker runs.
    void stopErstellung(bool flag);
    // The error text. Read it only before start() or after the thread was joined.
    std::string* getFehlertext() const { return k_fehlertext; }
    // A copy of the error text; safe at any time.
    std::string getFehlertextKopie() const;
    // The progress text as last shown; safe at any time.
    std::string getStatusAnzeige() const;
    // How often a progress text was shown so far.
    unsigned long getStatusAnzahl() const { return k_statusAnzahl.load(std::memory_order_relaxed); }

    bool isAbbruch() const { return k_abbruch.load(std::memory_order_acquire); }
    int getTageProWoche() const { return k_tageProWoche; }
    int getStundenProTag() const { return k_stundenProTag; }

    // Runs the thread body on the calling thread (tests and benchmarks).
    int fuehreAus() { return run(); }

protected:
    // ---- error text, guarded
    void fehlerAnhaengen(const std::string& text);
    // Appends `text` only while the error text has fewer than `n` characters.
    void fehlerAnhaengenWennKuerzer(std::size_t n, const std::string& text);
    // Empties the error text when it equals `erwartet` exactly; tells whether it did.
    bool fehlertextLeerenWenn(const std::string& erwartet);
    bool isFehlertextLeer() const;

    // ---- progress text: the worker edits k_statustext and then shows it
    void statusSetzen(const std::string& text) {
        k_statustext->clear();
        k_statustext->append(text);
        zeigeStatus();
    }
    void zeigeStatus();

    // The room for a lesson of `fach` in `klasse`: a random one among the rooms
    // for the subject that `belegt` does not report as taken, else the class
    // room, else the first untaken room of getFreieRaeume; null when none.
    c_Raum* waehleRaum(const c_Fach* fach, const c_Klasse* klasse, const std::function<bool(const c_Raum*)>& belegt);

    // A new weekly appointment whose fields are a copy of the template.
    std::unique_ptr<c_Dauertermin> neuerDauertermin() const;
    // Whether the weekly-appointment template holds the lesson fields ASTD and
    // ESTD; without them no lesson could be stored, so the run ends at once
    // with a message.
    bool pruefeVorlage();

    c_Schulverwaltung* k_schulverwaltung;
    int k_tageProWoche;
    int k_stundenProTag;
    std::string* k_fehlertext;
    std::unique_ptr<std::string> k_statustext;
    std::atomic<bool> k_abbruch{false};

private:
    mutable std::mutex k_fehlerSperre;
    mutable std::mutex k_statusSperre;
    std::string k_statusAnzeige;
    std::atomic<unsigned long> k_statusAnzahl{0};
};
