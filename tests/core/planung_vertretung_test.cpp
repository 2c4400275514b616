// The substitution planner: which lessons become substitutions, who
// substitutes, the dropped lessons, the days planned, never two lessons at
// once for one substitute, the list limit, and the one-pass insertion
// against one sorted insert after the other.

#include "model/database/database.h"
#include "planning/vertretungsplanerstellung.h"
#include "tests/core/planung_test.h"

#include <random>

using namespace planung_schule;

namespace {

class PlanungVertretung : public PlanungTest {
protected:
    void SetUp() override {
        PlanungTest::SetUp();  // today: Monday, 2 March 2026
        de = s().fach("Deutsch");
        ma = s().fach("Mathe");
        ph = s().fach("Physik");
        abwesend = s().lehrer("Abwesend", 20, {de, ma, ph});
        bach = s().lehrer("Bach", 20, {de});
        cramer = s().lehrer("Cramer", 20, {ma});
        dorn = s().lehrer("Dorn", 20, {ph});
        raum = s().raum("R1");
        k5a = s().klasse(5, 'a', raum);
    }

    void volleListe(int alte, int eigene, int erwartet);

    bool erstelle(std::string* fehler = nullptr) {
        std::string f;
        c_Vertretungsplanerstellung v(sv(), &f);
        const bool ergebnis = v.createVertretungsplan();
        if (fehler) *fehler = f;
        else EXPECT_EQ(f, "");
        return ergebnis;
    }

    std::string vertretungen() {
        std::string s;
        for (const c_Vertretungstermin* v : *sv()->getVertretungsterminliste()) {
            int d, m, y;
            v->getDatum(&d, &m, &y);
            s += std::to_string(d) + "." + std::to_string(m) + "." + std::to_string(y) + " " +
                 std::to_string(v->getAStd()) + "-" + std::to_string(v->getEStd()) + " " + klassenName(v->getKlasse()) +
                 " " + (v->getFach() ? v->getFach()->getName() : "-") + " " +
                 (v->getLehrer() ? v->getLehrer()->getName() : "-") + " " + v->getName() + " fuer " +
                 (v->getVertretenerLehrer() ? v->getVertretenerLehrer()->getName() : "-") + "\n";
        }
        return s;
    }

    c_Vertretungstermin* vertretung(int tag, int monat, int jahr, int astd, int estd, c_Lehrer* lehrer,
                                    c_Lehrer* vertreten) {
        auto v = std::make_unique<c_Vertretungstermin>();
        v->setFelder(std::make_unique<c_Datenliste>(*sv()->getVertretungsterminStruktur()));
        v->setDatum(tag, monat, jahr);
        v->setAStd(astd);
        v->setEStd(estd);
        v->setName("Vertretung");
        v->setKlasse(k5a);
        v->setLehrer(lehrer);
        v->setVertretenerLehrer(vertreten);
        c_Vertretungstermin* roh = v.get();
        sv()->addVertretungstermin(v);
        return roh;
    }

