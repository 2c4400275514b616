// The record store: list limits, sorted inserts, replacing, deleting with
// reference checks and cascades, clearing.
#include "jahrgang_hilfe.h"

#include <algorithm>
#include <functional>
#include <random>

using namespace jahrgang;

namespace {

class Speicher : public MitSchulverwaltung {
protected:
    template <class L, class N>
    static std::string folge(const L& liste, N name) {
        std::string s;
        for (auto* e : liste) s += name(e) + "|";
        return s;
    }
    static std::string person(const c_person* p) { return p->getName() + "," + p->getVorname(); }
    static std::string klassenname(const c_Klasse* k) {
        return std::to_string(k->getJahrgang()) + text::cp1252Char(static_cast<unsigned char>(k->getBez()));
    }
    static std::string datumName(const c_Einzeltermin* t) {
        int d, m, y;
        t->getDatum(&d, &m, &y);
        return std::to_string(d) + "." + std::to_string(m) + "." + std::to_string(y) + " " + t->getName();
    }
};

}  // namespace

TEST_F(Speicher, VolleListenWeisenNeueEintraegeAb) {
    const std::size_t grenze = c_Database::MAX_EINTRAEGE;
    ASSERT_EQ(grenze, 32000u);

    // Students: at 31999 the insert succeeds, at 32000 it is refused.
    for (std::size_t i = 0; i < grenze - 1; ++i) db().getSchuelerliste()->push_back(new c_Schueler);
    auto s = schueler(*sv, "Neu", "Nina");
    EXPECT_EQ(db().insertSchueler(s), 1);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(db().getSchuelerliste()->size(), grenze);
    s = schueler(*sv, "Noch", "Einer");
    EXPECT_EQ(db().insertSchueler(s), 0);
    ASSERT_NE(s, nullptr) << "ein abgewiesener Datensatz bleibt beim Aufrufer";
    EXPECT_EQ(db().getSchuelerliste()->size(), grenze);
    EXPECT_FALSE(sv->addSchueler(s));
    EXPECT_NE(s, nullptr);
    // Replacing takes the record out first, so a full list never refuses it.
    c_Schueler* drin = db().getSchuelerliste()->getSchueler(5);
    EXPECT_EQ(db().replaceSchueler(drin), 1);
    EXPECT_EQ(db().getSchuelerliste()->size(), grenze);
    EXPECT_TRUE(db().getSchuelerliste()->holds(drin));

    // Every other list the store limits.
    for (std::size_t i = 0; i < grenze; ++i) {
        db().getLehrerliste()->push_back(new c_Lehrer);
        db().getKlassenliste()->push_back(new c_Klasse);
        db().getRaumliste()->push_back(new c_Raum);
        db().getFachliste()->push_back(new c_Fach);
        db().getCurriculum()->push_back(new c_Wunsch);
    }
    auto l = lehrer(*sv, "L", "L");
    EXPECT_EQ(db().insertLehrer(l), 0);
    EXPECT_NE(l, nullptr);
    auto k = klasse(*sv, 5, "a");
    EXPECT_EQ(db().insertKlasse(k), 0);
    EXPECT_NE(k, nullptr);
    auto r = raum(*sv, "R");
    EXPECT_EQ(db().insertRaum(r), 0);
    EXPECT_NE(r, nullptr);
    auto f = std::make_unique<c_Fach>("F");
    EXPECT_EQ(db().insertFach(f), 0);
    EXPECT_NE(f, nullptr);
    auto w = std::make_unique<c_Wunsch>();
    EXPECT_EQ(db().insertWunsch(w), 0);
    EXPECT_NE(w, nullptr);
    const Anzahlen voll = anzahlen(db());
    EXPECT_EQ(voll.lehrer + voll.klasse + voll.raum + voll.fach + voll.wunsch, 5 * grenze);
}

