// The report texts on a small known year: the timetable grids (a teacher with a
// double booking, a room, a class, an unknown weekday), the substitution plan of
// a week, the student, teacher and room lists and the class overview, for the
// export and the print sink; the data test of the dialogs and the export file.
#include "output/berichte.h"

#include "tests/core/jahrgang_hilfe.h"

#include <random>

using namespace jahrgang;

namespace {

// Short templates, so the expected texts stay readable.
const std::vector<std::string> STRUKTUR = {
    "# Struktur der Berichtstests",
    "/STRUCTBEGIN",
    "/Schueler",
    "string,VORNAME,'Vorname',0,0,10,10,50,1",
    "string,NAME,'Name',0,0,10,10,50,1",
    "int,PLZ,'PLZ',0,0,10,10,5,0",
    "bool,FAHRSCHUELER,'Fahrschüler',0,0,10,10,0,0",
    "/Lehrer",
    "string,VORNAME,'Vorname',0,0,10,10,50,1",
    "string,NAME,'Name',0,0,10,10,50,1",
    "bool,URLAUB,'Urlaub',0,0,10,10,0,0",
    "int,PFLICHTSTUNDEN,'Pflichtstunden',0,0,10,10,2,0",
    "/Raum",
    "string,NAME,'Raum',0,0,10,10,50,1",
    "bool,AKTIV,'Aktiv',0,0,10,10,0,0",
    "/Einzeltermin",
    "int,ASTD,'Anfang',0,0,10,10,2,1",
    "int,ESTD,'Ende',0,0,10,10,2,1",
    "int,TAG,'Tag',0,0,10,10,2,1",
    "int,MONAT,'Monat',0,0,10,10,2,1",
    "int,JAHR,'Jahr',0,0,10,10,4,1",
    "string,NAME,'Bezeichnung',0,0,10,10,50,0",
    "/Dauertermin",
    "int,ASTD,'Anfang',0,0,10,10,2,1",
    "int,ESTD,'Ende',0,0,10,10,2,1",
    "/Vertretungstermin",
    "int,ASTD,'Anfang',0,0,10,10,2,1",
    "int,ESTD,'Ende',0,0,10,10,2,1",
    "int,TAG,'Tag',0,0,10,10,2,1",
    "int,MONAT,'Monat',0,0,10,10,2,1",
    "int,JAHR,'Jahr',0,0,10,10,4,1",
    "string,NAME,'Bezeichnung',0,0,10,10,50,0",
    "/Klasse",
    "int,JAHRGANG,'Jahrgang',0,0,10,10,2,1",
    "string,BEZ,'Bez',0,0,10,10,2,1",
    "string,NAME,'Name',0,0,10,10,50,0",
    "/Zensur",
    "string,ZENSUR,'Zensur',0,0,10,10,20,1",
    "string,BEMERKUNG,'Bemerkung',0,0,10,10,50,0",
    "/Fehlzeit",
    "int,ATAG,'Von Tag',0,0,10,10,2,1",
    "int,AMONAT,'Monat',0,0,10,10,2,1",
    "int,AJAHR,'Jahr',0,0,10,10,4,1",
    "int,ETAG,'Bis Tag',0,0,10,10,2,1",
    "int,EMONAT,'Monat',0,0,10,10,2,1",
    "int,EJAHR,'Jahr',0,0,10,10,4,1",
    "/STRUCTEND",
};

const std::string E = "              |";  // an empty cell
const std::string KOPF =
    "    Montag         Dienstag       Mittwoch      Donnerstag      Freitag        Samstag     \n"
    "+--------------+--------------+--------------+--------------+--------------+--------------+\n";
const std::string LINIE = "+--------------+--------------+--------------+--------------+--------------+--------------+\n";

std::string mal(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

class BerichtTest : public Arbeitsordner {
protected:
    void SetUp() override {
        Arbeitsordner::SetUp();
        schreibe("orvask.str", text::toCp1252(crlf(STRUKTUR)));
        sv = std::make_unique<c_Schulverwaltung>();
        std::string fehler;
        sv->reset(&fehler);
        ASSERT_EQ(fehler, "");
        ASSERT_EQ(sv->getSchuelerStruktur()->size(), 4u);
    }
    void TearDown() override {
        sv.reset();
        Arbeitsordner::TearDown();
    }

    // The known year: two subjects, two teachers, two rooms, four classes, weekly
    // appointments with a double booking of Müller on Tuesday lesson 3 and one on
    // "Sonntag", substitutions around the week of Monday 4.3.2024, two students.
    void baueJahr() {
        c_Schulverwaltung& s = *sv;
        s.setStundenProTag(3);
        deutsch = fach(s, "Deutsch");
        mathe = fach(s, "Mathe");
        auto m = lehrer(s, "Müller", "Anna", 24, {mathe});
        fehlzeit(s, m->getFehlzeitliste(), 4, 3, 2024, 8, 3, 2024);
        mueller = add(s, std::move(m));
        mueller->setVergebeneStunden(3);
        auto sch = lehrer(s, "Schmidt", "Bernd", 20, {deutsch, mathe});
        sch->getFelder()->setBool("URLAUB", true);
        schmidt = add(s, std::move(sch));
        a001 = add(s, raum(s, "A001", false));
        r101 = add(s, raum(s, "R101", true, {mathe}));
        k7b = add(s, klasse(s, 7, "b", "Schmetterlingsgarten"));
        k5a = add(s, klasse(s, 5, "a"));
        k5b = add(s, klasse(s, 5, "b"));
        k6c = add(s, klasse(s, 6, "c"));
        k7b->setKlassenraum(r101);
        k7b->setKlassenlehrer(mueller);
        k5a->setKlassenraum(a001);
        k5a->setKlassenlehrer(schmidt);
        k5b->setKlassenraum(a001);
        k6c->setKlassenlehrer(schmidt);

        // Straight into the list: the store would refuse the double booking.
        auto dauer = [&](const char* tag, int a, int e, c_Klasse* k, c_Raum* r, c_Lehrer* l, c_Fach* f) {
            s.getDauerterminliste()->push_back(dauertermin(s, tag, a, e, k, r, l, f).release());
        };
        dauer("Dienstag", 2, 3, k7b, r101, mueller, mathe);
        dauer("Dienstag", 3, 3, k5a, a001, mueller, deutsch);
        dauer("Sonntag", 1, 1, k5b, nullptr, schmidt, nullptr);
        dauer("Montag", 1, 1, k7b, r101, schmidt, deutsch);

        auto vertr = [&](int tag, const char* name, c_Klasse* k, c_Lehrer* vertreter, c_Fach* f, c_Raum* r,
                         c_Lehrer* vertretener) {
            auto t = vertretung(s, tag, 3, 2024, 2, 2, vertreter, vertretener);
            t->setName(name);
            t->setKlasse(k);
            t->setFach(f);
            t->setRaum(r);
            add(s, std::move(t));
        };
        // A later insert goes before the entries of its date: Vertretung comes first.
        vertr(5, "Freistunde", k5a, nullptr, deutsch, nullptr, mueller);
        vertr(5, "Vertretung", k7b, schmidt, mathe, r101, mueller);
        vertr(6, "Heimlich", k7b, schmidt, mathe, r101, nullptr);
        vertr(7, "", nullptr, mueller, nullptr, a001, schmidt);
        vertr(9, "Samstag", k7b, schmidt, mathe, r101, mueller);

        auto adl = schueler(s, "Adler", "Kim", k7b);
        adl->getFelder()->setInt("PLZ", 12345);
        adl->getFelder()->setBool("FAHRSCHUELER", true);
        fehlzeit(s, adl->getFehlzeitliste(), 1, 2, 2024, 2, 2, 2024);
        zensur(s, adl.get(), "2", "gut", mathe);
        zensur(s, adl.get(), "3", "", mathe);
        adler = add(s, std::move(adl));
        zander = add(s, schueler(s, "Zander", "Lea"));
    }

    std::string text(int gebiet, Ausgabeart art, c_Berichtskontext k = {}) {
        k.schulverwaltung = sv.get();
        c_Textpuffer puffer;
        c_Bericht(k, art, puffer).writeGebiet(gebiet);
        return puffer.text();
    }
    c_Berichtskontext besitzer(c_Lehrer* l, c_Raum* r, c_Klasse* k) {
        c_Berichtskontext b;
        b.lehrer = l;
        b.raum = r;
        b.klasse = k;
        return b;
    }

    std::unique_ptr<c_Schulverwaltung> sv;
    c_Fach *deutsch = nullptr, *mathe = nullptr;
    c_Lehrer *mueller = nullptr, *schmidt = nullptr;
    c_Raum *a001 = nullptr, *r101 = nullptr;
    c_Klasse *k7b = nullptr, *k5a = nullptr, *k5b = nullptr, *k6c = nullptr;
    c_Schueler *adler = nullptr, *zander = nullptr;
};

// ---------------------------------------------------------------- timetables

const std::string GITTER_MUELLER =
    "\nStundenplan von: Anna Müller\n" + KOPF +
    "|" + mal(E, 6) + "\n|" + mal(E, 6) + "\n|" + mal(E, 6) + "\n" + LINIE +
    "|" + E + " 7b Schmetterl|" + mal(E, 4) + "\n"
    "|" + E + " R101         |" + mal(E, 4) + "\n"
    "|" + E + " Mathe        |" + mal(E, 4) + "\n" + LINIE +
    // The double booking adds a seventh cell to the row.
    "|" + E + " 7b Schmetterl| 5a           |" + mal(E, 4) + "\n"
    "|" + E + " R101         | A001         |" + mal(E, 4) + "\n"
    "|" + E + " Mathe        | Deutsch      |" + mal(E, 4) + "\n" + LINIE;

const std::string GITTER_R101 =
    "\nStundenplan von: R101\n" + KOPF +
    "| 7b Schmetterl|" + mal(E, 5) + "\n"
    "| Schmidt      |" + mal(E, 5) + "\n"
    "| Deutsch      |" + mal(E, 5) + "\n" + LINIE +
    mal("|" + E + " 7b Schmetterl|" + mal(E, 4) + "\n"
        "|" + E + " Müller       |" + mal(E, 4) + "\n"
        "|" + E + " Mathe        |" + mal(E, 4) + "\n" + LINIE, 2);

// "Sonntag" lands in the Samstag column; no room and no subject give empty lines.
const std::string GITTER_5B =
    "\nStundenplan von: 5b\n" + KOPF +
    "|" + mal(E, 5) + " Schmidt      |\n|" + mal(E, 6) + "\n|" + mal(E, 6) + "\n" + LINIE +
    mal("|" + mal(E, 6) + "\n|" + mal(E, 6) + "\n|" + mal(E, 6) + "\n" + LINIE, 2);

TEST_F(BerichtTest, TimetableGridOfEachOwnerKind) {
    baueJahr();
    const struct {
        const char* was;
        c_Berichtskontext kontext;
        std::string erwartet;
    } faelle[] = {
        {"Lehrer", besitzer(mueller, nullptr, nullptr), GITTER_MUELLER},
        {"Raum", besitzer(nullptr, r101, nullptr), GITTER_R101},
        {"Klasse", besitzer(nullptr, nullptr, k5b), GITTER_5B},
        {"alle drei, in dieser Folge", besitzer(mueller, r101, k5b), GITTER_MUELLER + GITTER_R101 + GITTER_5B},
        {"keiner", besitzer(nullptr, nullptr, nullptr), ""},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.was);
        EXPECT_EQ(text(GEBIET_STUNDENPLAN, Ausgabeart::Export, f.kontext), f.erwartet);
        EXPECT_EQ(text(GEBIET_STUNDENPLAN, Ausgabeart::Druck, f.kontext), f.erwartet);
    }
}

TEST_F(BerichtTest, AllTimetablesAreEveryTeacherRoomAndClassInListOrder) {
    baueJahr();
    std::string erwartet;
    for (c_Lehrer* l : *sv->getLehrerliste()) erwartet += text(GEBIET_STUNDENPLAN, Ausgabeart::Export, besitzer(l, nullptr, nullptr)) + "\n\n";
    for (c_Raum* r : *sv->getRaumliste()) erwartet += text(GEBIET_STUNDENPLAN, Ausgabeart::Export, besitzer(nullptr, r, nullptr)) + "\n\n";
    for (c_Klasse* k : *sv->getKlassenliste()) erwartet += text(GEBIET_STUNDENPLAN, Ausgabeart::Export, besitzer(nullptr, nullptr, k)) + "\n\n";
    const std::string alle = text(GEBIET_STUNDENPLAENE, Ausgabeart::Export);
    EXPECT_EQ(alle, erwartet);
    // Two teachers, two rooms (the inactive one too) and four classes.
    std::size_t n = 0;
    for (std::size_t p = alle.find("Stundenplan von: "); p != std::string::npos; p = alle.find("Stundenplan von: ", p + 1)) ++n;
    EXPECT_EQ(n, 8u);
    EXPECT_NE(alle.find("Stundenplan von: A001\n"), std::string::npos);
    EXPECT_EQ(text(GEBIET_STUNDENPLAENE, Ausgabeart::Druck), alle);
}

// ---------------------------------------------------------------- substitution plan

const std::string VERTRETUNGSPLAN_EXPORT =
    "\nVertretungsplan\nvom: 4.3.2024\nbis: 9.3.2024\n\n\n"
    "4.3.2024 : \n  - keine Ausfälle oder Vertretungen -\n\n"
    "5.3.2024 : \n  Vertretung, 7b Schmetterlingsgarten, Schmidt, Mathe, R101\n  Freistunde, 5a, , Deutsch, \n\n"
    "6.3.2024 : \n  - keine Ausfälle oder Vertretungen -\n\n"
    "7.3.2024 : \n  , Müller, , A001\n\n"
    "8.3.2024 : \n  - keine Ausfälle oder Vertretungen -\n\n";

TEST_F(BerichtTest, SubstitutionPlanOfTheWeek) {
    baueJahr();
    c_Berichtskontext woche;
    woche.tag = 4;
    woche.monat = 3;
    woche.jahr = 2024;
    EXPECT_EQ(text(GEBIET_VERTRETUNGSPLAN, Ausgabeart::Export, woche), VERTRETUNGSPLAN_EXPORT);
    std::string druck = VERTRETUNGSPLAN_EXPORT;
    for (std::size_t p; (p = druck.find(" : \n")) != std::string::npos;) druck.replace(p, 4, "\n\n");
    EXPECT_EQ(text(GEBIET_VERTRETUNGSPLAN, Ausgabeart::Druck, woche), druck);

    // Across a month end, and no day or month: nothing at all.
    woche.tag = 29;
    woche.monat = 2;
    const std::string monatsende = text(GEBIET_VERTRETUNGSPLAN, Ausgabeart::Export, woche);
    EXPECT_EQ(monatsende.rfind("\nVertretungsplan\nvom: 29.2.2024\nbis: 5.3.2024\n\n\n29.2.2024 : \n", 0), 0u);
    EXPECT_NE(monatsende.find("4.3.2024 : \n  - keine"), std::string::npos);
    EXPECT_EQ(monatsende.find("5.3.2024 : "), std::string::npos);
    for (auto [t, m] : {std::pair{0, 3}, std::pair{4, 0}}) {
        woche.tag = t;
        woche.monat = m;
        EXPECT_EQ(text(GEBIET_VERTRETUNGSPLAN, Ausgabeart::Export, woche), "");
    }
    // An impossible date writes the heading and stops instead of looping.
    woche.tag = 31;
    woche.monat = 2;
    EXPECT_EQ(text(GEBIET_VERTRETUNGSPLAN, Ausgabeart::Export, woche),
              "\nVertretungsplan\nvom: 31.2.2024\nbis: 31.2.2024\n\n\n");
}

// ---------------------------------------------------------------- lists

const std::string ADLER_OHNE_ZENSUREN =
    "Vorname: Kim\nName: Adler\nPLZ: 12345\nFahrschüler: X\n, Klasse: 7b Schmetterlingsgarten\n"
    "Fehlzeiten: \nVon Tag: 1 Monat: 2 Jahr: 2024 Bis Tag: 2 Monat: 2 Jahr: 2024 \n";
const std::string ADLER_ZENSUREN =
    "Zensuren:\nDeutsch: \nMathe: Zensur: 2 | Bemerkung: gut | \nZensur: 3 | Bemerkung:  | \n\n";
const std::string ZANDER_OHNE_ZENSUREN = "Vorname: Lea\nName: Zander\nPLZ: 0\nFahrschüler:  \nFehlzeiten:  keine\n\n";
const std::string KEINE_ZENSUREN = "Zensuren:\nDeutsch: \nMathe: \n";

TEST_F(BerichtTest, StudentListAndClassOverview) {
    baueJahr();
    c_Berichtskontext mit;
    mit.zensuren = true;
    const std::string liste = ADLER_OHNE_ZENSUREN + ADLER_ZENSUREN + "\n\n" + ZANDER_OHNE_ZENSUREN + KEINE_ZENSUREN + "\n\n";
    EXPECT_EQ(text(GEBIET_SCHUELERLISTE, Ausgabeart::Export, mit), liste);
    EXPECT_EQ(text(GEBIET_SCHUELERLISTE, Ausgabeart::Druck, mit), "Liste aller Schüler:\n\n" + liste);
    EXPECT_EQ(text(GEBIET_SCHUELERLISTE, Ausgabeart::Export),
              ADLER_OHNE_ZENSUREN + "\n\n" + ZANDER_OHNE_ZENSUREN + "\n\n");

    const struct {
        int index;
        std::string erwartet;
    } faelle[] = {
        {3, "Klasse 7b Schmetterlingsgarten: \nRaum: R101   Klassenlehrer: Anna Müller\n\nSchüler der Klasse:\n" +
                ADLER_OHNE_ZENSUREN + ADLER_ZENSUREN + "\n\n"},
        {1, "Klasse 5b: \nRaum: A001\nDiese Klasse besitzt keinen Klassenlehrer.\n\nSchüler der Klasse:\n"
            "In dieser Klasse befinden sich keine Schueler.\n"},
        {2, "Klasse 6c: \nDieser Klasse ist kein Raum zugeteilt.   Klassenlehrer: Bernd Schmidt\n\n"
            "Schüler der Klasse:\nIn dieser Klasse befinden sich keine Schueler.\n"},
        {4, ""},
        {-1, ""},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.index);
        mit.klassenIndex = f.index;
        EXPECT_EQ(text(GEBIET_KLASSENUEBERSICHT, Ausgabeart::Export, mit), f.erwartet);
        EXPECT_EQ(text(GEBIET_KLASSENUEBERSICHT, Ausgabeart::Druck, mit), f.erwartet);
    }
}

