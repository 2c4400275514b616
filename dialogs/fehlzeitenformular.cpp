#include "dialogs/fehlzeitenformular.h"

#include "dialogs/auswahl.h"
#include "dialogs/datumpruefung.h"
#include "model/anzeige.h"
#include "model/datum.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"

namespace {

struct Datum {
    int tag = 0;
    int monat = 0;
    int jahr = 0;
    bool gueltig() const { return isTerminDatumKorrekt(tag, monat, jahr); }
};

// The part of `d` that the key `p` + "TAG", "MONAT" or "JAHR" names (whole key), or null.
int* datumsTeil(const std::string& key, const char* p, Datum& d) {
    const std::string pre(p);
    if (text::equals(key, pre + "TAG")) return &d.tag;
    if (text::equals(key, pre + "MONAT")) return &d.monat;
    if (text::equals(key, pre + "JAHR")) return &d.jahr;
    return nullptr;
}

bool anhaengen(c_Fehlzeitliste* liste, const c_Datenliste& vorlage, const FormularWerte& werte, MeldungsSammler& m) {
    if (!hatPlatz(liste->size(), "Fehlzeit", m)) return false;
    auto f = std::make_unique<c_Fehlzeit>();
    f->setFelder(neueFelder(vorlage, werte));
    liste->push_back(f.release());
    return true;
}

}  // namespace

FehlzeitenFormular::FehlzeitenFormular(c_Schulverwaltung* sv, c_Schueler* schueler, c_Lehrer* lehrer)
    : k_schulverwaltung(sv), k_schueler(schueler), k_lehrer(lehrer), k_vorlage(sv->getFehlzeitStruktur()) {}

std::string FehlzeitenFormular::caption() const {
    std::string c = "Fehlzeiten für ";
    if (k_schueler) c += vollname(*k_schueler);
    if (k_lehrer) c += vollname(*k_lehrer);
    return c;
}

std::string FehlzeitenFormular::startFehler() const {
    if (k_schulverwaltung->getLehrerliste()->empty() && k_schulverwaltung->getSchuelerliste()->empty())
        return "Es exsistieren weder Lehrer, noch Schüler.\nBevor Sie Fehlzeiten eingeben können müssen "
               "Sie\nentweder Lehrer oder Schüler angelegt haben.";
    if (!k_schueler && !k_lehrer)
        return "Sie müssen entweder einen Lehrer in\nder Lehreransicht oder einen Schueler bearbeiten,\nbevor Sie "
               "Fehlzeiten zuweisen können.";
    return std::string();
}

std::vector<std::vector<std::string>> FehlzeitenFormular::zeilen() const {
    std::vector<std::vector<std::string>> z;
    const c_Fehlzeitliste* liste =
        k_schueler ? k_schueler->getFehlzeitliste() : k_lehrer ? k_lehrer->getFehlzeitliste() : nullptr;
    if (!liste) return z;
    for (const c_Fehlzeit* f : *liste) z.push_back(zellen(f->getFelder()));
    return z;
}

void FehlzeitenFormular::hinzufuegen(const FormularWerte& werte, MeldungsSammler& m) {
    if (!k_vorlage) return;
    // Date parts the walk did not reach stay 0 and fail the range checks below.
    Datum beginn, ende;
    MeldungsSammler pruefung = MeldungsSammler::gesammelt("");
    pruefeFormular(*k_vorlage, werte, pruefung, [&](const FeldEingabe& e, MeldungsSammler& ms) {
        const std::string& key = e.feld().nameText();
        int* teil = datumsTeil(key, "A", beginn);
        const char* fehler = "Das Datum zum Fehlzeitbeginn ist nicht korrekt.";
        if (!teil) {
            teil = datumsTeil(key, "E", ende);
            fehler = "Das Datum zum Fehlzeitende ist nicht korrekt.";
        }
        if (!teil) return true;
        if (e.leer()) {
            ms.melde(fehler);
            return false;
        }
        *teil = e.zahl();
        return true;
    });
    if (!beginn.gueltig())
        pruefung.melde("Der Fehlzeitbeginn hat kein gültiges Datum.");
    else if (!ende.gueltig())
        pruefung.melde("Das Fehlzeitende hat kein gültiges Datum.");
    else if (!isDatumGroesserGleich(ende.tag, ende.monat, ende.jahr, beginn.tag, beginn.monat, beginn.jahr))
        pruefung.melde("Das Fehlzeitende liegt vor dem\nFehlzeitbeginn.");
    if (!pruefung.leer()) {
        m.uebernimm(pruefung);
        return;
    }
    if (k_schueler && !anhaengen(k_schueler->getFehlzeitliste(), *k_vorlage, werte, m)) return;
    if (k_lehrer) anhaengen(k_lehrer->getFehlzeitliste(), *k_vorlage, werte, m);
    k_schulverwaltung->meldeAenderung();
}

bool FehlzeitenFormular::fragtVorLoeschen(int zeile) const {
    return k_lehrer && zeile >= 0 && k_lehrer->getFehlzeitliste()->getFehlzeit(zeile + 1) != nullptr;
}

void FehlzeitenFormular::loeschen(int zeile, bool vertretungenLoeschen, MeldungsSammler& m) {
    if (zeile < 0) {
        m.einzeln("Sie müssen eine Fehlzeit markieren,\nbevor Sie sie entfernen können.", "Fehler", FLAGS_FEHLER);
        return;
    }
    auto entferne = [this, zeile](c_Fehlzeitliste* liste) {
        c_Fehlzeit* f = liste->getFehlzeit(zeile + 1);
        if (!f) return;  // a row past the end of the list
        liste->eraseAt(static_cast<std::size_t>(zeile));
        delete f;
        k_schulverwaltung->meldeAenderung();
    };
    if (k_schueler) entferne(k_schueler->getFehlzeitliste());
    if (!k_lehrer) return;
    if (vertretungenLoeschen) {
        if (const c_Fehlzeit* f = k_lehrer->getFehlzeitliste()->getFehlzeit(zeile + 1)) {
            int bt, bm, bj, et, em, ej;
            f->getBeginn(&bt, &bm, &bj);
            f->getEnde(&et, &em, &ej);
            k_schulverwaltung->deleteVertretungenZeitraum(k_lehrer, bt, bm, bj, et, em, ej);
        }
    }
    entferne(k_lehrer->getFehlzeitliste());
}