TEST_F(Speicher, NamenWerdenOhneRuecksichtAufGrossUndKleinschreibungEinsortiert) {
    add(*sv, schueler(*sv, "smith", "John"));
    add(*sv, schueler(*sv, "Smith", "John"));
    EXPECT_TRUE(text::ignoreCase()) << "das Einsortieren schaltet auf Vergleich ohne Gross/klein";
    c_Schueler* erster = add(*sv, schueler(*sv, "Zander", "Ute"));
    c_Schueler* zweiter = add(*sv, schueler(*sv, "Zander", "Ute"));
    add(*sv, schueler(*sv, "Ärger", "Paul"));
    add(*sv, schueler(*sv, "Becker", "Tom"));
    add(*sv, schueler(*sv, "becker", "anna"));
    add(*sv, schueler(*sv, "Zan", "Udo"));
    EXPECT_EQ(folge(*sv->getSchuelerliste(), person),
              "becker,anna|Becker,Tom|smith,John|Smith,John|Zan,Udo|Zander,Ute|Zander,Ute|Ärger,Paul|");
    EXPECT_EQ(sv->getSchuelerliste()->positionOf(erster) + 1, sv->getSchuelerliste()->positionOf(zweiter));

    add(*sv, lehrer(*sv, "Weber", "max"));
    add(*sv, lehrer(*sv, "weber", "Max"));
    add(*sv, lehrer(*sv, "Adam", "Eva"));
    EXPECT_EQ(folge(*sv->getLehrerliste(), person), "Adam,Eva|Weber,max|weber,Max|");

    add(*sv, raum(*sv, "physik"));
    add(*sv, raum(*sv, "Physik"));
    add(*sv, raum(*sv, "Chemie"));
    EXPECT_EQ(folge(*sv->getRaumliste(), [](c_Raum* r) { return r->getName(); }), "Chemie|physik|Physik|");

    fach(*sv, "kunst");
    fach(*sv, "Kunst");
    fach(*sv, "Öko");
    fach(*sv, "Biologie");
    EXPECT_EQ(folge(*sv->getFachliste(), [](c_Fach* f) { return f->getName(); }), "Biologie|kunst|Kunst|Öko|");
}

TEST_F(Speicher, KlassenNachJahrgangUndBuchstabe) {
    for (auto [j, b] : {std::pair<int, const char*>{5, "b"}, {5, "a"}, {10, "a"}, {6, "a"}}) add(*sv, klasse(*sv, j, b));
    EXPECT_EQ(folge(*sv->getKlassenliste(), klassenname), "5a|5b|6a|10a|");
    c_Klasse* gross = add(*sv, klasse(*sv, 5, "A"));
    c_Klasse* zweite5a = add(*sv, klasse(*sv, 5, "a", "zweite"));
    add(*sv, klasse(*sv, -1, "z"));
    EXPECT_EQ(folge(*sv->getKlassenliste(), klassenname), "-1z|5A|5a|5a|5b|6a|10a|");
    EXPECT_EQ(sv->getKlassenliste()->getKlasse(2), gross);
    EXPECT_EQ(sv->getKlassenliste()->getKlasse(4), zweite5a) << "nach den gleichen Schluesseln";

    // A changed class moves to its new place.
    gross->setJahrgang(7);
    EXPECT_EQ(sv->updateKlasse(gross), 1);
    EXPECT_EQ(folge(*sv->getKlassenliste(), klassenname), "-1z|5a|5a|5b|6a|7A|10a|");
}

TEST_F(Speicher, DatierteTermineKommenVorDieTermineIhresDatums) {
    add(*sv, einzeltermin(*sv, 3, 5, 2024, 1, 1, "erster"));
    add(*sv, einzeltermin(*sv, 3, 5, 2024, 2, 2, "zweiter"));
    add(*sv, einzeltermin(*sv, 2, 5, 2024, 1, 1, "davor"));
    add(*sv, einzeltermin(*sv, 1, 1, 2025, 1, 1, "danach"));
    add(*sv, einzeltermin(*sv, 30, 12, 2023, 1, 1, "Jahr zaehlt zuerst"));
    EXPECT_EQ(folge(*sv->getEinzelterminliste(), datumName),
              "30.12.2023 Jahr zaehlt zuerst|2.5.2024 davor|3.5.2024 zweiter|3.5.2024 erster|1.1.2025 danach|");

    for (int i = 0; i < 2; ++i) {
        auto v = vertretung(*sv, 3, 5, 2024, 1, 1, nullptr, nullptr);
        v->setName(i == 0 ? "erste" : "zweite");
        add(*sv, std::move(v));
    }
    auto v = vertretung(*sv, 31, 1, 2024, 1, 1, nullptr, nullptr);
    v->setName("Januar");
    add(*sv, std::move(v));
    EXPECT_EQ(folge(*sv->getVertretungsterminliste(), datumName), "31.1.2024 Januar|3.5.2024 zweite|3.5.2024 erste|");

    // A changed date moves the appointment before the entries of its new date.
    c_Einzeltermin* t = sv->getEinzelterminliste()->getEinzeltermin(5);
    t->setDatum(3, 5, 2024);
    EXPECT_EQ(sv->updateEinzeltermin(t), 1);
    EXPECT_EQ(sv->getEinzelterminliste()->getEinzeltermin(3), t);
}

