#include "model/database/database.h"
#include "testhilfe.h"

#include <array>
#include <tuple>
#include <type_traits>

using namespace testhilfe;

namespace {

class Listen : public ExaktTest {};

template <class L>
std::string namen(const L& l) {
    std::string s;
    for (const auto* p : l) {
        s += p->getName();
        if constexpr (std::is_base_of_v<c_person, std::remove_cv_t<std::remove_pointer_t<decltype(p)>>>)
            s += "/" + p->getVorname();
        s += " ";
    }
    return s;
}

template <class L>
std::string daten(const L& l) {
    std::string s;
    for (const auto* t : l) s += datum(*t) + (t->getName().empty() ? "" : "=" + t->getName()) + " ";
    return s;
}

std::string klassen(const c_Klassenliste& l) {
    std::string s;
    for (const auto* k : l) s += std::to_string(k->getJahrgang()) + k->getName() + " ";
    return s;
}

std::unique_ptr<c_Klasse> benannteKlasse(int jahrgang, const std::string& bez) {
    auto k = klasse(jahrgang, bez);
    k->setName(bez);
    return k;
}

std::unique_ptr<c_Einzeltermin> benannt(std::unique_ptr<c_Einzeltermin> t, const std::string& name) {
    t->setName(name);
    return t;
}

TEST_F(Listen, StudentsSortByNameThenFirstNameIgnoringAsciiCase) {
    Besitz<c_Schuelerliste> b;
    b.add(person<c_Schueler>("\xC3\x84rger", "Eva"));  // Ä
    b.add(person<c_Schueler>("bauer", "Zoe"));
    b.add(person<c_Schueler>("Bauer", "Zoe"));
    b.add(person<c_Schueler>("zuse", "Konrad"));
    b.add(person<c_Schueler>("Adam", "Zoe"));
    b.add(person<c_Schueler>("BAUER", "anna"));
    b.liste.sort();
    EXPECT_TRUE(text::ignoreCase());
    EXPECT_EQ(namen(b.liste), "Adam/Zoe BAUER/anna bauer/Zoe Bauer/Zoe zuse/Konrad \xC3\x84rger/Eva ");
}

TEST_F(Listen, TeachersRoomsAndSubjectsSortByName) {
    Besitz<c_Lehrerliste> l;
    l.add(person<c_Lehrer>("meier", "B"));
    l.add(person<c_Lehrer>("Meier", "a"));
    l.liste.sort();
    EXPECT_EQ(namen(l.liste), "Meier/a meier/B ");

    Besitz<c_Raumliste> r;
    for (const char* n : {"b12", "A3", "\xC3\x96kologie", "a3", "B1"}) r.add(raum(n));
    r.liste.sort();
    EXPECT_EQ(namen(r.liste), "A3 a3 B1 b12 \xC3\x96kologie ");

    Besitz<c_Fachliste> f;
    for (const char* n : {"Sport", "deutsch", "Deutsch", "Mathe"}) f.add(std::make_unique<c_Fach>(n));
    f.liste.sort();
    EXPECT_EQ(namen(f.liste), "deutsch Deutsch Mathe Sport ");
}

TEST_F(Listen, ClassesSortByGradeThenSignedLetter) {
    Besitz<c_Klassenliste> b;
    for (auto [j, bez] : {std::pair{5, "b"}, {5, "a"}, {10, "a"}, {6, "a"}, {5, "A"}, {5, "\xC3\x84"}, {-1, "z"}})
        b.add(benannteKlasse(j, bez));
    b.liste.sort();
    EXPECT_EQ(klassen(b.liste), "-1z 5\xC3\x84 5A 5a 5b 6a 10a ");  // Ä is negative as a signed byte
}

TEST_F(Listen, DatedListsSortByDateKeepingFileOrderForEqualDates) {
    Besitz<c_Einzelterminliste> b;
    b.add(einzeltermin(10, 1, 2024, 1, 1));
    b.add(benannt(einzeltermin(5, 2, 2024, 1, 1), "erster"));
    b.add(einzeltermin(3, 1, 2025, 1, 1));
    b.add(einzeltermin(5, 2, 2023, 1, 1));
    b.add(benannt(einzeltermin(5, 2, 2024, 1, 1), "zweiter"));
    b.liste.sort();
    // Equal dates stay in file order, so that saving and loading keeps the order.
    EXPECT_EQ(daten(b.liste), "5.2.2023 10.1.2024 5.2.2024=erster 5.2.2024=zweiter 3.1.2025 ");

    Besitz<c_Vertretungsterminliste> v;
    for (auto [d, m] : {std::pair{9, 12}, {2, 12}, {30, 11}}) {
        auto t = std::make_unique<c_Vertretungstermin>();
        t->setFelder(felder(intFeld("TAG", d), intFeld("MONAT", m), intFeld("JAHR", 2024)));
        v.add(std::move(t));
    }
    v.liste.sort();
    EXPECT_EQ(daten(v.liste), "30.11.2024 2.12.2024 9.12.2024 ");
}

TEST_F(Listen, NthIsOneBasedAndIndexOfFindsTheLastMatch) {
    Besitz<c_Lehrerliste> b;
    c_Lehrer* a = b.add(person<c_Lehrer>("A", ""));
    c_Lehrer* c = b.add(person<c_Lehrer>("C", ""));
    EXPECT_EQ(b.liste.getLehrer(1), a);
    EXPECT_EQ(b.liste.getLehrer(2), c);
    EXPECT_EQ(b.liste.getLehrer(0), nullptr);
    EXPECT_EQ(b.liste.getLehrer(-1), nullptr);
    EXPECT_EQ(b.liste.getLehrer(3), nullptr);
    c_Lehrer fremd;
    EXPECT_EQ(b.liste.indexOf(&fremd), 0);
    EXPECT_EQ(b.liste.indexOf(nullptr), 0);
    EXPECT_EQ(b.liste.indexOf(c), 2);

    c_Fachliste doppelt;  // links only
    c_Fach x("x"), y("y");
    for (c_Fach* f : {&x, &y, &x}) doppelt.push_back(f);
    EXPECT_EQ(doppelt.indexOf(&x), 3);
    EXPECT_EQ(doppelt.getFach(3), &x);
    EXPECT_TRUE(doppelt.contains(&y));
    EXPECT_FALSE(doppelt.contains(nullptr));
}

TEST_F(Listen, FiltersReturnNewListsEvenWhenNothingMatches) {
    auto k1 = klasse(5, "a");
    c_Lehrer abwesend, vertreter;
    Besitz<c_Schuelerliste> s;
    c_Schueler* mit = s.add(person<c_Schueler>("Mit", ""));
    c_Schueler* ohne = s.add(person<c_Schueler>("Ohne", ""));
    mit->setKlasse(k1.get());
    auto inK1 = s.liste.getSchuelerKlasse(k1.get());
    ASSERT_EQ(inK1->size(), 1u);
    EXPECT_EQ(inK1->front(), mit);
    auto ohneKlasse = s.liste.getSchuelerKlasse(nullptr);
    ASSERT_EQ(ohneKlasse->size(), 1u);
    EXPECT_EQ(ohneKlasse->front(), ohne);
    auto k2 = klasse(5, "b");
    auto keine = s.liste.getSchuelerKlasse(k2.get());
    ASSERT_NE(keine, nullptr);
    EXPECT_TRUE(keine->empty());

    Besitz<c_Vertretungsterminliste> v;
    auto* t = v.add(std::make_unique<c_Vertretungstermin>());
    t->setLehrer(&vertreter);
    t->setVertretenerLehrer(&abwesend);
    EXPECT_EQ(v.liste.getTermineLehrer(&vertreter)->size(), 1u);
    EXPECT_TRUE(v.liste.getTermineLehrer(&abwesend)->empty());
    EXPECT_EQ(v.liste.size(), 1u);  // the source is unchanged

    Besitz<c_Dauerterminliste> d;
    d.add(dauertermin("Montag", 1, 1, nullptr, nullptr, k1.get()));
    d.add(dauertermin("Montag", 2, 2));
    EXPECT_EQ(d.liste.getTermineKlasse(k1.get())->size(), 1u);
    EXPECT_EQ(d.liste.getTermineRaum(nullptr)->size(), 2u);
}

TEST_F(Listen, SingleAppointmentsCollideOnTheSameDateWithOverlappingLessons) {
    Besitz<c_Einzelterminliste> b;
    b.add(einzeltermin(5, 3, 2024, 1, 2));
    EXPECT_FALSE(b.liste.isFrei(einzeltermin(5, 3, 2024, 2, 3).get()));
    EXPECT_FALSE(b.liste.isFrei(einzeltermin(5, 3, 2024, 0, 9).get()));
    EXPECT_TRUE(b.liste.isFrei(einzeltermin(5, 3, 2024, 3, 4).get()));
    EXPECT_TRUE(b.liste.isFrei(einzeltermin(6, 3, 2024, 1, 2).get()));
    EXPECT_TRUE(b.liste.isFrei(einzeltermin(5, 3, 2025, 1, 2).get()));
}

TEST_F(Listen, WeeklyAppointmentsCollideOnlyWhenTheyShareALink) {
    c_Lehrer a, b;
    c_Raum r1, r2;
    auto k1 = klasse(5, "a"), k2 = klasse(5, "b");
    Besitz<c_Dauerterminliste> l;
    l.add(dauertermin("Montag", 3, 4, &a, &r1, k1.get()));
    EXPECT_FALSE(l.liste.isFrei(dauertermin("Montag", 4, 5, &a, &r2, k2.get()).get()));
    EXPECT_FALSE(l.liste.isFrei(dauertermin("Montag", 4, 5, &b, &r1, k2.get()).get()));
    EXPECT_FALSE(l.liste.isFrei(dauertermin("Montag", 4, 5, &b, &r2, k1.get()).get()));
    EXPECT_TRUE(l.liste.isFrei(dauertermin("Montag", 4, 5, &b, &r2, k2.get()).get()));
    EXPECT_TRUE(l.liste.isFrei(dauertermin("Montag", 5, 6, &a, &r1, k1.get()).get()));
    EXPECT_TRUE(l.liste.isFrei(dauertermin("Dienstag", 3, 4, &a, &r1, k1.get()).get()));
    l.add(dauertermin("Mittwoch", 1, 1));  // null links are equal links
    EXPECT_FALSE(l.liste.isFrei(dauertermin("Mittwoch", 1, 1, &a, &r1).get()));
    EXPECT_TRUE(l.liste.isFrei(dauertermin("mittwoch", 1, 1, &a, &r1).get()));
    text::setIgnoreCase(true);
    EXPECT_FALSE(l.liste.isFrei(dauertermin("mittwoch", 1, 1, &a, &r1).get()));
}

TEST_F(Listen, WeeklyFreeSlotMovesTheLessonsWithinTheLessonsOfADay) {
    c_Lehrer a;
    c_Raum r;
    c_Fach f("Mathe");
    Besitz<c_Dauerterminliste> l;
    l.add(dauertermin("Freitag", 1, 5, &a));
    auto t = dauertermin("Freitag", 1, 2, &a, &r);
    t->setFach(&f);
    t->setEingeordnet(true);
    auto v = l.liste.findFreienTermin(t.get(), 8);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->getAStd(), 6);
    EXPECT_EQ(v->getEStd(), 7);
    EXPECT_EQ(t->getAStd(), 1);  // the proposal has fields of its own
    EXPECT_TRUE(v->isDauertermin());
    EXPECT_FALSE(v->isEingeordnet());
    EXPECT_EQ(v->getWochentag(), "Freitag");
    EXPECT_EQ(v->getLehrer(), &a);
    EXPECT_EQ(v->getRaum(), &r);
    EXPECT_EQ(v->getFach(), &f);
    EXPECT_EQ(l.liste.findFreienTermin(t.get(), 6), nullptr);  // 6-7 is past the day

