// The year of the appointment benchmarks: 800 teachers, rooms and classes,
// each teacher with a full week of 5 x 8 weekly lessons, and 160 single
// appointments on every school day (Monday to Friday, or every day) from
// 7.8.2023, 20 in each of the 8 lessons. Header only, for bench/ and the
// window tests.
#pragma once

#include "model/datensaetze.h"
#include "model/datum.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "tests/core/planung_schule.h"

#include <memory>
#include <string>
#include <vector>

namespace termin_jahr {

constexpr int N = 32000;
constexpr int BESITZER = 800;

template <class T>
std::unique_ptr<T> termin(c_Datenliste* vorlage) {
    auto t = std::make_unique<T>();
    t->setFelder(std::make_unique<c_Datenliste>(*vorlage));
    return t;
}

inline void baueJahr(planung_schule::Schule& s, int n, bool auchAmWochenende) {
    c_Schulverwaltung& sv = *s;
    sv.setStundenProTag(8);
    std::vector<c_Fach*> faecher;
    for (int i = 0; i < 10; ++i) faecher.push_back(s.fach("Fach " + std::to_string(i)));
    std::vector<c_Lehrer*> lehrer;
    std::vector<c_Raum*> raeume;
    std::vector<c_Klasse*> klassen;
    for (int i = 0; i < BESITZER + 1; ++i) {
        lehrer.push_back(s.lehrer("Lehrer " + std::to_string(100000 + i), 40, {faecher[i % 10]}));
        raeume.push_back(s.raum("Raum " + std::to_string(100000 + i)));
        klassen.push_back(s.klasse(5 + i % 6, static_cast<char>('a' + i / 6 % 26), raeume.back()));
    }
    // Every block of 800 shares weekday and lesson and has 800 different teachers, rooms and classes.
    c_Dauerterminliste* dauer = sv.getDauerterminliste();
    for (int i = 0; i < n; ++i) {
        auto t = termin<c_Dauertermin>(sv.getDauerterminStruktur());
        t->setWochentag(WOCHENTAGE[1 + i / BESITZER % 5]);
        t->setAStd(1 + i / (BESITZER * 5));
        t->setEStd(t->getAStd());
        t->setLehrer(lehrer[static_cast<std::size_t>(i % BESITZER)]);
        t->setRaum(raeume[static_cast<std::size_t>(i * 7 % BESITZER)]);
        t->setKlasse(klassen[static_cast<std::size_t>(i * 3 % BESITZER)]);
        t->setFach(faecher[static_cast<std::size_t>(i % 10)]);
        t->setEingeordnet(true);
        t->getLehrer()->setVergebeneStunden(t->getLehrer()->getVergebeneStunden() + 1);
        dauer->push_back(t.release());
    }
    c_Einzelterminliste* einzel = sv.getEinzelterminliste();
    int tag = 7, monat = 8, jahr = 2023;
    for (int i = 0; i < n;) {
        if (auchAmWochenende || getWochentag(tag, monat, jahr) <= 5) {
            for (int k = 0; k < 160 && i < n; ++k, ++i) {
                auto t = termin<c_Einzeltermin>(sv.getEinzelterminStruktur());
                t->setDatum(tag, monat, jahr);
                t->setAStd(1 + k % 8);
                t->setEStd(1 + k % 8);
                t->setName("Termin " + std::to_string(i));
                t->setRaum(raeume[static_cast<std::size_t>(k)]);
                einzel->push_back(t.release());
            }
        }
        addTage(tag, monat, jahr, 1, &tag, &monat, &jahr);
    }
}

}  // namespace termin_jahr
