#include "dialogs/termindialog.h"

#include "dialogs/auswahl.h"
#include "dialogs/datumpruefung.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"

#include <climits>

const char* const TEXT_UEBERSCHNEIDUNG =
    "Dieser Termin überschneidet sich mit einem\nbestehenden Termin. Soll ein\nErsatztermin angegeben werden?";
const char* const TEXT_KEINE_ALTERNATIVE =
    "An diesem Tag gibt es keine Alternative.\nBitte wählen Sie einen anderen Tag.";
const char* const TEXT_LEHRERLAST =
    "Die max. Stundenanzahl bei diesem\nLehrer ist erreicht.\nSoll der Termin trotzdem stattfinden?";
const char* const TEXT_KEIN_AKTIVER_RAUM =
    "Solange kein aktiver Raum vorhanden\nist, können Sie keinen Termin anlegen.";

namespace {

const char* const TITEL_FELDER = "Termin anlegen";

std::string lehrerName(const c_Lehrer* l) { return l->getName() + "," + l->getVorname(); }


void zaehlerAendern(c_Lehrer* l, long long stunden) {
    if (l) l->setVergebeneStunden(text::saturatedInt(l->getVergebeneStunden() + stunden));
}

// The n-th record of a list, null for 0 or past the end.
template <class Liste>
auto nter(Liste* liste, int n) -> decltype(liste->nth(n)) {
    return liste ? liste->nth(n) : nullptr;
}

c_Raum* gewaehlterRaum(c_Schulverwaltung& sv, int eintrag) { return sv.getAktiveRaeume()->getRaum(eintrag + 1); }

// Subject, teacher, class and room of the form.
void setzeVerweise(c_Schulverwaltung& sv, c_Termin& t, const TerminEingabe& e) {
    t.setFach(nter(sv.getFachliste(), e.fach));
    t.setLehrer(nter(sv.getLehrerliste(), e.lehrer));
    t.setKlasse(nter(sv.getKlassenliste(), e.klasse));
    t.setRaum(gewaehlterRaum(sv, e.raum));
}

// The appointment one OK press stores once its checks passed: the one being
// changed, or a new one whose fields are a copy of the template and which the
// press owns until the store takes it.
template <class T>
struct Bearbeitung {
    Bearbeitung(T* datensatz, const c_Datenliste& vorlage) : t(datensatz) {
        if (t) return;
        neu = std::make_unique<T>();
        neu->setFelder(std::make_unique<c_Datenliste>(vorlage));
        t = neu.get();
    }
    std::unique_ptr<T> neu;
    T* t;
};

// The shared links and the fields of the form.
void schreibeTermin(c_Schulverwaltung& sv, c_Termin& t, const TerminEingabe& e, bool jahrRegel) {
    setzeVerweise(sv, t, e);
    schreibeTerminfelder(*t.getFelder(), e.werte, jahrRegel);
}

// The field walk with its collected box, then the lesson checks when every field was read.
bool pruefeFormular(const c_Datenliste& vorlage, const TerminEingabe& e, bool mitDatum, int stundenProTag,
                    TerminFelder& p, Meldungsziel& m) {
    MeldungsSammler meldungen = MeldungsSammler::gesammelt(TITEL_FELDER);
    p = pruefeTerminfelder(vorlage, e.werte, mitDatum, meldungen);
    m.zeige(meldungen);
    bool ok = p.ok;
    if (!p.stundenPruefbar()) return false;
    for (const std::string& s : stundenFehler(p.astd, p.estd, stundenProTag)) {
        m.fehler(s);
        ok = false;
    }
    return ok;
}

// Writes the form into the appointment of the press with `schreibe`, under
// the collision test of the add operations (addEinzeltermin, addDauertermin)
// in both modes: a new appointment goes to its add operation; a changed one is
// first tested as a copy holding the new values against every other stored
// appointment, and written only when it is free. A collision asks whether a
// proposal is wanted and keeps it in `ergebnis` when `frei` accepts it; a
// refusal at the limit says so. True when the appointment is to be filed.
template <class T, class Schreibe, class Frei>
bool eintragen(c_Schulverwaltung& sv, Bearbeitung<T>& b, Schreibe schreibe,
               std::unique_ptr<T> (c_Schulverwaltung::*add)(std::unique_ptr<T>&, TerminErgebnis*), Frei frei,
               const char* abgelehnt, TerminOk<T>& ergebnis, Meldungsziel& m) {
    TerminErgebnis erg = TerminErgebnis::Gespeichert;
    std::unique_ptr<T> vorschlag;
    const bool neu = b.neu != nullptr;
    if (neu) {
        schreibe(*b.neu);
        b.neu->setEingeordnet(true);
        vorschlag = (sv.*add)(b.neu, &erg);
    } else {
        const std::unique_ptr<T> probe = b.t->kopie();
        schreibe(*probe);
        if (sv.kollidiert(*probe, b.t, &vorschlag)) erg = TerminErgebnis::Kollision;
    }
    if (erg == TerminErgebnis::Kollision) {
        if (m.frage(TEXT_UEBERSCHNEIDUNG, "Fehler")) {
            if (vorschlag && frei(*vorschlag))
                ergebnis.vorschlag = std::move(vorschlag);
            else
                m.fehler(TEXT_KEINE_ALTERNATIVE);
        }
        return false;
    }
    if (erg != TerminErgebnis::Gespeichert) {
        m.hinweis(abgelehnt);
        return false;
    }
    if (!neu) schreibe(*b.t);
    return true;
}

bool pruefeDatum(const TerminFelder& p, Meldungsziel& m) {
    if (!p.datumPruefbar()) return false;
    // The date must exist in the year that is stored.
    if (isTerminDatumKorrekt(p.tag, p.monat, terminJahr(p.jahr))) return true;
    m.fehler("Das eingegebene Datum ist nicht korrekt.", "Fehler!");
    return false;
}

}  // namespace

