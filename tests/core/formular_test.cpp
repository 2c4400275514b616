// The record form scheme without widgets: control ids, layout arithmetic with a
// fixed text measure, the OK walk, message styles and the field store.
#include "dialogs/formular.h"
#include "model/felder.h"
#include "testhilfe.h"

#include <gtest/gtest.h>

namespace {

using testhilfe::ExaktTest;


// A measure where every character is 10 pixels wide and the text 13 high.
FormularMasse zehnProZeichen() {
    FormularMasse m;
    m.text = [](const std::string& t) { return TextGroesse{static_cast<int>(10 * text::charCount(t)), 13}; };
    return m;
}

using Form = FormularLayout;

TEST(FormularIds, OnePerCheckBoxTwoPerLabelAndEdit) {
    const auto v = testhilfe::felder(testhilfe::vorlagenFeld(TYP_STRING, "NAME", "Name:"), testhilfe::vorlagenFeld(TYP_STRING, "VORNAME", "Vorname:"),
                                     testhilfe::vorlagenFeld(TYP_BOOL, "URLAUB", "Urlaub"), testhilfe::vorlagenFeld(TYP_INT, "PFLICHTSTUNDEN", "Std:"));
    const std::vector<FeldSteuerung> s = feldSteuerungen(*v);
    ASSERT_EQ(s.size(), 4u);
    const int erwartet[4][3] = {{1000, 1001, 0}, {1002, 1003, 1}, {1004, -1, 0}, {1005, 1006, 2}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s[i].id, erwartet[i][0]) << i;
        EXPECT_EQ(s[i].editId, erwartet[i][1]) << i;
        EXPECT_EQ(s[i].index, erwartet[i][2]) << i;
    }
    const auto nurHaken = testhilfe::felder(testhilfe::vorlagenFeld(TYP_BOOL, "A", "a"), testhilfe::vorlagenFeld(TYP_BOOL, "B", "b"));
    EXPECT_EQ(feldSteuerungen(*nurHaken)[0].id, 1000);
    EXPECT_EQ(feldSteuerungen(*nurHaken)[1].id, 1001);
}

TEST(FormularLayout, ExtentCountsTheLabelWidthTwice) {
    // Three rows with text widths 40, 60 and 50, label x 10, edit width 100: 10 + 120 + 100 + 20 = 250.
    const auto v = testhilfe::felder(testhilfe::vorlagenFeld(TYP_STRING, "A", "abcd", 10, 10), testhilfe::vorlagenFeld(TYP_STRING, "B", "abcdef", 10, 40),
                                     testhilfe::vorlagenFeld(TYP_INT, "C", "abcde", 10, 70));
    const Form l = layoutFormular(*v, 0, 0, 0, zehnProZeichen());
    EXPECT_EQ(l.breite, 250);
    EXPECT_EQ(l.unten, 90);
    ASSERT_EQ(l.felder.size(), 3u);
    EXPECT_EQ(l.felder[1].label.breite, 60);
    EXPECT_EQ(l.felder[1].label.hoehe, 13);
    EXPECT_EQ(l.felder[1].feld.x, 10 + 60 + 5);
    EXPECT_EQ(l.felder[1].feld.y, 40);

    // The horizontal offset moves every control and widens the extent.
    const Form r = layoutFormular(*v, 200, 100, 300, zehnProZeichen());
    EXPECT_EQ(r.felder[0].label.x, 210);
    EXPECT_EQ(r.breite, 450);
    EXPECT_EQ(r.unten, 300);  // no field reaches below the start value
}

TEST(FormularLayout, AWiderFontMovesTheRestOfTheRowRight) {
    // "Geburtstag: Tag" at 15 ends its edit at 15 + 150 + 5 + 28 = 198, past the "Monat" label at 140.
    const auto v = testhilfe::felder(testhilfe::vorlagenFeld(TYP_INT, "TAG", "Geburtstag: Tag", 15, 153, 28, 20),
                                     testhilfe::vorlagenFeld(TYP_INT, "MONAT", "Monat", 140, 153, 28, 20),
                                     testhilfe::vorlagenFeld(TYP_INT, "JAHR", "Jahr", 310, 153, 28, 20),
                                     testhilfe::vorlagenFeld(TYP_STRING, "NAME", "Name", 140, 183, 28, 20));
    const Form l = layoutFormular(*v, 0, 0, 0, zehnProZeichen());
    EXPECT_EQ(l.felder[1].label.x, 208);  // 10 pixels after the edit before it
    EXPECT_EQ(l.felder[1].feld.x, 208 + 50 + 5);
    EXPECT_EQ(l.felder[2].label.x, 310);  // far enough right already
    EXPECT_EQ(l.felder[3].label.x, 140);  // the next band keeps its place
    EXPECT_EQ(l.breite, 310 + 80 + 28 + 20);

    // A label that would touch the edit before it, or stand too close to be told apart, moves
    // right as well; one with room enough stays. "Tag:" at 0 ends its edit at 0 + 40 + 5 + 40 = 85.
    const struct {
        int x;      // template x of the next label
        int platz;  // where it stands
    } faelle[] = {{85, 95}, {88, 95}, {94, 95}, {95, 95}, {120, 120}};
    for (const auto& f : faelle) {
        const auto reihe = testhilfe::felder(testhilfe::vorlagenFeld(TYP_INT, "TAG", "Tag:", 0, 60, 40, 20),
                                             testhilfe::vorlagenFeld(TYP_INT, "MONAT", "Monat:", f.x, 60, 40, 20));
        EXPECT_EQ(layoutFormular(*reihe, 0, 0, 0, zehnProZeichen()).felder[1].label.x, f.platz) << f.x;
    }
}

