#include "dialogs/schuelerformular.h"

#include "dialogs/auswahl.h"
#include "model/schulverwaltung/schulverwaltung.h"

SchuelerFormular::SchuelerFormular(c_Schulverwaltung* sv, c_Schueler* schueler)
    : DatensatzFormular(sv, schueler, sv->getSchuelerStruktur()) {}

std::vector<std::string> SchuelerFormular::klassenEintraege() const {
    return ::klassenEintraege(k_schulverwaltung, "[keine]");
}

int SchuelerFormular::klassenAuswahl() const {
    if (!k_datensatz || !k_datensatz->getKlasse()) return 0;
    return k_schulverwaltung->getKlassenliste()->indexOf(k_datensatz->getKlasse());
}

bool SchuelerFormular::ok(const FormularWerte& werte, int klasse, MeldungsSammler& m) {
    if (!k_vorlage) return false;
    if (!pruefeFormular(pruefFelder(), werte, m, pruefeNamen)) return false;
    c_Klasse* k = klasse > 0 ? k_schulverwaltung->getKlassenliste()->getKlasse(klasse) : nullptr;
    if (k_datensatz) {
        ueberschreibe(werte);
        k_datensatz->setKlasse(k);
        k_schulverwaltung->updateSchueler(k_datensatz);
        return true;
    }
    std::unique_ptr<c_Schueler> neu = neuerDatensatz(werte);
    neu->setKlasse(k);
    return legeAn(neu, &c_Schulverwaltung::addSchueler, "Der Schueler konnte nicht\nangelegt werden.", m);
}

bool SchuelerFormular::unterdialogErlaubt(MeldungsSammler& m) const { return erstAngelegt(k_datensatz, "Schüler", m); }
