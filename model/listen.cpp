#include "model/listen.h"

#include "model/datensaetze.h"
#include "platform/text.h"

#include <atomic>
#include <climits>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <utility>

std::uint64_t neuerListenStand() {
    static std::atomic<std::uint64_t> zaehler{0};
    return ++zaehler;
}

std::tuple<int, int, int> datumSchluessel(const c_Einzeltermin* t) {
    int tag, monat, jahr;
    t->getDatum(&tag, &monat, &jahr);
    return {jahr, monat, tag};
}

namespace {

template <class L, class Pred>
std::unique_ptr<L> filter(const L& quelle, Pred pred) {
    auto ergebnis = std::make_unique<L>();
    for (auto* p : quelle)
        if (p && pred(p)) ergebnis->push_back(p);
    return ergebnis;
}

// Sorts stably by a key computed once per record; records with equal keys
// keep their order, null entries go to the end.
template <class T, class KeyFn, class Less>
void stabilSortieren(std::vector<T*>& v, KeyFn key, Less less) {
    using Key = decltype(key(std::declval<T*>()));
    std::vector<std::pair<Key, T*>> paare;
    std::vector<T*> ohne;
    paare.reserve(v.size());
    for (T* p : v) {
        if (p)
            paare.emplace_back(key(p), p);
        else
            ohne.push_back(p);
    }
    std::stable_sort(paare.begin(), paare.end(),
                     [&](const std::pair<Key, T*>& a, const std::pair<Key, T*>& b) { return less(a.first, b.first); });
    v.clear();
    for (auto& pr : paare) v.push_back(pr.second);
    v.insert(v.end(), ohne.begin(), ohne.end());
}

using NamensSchluessel = std::pair<std::string, std::string>;
NamensSchluessel namensSchluessel(const c_person* p) { return {p->getName(), p->getVorname()}; }
bool namensSchluesselVor(const NamensSchluessel& a, const NamensSchluessel& b) {
    const int c = text::compare(a.first, b.first);
    return c != 0 ? c < 0 : text::compare(a.second, b.second) < 0;
}

bool textVor(const std::string& a, const std::string& b) { return text::compare(a, b) < 0; }

bool ueberlappt(const c_Termin* a, const c_Termin* b) {
    return a->getAStd() <= b->getEStd() && a->getEStd() >= b->getAStd();
}

}  // namespace

std::unique_ptr<c_Schuelerliste> c_Schuelerliste::getSchuelerKlasse(const c_Klasse* k) const {
    return filter(*this, [k](const c_Schueler* s) { return s->getKlasse() == k; });
}

void c_Schuelerliste::sort() {
    text::setIgnoreCase(true);
    stabilSortieren(elementeAendern(), namensSchluessel, namensSchluesselVor);
}

void c_Lehrerliste::sort() {
    text::setIgnoreCase(true);
    stabilSortieren(elementeAendern(), namensSchluessel, namensSchluesselVor);
}

void c_Klassenliste::remove(const c_Klasse* k) {
    auto it = std::find(elemente().begin(), elemente().end(), k);
    if (it != elemente().end()) eraseAt(static_cast<std::size_t>(it - elemente().begin()));
}

c_Klasse* c_Klassenliste::findKlasse(int jahrgang, char bez) const {
    for (c_Klasse* k : elemente())
        if (k && k->getJahrgang() == jahrgang && k->getBez() == bez) return k;
    return nullptr;
}

bool c_Klassenliste::hasKlassenraum(const c_Raum* r) const {
    for (const c_Klasse* k : elemente())
        if (k && k->getKlassenraum() == r) return true;
    return false;
}

bool c_Klassenliste::hasKlassenlehrer(const c_Lehrer* l) const {
    for (const c_Klasse* k : elemente())
        if (k && k->getKlassenlehrer() == l) return true;
    return false;
}

void c_Klassenliste::sort() {
    stabilSortieren(
        elementeAendern(), [](const c_Klasse* k) { return std::pair<int, int>(k->getJahrgang(), static_cast<signed char>(k->getBez())); },
        std::less<std::pair<int, int>>());
}