TEST(FormularLayout, CheckBoxesEmptyLabelsAndLeastHeights) {
    struct Fall {
        const char* was;
        int startBreite;
        int hakenHoehe;
        int breite, unten;
    };
    const auto nurHaken = testhilfe::felder(testhilfe::vorlagenFeld(TYP_BOOL, "A", "a", 15, 200, 200, 12),
                                            testhilfe::vorlagenFeld(TYP_BOOL, "B", "b", 30, 100, 60, 12));
    for (const Fall& f : {Fall{"template sizes", 0, 0, 235, 212}, Fall{"initial width wins", 300, 0, 300, 212},
                          Fall{"least height", 0, 18, 235, 218}}) {
        FormularMasse m = zehnProZeichen();
        m.hakenHoehe = f.hakenHoehe;
        const Form l = layoutFormular(*nurHaken, 0, f.startBreite, 0, m);
        EXPECT_EQ(l.breite, f.breite) << f.was;
        EXPECT_EQ(l.unten, f.unten) << f.was;
    }
    // A caption wider than the template widens its check box.
    FormularMasse m = zehnProZeichen();
    m.hakenBreite = [](const std::string&) { return 250; };
    EXPECT_EQ(layoutFormular(*nurHaken, 0, 0, 0, m).breite, 30 + 250 + 20);

    // An empty label measures 0: the edit starts 5 pixels right of the label's x.
    const auto leer = testhilfe::felder(testhilfe::vorlagenFeld(TYP_STRING, "A", "", 12, 0, 50, 20));
    m.editHoehe = 24;
    const Form l = layoutFormular(*leer, 0, 0, 0, m);
    EXPECT_EQ(l.felder[0].feld.x, 17);
    EXPECT_EQ(l.felder[0].feld.hoehe, 24);
    EXPECT_EQ(l.unten, 24);
}

TEST_F(ExaktTest, FormularFillShowsEveryValueAsText) {
    auto v = testhilfe::felder(testhilfe::intFeld("I", 0), testhilfe::boolFeld("B", true),
                               testhilfe::stringFeld("S", ""), testhilfe::intFeld("J", -7));
    v->push_back(newField(TYP_STRING));  // a string that holds no value
    const FormularWerte w = werteAus(*v);
    EXPECT_EQ(w.edits, (std::vector<std::string>{"0", "", "-7", ""}));
    EXPECT_EQ(w.haken, std::vector<bool>{true});
    const FormularWerte l = leereWerte(*v);
    EXPECT_EQ(l.edits, std::vector<std::string>(4));
    EXPECT_EQ(l.haken, std::vector<bool>{false});
}

TEST_F(ExaktTest, FormularWalkMandatoryAndKeyChecks) {
    const auto v = testhilfe::felder(testhilfe::vorlagenFeld(TYP_STRING, "VORNAME", "Vorname:", 0, 0, 100, 20, true),
                                     testhilfe::vorlagenFeld(TYP_BOOL, "AKTIV", "Aktiv", 0, 0, 100, 20, true),
                                     testhilfe::vorlagenFeld(TYP_INT, "PFLICHTSTUNDEN", "Stunden:"));
    struct Fall {
        const char* was;
        FormularWerte werte;
        bool ok;
        std::vector<std::string> geprueft;  // keys the dialog's check saw
        std::string meldung;
    };
    const Fall faelle[] = {
        {"mandatory edit empty stops the walk", {{"", "5"}, {true}}, false, {}, "Sie müssen das Feld\nVorname:\nausfüllen."},
        {"only the first line counts", {{"\nAnna", "5"}, {}}, false, {}, "Sie müssen das Feld\nVorname:\nausfüllen."},
        {"a cleared mandatory box passes", {{"Anna", "5"}, {false}}, true, {"VORNAME", "AKTIV", "PFLICHTSTUNDEN"}, ""},
        {"own check fails and stops", {{"Anna", "0"}, {true}}, false, {"VORNAME", "AKTIV", "PFLICHTSTUNDEN"}, "zu klein"},
    };
    for (const Fall& f : faelle) {
        std::vector<std::string> geprueft;
        MeldungsSammler m = MeldungsSammler::gesammelt("Lehrer anlegen");
        const bool ok = pruefeFormular(*v, f.werte, m, [&](const FeldEingabe& e, MeldungsSammler& ms) {
            geprueft.push_back(e.feld().nameText());
            // "PFLICHTSTUNDE" recognises PFLICHTSTUNDEN: only the literal's length is compared.
            if (e.ist("PFLICHTSTUNDE") && e.zahl() < 1) {
                ms.melde("zu klein");
                return false;
            }
            return true;
        });
        EXPECT_EQ(ok, f.ok) << f.was;
        EXPECT_EQ(geprueft, f.geprueft) << f.was;
        if (f.meldung.empty()) {
            EXPECT_TRUE(m.leer()) << f.was;
        } else {
            ASSERT_EQ(m.boxen().size(), 1u) << f.was;
            EXPECT_EQ(m.boxen()[0].text, f.meldung) << f.was;
        }
    }
}

