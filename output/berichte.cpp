#include "output/berichte.h"

#include "model/anzeige.h"
#include "model/datensaetze.h"
#include "model/datum.h"
#include "model/felder.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"
#include "platform/textfile.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

const char* const EXPORT_FEHLER = "Datei konnte nicht angelegt werden.\nBitte überprüfen Sie Ihren Datenträger.";

namespace {

const char* const KOPF =
    "    Montag         Dienstag       Mittwoch      Donnerstag      Freitag        Samstag     \n";
const char* const LINIE =
    "+--------------+--------------+--------------+--------------+--------------+--------------+\n";
constexpr std::size_t ZELLENBREITE = 14;
constexpr int SPALTEN = 6;

// One space and the content, cut or padded to 14 characters, then "|".
void zelle(std::string& zeile, const std::string& inhalt) {
    if (inhalt.empty()) {
        zeile.append(ZELLENBREITE, ' ');
        zeile += '|';
        return;
    }
    std::string z = " " + inhalt;
    const std::size_t n = text::charCount(z);
    if (n > ZELLENBREITE)
        z = text::leftChars(z, ZELLENBREITE);
    else
        z.append(ZELLENBREITE - n, ' ');
    zeile += z;
    zeile += '|';
}

std::string lehrerVollname(const c_Lehrer* l) { return l ? vollname(*l) : std::string(); }
std::string lehrerNachname(const c_Lehrer* l) { return l ? l->getName() : std::string(); }
std::string fachName(const c_Fach* f) { return f ? f->getName() : std::string(); }

std::string datumText(int tag, int monat, int jahr) {
    return std::to_string(tag) + "." + std::to_string(monat) + "." + std::to_string(jahr);
}

// The upper two lines of a cell, by owner kind; the third is always the subject.
std::string klasseVon(const c_Dauertermin* t) { return klassenName(t->getKlasse()); }
std::string raumVon(const c_Dauertermin* t) { return raumName(t->getRaum()); }
std::string lehrerVon(const c_Dauertermin* t) { return lehrerNachname(t->getLehrer()); }

template <class L>
bool leer(const L* liste) {
    return !liste || liste->empty();
}

}  // namespace

std::string feldzeile(const c_datatype* f) {
    // An unchecked box is a space here, where the lists show nothing.
    const bool leeresKreuz = f->getTyp() == TYP_BOOL && !static_cast<const c_BoolObj*>(f)->getWert();
    return f->beschreibungText() + ": " + (leeresKreuz ? " " : feldText(f));
}

namespace {

// `vorne` and every subject of a subject list, each followed by ", "; nothing without a list.
std::string faecherText(const char* vorne, const c_Fachliste* faecher) {
    if (!faecher) return std::string();
    std::string s = vorne;
    for (const c_Fach* f : *faecher) s += fachName(f) + ", ";
    return s;
}

// Every field line of a field list, each followed by `ende`.
std::string feldzeilen(const c_Datenliste* felder, const char* ende) {
    std::string s;
    if (!felder) return s;
    for (const auto& f : *felder) s += feldzeile(f.get()) + ende;
    return s;
}

}  // namespace

// ---------------------------------------------------------------- timetables

// The grid of one owner: header, rule, then three lines and a rule per lesson.
void c_Bericht::writeGitter(const c_Dauerterminliste* termine, const std::string& besitzer, Zellentext oben,
                           Zellentext mitte) {
    if (!termine) return;
    std::string s = "\nStundenplan von: " + besitzer + "\n";
    s += KOPF;
    s += LINIE;
    // Weekday and lessons of each appointment, read once for the whole grid.
    struct Stunde {
        const c_Dauertermin* t;
        int tag, astd, estd;
    };
    std::vector<Stunde> stunden;
    stunden.reserve(termine->size());
    for (const c_Dauertermin* t : *termine) stunden.push_back({t, t->getWochentagNummer(), t->getAStd(), t->getEStd()});
    const int stundenProTag = k_kontext.schulverwaltung->getStundenProTag();
    for (int stunde = 1; stunde <= stundenProTag; ++stunde) {
        std::string zeilen[3] = {"|", "|", "|"};
        for (int tag = 1; tag <= SPALTEN; ++tag) {
            bool belegt = false;
            for (const auto& [t, wochentag, astd, estd] : stunden) {
                if (wochentag != tag || astd > stunde || stunde > estd) continue;
                belegt = true;
                zelle(zeilen[0], oben(t));
                zelle(zeilen[1], mitte(t));
                zelle(zeilen[2], fachName(t->getFach()));
            }
            if (!belegt)
                for (std::string& z : zeilen) zelle(z, std::string());
        }
        for (const std::string& z : zeilen) {
            s += z;
            s += '\n';
        }
        s += LINIE;
    }
    schreibe(s);
}