// ---------------------------------------------------------------- choice lists

std::vector<std::string> lehrerEintraege(c_Schulverwaltung& sv) {
    return eintraege("[keiner]", sv.getLehrerliste(), [](const c_Lehrer* l) { return lehrerName(l); });
}

std::vector<std::string> vertretungEintraege(c_Schulverwaltung& sv) {
    return eintraege("[Freistunde]", sv.getLehrerliste(), [](const c_Lehrer* l) { return lehrerName(l); });
}

std::vector<std::string> raumEintraege(c_Schulverwaltung& sv) {
    const auto aktive = sv.getAktiveRaeume();
    return eintraege(nullptr, aktive.get(), [](const c_Raum* r) { return r->getName(); });
}

std::vector<std::string> wochentagEintraege(bool samstag) {
    std::vector<std::string> e;
    for (int i = 1; i <= (samstag ? 6 : 5); ++i) e.emplace_back(WOCHENTAGE[i]);
    return e;
}

int fachEintrag(c_Schulverwaltung& sv, const c_Fach* f) {
    return f && sv.getFachliste() ? sv.getFachliste()->positionOf(f) : 0;
}
int lehrerEintrag(c_Schulverwaltung& sv, const c_Lehrer* l) {
    return l && sv.getLehrerliste() ? sv.getLehrerliste()->positionOf(l) : 0;
}
int klassenEintrag(c_Schulverwaltung& sv, const c_Klasse* k) {
    return k && sv.getKlassenliste() ? sv.getKlassenliste()->positionOf(k) : 0;
}
int raumEintrag(c_Schulverwaltung& sv, const c_Raum* r) {
    return r ? sv.getAktiveRaeume()->positionOf(r) - 1 : -1;
}

int wochentagEintrag(const std::string& name) {
    for (int i = 1; i <= 6; ++i)
        if (text::equals(name, WOCHENTAGE[i])) return i - 1;
    return -1;
}

TerminAuswahl terminAuswahl(c_Schulverwaltung& sv, const c_Termin& t) {
    TerminAuswahl a;
    a.fach = fachEintrag(sv, t.getFach());
    a.lehrer = lehrerEintrag(sv, t.getLehrer());
    a.klasse = klassenEintrag(sv, t.getKlasse());
    a.raum = raumEintrag(sv, t.getRaum());
    return a;
}

TerminAuswahl terminAuswahl(c_Schulverwaltung& sv, const c_Dauertermin& t) {
    TerminAuswahl a = terminAuswahl(sv, static_cast<const c_Termin&>(t));
    a.wochentag = wochentagEintrag(t.getWochentag());
    return a;
}

TerminAuswahl terminAuswahl(c_Schulverwaltung& sv, const c_Vertretungstermin& t) {
    TerminAuswahl a = terminAuswahl(sv, static_cast<const c_Termin&>(t));
    // With an absent teacher the teacher list shows him and the substitute list
    // the appointment's own teacher; without one the teacher list shows that
    // teacher and the substitute list keeps its selection.
    if (t.getVertretenerLehrer()) {
        a.lehrer = lehrerEintrag(sv, t.getVertretenerLehrer());
        a.vertretung = lehrerEintrag(sv, t.getLehrer());
    }
    return a;
}

