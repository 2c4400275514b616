#include "dialogs/curriculum.h"

#include "model/datensaetze.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"

#include <algorithm>
#include <climits>
#include <memory>

int maxWochenstunden(c_Schulverwaltung& sv) {
    const long long max = static_cast<long long>(sv.getStundenProTag()) * (sv.getSamstag() ? 6 : 5);
    return text::saturatedInt(max);
}

std::string wunschText(const c_Wunsch& w) {
    return "[Jahrgang:" + std::to_string(w.getJahrgang()) + "] [Stunden:" + std::to_string(w.getStunden()) + "] " +
           (w.getFach() ? w.getFach()->getName() : std::string());
}

std::vector<std::string> curriculumZeilen(c_Schulverwaltung& sv) {
    std::vector<std::string> zeilen;
    if (const c_Curriculum* c = sv.getCurriculum()) {
        zeilen.reserve(c->size());
        for (const c_Wunsch* w : *c) zeilen.push_back(w ? wunschText(*w) : std::string());
    }
    return zeilen;
}

std::vector<std::string> jahrgangEintraege(c_Schulverwaltung& sv) {
    std::vector<std::string> e;
    // Grade levels are two-digit numbers; a damaged range lists no more than that.
    const long long von = sv.getMinKlasse();
    const long long bis = std::min<long long>(sv.getMaxKlasse(), von + 999);
    for (long long j = von; j <= bis; ++j) e.push_back(std::to_string(j));
    return e;
}

bool wunschHinzufuegen(c_Schulverwaltung& sv, int maxStunden, const WunschEingabe& e, Meldungsziel& m) {
    if (e.stunden.empty()) {
        m.fehler("Sie müssen eine Stundenanzahl angeben.");
        return false;
    }
    const int stunden = text::leadingInt(e.stunden);
    if (stunden < 1 || stunden > 10) {
        m.fehler("Die angegebene Stundenanzahl konnte nicht\nermittelt werden. Bitte prüfen Sie die Korrektheit.");
        return false;
    }
    c_Fach* fach = e.fach >= 0 && sv.getFachliste() ? sv.getFachliste()->getFach(e.fach + 1) : nullptr;
    if (!fach) {
        m.fehler("Es ist kein Fach gewählt.\nLegen Sie die Fächer in den Einstellungen an.");
        return false;
    }
    if (e.jahrgang < 0 || e.jahrgang >= static_cast<int>(jahrgangEintraege(sv).size())) {
        m.fehler("Es ist keine Jahrgangsstufe gewählt.\nPrüfen Sie die Jahrgangsstufen in den Einstellungen.");
        return false;
    }
    auto wunsch = std::make_unique<c_Wunsch>();
    wunsch->setStunden(stunden);
    wunsch->setStunden2(stunden);
    wunsch->setFach(fach);
    wunsch->setJahrgang(sv.getMinKlasse() + e.jahrgang);

    long long summe = stunden;
    const c_Curriculum* curriculum = sv.getCurriculum();
    if (!curriculum) return false;
    for (const c_Wunsch* w : *curriculum) {
        if (!w || w->getJahrgang() != wunsch->getJahrgang()) continue;
        if (w->getFach() == fach) {
            m.fehler("Dieser Eintrag existiert schon.");
            return false;
        }
        summe += w->getStunden();
    }
    if (summe > maxStunden) {
        m.fehler("Dieser Eintrag würde die\nmaximal mögliche Stundenanzahl pro\nWoche übersteigen!");
        return false;
    }
    if (!sv.addWunsch(wunsch)) {
        m.fehler("Das Element konnte nicht angelegt werden,\nda die Anzahl der maximalen\nEinträge erreicht wurde.");
        return false;
    }
    sv.meldeAenderung();
    return true;
}

bool wunschLoeschen(c_Schulverwaltung& sv, int zeile, Meldungsziel& m) {
    c_Wunsch* w = zeile >= 0 && sv.getCurriculum() ? sv.getCurriculum()->getWunsch(zeile + 1) : nullptr;
    if (!w) {
        m.fehler("Sie müssen erst einen Eintrag auswählen,\nbevor Sie ihn löschen können.");
        return false;
    }
    if (!sv.deleteWunsch(w)) return false;
    sv.meldeAenderung();
    return true;
}
