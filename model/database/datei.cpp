// Reading and writing of the structure file and the data file.
#include "model/database/database.h"
#include "model/database/standardstruktur.h"

#include "platform/text.h"
#include "platform/textfile.h"

#include <algorithm>
#include <unordered_map>

namespace {

struct ArtInfo {
    const char* zeile;   // kind line as written
    const char* prefix;  // the two characters that select it
};

const ArtInfo kArten[9] = {
    {"/Schueler", "/S"},    {"/Lehrer", "/L"},           {"/Raum", "/R"},
    {"/Einzeltermin", "/E"}, {"/Dauertermin", "/D"},      {"/Vertretungstermin", "/V"},
    {"/Klasse", "/K"},      {"/Zensur", "/Z"},           {"/Fehlzeit", "/F"},
};

const char* const kUnerwartetesEnde = "Die Datei endet unerwartet.\n";

// Removes the first character (UTF-8) of `s`.
void ersteZeichenWeg(std::string& s, int n = 1) {
    for (int i = 0; i < n && !s.empty(); ++i) s.erase(0, text::leftChars(s, 1).size());
}

// Moves the text before `zeichen` (all of it when there is none) out of `rest`.
std::string bis(std::string& rest, char zeichen) {
    const std::size_t pos = rest.find(zeichen);
    std::string teil = rest.substr(0, pos);
    rest.erase(0, teil.size());
    return teil;
}

const char* typWort(int typ) {
    switch (typ) {
    case TYP_INT: return "int";
    case TYP_BOOL: return "bool";
    case TYP_STRING: return "string";
    default: return nullptr;
    }
}

}  // namespace

// ---------------------------------------------------------------- structure

bool c_Database::parseStrukturzeile(const std::string& zeile, c_datatype* feld) {
    if (!feld) {
        if (k_fehler) *k_fehler += "DATABASE: Übergabefehler in Parser (Pos. 1)";
        return false;
    }
    auto melde = [this](const char* text) {
        if (k_fehler) *k_fehler += text;
    };
    bool ergebnis = true;
    std::string rest = zeile;

    feld->setName(bis(rest, ','));
    ersteZeichenWeg(rest);

    if (text::charCount(rest) <= 6) {
        melde("In der Datenbankdefinition fehlt die Angabe der Beschreibung!\n");
        ergebnis = false;
    } else {
        ersteZeichenWeg(rest);
        feld->setBeschreibung(bis(rest, '\''));
    }

    if (text::charCount(rest) <= 2) {
        melde("In der Datenbankdefinition fehlt eine Positionsangabe!\n(X-Koordinate)");
        return false;
    }
    ersteZeichenWeg(rest, 2);
    feld->setX(text::leadingInt(bis(rest, ',')));

    static const char* const kMeldungen[4] = {
        "In der Datenbankdefinition fehlt eine Positionsangabe!\n(Y-Koordinate)",
        "In der Datenbankdefinition fehlt die Angabe der Weite!",
        "In der Datenbankdefinition fehlt die Angabe der Höhe!",
        "In der Datenbankdefinition fehlt ein Längen-Attribut",
    };
    for (int i = 0; i < 4; ++i) {
        if (text::charCount(rest) < 2) {
            melde(kMeldungen[i]);
            return false;
        }
        ersteZeichenWeg(rest);
        const int wert = text::leadingInt(bis(rest, ','));
        switch (i) {
        case 0: feld->setY(wert); break;
        case 1: feld->setWeite(wert); break;
        case 2: feld->setHoehe(wert); break;
        default: feld->setLaenge(wert); break;
        }
    }

    if (text::charCount(rest) < 2) {
        melde("In der Datenbankdefinition fehlt ein Pflicht-Attribut!");
        return false;
    }
    ersteZeichenWeg(rest);
    feld->setPflicht(text::leadingInt(text::leftChars(rest, 1)) != 0);
    return ergebnis;
}