// ---------------------------------------------------------------- checks

TerminFelder pruefeTerminfelder(const c_Datenliste& vorlage, const FormularWerte& werte, bool mitDatum,
                                MeldungsSammler& meldungen) {
    struct Schluesselwert {
        const char* schluessel;
        const char* leer;  // the message for an empty edit; none for the lessons
        int TerminFelder::*ziel;
        unsigned bit;
        bool mitDatum;
    };
    static const Schluesselwert schluessel[] = {
        {"ASTD", nullptr, &TerminFelder::astd, TerminFelder::ASTD, false},
        {"ESTD", nullptr, &TerminFelder::estd, TerminFelder::ESTD, false},
        {"TAG", "Sie müssen den Tag eingeben.", &TerminFelder::tag, TerminFelder::TAG, true},
        {"MONAT", "Sie müssen den Monat eingeben.", &TerminFelder::monat, TerminFelder::MONAT, true},
        {"JAHR", "Sie müssen das Jahr eingeben.", &TerminFelder::jahr, TerminFelder::JAHR, true},
        {"NAME", "Sie müssen einen Namen eingeben.", nullptr, 0, true},
    };
    TerminFelder p;
    // Unlike the plain walk of the form, a failed mandatory check does not
    // skip the key checks of its field: both messages stand in one text.
    durchlaufeFormular(vorlage, werte, [&](const FeldEingabe& e) {
        if (e.istHaken()) return true;
        bool fehlt = false;
        if (e.feld().getPflicht() && e.leer()) {
            meldungen.melde(pflichtMeldung(e.feld()));
            fehlt = true;
        }
        for (const Schluesselwert& w : schluessel) {
            if ((w.mitDatum && !mitDatum) || !e.ist(w.schluessel)) continue;
            if (w.leer && e.leer()) {
                meldungen.melde(w.leer);
                fehlt = true;
            } else if (w.ziel) {
                p.*w.ziel = e.zahl();
                if (!fehlt) p.gelesen |= w.bit;
            }
            break;
        }
        if (fehlt) p.ok = false;
        return !fehlt;
    });
    return p;
}

std::vector<std::string> stundenFehler(int astd, int estd, int stundenProTag) {
    std::vector<std::string> fehler;
    if (astd < 1) fehler.emplace_back("Anfangsstunde ist nicht korrekt.");
    if (estd < 1 || estd > stundenProTag) fehler.emplace_back("Endstunde ist nicht korrekt.");
    if (estd < astd) fehler.emplace_back("Endstunde liegt vor der Anfangsstunde.");
    return fehler;
}

int terminJahr(int getippt) { return getippt >= 0 && getippt < 100 ? vierstelligesJahr(getippt, 2) : getippt; }

void schreibeTerminfelder(c_Datenliste& felder, const FormularWerte& werte, bool jahrRegel) {
    uebernehmeWerte(felder, werte);
    if (!jahrRegel) return;
    for (const auto& f : felder)
        if (auto* jahr = dynamic_cast<c_IntObj*>(f.get()); jahr && text::equals(f->nameText(), "JAHR"))
            jahr->setWert(terminJahr(jahr->getWert()));
}

long long terminSpanne(const c_Termin& t) { return static_cast<long long>(t.getEStd()) - t.getAStd() + 1; }

// ---------------------------------------------------------------- OK

TerminOk<c_Einzeltermin> einzelterminOk(c_Schulverwaltung& sv, c_Einzeltermin* datensatz, const TerminEingabe& e,
                                        Meldungsziel& m) {
    TerminOk<c_Einzeltermin> ergebnis;
    const c_Datenliste* vorlage = sv.getEinzelterminStruktur();
    if (!vorlage) return ergebnis;

    TerminFelder p;
    bool ok = pruefeFormular(*vorlage, e, true, sv.getStundenProTag(), p, m);
    ok = pruefeDatum(p, m) && ok;
    if (!ok) return ergebnis;

    Bearbeitung<c_Einzeltermin> b(datensatz, *vorlage);
    const auto schreibe = [&](c_Einzeltermin& t) { schreibeTermin(sv, t, e, true); };
    const auto frei = [](const c_Einzeltermin&) { return true; };
    if (!eintragen(sv, b, schreibe, &c_Schulverwaltung::addEinzeltermin, frei,
                   "Der Einzeltermin konnte nicht angelegt werden.", ergebnis, m))
        return ergebnis;
    sv.updateEinzeltermin(b.t);
    ergebnis.gespeichert = true;
    return ergebnis;
}