// Students with grades in any order, several in one subject, in the first and last subject, in
// a subject not in the list and in none: under each subject of the list its grades in their order.
TEST_F(BerichtTest, GradesStandUnderTheirSubjectsInListOrder) {
    baueJahr();
    std::vector<c_Fach*> faecher = {deutsch, mathe};
    for (const char* name : {"Biologie", "Chemie", "Physik"}) faecher.push_back(fach(*sv, name));
    c_Fach fremd("Fremd");
    std::mt19937 z(3);
    for (int i = 0; i < 30; ++i) {
        c_Schueler* p = add(*sv, schueler(*sv, "S" + std::to_string(i), "V"));
        for (int n = static_cast<int>(z() % 7); n > 0; --n) {
            const std::size_t f = z() % (faecher.size() + 2);
            zensur(*sv, p, std::to_string(1 + z() % 6), "b" + std::to_string(n),
                   f < faecher.size() ? faecher[f] : f == faecher.size() ? &fremd : nullptr);
        }
    }
    c_Berichtskontext mit;
    mit.zensuren = true;
    const std::string liste = text(GEBIET_SCHUELERLISTE, Ausgabeart::Export, mit);
    // The same, subject after subject with a scan of the grades.
    std::string erwartet;
    for (const c_Schueler* p : *sv->getSchuelerliste()) {
        if (p == adler) erwartet += ADLER_OHNE_ZENSUREN;
        else if (p == zander) erwartet += ZANDER_OHNE_ZENSUREN;
        else erwartet += "Vorname: V\nName: " + p->getName() + "\nPLZ: 0\nFahrschüler:  \nFehlzeiten:  keine\n\n";
        erwartet += "Zensuren:\n";
        for (const c_Fach* f : *sv->getFachliste()) {
            erwartet += f->getName() + ": ";
            for (const c_Zensur* g : *p->getZensurliste()) {
                if (g->getFach() != f) continue;
                for (const auto& feld : *g->getFelder()) erwartet += feldzeile(feld.get()) + " | ";
                erwartet += "\n";
            }
            erwartet += "\n";
        }
        erwartet += "\n\n";
    }
    EXPECT_EQ(liste, erwartet);
    EXPECT_EQ(fremd.getName(), "Fremd");
}