bool c_Database::readStruktur() {
    c_Datenliste* vorlagen[9] = {&k_schuelerStruktur,      &k_lehrerStruktur,     &k_raumStruktur,
                                 &k_einzelterminStruktur,  &k_dauerterminStruktur, &k_vertretungsterminStruktur,
                                 &k_klasseStruktur,        &k_zensurStruktur,     &k_fehlzeitStruktur};
    bool ergebnis = true;
    c_Datenliste* aktuell = nullptr;
    bool fremd = false;  // inside lines that belong to no kind
    for (;;) {
        if (k_leser->atEnd()) {
            meldeUnerwartetesEnde();
            return false;
        }
        const std::string zeile = readLine();
        bool art = false;
        for (int i = 0; i < 9; ++i) {
            if (text::startsWith(zeile, kArten[i].prefix)) {
                aktuell = vorlagen[i];
                art = true;
                fremd = false;
                break;
            }
        }
        if (!art && text::startsWith(zeile, "/")) {
            aktuell = nullptr;
            fremd = true;
        }
        if (text::startsWith(zeile, "/STRUCTEND")) break;
        if (fremd) {
            k_strukturZusatz.push_back(zeile);
            continue;
        }
        if (!aktuell) continue;
        static const std::pair<const char*, int> kTypen[3] = {{"string", TYP_STRING}, {"bool", TYP_BOOL},
                                                              {"int", TYP_INT}};
        for (const auto& typ : kTypen) {
            if (!text::startsWith(zeile, typ.first)) continue;
            std::string rest = zeile;
            ersteZeichenWeg(rest, static_cast<int>(std::string(typ.first).size()) + 1);
            std::unique_ptr<c_datatype> feld = newField(typ.second);
            // A field line that failed is dropped, and the whole section counts as failed.
            if (parseStrukturzeile(rest, feld.get()))
                aktuell->push_back(std::move(feld));
            else
                ergebnis = false;
            break;
        }
    }
    return ergebnis;
}

bool c_Database::pruefePflichtfelder() {
    struct Pruefung {
        const c_Datenliste* vorlage;
        const char* name;
        int typ;
        const char* typwort;
        const char* artwort;
    };
    const Pruefung pruefungen[] = {
        {&k_schuelerStruktur, "NAME", TYP_STRING, "string", "Schülern"},
        {&k_schuelerStruktur, "VORNAME", TYP_STRING, "string", "Schülern"},
        {&k_lehrerStruktur, "NAME", TYP_STRING, "string", "Lehrern"},
        {&k_lehrerStruktur, "VORNAME", TYP_STRING, "string", "Lehrern"},
        {&k_lehrerStruktur, "URLAUB", TYP_BOOL, "bool", "Lehrern"},
        {&k_lehrerStruktur, "PFLICHTSTUNDEN", TYP_INT, "int", "Lehrern"},
        {&k_raumStruktur, "NAME", TYP_STRING, "string", "Räumen"},
        {&k_raumStruktur, "AKTIV", TYP_BOOL, "bool", "Räumen"},
        {&k_einzelterminStruktur, "NAME", TYP_STRING, "string", "Einzelterminen"},
        {&k_einzelterminStruktur, "ASTD", TYP_INT, "int", "Einzelterminen"},
        {&k_einzelterminStruktur, "ESTD", TYP_INT, "int", "Einzelterminen"},
        {&k_einzelterminStruktur, "TAG", TYP_INT, "int", "Einzelterminen"},
        {&k_einzelterminStruktur, "MONAT", TYP_INT, "int", "Einzelterminen"},
        {&k_einzelterminStruktur, "JAHR", TYP_INT, "int", "Einzelterminen"},
        {&k_dauerterminStruktur, "ASTD", TYP_INT, "int", "Dauerterminen"},
        {&k_dauerterminStruktur, "ESTD", TYP_INT, "int", "Dauerterminen"},
        {&k_vertretungsterminStruktur, "NAME", TYP_STRING, "string", "Vertretungsterminen"},
        {&k_vertretungsterminStruktur, "ASTD", TYP_INT, "int", "Vertretungsterminen"},
        {&k_vertretungsterminStruktur, "ESTD", TYP_INT, "int", "Vertretungsterminen"},
        {&k_vertretungsterminStruktur, "TAG", TYP_INT, "int", "Vertreungsterminen"},
        {&k_vertretungsterminStruktur, "MONAT", TYP_INT, "int", "Vertreungsterminen"},
        {&k_vertretungsterminStruktur, "JAHR", TYP_INT, "int", "Vertreungsterminen"},
        {&k_klasseStruktur, "NAME", TYP_STRING, "STRING", "Klassen"},
        {&k_klasseStruktur, "JAHRGANG", TYP_INT, "INT", "Klassen"},
        {&k_klasseStruktur, "BEZ", TYP_STRING, "STRING", "Klassen"},
        {&k_zensurStruktur, "ZENSUR", TYP_STRING, "STRING", "Zensuren"},
        {&k_zensurStruktur, "BEMERKUNG", TYP_STRING, "STRING", "Zensuren"},
        {&k_fehlzeitStruktur, "ATAG", TYP_INT, "INT", "Fehlzeiten"},
        {&k_fehlzeitStruktur, "AMONAT", TYP_INT, "INT", "Fehlzeiten"},
        {&k_fehlzeitStruktur, "AJAHR", TYP_INT, "INT", "Fehlzeiten"},
        {&k_fehlzeitStruktur, "ETAG", TYP_INT, "INT", "Fehlzeiten"},
        {&k_fehlzeitStruktur, "EMONAT", TYP_INT, "INT", "Fehlzeiten"},
        {&k_fehlzeitStruktur, "EJAHR", TYP_INT, "INT", "Fehlzeiten"},
    };
    bool ergebnis = true;
    for (const Pruefung& p : pruefungen) {
        const c_datatype* f = p.vorlage->findField(p.name);
        if (f && f->getTyp() == p.typ) continue;
        if (ergebnis && k_fehler) {
            *k_fehler += std::string("Es fehlt das, unbedingt benötigte Feld ") + p.name + " vom Typ " + p.typwort +
                         "\nbei den " + p.artwort + " in der Datenbankdefinition!";
        }
        ergebnis = false;
    }
    return ergebnis;
}