TEST_F(Speicher, LehrplanNachJahrgangWochenterminImmerAmEnde) {
    c_Fach* f = fach(*sv, "Mathe");
    for (int j : {7, 5, 7, 5}) wunsch(*sv, j, f, j, 0);
    EXPECT_EQ(folge(*sv->getCurriculum(), [](c_Wunsch* w) { return std::to_string(w->getJahrgang()); }), "5|5|7|7|");

    c_Lehrer* l = add(*sv, lehrer(*sv, "Lang", "Lea", 20));
    l->setVergebeneStunden(5);
    c_Dauertermin* a = add(*sv, dauertermin(*sv, "Montag", 1, 2, nullptr, nullptr, l));
    add(*sv, dauertermin(*sv, "Dienstag", 1, 1, nullptr, nullptr, l));
    add(*sv, dauertermin(*sv, "Mittwoch", 1, 2, nullptr, nullptr, l));
    const auto tage = [this] { return folge(*sv->getDauerterminliste(), [](c_Dauertermin* t) { return t->getWochentag(); }); };
    EXPECT_EQ(tage(), "Montag|Dienstag|Mittwoch|");
    a->setAStd(3);
    a->setEStd(6);
    EXPECT_EQ(sv->updateDauertermin(a), 1);
    EXPECT_EQ(tage(), "Dienstag|Mittwoch|Montag|");
    EXPECT_EQ(l->getVergebeneStunden(), 5) << "Ersetzen laesst die Zaehler in Ruhe";
}

TEST_F(Speicher, GeaenderteNamenWerdenNeuEinsortiert) {
    add(*sv, schueler(*sv, "Berg", "Bo"));
    c_Schueler* z = add(*sv, schueler(*sv, "Zorn", "Zoe"));
    add(*sv, schueler(*sv, "Kant", "Kai"));
    z->getFelder()->setString("NAME", "Abel");
    EXPECT_EQ(sv->updateSchueler(z), 1);
    EXPECT_EQ(folge(*sv->getSchuelerliste(), person), "Abel,Zoe|Berg,Bo|Kant,Kai|");

    c_Raum* r = add(*sv, raum(*sv, "A1"));
    add(*sv, raum(*sv, "B1"));
    r->getFelder()->setString("NAME", "C1");
    EXPECT_EQ(sv->updateRaum(r), 1);
    EXPECT_EQ(sv->getRaumliste()->getRaum(2), r);

    c_Lehrer* l = add(*sv, lehrer(*sv, "Adam", "A"));
    add(*sv, lehrer(*sv, "Berg", "B"));
    l->getFelder()->setString("NAME", "Zeh");
    EXPECT_EQ(sv->updateLehrer(l), 1);
    EXPECT_EQ(sv->getLehrerliste()->getLehrer(2), l);
}

