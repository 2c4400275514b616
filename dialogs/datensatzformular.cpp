#include "dialogs/datensatzformular.h"

bool erstAngelegt(const void* datensatz, const char* wen, MeldungsSammler& m) {
    if (datensatz) return true;
    m.einzeln(std::string("Sie müssen diesen ") + wen +
                  " zunächst anlegen.\nWählen Sie hierzu OK, markieren Sie ihn und\nwählen Sie dann Bearbeiten im "
                  "Hauptmenü.",
              "Fehler", FLAGS_FEHLER);
    return false;
}

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
