// The three board-game generators: exact runs on tiny schools, the free-slot
// rules of the variants, taking subjects off, the teacher moves, the
// prerequisite checks, refused insertions, invariants on random schools, and
// the stop request of a run that can never finish.

#include "planning/brettspiel.h"
#include "tests/core/planung_test.h"

#include <chrono>
#include <set>
#include <thread>

using namespace planung_schule;
using Platz = c_Brettspiel::Platz;

namespace {

std::unique_ptr<c_Brettspiel> brettspiel(c_Brettspiel::Variante v, c_Schulverwaltung* sv, std::string* fehler) {
    switch (v) {
    case c_Brettspiel::Variante::Ohne: return std::make_unique<c_BrettOhne>(sv, fehler);
    case c_Brettspiel::Variante::Mit: return std::make_unique<c_BrettMit>(sv, fehler);
    case c_Brettspiel::Variante::Alle: return std::make_unique<c_BrettAlle>(sv, fehler);
    }
    return nullptr;
}

const char* kopf(c_Brettspiel::Variante v) {
    switch (v) {
    case c_Brettspiel::Variante::Ohne: return "Algorithmus: Brettspiel (ohne Bedingungen)\n";
    case c_Brettspiel::Variante::Mit: return "Algorithmus: Brettspiel (keine Freistunden)\n";
    case c_Brettspiel::Variante::Alle: return "Algorithmus: Brettspiel (mit allen Bedingungen)\n";
    }
    return "";
}

class PlanungBrettspiel : public PlanungTest, public ::testing::WithParamInterface<c_Brettspiel::Variante> {
protected:
    std::string erstelle(long long* durchlaeufe = nullptr, std::string* status = nullptr, long long grenze = 0) {
        std::string fehler;
        auto g = brettspiel(GetParam(), sv(), &fehler);
        g->setDurchlaufGrenze(grenze);
        g->fuehreAus();
        if (durchlaeufe) *durchlaeufe = g->getDurchlaeufe();
        if (status) *status = g->getStatusAnzeige();
        return fehler;
    }
};

INSTANTIATE_TEST_SUITE_P(Varianten, PlanungBrettspiel,
                         ::testing::Values(c_Brettspiel::Variante::Ohne, c_Brettspiel::Variante::Mit,
                                           c_Brettspiel::Variante::Alle),
                         [](const ::testing::TestParamInfo<c_Brettspiel::Variante>& info) {
                             return info.param == c_Brettspiel::Variante::Ohne  ? std::string("BrettOhne")
                                    : info.param == c_Brettspiel::Variante::Mit ? std::string("BrettMit")
                                                                                : std::string("BrettAlle");
                         });

TEST_P(PlanungBrettspiel, EinFachEineStundeExakt) {
    // Initial placement: one subject, floor(1/2) = 0 placements. Pass 1:
    // subject (draw 1), slot among 10 (draw 2 -> Montag lesson 1), room: the
    // free room, next free slot (draw 3), teacher (draw 4), occupied slot
    // (draw 5), the teacher fits.
    sv()->setStundenProTag(2);
    c_Fach* de = s().fach("Deutsch");
    c_Lehrer* a = s().lehrer("Adam", 5, {de});
    s().raum("R");
    s().klasse(5, 'a');
    s().wunsch(5, de, 1);
    long long n = 0;
    std::string status;
    EXPECT_EQ(erstelle(&n, &status), "");
    EXPECT_EQ(plan(), "Mo 1-1 5a Deutsch Adam R\n");
    EXPECT_EQ(n, 1);
    EXPECT_EQ(zufall::anzahlZiehungen(), 5u);
    EXPECT_EQ(a->getVergebeneStunden(), 1);
    EXPECT_EQ(status, std::string(kopf(GetParam())) + "Algorithmus beendet.");
}

TEST_P(PlanungBrettspiel, ZweiFaecherMitAnfangsverteilungExakt) {
    // One lesson a day. Initial placement of one of two subjects: Deutsch
    // (draw 1) on Montag (draw 2), next free slot (draw 3). Pass 1: Mathe on
    // Dienstag (draws 4, 5, 6), teacher (7), occupied slot Montag (8): Adam
    // takes Deutsch. Pass 2: no open subject, free slot (9), teacher (10),
    // occupied slot Dienstag (11): Adam takes Mathe.
    sv()->setStundenProTag(1);
    c_Fach* de = s().fach("Deutsch");
    c_Fach* ma = s().fach("Mathe");
    c_Lehrer* a = s().lehrer("Adam", 10, {de, ma});
    s().raum("R");
    s().klasse(5, 'a');
    s().wunsch(5, de, 1);
    s().wunsch(5, ma, 1);
    long long n = 0;
    EXPECT_EQ(erstelle(&n), "");
    EXPECT_EQ(plan(), "Mo 1-1 5a Deutsch Adam R\nDi 1-1 5a Mathe Adam R\n");
    EXPECT_EQ(n, 2);
    EXPECT_EQ(zufall::anzahlZiehungen(), 11u);
    EXPECT_EQ(a->getVergebeneStunden(), 2);
}

TEST_P(PlanungBrettspiel, LeeresCurriculumZiehtNichtsUndFuegtNichtsEin) {
    s().lehrer("Adam", 5, {s().fach("Deutsch")});
    s().klasse(5, 'a', s().raum("KR"));
    long long n = -1;
    std::string status;
    EXPECT_EQ(erstelle(&n, &status), "");
    EXPECT_EQ(n, 0);
    EXPECT_EQ(zufall::anzahlZiehungen(), 0u);
    EXPECT_TRUE(sv()->getDauerterminliste()->empty());
    EXPECT_EQ(status, std::string(kopf(GetParam())) + "Algorithmus beendet.");
}

TEST_P(PlanungBrettspiel, KeinLehrerZumFachBrettWirdNichtGebaut) {
    c_Fach* de = s().fach("Deutsch");
    c_Fach* ma = s().fach("Mathe");
    s().lehrer("Adam", 2, {de});
    s().lehrer("Berg", 20, {de}, true);  // on leave
    s().klasse(5, 'a', s().raum("KR"));
    s().wunsch(5, ma, 1);  // nobody teaches Mathe
    s().wunsch(5, de, 3);  // nobody free for Deutsch either, but the check stops at once
    long long n = -1;
    std::string status;
    EXPECT_EQ(erstelle(&n, &status), "Es gibt keinen Lehrer zum Fach Mathe");
    EXPECT_EQ(status,
              "Algorithmus: Brettspiel (mit allen Bedingungen)\nPrüfe, ob Voraussetzungen erfüllt:\nGibt es zu jedem "
              "Fach einen Lehrer?");
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(sv()->getDauerterminliste()->empty());
}

TEST_P(PlanungBrettspiel, ZuWenigFreieStundenFuerEinFach) {
    c_Fach* de = s().fach("Deutsch");
    s().lehrer("Adam", 5, {de});
    s().lehrer("Urlaub", 40, {de}, true);  // his hours do not count
    s().klasse(5, 'a', s().raum("KRa"));
    s().klasse(5, 'b', s().raum("KRb"));
    s().wunsch(5, de, 3);
    std::string status;
    EXPECT_EQ(erstelle(nullptr, &status), "Es gibt nicht genügend Lehrer mit freien\nStunden für das Fach Deutsch");
    EXPECT_EQ(status,
              "Algorithmus: Brettspiel (mit allen Bedingungen)\nPrüfe, ob Voraussetzungen erfüllt:\nHaben die Lehrer "
              "Zeit genug?");
    EXPECT_EQ(zufall::anzahlZiehungen(), 0u);
}

TEST_P(PlanungBrettspiel, HoechstensDoppeltSovieleStundenWieTageNurBeiAllenBedingungen) {
    c_Fach* de = s().fach("Deutsch");
    c_Fach* ma = s().fach("Mathe");
    s().lehrer("Adam", 40, {de, ma});
    s().klasse(5, 'a', s().raum("KR"));
    s().wunsch(5, de, 11);
    s().wunsch(5, ma, 10);
    s().wunsch(6, ma, 12);
    std::string fehler;
    auto g = brettspiel(GetParam(), sv(), &fehler);
    const bool ok = g->pruefeVoraussetzungen();
    if (GetParam() == c_Brettspiel::Variante::Alle) {
        EXPECT_FALSE(ok);
        const std::string eins =
            "Bei diesem Algorithmus darf ein Eintrag im\nCurriculum nicht mehr als doppelt soviele\nStunden besitzten, "
            "wie es Tage gibt";
        EXPECT_EQ(fehler, eins + eins);  // the 11 and the 12, not the 10
        // With Saturdays 12 lessons are allowed.
        sv()->setSamstag(true);
        fehler.clear();
        auto h = brettspiel(GetParam(), sv(), &fehler);
        EXPECT_TRUE(h->pruefeVoraussetzungen());
        EXPECT_EQ(fehler, "");
    } else {
        EXPECT_TRUE(ok);
        EXPECT_EQ(fehler, "");
    }
}

TEST_P(PlanungBrettspiel, BrettMitSamstagHatSechsTage) {
    sv()->setStundenProTag(3);
    sv()->setSamstag(true);
    c_Fach* de = s().fach("Deutsch");
    s().lehrer("Adam", 20, {de});
    s().klasse(5, 'a', s().raum("KRa"));
    c_Klasse* k5b = s().klasse(5, 'b', s().raum("KRb"));
    std::string fehler;
    auto g = brettspiel(GetParam(), sv(), &fehler);
    g->bauBrett();
    ASSERT_EQ(g->getKlassen().size(), 2u);
    EXPECT_EQ(g->getKlassen()[0].anzahl, 18);
    EXPECT_EQ(g->getBrett().size(), 36u);
    // Lesson by lesson, within a lesson from Monday on.
    const Platz& p = g->getKlassen()[1].anfang[7];
    EXPECT_EQ(p.stunde, 2);
    EXPECT_EQ(p.tag, 2);
    EXPECT_EQ(p.termin->getWochentag(), "Dienstag");
    EXPECT_EQ(p.termin->getAStd(), 2);
    EXPECT_EQ(p.termin->getKlasse()->getBez(), 'b');
    EXPECT_EQ(g->getKlassen()[0].anfang[5].termin->getWochentag(), "Samstag");
    EXPECT_EQ(g->findTermin(3, 6, g->getKlassen()[0]), &g->getKlassen()[0].anfang[17]);
    EXPECT_EQ(g->findTermin(4, 1, g->getKlassen()[0]), nullptr);

    // A whole run can fill Saturday slots.
    sv()->deleteKlasse(k5b);
    s().wunsch(5, de, 12);
    EXPECT_EQ(erstelle(nullptr, nullptr, 5000), "");
    EXPECT_NE(plan().find("Sa "), std::string::npos);
}

TEST_P(PlanungBrettspiel, KeinRaumBeendetDieVerteilungNachDemDurchlauf) {
    c_Fach* de = s().fach("Deutsch");
    s().lehrer("Adam", 5, {de});
    s().klasse(5, 'a');  // no class room, and no room at all
    s().wunsch(5, de, 1);
    long long n = 0;
    EXPECT_EQ(erstelle(&n), "Es gibt nicht genügend Räume!");
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(sv()->getDauerterminliste()->empty());
}

TEST_P(PlanungBrettspiel, AbgewieseneTermineWerdenGemeldetUndNichtGezaehlt) {
    // The two classes share their class room, which is never tested for
    // busy: every lesson of the second class collides with one of the first.
    sv()->setStundenProTag(1);
    c_Fach* de = s().fach("Deutsch");
    c_Lehrer* a = s().lehrer("Adam", 5, {de});
    c_Lehrer* b = s().lehrer("Berg", 5, {de});
    c_Raum* kr = s().raum("KR");
    s().klasse(5, 'a', kr);
    s().klasse(5, 'b', kr);
    s().wunsch(5, de, 5);
    const std::string fehler = erstelle(nullptr, nullptr, 100000);
    std::string fuenf;
    for (int i = 0; i < 5; ++i) fuenf += "Ein Termin konnte nicht eingeordnet werden!";
    EXPECT_EQ(fehler, fuenf);
    EXPECT_EQ(sv()->getDauerterminliste()->size(), 5u);
    EXPECT_EQ(a->getVergebeneStunden() + b->getVergebeneStunden(), 5);
    EXPECT_TRUE(verletzungen(true).empty()) << verletzungen(true)[0];
}

// ---- the board operations

class PlanungBrettspielBrett : public PlanungTest {
protected:
    void SetUp() override {
        PlanungTest::SetUp();
        sv()->setStundenProTag(4);
        de = s().fach("Deutsch");
        ma = s().fach("Mathe");
        ph = s().fach("Physik");
        adam = s().lehrer("Adam", 10, {de, ma, ph});
        berg = s().lehrer("Berg", 10, {de, ma});
        k5a = s().klasse(5, 'a');
        k5b = s().klasse(5, 'b');
    }
    std::unique_ptr<c_Brettspiel> brett(c_Brettspiel::Variante v) {
        auto g = brettspiel(v, sv(), &fehler);
        g->bauBrett();
        return g;
    }
    static Platz& platz(const c_Brettspiel& g, int klasse, int stunde, int tag) {
        return *g.findTermin(stunde, tag, g.getKlassen()[static_cast<std::size_t>(klasse)]);
    }
    static std::set<std::pair<int, int>> lage(const std::vector<Platz*>& v) {
        std::set<std::pair<int, int>> s;
        for (const Platz* p : v) s.insert({p->stunde, p->tag});
        return s;
    }