std::string c_Database::strukturZeileVon(const c_datatype& feld) {
    const char* typ = typWort(feld.getTyp());
    return strukturZeile(typ ? typ : "string", text::oneLine(feld.nameText()), text::oneLine(feld.beschreibungText()),
                         feld.getX(), feld.getY(), feld.getWeite(), feld.getHoehe(), feld.getLaenge(),
                         feld.getPflicht());
}

void c_Database::writeStrukturzeile(text::TextFileWriter& out, const c_datatype& feld) {
    if (typWort(feld.getTyp())) out.writeLine(strukturZeileVon(feld));
}

void c_Database::writeStruktur(text::TextFileWriter& out) const {
    const c_Datenliste* vorlagen[9] = {&k_schuelerStruktur,      &k_lehrerStruktur,     &k_raumStruktur,
                                       &k_einzelterminStruktur,  &k_dauerterminStruktur, &k_vertretungsterminStruktur,
                                       &k_klasseStruktur,        &k_zensurStruktur,     &k_fehlzeitStruktur};
    out.writeLine("/STRUCTBEGIN");
    for (int i = 0; i < 9; ++i) {
        out.writeLine(kArten[i].zeile);
        for (const auto& f : *vorlagen[i])
            if (f) writeStrukturzeile(out, *f);
    }
    for (const std::string& z : k_strukturZusatz) out.writeLine(text::oneLine(z));
    out.writeLine("/STRUCTEND");
}

// ---------------------------------------------------------------- load

void c_Database::meldeUnerwartetesEnde() {
    if (k_dateiEnde) return;
    k_dateiEnde = true;
    if (k_fehler) *k_fehler += kUnerwartetesEnde;
}

bool c_Database::load() {
    text::LineReader leser;
    std::string name = k_hatDateiname ? k_dateiname : STRUKTURDATEI;
    text::LineReader::Status status = leser.open(name);
    if (status == text::LineReader::Status::Unreadable && k_fehler)
        *k_fehler += "Die Datei " + name + " konnte nicht gelesen werden.\n";
    if (status != text::LineReader::Status::Ok && name != STRUKTURDATEI) {
        name = STRUKTURDATEI;
        status = leser.open(name);
        if (status == text::LineReader::Status::Unreadable && k_fehler)
            *k_fehler += "Die Datei " + name + " konnte nicht gelesen werden.\n";
    }
    k_dateiname = name;
    k_hatDateiname = true;
    if (status != text::LineReader::Status::Ok) {
        if (status == text::LineReader::Status::Missing) {
            // The program's own file: a link of that name is replaced, not followed.
            text::TextFileWriter out(STRUKTURDATEI, text::TextFileWriter::Ablage::Platte, {},
                                     text::TextFileWriter::Ziel::Eigen);
            out.writeLine(STRUKTURDATEI_KOPF);
            for (const std::string& z : standardStrukturAbschnitt()) out.writeLine(z);
            out.commit();
        }
        return false;
    }
    k_geleseneDatei = name;

    text::setIgnoreCase(true);
    k_leser = &leser;
    k_dateiEnde = false;
    bool ergebnis = false;
    bool gefunden = false;
    while (!leser.atEnd()) {
        if (text::startsWith(readLine(), "/STRUCTBEGIN")) {
            gefunden = true;
            break;
        }
    }
    if (!gefunden) {
        meldeUnerwartetesEnde();
    } else {
        ergebnis = readStruktur();
        if (ergebnis) ergebnis = pruefePflichtfelder();
        k_strukturGeladen = ergebnis;
        if (ergebnis) {
            readDaten();
            if (k_dateiEnde) ergebnis = false;
        }
    }
    k_einzeltermine.sort();
    k_vertretungstermine.sort();
    k_klassen.sort();
    k_lehrer.sort();
    k_schueler.sort();
    k_raeume.sort();
    k_faecher.sort();
    k_leser = nullptr;
    return ergebnis;
}