    // No start fits within the day, or the span does not fit at all: no proposal.
    l.add(dauertermin("Freitag", 6, 8, &a));
    EXPECT_EQ(l.liste.findFreienTermin(t.get(), 8), nullptr);
    v = l.liste.findFreienTermin(t.get(), 10);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->getAStd(), 9);
    auto lang = dauertermin("Freitag", 1, 9, &a);
    EXPECT_EQ(l.liste.findFreienTermin(lang.get(), 8), nullptr);
    auto verkehrt = dauertermin("Freitag", 3, 2, &a);
    EXPECT_EQ(l.liste.findFreienTermin(verkehrt.get(), 8), nullptr);
}

TEST_F(Listen, SingleFreeSlotWalksForwardWithTwentyEightDayFebruary) {
    const struct {
        int d, m, y;
        std::vector<std::array<int, 3>> belegt;
        const char* erwartet;
    } faelle[] = {
        {28, 2, 2024, {{28, 2, 2024}}, "1.3.2024"},
        {31, 12, 2023, {{31, 12, 2023}}, "1.1.2024"},
        {30, 4, 2024, {{30, 4, 2024}, {1, 5, 2024}}, "2.5.2024"},
        {31, 2, 2024, {{31, 2, 2024}}, "1.3.2024"},
        {5, 13, 2024, {{5, 13, 2024}}, "1.1.2025"},
        {0, 0, 2024, {{0, 0, 2024}, {1, 1, 2024}}, "2.1.2024"},
        {7, 7, 2024, {{8, 7, 2024}}, "7.7.2024"},
    };
    for (const auto& f : faelle) {
        Besitz<c_Einzelterminliste> l;
        for (const auto& d : f.belegt) l.add(einzeltermin(d[0], d[1], d[2], 1, 2));
        auto t = benannt(einzeltermin(f.d, f.m, f.y, 2, 3), "Ausflug");
        auto v = l.liste.findFreienTermin(t.get());
        EXPECT_EQ(datum(*v), f.erwartet);
        EXPECT_EQ(v->getName(), "Ausflug");
        EXPECT_EQ(v->getAStd(), 2);
        EXPECT_FALSE(v->isDauertermin());
        EXPECT_EQ(datum(*t), std::to_string(f.d) + "." + std::to_string(f.m) + "." + std::to_string(f.y));
    }
}

