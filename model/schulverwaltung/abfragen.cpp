// Queries on the data: rooms for a subject, taken slots, teachers for a
// subject, planned lessons and the appointments of one week.
#include "model/datum.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"

#include <algorithm>
#include <climits>

namespace {

bool liegtIn(const c_Termin* t, const std::string& wochentag, int stunde) {
    const auto* d = static_cast<const c_Dauertermin*>(t);
    return t->getAStd() <= stunde && stunde <= t->getEStd() && text::equals(d->getWochentag(), wochentag);
}

template <class Liste, class Gefiltert>
std::unique_ptr<Liste> inWoche(std::unique_ptr<Gefiltert> gefiltert, int tag, int monat, int jahr) {
    auto woche = std::make_unique<Liste>();
    int et, em, ej;
    addTage(tag, monat, jahr, 5, &et, &em, &ej);
    for (auto* t : *gefiltert) {
        int d, m, y;
        t->getDatum(&d, &m, &y);
        if (isDatumGroesserGleich(d, m, y, tag, monat, jahr) && isDatumGroesserGleich(et, em, ej, d, m, y))
            woche->push_back(t);
    }
    return woche;
}

}  // namespace

std::unique_ptr<c_Schuelerliste> c_Schulverwaltung::getSchuelerDerKlasse(const c_Klasse* k) {
    if (!k_database) return std::make_unique<c_Schuelerliste>();
    return k_database->getSchuelerliste()->getSchuelerKlasse(k);
}

std::unique_ptr<c_Raumliste> c_Schulverwaltung::getRaeumeFuerFach(const c_Fach* f) {
    auto raeume = std::make_unique<c_Raumliste>();
    if (!k_database) return raeume;
    for (c_Raum* r : *k_database->getRaumliste()) {
        if (!r || !r->getFachliste()) continue;
        for (const c_Fach* e : *r->getFachliste())
            if (e == f && r->isAktiv()) raeume->push_back(r);
    }
    return raeume;
}

namespace {
// Whether a weekly appointment whose link (room, class or teacher) is `wer`
// covers that weekday and lesson.
template <class T>
bool belegt(c_Database* db, const std::string& wochentag, int stunde, const T* wer, T* (c_Termin::*link)() const) {
    if (!db) return false;
    for (const c_Dauertermin* t : *db->getDauerterminliste())
        if (t && (t->*link)() == wer && liegtIn(t, wochentag, stunde)) return true;
    return false;
}
}  // namespace

bool c_Schulverwaltung::isRaumBelegt(const std::string& wochentag, int stunde, const c_Raum* r) {
    return belegt(k_database.get(), wochentag, stunde, r, &c_Termin::getRaum);
}

bool c_Schulverwaltung::isKlasseBelegt(const std::string& wochentag, int stunde, const c_Klasse* k) {
    return belegt(k_database.get(), wochentag, stunde, k, &c_Termin::getKlasse);
}

bool c_Schulverwaltung::isLehrerBelegt(const std::string& wochentag, int stunde, const c_Lehrer* l) {
    return belegt(k_database.get(), wochentag, stunde, l, &c_Termin::getLehrer);
}

c_Dauertermin* c_Schulverwaltung::getDauerterminVorher(const std::string& wochentag, int stunde, const c_Raum* r) {
    if (!k_database || stunde < 2) return nullptr;
    c_Dauertermin* vorher = nullptr;
    for (c_Dauertermin* t : *k_database->getDauerterminliste())
        if (t && t->getRaum() == r && liegtIn(t, wochentag, stunde - 1)) vorher = t;
    return vorher;
}

c_Lehrer* c_Schulverwaltung::findLehrerFuerFach(const c_Fach* f, int stunden) {
    if (!k_database) return nullptr;
    c_Lehrer* kandidat = nullptr;
    for (c_Lehrer* l : *k_database->getLehrerliste()) {
        if (!l || !l->getFachliste()) continue;
        for (const c_Fach* e : *l->getFachliste()) {
            if (e != f) continue;
            const long long vergeben = l->getVergebeneStunden();
            const long long pflicht = l->getPflichtstunden();
            if (vergeben < pflicht && !l->isBeurlaubt() && vergeben + stunden <= pflicht) kandidat = l;
        }
    }
    return kandidat;
}

std::unique_ptr<c_Raumliste> c_Schulverwaltung::getFreieRaeume() {
    auto raeume = std::make_unique<c_Raumliste>();
    if (!k_database) return raeume;
    auto geeignet = [this](const c_Raum* r) { return r && r->isAktiv() && !isKlassenraum(r); };
    auto ohneFaecher = [](const c_Raum* r) { return !r->getFachliste() || r->getFachliste()->empty(); };
    for (c_Raum* r : *k_database->getRaumliste())
        if (geeignet(r) && ohneFaecher(r)) raeume->push_back(r);
    for (c_Raum* r : *k_database->getRaumliste())
        if (geeignet(r) && !ohneFaecher(r)) raeume->push_back(r);
    return raeume;
}

