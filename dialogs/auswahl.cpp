#include "dialogs/auswahl.h"

#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"

#include <algorithm>

std::string klassenEintrag(const c_Klasse* k) {
    if (!k) return std::string();
    std::string s = std::to_string(k->getJahrgang());
    if (const char bez = k->getBez()) s += text::cp1252Char(static_cast<unsigned char>(bez));
    const c_datatype* name = k->getFelder() ? k->getFelder()->findField("NAME") : nullptr;
    if (name && name->getTyp() == TYP_STRING && static_cast<const c_StringObj*>(name)->getWert())
        s += " " + static_cast<const c_StringObj*>(name)->text();
    return s;
}

std::vector<std::string> klassenEintraege(c_Schulverwaltung* sv, const char* erster) {
    return eintraege(erster, sv->getKlassenliste(), klassenEintrag);
}

std::vector<std::string> fachEintraege(c_Schulverwaltung* sv, const char* erster) {
    return eintraege(erster, sv->getFachliste(), [](const c_Fach* f) { return f->getName(); });
}

std::unique_ptr<c_Fachliste> gewaehlteFaecher(c_Schulverwaltung* sv, const std::vector<int>& eintraege) {
    auto l = std::make_unique<c_Fachliste>();
    if (std::find(eintraege.begin(), eintraege.end(), 0) != eintraege.end()) return l;
    std::vector<int> sortiert(eintraege);
    std::sort(sortiert.begin(), sortiert.end());
    for (int i : sortiert)
        if (c_Fach* f = sv->getFachliste()->getFach(i)) l->push_back(f);
    return l;
}

std::vector<int> fachEintraegeVon(c_Schulverwaltung* sv, const c_Fachliste* faecher) {
    std::vector<int> e;
    if (!faecher) return e;
    int i = 0;
    for (const c_Fach* f : *sv->getFachliste()) {
        ++i;
        if (faecher->contains(f)) e.push_back(i);
    }
    return e;
}
