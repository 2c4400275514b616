#include "dialogs/optionen.h"

#include "model/datensaetze.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"

#include <memory>

namespace {

// A number field holds one or two characters; its value is the leading integer.
bool zweistellig(const std::string& s) {
    const std::size_t n = text::charCount(s);
    return n >= 1 && n <= 2;
}

// Deletes every element of a copy of the list that `weg` picks; the store's
// own list changes under the walk.
template <class Liste, class Weg, class Loeschen>
void loescheAusKopie(const Liste* liste, Weg weg, Loeschen loeschen) {
    if (!liste) return;
    const Liste kopie = *liste;
    for (auto* p : kopie)
        if (p && weg(p)) loeschen(p);
}

}  // namespace

bool optionenOk(c_Schulverwaltung& sv, const OptionenEingabe& e, Meldungsziel& m) {
    bool ok = true;
    auto zahl = [&](const std::string& s, const char* meldung, void (c_Schulverwaltung::*setzen)(int)) {
        const int wert = text::leadingInt(s);
        if (!zweistellig(s) || wert <= 0) {
            m.fehler(meldung);
            ok = false;
        } else {
            (sv.*setzen)(wert);
        }
    };

    if (!zweistellig(e.neuKlassen)) {
        m.fehler("Die Anzahl der neuen Klassen ist zu hoch!");
        ok = false;
    } else {
        zahl(e.neuKlassen, "Die Anzahl der neuen Klassen ist ungültig!", &c_Schulverwaltung::setNeuKlasse);
    }
    zahl(e.minKlasse, "Die Anzahl der niedrigsten Jahrgangsstufe ist ungültig!", &c_Schulverwaltung::setMinKlasse);
    zahl(e.maxKlasse, "Die Anzahl der höchsten Jahrgangsstufe ist ungültig!", &c_Schulverwaltung::setMaxKlasse);
    if (sv.getMaxKlasse() < sv.getMinKlasse()) {
        m.fehler("Die höchstmögliche Klassennummer\nist kleiner als die niedrigste\nKlassennummer!");
        ok = false;
    }
    sv.setSamstag(e.samstag);

    const int stunden = text::leadingInt(e.stundenProTag);
    if (!zweistellig(e.stundenProTag) || stunden < 1 || stunden > 12) {
        m.fehler("Die Anzahl der Stunden pro Tag muß\nzwischen 1 und 12 liegen!");
        return false;
    }
    // Lowering deletes appointments and the curriculum: asked, and done, only
    // once every other value has passed, since the new value is stored only then.
    if (ok && stunden < sv.getStundenProTag()) {
        if (m.frage("Sie haben die Stundenanzahl pro Tag herabgesetzt!\n\nAlle vorhandenen Termine in den "
                    "wegfallenden Stunden und das\ngesamte Curriculum würden dadurch gelöscht. Falls Sie dies "
                    "nicht\nwünschen, müssen Sie die Anzahl der Stunden wieder heraufsetzten.\n\nWollen Sie die "
                    "Anzahl korrigieren?",
                    "Warnung"))
            return false;
        loescheNachStunde(sv, stunden);
    }
    if (ok) sv.setStundenProTag(stunden);
    return ok;
}

void loescheNachStunde(c_Schulverwaltung& sv, int stunden) {
    auto danach = [stunden](const c_Termin* t) { return t->getAStd() > stunden || t->getEStd() > stunden; };
    loescheAusKopie(sv.getEinzelterminliste(), danach, [&](c_Einzeltermin* t) { sv.deleteEinzeltermin(t); });
    loescheAusKopie(sv.getDauerterminliste(), danach, [&](c_Dauertermin* t) { sv.deleteDauertermin(t); });
    loescheAusKopie(sv.getVertretungsterminliste(), danach,
                    [&](c_Vertretungstermin* t) { sv.deleteVertretungstermin(t); });
    loescheAusKopie(sv.getCurriculum(), [](const c_Wunsch*) { return true; },
                    [&](c_Wunsch* w) { sv.deleteWunsch(w); });
}

bool fachHinzufuegen(c_Schulverwaltung& sv, const std::string& name, Meldungsziel& m) {
    if (name.empty()) {
        m.fehler("Sie müssen zuerst\neinen Namen in das Feld\neingeben.");
        return false;
    }
    auto fach = std::make_unique<c_Fach>(name);
    if (!sv.addFach(fach)) {
        m.fehler("Das Fach konnte nicht\nangelegt werden.");
        return false;
    }
    sv.meldeAenderung();
    return true;
}

bool fachLoeschen(c_Schulverwaltung& sv, int zeile, Meldungsziel& m) {
    c_Fach* fach = zeile >= 0 && sv.getFachliste() ? sv.getFachliste()->getFach(zeile + 1) : nullptr;
    if (!fach) {
        m.fehler("Sie müssen erst ein Fach auswählen.");
        return false;
    }
    if (!sv.deleteFach(fach)) {
        m.fehler("Löschen fehlgeschlagen!\n\n(Ist das Fach noch mit einem Raum, Lehrer etc.\nverbunden?)", "");
        return false;
    }
    sv.meldeAenderung();
    return true;
}