TEST_F(BerichtTest, TeacherListDiffersBetweenExportAndPrint) {
    baueJahr();
    const std::string mueller1 =
        "Vorname: Anna\nName: Müller\nUrlaub:  \nPflichtstunden: 24\n, Klasse: 7b Schmetterlingsgarten"
        ", Pflichtstunden: 24, unterrichtet: 3, Faecher: Mathe, ";
    const std::string mueller2 = "Fehlzeiten: \nVon Tag: 4 Monat: 3 Jahr: 2024 Bis Tag: 8 Monat: 3 Jahr: 2024 \n\n";
    const std::string schmidt1 =
        "Vorname: Bernd\nName: Schmidt\nUrlaub: X\nPflichtstunden: 20\n, Klasse: 5a, Klasse: 6c"
        ", Pflichtstunden: 20, unterrichtet: 0, Faecher: Deutsch, Mathe, ";
    const std::string schmidt2 = "Fehlzeiten:  keine\n\n\n";
    EXPECT_EQ(text(GEBIET_LEHRERLISTE, Ausgabeart::Export),
              mueller1 + "\n" + mueller2 + schmidt1 + "\n" + schmidt2);
    EXPECT_EQ(text(GEBIET_LEHRERLISTE, Ausgabeart::Druck),
              "Liste aller Lehrer:\n\n" + mueller1 + mueller2 + schmidt1 + schmidt2);
}

