#include "dialogs/datumpruefung.h"

#include "model/datum.h"
#include "platform/text.h"

int vierstelligesJahr(int jahr, std::size_t zeichen) {
    if (zeichen != 2) return jahr;
    return jahr < 50 ? 2000 + jahr : 1900 + jahr;
}

bool pruefeDatum(const std::string& tag, const std::string& monat, const std::string& jahr,
                 std::vector<std::string>& meldungen, int* ergTag, int* ergMonat, int* ergJahr) {
    bool ok = true;
    if (tag.empty()) {
        meldungen.emplace_back("Sie müssen einen Tag angeben.");
        ok = false;
    }
    if (monat.empty()) {
        meldungen.emplace_back("Sie müssen einen Monat angeben.");
        ok = false;
    }
    const std::size_t jahrZeichen = text::charCount(jahr);
    if (jahrZeichen < 2) {
        meldungen.emplace_back("Sie müssen ein korrektes Jahr angeben.");
        ok = false;
    }
    if (jahrZeichen == 3) {
        meldungen.emplace_back("Ein dreistelliges Jahr ist nicht erlaubt.");
        ok = false;
    }
    if (!ok) return false;
    const int t = text::leadingInt(tag);
    const int m = text::leadingInt(monat);
    const int j = vierstelligesJahr(text::leadingInt(jahr), jahrZeichen);
    if (!isTerminDatumKorrekt(t, m, j)) {
        meldungen.emplace_back("Das eingegebene Datum ist nicht korrekt.");
        return false;
    }
    *ergTag = t;
    *ergMonat = m;
    *ergJahr = j;
    return true;
}

bool isTerminDatumKorrekt(int tag, int monat, int jahr) {
    return tag >= 1 && tag <= 31 && monat >= 1 && monat <= 12 && jahr >= 0 && isDatumGueltig(tag, monat, jahr);
}
