#include "model/datensaetze.h"
#include "testhilfe.h"

using namespace testhilfe;

namespace {

class Datensaetze : public ExaktTest {};

TEST_F(Datensaetze, TeacherIsAbsentOnEveryDayOfAnAbsenceBothEndsIncluded) {
    c_Lehrer l;
    EXPECT_FALSE(l.isAbwesend(1, 2, 2024));
    l.getFehlzeitliste()->push_back(fehlzeit(30, 1, 2024, 2, 2, 2024).release());
    for (auto [d, m] : {std::pair{30, 1}, {31, 1}, {1, 2}, {2, 2}}) EXPECT_TRUE(l.isAbwesend(d, m, 2024)) << d;
    EXPECT_FALSE(l.isAbwesend(29, 1, 2024));
    EXPECT_FALSE(l.isAbwesend(3, 2, 2024));
    EXPECT_FALSE(l.isAbwesend(1, 2, 2023));
    l.getFehlzeitliste()->push_back(fehlzeit(20, 12, 2024, 3, 1, 2025).release());  // across the year end
    EXPECT_TRUE(l.isAbwesend(31, 12, 2024));
    EXPECT_TRUE(l.isAbwesend(2, 1, 2025));
    EXPECT_FALSE(l.isAbwesend(4, 1, 2025));
}

TEST_F(Datensaetze, WeekdayNumbers) {
    const std::pair<const char*, int> faelle[] = {{"Montag", 1},  {"Dienstag", 2}, {"Mittwoch", 3}, {"Donnerstag", 4},
                                                  {"Freitag", 5}, {"Samstag", 6},  {"Sonntag", 6},  {"", 6},
                                                  {"montag", 6}};
    for (const auto& [tag, nummer] : faelle) EXPECT_EQ(dauertermin(tag, 1, 1)->getWochentagNummer(), nummer) << tag;
    EXPECT_EQ(c_Dauertermin().getWochentagNummer(), 6);
    text::setIgnoreCase(true);
    EXPECT_EQ(dauertermin("montag", 1, 1)->getWochentagNummer(), 1);
}

TEST_F(Datensaetze, RoomEquality) {
    c_Fach m1("Mathe"), m2("Mathe"), d("Deutsch");
    auto a = raum("101", {&m1});
    EXPECT_TRUE(a->equals(nullptr));
    EXPECT_TRUE(a->equals(a.get()));
    EXPECT_TRUE(a->equals(raum("101", {&d, &m2}).get()));  // same fields, a subject in common by name
    EXPECT_FALSE(a->equals(raum("102", {&m1}).get()));
    EXPECT_FALSE(a->equals(raum("101", {&d}).get()));
    auto inaktiv = raum("101", {&m1});
    inaktiv->setAktiv(false);
    EXPECT_FALSE(a->equals(inaktiv.get()));

    auto leer = raum("101");
    EXPECT_FALSE(leer->equals(leer.get()));  // no subject: equals no room, itself included
    c_Raum ohneListe;
    ohneListe.setFelder(felder(stringFeld("NAME", "101"), boolFeld("AKTIV", true)));
    EXPECT_FALSE(ohneListe.equals(a.get()));
    EXPECT_FALSE(a->equals(&ohneListe));

    auto klein = raum("a1", {&m1});
    EXPECT_FALSE(klein->equals(raum("A1", {&m1}).get()));
    text::setIgnoreCase(true);
    EXPECT_TRUE(klein->equals(raum("A1", {&m1}).get()));
}

TEST_F(Datensaetze, SubjectEquality) {
    c_Fach m("Mathe");
    EXPECT_FALSE(m.equals(nullptr));
    EXPECT_TRUE(m.equals(&m));
    EXPECT_FALSE(m.equals(std::make_unique<c_Fach>("MATHE").get()));
    text::setIgnoreCase(true);
    EXPECT_TRUE(m.equals(std::make_unique<c_Fach>("MATHE").get()));
}

TEST_F(Datensaetze, ClassLetter) {
    auto k = klasse(5, "");
    EXPECT_EQ(k->getBez(), 0);
    k->setBez('b');
    EXPECT_EQ(k->getFelder()->getString("BEZ"), "b");
    k->setJahrgangBez(7, static_cast<char>(0xC4));
    EXPECT_EQ(k->getFelder()->getString("BEZ"), "\xC3\x84");  // stored as the character Ä
    EXPECT_EQ(k->getBez(), static_cast<char>(0xC4));
    EXPECT_EQ(k->getJahrgang(), 7);
    k->getFelder()->setString("BEZ", "ab");
    EXPECT_EQ(k->getBez(), 'a');
    k->setBez('c');
    EXPECT_EQ(k->getFelder()->getString("BEZ"), "c");
}

TEST_F(Datensaetze, AccessorsOnAMissingKeyReadEmptyAndIgnoreSets) {
    auto l = std::make_unique<c_Lehrer>();
    EXPECT_EQ(l->getName(), "");  // no field list at all
    l->setFelder(felder(stringFeld("NAME", "Kant"), stringFeld("URLAUB", "1")));
    EXPECT_EQ(l->getPflichtstunden(), 0);
    EXPECT_FALSE(l->isBeurlaubt());  // there, but not a bool
    EXPECT_EQ(l->getVorname(), "");

    c_Klasse k;
    k.setJahrgangBez(5, 'a');
    k.setName("x");
    EXPECT_EQ(k.getJahrgang(), 0);
    EXPECT_EQ(k.getBez(), 0);
    k.setFelder(felder(intFeld("JAHRGANG", 5)));
    k.setBez('a');
    EXPECT_EQ(k.getBez(), 0);
    EXPECT_EQ(k.getName(), "");
    EXPECT_EQ(k.getFelder()->size(), 1u);

    c_Raum r;
    r.setAktiv(true);
    EXPECT_FALSE(r.isAktiv());

    c_Einzeltermin t;
    t.setAStd(3);
    t.setDatum(1, 2, 2024);
    EXPECT_EQ(t.getAStd(), 0);
    t.setFelder(felder(intFeld("ASTD", 1), intFeld("TAG", 9)));
    t.setDatum(1, 2, 2024);
    t.setEStd(4);
    int d, m, y;
    t.getDatum(&d, &m, &y);
    EXPECT_EQ(d, 1);  // only TAG was there to set
    EXPECT_EQ(m, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(t.getEStd(), 0);

    c_Fehlzeit f;
    f.getBeginn(&d, &m, &y);
    EXPECT_EQ(d | m | y, 0);
}

TEST_F(Datensaetze, ReplacingASubjectListKeepsTheSubjects) {
    c_Fach m("Mathe");
    c_Lehrer l;
    EXPECT_EQ(l.getFachliste(), nullptr);
    auto erste = std::make_unique<c_Fachliste>();
    erste->push_back(&m);
    l.setFachliste(std::move(erste));
    l.setFachliste(std::make_unique<c_Fachliste>());
    EXPECT_TRUE(l.getFachliste()->empty());
    EXPECT_EQ(m.getName(), "Mathe");
}

}  // namespace