std::string c_Database::readLine() { return k_leser->readLine(); }

std::string c_Database::readWert(bool* schluessel) {
    if (schluessel) *schluessel = false;
    std::string zeile;
    while (k_leser->readLine(zeile)) {
        // A CR inside a line (only a damaged file has one) is read as the space the writer
        // would write for it, so that a value reads back as it was loaded.
        std::replace(zeile.begin(), zeile.end(), '\r', ' ');
        if (!zeile.empty() && zeile[0] == '/') {
            if (schluessel) *schluessel = true;
            return zeile;
        }
        if (text::startsWith(zeile, "int,")) return zeile.substr(4);
        if (text::startsWith(zeile, "string,")) return zeile.substr(7);
        if (text::startsWith(zeile, "bool,")) return zeile.substr(5);
    }
    meldeUnerwartetesEnde();
    return std::string();
}

int c_Database::readIndex() { return text::leadingInt(readWert()); }

bool c_Database::readMarke(const char* marke) {
    bool schluessel;
    const std::string wert = readWert(&schluessel);
    return schluessel && wert == marke;
}

std::unique_ptr<c_Datenliste> c_Database::readFelder(const c_Datenliste& vorlage) {
    auto felder = std::make_unique<c_Datenliste>();
    for (const auto& v : vorlage) {
        if (!v) continue;
        std::unique_ptr<c_datatype> f = v->clone();
        std::string wert = readWert();
        switch (f->getTyp()) {
        case TYP_INT: static_cast<c_IntObj*>(f.get())->setWert(text::leadingInt(wert)); break;
        case TYP_BOOL: static_cast<c_BoolObj*>(f.get())->setWert(text::leadingInt(wert) == 1); break;
        case TYP_STRING: static_cast<c_StringObj*>(f.get())->setWert(std::move(wert)); break;
        default: break;
        }
        felder->push_back(std::move(f));
    }
    return felder;
}

void c_Database::readDaten() {
    std::string zeile;
    bool gefunden = false;
    while (k_leser->readLine(zeile)) {
        if (text::startsWith(zeile, "/DATABEGIN")) {
            gefunden = true;
            break;
        }
    }
    if (!gefunden) return;  // a structure file holds none

    using Leser = void (c_Database::*)();
    static const std::pair<const char*, Leser> kLeser[] = {
        {"/System", &c_Database::readSystem},
        {"/Fach", &c_Database::readFach},
        {"/Lehrer", &c_Database::readLehrer},
        {"/Raum", &c_Database::readRaum},
        {"/Klasse", &c_Database::readKlasse},
        {"/Wunsch", &c_Database::readWunsch},
        {"/Einzeltermin", &c_Database::readEinzeltermin},
        {"/Dauertermin", &c_Database::readDauertermin},
        {"/Vertretungstermin", &c_Database::readVertretungstermin},
        {"/Schueler", &c_Database::readSchueler},
    };
    while (k_leser->readLine(zeile)) {
        for (const auto& l : kLeser) {
            if (text::startsWith(zeile, l.first)) {
                (this->*l.second)();
                break;
            }
        }
        if (k_dateiEnde) return;
        if (text::startsWith(zeile, "/BEGINVER")) {
            std::string ver;
            while (k_leser->readLine(ver)) {
                k_verBlock += ver;
                if (text::startsWith(ver, "/ENDVER")) break;
            }
        }
        if (text::startsWith(zeile, "/DATAEND")) return;
    }
    // A data section that stops without its closing line (within a version block, or between
    // two records) was cut off and must not pass for a complete, smaller year.
    meldeUnerwartetesEnde();
}