TEST_F(Listen, ClassListOperations) {
    Besitz<c_Klassenliste> b;
    c_Klasse* a = b.add(klasse(7, "a"));
    c_Klasse* gA = b.add(klasse(7, "A"));
    EXPECT_EQ(b.liste.findKlasse(7, 'A'), gA);
    EXPECT_EQ(b.liste.findKlasse(7, 'a'), a);
    EXPECT_EQ(b.liste.findKlasse(8, 'a'), nullptr);

    c_Raum r;
    c_Lehrer l;
    a->setKlassenraum(&r);
    gA->setKlassenlehrer(&l);
    EXPECT_TRUE(b.liste.hasKlassenraum(&r));
    EXPECT_TRUE(b.liste.hasKlassenlehrer(&l));
    c_Raum anderer;
    EXPECT_FALSE(b.liste.hasKlassenraum(&anderer));

    auto fremd = klasse(9, "c");
    b.liste.remove(fremd.get());  // not in the list: nothing happens
    EXPECT_EQ(b.liste.size(), 2u);
    b.liste.push_back(a);
    b.liste.remove(a);  // the first node only
    ASSERT_EQ(b.liste.size(), 2u);
    EXPECT_EQ(b.liste.getKlasse(1), gA);
    EXPECT_EQ(b.liste.getKlasse(2), a);
}

