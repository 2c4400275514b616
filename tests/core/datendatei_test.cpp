// The data file: a full year through save and load, the exact bytes of small
// files, the reading rules for odd but complete files, and damaged files of
// every kind (cut, unreadable, missing markers) together with safe saving.
#include "jahrgang_hilfe.h"

#include <csignal>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace jahrgang;

namespace {

const std::string kEnde = "Die Datei endet unerwartet.\n";

class Datendatei : public MitSchulverwaltung {
protected:
    // Loads a file into a second front end of the same folder.
    std::unique_ptr<c_Schulverwaltung> lade(const std::string& name, std::string& fehler, bool* ok = nullptr) {
        auto neu = std::make_unique<c_Schulverwaltung>();
        const bool geladen = neu->load(name.c_str(), &fehler);
        if (ok) *ok = geladen;
        return neu;
    }
    // Writes the bytes to t.sdb and loads them.
    std::unique_ptr<c_Schulverwaltung> ladeBytes(const std::string& bytes, std::string& fehler, bool* ok = nullptr) {
        schreibe("t.sdb", bytes);
        return lade("t.sdb", fehler, ok);
    }
    // The full year of baueJahrgang as saved file bytes.
    std::string vollerJahrgang() {
        baueJahrgang(*sv);
        EXPECT_EQ(sv->save("voll.sdb"), 1);
        return lese("voll.sdb");
    }
};

}  // namespace

// ---------------------------------------------------------------- round trip

