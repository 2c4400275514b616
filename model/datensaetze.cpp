#include "model/datensaetze.h"

#include "platform/text.h"

#include <tuple>

const char* const WOCHENTAGE[8] = {"",        "Montag",  "Dienstag", "Mittwoch",
                                   "Donnerstag", "Freitag", "Samstag",  "Sonntag"};

namespace {
const c_Datenliste& felderOderLeer(const std::unique_ptr<c_Datenliste>& f) {
    static const c_Datenliste leer;
    return f ? *f : leer;
}
}  // namespace

const std::string& c_person::getVorname() const { return felderOderLeer(k_felder).getString("VORNAME"); }
const std::string& c_person::getName() const { return felderOderLeer(k_felder).getString("NAME"); }

c_Schueler::~c_Schueler() {
    k_zensuren.deleteAll();
    k_fehlzeiten.deleteAll();
}

c_Lehrer::~c_Lehrer() { k_fehlzeiten.deleteAll(); }

int c_Lehrer::getPflichtstunden() const { return felderOderLeer(k_felder).getInt("PFLICHTSTUNDEN"); }
bool c_Lehrer::isBeurlaubt() const { return felderOderLeer(k_felder).getBool("URLAUB"); }

bool c_Lehrer::isAbwesend(int tag, int monat, int jahr) const {
    auto key = [](int t, int m, int j) { return std::tuple<int, int, int>(j, m, t); };
    const auto datum = key(tag, monat, jahr);
    for (const c_Fehlzeit* f : k_fehlzeiten) {
        if (!f) continue;
        int at, am, aj, et, em, ej;
        f->getBeginn(&at, &am, &aj);
        f->getEnde(&et, &em, &ej);
        if (key(at, am, aj) <= datum && datum <= key(et, em, ej)) return true;
    }
    return false;
}

void c_Klasse::setJahrgang(int j) {
    if (k_felder) k_felder->setInt("JAHRGANG", j);
}
int c_Klasse::getJahrgang() const { return felderOderLeer(k_felder).getInt("JAHRGANG"); }
char c_Klasse::getBez() const { return text::firstCharCode(felderOderLeer(k_felder).getString("BEZ")); }
void c_Klasse::setBez(char bez) {
    if (k_felder) k_felder->setString("BEZ", text::cp1252Char(static_cast<unsigned char>(bez)));
}
void c_Klasse::setName(std::string name) {
    if (k_felder) k_felder->setString("NAME", std::move(name));
}
const std::string& c_Klasse::getName() const { return felderOderLeer(k_felder).getString("NAME"); }

const std::string& c_Raum::getName() const { return felderOderLeer(k_felder).getString("NAME"); }
void c_Raum::setAktiv(bool a) {
    if (k_felder) k_felder->setBool("AKTIV", a);
}
bool c_Raum::isAktiv() const { return felderOderLeer(k_felder).getBool("AKTIV"); }

bool c_Raum::equals(const c_Raum* other) const {
    if (!other) return true;
    const c_Datenliste& a = felderOderLeer(k_felder);
    const c_Datenliste& b = felderOderLeer(other->k_felder);
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const c_datatype* fa = a.at(i);
        const c_datatype* fb = b.at(i);
        if (!fa || !fb || fa->getTyp() != fb->getTyp()) return false;
        switch (fa->getTyp()) {
        case TYP_INT:
            if (static_cast<const c_IntObj*>(fa)->getWert() != static_cast<const c_IntObj*>(fb)->getWert())
                return false;
            break;
        case TYP_BOOL:
            if (static_cast<const c_BoolObj*>(fa)->getWert() != static_cast<const c_BoolObj*>(fb)->getWert())
                return false;
            break;
        case TYP_STRING:
            if (!text::equals(static_cast<const c_StringObj*>(fa)->text(),
                              static_cast<const c_StringObj*>(fb)->text()))
                return false;
            break;
        default: break;
        }
    }
    const c_Fachliste* eigene = k_faecher.get();
    return eigene ? eigene->intersects(other->k_faecher.get()) : false;
}

bool c_Fach::equals(const c_Fach* other) const { return other && text::equals(k_name, other->k_name); }

void c_Fehlzeit::getBeginn(int* tag, int* monat, int* jahr) const {
    const c_Datenliste& f = felderOderLeer(k_felder);
    *tag = f.getInt("ATAG");
    *monat = f.getInt("AMONAT");
    *jahr = f.getInt("AJAHR");
}

void c_Fehlzeit::getEnde(int* tag, int* monat, int* jahr) const {
    const c_Datenliste& f = felderOderLeer(k_felder);
    *tag = f.getInt("ETAG");
    *monat = f.getInt("EMONAT");
    *jahr = f.getInt("EJAHR");
}

void c_Termin::setAStd(int v) {
    if (k_felder) k_felder->setInt("ASTD", v);
}
int c_Termin::getAStd() const { return felderOderLeer(k_felder).getInt("ASTD"); }
void c_Termin::setEStd(int v) {
    if (k_felder) k_felder->setInt("ESTD", v);
}
int c_Termin::getEStd() const { return felderOderLeer(k_felder).getInt("ESTD"); }

void c_Termin::copyFrom(const c_Termin& t) {
    k_klasse = t.k_klasse;
    k_raum = t.k_raum;
    k_lehrer = t.k_lehrer;
    k_fach = t.k_fach;
    k_dauertermin = t.k_dauertermin;
    k_eingeordnet = false;
    k_felder = std::make_unique<c_Datenliste>(felderOderLeer(t.k_felder));
}

void c_Einzeltermin::setDatum(int tag, int monat, int jahr) {
    if (!k_felder) return;
    k_felder->setInt("TAG", tag);
    k_felder->setInt("MONAT", monat);
    k_felder->setInt("JAHR", jahr);
}

void c_Einzeltermin::getDatum(int* tag, int* monat, int* jahr) const {
    const c_Datenliste& f = felderOderLeer(k_felder);
    *tag = f.getInt("TAG");
    *monat = f.getInt("MONAT");
    *jahr = f.getInt("JAHR");
}

void c_Einzeltermin::setName(std::string name) {
    if (k_felder) k_felder->setString("NAME", std::move(name));
}
const std::string& c_Einzeltermin::getName() const { return felderOderLeer(k_felder).getString("NAME"); }

std::unique_ptr<c_Einzeltermin> c_Einzeltermin::kopie() const {
    auto t = std::make_unique<c_Einzeltermin>();
    t->copyFrom(*this);
    return t;
}

int c_Dauertermin::getWochentagNummer() const {
    for (int i = 1; i <= 5; ++i)
        if (text::equals(k_wochentag, WOCHENTAGE[i])) return i;
    return 6;
}

std::unique_ptr<c_Dauertermin> c_Dauertermin::kopie() const {
    auto t = std::make_unique<c_Dauertermin>();
    t->copyFrom(*this);
    t->k_dauertermin = true;
    t->k_wochentag = k_wochentag;
    return t;
}
