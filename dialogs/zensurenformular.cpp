#include "dialogs/zensurenformular.h"

#include "dialogs/auswahl.h"
#include "model/anzeige.h"
#include "model/schulverwaltung/schulverwaltung.h"

namespace {
const char* const KEIN_SCHUELER = "Zensurendialog: changeselection: Schüler ist NULL";
}  // namespace

ZensurenFormular::ZensurenFormular(c_Schulverwaltung* sv, c_Schueler* schueler, c_Klasse* klasse)
    : k_schulverwaltung(sv), k_gewaehlterSchueler(schueler), k_gewaehlteKlasse(klasse),
      k_vorlage(sv->getZensurStruktur()) {}

ZensurenFormular::Start ZensurenFormular::start() const {
    Start s;
    c_Schulverwaltung* sv = k_schulverwaltung;
    if (sv->getFachliste()->empty()) {
        s.fehler = "Es exsistieren keine Fächer.\nBevor Sie Zensuren eingeben können müssen Sie\nunter den "
                   "Einstellungen Fächer angelegt haben.";
    } else if (sv->getSchuelerliste()->empty()) {
        s.fehler = "Es exsistieren keine Schüler.\nBevor Sie Zensuren eingeben können müssen Sie\nSchüler angelegt "
                   "haben.";
    } else if (!k_gewaehlteKlasse && !k_gewaehlterSchueler) {
        s.fehler = "Sie müssen entweder eine Klasse in\nder Klassenansicht auswählen oder einen bereits\nangelegten "
                   "Schueler bearbeiten,\nbevor Sie Zensuren eingeben können.";
    } else if (k_gewaehlteKlasse) {
        const std::unique_ptr<c_Schuelerliste> klasse = sv->getSchuelerDerKlasse(k_gewaehlteKlasse);
        for (const c_Schueler* schueler : *klasse)
            s.schueler.push_back(vollname(*schueler));
        if (s.schueler.empty())
            s.fehler = "Sie können die Zensuren nicht bearbeiten,\nda sich in der Klasse keine Schüler befinden";
        else
            s.schuelerAuswahl = 0;
    } else {
        s.schueler.push_back(vollname(*k_gewaehlterSchueler));
        s.schuelerAuswahl = 0;
    }
    if (s.fehler.empty()) {
        for (const c_Fach* f : *sv->getFachliste()) s.faecher.push_back(fachText(f));
        s.fachAuswahl = 0;
    }
    return s;
}

c_Schueler* ZensurenFormular::aktuellerSchueler(int schuelerEintrag) const {
    if (k_gewaehlterSchueler) return k_gewaehlterSchueler;
    if (!k_gewaehlteKlasse || schuelerEintrag < 0) return nullptr;
    return k_schulverwaltung->getSchuelerDerKlasse(k_gewaehlteKlasse)->getSchueler(schuelerEintrag + 1);
}

c_Fach* ZensurenFormular::aktuellesFach(int fachEintrag) const {
    return fachEintrag < 0 ? nullptr : k_schulverwaltung->getFachliste()->getFach(fachEintrag + 1);
}

std::vector<std::vector<std::string>> ZensurenFormular::zeilen(int schuelerEintrag, int fachEintrag,
                                                               MeldungsSammler& m) const {
    std::vector<std::vector<std::string>> z;
    const c_Schueler* s = aktuellerSchueler(schuelerEintrag);
    if (!s) {
        m.einzeln(KEIN_SCHUELER, "Fehler!", FLAGS_HINWEIS);
        return z;
    }
    const std::unique_ptr<c_Zensurliste> zensuren = s->getZensurliste()->getZensurenFach(aktuellesFach(fachEintrag));
    for (const c_Zensur* zensur : *zensuren)
        z.push_back(zellen(zensur->getFelder()));
    return z;
}

void ZensurenFormular::hinzufuegen(const FormularWerte& werte, int schuelerEintrag, int fachEintrag,
                                   MeldungsSammler& m) {
    c_Schueler* s = aktuellerSchueler(schuelerEintrag);
    c_Fach* fach = aktuellesFach(fachEintrag);
    if (!s || !fach || !k_vorlage) return;
    if (!hatPlatz(s->getZensurliste()->size(), "Zensur", m)) return;
    MeldungsSammler pruefung = MeldungsSammler::gesammelt("Schüler");
    const bool passt = pruefeFormular(*k_vorlage, werte, pruefung, [](const FeldEingabe& e, MeldungsSammler& ms) {
        if (!e.ist("ZENSUR") || !e.leer()) return true;
        ms.melde("Sie müssen eine Zensur eingeben\nbevor Sie sie hinzufügen können.");
        return false;
    });
    m.uebernimm(pruefung);
    if (!passt) return;
    auto zensur = std::make_unique<c_Zensur>();
    zensur->setFelder(neueFelder(*k_vorlage, werte));
    zensur->setFach(fach);
    s->getZensurliste()->push_back(zensur.release());
    k_schulverwaltung->meldeAenderung();
}

void ZensurenFormular::loeschen(int zeile, int schuelerEintrag, int fachEintrag, MeldungsSammler& m) {
    if (zeile < 0) {
        m.einzeln("Sie müssen eine Zensur markieren,\nbevor Sie sie entfernen können.", "Fehler", FLAGS_FEHLER);
        return;
    }
    c_Schueler* s = aktuellerSchueler(schuelerEintrag);
    if (!s) return;
    c_Zensur* z = s->getZensurliste()->getZensurenFach(aktuellesFach(fachEintrag))->getZensur(zeile + 1);
    if (!z) return;  // a row past the end of the list
    s->getZensurliste()->remove(z);
    delete z;
    k_schulverwaltung->meldeAenderung();
}