void c_Bericht::writeStundenplanLehrer(const c_Lehrer* l) {
    writeGitter(k_kontext.schulverwaltung->getDauertermineLehrer(l).get(), lehrerVollname(l), klasseVon, raumVon);
}

void c_Bericht::writeStundenplanRaum(const c_Raum* r) {
    writeGitter(k_kontext.schulverwaltung->getDauertermineRaum(r).get(), raumName(r), klasseVon, lehrerVon);
}

void c_Bericht::writeStundenplanKlasse(const c_Klasse* k) {
    writeGitter(k_kontext.schulverwaltung->getDauertermineKlasse(k).get(), klassenName(k), lehrerVon, raumVon);
}

void c_Bericht::writeStundenplan() {
    if (!k_kontext.schulverwaltung || !k_kontext.schulverwaltung->getDatabase()) return;
    if (k_kontext.lehrer) writeStundenplanLehrer(k_kontext.lehrer);
    if (k_kontext.raum) writeStundenplanRaum(k_kontext.raum);
    if (k_kontext.klasse) writeStundenplanKlasse(k_kontext.klasse);
}

void c_Bericht::writeStundenplaene() {
    c_Schulverwaltung* sv = k_kontext.schulverwaltung;
    if (!sv || !sv->getDatabase()) return;
    // The weekly appointments of every teacher, room and class, in list order, from one pass.
    std::unordered_map<const c_Lehrer*, c_Dauerterminliste> jeLehrer;
    std::unordered_map<const c_Raum*, c_Dauerterminliste> jeRaum;
    std::unordered_map<const c_Klasse*, c_Dauerterminliste> jeKlasse;
    for (c_Dauertermin* t : *sv->getDauerterminliste()) {
        if (!t) continue;
        jeLehrer[t->getLehrer()].push_back(t);
        jeRaum[t->getRaum()].push_back(t);
        jeKlasse[t->getKlasse()].push_back(t);
    }
    const c_Dauerterminliste keine;
    auto von = [&keine](const auto& je, const auto* besitzer) {
        const auto it = je.find(besitzer);
        return it == je.end() ? &keine : &it->second;
    };
    for (const c_Lehrer* l : *sv->getLehrerliste()) {
        writeGitter(von(jeLehrer, l), lehrerVollname(l), klasseVon, raumVon);
        schreibe("\n\n");
    }
    for (const c_Raum* r : *sv->getRaumliste()) {
        writeGitter(von(jeRaum, r), raumName(r), klasseVon, lehrerVon);
        schreibe("\n\n");
    }
    for (const c_Klasse* k : *sv->getKlassenliste()) {
        writeGitter(von(jeKlasse, k), klassenName(k), lehrerVon, raumVon);
        schreibe("\n\n");
    }
}

// ---------------------------------------------------------------- substitution plan

