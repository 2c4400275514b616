// School-year change and clearing of the weekly plan.
#include "model/schulverwaltung/schulverwaltung.h"

#include <algorithm>
#include <climits>
#include <unordered_map>
#include <vector>

namespace {

// A new class from the class template with the given grade level and letter.
std::unique_ptr<c_Klasse> neueKlasse(const c_Datenliste& vorlage, int jahrgang, char bez) {
    auto k = std::make_unique<c_Klasse>();
    k->setFelder(std::make_unique<c_Datenliste>(vorlage));
    k->setJahrgangBez(jahrgang, bez);
    k->setName(std::string());
    return k;
}

}  // namespace

void c_Schulverwaltung::changeSchuljahr(const c_Schuelerliste* wiederholer, bool zensurenLoeschen) {
    if (!k_database) return;
    c_Database& db = *k_database;
    c_Klassenliste& klassen = *db.getKlassenliste();
    const c_Datenliste& vorlage = *db.getKlasseStruktur();
    // The settings as the settings dialog can enter them; a file may hold anything.
    const int minKlasse = std::clamp(db.getMinKlasse(), 0, MAX_JAHRGANG_EINSTELLUNG);
    const int maxKlasse = std::clamp(db.getMaxKlasse(), 0, MAX_JAHRGANG_EINSTELLUNG);
    const int neuKlasse = std::clamp(db.getNeuKlasse(), 0, MAX_NEUE_KLASSEN);

    // New entry classes one grade level below the lowest.
    for (int i = 1; i <= neuKlasse; ++i) {
        auto k = neueKlasse(vorlage, minKlasse - 1, static_cast<char>(i + 96));
        addKlasse(k);
    }
    // The first 'a' class of each grade level in list order. Every level gets one, and the
    // repeaters go to the one a grade level lower.
    std::unordered_map<int, c_Klasse*> ersteA;
    for (c_Klasse* k : klassen)
        if (k && k->getBez() == 'a') ersteA.emplace(k->getJahrgang(), k);
    for (int j = minKlasse; j <= maxKlasse; ++j) {
        if (ersteA.count(j)) continue;
        auto k = neueKlasse(vorlage, j, 'a');
        c_Klasse* neu = k.get();
        if (addKlasse(k)) ersteA.emplace(j, neu);
    }
    if (wiederholer) {
        for (c_Schueler* s : *wiederholer) {
            if (!s) continue;
            const c_Klasse* alt = s->getKlasse();
            const auto ziel = alt && alt->getJahrgang() > INT_MIN ? ersteA.find(alt->getJahrgang() - 1) : ersteA.end();
            s->setKlasse(ziel != ersteA.end() ? ziel->second : nullptr);
        }
        db.getSchuelerliste()->geaendert();
    }
    // The final-year classes leave the school.
    std::vector<c_Klasse*> abgang;
    for (c_Klasse* k : klassen)
        if (k && k->getJahrgang() == maxKlasse) abgang.push_back(k);
    db.deleteKlassen(abgang);
    // Everybody moves up; the highest grade level a file can hold stays where it is.
    for (c_Klasse* k : klassen)
        if (k && k->getJahrgang() < INT_MAX) k->setJahrgang(k->getJahrgang() + 1);
    klassen.geaendert();

    clearStundenplan(zensurenLoeschen);
}

void c_Schulverwaltung::clearStundenplan(bool zensurenLoeschen) {
    if (!k_database) return;
    k_database->deleteAlleDauertermine();
    if (zensurenLoeschen)
        for (c_Schueler* s : *k_database->getSchuelerliste())
            if (s) s->getZensurliste()->deleteAll();
}
