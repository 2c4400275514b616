// Data for the report benchmarks: the realistic school of the planning tests with
// a generated weekly plan, and a long student list with grades and absences.
// Header only and free of the test framework, so bench/ and the window tests can use it.
#pragma once

#include "planning/backtracking.h"
#include "tests/core/planung_schule.h"

#include <cstdio>
#include <string>

namespace ausgabe_schule {

// The school of the planning benchmark with its 720 lessons placed by the
// backtracking generator (six days of seven lessons, where it completes).
inline planung_schule::Realistisch baueSchuleMitPlan(planung_schule::Schule& s) {
    planung_schule::Realistisch r = planung_schule::baueRealistischeSchule(s, true, 7);
    std::string fehler;
    c_Backtracking(s.get(), &fehler).fuehreAus();
    return r;
}

// `anzahl` students in name order, spread over the classes, each with one grade
// in each of the first `zensuren` subjects and one absence.
inline void baueSchueler(planung_schule::Schule& s, const planung_schule::Realistisch& r, int anzahl,
                         int zensuren) {
    c_Schulverwaltung& sv = *s;
    c_Schuelerliste* liste = sv.getSchuelerliste();
    liste->reserve(static_cast<std::size_t>(anzahl));
    for (int i = 0; i < anzahl; ++i) {
        auto p = std::make_unique<c_Schueler>();
        p->setFelder(std::make_unique<c_Datenliste>(*sv.getSchuelerStruktur()));
        char name[24];
        std::snprintf(name, sizeof name, "Schueler%05d", i);
        p->getFelder()->setString("NAME", name);
        p->getFelder()->setString("VORNAME", "Jörg");
        p->getFelder()->setString("ORT", "Köln");
        p->getFelder()->setInt("PLZ", 50667);
        p->setKlasse(r.klassen[static_cast<std::size_t>(i) % r.klassen.size()]);
        for (int z = 0; z < zensuren; ++z) {
            auto note = std::make_unique<c_Zensur>();
            note->setFelder(std::make_unique<c_Datenliste>(*sv.getZensurStruktur()));
            note->getFelder()->setString("ZENSUR", std::to_string(1 + (i + z) % 6));
            note->getFelder()->setString("BEMERKUNG", "mündlich");
            note->setFach(r.faecher[static_cast<std::size_t>(z) % r.faecher.size()]);
            p->getZensurliste()->push_back(note.release());
        }
        auto f = std::make_unique<c_Fehlzeit>();
        f->setFelder(std::make_unique<c_Datenliste>(*sv.getFehlzeitStruktur()));
        f->getFelder()->setInt("ATAG", 3);
        f->getFelder()->setInt("AMONAT", 3);
        f->getFelder()->setInt("AJAHR", 2026);
        f->getFelder()->setInt("ETAG", 4);
        f->getFelder()->setInt("EMONAT", 3);
        f->getFelder()->setInt("EJAHR", 2026);
        p->getFehlzeitliste()->push_back(f.release());
        liste->push_back(p.release());
    }
}

}  // namespace ausgabe_schule
