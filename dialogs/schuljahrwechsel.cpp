#include "dialogs/schuljahrwechsel.h"

#include "dialogs/auswahl.h"
#include "model/schulverwaltung/schulverwaltung.h"

namespace {
std::string zeile(const c_Schueler* s) { return s->getName() + ", " + s->getVorname(); }
}  // namespace

std::vector<std::string> SchuljahrwechselFormular::klassenEintraege() const {
    return ::klassenEintraege(k_schulverwaltung, nullptr);
}

std::unique_ptr<c_Schuelerliste> SchuljahrwechselFormular::schuelerDerKlasse(int klasse) const {
    const c_Klasse* k = klasse < 0 ? nullptr : k_schulverwaltung->getKlassenliste()->getKlasse(klasse + 1);
    if (!k) return std::make_unique<c_Schuelerliste>();
    return k_schulverwaltung->getSchuelerDerKlasse(k);
}

std::vector<std::string> SchuljahrwechselFormular::schuelerZeilen(int klasse) const {
    std::vector<std::string> z;
    const std::unique_ptr<c_Schuelerliste> schueler = schuelerDerKlasse(klasse);
    for (const c_Schueler* s : *schueler) z.push_back(zeile(s));
    return z;
}

std::vector<std::string> SchuljahrwechselFormular::sitzenbleiberZeilen() const {
    std::vector<std::string> z;
    for (const c_Schueler* s : k_sitzenbleiber) z.push_back(zeile(s) + " [" + klassenEintrag(s->getKlasse()) + "]");
    return z;
}

void SchuljahrwechselFormular::hinzufuegen(int klasse, int zeile, MeldungsSammler& m) {
    if (zeile < 0) {
        m.einzeln("Sie müssen erst einen Schüler markieren.", "Fehler", FLAGS_FEHLER);
        return;
    }
    const std::unique_ptr<c_Schuelerliste> schueler = schuelerDerKlasse(klasse);
    c_Schueler* s = schueler->getSchueler(zeile + 1);
    if (!s) return;
    if (k_sitzenbleiber.holds(s)) {
        m.einzeln("Dieser Schüler ist bereits in die\nListe der Sitzenbleiber aufgenommen.", "Fehler", FLAGS_FEHLER);
        return;
    }
    k_sitzenbleiber.push_back(s);
}

void SchuljahrwechselFormular::entfernen(int zeile, MeldungsSammler& m) {
    if (k_sitzenbleiber.empty() || zeile < 0) {
        m.einzeln("Sie müssen einen Schüler in der rechten\nListe markieren.", "Fehler", FLAGS_FEHLER);
        return;
    }
    if (static_cast<std::size_t>(zeile) < k_sitzenbleiber.size()) k_sitzenbleiber.eraseAt(static_cast<std::size_t>(zeile));
}

void SchuljahrwechselFormular::ausfuehren(bool zensurenLoeschen) {
    k_schulverwaltung->changeSchuljahr(&k_sitzenbleiber, zensurenLoeschen);
}