TEST_F(ExaktTest, FormularKeyPrefixFollowsTheCaseMode) {
    const auto f = testhilfe::vorlagenFeld(TYP_INT, "Pflichtstunden", "x");
    EXPECT_FALSE(hatSchluessel(*f, "PFLICHTSTUNDE"));
    text::setIgnoreCase(true);
    EXPECT_TRUE(hatSchluessel(*f, "PFLICHTSTUNDE"));
    EXPECT_FALSE(hatSchluessel(*f, "PFLICHTSTUNDENX"));
}

TEST(FormularMeldungen, CollectedAndImmediateStyles) {
    MeldungsSammler g = MeldungsSammler::gesammelt("Lehrer anlegen");
    g.melde("Die Pflichtstundenanzahl\nist ungültig.");
    g.melde("Die Pflichtstundenanzahl\nist kleiner als die bereits\nvergebene Stundenanzahl.");
    g.einzeln("abgelehnt", "Fehler", FLAGS_FEHLER);
    ASSERT_EQ(g.boxen().size(), 2u);
    EXPECT_EQ(g.boxen()[0].text,
              "Die Pflichtstundenanzahl\nist ungültig.Die Pflichtstundenanzahl\nist kleiner als die bereits\nvergebene "
              "Stundenanzahl.");
    EXPECT_EQ(g.boxen()[0].caption, "Lehrer anlegen");
    EXPECT_EQ(g.boxen()[0].flags, FLAGS_HINWEIS);
    EXPECT_EQ(g.boxen()[1].flags, FLAGS_FEHLER);
    EXPECT_EQ(g.entnehmen().size(), 2u);
    EXPECT_TRUE(g.leer());

    MeldungsSammler s = MeldungsSammler::sofort();
    s.melde("eins");
    s.melde("zwei");
    ASSERT_EQ(s.boxen().size(), 2u);
    EXPECT_EQ(s.boxen()[1].caption, "Fehler");
    EXPECT_EQ(s.boxen()[1].flags, FLAGS_FEHLER);
}

TEST_F(ExaktTest, FormularStoreCopiesTheTemplateAndReadsLeadingIntegers) {
    auto v = testhilfe::felder(testhilfe::vorlagenFeld(TYP_INT, "PLZ", "PLZ:", 1, 2, 3, 4, true), testhilfe::vorlagenFeld(TYP_BOOL, "B", "b"),
                               testhilfe::vorlagenFeld(TYP_STRING, "S", "s"), testhilfe::vorlagenFeld(TYP_INT, "T", "t"), testhilfe::vorlagenFeld(TYP_INT, "U", "u"),
                               testhilfe::vorlagenFeld(TYP_INT, "G", "g"));
    static_cast<c_StringObj*>(v->at(2))->setWert(std::string("Vorgabe"));
    const FormularWerte w{{" -7x", "Müller\nzweite Zeile", "abc", "12abc", "99999999999"}, {true}};
    const auto neu = neueFelder(*v, w);
    ASSERT_EQ(neu->size(), v->size());
    EXPECT_EQ(neu->getInt("PLZ"), -7);
    EXPECT_TRUE(neu->getBool("B"));
    EXPECT_EQ(neu->getString("S"), "Müller");
    EXPECT_EQ(neu->getInt("T"), 0);
    EXPECT_EQ(neu->getInt("U"), 12);
    EXPECT_EQ(neu->getInt("G"), 2147483647);
    // A deep copy of the layout; the template keeps its own value.
    EXPECT_EQ(neu->at(0)->getHoehe(), 4);
    EXPECT_TRUE(neu->at(0)->getPflicht());
    EXPECT_EQ(neu->at(0)->beschreibungText(), "PLZ:");
    EXPECT_NE(neu->at(0)->getName(), v->at(0)->getName());
    EXPECT_EQ(v->getString("S"), "Vorgabe");

    // Overwriting in place; controls missing from the values read as empty.
    uebernehmeWerte(*neu, FormularWerte{{"5"}, {}});
    EXPECT_EQ(neu->getInt("PLZ"), 5);
    EXPECT_FALSE(neu->getBool("B"));
    EXPECT_EQ(neu->getString("S"), "");
}

}  // namespace
