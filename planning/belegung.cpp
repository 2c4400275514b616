#include "planning/belegung.h"

#include "model/datensaetze.h"
#include "planning/stundenplanerstellung.h"
#include "platform/text.h"

#include <algorithm>

c_Belegung::c_Belegung(int tage, int stunden) : k_tage(std::max(0, tage)), k_stunden(std::max(0, stunden)) {}

void c_Belegung::aufbauen(const c_Dauerterminliste& liste) {
    for (const c_Dauertermin* t : liste)
        if (t) hinzufuegen(t);
}

void c_Belegung::hinzufuegen(const c_Dauertermin* t) {
    if (!t || k_tage == 0 || k_stunden == 0) return;
    const int von = std::max(1, t->getAStd());
    const int bis = std::min(k_stunden, t->getEStd());
    if (von > bis) return;
    const std::size_t groesse = static_cast<std::size_t>(k_tage) * static_cast<std::size_t>(k_stunden);
    for (int d = 1; d <= k_tage; ++d) {
        // The same comparison as the scans use (and the same process-wide mode).
        if (!text::equals(t->getWochentag(), Stundenplanerstellung::getWochentag(d))) continue;
        auto& raum = k_raeume[t->getRaum()];
        auto& klasse = k_klassen[t->getKlasse()];
        auto& lehrer = k_lehrer[t->getLehrer()];
        auto& letzte = k_letzterImRaum[t->getRaum()];
        for (auto* v : {&raum, &klasse, &lehrer})
            if (v->empty()) v->assign(groesse, 0);
        if (letzte.empty()) letzte.assign(groesse, nullptr);
        for (int k = von; k <= bis; ++k) {
            const auto i = static_cast<std::size_t>(index(d, k));
            ++raum[i];
            ++klasse[i];
            ++lehrer[i];
            letzte[i] = t;
        }
    }
}

bool c_Belegung::belegt(const Zaehler& z, int d, int stunde, const void* wer) const {
    if (d < 1 || d > k_tage || stunde < 1 || stunde > k_stunden) return false;
    auto it = z.find(wer);
    return it != z.end() && it->second[static_cast<std::size_t>(index(d, stunde))] > 0;
}

const c_Dauertermin* c_Belegung::getDauerterminVorher(int d, int stunde, const void* raum) const {
    if (stunde < 2 || d < 1 || d > k_tage || stunde - 1 > k_stunden) return nullptr;
    auto it = k_letzterImRaum.find(raum);
    return it == k_letzterImRaum.end() ? nullptr : it->second[static_cast<std::size_t>(index(d, stunde - 1))];
}