TerminOk<c_Dauertermin> dauerterminOk(c_Schulverwaltung& sv, c_Dauertermin* datensatz, const TerminEingabe& e,
                                      Meldungsziel& m) {
    TerminOk<c_Dauertermin> ergebnis;
    const c_Datenliste* vorlage = sv.getDauerterminStruktur();
    if (!vorlage) return ergebnis;

    TerminFelder p;
    if (!pruefeFormular(*vorlage, e, false, sv.getStundenProTag(), p, m)) return ergebnis;

    // Without a selected weekday the appointment keeps the one it has; a new
    // appointment has none and is refused.
    const std::vector<std::string> tage = wochentagEintraege(sv.getSamstag());
    const std::string wochentag = e.wochentag >= 0 && e.wochentag < static_cast<int>(tage.size())
                                      ? tage[static_cast<std::size_t>(e.wochentag)]
                                      : datensatz ? datensatz->getWochentag() : std::string();
    if (wochentag.empty()) {
        m.fehler("Sie müssen einen Wochentag auswählen.");
        return ergebnis;
    }

    c_Lehrer* lehrer = nter(sv.getLehrerliste(), e.lehrer);
    c_Lehrer* alterLehrer = datensatz ? datensatz->getLehrer() : nullptr;
    const long long alteSpanne = datensatz ? terminSpanne(*datensatz) : 0;
    const long long neueSpanne = static_cast<long long>(p.estd) - p.astd + 1;
    if (lehrer) {
        long long stunden = lehrer->getVergebeneStunden() + neueSpanne;
        if (datensatz && alterLehrer == lehrer) stunden -= alteSpanne;
        if (stunden > lehrer->getPflichtstunden() && !m.frage(TEXT_LEHRERLAST, "Fehler")) return ergebnis;
    }

    Bearbeitung<c_Dauertermin> b(datensatz, *vorlage);
    const auto schreibe = [&](c_Dauertermin& t) {
        schreibeTermin(sv, t, e, false);
        t.setWochentag(wochentag);
    };
    // The proposal is tested once more against the whole weekly list, but for the appointment being changed.
    const auto frei = [&sv, datensatz](const c_Dauertermin& v) {
        return sv.getDauerterminliste()->isFrei(&v, datensatz);
    };
    if (!eintragen(sv, b, schreibe, &c_Schulverwaltung::addDauertermin, frei,
                   "Der Dauertermin konnte nicht angelegt werden.", ergebnis, m))
        return ergebnis;
    // The counters follow the change: the old span off the old teacher, the new one onto the new teacher.
    if (datensatz) zaehlerAendern(alterLehrer, -alteSpanne);
    zaehlerAendern(b.t->getLehrer(), terminSpanne(*b.t));
    sv.updateDauertermin(b.t);
    ergebnis.gespeichert = true;
    return ergebnis;
}

bool vertretungsterminOk(c_Schulverwaltung& sv, c_Vertretungstermin* datensatz, const TerminEingabe& e,
                         Meldungsziel& m) {
    const c_Datenliste* vorlage = sv.getVertretungsterminStruktur();
    if (!vorlage) return false;

    TerminFelder p;
    bool ok = pruefeFormular(*vorlage, e, true, sv.getStundenProTag(), p, m);

    c_Lehrerliste* lehrerliste = sv.getLehrerliste();
    c_Lehrer* vertretener = nullptr;
    c_Lehrer* vertreter = nullptr;
    if (e.lehrer <= 0) {
        m.hinweis("Sie müssen einen Lehrer auswählen,\nder vertreten werden soll");
        ok = false;
    } else if (e.vertretung > 0 && e.vertretung == e.lehrer) {
        m.hinweis("Sie können den Lehrer nicht durch sich selbst\nvertreten lassen.");
        ok = false;
    } else {
        vertretener = nter(lehrerliste, e.lehrer);
        vertreter = nter(lehrerliste, e.vertretung);
    }
    ok = pruefeDatum(p, m) && ok;
    if (!ok) return false;

    Bearbeitung<c_Vertretungstermin> b(datensatz, *vorlage);
    schreibeTermin(sv, *b.t, e, true);
    if (b.neu) b.neu->setEingeordnet(true);
    b.t->setLehrer(vertreter);
    b.t->setVertretenerLehrer(vertretener);
    if (b.neu && !sv.addVertretungstermin(b.neu)) {
        m.hinweis("Der Vertretungstermin konnte nicht angelegt werden.");
        return false;
    }
    sv.updateVertretungstermin(b.t);
    return true;
}
