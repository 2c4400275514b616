// Queries of the front end: taken slots, the lesson before, teachers and rooms
// for a subject, free rooms, planned lessons, the appointments of a week, and
// the removal of substitutions.
#include "jahrgang_hilfe.h"

using namespace jahrgang;

namespace {

class Abfragen : public MitSchulverwaltung {
protected:
    static std::string daten(const c_Liste<c_Vertretungstermin>& liste) {
        std::string s;
        for (const c_Vertretungstermin* t : liste) {
            int d, m, y;
            t->getDatum(&d, &m, &y);
            s += std::to_string(d) + "." + std::to_string(m) + " ";
        }
        return s;
    }
    static std::string daten(const c_Liste<c_Einzeltermin>& liste) {
        std::string s;
        for (const c_Einzeltermin* t : liste) {
            int d, m, y;
            t->getDatum(&d, &m, &y);
            s += std::to_string(d) + "." + std::to_string(m) + " ";
        }
        return s;
    }
};

}  // namespace

TEST_F(Abfragen, NurWochentermineBelegenStunden) {
    c_Raum* r = add(*sv, raum(*sv, "R"));
    c_Raum* anderer = add(*sv, raum(*sv, "S"));
    c_Klasse* k = add(*sv, klasse(*sv, 5, "a"));
    c_Lehrer* l = add(*sv, lehrer(*sv, "L", "L"));
    add(*sv, dauertermin(*sv, "Montag", 3, 5, k, r, l));
    auto e = einzeltermin(*sv, 4, 3, 2024, 1, 1);
    e->setRaum(r);
    e->setKlasse(k);
    e->setLehrer(l);
    add(*sv, std::move(e));

    for (int stunde = 1; stunde <= 7; ++stunde) {
        SCOPED_TRACE(stunde);
        const bool belegt = stunde >= 3 && stunde <= 5;
        EXPECT_EQ(sv->isRaumBelegt("Montag", stunde, r), belegt);
        EXPECT_EQ(sv->isKlasseBelegt("Montag", stunde, k), belegt);
        EXPECT_EQ(sv->isLehrerBelegt("Montag", stunde, l), belegt);
        EXPECT_FALSE(sv->isRaumBelegt("Dienstag", stunde, r));
        EXPECT_FALSE(sv->isKlasseBelegt("Dienstag", stunde, k));
        EXPECT_FALSE(sv->isLehrerBelegt("Dienstag", stunde, l));
        EXPECT_FALSE(sv->isRaumBelegt("Montag", stunde, anderer));
    }
    // An empty link argument matches appointments without that link.
    EXPECT_FALSE(sv->isRaumBelegt("Montag", 4, nullptr));
    add(*sv, dauertermin(*sv, "Freitag", 2, 2));
    EXPECT_TRUE(sv->isRaumBelegt("Freitag", 2, nullptr));
    EXPECT_TRUE(sv->isKlasseBelegt("Freitag", 2, nullptr));
}

TEST_F(Abfragen, TerminDerVorigenStunde) {
    c_Raum* r = add(*sv, raum(*sv, "R"));
    c_Raum* anderer = add(*sv, raum(*sv, "S"));
    c_Dauertermin* erster =
        add(*sv, dauertermin(*sv, "Montag", 1, 2, add(*sv, klasse(*sv, 5, "a")), r, add(*sv, lehrer(*sv, "A", "A"))));
    EXPECT_EQ(sv->getDauerterminVorher("Montag", 1, r), nullptr) << "Stunde 1 hat keine vorige";
    EXPECT_EQ(sv->getDauerterminVorher("Montag", 0, r), nullptr);
    EXPECT_EQ(sv->getDauerterminVorher("Montag", 2, r), erster);
    EXPECT_EQ(sv->getDauerterminVorher("Montag", 3, r), erster);
    EXPECT_EQ(sv->getDauerterminVorher("Montag", 4, r), nullptr);
    EXPECT_EQ(sv->getDauerterminVorher("Montag", 2, anderer), nullptr);
    EXPECT_EQ(sv->getDauerterminVorher("Dienstag", 2, r), nullptr);
    // Of two that match, the later one in the list.
    c_Dauertermin* zweiter = add(
        *sv, dauertermin(*sv, "Montag", 2, 2, add(*sv, klasse(*sv, 5, "b")), anderer, add(*sv, lehrer(*sv, "B", "B"))));
    zweiter->setRaum(r);
    EXPECT_EQ(sv->getDauerterminVorher("Montag", 3, r), zweiter);
    EXPECT_EQ(sv->getDauerterminVorher("Montag", 2, r), erster);

    // Not even an appointment that reaches back to a lesson 0 counts.
    add(*sv, dauertermin(*sv, "Dienstag", 0, 1, nullptr, r));
    EXPECT_EQ(sv->getDauerterminVorher("Dienstag", 1, r), nullptr);
    EXPECT_EQ(sv->getDauerterminVorher("Dienstag", 2, r), sv->getDauerterminliste()->back());
}