// Many changed and new names among equal ones and ones that differ only in case or by an umlaut:
// each record lands where the scan from the front puts it, after the last entry that does not
// come after it.
TEST_F(Speicher, GeaenderteUndNeuePersonenStehenWoDerScanVonVorneSieHinsetzt) {
    const char* namen[] = {"meier", "Meier", "MEIER", "Müller", "Mueller", "Abel", "abel", "Zorn", "Öz", ""};
    const char* vornamen[] = {"Jan", "jan", "Ute", ""};
    std::mt19937 z(7);
    auto zufall = [&](std::size_t n) { return static_cast<std::size_t>(z() % n); };
    // The place of the linear scan in `liste` without `p`.
    auto erwartet = [](std::vector<c_person*> liste, c_person* p) {
        liste.erase(std::remove(liste.begin(), liste.end(), p), liste.end());
        text::setIgnoreCase(true);
        std::size_t i = 0;
        while (i < liste.size()) {
            const int c = text::compare(liste[i]->getName(), p->getName());
            if ((c != 0 ? c : text::compare(liste[i]->getVorname(), p->getVorname())) > 0) break;
            ++i;
        }
        liste.insert(liste.begin() + static_cast<std::ptrdiff_t>(i), p);
        return liste;
    };
    auto alsPersonen = [](const auto& liste) { return std::vector<c_person*>(liste.begin(), liste.end()); };
    for (int schritt = 0; schritt < 400; ++schritt) {
        const bool lehrerListe = schritt % 2 != 0;
        const std::vector<c_person*> vorher =
            lehrerListe ? alsPersonen(*sv->getLehrerliste()) : alsPersonen(*sv->getSchuelerliste());
        c_person* p;
        if (vorher.size() < 40 || zufall(3) == 0) {
            if (lehrerListe)
                p = add(*sv, lehrer(*sv, namen[zufall(10)], vornamen[zufall(4)]));
            else
                p = add(*sv, schueler(*sv, namen[zufall(10)], vornamen[zufall(4)]));
        } else {
            p = vorher[zufall(vorher.size())];
            p->getFelder()->setString("NAME", namen[zufall(10)]);
            p->getFelder()->setString("VORNAME", vornamen[zufall(4)]);
            EXPECT_EQ(lehrerListe ? sv->updateLehrer(static_cast<c_Lehrer*>(p))
                                  : sv->updateSchueler(static_cast<c_Schueler*>(p)),
                      1);
        }
        const std::vector<c_person*> nachher =
            lehrerListe ? alsPersonen(*sv->getLehrerliste()) : alsPersonen(*sv->getSchuelerliste());
        ASSERT_EQ(nachher, erwartet(vorher, p)) << "Schritt " << schritt;
    }
}

TEST_F(Speicher, LehrerMitVerweisenWirdNichtGeloescht) {
    // Each reference on its own keeps the teacher; without it he goes.
    const std::vector<std::pair<const char*, std::function<std::function<void()>(c_Lehrer*)>>> verweise = {
        {"Klassenlehrer",
         [&](c_Lehrer* l) {
             c_Klasse* k = add(*sv, klasse(*sv, 5, "a"));
             k->setKlassenlehrer(l);
             return [=] { k->setKlassenlehrer(nullptr); };
         }},
        {"Einzeltermin",
         [&](c_Lehrer* l) {
             auto t = einzeltermin(*sv, 1, 1, 2024, 1, 1);
             t->setLehrer(l);
             c_Einzeltermin* p = add(*sv, std::move(t));
             return [=] { EXPECT_TRUE(sv->deleteEinzeltermin(p)); };
         }},
        {"Dauertermin",
         [&](c_Lehrer* l) {
             c_Dauertermin* p = add(*sv, dauertermin(*sv, "Montag", 1, 1, nullptr, nullptr, l));
             return [=] { EXPECT_TRUE(sv->deleteDauertermin(p)); };
         }},
        {"Vertreter",
         [&](c_Lehrer* l) {
             c_Vertretungstermin* p = add(*sv, vertretung(*sv, 1, 1, 2024, 1, 1, l, nullptr));
             return [=] { EXPECT_TRUE(sv->deleteVertretungstermin(p)); };
         }},
        {"Vertretener",
         [&](c_Lehrer* l) {
             c_Vertretungstermin* p = add(*sv, vertretung(*sv, 1, 1, 2024, 1, 1, nullptr, l));
             return [=] { EXPECT_TRUE(sv->deleteVertretungstermin(p)); };
         }},
    };
    for (const auto& [name, verweis] : verweise) {
        SCOPED_TRACE(name);
        c_Lehrer* l = add(*sv, lehrer(*sv, "Lang", "Lea"));
        const auto loesen = verweis(l);
        EXPECT_FALSE(sv->deleteLehrer(l));
        EXPECT_TRUE(sv->getLehrerliste()->holds(l));
        loesen();
        EXPECT_TRUE(sv->deleteLehrer(l));
        EXPECT_TRUE(sv->getLehrerliste()->empty());
    }
}

