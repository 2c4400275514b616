// School-year change and clearing of the weekly plan.
#include "model/schulverwaltung/schulverwaltung.h"

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

    // New entry classes one grade level below the lowest.
    for (int i = 1; i <= db.getNeuKlasse(); ++i) {
        auto k = neueKlasse(vorlage, db.getMinKlasse() - 1, static_cast<char>(i + 96));
        addKlasse(k);
    }
    // Every grade level gets its 'a' class.
    for (int j = db.getMinKlasse(); j <= db.getMaxKlasse(); ++j) {
        if (klassen.findKlasse(j, 'a')) continue;
        auto k = neueKlasse(vorlage, j, 'a');
        addKlasse(k);
    }
    // Repeaters go to the 'a' class one grade level lower.
    if (wiederholer) {
        for (c_Schueler* s : *wiederholer) {
            if (!s) continue;
            const c_Klasse* alt = s->getKlasse();
            s->setKlasse(alt ? klassen.findKlasse(alt->getJahrgang() - 1, 'a') : nullptr);
        }
    }
    // The final-year classes leave the school.
    for (;;) {
        c_Klasse* abgang = nullptr;
        for (c_Klasse* k : klassen)
            if (k && k->getJahrgang() == db.getMaxKlasse()) {
                abgang = k;
                break;
            }
        if (!abgang) break;
        deleteKlasse(abgang);
    }
    // Everybody moves up.
    for (c_Klasse* k : klassen)
        if (k) k->setJahrgang(k->getJahrgang() + 1);

    clearStundenplan(zensurenLoeschen);
}

void c_Schulverwaltung::clearStundenplan(bool zensurenLoeschen) {
    if (!k_database) return;
    k_database->deleteAlleDauertermine();
    if (zensurenLoeschen)
        for (c_Schueler* s : *k_database->getSchuelerliste())
            if (s) s->getZensurliste()->deleteAll();
}