TEST_F(Abfragen, LehrerFuerEinFach) {
    c_Fach* f = fach(*sv, "Mathe");
    c_Fach* anderes = fach(*sv, "Kunst");
    c_Lehrer* a = add(*sv, lehrer(*sv, "Abel", "A", 20, {anderes, f}));
    a->setVergebeneStunden(18);
    EXPECT_EQ(sv->findLehrerFuerFach(f, 2), a);
    EXPECT_EQ(sv->findLehrerFuerFach(f, 3), nullptr);
    EXPECT_EQ(sv->findLehrerFuerFach(anderes, 2), a);
    a->setVergebeneStunden(20);
    EXPECT_EQ(sv->findLehrerFuerFach(f, 0), nullptr) << "keine Stunde mehr frei";
    a->setVergebeneStunden(18);

    c_Lehrer* urlaub = add(*sv, lehrer(*sv, "Zorn", "Z", 30, {f}));
    urlaub->getFelder()->setBool("URLAUB", true);
    EXPECT_EQ(sv->findLehrerFuerFach(f, 2), a) << "beurlaubte Lehrer nie";

    c_Lehrer* spaeter = add(*sv, lehrer(*sv, "Berg", "B", 10, {f}));
    add(*sv, lehrer(*sv, "Cramer", "C", 10, {anderes}));
    c_Lehrer* ohneListe = add(*sv, lehrer(*sv, "Dorn", "D", 10));
    ohneListe->setFachliste(nullptr);
    EXPECT_EQ(sv->findLehrerFuerFach(f, 2), spaeter) << "der letzte passende in Listenfolge";
    EXPECT_EQ(sv->findLehrerFuerFach(f, 3), spaeter);
    EXPECT_EQ(sv->findLehrerFuerFach(f, 11), nullptr);
    EXPECT_EQ(sv->findLehrerFuerFach(fach(*sv, "Latein"), 1), nullptr);
}

TEST_F(Abfragen, RaeumeFuerFachUndFreieRaeume) {
    c_Fach* f = fach(*sv, "Physik");
    c_Raum* allgemein = add(*sv, raum(*sv, "A"));
    c_Raum* fachraum = add(*sv, raum(*sv, "B", true, {f}));
    c_Raum* zweimal = add(*sv, raum(*sv, "C", true, {f, f}));
    add(*sv, raum(*sv, "D", false, {f}));
    add(*sv, raum(*sv, "E", false));
    c_Raum* klassenraum = add(*sv, raum(*sv, "F"));
    c_Raum* allgemein2 = add(*sv, raum(*sv, "G"));
    add(*sv, klasse(*sv, 5, "a"))->setKlassenraum(klassenraum);

    auto fuerFach = sv->getRaeumeFuerFach(f);
    ASSERT_EQ(fuerFach->size(), 3u);
    EXPECT_EQ(fuerFach->getRaum(1), fachraum);
    EXPECT_EQ(fuerFach->getRaum(2), zweimal);
    EXPECT_EQ(fuerFach->getRaum(3), zweimal);

    auto frei = sv->getFreieRaeume();
    ASSERT_EQ(frei->size(), 4u);
    EXPECT_EQ(frei->getRaum(1), allgemein);
    EXPECT_EQ(frei->getRaum(2), allgemein2);
    EXPECT_EQ(frei->getRaum(3), fachraum);
    EXPECT_EQ(frei->getRaum(4), zweimal);

    EXPECT_TRUE(sv->isKlassenraum(klassenraum));
    EXPECT_FALSE(sv->isKlassenraum(allgemein));
    EXPECT_FALSE(sv->isKlassenraum(nullptr)) << "auch wenn Klassen keinen Klassenraum haben";
    EXPECT_FALSE(sv->existsRaumname(allgemein));
    c_Raum* doppelt = add(*sv, raum(*sv, "a"));
    EXPECT_TRUE(sv->existsRaumname(doppelt)) << "Namen vergleichen ohne Gross/klein";
    EXPECT_TRUE(sv->existsRaumname(allgemein));
}

TEST_F(Abfragen, GeplanteStundenEinerKlasseInEinemFach) {
    c_Fach* f = fach(*sv, "Mathe");
    c_Fach* g = fach(*sv, "Kunst");
    c_Klasse* k = add(*sv, klasse(*sv, 5, "a"));
    c_Klasse* andere = add(*sv, klasse(*sv, 5, "b"));
    c_Raum* r = add(*sv, raum(*sv, "R"));
    c_Lehrer* l = add(*sv, lehrer(*sv, "L", "L"));
    add(*sv, dauertermin(*sv, "Montag", 1, 2, k, nullptr, nullptr, f));
    add(*sv, dauertermin(*sv, "Dienstag", 4, 4, k, nullptr, nullptr, f));
    add(*sv, dauertermin(*sv, "Mittwoch", 1, 3, k, nullptr, nullptr, g));
    add(*sv, dauertermin(*sv, "Montag", 1, 6, andere, r, l, f));
    EXPECT_EQ(sv->getGeplanteStunden(k, f), 3);
    EXPECT_EQ(sv->getGeplanteStunden(k, g), 3);
    EXPECT_EQ(sv->getGeplanteStunden(andere, g), 0);
}