TEST_F(Speicher, RaumMitVerweisenWirdNichtGeloescht) {
    const std::vector<std::pair<const char*, std::function<std::function<void()>(c_Raum*)>>> verweise = {
        {"Klassenraum",
         [&](c_Raum* r) {
             c_Klasse* k = add(*sv, klasse(*sv, 5, "a"));
             k->setKlassenraum(r);
             return [=] { k->setKlassenraum(nullptr); };
         }},
        {"Einzeltermin",
         [&](c_Raum* r) {
             auto t = einzeltermin(*sv, 1, 1, 2024, 1, 1);
             t->setRaum(r);
             c_Einzeltermin* p = add(*sv, std::move(t));
             return [=] { p->setRaum(nullptr); };
         }},
        {"Dauertermin",
         [&](c_Raum* r) {
             c_Dauertermin* p = add(*sv, dauertermin(*sv, "Montag", 1, 1, nullptr, r));
             return [=] { p->setRaum(nullptr); };
         }},
        {"Vertretungstermin",
         [&](c_Raum* r) {
             auto t = vertretung(*sv, 1, 1, 2024, 1, 1, nullptr, nullptr);
             t->setRaum(r);
             c_Vertretungstermin* p = add(*sv, std::move(t));
             return [=] { p->setRaum(nullptr); };
         }},
    };
    for (const auto& [name, verweis] : verweise) {
        SCOPED_TRACE(name);
        c_Raum* r = add(*sv, raum(*sv, "R1"));
        const auto loesen = verweis(r);
        EXPECT_FALSE(sv->deleteRaum(r));
        EXPECT_TRUE(sv->getRaumliste()->holds(r));
        loesen();
        EXPECT_TRUE(sv->deleteRaum(r));
        EXPECT_TRUE(sv->getRaumliste()->empty());
    }
}

TEST_F(Speicher, FachMitVerweisenWirdNichtGeloescht) {
    const std::vector<std::pair<const char*, std::function<std::function<void()>(c_Fach*)>>> verweise = {
        {"Lehrplan",
         [&](c_Fach* f) {
             c_Wunsch* w = wunsch(*sv, 5, f, 1, 1);
             return [=] { EXPECT_TRUE(sv->deleteWunsch(w)); };
         }},
        {"Einzeltermin",
         [&](c_Fach* f) {
             auto t = einzeltermin(*sv, 1, 1, 2024, 1, 1);
             t->setFach(f);
             c_Einzeltermin* p = add(*sv, std::move(t));
             return [=] { p->setFach(nullptr); };
         }},
        {"Dauertermin",
         [&](c_Fach* f) {
             c_Dauertermin* p = add(*sv, dauertermin(*sv, "Montag", 1, 1, nullptr, nullptr, nullptr, f));
             return [=] { p->setFach(nullptr); };
         }},
        {"Vertretungstermin",
         [&](c_Fach* f) {
             auto t = vertretung(*sv, 1, 1, 2024, 1, 1, nullptr, nullptr);
             t->setFach(f);
             c_Vertretungstermin* p = add(*sv, std::move(t));
             return [=] { p->setFach(nullptr); };
         }},
        {"nur eine Zensur",
         [&](c_Fach* f) {
             c_Schueler* s = add(*sv, schueler(*sv, "S", "S"));
             zensur(*sv, s, "1", "", f);
             return [=] { s->getZensurliste()->deleteAll(); };
         }},
        {"Faecher eines Lehrers",
         [&](c_Fach* f) {
             c_Lehrer* l = add(*sv, lehrer(*sv, "L", "L", 0, {f}));
             return [=] { l->getFachliste()->clear(); };
         }},
        {"Faecher eines Raums",
         [&](c_Fach* f) {
             c_Raum* r = add(*sv, raum(*sv, "R", true, {f}));
             return [=] { r->getFachliste()->clear(); };
         }},
    };
    for (const auto& [name, verweis] : verweise) {
        SCOPED_TRACE(name);
        c_Fach* f = fach(*sv, "Kunst");
        const auto loesen = verweis(f);
        EXPECT_EQ(db().deleteFach(f), 0);
        EXPECT_TRUE(sv->getFachliste()->holds(f));
        loesen();
        EXPECT_EQ(db().deleteFach(f), 1);
        EXPECT_TRUE(sv->getFachliste()->empty());
    }
}