bool c_Raumliste::equals(const c_Raumliste* other) const {
    if (!other) return true;
    return elemente() == other->elemente();
}

void c_Raumliste::sort() {
    text::setIgnoreCase(true);
    stabilSortieren(elementeAendern(), [](const c_Raum* r) { return r->getName(); }, textVor);
}

bool c_Fachliste::intersects(const c_Fachliste* other) const {
    if (!other || empty() || other->empty()) return false;
    for (const c_Fach* a : elemente()) {
        if (!a) continue;
        for (const c_Fach* b : *other)
            if (a->equals(b)) return true;
    }
    return false;
}

void c_Fachliste::sort() {
    text::setIgnoreCase(true);
    stabilSortieren(elementeAendern(), [](const c_Fach* f) { return f->getName(); }, textVor);
}

std::unique_ptr<c_Zensurliste> c_Zensurliste::getZensurenFach(const c_Fach* f) const {
    return filter(*this, [f](const c_Zensur* z) { return z->getFach() == f; });
}

// ---- single appointments

std::unique_ptr<c_Einzelterminliste> c_Einzelterminliste::getTermineRaum(const c_Raum* r) const {
    return filter(*this, [r](const c_Termin* t) { return t->getRaum() == r; });
}
std::unique_ptr<c_Einzelterminliste> c_Einzelterminliste::getTermineLehrer(const c_Lehrer* l) const {
    return filter(*this, [l](const c_Termin* t) { return t->getLehrer() == l; });
}
std::unique_ptr<c_Einzelterminliste> c_Einzelterminliste::getTermineKlasse(const c_Klasse* k) const {
    return filter(*this, [k](const c_Termin* t) { return t->getKlasse() == k; });
}

bool c_Einzelterminliste::isFrei(const c_Einzeltermin* t, const c_Einzeltermin* ausser) const {
    const auto datum = datumSchluessel(t);
    for (const c_Einzeltermin* e : elemente())
        if (e && e != ausser && datumSchluessel(e) == datum && ueberlappt(e, t)) return false;
    return true;
}

namespace {
// Next day of the free-slot walk: every February has 28 days. An impossible
// date moves on to the next real one.
void naechsterTag(int& d, int& m, int& y) {
    static const int laenge[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1) {
        d = 1;
        m = 1;
        return;
    }
    if (m > 12) {
        d = 1;
        m = 1;
        if (y < INT_MAX) ++y;
        return;
    }
    if (d < 1) {
        d = 1;
        return;
    }
    // A day past the month's end (a stored INT_MAX among them) starts the next month.
    if (d >= laenge[m]) {
        d = 1;
        if (++m > 12) {
            m = 1;
            if (y < INT_MAX) ++y;
        }
        return;
    }
    ++d;
}
}  // namespace

std::unique_ptr<c_Einzeltermin> c_Einzelterminliste::findFreienTermin(const c_Einzeltermin* t,
                                                                     const c_Einzeltermin* ausser) const {
    // The dates taken by an entry whose lessons overlap; the lessons do not change on the walk.
    std::set<std::tuple<int, int, int>> belegt;
    for (const c_Einzeltermin* e : elemente())
        if (e && e != ausser && ueberlappt(e, t)) belegt.insert(datumSchluessel(e));
    auto vorschlag = t->kopie();
    int d, m, y;
    t->getDatum(&d, &m, &y);
    // Every step reaches a date not seen before, so a free one comes within size() + 1 dates;
    // only in the last year an int can count does the walk come round again, and it stops.
    for (std::size_t schritte = 0; belegt.count({y, m, d}) && schritte <= belegt.size() + 366; ++schritte)
        naechsterTag(d, m, y);
    vorschlag->setDatum(d, m, y);
    return vorschlag;
}

void c_Einzelterminliste::sort() {
    stabilSortieren(elementeAendern(), datumSchluessel, std::less<std::tuple<int, int, int>>());
}

// ---- substitutions