TEST_F(Datendatei, JahrMitAllenDatensaetzenUeberstehtSpeichernUndLadenByteGleich) {
    baueJahrgang(*sv);
    const std::string vorher = inhalt(db());
    ASSERT_EQ(sv->save("a.sdb"), 1);

    std::string fehler;
    bool ok = false;
    auto zweite = lade("a.sdb", fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(fehler, "");
    c_Database& db2 = *zweite->getDatabase();
    EXPECT_EQ(inhalt(db2), vorher);
    EXPECT_TRUE(linksImSpeicher(db2));
    ASSERT_EQ(zweite->save("b.sdb"), 1);
    EXPECT_EQ(lese("b.sdb"), lese("a.sdb"));

    // Orders that the sorted inserts made and the loader must keep.
    auto namen = [](auto* liste, auto name) {
        std::string s;
        for (auto* e : *liste) s += name(e) + "|";
        return s;
    };
    EXPECT_EQ(namen(zweite->getFachliste(), [](c_Fach* f) { return f->getName(); }),
              "Deutsch|erdkunde|Französisch|Mathematik|Physik|Sport, Spiel|");
    EXPECT_EQ(namen(zweite->getEinzelterminliste(), [](c_Einzeltermin* t) { return t->getName(); }),
              "Ausflug ins Grüne|Klassenfahrt, 2 Tage|Elternabend|Neujahrsempfang|");
    EXPECT_EQ(namen(zweite->getDauerterminliste(), [](c_Dauertermin* t) { return t->getWochentag(); }),
              "Samstag|Montag|Freitag|Montag|");
    EXPECT_EQ(namen(zweite->getCurriculum(), [](c_Wunsch* w) { return std::to_string(w->getJahrgang()); }),
              "5|5|7|10|");
    EXPECT_EQ(zweite->getCurriculum()->getWunsch(1)->getFach()->getName(), "Mathematik");
    EXPECT_EQ(namen(zweite->getSchuelerliste(),
                    [](c_Schueler* s) {
                        return s->getName() + "," + s->getVorname() + "," +
                               (s->getKlasse() ? std::to_string(s->getKlasse()->getJahrgang()) : "-");
                    }),
              "becker,Anna,5|Becker,Tom,-|Becker,Tom,5|Jürgens,Lena,5|Ärger,Ömer,10|");
    EXPECT_TRUE(zweite->getSamstag());
    EXPECT_EQ(zweite->getStundenProTag(), 8);

    // On disk the text is Windows-1252, values with commas stay on one line.
    const std::string bytes = lese("a.sdb");
    EXPECT_NE(bytes.find("\r\nstring,M\xFC" "ller\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nstring,Klassenfahrt, 2 Tage\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nstring,Samstag\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("\xC3"), std::string::npos) << "UTF-8 im Datenbestand";
}

TEST_F(Datendatei, BeispielDateiWirdGelesenUndByteGleichGeschrieben) {
    std::vector<std::string> daten = systemblock(5, 10, 2, false, 6);
    for (const char* z :
         {"/Fach", "string,Mathematik", "/Lehrer", "string,J\xFC" "rgen", "string,M\xFC" "ller", "string,", "int,0",
          "string,", "string,", "int,0", "int,0", "int,0", "bool,0", "int,24", "int,2", "/FachlisteBegin", "int,1",
          "/FachlisteEnd", "/FehlzeitlisteBegin", "/FehlzeitlisteEnd", "/Klasse", "int,5", "string,a", "string,",
          "int,0", "int,1", "/Dauertermin", "int,1", "int,2", "string,Montag", "int,1", "int,0", "int,1", "int,1",
          "/DATAEND"})
        daten.push_back(z);
    const std::string datei = datendatei(daten);

    std::string fehler;
    bool ok = false;
    auto geladen = ladeBytes(datei, fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(fehler, "");
    ASSERT_EQ(geladen->getKlassenliste()->size(), 1u);
    ASSERT_EQ(geladen->getDauerterminliste()->size(), 1u);
    c_Lehrer* l = geladen->getLehrerliste()->getLehrer(1);
    EXPECT_EQ(l->getName(), "Müller");
    EXPECT_EQ(l->getVorname(), "Jürgen");
    EXPECT_EQ(l->getPflichtstunden(), 24);
    EXPECT_EQ(l->getVergebeneStunden(), 2);
    c_Klasse* k = geladen->getKlassenliste()->getKlasse(1);
    EXPECT_EQ(k->getJahrgang(), 5);
    EXPECT_EQ(k->getBez(), 'a');
    EXPECT_EQ(k->getKlassenraum(), nullptr);
    EXPECT_EQ(k->getKlassenlehrer(), l);
    c_Dauertermin* t = geladen->getDauerterminliste()->getDauertermin(1);
    EXPECT_EQ(t->getAStd(), 1);
    EXPECT_EQ(t->getEStd(), 2);
    EXPECT_EQ(t->getWochentag(), "Montag");
    EXPECT_EQ(t->getKlasse(), k);
    EXPECT_EQ(t->getRaum(), nullptr);
    EXPECT_EQ(t->getLehrer(), l);
    EXPECT_EQ(t->getFach(), geladen->getFachliste()->getFach(1));

    ASSERT_EQ(geladen->save("zurueck.sdb"), 1);
    EXPECT_EQ(lese("zurueck.sdb"), datei);
}

TEST_F(Datendatei, LeererJahrgangSchreibtKopfStrukturUndEinstellungen) {
    baueJahrgang(*sv);
    sv->clear();
    ASSERT_EQ(sv->save("leer.sdb"), 1);
    std::vector<std::string> daten = systemblock(0, 0, 0, false, 6);
    daten.push_back("/DATAEND");
    EXPECT_EQ(lese("leer.sdb"), datendatei(daten));
}

// ---------------------------------------------------------------- reading rules

TEST_F(Datendatei, WerteWerdenNachIhrerZeileGelesen) {
    std::vector<std::string> daten = {
        "/System", "# Min.Klasse", "string,5", "int,-3", "# Neu.Klasse folgt", "", "int,1", "bool,2", "int,7",
        "# ein Kommentar zwischen den Datensaetzen", "",
        "/Fach", "string,Klassenfahrt, 2 Tage",
        "/Fach", "string,",
        "/DATAEND",
        "/Fach", "string,Nach dem Ende",
    };
    std::vector<std::string> zeilen = {kopfzeile()};
    for (const auto& z : standardStruktur()) zeilen.push_back(z);
    zeilen.push_back("zwischen Struktur und Daten");
    zeilen.push_back("/Fach");
    zeilen.push_back("string,nicht gelesen");
    zeilen.push_back("/DATABEGIN");
    zeilen.insert(zeilen.end(), daten.begin(), daten.end());

    std::string fehler;
    bool ok = false;
    auto g = ladeBytes(crlf(zeilen), fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(fehler, "");
    EXPECT_EQ(g->getMinKlasse(), 5) << "string,5 gibt als Zahl 5";
    EXPECT_EQ(g->getMaxKlasse(), -3);
    EXPECT_EQ(g->getNeuKlasse(), 1);
    EXPECT_FALSE(g->getSamstag()) << "nur der Wert 1 ist wahr";
    EXPECT_EQ(g->getStundenProTag(), 7);
    ASSERT_EQ(g->getFachliste()->size(), 2u);
    EXPECT_EQ(g->getFachliste()->getFach(1)->getName(), "");
    EXPECT_EQ(g->getFachliste()->getFach(2)->getName(), "Klassenfahrt, 2 Tage");
}

TEST_F(Datendatei, VerweiseWerdenGegenDieBisherGelesenenDatensaetzeAufgeloest) {
    const auto lehrerZeilen = [](const char* name, std::vector<std::string> faecher) {
        std::vector<std::string> z = {"/Lehrer", "string,Vorname", std::string("string,") + name, "string,", "int,0",
                                      "string,", "string,", "int,0", "int,0", "int,0", "bool,0", "int,20", "int,0",
                                      "/FachlisteBegin"};
        for (auto& f : faecher) z.push_back(f);
        z.insert(z.end(), {"/FachlisteEnd", "/FehlzeitlisteBegin", "/FehlzeitlisteEnd"});
        return z;
    };
    std::vector<std::string> daten = {
        // A class before the teachers and rooms it names loses both links.
        "/Klasse", "int,9", "string,z", "string,", "int,1", "int,1",
    };
    for (const char* f : {"A", "B", "C", "D", "E"}) daten.insert(daten.end(), {"/Fach", std::string("string,") + f});
    auto l = lehrerZeilen("Lehmann", {"int,7", "int,2", "int,0", "int,5"});
    daten.insert(daten.end(), l.begin(), l.end());
    daten.insert(daten.end(), {"/Raum", "string,R1", "bool,1", "/FachlisteBegin", "/FachlisteEnd"});
    daten.insert(daten.end(), {"/Klasse", "int,5", "string,a", "string,", "int,0", "int,1"});
    daten.insert(daten.end(), {"/Klasse", "int,5", "string,b", "string,", "int,2", "int,0"});
    daten.insert(daten.end(), {"/Klasse", "int,5", "string,c", "string,", "int,1", "int,0"});
    daten.insert(daten.end(), {"/Schueler", "string,Lena", "string,Jung", "string,", "int,0", "string,", "string,",
                               "int,0", "int,0", "int,0", "int,4", "/ZensurenlisteBegin", "/Zensur", "string,2",
                               "string,gut", "int,2", "/Zensur", "string,4", "string,", "int,0",
                               "/ZensurenlisteEnd", "/FehlzeitlisteBegin", "/FehlzeitlisteEnd"});
    daten.push_back("/DATAEND");

    std::string fehler;
    bool ok = false;
    auto g = ladeBytes(datendatei(daten), fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(fehler, "");
    c_Lehrer* lehrer = g->getLehrerliste()->getLehrer(1);
    ASSERT_NE(lehrer, nullptr);
    ASSERT_NE(lehrer->getFachliste(), nullptr);
    ASSERT_EQ(lehrer->getFachliste()->size(), 2u) << "Fach 7 und 0 gibt es nicht";
    EXPECT_EQ(lehrer->getFachliste()->getFach(1)->getName(), "B");
    EXPECT_EQ(lehrer->getFachliste()->getFach(2)->getName(), "E");

    c_Klassenliste& k = *g->getKlassenliste();
    ASSERT_EQ(k.size(), 4u);
    EXPECT_EQ(k.getKlasse(1)->getBez(), 'a');
    EXPECT_EQ(k.getKlasse(1)->getKlassenraum(), nullptr) << "Verweis 0";
    EXPECT_EQ(k.getKlasse(1)->getKlassenlehrer(), lehrer);
    EXPECT_EQ(k.getKlasse(2)->getKlassenraum(), nullptr) << "Verweis hinter dem Listenende";
    EXPECT_EQ(k.getKlasse(3)->getKlassenraum(), g->getRaumliste()->getRaum(1));
    EXPECT_EQ(k.getKlasse(4)->getJahrgang(), 9);
    EXPECT_EQ(k.getKlasse(4)->getKlassenraum(), nullptr) << "Raeume kommen spaeter in der Datei";
    EXPECT_EQ(k.getKlasse(4)->getKlassenlehrer(), nullptr);

    c_Schueler* s = g->getSchuelerliste()->getSchueler(1);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->getKlasse(), k.getKlasse(3)) << "vierte Klasse der Datei, 5c";
    ASSERT_EQ(s->getZensurliste()->size(), 2u);
    EXPECT_EQ(s->getZensurliste()->getZensur(1)->getFelder()->getString("BEMERKUNG"), "gut");
    EXPECT_EQ(s->getZensurliste()->getZensur(1)->getFach()->getName(), "B");
    EXPECT_EQ(s->getZensurliste()->getZensur(2)->getFach(), nullptr);
}

TEST_F(Datendatei, LadenSortiertDieListenUndBehaeltBeiGleichenSchluesselnDieDateifolge) {
    const auto termin = [](const char* art, int tag, const char* name) {
        std::vector<std::string> z = {art, "int,1", "int,1", "int," + std::to_string(tag), "int,3", "int,2024",
                                      std::string("string,") + name, "int,0", "int,0", "int,0", "int,0"};
        if (std::string(art) == "/Vertretungstermin") z.push_back("int,0");
        return z;
    };
    const auto schueler = [](const char* name, const char* vorname) {
        return std::vector<std::string>{"/Schueler", std::string("string,") + vorname, std::string("string,") + name,
                                        "string,", "int,0", "string,", "string,", "int,0", "int,0", "int,0", "int,0",
                                        "/ZensurenlisteBegin", "/ZensurenlisteEnd", "/FehlzeitlisteBegin",
                                        "/FehlzeitlisteEnd"};
    };
    std::vector<std::string> daten;
    const auto dazu = [&](const std::vector<std::string>& z) { daten.insert(daten.end(), z.begin(), z.end()); };
    for (const char* f : {"Physik", "biologie", "Chemie"}) dazu({"/Fach", std::string("string,") + f});
    dazu({"/Wunsch", "int,7", "int,1", "int,1", "int,1"});
    dazu({"/Wunsch", "int,5", "int,2", "int,2", "int,2"});
    dazu(termin("/Einzeltermin", 5, "b"));
    dazu(termin("/Einzeltermin", 1, "a"));
    dazu(termin("/Einzeltermin", 5, "c"));
    dazu(termin("/Vertretungstermin", 9, "y"));
    dazu(termin("/Vertretungstermin", 8, "x"));
    dazu({"/Dauertermin", "int,5", "int,5", "string,Freitag", "int,0", "int,0", "int,0", "int,0"});
    dazu({"/Dauertermin", "int,1", "int,1", "string,Montag", "int,0", "int,0", "int,0", "int,0"});
    dazu(schueler("Zorn", "Zoe"));
    dazu(schueler("adam", "Tom"));
    dazu(schueler("Adam", "Ann"));
    dazu(schueler("ADAM", "Tom"));
    daten.push_back("/DATAEND");

    std::string fehler;
    bool ok = false;
    auto g = ladeBytes(datendatei(daten), fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(fehler, "");
    const auto folge = [](auto* liste, auto name) {
        std::string s;
        for (auto* e : *liste) s += name(e) + " ";
        return s;
    };
    EXPECT_EQ(folge(g->getFachliste(), [](c_Fach* f) { return f->getName(); }), "biologie Chemie Physik ");
    EXPECT_EQ(folge(g->getCurriculum(), [](c_Wunsch* w) { return std::to_string(w->getJahrgang()); }), "7 5 ");
    EXPECT_EQ(folge(g->getEinzelterminliste(), [](c_Einzeltermin* t) { return t->getName(); }), "a b c ");
    EXPECT_EQ(folge(g->getVertretungsterminliste(), [](c_Vertretungstermin* t) { return t->getName(); }), "x y ");
    EXPECT_EQ(folge(g->getDauerterminliste(), [](c_Dauertermin* t) { return t->getWochentag(); }), "Freitag Montag ");
    EXPECT_EQ(folge(g->getSchuelerliste(), [](c_Schueler* s) { return s->getName() + "," + s->getVorname(); }),
              "Adam,Ann adam,Tom ADAM,Tom Zorn,Zoe ");
}

TEST_F(Datendatei, VersionsblockWirdEinmalMitgeschriebenUndDannVergessen) {
    std::vector<std::string> daten = systemblock(5, 10, 1, false, 6);
    daten.insert(daten.end(), {"/BEGINVER", "A", "B", "/ENDVER", "/Fach", "string,Kunst", "/DATAEND"});
    std::string fehler;
    bool ok = false;
    auto g = ladeBytes(datendatei(daten), fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(g->getDatabase()->getVerBlock(), "AB/ENDVER");
    EXPECT_EQ(g->getFachliste()->size(), 1u);

    ASSERT_EQ(g->save("eins.sdb"), 1);
    const auto zeilen = zeilenVon(lese("eins.sdb"));
    ASSERT_GE(zeilen.size(), 2u);
    EXPECT_EQ(zeilen[zeilen.size() - 2], "string,AB/ENDVER");
    EXPECT_EQ(zeilen.back(), "/DATAEND");

    auto wieder = lade("eins.sdb", fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(wieder->getDatabase()->getVerBlock(), "");
    EXPECT_EQ(wieder->getFachliste()->size(), 1u);
    ASSERT_EQ(wieder->save("zwei.sdb"), 1);
    EXPECT_EQ(lese("zwei.sdb").find("AB/ENDVER"), std::string::npos);
}

TEST_F(Datendatei, DatensatzMitZuWenigenWertzeilenVerschlucktDenNaechsten) {
    std::vector<std::string> daten = {"/Wunsch", "int,5", "int,3", "int,2", "/Fach", "string,Deutsch",
                                      "/Fach",   "string,Kunst", "/DATAEND"};
    std::string fehler;
    bool ok = false;
    auto g = ladeBytes(datendatei(daten), fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(fehler, "");
    ASSERT_EQ(g->getCurriculum()->size(), 1u);
    EXPECT_EQ(g->getCurriculum()->getWunsch(1)->getStunden2(), 2);
    EXPECT_EQ(g->getCurriculum()->getWunsch(1)->getFach(), nullptr);
    ASSERT_EQ(g->getFachliste()->size(), 1u);
    EXPECT_EQ(g->getFachliste()->getFach(1)->getName(), "Kunst");
}

// Sub-list markers count only on keyword lines. Each case holds value lines whose text reads
// like a marker: a subject line (as the import copies the old file's lines), a stray value in
// a grade or absence list (a record written with one value more than the template), and names
// and remarks.
TEST_F(Datendatei, WerteDieWieMarkenAussehenSindKeineMarken) {
    const auto person = [](const char* art, const char* name) {
        std::vector<std::string> z = {art, "string,Vorname", std::string("string,") + name, "string,", "int,0",
                                      "string,", "string,", "int,0", "int,0", "int,0"};
        if (std::string(art) == "/Lehrer") z.insert(z.end(), {"bool,0", "int,20", "int,0"});
        return z;
    };
    const std::vector<std::string> fehlzeit = {"/Fehlzeit", "int,4", "int,3", "int,2024", "int,8", "int,3", "int,2024"};
    const auto plus = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    struct Fall {
        const char* was;
        std::vector<std::string> daten;
        const char* erwartet;
    };
    const Fall faelle[] = {
        {"Fachzeile eines Lehrers wie das Listenende",
         plus(plus(plus({"/Fach", "string,Mathe"}, person("/Lehrer", "Lehmann")),
                   {"/FachlisteBegin", "int,/FachlisteEnd", "int,1", "/FachlisteEnd", "/FehlzeitlisteBegin"}),
              plus(fehlzeit, {"/FehlzeitlisteEnd", "/DATAEND"})),
         "F: Mathe | L: Lehmann,Vorname[Mathe]{4.3.2024} | R: | K: | S: | W0 E0 D0 V0"},
        {"Fachzeile eines Raums wie das Listenende, dann eine Klasse",
         {"/Fach", "string,Mathe", "/Raum", "string,Aula", "bool,1", "/FachlisteBegin", "int,/FachlisteEnd", "int,1",
          "/FachlisteEnd", "/Klasse", "int,5", "string,a", "string,", "int,1", "int,0", "/DATAEND"},
         "F: Mathe | L: | R: Aula[Mathe] | K: 5a@Aula | S: | W0 E0 D0 V0"},
        {"Fach und Schueler namens /DATAEND, Raum mit Fachzeile /FachlisteEnd zuletzt",
         plus(plus({"/Fach", "string,/DATAEND"}, person("/Schueler", "/DATAEND")),
              {"int,0", "/ZensurenlisteBegin", "/ZensurenlisteEnd", "/FehlzeitlisteBegin", "/FehlzeitlisteEnd", "/Raum",
               "string,/Schueler", "bool,1", "/FachlisteBegin", "int,/FachlisteEnd", "/FachlisteEnd", "/DATAEND"}),
         "F: /DATAEND | L: | R: /Schueler[] | K: | S: /DATAEND,Vorname[]{} | W0 E0 D0 V0"},
        {"Bemerkung und ueberzaehliger Wert wie das Ende der Zensurenliste",
         plus(plus({"/Fach", "string,Mathe"}, person("/Schueler", "Jung")),
              plus({"int,0", "/ZensurenlisteBegin", "/Zensur", "string,2", "string,/ZensurenlisteEnd", "int,1",
                    "string,/ZensurenlisteEnd", "/Zensur", "string,/Zensur", "string,", "int,0",
                    "/ZensurenlisteEnd", "/FehlzeitlisteBegin"},
                   plus(fehlzeit, {"/FehlzeitlisteEnd", "/DATAEND"}))),
         "F: Mathe | L: | R: | K: | S: Jung,Vorname[2//ZensurenlisteEnd/Mathe;/Zensur//-;]{4.3.2024} | W0 E0 D0 V0"},
        {"ueberzaehlige Werte wie Marken der Fehlzeitliste",
         plus(plus(person("/Lehrer", "/FehlzeitlisteEnd"), {"/FachlisteBegin", "/FachlisteEnd", "/FehlzeitlisteBegin"}),
              plus(plus({"/Fehlzeit", "int,1", "int,2", "int,2024", "int,2", "int,2", "int,2024",
                         "string,/FehlzeitlisteEnd", "string,/Fehlzeit"},
                        fehlzeit),
                   {"/FehlzeitlisteEnd", "/DATAEND"})),
         "F: | L: /FehlzeitlisteEnd,Vorname[]{1.2.2024 4.3.2024} | R: | K: | S: | W0 E0 D0 V0"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        std::string fehler;
        bool ok = false;
        auto g = ladeBytes(datendatei(f.daten), fehler, &ok);
        EXPECT_TRUE(ok);
        EXPECT_EQ(fehler, "");
        EXPECT_EQ(uebersicht(*g->getDatabase()), f.erwartet);
    }
}

// The program's own files: values that read like keywords or markers, in every kind of record,
// come back unchanged.
TEST_F(Datendatei, WerteWieSchluesselwoerterUeberstehenSpeichernUndLaden) {
    Jahrgang j = baueJahrgang(*sv);
    j.mathe->setName("/FachlisteEnd");
    j.deutsch->setName("/DATAEND");
    j.mueller->getFelder()->setString("NAME", "/Schueler");
    j.mueller->getFelder()->setString("TELEFON", "/FachlisteEnd");
    j.weiss->getFelder()->setString("TELEFON", "/FehlzeitlisteBegin");
    j.r101->getFelder()->setString("NAME", "/ZensurenlisteEnd");
    j.k5a->setName("/Fach");
    j.lena->getFelder()->setString("NAME", "/DATAEND");
    j.lena->getFelder()->setString("TELEFON", "/Fehlzeit");
    j.lena->getZensurliste()->getZensur(1)->getFelder()->setString("ZENSUR", "/Zensur");
    j.lena->getZensurliste()->getZensur(1)->getFelder()->setString("BEMERKUNG", "/ZensurenlisteEnd");
    j.oemer->getFelder()->setString("ORT", "/ENDVER");
    j.oemer->getFelder()->setString("VORNAME", "/BEGINVER");
    db().getEinzelterminliste()->front()->setName("/ENDVER");
    db().getDauerterminliste()->front()->setWochentag("/DATAEND");
    db().getVertretungsterminliste()->front()->setName("/ZensurenlisteEnd");
    // The order the loader sorts into.
    db().getFachliste()->sort();
    db().getLehrerliste()->sort();
    db().getRaumliste()->sort();
    db().getSchuelerliste()->sort();
    const std::string vorher = inhalt(db());
    ASSERT_EQ(sv->save("a.sdb"), 1);

    std::string fehler;
    bool ok = false;
    auto g = lade("a.sdb", fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(fehler, "");
    EXPECT_EQ(inhalt(*g->getDatabase()), vorher);
    ASSERT_EQ(g->save("b.sdb"), 1);
    EXPECT_EQ(lese("b.sdb"), lese("a.sdb"));
}

TEST_F(Datendatei, FehlendesPflichtfeldGibtEineMeldungUndKeineDatensaetze) {
    std::vector<std::string> zeilen = {kopfzeile()};
    for (const auto& z : standardStruktur())
        if (z.rfind("string,VORNAME", 0) != 0 || zeilen.size() > 5) zeilen.push_back(z);
    zeilen.push_back("/DATABEGIN");
    for (const char* z : {"/Fach", "string,Kunst", "/DATAEND"}) zeilen.push_back(z);
    ASSERT_EQ(zeilen[3], "string,NAME,'Name:',15,33,180,20,50,1") << "VORNAME der Schueler fehlt";

    std::string fehler;
    bool ok = true;
    auto g = ladeBytes(crlf(zeilen), fehler, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(fehler, "Es fehlt das, unbedingt benötigte Feld VORNAME vom Typ string\n"
                      "bei den Schülern in der Datenbankdefinition!");
    EXPECT_EQ(anzahlen(*g->getDatabase()), (Anzahlen{}));
}

TEST_F(Datendatei, FremdeStrukturzeilenBleibenErhaltenUndStoerenNicht) {
    std::vector<std::string> zeilen = {kopfzeile()};
    for (const auto& z : standardStruktur()) {
        if (z == "/Einzeltermin")
            zeilen.insert(zeilen.end(), {"/Anmerkung", "Diese Datei kommt aus dem Sekretariat",
                                         "string,NOTIZ,'Notiz:',1,2,3,4,5,0"});
        zeilen.push_back(z);
    }
    zeilen.push_back("/DATABEGIN");
    for (const auto& z : systemblock(5, 10, 1, true, 7)) zeilen.push_back(z);
    for (const char* z : {"/Fach", "string,Kunst", "/Raum", "string,Atelier", "bool,1", "/FachlisteBegin", "int,1",
                          "/FachlisteEnd", "/Einzeltermin", "int,1", "int,2", "int,3", "int,4", "int,2024",
                          "string,Ausstellung", "int,0", "int,1", "int,0", "int,1", "/DATAEND"})
        zeilen.push_back(z);

    std::string fehler;
    bool ok = false;
    auto g = ladeBytes(crlf(zeilen), fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(fehler, "");
    EXPECT_EQ(g->getRaumStruktur()->size(), 2u);
    EXPECT_EQ(g->getEinzelterminStruktur()->findField("NOTIZ"), nullptr);
    ASSERT_EQ(g->save("eins.sdb"), 1);

    const auto geschrieben = zeilenVon(lese("eins.sdb"));
    const auto ende = std::find(geschrieben.begin(), geschrieben.end(), "/STRUCTEND");
    ASSERT_NE(ende, geschrieben.end());
    ASSERT_GE(ende - geschrieben.begin(), 4);
    EXPECT_EQ(*(ende - 4), "int,EJAHR,'Jahr',270,50,40,20,4,1");
    EXPECT_EQ(*(ende - 3), "/Anmerkung");
    EXPECT_EQ(*(ende - 2), "Diese Datei kommt aus dem Sekretariat");
    EXPECT_EQ(*(ende - 1), "string,NOTIZ,'Notiz:',1,2,3,4,5,0");

    auto wieder = lade("eins.sdb", fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(fehler, "");
    EXPECT_EQ(wieder->getFehlzeitStruktur()->size(), 6u) << "die Notiz ist kein Feld der Fehlzeiten";
    EXPECT_EQ(inhalt(*wieder->getDatabase()), inhalt(*g->getDatabase()));
    EXPECT_EQ(wieder->getEinzelterminliste()->getEinzeltermin(1)->getRaum(), wieder->getRaumliste()->getRaum(1));
    ASSERT_EQ(wieder->save("zwei.sdb"), 1);
    EXPECT_EQ(lese("zwei.sdb"), lese("eins.sdb"));
}

TEST_F(Datendatei, ZeilenumbruchImWertWirdAlsLeerzeichenGeschrieben) {
    Jahrgang j = baueJahrgang(*sv);
    j.lena->getFelder()->setString("STRASSE", "Erste Zeile\r\nZweite\rDritte\nVierte");
    j.mathe->setName("Mathe\nmatik");
    j.k5a->setName("Bären\r\n");
    const Anzahlen vorher = anzahlen(db());
    ASSERT_EQ(sv->save("a.sdb"), 1);
    const std::string bytes = lese("a.sdb");
    EXPECT_NE(bytes.find("\r\nstring,Erste Zeile  Zweite Dritte Vierte\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nstring,Mathe matik\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nstring,B\xE4" "ren  \r\n"), std::string::npos);

    std::string fehler;
    bool ok = false;
    auto g = lade("a.sdb", fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(fehler, "");
    EXPECT_EQ(anzahlen(*g->getDatabase()), vorher);
    EXPECT_EQ(g->getKlassenliste()->getKlasse(1)->getName(), "Bären  ");

    // A CR inside a value line of a damaged file is read as that space, so that the sorted
    // order and the bytes stay the same from one save to the next.
    g = ladeBytes(datendatei({"/Fach", "string,A\x1F", "/Fach", "string,A\rB", "/DATAEND"}), fehler, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(uebersicht(*g->getDatabase()), "F: A\x1F A B | L: | R: | K: | S: | W0 E0 D0 V0");
    ASSERT_EQ(g->save("b.sdb"), 1);
    g = lade("b.sdb", fehler, &ok);
    ASSERT_EQ(g->save("c.sdb"), 1);
    EXPECT_EQ(lese("c.sdb"), lese("b.sdb"));
}

// ---------------------------------------------------------------- damaged files

namespace {

// One record of the data section: its keyword and the lines it spans.
struct Abschnitt {
    std::string art;
    std::size_t beginn, ende;  // keyword line, and the line after its last line
};

std::vector<Abschnitt> abschnitte(const std::vector<std::string>& z) {
    static const std::set<std::string> kStichworte = {"/System", "/Fach", "/Lehrer", "/Raum", "/Klasse", "/Wunsch",
                                                      "/Einzeltermin", "/Dauertermin", "/Vertretungstermin",
                                                      "/Schueler", "/DATAEND"};
    std::vector<Abschnitt> a;
    const auto beginn = std::find(z.begin(), z.end(), "/DATABEGIN");
    for (std::size_t i = static_cast<std::size_t>(beginn - z.begin()) + 1; i < z.size(); ++i) {
        if (!kStichworte.count(z[i])) continue;
        if (!a.empty()) a.back().ende = i;
        if (z[i] == "/DATAEND") break;
        a.push_back({z[i], i, z.size()});
    }
    return a;
}

void zaehle(Anzahlen& n, const std::string& art) {
    if (art == "/Fach") ++n.fach;
    if (art == "/Lehrer") ++n.lehrer;
    if (art == "/Raum") ++n.raum;
    if (art == "/Klasse") ++n.klasse;
    if (art == "/Wunsch") ++n.wunsch;
    if (art == "/Einzeltermin") ++n.einzel;
    if (art == "/Dauertermin") ++n.dauer;
    if (art == "/Vertretungstermin") ++n.vertretung;
    if (art == "/Schueler") ++n.schueler;
}

std::string ersteZeilen(const std::vector<std::string>& z, std::size_t k) {
    return crlf(std::vector<std::string>(z.begin(), z.begin() + static_cast<std::ptrdiff_t>(k)));
}

std::set<std::string> zeilenMenge(const std::string& text) {
    std::set<std::string> m;
    for (const auto& z : zeilenVon(text)) m.insert(z);
    return m;
}

}  // namespace

TEST_F(Datendatei, DateiDieInnerhalbEinesDatensatzesEndetBehaeltAlleVollstaendigen) {
    const std::string bytes = vollerJahrgang();
    const auto z = zeilenVon(bytes);
    const auto teile = abschnitte(z);
    const std::size_t strukturEnde = static_cast<std::size_t>(std::find(z.begin(), z.end(), "/STRUCTEND") - z.begin());
    ASSERT_LT(strukturEnde, z.size());
    const std::size_t datenBeginn = static_cast<std::size_t>(std::find(z.begin(), z.end(), "/DATABEGIN") - z.begin());
    const std::size_t datenEnde = static_cast<std::size_t>(std::find(z.begin(), z.end(), "/DATAEND") - z.begin());
    ASSERT_LT(datenEnde, z.size());
    ASSERT_GT(teile.size(), 30u);
    const std::set<std::string> voll = zeilenMenge(inhalt(db()));
    const Anzahlen alle = anzahlen(db());

    for (std::size_t k = 0; k <= z.size(); ++k) {
        SCOPED_TRACE("die ersten " + std::to_string(k) + " Zeilen");
        // Cut inside the structure section, or after the data section began but before its closing
        // line (also between two records): either way the file is incomplete.
        bool innen = k <= strukturEnde || (k > datenBeginn && k <= datenEnde);
        Anzahlen erwartet{};
        bool system = false;
        for (const Abschnitt& a : teile) {
            if (a.ende <= k) {
                zaehle(erwartet, a.art);
                system = system || a.art == "/System";
            } else if (a.beginn < k) {
                innen = true;
            }
        }
        std::string fehler;
        bool ok = false;
        auto g = ladeBytes(ersteZeilen(z, k), fehler, &ok);
        c_Database& d = *g->getDatabase();
        EXPECT_EQ(ok, !innen);
        EXPECT_EQ(fehler, innen ? kEnde : "");
        EXPECT_EQ(anzahlen(d), erwartet);
        EXPECT_EQ(d.getStundenProTag(), system ? 8 : 6);
        EXPECT_TRUE(linksImSpeicher(d));
        // Every record that was kept is the complete record of the full file.
        const auto text = zeilenVon(inhalt(d));
        for (std::size_t i = 1; i < text.size(); ++i) EXPECT_TRUE(voll.count(text[i])) << text[i];
    }
    // The whole file loads everything.
    std::string fehler;
    auto g = ladeBytes(bytes, fehler);
    EXPECT_EQ(anzahlen(*g->getDatabase()), alle);
}

TEST_F(Datendatei, DateiDieMittenInEinerZeileEndetOderDerEineZeileFehltLaeuftDurch) {
    const auto z = zeilenVon(vollerJahrgang());
    const Anzahlen alle = anzahlen(db());
    // Whatever a damaged file gave must survive its own save and load.
    const auto stabil = [this](c_Schulverwaltung& g) {
        ASSERT_EQ(g.save("wieder.sdb"), 1);
        std::string fehler;
        auto wieder = lade("wieder.sdb", fehler);
        EXPECT_EQ(inhalt(*wieder->getDatabase()), inhalt(*g.getDatabase()));
    };
    for (std::size_t k = 0; k < z.size(); ++k) {
        SCOPED_TRACE("Zeile " + std::to_string(k + 1));
        std::string fehler;
        auto halb = ladeBytes(ersteZeilen(z, k) + z[k].substr(0, z[k].size() / 2), fehler);
        EXPECT_TRUE(anzahlen(*halb->getDatabase()).hoechstens(alle));
        EXPECT_TRUE(linksImSpeicher(*halb->getDatabase()));
        stabil(*halb);

        // Without the line, records may read values of their neighbours and
        // stray sub-list markers may read as records of their own.
        std::vector<std::string> ohne = z;
        ohne.erase(ohne.begin() + static_cast<std::ptrdiff_t>(k));
        fehler.clear();
        auto luecke = ladeBytes(crlf(ohne), fehler);
        EXPECT_TRUE(linksImSpeicher(*luecke->getDatabase()));
        stabil(*luecke);
    }
}

TEST_F(Datendatei, FehlendeMarkenBeendenDasLaden) {
    const auto z = zeilenVon(vollerJahrgang());
    const auto teile = abschnitte(z);

    // No "/STRUCTBEGIN": nothing is read.
    {
        std::vector<std::string> ohne;
        for (const auto& e : z)
            if (e != "/STRUCTBEGIN") ohne.push_back(e);
        std::string fehler;
        bool ok = true;
        auto g = ladeBytes(crlf(ohne), fehler, &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(fehler, kEnde);
        EXPECT_TRUE(g->getSchuelerStruktur()->empty());
        EXPECT_EQ(anzahlen(*g->getDatabase()), (Anzahlen{}));
    }
    // No "/STRUCTEND", with and without a data section behind it.
    {
        const auto ende = std::find(z.begin(), z.end(), "/STRUCTEND");
        std::string fehler;
        bool ok = true;
        auto g = ladeBytes(crlf(std::vector<std::string>(z.begin(), ende)), fehler, &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(fehler, kEnde);
        EXPECT_EQ(g->getFehlzeitStruktur()->size(), 6u);

        std::vector<std::string> ohne(z.begin(), ende);
        ohne.insert(ohne.end(), ende + 1, z.end());
        fehler.clear();
        g = ladeBytes(crlf(ohne), fehler, &ok);
        EXPECT_FALSE(ok);
        ASSERT_GE(fehler.size(), kEnde.size());
        EXPECT_EQ(fehler.substr(fehler.size() - kEnde.size()), kEnde);
        EXPECT_EQ(anzahlen(*g->getDatabase()), (Anzahlen{}));
    }
    // A version block without "/ENDVER" swallows the rest of the file.
    {
        std::vector<std::string> mit(z.begin(), z.begin() + static_cast<std::ptrdiff_t>(teile[3].beginn));
        mit.insert(mit.end(), {"/BEGINVER", "A", "B"});
        mit.insert(mit.end(), z.begin() + static_cast<std::ptrdiff_t>(teile[3].beginn), z.end());
        std::string fehler;
        bool ok = true;
        auto g = ladeBytes(crlf(mit), fehler, &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(fehler, kEnde);
        Anzahlen erwartet{};
        for (int i = 0; i < 3; ++i) zaehle(erwartet, teile[static_cast<std::size_t>(i)].art);
        EXPECT_EQ(anzahlen(*g->getDatabase()), erwartet);
    }
    // The last end marker of each sub-list missing: the record it belongs to
    // and everything after it are lost, everything before is kept.
    for (const std::string marke : {"/FachlisteEnd", "/FehlzeitlisteEnd", "/ZensurenlisteEnd"}) {
        SCOPED_TRACE(marke);
        const auto it = std::find(z.rbegin(), z.rend(), marke);
        ASSERT_NE(it, z.rend());
        const std::size_t weg = static_cast<std::size_t>(z.rend() - it) - 1;
        std::vector<std::string> ohne = z;
        ohne.erase(ohne.begin() + static_cast<std::ptrdiff_t>(weg));
        Anzahlen erwartet{};
        for (const Abschnitt& a : teile)
            if (a.ende <= weg) zaehle(erwartet, a.art);
        std::string fehler;
        bool ok = true;
        auto g = ladeBytes(crlf(ohne), fehler, &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(fehler, kEnde);
        EXPECT_EQ(anzahlen(*g->getDatabase()), erwartet);
        EXPECT_TRUE(linksImSpeicher(*g->getDatabase()));
    }
}

TEST_F(Datendatei, UnlesbareDateiWirdGemeldetUndDurchDieStrukturdateiErsetzt) {
    baueJahrgang(*sv);
    std::filesystem::create_directory("aktuell.sdb");
    std::string fehler;
    EXPECT_FALSE(sv->load("aktuell.sdb", &fehler));
    EXPECT_EQ(fehler, "Die Datei aktuell.sdb konnte nicht gelesen werden.\n");
    EXPECT_EQ(sv->getSchuelerStruktur()->size(), 9u) << "Vorlagen aus orvask.str";
    EXPECT_EQ(anzahlen(db()), (Anzahlen{}));
}

TEST_F(Datendatei, DateiOhneLeserechtWirdGemeldet) {
    if (istRoot()) GTEST_SKIP() << "root liest auch Dateien ohne Leserecht";
    baueJahrgang(*sv);
    ASSERT_EQ(sv->save("gesperrt.sdb"), 1);
    ::chmod("gesperrt.sdb", 0);
    std::string fehler;
    EXPECT_FALSE(sv->load("gesperrt.sdb", &fehler));
    EXPECT_EQ(fehler, "Die Datei gesperrt.sdb konnte nicht gelesen werden.\n");
    EXPECT_EQ(sv->getSchuelerStruktur()->size(), 9u);
    EXPECT_EQ(anzahlen(db()), (Anzahlen{}));
}

TEST_F(Datendatei, VorhandeneStrukturdateiWirdNieUeberschrieben) {
    // A structure file of the user's own is read, not replaced.
    std::vector<std::string> eigene = {"# eigene Struktur"};
    for (const auto& z : standardStruktur()) {
        if (z == "/Lehrer") eigene.push_back("string,HOBBY,'Hobby:',1,1,1,1,1,0");
        eigene.push_back(z);
    }
    const std::string bytes = crlf(eigene);
    schreibe("orvask.str", bytes);
    std::string fehler;
    EXPECT_FALSE(sv->load("aktuell.sdb", &fehler));
    EXPECT_EQ(fehler, "");
    EXPECT_NE(sv->getSchuelerStruktur()->findField("HOBBY"), nullptr);
    EXPECT_EQ(lese("orvask.str"), bytes);

    // An unreadable one is reported and left as it is; nothing else is written.
    std::filesystem::remove("orvask.str");
    std::filesystem::create_directory("orvask.str");
    const std::string vorher = eintraege();
    fehler.clear();
    EXPECT_FALSE(sv->load("aktuell.sdb", &fehler));
    EXPECT_EQ(fehler, "Die Datei orvask.str konnte nicht gelesen werden.\n");
    EXPECT_TRUE(std::filesystem::is_directory("orvask.str"));
    EXPECT_EQ(eintraege(), vorher);
    EXPECT_TRUE(sv->getSchuelerStruktur()->empty());

    // So is one that is no plain file at all.
    std::filesystem::remove("orvask.str");
    ASSERT_EQ(::mkfifo("orvask.str", 0644), 0);
    fehler.clear();
    EXPECT_FALSE(sv->load(nullptr, &fehler));
    EXPECT_EQ(fehler, "Die Datei orvask.str konnte nicht gelesen werden.\n");
    EXPECT_TRUE(std::filesystem::is_fifo("orvask.str"));
}

TEST_F(Datendatei, StrukturdateiOhneLeserechtBleibtUnveraendert) {
    if (istRoot()) GTEST_SKIP() << "root liest auch Dateien ohne Leserecht";
    const std::string bytes = lese("orvask.str");
    ::chmod("orvask.str", 0);
    std::string fehler;
    EXPECT_FALSE(sv->load(nullptr, &fehler));
    EXPECT_EQ(fehler, "Die Datei orvask.str konnte nicht gelesen werden.\n");
    EXPECT_TRUE(sv->getSchuelerStruktur()->empty());
    ::chmod("orvask.str", 0644);
    EXPECT_EQ(lese("orvask.str"), bytes);
}

TEST_F(Datendatei, SpeichernInFehlendenOrdnerSchlaegtFehlUndLegtNichtsAn) {
    baueJahrgang(*sv);
    const std::string vorher = eintraege();
    EXPECT_EQ(sv->save("fehlt/aktuell.sdb"), 0);
    EXPECT_FALSE(std::filesystem::exists("fehlt"));
    EXPECT_EQ(eintraege(), vorher);
}

TEST_F(Datendatei, FehlgeschlagenesSpeichernLaesstDieAlteDateiUnberuehrt) {
    std::vector<std::string> daten = systemblock(5, 10, 1, false, 6);
    daten.push_back("/DATAEND");
    const std::string alt = datendatei(daten);
    schreibe("aktuell.sdb", alt);
    baueJahrgang(*sv);
    const std::string vorher = eintraege();

    // The file system refuses to grow a file past a few bytes.
    {
        struct rlimit grenze {};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &grenze), 0);
        const struct rlimit klein = {512, grenze.rlim_max};
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &klein), 0);
        const int ergebnis = sv->save("aktuell.sdb");
        ::setrlimit(RLIMIT_FSIZE, &grenze);
        std::signal(SIGXFSZ, handler);
        EXPECT_EQ(ergebnis, 0);
        EXPECT_EQ(lese("aktuell.sdb"), alt);
        EXPECT_EQ(eintraege(), vorher) << "keine Reste einer temporaeren Datei";
    }
    // The target is a folder.
    {
        std::filesystem::create_directories("ordner.sdb/inhalt");
        EXPECT_EQ(sv->save("ordner.sdb"), 0);
        EXPECT_TRUE(std::filesystem::is_directory("ordner.sdb/inhalt"));
        std::filesystem::remove_all("ordner.sdb");
        EXPECT_EQ(eintraege(), vorher);
    }
}

TEST_F(Datendatei, SpeichernInSchreibgeschuetztenOrdnerLaesstDieAlteDateiUnberuehrt) {
    if (istRoot()) GTEST_SKIP() << "root schreibt auch in schreibgeschuetzte Ordner";
    baueJahrgang(*sv);
    std::filesystem::create_directory("fest");
    schreibe("fest/aktuell.sdb", "alt\r\n");
    std::filesystem::permissions("fest", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(sv->save("fest/aktuell.sdb"), 0);
    EXPECT_EQ(lese("fest/aktuell.sdb"), "alt\r\n");
    EXPECT_EQ(eintraege("fest"), "aktuell.sdb;");
}