void c_Bericht::writeVertretungsplan() {
    c_Schulverwaltung* sv = k_kontext.schulverwaltung;
    if (!sv || !sv->getDatabase()) return;
    int tag = k_kontext.tag, monat = k_kontext.monat, jahr = k_kontext.jahr;
    if (tag == 0 || monat == 0) return;
    int etag, emonat, ejahr;
    addTage(tag, monat, jahr, 5, &etag, &emonat, &ejahr);
    std::string s = "\nVertretungsplan\nvom: " + datumText(tag, monat, jahr) + "\nbis: " +
                    datumText(etag, emonat, ejahr) + "\n\n\n";
    const char* tageszeilenEnde = k_art == Ausgabeart::Export ? " : \n" : "\n\n";
    // At most the five days; an impossible date does not move and ends the walk.
    for (int schritt = 0; schritt < 5 && !isDatumGroesserGleich(tag, monat, jahr, etag, emonat, ejahr); ++schritt) {
        s += datumText(tag, monat, jahr) + tageszeilenEnde;
        bool geschrieben = false;
        for (const c_Vertretungstermin* t : *sv->getVertretungsterminliste()) {
            int d, m, y;
            t->getDatum(&d, &m, &y);
            if (d != tag || m != monat || y != jahr || !t->getVertretenerLehrer()) continue;
            s += "  " + t->getName() + ", ";
            if (t->getKlasse()) s += klassenName(t->getKlasse()) + ", ";
            s += lehrerNachname(t->getLehrer()) + ", " + fachName(t->getFach()) + ", " + raumName(t->getRaum()) + "\n";
            geschrieben = true;
        }
        if (!geschrieben) s += "  - keine Ausfälle oder Vertretungen -\n";
        s += "\n";
        int ntag, nmonat, njahr;
        addTage(tag, monat, jahr, 1, &ntag, &nmonat, &njahr);
        if (ntag == tag && nmonat == monat && njahr == jahr) break;
        tag = ntag;
        monat = nmonat;
        jahr = njahr;
    }
    schreibe(s);
}

// ---------------------------------------------------------------- lists

void c_Bericht::writeFehlzeiten(const c_Fehlzeitliste* fehlzeiten) {
    std::string s = "Fehlzeiten: ";
    if (leer(fehlzeiten)) {
        s += " keine\n\n";
    } else {
        s += "\n";
        for (const c_Fehlzeit* f : *fehlzeiten) s += feldzeilen(f->getFelder(), " ") + "\n";
    }
    schreibe(s);
}

