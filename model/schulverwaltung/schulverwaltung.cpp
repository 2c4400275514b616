#include "model/schulverwaltung/schulverwaltung.h"

#include "platform/textfile.h"

#include <type_traits>

c_Schulverwaltung::c_Schulverwaltung() {
    std::string fehler;
    reset(&fehler);
}

c_Schulverwaltung::~c_Schulverwaltung() = default;

void c_Schulverwaltung::reset(std::string* fehler) {
    k_database.reset();
    k_database = std::make_unique<c_Database>(nullptr, fehler);
}

bool c_Schulverwaltung::load(const char* dateiname, std::string* fehler) {
    k_database.reset();
    k_database = std::make_unique<c_Database>(dateiname, fehler);
    return dateiname && k_database->isGeladen() && k_database->getGeleseneDatei() == dateiname;
}

bool c_Schulverwaltung::reload(const char* dateiname, std::string* fehler) {
    if (!dateiname) return false;
    std::string meldungen;
    auto neu = std::make_unique<c_Database>(dateiname, &meldungen);
    const bool gelesen = neu->isGeladen() && neu->getGeleseneDatei() == dateiname;
    if (!gelesen && meldungen.empty())
        meldungen = std::string("Die Datei ") + dateiname +
                    (text::fileExists(dateiname) ? " konnte nicht geladen werden.\n" : " wurde nicht gefunden.\n");
    if (fehler) *fehler += meldungen;
    if (!gelesen || !meldungen.empty()) return false;
    k_database = std::move(neu);
    return true;
}

int c_Schulverwaltung::save(const char* dateiname) { return save(dateiname, nullptr); }

int c_Schulverwaltung::save(const char* dateiname, const char* vorbild) {
    if (!k_database || !dateiname) return 0;
    return k_database->save(dateiname, vorbild ? vorbild : "") ? 1 : 0;
}

void c_Schulverwaltung::clear() {
    if (k_database) k_database->clear();
}

// ---------------------------------------------------------------- forwarding

#define SV_FORWARD(ergebnis, name, param, aufruf, leer) \
    ergebnis c_Schulverwaltung::name(param) { return k_database ? (aufruf) : (leer); }

SV_FORWARD(bool, addSchueler, std::unique_ptr<c_Schueler>& s, k_database->insertSchueler(s) != 0, false)
SV_FORWARD(bool, addLehrer, std::unique_ptr<c_Lehrer>& l, k_database->insertLehrer(l) != 0, false)
SV_FORWARD(bool, addKlasse, std::unique_ptr<c_Klasse>& k, k_database->insertKlasse(k) != 0, false)
SV_FORWARD(bool, addRaum, std::unique_ptr<c_Raum>& r, k_database->insertRaum(r) != 0, false)
SV_FORWARD(bool, addFach, std::unique_ptr<c_Fach>& f, k_database->insertFach(f) != 0, false)
SV_FORWARD(bool, addWunsch, std::unique_ptr<c_Wunsch>& w, k_database->insertWunsch(w) != 0, false)

SV_FORWARD(int, updateSchueler, c_Schueler* s, k_database->replaceSchueler(s), 0)
SV_FORWARD(int, updateLehrer, c_Lehrer* l, k_database->replaceLehrer(l), 0)
SV_FORWARD(int, updateRaum, c_Raum* r, k_database->replaceRaum(r), 0)
SV_FORWARD(int, updateKlasse, c_Klasse* k, k_database->replaceKlasse(k), 0)
SV_FORWARD(int, updateEinzeltermin, c_Einzeltermin* t, k_database->replaceEinzeltermin(t), 0)
SV_FORWARD(int, updateDauertermin, c_Dauertermin* t, k_database->replaceDauertermin(t), 0)
SV_FORWARD(int, updateVertretungstermin, c_Vertretungstermin* t, k_database->replaceVertretungstermin(t), 0)

SV_FORWARD(bool, deleteSchueler, c_Schueler* s, k_database->deleteSchueler(s), false)
SV_FORWARD(bool, deleteLehrer, c_Lehrer* l, k_database->deleteLehrer(l), false)
SV_FORWARD(bool, deleteKlasse, c_Klasse* k, k_database->deleteKlasse(k), false)
SV_FORWARD(bool, deleteRaum, c_Raum* r, k_database->deleteRaum(r), false)
SV_FORWARD(bool, deleteFach, c_Fach* f, k_database->deleteFach(f) != 0, false)
SV_FORWARD(bool, deleteEinzeltermin, c_Einzeltermin* t, k_database->deleteEinzeltermin(t), false)
SV_FORWARD(bool, deleteDauertermin, c_Dauertermin* t, k_database->deleteDauertermin(t), false)
SV_FORWARD(bool, deleteVertretungstermin, c_Vertretungstermin* t, k_database->deleteVertretungstermin(t), false)
SV_FORWARD(bool, deleteWunsch, c_Wunsch* w, k_database->deleteWunsch(w) != 0, false)

