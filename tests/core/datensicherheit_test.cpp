// Years whose files hold what no dialog could enter: lists beyond the insert
// limit, settings and numbers at the ends of int, a failed field line; and
// the end of the program when the heap is exhausted.
#include "jahrgang_hilfe.h"
#include "platform/speicher.h"

#include <climits>
#include <functional>
#include <new>

using namespace jahrgang;

namespace {

class Datensicherheit : public MitSchulverwaltung {};

// A list one record beyond the limit, filled straight as the reader does; the last record.
template <class T, class L>
T* ueberDieGrenze(L& liste, std::function<void(T*)> fuelle) {
    for (std::size_t i = 0; i <= c_Database::MAX_EINTRAEGE; ++i) {
        T* p = new T;
        fuelle(p);
        liste.push_back(p);
    }
    return liste.back();
}

}  // namespace

TEST_F(Datensicherheit, ReplacingInAListBeyondTheLimitKeepsTheRecord) {
    struct Fall {
        const char* art;
        std::function<void()> pruefe;
    };
    c_Schulverwaltung& s = *sv;
    auto bleibt = [&](auto& liste, auto* p, int ergebnis) {
        EXPECT_EQ(ergebnis, 1);
        EXPECT_EQ(liste.size(), c_Database::MAX_EINTRAEGE + 1);
        EXPECT_TRUE(liste.holds(p));
    };
    const Fall faelle[] = {
        {"Schueler",
         [&] {
             auto* p = ueberDieGrenze<c_Schueler>(*s.getSchuelerliste(),
                                                  [&](c_Schueler* x) { x->setFelder(ausVorlage(s.getSchuelerStruktur())); });
             bleibt(*s.getSchuelerliste(), p, s.updateSchueler(p));
         }},
        {"Lehrer",
         [&] {
             auto* p = ueberDieGrenze<c_Lehrer>(*s.getLehrerliste(),
                                                [&](c_Lehrer* x) { x->setFelder(ausVorlage(s.getLehrerStruktur())); });
             bleibt(*s.getLehrerliste(), p, s.updateLehrer(p));
         }},
        {"Raum",
         [&] {
             auto* p = ueberDieGrenze<c_Raum>(*s.getRaumliste(),
                                              [&](c_Raum* x) { x->setFelder(ausVorlage(s.getRaumStruktur())); });
             bleibt(*s.getRaumliste(), p, s.updateRaum(p));
         }},
        {"Fach",
         [&] {
             auto* p = ueberDieGrenze<c_Fach>(*s.getFachliste(), [](c_Fach* x) { x->setName("Zoologie"); });
             bleibt(*s.getFachliste(), p, db().replaceFach(p));
         }},
        {"Klasse",
         [&] {
             auto* p = ueberDieGrenze<c_Klasse>(*s.getKlassenliste(), [&](c_Klasse* x) {
                 x->setFelder(ausVorlage(s.getKlasseStruktur()));
                 x->setJahrgangBez(9, 'c');
             });
             bleibt(*s.getKlassenliste(), p, s.updateKlasse(p));
         }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.art);
        f.pruefe();
    }
    // And the saved file still holds them all.
    ASSERT_EQ(sv->save("voll.sdb"), 1);
    c_Schulverwaltung geladen;
    std::string fehler;
    ASSERT_TRUE(geladen.load("voll.sdb", &fehler)) << fehler;
    EXPECT_EQ(geladen.getSchuelerliste()->size(), c_Database::MAX_EINTRAEGE + 1);
    EXPECT_EQ(geladen.getKlassenliste()->size(), c_Database::MAX_EINTRAEGE + 1);
    EXPECT_EQ(geladen.getKlassenliste()->back()->getJahrgang(), 9);
}