TEST_F(BerichtTest, RoomListWithClassRoomsRunTogether) {
    baueJahr();
    const std::string raeume = "Raum: A001\nAktiv:  \nKlassenraum von: 5a5b,  Faecher: \n"
                               "Raum: R101\nAktiv: X\nKlassenraum von: 7b Schmetterlingsgarten,  Faecher: Mathe, \n";
    EXPECT_EQ(text(GEBIET_RAUMLISTE, Ausgabeart::Export), raeume);
    EXPECT_EQ(text(GEBIET_RAUMLISTE, Ausgabeart::Druck), "Liste aller Räume:\n\n" + raeume);
}

TEST_F(BerichtTest, MissingValuesAndLinksWriteEmptyText) {
    c_Schulverwaltung& s = *sv;
    s.setStundenProTag(1);
    // No letter, no name value: "8" and no NUL byte.
    auto k = klasse(s, 8, "");
    static_cast<c_StringObj*>(k->getFelder()->findField("NAME"))->setWert(std::nullopt);
    c_Klasse* k8 = add(s, std::move(k));
    auto p = schueler(s, "Ohne", "Wert", k8);
    static_cast<c_StringObj*>(p->getFelder()->findField("VORNAME"))->setWert(std::nullopt);
    add(s, std::move(p));
    s.getDauerterminliste()->push_back(dauertermin(s, "Freitag", 1, 1, k8).release());
    c_Berichtskontext b;
    b.klasse = k8;
    b.klassenIndex = 0;
    // The Friday lesson has no teacher, room or subject: three empty cells.
    EXPECT_EQ(text(GEBIET_STUNDENPLAN, Ausgabeart::Export, b),
              "\nStundenplan von: 8\n" + KOPF + mal("|" + mal(E, 6) + "\n", 3) + LINIE);
    const std::string uebersicht = text(GEBIET_KLASSENUEBERSICHT, Ausgabeart::Export, b);
    EXPECT_EQ(uebersicht.find('\0'), std::string::npos);
    EXPECT_EQ(uebersicht.substr(0, 10), "Klasse 8: ");
    EXPECT_NE(uebersicht.find("Vorname: \nName: Ohne\n"), std::string::npos);
    EXPECT_NE(uebersicht.find(", Klasse: 8\n"), std::string::npos);
    // A long name is cut after 14 characters, counted as characters.
    c_Lehrer* l = add(s, lehrer(s, "Überlänge-Ääääääää", "Ö"));
    s.getDauerterminliste()->push_back(dauertermin(s, "Montag", 1, 1, k8, nullptr, l).release());
    const std::string gitter = text(GEBIET_STUNDENPLAN, Ausgabeart::Export, b);
    EXPECT_NE(gitter.find("\n| Überlänge-Äää|"), std::string::npos) << gitter;
}

