// School-year change and clearing of the weekly plan.
#include "jahrgang_hilfe.h"

#include <map>

using namespace jahrgang;

namespace {

class Schuljahr : public MitSchulverwaltung {
protected:
    // Classes as "5a 6a ..." in list order.
    std::string klassen() {
        std::string s;
        for (c_Klasse* k : *sv->getKlassenliste())
            s += std::to_string(k->getJahrgang()) + text::cp1252Char(static_cast<unsigned char>(k->getBez())) + " ";
        return s;
    }
    c_Klasse* finde(int j, char b) { return sv->getKlassenliste()->findKlasse(j, b); }
    void einstellungen(int minK, int maxK, int neuK) {
        sv->setMinKlasse(minK);
        sv->setMaxKlasse(maxK);
        sv->setNeuKlasse(neuK);
    }
};

}  // namespace

TEST_F(Schuljahr, NeueEingangsklassenFehlendeAKlassenAbgangUndVersetzung) {
    einstellungen(5, 10, 3);
    std::map<std::string, c_Klasse*> alt;
    std::map<std::string, c_Schueler*> kinder;
    for (const char* name : {"5a", "6a", "6b", "7a", "9a", "10a", "10b"}) {
        const std::string n(name);
        alt[n] = add(*sv, klasse(*sv, std::stoi(n), n.substr(n.size() - 1), "Name " + n));
        kinder[n] = add(*sv, schueler(*sv, "Kind", n, alt[n]));
    }
    c_Lehrer* l = add(*sv, lehrer(*sv, "Lang", "Lea", 20));
    alt["10a"]->setKlassenlehrer(l);
    add(*sv, dauertermin(*sv, "Montag", 1, 2, alt["10a"], nullptr, l));
    add(*sv, dauertermin(*sv, "Dienstag", 1, 3, alt["5a"], nullptr, l));
    l->setVergebeneStunden(5);
    auto e = einzeltermin(*sv, 1, 6, 2024, 1, 1, "Abschlussfeier");
    e->setKlasse(alt["10b"]);
    add(*sv, std::move(e));
    e = einzeltermin(*sv, 2, 6, 2024, 1, 1, "Wandertag");
    e->setKlasse(alt["6a"]);
    add(*sv, std::move(e));
    auto v = vertretung(*sv, 3, 6, 2024, 1, 1, nullptr, l);
    v->setKlasse(alt["10a"]);
    add(*sv, std::move(v));

    c_Schuelerliste keine;
    sv->changeSchuljahr(&keine, false);

    EXPECT_EQ(klassen(), "5a 5b 5c 6a 7a 7b 8a 9a 10a ");
    EXPECT_EQ(finde(6, 'a'), alt["5a"]);
    EXPECT_EQ(finde(7, 'a'), alt["6a"]);
    EXPECT_EQ(finde(7, 'b'), alt["6b"]);
    EXPECT_EQ(finde(8, 'a'), alt["7a"]);
    EXPECT_EQ(finde(10, 'a'), alt["9a"]);
    for (const auto& [name, k] : alt) EXPECT_NE(finde(9, 'a'), k) << "9a ist neu";
    // New classes come from the class template, without name, room or teacher.
    for (char b : {'a', 'b', 'c'}) {
        c_Klasse* neu = finde(5, b);
        ASSERT_NE(neu, nullptr);
        EXPECT_EQ(neu->getFelder()->size(), sv->getKlasseStruktur()->size());
        EXPECT_EQ(neu->getName(), "");
        EXPECT_EQ(neu->getKlassenraum(), nullptr);
        EXPECT_EQ(neu->getKlassenlehrer(), nullptr);
    }
    EXPECT_EQ(finde(9, 'a')->getFelder()->getString("BEZ"), "a");
    EXPECT_EQ(finde(6, 'a')->getName(), "Name 5a");

    EXPECT_EQ(kinder["10a"]->getKlasse(), nullptr);
    EXPECT_EQ(kinder["10b"]->getKlasse(), nullptr);
    EXPECT_EQ(kinder["9a"]->getKlasse(), finde(10, 'a'));
    EXPECT_EQ(sv->getSchuelerliste()->size(), 7u);
    // The appointments of the leaving classes are gone, the plan is empty.
    EXPECT_TRUE(sv->getDauerterminliste()->empty());
    EXPECT_EQ(l->getVergebeneStunden(), 0);
    ASSERT_EQ(sv->getEinzelterminliste()->size(), 1u);
    EXPECT_EQ(sv->getEinzelterminliste()->getEinzeltermin(1)->getName(), "Wandertag");
    EXPECT_TRUE(sv->getVertretungsterminliste()->empty());
    EXPECT_TRUE(linksImSpeicher(db()));
}