    c_Fach *de, *ma, *ph;
    c_Lehrer *abwesend, *bach, *cramer, *dorn;
    c_Raum* raum;
    c_Klasse* k5a;
};

TEST_F(PlanungVertretung, ZweiTageExakt) {
    s().dauertermin("Montag", 2, 2, k5a, de, abwesend, raum);
    s().dauertermin("Montag", 1, 1, k5a, ma, abwesend, raum);  // first lesson: dropped
    s().dauertermin("Montag", 6, 6, k5a, ph, abwesend, raum);  // last lesson: dropped
    s().dauertermin("Dienstag", 3, 4, k5a, ph, abwesend, raum);
    s().dauertermin("Mittwoch", 3, 3, k5a, ph, abwesend, raum);  // outside the absence
    s().fehlzeit(abwesend, 2, 3, 2026, 3, 3, 2026);
    EXPECT_FALSE(erstelle());
    // Inserted in the order made, each before the entries of its date.
    EXPECT_EQ(vertretungen(),
              "2.3.2026 6-6 5a Physik - Freistunde fuer Abwesend\n"
              "2.3.2026 1-1 5a Mathe - Freistunde fuer Abwesend\n"
              "2.3.2026 2-2 5a Deutsch Bach Vertretung fuer Abwesend\n"
              "3.3.2026 3-4 5a Physik Dorn Vertretung fuer Abwesend\n");
    for (const c_Vertretungstermin* v : *sv()->getVertretungsterminliste()) {
        EXPECT_EQ(v->getRaum(), raum);
        EXPECT_EQ(v->getKlasse(), k5a);
    }
}

TEST_F(PlanungVertretung, FachlehrerBevorzugtSonstDerLetzteFreie) {
    s().dauertermin("Montag", 3, 3, k5a, ma, abwesend, raum);
    s().fehlzeit(abwesend, 2, 3, 2026, 2, 3, 2026);
    EXPECT_TRUE(erstelle());
    EXPECT_EQ(vertretungen(), "2.3.2026 3-3 5a Mathe Cramer Vertretung fuer Abwesend\n");

    // Cramer teaches at that time: no free Mathe teacher, the last free one.
    c_Klasse* k6 = s().klasse(6, 'a');
    s().dauertermin("Montag", 2, 3, k6, ma, cramer, nullptr);
    EXPECT_TRUE(erstelle());
    EXPECT_EQ(vertretungen(), "2.3.2026 3-3 5a Mathe Dorn Vertretung fuer Abwesend\n");

    // Dorn on leave and Bach absent that day too: nobody is left. The result
    // is the last planned teacher's: Bach, whose absence has no lessons.
    dorn->getFelder()->setBool("URLAUB", true);
    s().fehlzeit(bach, 2, 3, 2026, 2, 3, 2026);
    EXPECT_TRUE(erstelle());
    EXPECT_EQ(vertretungen(), "2.3.2026 3-3 5a Mathe - Freistunde fuer Abwesend\n");
}

TEST_F(PlanungVertretung, BelegtDurchStundenDieDieVertretungUeberdeckenOderDarinLiegen) {
    s().dauertermin("Montag", 2, 4, k5a, ma, abwesend, raum);
    s().fehlzeit(abwesend, 2, 3, 2026, 2, 3, 2026);
    c_Klasse* k6 = s().klasse(6, 'a');
    // Cramer's lesson lies wholly inside 2-4.
    s().dauertermin("Montag", 3, 3, k6, ma, cramer, nullptr);
    // Dorn has a single appointment that day containing lesson 4.
    s().einzeltermin(2, 3, 2026, 4, 5, k6, ph, dorn, nullptr);
    EXPECT_TRUE(erstelle());
    EXPECT_EQ(vertretungen(), "2.3.2026 2-4 5a Mathe Bach Vertretung fuer Abwesend\n");
    // Bach too, on another date only: he stays free.
    s().einzeltermin(3, 3, 2026, 2, 2, k6, de, bach, nullptr);
    EXPECT_TRUE(erstelle());
    EXPECT_EQ(vertretungen(), "2.3.2026 2-4 5a Mathe Bach Vertretung fuer Abwesend\n");
}

TEST_F(PlanungVertretung, NiemandZweimalZurSelbenZeit) {
    // Two absent teachers with Mathe at the same time, and one Mathe teacher.
    c_Lehrer* eck = s().lehrer("Eck", 20, {ma});
    c_Klasse* k6 = s().klasse(6, 'a');
    s().dauertermin("Montag", 3, 3, k5a, ma, abwesend, raum);
    s().dauertermin("Montag", 2, 4, k6, ma, eck, nullptr);
    s().fehlzeit(abwesend, 2, 3, 2026, 2, 3, 2026);
    s().fehlzeit(eck, 2, 3, 2026, 2, 3, 2026);
    EXPECT_TRUE(erstelle());
    EXPECT_EQ(vertretungen(),
              "2.3.2026 2-4 6a Mathe Dorn Vertretung fuer Eck\n"
              "2.3.2026 3-3 5a Mathe Cramer Vertretung fuer Abwesend\n");
    // The same for one absent teacher's weekly and single lesson at the same time.
    eck->getFehlzeitliste()->deleteAll();
    sv()->getVertretungsterminliste()->deleteAll();
    ASSERT_NE(s().einzeltermin(2, 3, 2026, 3, 3, s().klasse(6, 'b'), ma, abwesend, nullptr), nullptr);
    EXPECT_TRUE(erstelle());
    EXPECT_EQ(vertretungen(),
              "2.3.2026 3-3 6b Mathe Dorn Vertretung fuer Abwesend\n"
              "2.3.2026 3-3 5a Mathe Cramer Vertretung fuer Abwesend\n");
}

TEST_F(PlanungVertretung, GespeicherteVertretungEinesLehrersOhneFehlzeitBelegt) {
    s().dauertermin("Montag", 3, 3, k5a, ma, abwesend, raum);
    s().fehlzeit(abwesend, 2, 3, 2026, 2, 3, 2026);
    // Entered by hand: Cramer substitutes Dorn (who has no absence) at 2-3.
    vertretung(2, 3, 2026, 2, 3, cramer, dorn);
    EXPECT_TRUE(erstelle());
    EXPECT_NE(vertretungen().find("3-3 5a Mathe Dorn Vertretung fuer Abwesend"), std::string::npos) << vertretungen();
}

TEST_F(PlanungVertretung, NurAbHeuteUndNurMontagBisFreitag) {
    sv()->setSamstag(true);
    for (const char* tag : {"Montag", "Freitag", "Samstag"}) s().dauertermin(tag, 3, 3, k5a, de, abwesend, raum);
    // From Friday 27 February (before today) to Monday 9 March.
    s().fehlzeit(abwesend, 27, 2, 2026, 9, 3, 2026);
    EXPECT_TRUE(erstelle());
    EXPECT_EQ(vertretungen(),
              "2.3.2026 3-3 5a Deutsch Bach Vertretung fuer Abwesend\n"
              "6.3.2026 3-3 5a Deutsch Bach Vertretung fuer Abwesend\n"
              "9.3.2026 3-3 5a Deutsch Bach Vertretung fuer Abwesend\n");
}

TEST_F(PlanungVertretung, VergangeneFehlzeitPlantNichtsLoeschtAberAbHeute) {
    s().dauertermin("Montag", 3, 3, k5a, de, abwesend, raum);
    s().fehlzeit(abwesend, 16, 2, 2026, 20, 2, 2026);
    vertretung(18, 2, 2026, 3, 3, bach, abwesend);  // in the past: stays
    vertretung(9, 3, 2026, 3, 3, bach, abwesend);   // from today on: removed
    vertretung(9, 3, 2026, 4, 4, bach, dorn);       // another absent teacher: stays
    EXPECT_TRUE(erstelle());
    EXPECT_EQ(vertretungen(),
              "18.2.2026 3-3 5a - Bach Vertretung fuer Abwesend\n"
              "9.3.2026 4-4 5a - Bach Vertretung fuer Dorn\n");
}

TEST_F(PlanungVertretung, EinzeltermineNachDenDauerterminenDesTages) {
    s().einzeltermin(2, 3, 2026, 4, 4, k5a, ph, abwesend, raum);
    s().einzeltermin(3, 3, 2026, 4, 4, k5a, ph, abwesend, raum);  // outside
    s().dauertermin("Montag", 3, 3, k5a, de, abwesend, raum);
    s().fehlzeit(abwesend, 2, 3, 2026, 2, 3, 2026);
    EXPECT_TRUE(erstelle());
    // Made: Deutsch (weekly) then Physik (single); inserted each before the other.
    EXPECT_EQ(vertretungen(),
              "2.3.2026 4-4 5a Physik Dorn Vertretung fuer Abwesend\n"
              "2.3.2026 3-3 5a Deutsch Bach Vertretung fuer Abwesend\n");
}

TEST_F(PlanungVertretung, FreistundeBeendetDieWeiterenFehlzeitenDesLehrers) {
    c_Lehrer* eck = s().lehrer("Eck", 20, {ma});
    s().dauertermin("Montag", 1, 1, k5a, ma, abwesend, raum);
    s().dauertermin("Dienstag", 3, 3, k5a, ma, abwesend, raum);
    s().dauertermin("Dienstag", 3, 3, s().klasse(6, 'a'), ma, eck, nullptr);
    s().fehlzeit(abwesend, 2, 3, 2026, 2, 3, 2026);
    s().fehlzeit(abwesend, 3, 3, 2026, 3, 3, 2026);  // not planned any more
    s().fehlzeit(eck, 3, 3, 2026, 3, 3, 2026);
    EXPECT_TRUE(erstelle());  // the last teacher's result
    EXPECT_EQ(vertretungen(),
              "2.3.2026 1-1 5a Mathe - Freistunde fuer Abwesend\n"
              "3.3.2026 3-3 6a Mathe Cramer Vertretung fuer Eck\n");
}

TEST_F(PlanungVertretung, ZweimalErstelltGibtDenselbenPlan) {
    s().dauertermin("Montag", 3, 3, k5a, de, abwesend, raum);
    s().dauertermin("Dienstag", 2, 2, k5a, ma, abwesend, raum);
    s().dauertermin("Dienstag", 2, 2, s().klasse(6, 'a'), de, bach, nullptr);
    s().fehlzeit(abwesend, 2, 3, 2026, 13, 3, 2026);
    s().fehlzeit(bach, 3, 3, 2026, 3, 3, 2026);
    vertretung(5, 3, 2026, 1, 1, cramer, nullptr);  // without absent teacher: stays
    erstelle();
    const std::string erster = vertretungen();
    EXPECT_EQ(sv()->getVertretungsterminliste()->size(), 1u + 4u + 1u);
    erstelle();
    EXPECT_EQ(vertretungen(), erster);
}

TEST_F(PlanungVertretung, LehrerOhneFehlzeitBehaeltSeineVertretungen) {
    vertretung(9, 3, 2026, 2, 2, bach, cramer);
    s().dauertermin("Montag", 3, 3, k5a, de, abwesend, raum);
    EXPECT_TRUE(erstelle());  // nobody has an absence
    EXPECT_EQ(vertretungen(), "9.3.2026 2-2 5a - Bach Vertretung fuer Cramer\n");
}

// A list of `alte` old entries, the absent teacher's six lessons to cover, `eigene` substitutions
// of his from today on (deleted by the run before it plans him) and one for Eck, whose absence
// would be planned after him: the run fills the list, stops with its message, and the absent
// teacher gets `erwartet` substitutions.
void PlanungVertretung::volleListe(int alte, int eigene, int erwartet) {
    c_Vertretungsterminliste* liste = sv()->getVertretungsterminliste();
    for (int i = 0; i < alte; ++i) {
        auto v = std::make_unique<c_Vertretungstermin>();
        v->setFelder(std::make_unique<c_Datenliste>(*sv()->getVertretungsterminStruktur()));
        v->setDatum(1, 1, 2020);
        liste->push_back(v.release());
    }
    c_Lehrer* eck = s().lehrer("Eck", 20, {ma});
    for (const char* tag : {"Montag", "Dienstag", "Mittwoch"}) s().dauertermin(tag, 3, 4, k5a, de, abwesend, raum);
    s().fehlzeit(abwesend, 2, 3, 2026, 13, 3, 2026);  // 6 lessons
    for (int i = 0; i < eigene; ++i) vertretung(9 + i, 3, 2026, 2, 2, bach, abwesend);
    vertretung(20, 3, 2026, 2, 2, bach, eck);
    s().fehlzeit(eck, 2, 3, 2026, 3, 3, 2026);
    std::string fehler;
    c_Vertretungsplanerstellung v(sv(), &fehler);
    v.createVertretungsplan();
    EXPECT_TRUE(v.isVoll());
    EXPECT_EQ(fehler, VERTRETUNGSPLAN_VOLL);
    EXPECT_EQ(liste->size(), c_Database::MAX_EINTRAEGE);
    // Eck was not planned, so his substitution stays.
    int fuerAbwesend = 0, fuerEck = 0;
    for (const c_Vertretungstermin* t : *liste) {
        fuerAbwesend += t->getVertretenerLehrer() == abwesend;
        fuerEck += t->getVertretenerLehrer() == eck;
    }
    EXPECT_EQ(fuerAbwesend, erwartet);
    EXPECT_EQ(fuerEck, 1);
}

// 31995 old entries and Eck's: four more fit.
TEST_F(PlanungVertretung, VolleListeBeendetDiePlanungMitMeldung) { volleListe(31995, 0, 4); }

// The places the run frees by deleting his two substitutions count at once, although the run
// changes the list only at its end: three free places and his two, five of his six lessons.
TEST_F(PlanungVertretung, VolleListeZaehltGeloeschteVertretungenGleichFrei) { volleListe(31994, 2, 5); }

TEST_F(PlanungVertretung, FehlzeitBisNeuntausendneunhundertneunundneunzigFriertNichtEin) {
    for (const char* tag : {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag"})
        for (int st = 2; st <= 5; ++st) s().dauertermin(tag, st, st, k5a, de, abwesend, raum);
    s().fehlzeit(abwesend, 2, 3, 2026, 31, 12, 9999);
    std::string fehler;
    c_Vertretungsplanerstellung v(sv(), &fehler);
    v.createVertretungsplan();
    EXPECT_EQ(fehler, VERTRETUNGSPLAN_VOLL);
    EXPECT_EQ(sv()->getVertretungsterminliste()->size(), c_Database::MAX_EINTRAEGE);
    // The work, counted rather than timed: about 11200 days walked and 32000 entries placed.
    // Inserting one by one would pass half a billion entries, walking on to the year 9999
    // after the list is full almost three million days. (The time is measured by bench_planung.)
    EXPECT_LT(v.getSchritte(), 100000u);
    // 20 lessons a week: the last planned day lies 1600 weeks ahead.
    int d, m, y;
    sv()->getVertretungsterminliste()->back()->getDatum(&d, &m, &y);
    EXPECT_EQ(y, 2056);
}

TEST_F(PlanungVertretung, VorlageOhneDatumsfelder) {
    s().dauertermin("Montag", 3, 3, k5a, de, abwesend, raum);
    s().fehlzeit(abwesend, 2, 3, 2026, 2, 3, 2026);
    sv()->getVertretungsterminStruktur()->deleteFields();
    std::string fehler;
    EXPECT_FALSE(erstelle(&fehler));
    EXPECT_EQ(fehler,
              "Die Vorlage der Vertretungstermine enthält die Felder ASTD, ESTD, TAG, MONAT und JAHR nicht.\n");
    EXPECT_TRUE(sv()->getVertretungsterminliste()->empty());
}

TEST_F(PlanungVertretung, EinfuegenInEinemDurchgangWieEinzelnSortiert) {
    std::mt19937 z(5);
    for (int runde = 0; runde < 200; ++runde) {
        // The same old list twice (in date order or not, with gaps), the same new ones.
        auto baue = [&](std::uint32_t seed, c_Vertretungsterminliste& liste, std::vector<std::unique_ptr<c_Vertretungstermin>>& neue) {
            std::mt19937 r(seed);
            const int alt = static_cast<int>(r() % 12);
            const bool sortiert = r() % 3 != 0;
            for (int i = 0; i < alt; ++i) {
                auto v = std::make_unique<c_Vertretungstermin>();
                v->setFelder(std::make_unique<c_Datenliste>(*sv()->getVertretungsterminStruktur()));
                v->setDatum(1 + static_cast<int>(sortiert ? i / 2 : r() % 8), 3, 2026);
                v->setAStd(100 + i);
                liste.push_back(i % 5 == 4 ? nullptr : v.release());
            }
            const int n = static_cast<int>(r() % 9);
            int tag = 1 + static_cast<int>(r() % 3);
            const bool geordnet = r() % 5 != 0;
            for (int i = 0; i < n; ++i) {
                auto v = std::make_unique<c_Vertretungstermin>();
                v->setFelder(std::make_unique<c_Datenliste>(*sv()->getVertretungsterminStruktur()));
                tag = geordnet ? tag + static_cast<int>(r() % 2) : 1 + static_cast<int>(r() % 8);
                v->setDatum(tag, 3, 2026);
                v->setAStd(i);
                neue.push_back(std::move(v));
            }
        };
        auto text = [](const c_Vertretungsterminliste& liste) {
            std::string s;
            for (const c_Vertretungstermin* v : liste) {
                if (!v) {
                    s += "null ";
                    continue;
                }
                int d, m, y;
                v->getDatum(&d, &m, &y);
                s += std::to_string(d) + ":" + std::to_string(v->getAStd()) + " ";
            }
            return s;
        };
        const std::uint32_t seed = z();
        c_Vertretungsterminliste a, b;
        std::vector<std::unique_ptr<c_Vertretungstermin>> neuA, neuB;
        baue(seed, a, neuA);
        baue(seed, b, neuB);
        vertretungenEinfuegen(a, neuA);
        // One sorted insert after the other, as the store inserts.
        sv()->getVertretungsterminliste()->clear();
        for (c_Vertretungstermin* v : b) sv()->getVertretungsterminliste()->push_back(v);
        for (auto& v : neuB) EXPECT_TRUE(sv()->addVertretungstermin(v));
        b.clear();
        for (c_Vertretungstermin* v : *sv()->getVertretungsterminliste()) b.push_back(v);
        sv()->getVertretungsterminliste()->clear();
        EXPECT_TRUE(neuA.empty());
        EXPECT_EQ(text(a), text(b)) << "Runde " << runde;
        a.deleteAll();
        b.deleteAll();
    }
}

}  // namespace