// ---------------------------------------------------------------- data test and file

TEST_F(BerichtTest, DataTestOfEachArea) {
    c_Schulverwaltung& s = *sv;
    c_Lehrer fremd;  // an owner while the teacher list is empty
    struct Fall {
        const char* was;
        std::function<void()> aufbau;
        const c_Lehrer* lehrer;
        std::vector<int> export_, druck;  // the areas with data
    };
    const std::vector<int> listen = {403, 404, 405, 406, 407};
    Fall faelle[] = {
        {"leeres Jahr", [] {}, nullptr, {403}, {403}},
        {"nur eine Vertretung", [&] { add(s, vertretung(s, 4, 3, 2024, 1, 1, nullptr, nullptr)); }, nullptr,
         {401, 403}, {403}},
        {"nur ein Einzeltermin", [&] {
             s.getVertretungsterminliste()->deleteAll();
             add(s, einzeltermin(s, 4, 3, 2024, 1, 1));
         }, nullptr, {401, 402, 403}, {401, 402, 403}},
        {"Einzeltermin, Lehrer gezeigt, Lehrerliste leer", [] {}, &fremd, {401, 403}, {401, 403}},
        {"Stammdaten ohne Termine", [&] {
             s.getEinzelterminliste()->deleteAll();
             add(s, schueler(s, "A", "B"));
             add(s, klasse(s, 5, "a"));
             add(s, lehrer(s, "L", "M"));
             add(s, raum(s, "R"));
         }, nullptr, listen, listen},
    };
    for (Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        f.aufbau();
        std::vector<int> mitExport, mitDruck;
        for (int g = 401; g <= 407; ++g) {
            if (hatDaten(&s, g, Ausgabeart::Export, f.lehrer, nullptr, nullptr)) mitExport.push_back(g);
            if (hatDaten(&s, g, Ausgabeart::Druck, f.lehrer, nullptr, nullptr)) mitDruck.push_back(g);
        }
        EXPECT_EQ(mitExport, f.export_);
        EXPECT_EQ(mitDruck, f.druck);
    }
    EXPECT_FALSE(hatDaten(&s, 0, Ausgabeart::Export, nullptr, nullptr, nullptr));
    EXPECT_STREQ(keineDatenText(Ausgabeart::Export), "Zum ausgewählten Gebiet gibt\nes keine Daten zum Exportieren");
    EXPECT_STREQ(keineDatenText(Ausgabeart::Druck), "Zum ausgewählten Gebiet gibt\nes keine Daten zum Drucken");
}