TEST_F(Listen, RoomListsEqualByIdentityAndOrder) {
    c_Raum a, b;
    c_Raumliste ab, ba, ab2, nurA;
    for (c_Raum* r : {&a, &b}) ab.push_back(r), ab2.push_back(r);
    for (c_Raum* r : {&b, &a}) ba.push_back(r);
    nurA.push_back(&a);
    EXPECT_TRUE(ab.equals(nullptr));
    EXPECT_TRUE(ab.equals(&ab2));
    EXPECT_FALSE(ab.equals(&ba));
    EXPECT_FALSE(ab.equals(&nurA));
}

TEST_F(Listen, SubjectListsIntersectByName) {
    c_Fach m1("Mathe"), m2("Mathe"), d("Deutsch"), klein("mathe");
    c_Fachliste a, b, leer;
    a.push_back(&m1);
    b.push_back(&d);
    EXPECT_FALSE(a.intersects(&b));
    EXPECT_FALSE(a.intersects(nullptr));
    EXPECT_FALSE(a.intersects(&leer));
    EXPECT_FALSE(leer.intersects(&a));
    b.push_back(&m2);
    EXPECT_TRUE(a.intersects(&b));
    EXPECT_FALSE(b.contains(&m1));
    c_Fachliste c;
    c.push_back(&klein);
    EXPECT_FALSE(a.intersects(&c));
    text::setIgnoreCase(true);
    EXPECT_TRUE(a.intersects(&c));
}