TEST_F(Datensicherheit, YearChangeKeepsTheSettingsWithinTwoDigits) {
    struct Fall {
        int minK, maxK, neuK;
        const char* klassenDanach;  // grade levels and letters in list order
    };
    const Fall faelle[] = {
        // A huge number of new classes makes 99, the most the dialog can enter.
        {5, 6, 28195, nullptr},
        // A huge highest grade level makes 99: the 'a' classes of 97 and 98 move up, 99a leaves.
        {97, 2147483647, 0, "98a 99a "},
        {97, 28217, 0, "98a 99a "},
        // A lowest level below 0 makes 0: entry classes start at 0 after the move.
        {INT_MIN, 1, 2, "0a 0b 1a "},
        // Negative counts make no classes.
        {3, 1, -5, ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(f.minK) + " " + std::to_string(f.maxK) + " " + std::to_string(f.neuK));
        db().getKlassenliste()->deleteAll();
        sv->setMinKlasse(f.minK);
        sv->setMaxKlasse(f.maxK);
        sv->setNeuKlasse(f.neuK);
        sv->changeSchuljahr(nullptr, false);
        if (!f.klassenDanach) {
            EXPECT_EQ(sv->getKlassenliste()->size(), 99u + 1u);  // 99 entry classes, and 5a made for level 5
            continue;
        }
        std::string s;
        for (const c_Klasse* k : *sv->getKlassenliste())
            s += std::to_string(k->getJahrgang()) + static_cast<char>(k->getBez()) + " ";
        EXPECT_EQ(s, f.klassenDanach);
        // The stored settings stay as the file had them.
        EXPECT_EQ(sv->getMaxKlasse(), f.maxK);
    }
}

TEST_F(Datensicherheit, YearChangeAtTheEndsOfIntIsDefined) {
    sv->setMinKlasse(5);
    sv->setMaxKlasse(10);
    c_Klasse* unten = add(*sv, klasse(*sv, INT_MIN, "a"));
    c_Klasse* oben = add(*sv, klasse(*sv, INT_MAX, "b"));
    c_Schueler* wiederholer = add(*sv, schueler(*sv, "Wieder", "Holer", unten));
    c_Schueler* obenDrauf = add(*sv, schueler(*sv, "Ganz", "Oben", oben));
    c_Schuelerliste wiederholerListe;
    wiederholerListe.push_back(wiederholer);
    wiederholerListe.push_back(obenDrauf);
    sv->changeSchuljahr(&wiederholerListe, false);
    // No class lies one level below INT_MIN; the top level cannot rise.
    EXPECT_EQ(wiederholer->getKlasse(), nullptr);
    EXPECT_EQ(oben->getJahrgang(), INT_MAX);
    EXPECT_EQ(unten->getJahrgang(), INT_MIN + 1);
    // A repeater from INT_MAX goes one level down, to no class here.
    EXPECT_EQ(obenDrauf->getKlasse(), nullptr);
}

TEST_F(Datensicherheit, ManyFinalYearClassesLeaveAsSingleDeletesWouldLeaveThem) {
    // Oracle: the same year, its final-year classes deleted one by one with deleteKlasse.
    c_Schulverwaltung einzeln;
    std::string fehler;
    einzeln.reset(&fehler);
    baueJahrgang(*sv);
    baueJahrgang(einzeln);
    for (c_Schulverwaltung* s : {sv.get(), &einzeln}) {
        // A second final-year class with its own lessons, one of them with a negative span.
        c_Klasse* k10b = add(*s, klasse(*s, 10, "b"));
        c_Lehrer* l = s->getLehrerliste()->getLehrer(1);
        add(*s, dauertermin(*s, "Montag", 5, 3, k10b, nullptr, l));
        add(*s, dauertermin(*s, "Dienstag", 1, 2, k10b, nullptr, l));
    }
    std::vector<c_Klasse*> abgang;
    for (c_Klasse* k : *einzeln.getKlassenliste())
        if (k->getJahrgang() == 10) abgang.push_back(k);
    ASSERT_EQ(abgang.size(), 2u);
    for (c_Klasse* k : abgang) ASSERT_TRUE(einzeln.deleteKlasse(k));
    std::vector<c_Klasse*> auchAbgang;
    for (c_Klasse* k : *sv->getKlassenliste())
        if (k->getJahrgang() == 10) auchAbgang.push_back(k);
    db().deleteKlassen(auchAbgang);
    EXPECT_EQ(inhalt(db()), inhalt(*einzeln.getDatabase()));
    EXPECT_TRUE(linksImSpeicher(db()));
}

