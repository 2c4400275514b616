#include "dialogs/klassenformular.h"

#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"

KlassenFormular::KlassenFormular(c_Schulverwaltung* sv, c_Klasse* klasse)
    : DatensatzFormular(sv, klasse, sv->getKlasseStruktur()) {}

bool KlassenFormular::ok(const FormularWerte& werte, MeldungsSammler& m) {
    if (!k_vorlage) return false;
    c_Schulverwaltung* sv = k_schulverwaltung;
    // A template without JAHRGANG or BEZ compares as grade level 0 and no letter.
    int jahrgang = 0;
    char bez = 0;
    const bool passt =
        pruefeFormular(pruefFelder(), werte, m, [&](const FeldEingabe& e, MeldungsSammler& ms) {
            if (e.ist("JAHRGANG")) {
                jahrgang = e.zahl();
                if (jahrgang >= sv->getMinKlasse() && jahrgang <= sv->getMaxKlasse()) return true;
                ms.melde("Der eingegebene Jahrgang ist nicht zulässig!");
                return false;
            }
            if (!e.ist("BEZ")) return true;
            if (e.leer()) {
                ms.melde("Sie müssen einen Bezeichner eingeben.");
                return false;
            }
            bez = text::firstCharCode(e.zeile());
            return true;
        });
    if (!passt) return false;
    for (const c_Klasse* k : *sv->getKlassenliste()) {
        if (k == k_datensatz || k->getBez() != bez || k->getJahrgang() != jahrgang) continue;
        m.melde("Eine Klasse mit diesem Namen\nexistiert schon.");
        return false;
    }
    if (k_datensatz) {
        ueberschreibe(werte);
        sv->updateKlasse(k_datensatz);
        return true;
    }
    std::unique_ptr<c_Klasse> neu = neuerDatensatz(werte);
    legeAn(neu, &c_Schulverwaltung::addKlasse, "Die Klasse konnte nicht\nangelegt werden.", m);
    return true;
}