TEST_F(Listen, CurriculumQueries) {
    c_Fach m("Mathe"), d("Deutsch");
    Besitz<c_Curriculum> c;
    auto wunsch = [&](int jahrgang, c_Fach* f, int stunden) {
        auto w = std::make_unique<c_Wunsch>();
        w->setJahrgang(jahrgang);
        w->setFach(f);
        w->setStunden(stunden);
        w->setStunden2(stunden + 100);
        c.add(std::move(w));
    };
    wunsch(5, &m, 4);
    wunsch(6, &d, 3);
    wunsch(5, &d, 5);
    wunsch(5, &m, 2);
    auto faecher = c.liste.getFaecher(5);
    ASSERT_EQ(faecher->size(), 3u);
    EXPECT_EQ(faecher->getFach(1), &m);
    EXPECT_EQ(faecher->getFach(2), &d);
    EXPECT_EQ(faecher->getFach(3), &m);
    EXPECT_TRUE(c.liste.getFaecher(7)->empty());
    int s = -1, s2 = -1;
    c.liste.getStunden(5, &m, &s, &s2);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(s2, 102);
    s = s2 = -1;
    c.liste.getStunden(6, &m, &s, &s2);
    EXPECT_EQ(s, -1);
    EXPECT_EQ(s2, -1);
}

// The sorted inserts of the store put new entries where the sorts would.
class Einfuegen : public OrdnerTest {};

TEST_F(Einfuegen, InsertsPlaceNewEntriesAfterEqualKeysAndBeforeEqualDates) {
    std::string fehler;
    c_Database db(nullptr, &fehler);
    for (auto [j, bez] : {std::pair{5, "b"}, {5, "a"}, {10, "a"}, {6, "a"}, {5, "A"}}) {
        auto k = benannteKlasse(j, bez);
        ASSERT_EQ(db.insertKlasse(k), 1);
        EXPECT_EQ(k, nullptr);
    }
    EXPECT_EQ(klassen(*db.getKlassenliste()), "5A 5a 5b 6a 10a ");

    for (const char* n : {"smith", "Smith", "Adam"}) {
        auto s = person<c_Schueler>(n, "Jo");
        db.insertSchueler(s);
    }
    EXPECT_EQ(namen(*db.getSchuelerliste()), "Adam/Jo smith/Jo Smith/Jo ");

    for (auto [d, m, y, n] : {std::tuple{3, 5, 2024, "alt"}, {3, 5, 2024, "neu"}, {2, 5, 2024, ""}, {1, 1, 2025, ""}}) {
        auto t = benannt(einzeltermin(d, m, y, 1, 1), n);
        db.insertEinzeltermin(t);
    }
    EXPECT_EQ(daten(*db.getEinzelterminliste()), "2.5.2024 3.5.2024=neu 3.5.2024=alt 1.1.2025 ");
}

}  // namespace
