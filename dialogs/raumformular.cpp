#include "dialogs/raumformular.h"

#include "dialogs/auswahl.h"
#include "model/schulverwaltung/schulverwaltung.h"

RaumFormular::RaumFormular(c_Schulverwaltung* sv, c_Raum* raum)
    : DatensatzFormular(sv, raum, sv->getRaumStruktur()) {
    if (raum)
        for (c_Klasse* k : *sv->getKlassenliste())
            if (k->getKlassenraum() == raum) k_alteKlasse = k;
}

std::vector<std::string> RaumFormular::klassenEintraege() const {
    return ::klassenEintraege(k_schulverwaltung, "[keine]");
}

int RaumFormular::klassenAuswahl() const {
    return k_alteKlasse ? k_schulverwaltung->getKlassenliste()->indexOf(k_alteKlasse) : 0;
}

std::vector<std::string> RaumFormular::fachEintraege() const {
    return ::fachEintraege(k_schulverwaltung, "[kein Fachraum / Klassenraum]");
}

std::vector<int> RaumFormular::fachAuswahl() const {
    if (!k_datensatz || !k_datensatz->getFachliste() || k_datensatz->getFachliste()->empty()) return {0};
    return fachEintraegeVon(k_schulverwaltung, k_datensatz->getFachliste());
}

bool RaumFormular::ok(const FormularWerte& werte, int klasse, const std::vector<int>& faecher, MeldungsSammler& m) {
    if (!k_vorlage) return false;
    c_Raum* raum = k_datensatz;
    // deactivateRaum switches a stored room off at once: the fields as they were, for a later refusal.
    const c_Datenliste vorher = raum && raum->getFelder() ? *raum->getFelder() : c_Datenliste();
    auto zuruecksetzen = [&] {
        if (raum && raum->getFelder()) *raum->getFelder() = vorher;
    };
    c_Schulverwaltung* sv = k_schulverwaltung;
    const bool passt = pruefeFormular(pruefFelder(), werte, m, [&](const FeldEingabe& e, MeldungsSammler& ms) {
        if (e.ist("NAME")) {
            if (!e.leer()) return true;
            ms.melde("Sie müssen einen Raumnamen eingeben.");
            return false;
        }
        if (!e.ist("AKTIV") || e.haken()) return true;
        if (klasse > 0) {
            ms.melde("Sie können einem deaktivierten Raum keine\nKlasse zuweisen. Aktivieren Sie den\nRaum oder heben "
                     "Sie die Klassen-\nzuordnung auf.");
            return false;
        }
        if (!raum || sv->deactivateRaum(raum)) return true;
        ms.melde("Sie können diesen Raum nicht deaktivieren\nda er noch genutzt wird. Ordnen Sie\nallen Terminen, die "
                 "diesen Raum nutzen\neinen neuen Raum zu");
        return false;
    });
    if (!passt) {
        zuruecksetzen();
        return false;
    }
    std::unique_ptr<c_Raum> neu;
    if (raum) {
        ueberschreibe(werte);
    } else {
        neu = neuerDatensatz(werte);
        raum = neu.get();
    }
    if (sv->existsRaumname(raum)) {
        zuruecksetzen();
        m.melde("Dieser Raum existiert schon!");
        return false;
    }
    raum->setFachliste(gewaehlteFaecher(sv, faecher));
    if (neu) {
        if (legeAn(neu, &c_Schulverwaltung::addRaum, "Der Raum konnte nicht\nangelegt werden.", m))
            setzeKlassenraum(klasse);
        return true;
    }
    setzeKlassenraum(klasse);
    sv->updateRaum(raum);
    return true;
}

void RaumFormular::setzeKlassenraum(int klasse) {
    k_schulverwaltung->getKlassenliste()->geaendert();  // the classes' rooms change in place
    if (klasse > 0) {
        if (c_Klasse* k = k_schulverwaltung->getKlassenliste()->getKlasse(klasse)) k->setKlassenraum(k_datensatz);
    } else if (k_alteKlasse) {
        k_alteKlasse->setKlassenraum(nullptr);
    }
}