TEST_F(BerichtTest, ExportFileIsWindows1252WithCrLfAndReplacedOnlyWhenWritten) {
    ASSERT_TRUE(schreibeExportdatei("liste.txt", "alt\n"));
    ASSERT_TRUE(schreibeExportdatei("liste.txt", "Müller – Räume\n\nEnde\n"));
    EXPECT_EQ(lese("liste.txt"), "M\xFCller \x96 R\xE4ume\r\n\r\nEnde\r\n");
    ASSERT_TRUE(schreibeExportdatei("leer.txt", ""));
    EXPECT_EQ(lese("leer.txt"), "");

    // A target that cannot be replaced: false, and nothing is left behind.
    std::filesystem::create_directory("ordner.txt");
    schreibe("ordner.txt/drin", "bleibt");
    EXPECT_FALSE(schreibeExportdatei("ordner.txt", "neu\n"));
    EXPECT_EQ(lese("ordner.txt/drin"), "bleibt");
    EXPECT_FALSE(schreibeExportdatei("fehlt/liste.txt", "neu\n"));
    EXPECT_EQ(eintraege(), "leer.txt;liste.txt;ordner.txt;orvask.str;");
    EXPECT_STREQ(EXPORT_FEHLER, "Datei konnte nicht angelegt werden.\nBitte überprüfen Sie Ihren Datenträger.");
}