TEST_F(Datensicherheit, FreeDateWalkPastTheLastDayOfAMonth) {
    struct Fall {
        int tag, monat, jahr;
        const char* vorschlag;
    };
    const Fall faelle[] = {
        {INT_MAX, 3, 2024, "1.4.2024"},
        {INT_MAX, 12, INT_MAX, "1.1.2147483647"},  // the year cannot count further
        {31, 12, 2024, "1.1.2025"},
        {28, 2, 2024, "1.3.2024"},  // every February has 28 days here
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.vorschlag);
        db().getEinzelterminliste()->deleteAll();
        add(*sv, einzeltermin(*sv, f.tag, f.monat, f.jahr, 2, 3, "da"));
        auto neu = einzeltermin(*sv, f.tag, f.monat, f.jahr, 3, 3, "neu");
        TerminErgebnis ergebnis;
        auto vorschlag = sv->addEinzeltermin(neu, &ergebnis);
        ASSERT_EQ(ergebnis, TerminErgebnis::Kollision);
        ASSERT_NE(vorschlag, nullptr);
        int d, m, y;
        vorschlag->getDatum(&d, &m, &y);
        EXPECT_EQ(std::to_string(d) + "." + std::to_string(m) + "." + std::to_string(y), f.vorschlag);
    }
    // The walk passes every taken date in turn.
    db().getEinzelterminliste()->deleteAll();
    for (int d = 1; d <= 31; ++d) add(*sv, einzeltermin(*sv, d, 1, 2025, 1, 1, "voll"));
    add(*sv, einzeltermin(*sv, 1, 2, 2025, 1, 1, "voll"));
    auto neu = einzeltermin(*sv, 1, 1, 2025, 1, 1, "neu");
    auto vorschlag = sv->addEinzeltermin(neu);
    ASSERT_NE(vorschlag, nullptr);
    int d, m, y;
    vorschlag->getDatum(&d, &m, &y);
    EXPECT_EQ(std::vector<int>({d, m, y}), std::vector<int>({2, 2, 2025}));
}

TEST_F(Datensicherheit, AFailedFieldLineFailsTheLoadAndKeepsTheDataUnread) {
    // A room field line without its label, before the good lines of the room template.
    std::vector<std::string> z = {kopfzeile()};
    std::vector<std::string> struktur = standardStruktur();
    struktur.insert(std::find(struktur.begin(), struktur.end(), "/Raum") + 1, "int,ETAGE");
    z.insert(z.end(), struktur.begin(), struktur.end());
    for (const char* zeile : {"/DATABEGIN", "/Fach", "string,Physik", "/DATAEND"}) z.push_back(zeile);
    schreibe("jahrgang.sdb", crlf(z));
    std::string fehler;
    c_Schulverwaltung geladen;
    EXPECT_FALSE(geladen.load("jahrgang.sdb", &fehler));
    EXPECT_EQ(fehler, "In der Datenbankdefinition fehlt die Angabe der Beschreibung!\n"
                      "In der Datenbankdefinition fehlt eine Positionsangabe!\n(X-Koordinate)");
    EXPECT_TRUE(geladen.getFachliste()->empty());
}

TEST(Heap, AnExhaustedHeapEndsWithOutOfMemory) {
    EXPECT_EXIT(
        {
            installiereSpeicherHandler();
            std::get_new_handler()();
        },
        ::testing::ExitedWithCode(1), "^out of memory\n$");
#if !defined(__SANITIZE_ADDRESS__)
    // A real failed allocation reaches the handler instead of throwing std::bad_alloc.
    EXPECT_EXIT(
        {
            installiereSpeicherHandler();
            volatile std::size_t riesig = std::size_t(1) << 62;
            char* p = new char[riesig];
            p[0] = 1;
        },
        ::testing::ExitedWithCode(1), "^out of memory\n$");
#endif
}
