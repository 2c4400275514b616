#include "model/anzeige.h"

#include "model/datensaetze.h"
#include "platform/text.h"

std::string klassenName(const c_Klasse* k) {
    if (!k) return std::string();
    std::string s = std::to_string(k->getJahrgang());
    const char bez = k->getBez();
    if (bez != 0) s += text::cp1252Char(static_cast<unsigned char>(bez));
    if (!k->getName().empty()) s += " " + k->getName();
    return s;
}

std::string klassenText(const c_Klasse* k) { return k ? klassenName(k) : "[keine]"; }

std::string lehrerText(const c_Lehrer* l) { return l ? l->getName() + ", " + l->getVorname() : "[keiner]"; }

std::string fachText(const c_Fach* f) { return f ? f->getName() : "[kein]"; }

std::string raumName(const c_Raum* r) { return r ? r->getName() : std::string(); }

std::string feldText(const c_datatype* f) {
    if (!f) return std::string();
    switch (f->getTyp()) {
    case TYP_INT: return std::to_string(static_cast<const c_IntObj*>(f)->getWert());
    case TYP_BOOL: return static_cast<const c_BoolObj*>(f)->getWert() ? "X" : "";
    case TYP_STRING: return static_cast<const c_StringObj*>(f)->text();
    default: return std::string();
    }
}

std::string vollname(const c_person& p) { return p.getVorname() + " " + p.getName(); }