SV_FORWARD(c_Schuelerliste*, getSchuelerliste, , k_database->getSchuelerliste(), nullptr)
SV_FORWARD(c_Lehrerliste*, getLehrerliste, , k_database->getLehrerliste(), nullptr)
SV_FORWARD(c_Klassenliste*, getKlassenliste, , k_database->getKlassenliste(), nullptr)
SV_FORWARD(c_Raumliste*, getRaumliste, , k_database->getRaumliste(), nullptr)
SV_FORWARD(c_Fachliste*, getFachliste, , k_database->getFachliste(), nullptr)
SV_FORWARD(c_Curriculum*, getCurriculum, , k_database->getCurriculum(), nullptr)
SV_FORWARD(c_Einzelterminliste*, getEinzelterminliste, , k_database->getEinzelterminliste(), nullptr)
SV_FORWARD(c_Dauerterminliste*, getDauerterminliste, , k_database->getDauerterminliste(), nullptr)
SV_FORWARD(c_Vertretungsterminliste*, getVertretungsterminliste, , k_database->getVertretungsterminliste(), nullptr)

SV_FORWARD(c_Datenliste*, getSchuelerStruktur, , k_database->getSchuelerStruktur(), nullptr)
SV_FORWARD(c_Datenliste*, getLehrerStruktur, , k_database->getLehrerStruktur(), nullptr)
SV_FORWARD(c_Datenliste*, getRaumStruktur, , k_database->getRaumStruktur(), nullptr)
SV_FORWARD(c_Datenliste*, getEinzelterminStruktur, , k_database->getEinzelterminStruktur(), nullptr)
SV_FORWARD(c_Datenliste*, getDauerterminStruktur, , k_database->getDauerterminStruktur(), nullptr)
SV_FORWARD(c_Datenliste*, getVertretungsterminStruktur, , k_database->getVertretungsterminStruktur(), nullptr)
SV_FORWARD(c_Datenliste*, getKlasseStruktur, , k_database->getKlasseStruktur(), nullptr)
SV_FORWARD(c_Datenliste*, getZensurStruktur, , k_database->getZensurStruktur(), nullptr)
SV_FORWARD(c_Datenliste*, getFehlzeitStruktur, , k_database->getFehlzeitStruktur(), nullptr)

SV_FORWARD(std::unique_ptr<c_Dauerterminliste>, getDauertermineKlasse, const c_Klasse* k,
           k_database->getDauertermineKlasse(k), nullptr)
SV_FORWARD(std::unique_ptr<c_Dauerterminliste>, getDauertermineLehrer, const c_Lehrer* l,
           k_database->getDauertermineLehrer(l), nullptr)
SV_FORWARD(std::unique_ptr<c_Dauerterminliste>, getDauertermineRaum, const c_Raum* r,
           k_database->getDauertermineRaum(r), nullptr)

SV_FORWARD(int, getMinKlasse, , k_database->getMinKlasse(), 0)
SV_FORWARD(int, getMaxKlasse, , k_database->getMaxKlasse(), 0)
SV_FORWARD(int, getNeuKlasse, , k_database->getNeuKlasse(), 0)
SV_FORWARD(bool, getSamstag, , k_database->getSamstag(), false)
SV_FORWARD(int, getStundenProTag, , k_database->getStundenProTag(), 0)

#undef SV_FORWARD

void c_Schulverwaltung::setMinKlasse(int v) {
    if (k_database) k_database->setMinKlasse(v);
}
void c_Schulverwaltung::setMaxKlasse(int v) {
    if (k_database) k_database->setMaxKlasse(v);
}
void c_Schulverwaltung::setNeuKlasse(int v) {
    if (k_database) k_database->setNeuKlasse(v);
}
void c_Schulverwaltung::setSamstag(bool v) {
    if (k_database) k_database->setSamstag(v);
}
void c_Schulverwaltung::setStundenProTag(int v) {
    if (k_database) k_database->setStundenProTag(v);
}

// ---------------------------------------------------------------- appointments

