#include "planning/stundenplanerstellung.h"

#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"
#include "platform/zufall.h"

Stundenplanerstellung::Stundenplanerstellung(c_Schulverwaltung* schulverwaltung, std::string* fehlertext)
    : k_schulverwaltung(schulverwaltung),
      k_tageProWoche(schulverwaltung && schulverwaltung->getSamstag() ? 6 : 5),
      k_stundenProTag(schulverwaltung ? schulverwaltung->getStundenProTag() : 0),
      k_fehlertext(fehlertext),
      k_statustext(std::make_unique<std::string>()) {}

Stundenplanerstellung::~Stundenplanerstellung() { warte(); }

const char* Stundenplanerstellung::getWochentag(int n) {
    switch (n) {
    case 1: return "Montag";
    case 2: return "Dienstag";
    case 3: return "Mittwoch";
    case 4: return "Donnerstag";
    case 5: return "Freitag";
    default: return "Samstag";
    }
}

void Stundenplanerstellung::stopErstellung(bool flag) {
    k_abbruch.store(flag, std::memory_order_release);
    std::lock_guard<std::mutex> sperre(k_fehlerSperre);
    if (k_fehlertext) *k_fehlertext = "Abbruch durch Benutzer.\n";
}

std::string Stundenplanerstellung::getFehlertextKopie() const {
    std::lock_guard<std::mutex> sperre(k_fehlerSperre);
    return k_fehlertext ? *k_fehlertext : std::string();
}

std::string Stundenplanerstellung::getStatusAnzeige() const {
    std::lock_guard<std::mutex> sperre(k_statusSperre);
    return k_statusAnzeige;
}

void Stundenplanerstellung::fehlerAnhaengen(const std::string& text) {
    std::lock_guard<std::mutex> sperre(k_fehlerSperre);
    if (k_fehlertext) k_fehlertext->append(text);
}

void Stundenplanerstellung::fehlerAnhaengenWennKuerzer(std::size_t n, const std::string& text) {
    std::lock_guard<std::mutex> sperre(k_fehlerSperre);
    if (k_fehlertext && text::charCount(*k_fehlertext) < n) k_fehlertext->append(text);
}

bool Stundenplanerstellung::fehlertextLeerenWenn(const std::string& erwartet) {
    std::lock_guard<std::mutex> sperre(k_fehlerSperre);
    if (!k_fehlertext || *k_fehlertext != erwartet) return false;
    k_fehlertext->clear();
    return true;
}

bool Stundenplanerstellung::isFehlertextLeer() const {
    std::lock_guard<std::mutex> sperre(k_fehlerSperre);
    return !k_fehlertext || k_fehlertext->empty();
}

void Stundenplanerstellung::zeigeStatus() {
    {
        std::lock_guard<std::mutex> sperre(k_statusSperre);
        k_statusAnzeige = *k_statustext;
    }
    k_statusAnzahl.fetch_add(1, std::memory_order_relaxed);
}

std::unique_ptr<c_Dauertermin> Stundenplanerstellung::neuerDauertermin() const {
    auto t = std::make_unique<c_Dauertermin>();
    const c_Datenliste* vorlage = k_schulverwaltung ? k_schulverwaltung->getDauerterminStruktur() : nullptr;
    t->setFelder(vorlage ? std::make_unique<c_Datenliste>(*vorlage) : std::make_unique<c_Datenliste>());
    t->setDauertermin(true);
    return t;
}

bool hatIntFelder(const c_Datenliste* vorlage, std::initializer_list<const char*> schluessel) {
    if (!vorlage) return false;
    for (const char* k : schluessel) {
        const c_datatype* feld = vorlage->findField(k);
        if (!feld || feld->getTyp() != TYP_INT) return false;
    }
    return true;
}

bool Stundenplanerstellung::pruefeVorlage() {
    if (!k_schulverwaltung || !k_schulverwaltung->getDatabase()) return false;
    if (hatIntFelder(k_schulverwaltung->getDauerterminStruktur(), {"ASTD", "ESTD"})) return true;
    fehlerAnhaengen("Die Vorlage der Dauertermine enthält die Felder ASTD und ESTD nicht.\n");
    return false;
}

c_Raum* Stundenplanerstellung::waehleRaum(const c_Fach* fach, const c_Klasse* klasse,
                                          const std::function<bool(const c_Raum*)>& belegt) {
    c_Raum* gewaehlt = nullptr;
    auto kandidaten = k_schulverwaltung->getRaeumeFuerFach(fach);
    while (!gewaehlt && !kandidaten->empty()) {
        c_Raum* r = kandidaten->nth(zufall::waehle(static_cast<int>(kandidaten->size())));
        if (belegt(r))
            kandidaten->remove(r);
        else
            gewaehlt = r;
    }
    if (!gewaehlt && klasse && klasse->getKlassenraum()) gewaehlt = klasse->getKlassenraum();
    if (!gewaehlt) {
        kandidaten = k_schulverwaltung->getFreieRaeume();
        while (!gewaehlt && !kandidaten->empty()) {
            c_Raum* r = kandidaten->front();
            if (belegt(r))
                kandidaten->remove(r);
            else
                gewaehlt = r;
        }
    }
    return gewaehlt;
}
