#include "dialogs/lehrerformular.h"

#include "dialogs/auswahl.h"
#include "model/schulverwaltung/schulverwaltung.h"

LehrerFormular::LehrerFormular(c_Schulverwaltung* sv, c_Lehrer* lehrer)
    : DatensatzFormular(sv, lehrer, sv->getLehrerStruktur()) {}

std::vector<std::string> LehrerFormular::klassenEintraege() const {
    return ::klassenEintraege(k_schulverwaltung, "[keine]");
}

int LehrerFormular::klassenAuswahl() const {
    int gewaehlt = 0, n = 0;
    if (!k_datensatz) return 0;
    for (const c_Klasse* k : *k_schulverwaltung->getKlassenliste()) {
        ++n;
        if (k->getKlassenlehrer() == k_datensatz) gewaehlt = n;
    }
    return gewaehlt;
}

std::vector<std::string> LehrerFormular::fachEintraege() const {
    return ::fachEintraege(k_schulverwaltung, "[kein Fach]");
}

std::vector<int> LehrerFormular::fachAuswahl() const {
    std::vector<int> e;
    if (!k_datensatz || !k_datensatz->getFachliste()) return e;
    if (k_datensatz->getFachliste()->empty()) e.push_back(0);
    for (int i : fachEintraegeVon(k_schulverwaltung, k_datensatz->getFachliste())) e.push_back(i);
    return e;
}

bool LehrerFormular::ok(const FormularWerte& werte, int klasse, const std::vector<int>& faecher, MeldungsSammler& m) {
    if (!k_vorlage) return false;
    const c_Lehrer* alt = k_datensatz;
    const bool passt =
        pruefeFormular(pruefFelder(), werte, m, [alt](const FeldEingabe& e, MeldungsSammler& ms) {
            if (!e.ist("PFLICHTSTUNDE")) return pruefeNamen(e, ms);
            const int n = e.zahl();
            bool gut = true;
            if (n < 1 || e.leer()) {
                ms.melde("Die Pflichtstundenanzahl\nist ungültig.");
                gut = false;
            }
            if (alt && n < alt->getVergebeneStunden()) {
                ms.melde("Die Pflichtstundenanzahl\nist kleiner als die bereits\nvergebene Stundenanzahl.");
                gut = false;
            }
            return gut;
        });
    if (!passt) return false;
    if (k_datensatz) {
        ueberschreibe(werte);
        k_datensatz->setFachliste(gewaehlteFaecher(k_schulverwaltung, faecher));
        setzeKlassenlehrer(klasse);
        k_schulverwaltung->updateLehrer(k_datensatz);
        return true;
    }
    std::unique_ptr<c_Lehrer> neu = neuerDatensatz(werte);
    neu->setFachliste(gewaehlteFaecher(k_schulverwaltung, faecher));
    if (!legeAn(neu, &c_Schulverwaltung::addLehrer, "Der Lehrer konnte nicht\nangelegt werden.", m)) return false;
    setzeKlassenlehrer(klasse);
    return true;
}

void LehrerFormular::setzeKlassenlehrer(int klasse) {
    c_Klassenliste* klassen = k_schulverwaltung->getKlassenliste();
    klassen->geaendert();  // the classes' teachers change in place
    if (klasse > 0) {
        if (c_Klasse* k = klassen->getKlasse(klasse)) k->setKlassenlehrer(k_datensatz);
        return;
    }
    for (c_Klasse* k : *klassen)
        if (k->getKlassenlehrer() == k_datensatz) k->setKlassenlehrer(nullptr);
}

bool LehrerFormular::unterdialogErlaubt(MeldungsSammler& m) const { return erstAngelegt(k_datensatz, "Lehrer", m); }