int c_Schulverwaltung::getGeplanteStunden(const c_Klasse* k, const c_Fach* f) {
    if (!k_database) return 0;
    long long summe = 0;
    const std::unique_ptr<c_Dauerterminliste> termine = k_database->getDauerterminliste()->getTermineKlasse(k);
    for (const c_Dauertermin* t : *termine)
        if (t->getFach() == f) summe += static_cast<long long>(t->getEStd()) - t->getAStd() + 1;
    return text::saturatedInt(summe);
}

bool c_Schulverwaltung::isKlassenraum(const c_Raum* r) {
    if (!k_database || !r) return false;
    return k_database->getKlassenliste()->hasKlassenraum(r);
}

bool c_Schulverwaltung::existsRaumname(const c_Raum* r) {
    if (!k_database || !r) return false;
    for (const c_Raum* e : *k_database->getRaumliste())
        if (e && e != r && text::equals(e->getName(), r->getName())) return true;
    return false;
}

std::unique_ptr<c_Einzelterminliste> c_Schulverwaltung::getEinzeltermineKlasse(int tag, int monat, int jahr,
                                                                               const c_Klasse* k) {
    if (!k_database) return std::make_unique<c_Einzelterminliste>();
    return inWoche<c_Einzelterminliste>(k_database->getEinzelterminliste()->getTermineKlasse(k), tag, monat, jahr);
}
std::unique_ptr<c_Einzelterminliste> c_Schulverwaltung::getEinzeltermineLehrer(int tag, int monat, int jahr,
                                                                               const c_Lehrer* l) {
    if (!k_database) return std::make_unique<c_Einzelterminliste>();
    return inWoche<c_Einzelterminliste>(k_database->getEinzelterminliste()->getTermineLehrer(l), tag, monat, jahr);
}
std::unique_ptr<c_Einzelterminliste> c_Schulverwaltung::getEinzeltermineRaum(int tag, int monat, int jahr,
                                                                             const c_Raum* r) {
    if (!k_database) return std::make_unique<c_Einzelterminliste>();
    return inWoche<c_Einzelterminliste>(k_database->getEinzelterminliste()->getTermineRaum(r), tag, monat, jahr);
}
std::unique_ptr<c_Vertretungsterminliste> c_Schulverwaltung::getVertretungstermineKlasse(int tag, int monat, int jahr,
                                                                                         const c_Klasse* k) {
    if (!k_database) return std::make_unique<c_Vertretungsterminliste>();
    return inWoche<c_Vertretungsterminliste>(k_database->getVertretungsterminliste()->getTermineKlasse(k), tag, monat,
                                             jahr);
}
std::unique_ptr<c_Vertretungsterminliste> c_Schulverwaltung::getVertretungstermineLehrer(int tag, int monat, int jahr,
                                                                                         const c_Lehrer* l) {
    if (!k_database) return std::make_unique<c_Vertretungsterminliste>();
    return inWoche<c_Vertretungsterminliste>(k_database->getVertretungsterminliste()->getTermineLehrer(l), tag, monat,
                                             jahr);
}
std::unique_ptr<c_Vertretungsterminliste> c_Schulverwaltung::getVertretungstermineRaum(int tag, int monat, int jahr,
                                                                                       const c_Raum* r) {
    if (!k_database) return std::make_unique<c_Vertretungsterminliste>();
    return inWoche<c_Vertretungsterminliste>(k_database->getVertretungsterminliste()->getTermineRaum(r), tag, monat,
                                             jahr);
}

void c_Schulverwaltung::deleteVertretungenZeitraum(const c_Lehrer* l, int vtag, int vmonat, int vjahr, int btag,
                                                   int bmonat, int bjahr) {
    if (!k_database) return;
    int ht, hm, hj;
    getHeute(&ht, &hm, &hj);
    if (isDatumGroesserGleich(ht, hm, hj, vtag, vmonat, vjahr)) {
        vtag = ht;
        vmonat = hm;
        vjahr = hj;
    }
    if (!l) return;
    k_database->deleteVertretungstermineWenn([&](const c_Vertretungstermin* t) {
        if (t->getVertretenerLehrer() != l) return false;
        int d, m, y;
        t->getDatum(&d, &m, &y);
        return isDatumGroesserGleich(d, m, y, vtag, vmonat, vjahr) && isDatumGroesserGleich(btag, bmonat, bjahr, d, m, y);
    });
}

void c_Schulverwaltung::deleteVertretungenAbHeute(const c_Lehrer* l) {
    if (!k_database) return;
    int ht, hm, hj;
    getHeute(&ht, &hm, &hj);
    if (!l) return;
    k_database->deleteVertretungstermineWenn([&](const c_Vertretungstermin* t) {
        if (t->getVertretenerLehrer() != l) return false;
        int d, m, y;
        t->getDatum(&d, &m, &y);
        return isDatumGroesserGleich(d, m, y, ht, hm, hj);
    });
}
