#include "dialogs/datensatzformular.h"

bool pruefeNamen(const FeldEingabe& e, MeldungsSammler& m) {
    if (e.ist("NAME")) {
        if (!e.leer()) return true;
        m.melde("Sie müssen einen Nachnamen eingeben.");
        return false;
    }
    if (e.ist("VORNAME") && e.leer()) {
        m.melde("Sie müssen einen Vornamen eingeben.");
        return false;
    }
    return true;
}