    std::string fehler;
    c_Fach *de, *ma, *ph;
    c_Lehrer *adam, *berg;
    c_Klasse *k5a, *k5b;
};

TEST_F(PlanungBrettspielBrett, FreiePlaetzeJeVariante) {
    using V = c_Brettspiel::Variante;
    for (V v : {V::Ohne, V::Mit, V::Alle}) {
        auto g = brett(v);
        const auto& s = g->getKlassen()[0];
        platz(*g, 0, 2, 1).termin->setFach(de);  // Montag lesson 2
        const auto frei = lage(g->getFreiePlaetze(de, s));
        if (v == V::Ohne) {
            EXPECT_EQ(frei.size(), 19u);
        } else {
            // Montag: only next to lesson 2; every other day is empty.
            EXPECT_EQ(frei.count({1, 1}), v == V::Mit ? 1u : 0u);  // Alle: a second Deutsch not in lesson 1
            EXPECT_EQ(frei.count({3, 1}), 1u);
            EXPECT_EQ(frei.count({4, 1}), 0u);
            EXPECT_EQ(frei.size(), v == V::Mit ? 18u : 17u);
            EXPECT_EQ(lage(g->getFreiePlaetze(ma, s)).size(), 18u);
        }
        // Deutsch twice on Montag: a third never, another subject next to it.
        platz(*g, 0, 3, 1).termin->setFach(de);
        const auto frei2 = lage(g->getFreiePlaetze(de, s));
        if (v == V::Alle) {
            EXPECT_EQ(frei2.count({1, 1}) + frei2.count({4, 1}), 0u);
            const auto ma2 = lage(g->getFreiePlaetze(ma, s));
            EXPECT_EQ(ma2.count({1, 1}) + ma2.count({4, 1}), 2u);
        } else if (v == V::Mit) {
            EXPECT_EQ(frei2.count({1, 1}) + frei2.count({4, 1}), 2u);
        }
    }
}

TEST_F(PlanungBrettspielBrett, DoppelstundeNieInDerErstenOderLetztenStunde) {
    auto g = brett(c_Brettspiel::Variante::Alle);
    platz(*g, 0, 3, 2).termin->setFach(de);  // Dienstag lesson 3 of 4
    auto frei = lage(g->getFreiePlaetze(de, g->getKlassen()[0]));
    EXPECT_EQ(frei.count({2, 2}), 1u);
    EXPECT_EQ(frei.count({4, 2}), 0u);  // the last lesson
    platz(*g, 0, 3, 2).termin->setFach(nullptr);
    platz(*g, 0, 2, 2).termin->setFach(de);
    frei = lage(g->getFreiePlaetze(de, g->getKlassen()[0]));
    EXPECT_EQ(frei.count({1, 2}), 0u);  // the first lesson
    EXPECT_EQ(frei.count({3, 2}), 1u);
    // Another subject may take both neighbours.
    frei = lage(g->getFreiePlaetze(ma, g->getKlassen()[0]));
    EXPECT_EQ(frei.count({1, 2}) + frei.count({3, 2}), 2u);
}

TEST_F(PlanungBrettspielBrett, ReleaseNimmtDieFolgendenStundenMit) {
    c_Fach* sp = s().fach("Sport");
    auto g = brett(c_Brettspiel::Variante::Mit);
    const auto& s = g->getKlassen()[0];
    auto setze = [&](int stunde, int tag, c_Fach* f, c_Lehrer* l) {
        Platz& p = platz(*g, 0, stunde, tag);
        p.termin->setFach(f);
        p.termin->setLehrer(l);
        if (l) l->setVergebeneStunden(l->getVergebeneStunden() + 1);
    };
    setze(1, 1, de, adam);
    setze(2, 1, ma, berg);
    setze(3, 1, ph, adam);
    setze(1, 2, ma, berg);
    setze(2, 2, de, adam);
    setze(1, 3, sp, nullptr);
    setze(2, 3, ph, adam);
    setze(1, 4, sp, nullptr);
    g->releaseTermin(platz(*g, 0, 2, 1), s);
    // Mathe comes off everywhere; after it Physik (Montag 3), which takes
    // Mittwoch 2 with it, and Deutsch (Dienstag 2), which takes Montag 1.
    for (auto [st, tag] : {std::pair{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {2, 3}}) {
        EXPECT_EQ(platz(*g, 0, st, tag).termin->getFach(), nullptr) << st << "/" << tag;
        EXPECT_EQ(platz(*g, 0, st, tag).termin->getLehrer(), nullptr);
    }
    // Sport precedes the released lessons and stays.
    EXPECT_EQ(platz(*g, 0, 1, 3).termin->getFach(), sp);
    EXPECT_EQ(platz(*g, 0, 1, 4).termin->getFach(), sp);
    EXPECT_EQ(adam->getVergebeneStunden(), 0);
    EXPECT_EQ(berg->getVergebeneStunden(), 0);
}

TEST_F(PlanungBrettspielBrett, SetzeLehrerPasstOderNimmtDasFachAb) {
    using V = c_Brettspiel::Variante;
    for (V v : {V::Ohne, V::Mit}) {
        auto g = brett(v);
        const auto& s = g->getKlassen()[0];
        platz(*g, 0, 1, 1).termin->setFach(de);
        platz(*g, 0, 2, 1).termin->setFach(de);
        platz(*g, 0, 3, 1).termin->setFach(ma);
        // Physik is not Berg's subject: nothing happens.
        platz(*g, 0, 1, 3).termin->setFach(ph);
        g->setzeLehrer(platz(*g, 0, 1, 3), berg, s);
        EXPECT_EQ(platz(*g, 0, 1, 3).termin->getFach(), ph);
        EXPECT_EQ(platz(*g, 0, 1, 3).termin->getLehrer(), nullptr);
        // Adam fits: both Deutsch slots get him.
        g->setzeLehrer(platz(*g, 0, 2, 1), adam, s);
        EXPECT_EQ(platz(*g, 0, 1, 1).termin->getLehrer(), adam);
        EXPECT_EQ(platz(*g, 0, 2, 1).termin->getLehrer(), adam);
        EXPECT_EQ(adam->getVergebeneStunden(), 2);
        // Berg teaches class 5b at Montag 3: he does not fit Mathe of 5a.
        platz(*g, 1, 3, 1).termin->setFach(ma);
        platz(*g, 1, 3, 1).termin->setLehrer(berg);
        g->setzeLehrer(platz(*g, 0, 3, 1), berg, s);
        EXPECT_EQ(platz(*g, 0, 3, 1).termin->getFach(), nullptr);
        platz(*g, 1, 3, 1).termin->setLehrer(nullptr);
        // Not enough hours: does not fit either.
        platz(*g, 0, 1, 2).termin->setFach(ma);
        berg->setVergebeneStunden(10);
        g->setzeLehrer(platz(*g, 0, 1, 2), berg, s);
        EXPECT_EQ(platz(*g, 0, 1, 2).termin->getFach(), nullptr);
        EXPECT_EQ(platz(*g, 0, 1, 2).termin->getLehrer(), nullptr);
        berg->setVergebeneStunden(0);
        adam->setVergebeneStunden(0);
    }
}

TEST_F(PlanungBrettspielBrett, TauscheLehrerNimmtDasFachAbWennDerAnderePasst) {
    auto g = brett(c_Brettspiel::Variante::Ohne);
    const auto& s = g->getKlassen()[0];
    for (int tag : {1, 2}) {
        platz(*g, 0, 1, tag).termin->setFach(de);
        platz(*g, 0, 1, tag).termin->setLehrer(adam);
        platz(*g, 0, 1, tag).termin->setRaum(sv()->getRaumliste()->nth(1));
    }
    adam->setVergebeneStunden(2);
    g->tauscheLehrer(adam, platz(*g, 0, 1, 1), s);  // the same teacher
    EXPECT_EQ(platz(*g, 0, 1, 1).termin->getLehrer(), adam);
    berg->setVergebeneStunden(9);  // lacks the hours
    g->tauscheLehrer(berg, platz(*g, 0, 1, 1), s);
    EXPECT_EQ(platz(*g, 0, 1, 1).termin->getLehrer(), adam);
    berg->setVergebeneStunden(0);
    g->tauscheLehrer(berg, platz(*g, 0, 1, 1), s);  // fits: Deutsch comes off
    for (int tag : {1, 2}) {
        EXPECT_EQ(platz(*g, 0, 1, tag).termin->getFach(), nullptr);
        EXPECT_EQ(platz(*g, 0, 1, tag).termin->getLehrer(), nullptr);
    }
    EXPECT_EQ(adam->getVergebeneStunden(), 0);
    EXPECT_EQ(berg->getVergebeneStunden(), 0);
}

TEST_F(PlanungBrettspielBrett, RaumwahlFachraumKlassenraumFreieRaeume) {
    c_Raum* phr = s().raum("PhR", {ph});
    c_Raum* frei = s().raum("Frei");
    c_Raum* kr = s().raum("KR");
    k5b->setKlassenraum(kr);
    s().klasse(5, 'c');
    auto g = brett(c_Brettspiel::Variante::Ohne);
    Platz& p = platz(*g, 0, 1, 1);
    EXPECT_EQ(g->findRaum(ph, k5a, p), phr);
    platz(*g, 1, 1, 1).termin->setRaum(phr);  // busy for 5a at Montag 1
    EXPECT_EQ(g->findRaum(ph, k5a, p), frei);
    EXPECT_EQ(g->findRaum(ph, k5b, p), kr);  // the class room, not tested for busy
    platz(*g, 1, 1, 1).termin->setRaum(frei);
    platz(*g, 2, 1, 1).termin->setRaum(phr);
    EXPECT_FALSE(g->isAbbruch());
    EXPECT_EQ(g->findRaum(de, k5a, p), nullptr);
    EXPECT_TRUE(g->isAbbruch());
    EXPECT_EQ(fehler, "Es gibt nicht genügend Räume!");
}

TEST_F(PlanungBrettspielBrett, OffeneFaecherUndStatustext) {
    s().wunsch(5, de, 2);
    s().wunsch(5, ma, 3);
    s().wunsch(5, ma, 1);  // the last entry wins
    auto g = brett(c_Brettspiel::Variante::Mit);
    platz(*g, 0, 1, 1).termin->setFach(de);
    auto offen = g->getOffeneFaecher(g->getKlassen()[0]);
    ASSERT_EQ(offen->size(), 2u);  // Mathe, twice
    EXPECT_EQ(offen->nth(1), ma);
    EXPECT_EQ(g->getStatusAnzeige(),
              "Algorithmus: Brettspiel (keine Freistunden)\nStatus Verteilung:\nKlasse: 5a\nEinzuordnende "
              "Faecheranzahl: 2 von 3");
    EXPECT_EQ(g->getWochenstunden(ma, k5a), 1);
    EXPECT_EQ(g->getWochenstunden(de, k5a), 2);
    EXPECT_EQ(g->getWochenstunden(ph, k5a), 0);
    EXPECT_EQ(g->getWochenstunden(nullptr, k5a), 0);
}

// ---- invariants on random schools, and a golden plan

struct Lauf {
    std::string plan, fehler;
    long long durchlaeufe = 0;
};

Lauf laufe(c_Brettspiel::Variante v, Schule& schule, long long grenze) {
    Lauf l;
    auto g = brettspiel(v, schule.get(), &l.fehler);
    g->setDurchlaufGrenze(grenze);
    g->fuehreAus();
    l.durchlaeufe = g->getDurchlaeufe();
    l.plan = planText(*schule);
    return l;
}

TEST_P(PlanungBrettspiel, InvariantenAufZufallsschulen) {
    int fertig = 0;
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        Schule schule;
        baueZufallsschule(schule, seed);
        const Lauf l = laufe(GetParam(), schule, 3000);
        const bool vollstaendig = l.fehler.empty() && l.durchlaeufe < 3000;
        if (vollstaendig) ++fertig;
        const auto inv = invarianten(*schule, true);
        EXPECT_TRUE(inv.empty()) << "Schule " << seed << ": " << inv[0];
        // Per class and day of a complete plan: no gap (c_BrettMit,
        // c_BrettAlle), each subject at most twice and then as a double
        // lesson (c_BrettAlle).
        if (GetParam() == c_Brettspiel::Variante::Ohne || !vollstaendig) continue;
        std::map<std::pair<const c_Klasse*, std::string>, std::vector<const c_Dauertermin*>> tage;
        for (const c_Dauertermin* t : *schule->getDauerterminliste()) tage[{t->getKlasse(), t->getWochentag()}].push_back(t);
        for (auto& [schluessel, termine] : tage) {
            std::set<int> stunden;
            std::map<const c_Fach*, std::vector<int>> jeFach;
            for (const c_Dauertermin* t : termine) {
                stunden.insert(t->getAStd());
                jeFach[t->getFach()].push_back(t->getAStd());
            }
            EXPECT_EQ(*stunden.rbegin() - *stunden.begin() + 1, static_cast<int>(stunden.size()))
                << "Luecke, Schule " << seed;
            if (GetParam() != c_Brettspiel::Variante::Alle) continue;
            for (auto& [f, st] : jeFach) {
                EXPECT_LE(st.size(), 2u) << "Schule " << seed;
                if (st.size() == 2) {
                    EXPECT_EQ(std::abs(st[0] - st[1]), 1) << "Schule " << seed;
                }
            }
        }
    }
    EXPECT_GT(fertig, 5);
}

TEST_P(PlanungBrettspiel, FesteZufallsschuleFestgehalten) {
    // Pinned after the invariant test above passed on the same school.
    Schule schule;
    baueZufallsschule(schule, 152);
    const Lauf l = laufe(GetParam(), schule, 100000);
    EXPECT_EQ(l.fehler, "");
    EXPECT_LT(l.durchlaeufe, 100000);
    EXPECT_TRUE(invarianten(*schule, true).empty());
    const std::uint64_t erwartet[] = {2174508878797996593ULL, 4499561820577165662ULL, 8920919578310297486ULL};
    const long long durchlaeufe[] = {742, 1345, 514};
    EXPECT_EQ(l.durchlaeufe, durchlaeufe[static_cast<int>(GetParam())]);
    std::uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : l.plan) h = (h ^ c) * 1099511628211ULL;
    EXPECT_EQ(h, erwartet[static_cast<int>(GetParam())]) << l.durchlaeufe << "\n" << l.plan;
}