namespace {
// The proposal of the list for an appointment that collides.
std::unique_ptr<c_Einzeltermin> vorschlagFuer(c_Database&, const c_Einzelterminliste& liste, const c_Einzeltermin& t,
                                              const c_Einzeltermin* ausser) {
    return liste.findFreienTermin(&t, ausser);
}
std::unique_ptr<c_Dauertermin> vorschlagFuer(c_Database& db, const c_Dauerterminliste& liste, const c_Dauertermin& t,
                                             const c_Dauertermin* ausser) {
    return liste.findFreienTermin(&t, db.getStundenProTag(), ausser);
}

// The collision test shared by the adds and by changes.
template <class T, class L>
bool kollision(c_Database* db, L* liste, const T& t, const std::remove_cv_t<T>* ausser, std::unique_ptr<T>* vorschlag) {
    if (!db || liste->isFrei(&t, ausser)) return false;
    *vorschlag = vorschlagFuer(*db, *liste, t, ausser);
    return true;
}

template <class T, class L, class Insert>
std::unique_ptr<T> terminHinzufuegen(c_Database* db, L* liste, std::unique_ptr<T>& t, TerminErgebnis* ergebnis,
                                     Insert insert) {
    TerminErgebnis e;
    std::unique_ptr<T> vorschlag;
    if (!db || !t) {
        e = TerminErgebnis::KeineDatenbank;
    } else if (liste->size() >= c_Database::MAX_EINTRAEGE) {
        e = TerminErgebnis::Limit;
    } else if (kollision(db, liste, *t, nullptr, &vorschlag)) {
        e = TerminErgebnis::Kollision;
    } else {
        e = insert(t) ? TerminErgebnis::Gespeichert : TerminErgebnis::Limit;
    }
    if (ergebnis) *ergebnis = e;
    return vorschlag;
}
}  // namespace

std::unique_ptr<c_Einzeltermin> c_Schulverwaltung::addEinzeltermin(std::unique_ptr<c_Einzeltermin>& t,
                                                                   TerminErgebnis* ergebnis) {
    c_Database* db = k_database.get();
    return terminHinzufuegen(db, db ? db->getEinzelterminliste() : nullptr, t, ergebnis,
                             [db](std::unique_ptr<c_Einzeltermin>& u) { return db->insertEinzeltermin(u); });
}

std::unique_ptr<c_Dauertermin> c_Schulverwaltung::addDauertermin(std::unique_ptr<c_Dauertermin>& t,
                                                                 TerminErgebnis* ergebnis) {
    c_Database* db = k_database.get();
    return terminHinzufuegen(db, db ? db->getDauerterminliste() : nullptr, t, ergebnis,
                             [db](std::unique_ptr<c_Dauertermin>& u) { return db->insertDauertermin(u); });
}

bool c_Schulverwaltung::kollidiert(const c_Einzeltermin& t, const c_Einzeltermin* ausser,
                                   std::unique_ptr<c_Einzeltermin>* vorschlag) {
    c_Database* db = k_database.get();
    return kollision(db, db ? db->getEinzelterminliste() : nullptr, t, ausser, vorschlag);
}

bool c_Schulverwaltung::kollidiert(const c_Dauertermin& t, const c_Dauertermin* ausser,
                                   std::unique_ptr<c_Dauertermin>* vorschlag) {
    c_Database* db = k_database.get();
    return kollision(db, db ? db->getDauerterminliste() : nullptr, t, ausser, vorschlag);
}

bool c_Schulverwaltung::addVertretungstermin(std::unique_ptr<c_Vertretungstermin>& t) {
    if (!k_database || k_database->getVertretungsterminliste()->size() >= c_Database::MAX_EINTRAEGE) return false;
    return k_database->insertVertretungstermin(t) != 0;
}

std::unique_ptr<c_Raumliste> c_Schulverwaltung::getAktiveRaeume() {
    auto aktive = std::make_unique<c_Raumliste>();
    if (!k_database) return aktive;
    for (c_Raum* r : *k_database->getRaumliste())
        if (r && r->isAktiv()) aktive->push_back(r);
    return aktive;
}

bool c_Schulverwaltung::deactivateRaum(c_Raum* r) {
    if (!k_database || !r) return false;
    if (k_database->getKlassenliste()->hasKlassenraum(r) || !k_database->getEinzelterminliste()->getTermineRaum(r)->empty() ||
        !k_database->getDauerterminliste()->getTermineRaum(r)->empty() ||
        !k_database->getVertretungsterminliste()->getTermineRaum(r)->empty())
        return false;
    r->setAktiv(false);
    k_database->getRaumliste()->geaendert();
    return true;
}