void c_Database::readSystem() {
    const int minK = readIndex();
    const int maxK = readIndex();
    const int neuK = readIndex();
    const bool samstag = readIndex() == 1;
    const int stunden = readIndex();
    if (k_dateiEnde) return;
    k_minKlasse = minK;
    k_maxKlasse = maxK;
    k_neuKlasse = neuK;
    k_samstag = samstag;
    k_stundenProTag = stunden;
}

void c_Database::readFach() {
    auto fach = std::make_unique<c_Fach>(readWert());
    if (k_dateiEnde) return;
    k_faecher.push_back(fach.release());
}

// The sub-list markers count only on keyword lines: a subject line, grade or remark whose text
// looks like a marker is a value like any other.
std::unique_ptr<c_Fachliste> c_Database::readFachliste(bool& vorhanden) {
    vorhanden = false;
    if (!readMarke("/FachlisteBegin")) return nullptr;
    auto liste = std::make_unique<c_Fachliste>();
    for (;;) {
        bool schluessel;
        const std::string wert = readWert(&schluessel);
        if (k_dateiEnde) return nullptr;
        if (schluessel && wert == "/FachlisteEnd") break;
        if (c_Fach* f = k_faecher.getFach(text::leadingInt(wert))) liste->push_back(f);
    }
    vorhanden = true;
    return liste;
}

void c_Database::readFehlzeitliste(c_Fehlzeitliste& liste) {
    if (!readMarke("/FehlzeitlisteBegin")) return;
    bool schluessel;
    std::string wert = readWert(&schluessel);
    while (!k_dateiEnde && !(schluessel && wert == "/FehlzeitlisteEnd")) {
        if (schluessel && wert == "/Fehlzeit") {
            auto fz = std::make_unique<c_Fehlzeit>();
            fz->setFelder(readFelder(k_fehlzeitStruktur));
            if (k_dateiEnde) return;
            liste.push_back(fz.release());
        }
        wert = readWert(&schluessel);
    }
}

void c_Database::readZensurliste(c_Zensurliste& liste) {
    if (!readMarke("/ZensurenlisteBegin")) return;
    bool schluessel;
    std::string wert = readWert(&schluessel);
    while (!k_dateiEnde && !(schluessel && wert == "/ZensurenlisteEnd")) {
        if (schluessel && wert == "/Zensur") {
            auto z = std::make_unique<c_Zensur>();
            z->setFelder(readFelder(k_zensurStruktur));
            z->setFach(k_faecher.getFach(readIndex()));
            if (k_dateiEnde) return;
            liste.push_back(z.release());
        }
        wert = readWert(&schluessel);
    }
}

void c_Database::readLehrer() {
    auto l = std::make_unique<c_Lehrer>();
    l->setFelder(readFelder(k_lehrerStruktur));
    l->setVergebeneStunden(readIndex());
    bool vorhanden;
    std::unique_ptr<c_Fachliste> faecher = readFachliste(vorhanden);
    if (vorhanden) l->setFachliste(std::move(faecher));
    if (!k_dateiEnde) readFehlzeitliste(*l->getFehlzeitliste());
    if (k_dateiEnde) return;
    k_lehrer.push_back(l.release());
}

void c_Database::readRaum() {
    auto r = std::make_unique<c_Raum>();
    r->setFelder(readFelder(k_raumStruktur));
    bool vorhanden;
    std::unique_ptr<c_Fachliste> faecher = readFachliste(vorhanden);
    if (vorhanden) r->setFachliste(std::move(faecher));
    if (k_dateiEnde) return;
    k_raeume.push_back(r.release());
}

void c_Database::readKlasse() {
    auto k = std::make_unique<c_Klasse>();
    k->setFelder(readFelder(k_klasseStruktur));
    k->setKlassenraum(k_raeume.getRaum(readIndex()));
    k->setKlassenlehrer(k_lehrer.getLehrer(readIndex()));
    if (k_dateiEnde) return;
    k_klassen.push_back(k.release());
}

void c_Database::readWunsch() {
    auto w = std::make_unique<c_Wunsch>();
    w->setJahrgang(readIndex());
    w->setStunden(readIndex());
    w->setStunden2(readIndex());
    w->setFach(k_faecher.getFach(readIndex()));
    if (k_dateiEnde) return;
    k_curriculum.push_back(w.release());
}