TEST_F(Speicher, KlasseLoeschenNimmtIhreTermineMitUndLaesstDieSchueler) {
    Jahrgang j = baueJahrgang(*sv);
    // A second weekly lesson of 5a by another teacher.
    add(*sv, dauertermin(*sv, "Dienstag", 2, 4, j.k5a, nullptr, j.schmidt, j.deutsch));
    j.schmidt->setVergebeneStunden(5);
    const std::size_t einzel = sv->getEinzelterminliste()->size();
    const std::size_t dauer = sv->getDauerterminliste()->size();
    const std::size_t vertretung = sv->getVertretungsterminliste()->size();
    const std::size_t schueler = sv->getSchuelerliste()->size();

    EXPECT_TRUE(sv->deleteKlasse(j.k5a));
    EXPECT_FALSE(sv->getKlassenliste()->holds(j.k5a));
    EXPECT_EQ(sv->getSchuelerliste()->size(), schueler);
    EXPECT_EQ(j.lena->getKlasse(), nullptr);
    EXPECT_EQ(j.tom2->getKlasse(), j.k5b);
    EXPECT_EQ(sv->getDauerterminliste()->size(), dauer - 3);
    EXPECT_EQ(sv->getEinzelterminliste()->size(), einzel - 1);
    EXPECT_EQ(sv->getVertretungsterminliste()->size(), vertretung - 1);
    for (c_Dauertermin* t : *sv->getDauerterminliste()) EXPECT_NE(t->getKlasse(), j.k5a);
    // Mueller gave lessons 3-4 and 1-2 in 5a, Schmidt 2-4.
    EXPECT_EQ(j.mueller->getVergebeneStunden(), 0);
    EXPECT_EQ(j.schmidt->getVergebeneStunden(), 2);
    EXPECT_TRUE(linksImSpeicher(db()));
}

TEST_F(Speicher, WochenterminLoeschenSenktDenZaehlerSeinesLehrers) {
    c_Lehrer* l = add(*sv, lehrer(*sv, "Lang", "Lea", 20));
    l->setVergebeneStunden(10);
    c_Dauertermin* t = add(*sv, dauertermin(*sv, "Montag", 3, 5, nullptr, nullptr, l));
    c_Dauertermin* ohne = add(*sv, dauertermin(*sv, "Dienstag", 1, 2));
    EXPECT_TRUE(sv->deleteDauertermin(t));
    EXPECT_EQ(l->getVergebeneStunden(), 7);
    EXPECT_TRUE(sv->deleteDauertermin(ohne));
    EXPECT_TRUE(sv->getDauerterminliste()->empty());
}

TEST_F(Speicher, LeerenLeertJedeListeUndBehaeltDieVorlagen) {
    baueJahrgang(*sv);
    const std::string vorlage = felderText(sv->getLehrerStruktur());
    sv->clear();
    EXPECT_EQ(anzahlen(db()), (Anzahlen{}));
    EXPECT_EQ(sv->getMinKlasse(), 0);
    EXPECT_EQ(sv->getMaxKlasse(), 0);
    EXPECT_EQ(sv->getNeuKlasse(), 0);
    EXPECT_FALSE(sv->getSamstag());
    EXPECT_EQ(sv->getStundenProTag(), 6);
    EXPECT_EQ(felderText(sv->getLehrerStruktur()), vorlage);
    EXPECT_EQ(sv->getFehlzeitStruktur()->size(), 6u);
}
