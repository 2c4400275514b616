#include "dialogs/schuelerformular.h"

#include "dialogs/auswahl.h"
#include "dialogs/datensatzformular.h"
#include "model/schulverwaltung/schulverwaltung.h"

SchuelerFormular::SchuelerFormular(c_Schulverwaltung* sv, c_Schueler* schueler)
    : k_schulverwaltung(sv), k_datensatz(schueler), k_vorlage(sv->getSchuelerStruktur()) {}

std::vector<std::string> SchuelerFormular::klassenEintraege() const {
    return ::klassenEintraege(k_schulverwaltung, "[keine]");
}

int SchuelerFormular::klassenAuswahl() const {
    if (!k_datensatz || !k_datensatz->getKlasse()) return 0;
    return k_schulverwaltung->getKlassenliste()->indexOf(k_datensatz->getKlasse());
}

bool SchuelerFormular::ok(const FormularWerte& werte, int klasse, MeldungsSammler& m) {
    if (!k_vorlage) return false;
    if (!pruefeFormular(pruefFelder(k_datensatz, *k_vorlage), werte, m, pruefeNamen)) return false;
    c_Klasse* k = klasse > 0 ? k_schulverwaltung->getKlassenliste()->getKlasse(klasse) : nullptr;
    if (k_datensatz) {
        ueberschreibe(*k_datensatz, *k_vorlage, werte);
        k_datensatz->setKlasse(k);
        k_schulverwaltung->updateSchueler(k_datensatz);
        return true;
    }
    std::unique_ptr<c_Schueler> neu = neuerDatensatz<c_Schueler>(*k_vorlage, werte);
    neu->setKlasse(k);
    c_Schueler* s = neu.get();
    if (!k_schulverwaltung->addSchueler(neu)) {
        m.einzeln("Der Schueler konnte nicht\nangelegt werden.", "Fehler", FLAGS_FEHLER);
        return false;
    }
    k_datensatz = s;
    return true;
}

bool SchuelerFormular::unterdialogErlaubt(MeldungsSammler& m) const { return erstAngelegt(k_datensatz, "Schüler", m); }