void c_Database::readEinzeltermin() {
    auto t = std::make_unique<c_Einzeltermin>();
    t->setFelder(readFelder(k_einzelterminStruktur));
    t->setKlasse(k_klassen.getKlasse(readIndex()));
    t->setRaum(k_raeume.getRaum(readIndex()));
    t->setLehrer(k_lehrer.getLehrer(readIndex()));
    t->setFach(k_faecher.getFach(readIndex()));
    t->setEingeordnet(true);
    if (k_dateiEnde) return;
    k_einzeltermine.push_back(t.release());
}

void c_Database::readDauertermin() {
    auto t = std::make_unique<c_Dauertermin>();
    t->setFelder(readFelder(k_dauerterminStruktur));
    t->setWochentag(readWert());
    t->setKlasse(k_klassen.getKlasse(readIndex()));
    t->setRaum(k_raeume.getRaum(readIndex()));
    t->setLehrer(k_lehrer.getLehrer(readIndex()));
    t->setFach(k_faecher.getFach(readIndex()));
    t->setEingeordnet(true);
    if (k_dateiEnde) return;
    k_dauertermine.push_back(t.release());
}

void c_Database::readVertretungstermin() {
    auto t = std::make_unique<c_Vertretungstermin>();
    t->setFelder(readFelder(k_vertretungsterminStruktur));
    t->setKlasse(k_klassen.getKlasse(readIndex()));
    t->setRaum(k_raeume.getRaum(readIndex()));
    t->setLehrer(k_lehrer.getLehrer(readIndex()));
    t->setFach(k_faecher.getFach(readIndex()));
    t->setVertretenerLehrer(k_lehrer.getLehrer(readIndex()));
    t->setEingeordnet(true);
    if (k_dateiEnde) return;
    k_vertretungstermine.push_back(t.release());
}

void c_Database::readSchueler() {
    auto s = std::make_unique<c_Schueler>();
    s->setFelder(readFelder(k_schuelerStruktur));
    s->setKlasse(k_klassen.getKlasse(readIndex()));
    if (!k_dateiEnde) readZensurliste(*s->getZensurliste());
    if (!k_dateiEnde) readFehlzeitliste(*s->getFehlzeitliste());
    if (k_dateiEnde) return;
    k_schueler.push_back(s.release());
}

// ---------------------------------------------------------------- save

void c_Database::writeInt(text::TextFileWriter& out, int v) { out.writeLine("int," + std::to_string(v)); }
void c_Database::writeBool(text::TextFileWriter& out, bool v) { out.writeLine(v ? "bool,1" : "bool,0"); }
void c_Database::writeString(text::TextFileWriter& out, const std::string& v) {
    out.writeLine("string," + text::oneLine(v));
}

void c_Database::writeFelder(text::TextFileWriter& out, const c_Datenliste* felder) {
    if (!felder) return;
    for (const auto& f : *felder) {
        if (!f) continue;
        switch (f->getTyp()) {
        case TYP_INT: writeInt(out, static_cast<const c_IntObj*>(f.get())->getWert()); break;
        case TYP_BOOL: writeBool(out, static_cast<const c_BoolObj*>(f.get())->getWert()); break;
        case TYP_STRING: writeString(out, static_cast<const c_StringObj*>(f.get())->text()); break;
        default: break;
        }
    }
}

namespace {
// 1-based positions of the records of one list; the last match wins.
template <class L>
std::unordered_map<const void*, int> positionen(const L& liste) {
    std::unordered_map<const void*, int> pos;
    pos.reserve(liste.size() * 2);
    int i = 0;
    for (const auto* p : liste) pos[p] = ++i;
    return pos;
}

int positionIn(const std::unordered_map<const void*, int>& pos, const void* p) {
    if (!p) return 0;
    auto it = pos.find(p);
    return it == pos.end() ? 0 : it->second;
}
}  // namespace

