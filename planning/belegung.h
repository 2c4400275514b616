// Occupancy index of the weekly plan for the generators: answers the same
// questions as c_Schulverwaltung::isRaumBelegt / isKlasseBelegt /
// isLehrerBelegt / getDauerterminVorher for the weekdays 1..tage and the
// lessons 1..stunden, without scanning the whole weekly-appointment list.
// Built from the list once; every appointment appended to the list later must
// be announced with hinzufuegen(). The answers equal those of the scans as
// long as appointments are only appended (never removed or changed).
#pragma once

#include <unordered_map>
#include <vector>

class c_Dauertermin;
class c_Dauerterminliste;

class c_Belegung {
public:
    c_Belegung(int tage, int stunden);
    // Indexes every appointment of the list in list order.
    void aufbauen(const c_Dauerterminliste& liste);
    void hinzufuegen(const c_Dauertermin* t);

    // Day d is the day of Stundenplanerstellung::getWochentag(d).
    bool isRaumBelegt(int d, int stunde, const void* raum) const { return belegt(k_raeume, d, stunde, raum); }
    bool isKlasseBelegt(int d, int stunde, const void* klasse) const { return belegt(k_klassen, d, stunde, klasse); }
    bool isLehrerBelegt(int d, int stunde, const void* lehrer) const { return belegt(k_lehrer, d, stunde, lehrer); }
    // The last appointment in list order in that room that covers lesson
    // stunde - 1 of day d; null when stunde < 2 or there is none.
    const c_Dauertermin* getDauerterminVorher(int d, int stunde, const void* raum) const;

private:
    using Zaehler = std::unordered_map<const void*, std::vector<int>>;
    bool belegt(const Zaehler& z, int d, int stunde, const void* wer) const;
    int index(int d, int stunde) const { return (d - 1) * k_stunden + (stunde - 1); }

    int k_tage;
    int k_stunden;
    Zaehler k_raeume, k_klassen, k_lehrer;
    std::unordered_map<const void*, std::vector<const c_Dauertermin*>> k_letzterImRaum;
};