// The export dialog writes the text as the builder hands it over, piece by piece: wherever the
// pieces break the lines, the file is the one of the whole text.
TEST_F(BerichtTest, ExportFileFromPiecesIsTheFileOfTheWholeText) {
    ASSERT_TRUE(schreibeExportdatei("rest.txt", "Ä\nA – Rest Ü"));
    EXPECT_EQ(lese("rest.txt"), "\xC4\r\nA \x96 Rest \xDC\r\n");
    for (const std::string ganz :
         {"Müller\n\nRäume: A, B\n", "ohne Ende\nletzte", "\n", "", "x\n\n\n\ny", "Ä\nA – Rest Ü"}) {
        ASSERT_TRUE(schreibeExportdatei("ganz.txt", ganz));
        for (std::size_t schnitt = 1; schnitt <= 3; ++schnitt) {
            c_Exportdatei datei("teile.txt");
            for (std::size_t i = 0; i < ganz.size(); i += schnitt) datei.appendText(ganz.substr(i, schnitt));
            datei.appendText("");
            ASSERT_TRUE(datei.schliessen());
            EXPECT_EQ(lese("teile.txt"), lese("ganz.txt")) << ganz << " in Stücken zu " << schnitt;
        }
    }
    // A report built straight into the file.
    baueJahr();
    c_Berichtskontext k;
    k.schulverwaltung = sv.get();
    k.zensuren = true;
    c_Exportdatei datei("schueler.txt");
    c_Bericht(k, Ausgabeart::Export, datei).writeGebiet(GEBIET_SCHUELERLISTE);
    ASSERT_TRUE(datei.schliessen());
    ASSERT_TRUE(schreibeExportdatei("puffer.txt", text(GEBIET_SCHUELERLISTE, Ausgabeart::Export, k)));
    EXPECT_EQ(lese("schueler.txt"), lese("puffer.txt"));
    EXPECT_NE(lese("schueler.txt").find("Zensuren:\r\n"), std::string::npos);
}

}  // namespace