bool c_Database::save(const std::string& dateiname, const std::string& vorbild) const {
    text::TextFileWriter out(dateiname, text::TextFileWriter::Ablage::Platte, vorbild);
    out.writeLine(DATENDATEI_KOPF);
    writeStruktur(out);
    out.writeLine("/DATABEGIN");
    out.writeLine("/System");
    out.writeLine("# Min.Klasse");
    writeInt(out, k_minKlasse);
    out.writeLine("# Max.Klasse");
    writeInt(out, k_maxKlasse);
    out.writeLine("# Neu.Klasse");
    writeInt(out, k_neuKlasse);
    out.writeLine("# Samstag");
    writeBool(out, k_samstag);
    out.writeLine("# Stunden pro Tag");
    writeInt(out, k_stundenProTag);

    const auto fachPos = positionen(k_faecher);
    const auto lehrerPos = positionen(k_lehrer);
    const auto raumPos = positionen(k_raeume);
    const auto klassePos = positionen(k_klassen);

    auto writeFachliste = [&](const c_Fachliste* faecher) {
        out.writeLine("/FachlisteBegin");
        if (faecher)
            for (const c_Fach* f : *faecher) writeInt(out, positionIn(fachPos, f));
        out.writeLine("/FachlisteEnd");
    };
    auto writeFehlzeiten = [&](const c_Fehlzeitliste& liste) {
        out.writeLine("/FehlzeitlisteBegin");
        for (const c_Fehlzeit* f : liste) {
            if (!f) continue;
            out.writeLine("/Fehlzeit");
            writeFelder(out, f->getFelder());
        }
        out.writeLine("/FehlzeitlisteEnd");
    };
    auto writeLinks = [&](const c_Termin* t) {
        writeInt(out, positionIn(klassePos, t->getKlasse()));
        writeInt(out, positionIn(raumPos, t->getRaum()));
        writeInt(out, positionIn(lehrerPos, t->getLehrer()));
        writeInt(out, positionIn(fachPos, t->getFach()));
    };

    for (const c_Fach* f : k_faecher) {
        if (!f) continue;
        out.writeLine("/Fach");
        writeString(out, f->getName());
    }
    for (const c_Lehrer* l : k_lehrer) {
        if (!l) continue;
        out.writeLine("/Lehrer");
        writeFelder(out, l->getFelder());
        writeInt(out, l->getVergebeneStunden());
        writeFachliste(l->getFachliste());
        writeFehlzeiten(*l->getFehlzeitliste());
    }
    for (const c_Raum* r : k_raeume) {
        if (!r) continue;
        out.writeLine("/Raum");
        writeFelder(out, r->getFelder());
        writeFachliste(r->getFachliste());
    }
    for (const c_Klasse* k : k_klassen) {
        if (!k) continue;
        out.writeLine("/Klasse");
        writeFelder(out, k->getFelder());
        writeInt(out, positionIn(raumPos, k->getKlassenraum()));
        writeInt(out, positionIn(lehrerPos, k->getKlassenlehrer()));
    }
    for (const c_Wunsch* w : k_curriculum) {
        if (!w) continue;
        out.writeLine("/Wunsch");
        writeInt(out, w->getJahrgang());
        writeInt(out, w->getStunden());
        writeInt(out, w->getStunden2());
        writeInt(out, positionIn(fachPos, w->getFach()));
    }
    for (const c_Einzeltermin* t : k_einzeltermine) {
        if (!t) continue;
        out.writeLine("/Einzeltermin");
        writeFelder(out, t->getFelder());
        writeLinks(t);
    }
    for (const c_Dauertermin* t : k_dauertermine) {
        if (!t) continue;
        out.writeLine("/Dauertermin");
        writeFelder(out, t->getFelder());
        writeString(out, t->getWochentag());
        writeLinks(t);
    }
    for (const c_Vertretungstermin* t : k_vertretungstermine) {
        if (!t) continue;
        out.writeLine("/Vertretungstermin");
        writeFelder(out, t->getFelder());
        writeLinks(t);
        writeInt(out, positionIn(lehrerPos, t->getVertretenerLehrer()));
    }
    for (const c_Schueler* s : k_schueler) {
        if (!s) continue;
        out.writeLine("/Schueler");
        writeFelder(out, s->getFelder());
        writeInt(out, positionIn(klassePos, s->getKlasse()));
        out.writeLine("/ZensurenlisteBegin");
        for (const c_Zensur* z : *s->getZensurliste()) {
            if (!z) continue;
            out.writeLine("/Zensur");
            writeFelder(out, z->getFelder());
            writeInt(out, positionIn(fachPos, z->getFach()));
        }
        out.writeLine("/ZensurenlisteEnd");
        writeFehlzeiten(*s->getFehlzeitliste());
    }
    if (!k_verBlock.empty()) writeString(out, k_verBlock);
    out.writeLine("/DATAEND");
    return out.commit();
}