void c_Bericht::writeSchueler(const c_Schueler* schueler) {
    std::string s = feldzeilen(schueler->getFelder(), "\n");
    if (schueler->getKlasse()) s += ", Klasse: " + klassenName(schueler->getKlasse()) + "\n";
    schreibe(s);
    writeFehlzeiten(schueler->getFehlzeitliste());
    if (k_kontext.zensuren) {
        // A line "subject: " for every subject in list order, each grade of that subject below it, and
        // an empty line. Most subjects have no grade: their lines are copied from the text built once.
        if (!k_faecherzeilen) {
            k_faecherzeilen = std::make_unique<Faecherzeilen>();
            Faecherzeilen& fz = *k_faecherzeilen;
            for (const c_Fach* f : *k_kontext.schulverwaltung->getFachliste()) {
                fz.stellen[f].push_back(fz.anfang.size());
                fz.anfang.push_back(fz.text.size());
                fz.text += f->getName() + ": \n";
            }
            fz.anfang.push_back(fz.text.size());
        }
        const Faecherzeilen& fz = *k_faecherzeilen;
        // (subject position, grade) for each grade, by position, the grades of one subject in list order.
        std::vector<std::pair<std::size_t, const c_Zensur*>> treffer;
        for (const c_Zensur* z : *schueler->getZensurliste()) {
            if (!z) continue;
            const auto it = fz.stellen.find(z->getFach());
            if (it == fz.stellen.end()) continue;
            for (std::size_t stelle : it->second) treffer.emplace_back(stelle, z);
        }
        std::stable_sort(treffer.begin(), treffer.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        s = "Zensuren:\n";
        s.reserve(s.size() + fz.text.size() + 64 * treffer.size());
        std::size_t weiter = 0;  // the next subject position to write
        for (std::size_t i = 0; i < treffer.size();) {
            const std::size_t stelle = treffer[i].first;
            s.append(fz.text, fz.anfang[weiter], fz.anfang[stelle] - fz.anfang[weiter]);
            s.append(fz.text, fz.anfang[stelle], fz.anfang[stelle + 1] - fz.anfang[stelle] - 1);  // without "\n"
            for (; i < treffer.size() && treffer[i].first == stelle; ++i) {
                s += feldzeilen(treffer[i].second->getFelder(), " | ");
                s += "\n";
            }
            s += "\n";
            weiter = stelle + 1;
        }
        s.append(fz.text, fz.anfang[weiter], std::string::npos);
        schreibe(s);
    }
    schreibe("\n\n");
}

void c_Bericht::writeSchuelerliste() {
    c_Schulverwaltung* sv = k_kontext.schulverwaltung;
    if (!sv || !sv->getDatabase()) return;
    if (k_art == Ausgabeart::Druck) schreibe("Liste aller Schüler:\n\n");
    for (const c_Schueler* s : *sv->getSchuelerliste()) writeSchueler(s);
}

void c_Bericht::writeKlassenuebersicht() {
    c_Schulverwaltung* sv = k_kontext.schulverwaltung;
    if (!sv || !sv->getDatabase()) return;
    const c_Klasse* k = sv->getKlassenliste()->getKlasse(k_kontext.klassenIndex + 1);
    if (!k) return;
    std::string s = "Klasse " + klassenName(k) + ": \n";
    s += k->getKlassenraum() ? "Raum: " + raumName(k->getKlassenraum()) : "Dieser Klasse ist kein Raum zugeteilt.";
    s += k->getKlassenlehrer() ? "   Klassenlehrer: " + lehrerVollname(k->getKlassenlehrer())
                               : "\nDiese Klasse besitzt keinen Klassenlehrer.";
    s += "\n\nSchüler der Klasse:\n";
    schreibe(s);
    const auto schueler = sv->getSchuelerDerKlasse(k);
    if (schueler->empty()) schreibe("In dieser Klasse befinden sich keine Schueler.\n");
    for (const c_Schueler* p : *schueler) writeSchueler(p);
}

void c_Bericht::writeLehrerliste() {
    c_Schulverwaltung* sv = k_kontext.schulverwaltung;
    if (!sv || !sv->getDatabase()) return;
    if (k_art == Ausgabeart::Druck) schreibe("Liste aller Lehrer:\n\n");
    // The classes of each class teacher, in list order, from one pass.
    std::unordered_map<const c_Lehrer*, std::vector<const c_Klasse*>> klassenVon;
    for (const c_Klasse* k : *sv->getKlassenliste()) klassenVon[k->getKlassenlehrer()].push_back(k);
    for (const c_Lehrer* l : *sv->getLehrerliste()) {
        std::string s = feldzeilen(l->getFelder(), "\n");
        if (const auto it = klassenVon.find(l); it != klassenVon.end())
            for (const c_Klasse* k : it->second) s += ", Klasse: " + klassenName(k);
        s += ", Pflichtstunden: " + std::to_string(l->getPflichtstunden()) +
             ", unterrichtet: " + std::to_string(l->getVergebeneStunden());
        s += faecherText(", Faecher: ", l->getFachliste());
        if (k_art == Ausgabeart::Export) s += "\n";
        schreibe(s);
        writeFehlzeiten(l->getFehlzeitliste());
        schreibe("\n");
    }
}

void c_Bericht::writeRaumliste() {
    c_Schulverwaltung* sv = k_kontext.schulverwaltung;
    if (!sv || !sv->getDatabase()) return;
    if (k_art == Ausgabeart::Druck) schreibe("Liste aller Räume:\n\n");
    // The classes of each class room, in list order, from one pass.
    std::unordered_map<const c_Raum*, std::vector<const c_Klasse*>> klassenIn;
    for (const c_Klasse* k : *sv->getKlassenliste())
        if (k && k->getKlassenraum()) klassenIn[k->getKlassenraum()].push_back(k);
    for (const c_Raum* r : *sv->getRaumliste()) {
        std::string s = feldzeilen(r->getFelder(), "\n");
        if (const auto it = klassenIn.find(r); it != klassenIn.end()) {
            s += "Klassenraum von: ";
            for (const c_Klasse* k : it->second) s += klassenName(k);
            s += ", ";
        }
        s += faecherText(" Faecher: ", r->getFachliste());
        schreibe(s + "\n");
    }
}

void c_Bericht::writeGebiet(int gebiet) {
    switch (gebiet) {
    case GEBIET_STUNDENPLAENE: writeStundenplaene(); break;
    case GEBIET_STUNDENPLAN: writeStundenplan(); break;
    case GEBIET_VERTRETUNGSPLAN: writeVertretungsplan(); break;
    case GEBIET_SCHUELERLISTE: writeSchuelerliste(); break;
    case GEBIET_KLASSENUEBERSICHT: writeKlassenuebersicht(); break;
    case GEBIET_LEHRERLISTE: writeLehrerliste(); break;
    case GEBIET_RAUMLISTE: writeRaumliste(); break;
    default: break;
    }
}

// ---------------------------------------------------------------- data test and file

bool hatDaten(c_Schulverwaltung* sv, int gebiet, Ausgabeart art, const c_Lehrer* lehrer, const c_Raum* raum,
              const c_Klasse* klasse) {
    if (!sv || !sv->getDatabase()) return false;
    const bool dauer = !leer(sv->getDauerterminliste());
    const bool einzel = !leer(sv->getEinzelterminliste());
    switch (gebiet) {
    case GEBIET_STUNDENPLAENE:
        // Printing counts the substitutions not.
        return dauer || einzel || (art == Ausgabeart::Export && !leer(sv->getVertretungsterminliste()));
    case GEBIET_STUNDENPLAN:
        return (dauer || einzel) && (!lehrer || !leer(sv->getLehrerliste())) &&
               (!raum || !leer(sv->getRaumliste())) && (!klasse || !leer(sv->getKlassenliste()));
    case GEBIET_VERTRETUNGSPLAN: return true;
    case GEBIET_SCHUELERLISTE: return !leer(sv->getSchuelerliste());
    case GEBIET_KLASSENUEBERSICHT: return !leer(sv->getKlassenliste());
    case GEBIET_LEHRERLISTE: return !leer(sv->getLehrerliste());
    case GEBIET_RAUMLISTE: return !leer(sv->getRaumliste());
    default: return false;
    }
}

const char* keineDatenText(Ausgabeart art) {
    return art == Ausgabeart::Export ? "Zum ausgewählten Gebiet gibt\nes keine Daten zum Exportieren"
                                     : "Zum ausgewählten Gebiet gibt\nes keine Daten zum Drucken";
}

c_Exportdatei::c_Exportdatei(const std::string& pfad)
    : k_datei(std::make_unique<text::TextFileWriter>(pfad, text::TextFileWriter::Ablage::Zwischenspeicher)) {}

c_Exportdatei::~c_Exportdatei() = default;

void c_Exportdatei::appendText(const std::string& text) {
    // The whole lines go to the file at once, the rest waits for its end.
    const std::size_t letztes = text.rfind('\n');
    if (letztes == std::string::npos) {
        k_rest += text;
        return;
    }
    if (k_rest.empty()) {
        k_datei->writeLines(std::string_view(text).substr(0, letztes + 1));
    } else {
        k_rest.append(text, 0, letztes + 1);
        k_datei->writeLines(k_rest);
        k_rest.clear();
    }
    k_rest.append(text, letztes + 1, std::string::npos);
}

bool c_Exportdatei::schliessen() {
    // Every builder ends its text with a line end; a rest without one is a line of its own.
    if (!k_rest.empty()) k_datei->writeLine(k_rest);
    k_rest.clear();
    return k_datei->commit();
}

bool schreibeExportdatei(const std::string& pfad, const std::string& text) {
    c_Exportdatei datei(pfad);
    datei.appendText(text);
    return datei.schliessen();
}