TEST_F(Schuljahr, WiederholerKommenInDieAKlasseIhresJahrgangs) {
    einstellungen(5, 10, 1);
    for (const char* name : {"5a", "6a", "6b", "7b", "9a", "10a"}) {
        const std::string n(name);
        add(*sv, klasse(*sv, std::stoi(n), n.substr(n.size() - 1)));
    }
    c_Schueler* aus7b = add(*sv, schueler(*sv, "Wiederholt", "7b", finde(7, 'b')));
    c_Schueler* bleibt7b = add(*sv, schueler(*sv, "Versetzt", "7b", finde(7, 'b')));
    c_Schueler* aus10a = add(*sv, schueler(*sv, "Wiederholt", "10a", finde(10, 'a')));
    c_Schueler* ohne = add(*sv, schueler(*sv, "Wiederholt", "ohne Klasse"));
    c_Klasse* alt6a = finde(6, 'a');
    c_Klasse* alt9a = finde(9, 'a');

    c_Schuelerliste wiederholer;
    wiederholer.push_back(aus7b);
    wiederholer.push_back(ohne);
    wiederholer.push_back(aus10a);
    sv->changeSchuljahr(&wiederholer, false);

    EXPECT_EQ(aus7b->getKlasse(), alt6a);
    EXPECT_EQ(alt6a->getJahrgang(), 7);
    EXPECT_EQ(bleibt7b->getKlasse(), finde(8, 'b'));
    EXPECT_EQ(aus10a->getKlasse(), alt9a);
    EXPECT_EQ(alt9a->getJahrgang(), 10);
    EXPECT_EQ(ohne->getKlasse(), nullptr);
    EXPECT_EQ(wiederholer.size(), 3u) << "die Liste bleibt dem Aufrufer";
    EXPECT_EQ(sv->getSchuelerliste()->size(), 4u);
}

TEST_F(Schuljahr, OhneEingangsklassenVerliertDerWiederholerDerUnterstenStufeSeineKlasse) {
    einstellungen(5, 6, 0);
    c_Klasse* k5 = add(*sv, klasse(*sv, 5, "a"));
    c_Klasse* k12 = add(*sv, klasse(*sv, 12, "a"));
    c_Schueler* s = add(*sv, schueler(*sv, "Wiederholt", "5a", k5));
    c_Schuelerliste wiederholer;
    wiederholer.push_back(s);
    sv->changeSchuljahr(&wiederholer, false);
    EXPECT_EQ(s->getKlasse(), nullptr);
    EXPECT_EQ(klassen(), "6a 13a ") << "5a wird 6a, die neue 6a geht ab, Stufen ueber der hoechsten bleiben";
    EXPECT_EQ(finde(6, 'a'), k5);
    EXPECT_EQ(finde(13, 'a'), k12);
}

TEST_F(Schuljahr, StundenplanLeerenMitUndOhneZensuren) {
    for (bool zensurenWeg : {false, true}) {
        SCOPED_TRACE(zensurenWeg ? "mit Zensuren" : "ohne Zensuren");
        sv->clear();
        Jahrgang j = baueJahrgang(*sv);
        add(*sv, dauertermin(*sv, "Dienstag", 2, 4, j.k5b, nullptr, j.schmidt));
        // Both teachers also hold 3 lessons that are not in the plan.
        j.mueller->setVergebeneStunden(j.mueller->getVergebeneStunden() + 3);
        j.schmidt->setVergebeneStunden(j.schmidt->getVergebeneStunden() + 3 + 3);
        ASSERT_EQ(sv->getDauerterminliste()->size(), 5u);
        const Anzahlen vorher = anzahlen(db());

        sv->clearStundenplan(zensurenWeg);

        EXPECT_TRUE(sv->getDauerterminliste()->empty());
        EXPECT_EQ(j.mueller->getVergebeneStunden(), 3);
        EXPECT_EQ(j.schmidt->getVergebeneStunden(), 3);
        EXPECT_EQ(j.lena->getZensurliste()->size(), zensurenWeg ? 0u : 2u);
        EXPECT_EQ(j.oemer->getZensurliste()->size(), zensurenWeg ? 0u : 1u);
        EXPECT_EQ(j.lena->getFehlzeitliste()->size(), 1u);
        EXPECT_EQ(sv->getEinzelterminliste()->size(), vorher.einzel);
        EXPECT_EQ(sv->getVertretungsterminliste()->size(), vorher.vertretung);
        EXPECT_EQ(sv->getKlassenliste()->size(), vorher.klasse);
    }
}

TEST_F(Schuljahr, SchuljahrwechselLoeschtZensurenNurAufWunsch) {
    for (bool zensurenWeg : {false, true}) {
        sv->clear();
        Jahrgang j = baueJahrgang(*sv);
        c_Schuelerliste keine;
        sv->changeSchuljahr(&keine, zensurenWeg);
        EXPECT_EQ(j.lena->getZensurliste()->size(), zensurenWeg ? 0u : 2u);
        EXPECT_EQ(j.lena->getKlasse(), j.k5a);
        EXPECT_EQ(j.k5a->getJahrgang(), 6);
        EXPECT_TRUE(sv->getDauerterminliste()->empty());
    }
}
