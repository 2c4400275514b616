#include "model/felder.h"
#include "testhilfe.h"

using namespace testhilfe;

namespace {

class Felder : public ExaktTest {};

TEST_F(Felder, NewFieldsStartEmpty) {
    c_StringObj s;
    EXPECT_EQ(s.getTyp(), TYP_STRING);
    EXPECT_EQ(s.getName(), nullptr);
    EXPECT_EQ(s.getBeschreibung(), nullptr);
    EXPECT_EQ(s.getWert(), nullptr);
    EXPECT_FALSE(s.getPflicht());
    EXPECT_EQ(s.getX() | s.getY() | s.getWeite() | s.getHoehe() | s.getLaenge(), 0);
    EXPECT_EQ(c_IntObj().getTyp(), TYP_INT);
    EXPECT_EQ(c_IntObj().getWert(), 0);
    EXPECT_EQ(c_BoolObj().getTyp(), TYP_BOOL);
    EXPECT_FALSE(c_BoolObj().getWert());
    EXPECT_EQ(newField(0), nullptr);
    EXPECT_EQ(newField(TYP_BOOL)->getTyp(), TYP_BOOL);
}

TEST_F(Felder, FindFieldWithNullKeyOrOnEmptyListIsNull) {
    c_Datenliste leer;
    EXPECT_EQ(leer.findField("NAME"), nullptr);
    auto l = felder(stringFeld("NAME", "x"));
    EXPECT_EQ(l->findField(static_cast<const char*>(nullptr)), nullptr);
}

TEST_F(Felder, FieldWithoutKeyIsSkippedEvenForEmptyKey) {
    c_Datenliste l;
    l.push_back(std::make_unique<c_IntObj>());  // key never set
    EXPECT_EQ(l.findField(""), nullptr);
    auto leer = std::make_unique<c_IntObj>();
    leer->setName(std::string());
    c_datatype* mitLeeremKey = leer.get();
    l.push_back(std::move(leer));
    EXPECT_EQ(l.findField(""), mitLeeremKey);
}

TEST_F(Felder, LookupIgnoresCaseOnlyOnceTheModeIsSwitched) {
    auto l = felder(stringFeld("VORNAME", "Anna"));
    EXPECT_EQ(l->findField("vorname"), nullptr);
    text::setIgnoreCase(true);
    ASSERT_NE(l->findField("vorname"), nullptr);
    EXPECT_EQ(l->getString("Vorname"), "Anna");
}

TEST_F(Felder, FirstOfTwoEqualKeysWins) {
    auto l = felder(intFeld("TAG", 1), intFeld("TAG", 2));
    EXPECT_EQ(l->findField("TAG"), l->at(0));
    EXPECT_EQ(l->getInt("TAG"), 1);
}

TEST_F(Felder, StringValueCanBeReplacedAndCleared) {
    c_StringObj s;
    s.setWert(std::string("alt"));
    s.setWert(std::string("neu"));
    ASSERT_NE(s.getWert(), nullptr);
    EXPECT_EQ(*s.getWert(), "neu");
    s.setWert(std::nullopt);
    EXPECT_EQ(s.getWert(), nullptr);
    EXPECT_EQ(s.text(), "");
    s.setWert(std::string());  // empty is not the same as none
    ASSERT_NE(s.getWert(), nullptr);
}

TEST_F(Felder, CopiesAreDeepAndKeepOrderAndLayout) {
    auto vorlage = std::make_unique<c_StringObj>();
    vorlage->setName(std::string("NAME"));
    vorlage->setBeschreibung(std::string("Name:"));
    vorlage->setX(15);
    vorlage->setY(33);
    vorlage->setWeite(180);
    vorlage->setHoehe(20);
    vorlage->setLaenge(50);
    vorlage->setPflicht(true);
    vorlage->setWert(std::string("Vorlage"));
    c_Datenliste original;
    original.push_back(intFeld("JAHRGANG", 5));
    original.push_back(std::move(vorlage));

    c_Datenliste kopie(original);
    ASSERT_EQ(kopie.size(), 2u);
    EXPECT_EQ(kopie.at(0)->getTyp(), TYP_INT);
    const auto* s = static_cast<c_StringObj*>(kopie.at(1));
    EXPECT_EQ(s->getTyp(), TYP_STRING);
    EXPECT_EQ(*s->getBeschreibung(), "Name:");
    EXPECT_EQ(s->getX() + s->getY() + s->getWeite() + s->getHoehe() + s->getLaenge(), 15 + 33 + 180 + 20 + 50);
    EXPECT_TRUE(s->getPflicht());
    EXPECT_EQ(*s->getWert(), "Vorlage");

    kopie.setString("NAME", "geändert");
    kopie.setInt("JAHRGANG", 9);
    static_cast<c_StringObj*>(kopie.at(1))->setName(std::string("ANDERS"));
    EXPECT_EQ(original.getString("NAME"), "Vorlage");
    EXPECT_EQ(original.getInt("JAHRGANG"), 5);

    c_Datenliste zugewiesen;
    zugewiesen = original;
    zugewiesen.setString("NAME", "x");
    EXPECT_EQ(original.getString("NAME"), "Vorlage");
}

TEST_F(Felder, TypedAccessToMissingOrMistypedKeysReadsEmptyAndIgnoresSets) {
    auto l = felder(stringFeld("JAHRGANG", "7"), intFeld("AKTIV", 1));
    EXPECT_EQ(l->getInt("JAHRGANG"), 0);
    EXPECT_FALSE(l->getBool("AKTIV"));
    EXPECT_EQ(l->getString("FEHLT"), "");
    l->setInt("JAHRGANG", 3);
    l->setBool("AKTIV", true);
    l->setString("FEHLT", "x");
    EXPECT_EQ(l->getString("JAHRGANG"), "7");
    EXPECT_EQ(static_cast<c_IntObj*>(l->findField("AKTIV"))->getWert(), 1);
    EXPECT_EQ(l->size(), 2u);
}

}  // namespace
