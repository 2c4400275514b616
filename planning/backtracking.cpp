#include "planning/backtracking.h"

#include "model/schulverwaltung/schulverwaltung.h"

#include <algorithm>
#include <climits>

c_Backtracking::c_Backtracking(c_Schulverwaltung* schulverwaltung, std::string* fehlertext)
    : Stundenplanerstellung(schulverwaltung, fehlertext) {}

c_Backtracking::~c_Backtracking() { warte(); }

int c_Backtracking::run() {
    createStundenplan();
    return 0;
}

bool c_Backtracking::createStundenplan() {
    k_statustext->append("Algorithmus: Backtracking");
    zeigeStatus();
    if (!pruefeVorlage()) return false;

    k_abgewiesen = false;
    if (k_mitIndex) {
        k_belegung = std::make_unique<c_Belegung>(k_tageProWoche, k_stundenProTag);
        k_belegung->aufbauen(*k_schulverwaltung->getDauerterminliste());
    } else {
        k_belegung.reset();
    }

    c_Curriculum* curriculum = k_schulverwaltung->getCurriculum();
    bool ergebnis = true;
    for (c_Klasse* klasse : *k_schulverwaltung->getKlassenliste()) {
        if (!ergebnis) break;
        if (!klasse) continue;
        const auto faecher = curriculum->getFaecher(klasse->getJahrgang());
        for (c_Fach* fach : *faecher) {
            if (!ergebnis) break;
            int stunden = 0, stunden2 = 0;
            curriculum->getStunden(klasse->getJahrgang(), fach, &stunden, &stunden2);
            const long long rest =
                static_cast<long long>(stunden) - k_schulverwaltung->getGeplanteStunden(klasse, fach);
            const int bedarf = static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, rest)));

            c_Lehrer* lehrer = k_schulverwaltung->findLehrerFuerFach(fach, bedarf);
            c_Lehrer* klassenlehrer = klasse->getKlassenlehrer();
            if (klassenlehrer && klassenlehrer->getFachliste() && klassenlehrer->getFachliste()->contains(fach))
                lehrer = klassenlehrer;
            if (!lehrer) {
                fehlerAnhaengen("Es gibt nicht genug Lehrer für " + fach->getName());
                ergebnis = false;
                break;
            }

            auto raeume = k_schulverwaltung->getRaeumeFuerFach(fach);
            if (!raeume->empty()) {
                ergebnis = placeFach(raeume.get(), klasse, bedarf, lehrer, fach, klasse->getKlassenraum());
            } else {
                if (klasse->getKlassenraum()) raeume->push_back(klasse->getKlassenraum());
                ergebnis = placeFach(raeume.get(), klasse, bedarf, lehrer, fach, nullptr);
            }
        }
    }
    k_belegung.reset();
    return ergebnis;
}

bool c_Backtracking::isFrei(int tag, int stunde, const c_Raum* raum, const c_Klasse* klasse,
                            const c_Lehrer* lehrer) {
    if (k_belegung)
        return !k_belegung->isRaumBelegt(tag, stunde, raum) && !k_belegung->isKlasseBelegt(tag, stunde, klasse) &&
               !k_belegung->isLehrerBelegt(tag, stunde, lehrer);
    const std::string wochentag = getWochentag(tag);
    return !k_schulverwaltung->isRaumBelegt(wochentag, stunde, raum) &&
           !k_schulverwaltung->isKlasseBelegt(wochentag, stunde, klasse) &&
           !k_schulverwaltung->isLehrerBelegt(wochentag, stunde, lehrer);
}

const c_Dauertermin* c_Backtracking::vorher(int tag, int stunde, const c_Raum* raum) {
    if (k_belegung) return k_belegung->getDauerterminVorher(tag, stunde, raum);
    return k_schulverwaltung->getDauerterminVorher(getWochentag(tag), stunde, raum);
}

bool c_Backtracking::placeFach(const c_Raumliste* raeume, c_Klasse* klasse, int stunden, c_Lehrer* lehrer,
                               c_Fach* fach, c_Raum* ausweichraum) {
    for (c_Raum* raum : *raeume) {
        for (int d = 1; d <= k_tageProWoche; ++d) {
            int i = 0;
            for (int k = 1; k <= k_stundenProTag; ++k) {
                if (stunden <= 0 || i >= 2) break;
                if (!isFrei(d, k, raum, klasse, lehrer)) continue;
                if (i == 1) {
                    const c_Dauertermin* davor = vorher(d, k, raum);
                    if (!davor || davor->getFach() != fach) continue;
                }
                auto termin = neuerDauertermin();
                termin->setRaum(raum);
                termin->setKlasse(klasse);
                termin->setFach(fach);
                termin->setLehrer(lehrer);
                termin->setWochentag(getWochentag(d));
                termin->setAStd(k);
                termin->setEStd(k);
                const c_Dauertermin* roh = termin.get();
                TerminErgebnis wie = TerminErgebnis::KeineDatenbank;
                // A proposal on a collision is not wanted here; it is freed at once.
                k_schulverwaltung->addDauertermin(termin, &wie);
                if (wie != TerminErgebnis::Gespeichert) {
                    // Refused (limit or collision): the lesson is not in the plan and
                    // is not counted; the run ends with a message.
                    if (!k_abgewiesen)
                        fehlerAnhaengen("Ein Termin konnte nicht eingeordnet werden!");
                    k_abgewiesen = true;
                    return false;
                }
                if (k_belegung) k_belegung->hinzufuegen(roh);
                --stunden;
                ++i;
                lehrer->setVergebeneStunden(lehrer->getVergebeneStunden() + 1);
            }
        }
    }
    if (stunden > 0) {
        if (ausweichraum) {
            c_Raumliste nur;
            nur.push_back(ausweichraum);
            return placeFach(&nur, klasse, stunden, lehrer, fach, nullptr);
        }
        auto frei = k_schulverwaltung->getFreieRaeume();
        if (frei->equals(raeume)) {
            fehlerAnhaengen("Es sind nicht genuegend Räume vorhanden!");
            return false;
        }
        return placeFach(frei.get(), klasse, stunden, lehrer, fach, nullptr);
    }
    return true;
}