TEST_F(Abfragen, TermineEinerWocheVonMontagBisSamstag) {
    c_Klasse* k = add(*sv, klasse(*sv, 5, "a"));
    c_Raum* r = add(*sv, raum(*sv, "R"));
    c_Lehrer* vertreter = add(*sv, lehrer(*sv, "Vertreter", "V"));
    c_Lehrer* fehlt = add(*sv, lehrer(*sv, "Fehlt", "F"));
    for (auto [d, m] : {std::pair<int, int>{25, 2}, {26, 2}, {29, 2}, {2, 3}, {3, 3}, {4, 3}, {9, 3}, {10, 3}}) {
        auto e = einzeltermin(*sv, d, m, 2024, 1, 1);
        e->setKlasse(k);
        e->setRaum(r);
        e->setLehrer(vertreter);
        add(*sv, std::move(e));
        auto v = vertretung(*sv, d, m, 2024, 1, 1, vertreter, fehlt);
        v->setKlasse(k);
        v->setRaum(r);
        add(*sv, std::move(v));
    }
    add(*sv, einzeltermin(*sv, 5, 3, 2024, 2, 2, "ohne Klasse"));

    EXPECT_EQ(daten(*sv->getEinzeltermineKlasse(4, 3, 2024, k)), "4.3 9.3 ");
    EXPECT_EQ(daten(*sv->getEinzeltermineRaum(4, 3, 2024, r)), "4.3 9.3 ");
    EXPECT_EQ(daten(*sv->getEinzeltermineLehrer(4, 3, 2024, vertreter)), "4.3 9.3 ");
    EXPECT_EQ(daten(*sv->getEinzeltermineKlasse(26, 2, 2024, k)), "26.2 29.2 2.3 ") << "ueber das Monatsende";
    EXPECT_EQ(daten(*sv->getEinzeltermineKlasse(4, 3, 2024, nullptr)), "5.3 ");
    EXPECT_EQ(daten(*sv->getVertretungstermineKlasse(4, 3, 2024, k)), "4.3 9.3 ");
    EXPECT_EQ(daten(*sv->getVertretungstermineRaum(26, 2, 2024, r)), "26.2 29.2 2.3 ");
    EXPECT_EQ(daten(*sv->getVertretungstermineLehrer(4, 3, 2024, vertreter)), "4.3 9.3 ");
    EXPECT_EQ(daten(*sv->getVertretungstermineLehrer(4, 3, 2024, fehlt)), "") << "nach dem Vertreter gefiltert";
    EXPECT_EQ(sv->getEinzelterminliste()->size(), 9u) << "die Abfragen nehmen nichts weg";
}

TEST_F(Abfragen, VertretungenWerdenAbHeuteEntfernt) {
    setHeute(13, 3, 2024);
    c_Lehrer* fehlt = add(*sv, lehrer(*sv, "Fehlt", "F"));
    c_Lehrer* anderer = add(*sv, lehrer(*sv, "Anders", "A"));
    const auto neu = [&](int d, int m, c_Lehrer* vertretener) {
        add(*sv, vertretung(*sv, d, m, 2024, 1, 1, nullptr, vertretener));
    };
    // A period that began last week and ends next week.
    for (int d : {6, 12, 13, 15, 20, 27}) neu(d, 3, fehlt);
    neu(14, 3, anderer);
    neu(14, 3, nullptr);
    sv->deleteVertretungenZeitraum(fehlt, 4, 3, 2024, 22, 3, 2024);
    EXPECT_EQ(daten(*sv->getVertretungsterminliste()), "6.3 12.3 14.3 14.3 27.3 ");

    // A period that begins after today starts on its own first day.
    for (int d : {15, 16, 17}) neu(d, 3, fehlt);
    sv->deleteVertretungenZeitraum(fehlt, 16, 3, 2024, 30, 3, 2024);
    EXPECT_EQ(daten(*sv->getVertretungsterminliste()), "6.3 12.3 14.3 14.3 15.3 ");

    // From today on: three neighbours in the list all go.
    for (int d : {13, 13, 14}) neu(d, 3, fehlt);
    neu(1, 4, fehlt);
    sv->deleteVertretungenAbHeute(fehlt);
    EXPECT_EQ(daten(*sv->getVertretungsterminliste()), "6.3 12.3 14.3 14.3 ");
    for (c_Vertretungstermin* t : *sv->getVertretungsterminliste()) {
        int d, m, y;
        t->getDatum(&d, &m, &y);
        if (d == 14) {
            EXPECT_NE(t->getVertretenerLehrer(), fehlt);
        }
    }
    sv->deleteVertretungenAbHeute(nullptr);
    EXPECT_EQ(sv->getVertretungsterminliste()->size(), 4u) << "ohne vertretenen Lehrer wird nichts entfernt";
}