// ---- a run that can never finish, stopped from another thread

TEST_P(PlanungBrettspiel, AbbruchEinesEndlosenLaufs) {
    // Adam is the only teacher of both subjects and has 4 hours: once one of
    // them has him, the other never fits, so the board is never complete.
    sv()->setStundenProTag(3);
    c_Fach* de = s().fach("Deutsch");
    c_Fach* ma = s().fach("Mathe");
    c_Lehrer* a = s().lehrer("Adam", 4, {de, ma});
    s().klasse(5, 'a', s().raum("KR"));
    s().wunsch(5, de, 4);
    s().wunsch(5, ma, 1);
    std::string fehler;
    auto g = brettspiel(GetParam(), sv(), &fehler);
    g->start();
    // Waits for passes, not for time: a run that ends by itself leaves the loop as well.
    while (g->getDurchlaeufe() < 200 && g->getStatus() == c_Thread::Status::Running) {
        g->getStatusAnzeige();  // as the dialog's timer reads it
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(g->getStatus(), c_Thread::Status::Running);
    EXPECT_NE(g->getStatusAnzeige().find("Status Verteilung:\nKlasse: 5a\n"), std::string::npos);
    g->stopErstellung(true);
    g->warte();
    EXPECT_EQ(g->getStatus(), c_Thread::Status::Finished);
    EXPECT_GE(g->getDurchlaeufe(), 200);
    EXPECT_EQ(fehler, "Abbruch durch Benutzer.\n");
    EXPECT_EQ(g->getStatusAnzeige(), std::string(kopf(GetParam())) + "Algorithmus beendet.");
    // What had a teacher at the stop was stored.
    EXPECT_TRUE(verletzungen(true).empty()) << verletzungen(true)[0];
    EXPECT_LE(a->getVergebeneStunden(), 4);
    EXPECT_EQ(static_cast<std::size_t>(a->getVergebeneStunden()), sv()->getDauerterminliste()->size());
}

}  // namespace