std::unique_ptr<c_Vertretungsterminliste> c_Vertretungsterminliste::getTermineRaum(const c_Raum* r) const {
    return filter(*this, [r](const c_Termin* t) { return t->getRaum() == r; });
}
std::unique_ptr<c_Vertretungsterminliste> c_Vertretungsterminliste::getTermineLehrer(const c_Lehrer* l) const {
    return filter(*this, [l](const c_Termin* t) { return t->getLehrer() == l; });
}
std::unique_ptr<c_Vertretungsterminliste> c_Vertretungsterminliste::getTermineKlasse(const c_Klasse* k) const {
    return filter(*this, [k](const c_Termin* t) { return t->getKlasse() == k; });
}

void c_Vertretungsterminliste::sort() {
    stabilSortieren(elementeAendern(), [](const c_Vertretungstermin* t) { return datumSchluessel(t); },
                    std::less<std::tuple<int, int, int>>());
}

// ---- weekly appointments

std::unique_ptr<c_Dauerterminliste> c_Dauerterminliste::getTermineRaum(const c_Raum* r) const {
    return filter(*this, [r](const c_Termin* t) { return t->getRaum() == r; });
}
std::unique_ptr<c_Dauerterminliste> c_Dauerterminliste::getTermineLehrer(const c_Lehrer* l) const {
    return filter(*this, [l](const c_Termin* t) { return t->getLehrer() == l; });
}
std::unique_ptr<c_Dauerterminliste> c_Dauerterminliste::getTermineKlasse(const c_Klasse* k) const {
    return filter(*this, [k](const c_Termin* t) { return t->getKlasse() == k; });
}

namespace {
// Whether the weekly appointment `e` stands in the way of `t`.
bool imWeg(const c_Dauertermin* e, const c_Dauertermin* t) {
    if (!e || !text::equals(e->getWochentag(), t->getWochentag()) || !ueberlappt(e, t)) return false;
    return e->getLehrer() == t->getLehrer() || e->getRaum() == t->getRaum() || e->getKlasse() == t->getKlasse();
}
}  // namespace

bool c_Dauerterminliste::isFrei(const c_Dauertermin* t, const c_Dauertermin* ausser) const {
    for (const c_Dauertermin* e : elemente())
        if (e != ausser && imWeg(e, t)) return false;
    return true;
}

std::unique_ptr<c_Dauertermin> c_Dauerterminliste::findFreienTermin(const c_Dauertermin* t, int stundenProTag,
                                                                    const c_Dauertermin* ausser) const {
    const long long len = static_cast<long long>(t->getEStd()) - t->getAStd();
    if (len < 0) return nullptr;  // a span that ends before it begins fits nowhere
    auto vorschlag = t->kopie();
    // Every start up to the last lesson of an entry in the way is in its way
    // as well, so the search goes on behind it: one step per entry at most,
    // whatever the lessons per day.
    for (long long start = 1; start + len <= stundenProTag;) {
        vorschlag->setAStd(static_cast<int>(start));
        vorschlag->setEStd(static_cast<int>(start + len));
        long long weiter = start;
        for (const c_Dauertermin* e : elemente())
            if (e != ausser && imWeg(e, vorschlag.get()))
                weiter = std::max(weiter, static_cast<long long>(e->getEStd()) + 1);
        if (weiter == start) return vorschlag;
        start = weiter;
    }
    return nullptr;
}

// ---- curriculum

std::unique_ptr<c_Fachliste> c_Curriculum::getFaecher(int jahrgang) const {
    auto faecher = std::make_unique<c_Fachliste>();
    for (const c_Wunsch* w : elemente())
        if (w && w->getJahrgang() == jahrgang && w->getFach()) faecher->push_back(w->getFach());
    return faecher;
}

void c_Curriculum::getStunden(int jahrgang, const c_Fach* f, int* stunden, int* stunden2) const {
    for (const c_Wunsch* w : elemente()) {
        if (w && w->getJahrgang() == jahrgang && w->getFach() == f) {
            *stunden = w->getStunden();
            *stunden2 = w->getStunden2();
        }
    }
}
