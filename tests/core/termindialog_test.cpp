// The OK steps of the appointment dialogs on the default templates: field
// walk, lesson and date checks, two-digit years, the collision proposal, the
// teacher load and counters, and the substitution checks.
#include "dialogs/termindialog.h"
#include "tests/core/dialog_hilfe.h"
#include "tests/core/jahrgang_hilfe.h"

#include <gtest/gtest.h>

using namespace jahrgang;
using dialoghilfe::Aufzeichnung;

namespace {

// A form over the default single-appointment template: ASTD, ESTD, TAG, MONAT, JAHR, NAME.
TerminEingabe datiert(const std::string& astd, const std::string& estd, const std::string& tag,
                      const std::string& monat, const std::string& jahr, const std::string& name = "Termin") {
    TerminEingabe e;
    e.werte.edits = {astd, estd, tag, monat, jahr, name};
    return e;
}
// A form over the default weekly template: ASTD, ESTD.
TerminEingabe woechentlich(int astd, int estd, int wochentag, int lehrer = 0) {
    TerminEingabe e;
    e.werte.edits = {std::to_string(astd), std::to_string(estd)};
    e.wochentag = wochentag;
    e.lehrer = lehrer;
    return e;
}

class Termindialog : public MitSchulverwaltung {
protected:
    void SetUp() override {
        MitSchulverwaltung::SetUp();
        sv->setStundenProTag(8);
        raum1 = add(*sv, raum(*sv, "Raum 1"));
        add(*sv, raum(*sv, "Keller", false));
        raum2 = add(*sv, raum(*sv, "Raum 2"));
        a = add(*sv, lehrer(*sv, "Adler", "Anna", 20));
        b = add(*sv, lehrer(*sv, "Berg", "Bernd", 20));
    }
    c_Raum *raum1, *raum2;
    c_Lehrer *a, *b;  // entries 1 and 2 of the teacher lists
    Aufzeichnung m;
};

TEST_F(Termindialog, ZweistelligeJahre) {
    const struct {
        int getippt, gespeichert;
    } faelle[] = {{0, 2000}, {49, 2049}, {50, 1950}, {99, 1999}, {100, 100}, {2004, 2004}};
    for (const auto& f : faelle) {
        EXPECT_EQ(terminJahr(f.getippt), f.gespeichert) << f.getippt;
        sv->getEinzelterminliste()->deleteAll();
        m.leeren();
        ASSERT_TRUE(einzelterminOk(*sv, nullptr, datiert("1", "2", "3", "4", std::to_string(f.getippt)), m).gespeichert);
        int t, mo, j;
        sv->getEinzelterminliste()->front()->getDatum(&t, &mo, &j);
        EXPECT_EQ(j, f.gespeichert) << f.getippt;
        EXPECT_EQ(m.anzahl(), 0u);
    }
}

TEST_F(Termindialog, StundenpruefungenMitIhrenDreiMeldungen) {
    const std::string vor = "Endstunde liegt vor der Anfangsstunde.";
    const std::string anfang = "Anfangsstunde ist nicht korrekt.";
    const std::string ende = "Endstunde ist nicht korrekt.";
    const struct {
        const char *astd, *estd;
        std::vector<std::string> meldungen;
    } faelle[] = {
        {"1", "8", {}},
        {"1", "9", {ende}},
        {"3", "2", {vor}},
        {"0", "0", {anfang, ende}},
        {"0", "-1", {anfang, ende, vor}},
        {"2abc", "3x", {}},
    };
    for (const auto& f : faelle) {
        m.leeren();
        sv->getEinzelterminliste()->deleteAll();
        const bool ok = einzelterminOk(*sv, nullptr, datiert(f.astd, f.estd, "1", "2", "24"), m).gespeichert;
        EXPECT_EQ(ok, f.meldungen.empty()) << f.astd << "-" << f.estd;
        EXPECT_EQ(m.texte(), f.meldungen) << f.astd << "-" << f.estd;
        for (const auto& x : m.meldungen()) EXPECT_EQ(x.caption + "/" + std::to_string(x.flags), "Fehler/48");
    }
}

TEST_F(Termindialog, FeldpruefungSammeltUndHaeltAmErstenFehler) {
    // An empty mandatory day: the mandatory text and the day text in one box; later fields unread.
    EXPECT_FALSE(einzelterminOk(*sv, nullptr, datiert("1", "2", "", "", ""), m).gespeichert);
    ASSERT_EQ(m.anzahl(), 1u);
    EXPECT_EQ(m.letzte().text, "Sie müssen das Feld\nTag:\nausfüllen.Sie müssen den Tag eingeben.");
    EXPECT_EQ(m.letzte().caption, "Termin anlegen");
    EXPECT_EQ(m.letzte().flags, 0);

    // An empty end lesson, the last field of the weekly template: the lesson checks lack their value.
    m.leeren();
    TerminEingabe w = woechentlich(1, 1, 0);
    w.werte.edits[1].clear();
    EXPECT_FALSE(dauerterminOk(*sv, nullptr, w, m).gespeichert);
    EXPECT_EQ(m.texte(), std::vector<std::string>{"Sie müssen das Feld\nEndstunde\nausfüllen."});

    // The name is not mandatory in the default template: only its own text, and the lesson checks.
    m.leeren();
    EXPECT_FALSE(einzelterminOk(*sv, nullptr, datiert("1", "2", "3", "4", "24", ""), m).gespeichert);
    EXPECT_EQ(m.texte(), std::vector<std::string>{"Sie müssen einen Namen eingeben."});
    m.leeren();
    EXPECT_FALSE(einzelterminOk(*sv, nullptr, datiert("3", "2", "3", "4", "24", ""), m).gespeichert);
    EXPECT_EQ(m.texte(), (std::vector<std::string>{"Sie müssen einen Namen eingeben.",
                                                   "Endstunde liegt vor der Anfangsstunde."}));

    // Out-of-range dates; 31.2. passes.
    for (const auto& datum : {std::vector<std::string>{"32", "1"}, {"0", "1"}, {"1", "13"}, {"1", "0"}}) {
        m.leeren();
        EXPECT_FALSE(einzelterminOk(*sv, nullptr, datiert("1", "2", datum[0], datum[1], "24"), m).gespeichert);
        EXPECT_EQ(m.letzte().text, "Das eingegebene Datum ist nicht korrekt.");
        EXPECT_EQ(m.letzte().caption, "Fehler!");
    }
    m.leeren();
    EXPECT_FALSE(einzelterminOk(*sv, nullptr, datiert("1", "2", "1", "1", "-1"), m).gespeichert);
    EXPECT_EQ(m.texte(), std::vector<std::string>{"Das eingegebene Datum ist nicht korrekt."});
    EXPECT_EQ(sv->getEinzelterminliste()->size(), 0u);
}

// A date that does not exist is refused like one out of range, in the year
// that is stored: a two-digit year is a year of this or the last century.
TEST_F(Termindialog, DatenDieEsNichtGibt) {
    const struct {
        const char *tag, *monat, *jahr;
        bool gibtEs;
    } faelle[] = {
        {"29", "2", "2027", false}, {"31", "4", "2027", false}, {"31", "2", "24", false},
        {"29", "2", "2100", false}, {"29", "2", "99", false},   {"29", "2", "2028", true},
        {"29", "2", "24", true},    {"29", "2", "0", true},     {"30", "4", "2027", true},
        {"31", "12", "49", true},
    };
    for (const auto& f : faelle) {
        const std::string was = std::string(f.tag) + "." + f.monat + "." + f.jahr;
        sv->getEinzelterminliste()->deleteAll();
        sv->getVertretungsterminliste()->deleteAll();
        TerminEingabe e = datiert("1", "2", f.tag, f.monat, f.jahr);
        e.lehrer = 1;  // the absent teacher of the substitution
        m.leeren();
        EXPECT_EQ(einzelterminOk(*sv, nullptr, e, m).gespeichert, f.gibtEs) << was;
        EXPECT_EQ(vertretungsterminOk(*sv, nullptr, e, m), f.gibtEs) << was;
        EXPECT_EQ(sv->getEinzelterminliste()->size() + sv->getVertretungsterminliste()->size(), f.gibtEs ? 2u : 0u)
            << was;
        const std::vector<std::string> meldung = {"Das eingegebene Datum ist nicht korrekt."};
        EXPECT_EQ(m.texte(), f.gibtEs ? std::vector<std::string>{} : (std::vector<std::string>{meldung[0], meldung[0]}))
            << was;
        for (const auto& x : m.meldungen()) EXPECT_EQ(x.caption + "/" + std::to_string(x.flags), "Fehler!/48");
    }
    // A stored appointment keeps its date when the change would give it one that does not exist.
    c_Einzeltermin* t = add(*sv, einzeltermin(*sv, 28, 2, 2027, 1, 2, "alt"));
    m.leeren();
    EXPECT_FALSE(einzelterminOk(*sv, t, datiert("1", "2", "29", "2", "27", "neu"), m).gespeichert);
    EXPECT_EQ(testhilfe::datum(*t), "28.2.2027");
    EXPECT_EQ(t->getName(), "alt");
}

TEST_F(Termindialog, KollisionZeigtVorschlagUndSpeichertNichts) {
    TerminEingabe e = datiert("2", "3", "4", "3", "24");
    e.fach = 0;
    e.raum = 1;  // the second active room
    ASSERT_TRUE(einzelterminOk(*sv, nullptr, e, m).gespeichert);
    EXPECT_EQ(sv->getEinzelterminliste()->front()->getRaum(), raum2);

    for (int antwort : {ANTWORT_JA, 7}) {
        m.leeren();
        m.antworte(antwort);
        TerminOk<c_Einzeltermin> r = einzelterminOk(*sv, nullptr, datiert("3", "4", "4", "3", "24"), m);
        EXPECT_FALSE(r.gespeichert);
        EXPECT_EQ(sv->getEinzelterminliste()->size(), 1u);
        ASSERT_EQ(m.anzahl(), 1u);
        EXPECT_EQ(m.letzte().text, TEXT_UEBERSCHNEIDUNG);
        EXPECT_EQ(m.letzte().flags, 36);
        ASSERT_EQ(r.vorschlag != nullptr, antwort == ANTWORT_JA);
        if (r.vorschlag) {
            int t, mo, j;
            r.vorschlag->getDatum(&t, &mo, &j);
            EXPECT_EQ(std::vector<int>({t, mo, j, r.vorschlag->getAStd()}), std::vector<int>({5, 3, 2024, 3}));
        }
    }
}

TEST_F(Termindialog, GeaenderterTerminBleibtBeiFehlerUnveraendert) {
    c_Einzeltermin* t = add(*sv, einzeltermin(*sv, 4, 3, 2024, 1, 2, "alt"));
    t->setRaum(raum2);
    EXPECT_FALSE(einzelterminOk(*sv, t, datiert("5", "4", "9", "9", "99", "neu"), m).gespeichert);
    EXPECT_EQ(t->getName(), "alt");
    EXPECT_EQ(t->getRaum(), raum2);
    // Its own date and lessons do not collide with it; the stored room is the chosen one.
    m.leeren();
    EXPECT_TRUE(einzelterminOk(*sv, t, datiert("2", "3", "4", "3", "24", "neu"), m).gespeichert);
    EXPECT_EQ(t->getRaum(), raum1);
    EXPECT_EQ(t->getName(), "neu");
    EXPECT_EQ(m.anzahl(), 0u);
}

// Changing a single appointment onto the date and lessons of another one asks
// as a new one does; the proposal leaves out the appointment being changed.
TEST_F(Termindialog, GeaenderterEinzelterminAufBelegtemPlatz) {
    add(*sv, einzeltermin(*sv, 4, 3, 2024, 1, 2, "da"));
    add(*sv, einzeltermin(*sv, 6, 3, 2024, 1, 2, "auch da"));
    c_Einzeltermin* t = add(*sv, einzeltermin(*sv, 5, 3, 2024, 3, 4, "alt"));
    t->setRaum(raum2);
    for (int antwort : {ANTWORT_JA, 7}) {
        m.leeren();
        m.antworte(antwort);
        TerminOk<c_Einzeltermin> r = einzelterminOk(*sv, t, datiert("2", "3", "4", "3", "24", "neu"), m);
        EXPECT_FALSE(r.gespeichert);
        ASSERT_EQ(m.texte(), std::vector<std::string>{TEXT_UEBERSCHNEIDUNG});
        EXPECT_EQ(m.letzte().caption + "/" + std::to_string(m.letzte().flags), "Fehler/36");
        ASSERT_EQ(r.vorschlag != nullptr, antwort == ANTWORT_JA);
        if (r.vorschlag) {
            EXPECT_EQ(testhilfe::datum(*r.vorschlag) + " " + r.vorschlag->getName(), "5.3.2024 neu");
        }
        EXPECT_EQ(testhilfe::datum(*t) + " " + t->getName(), "5.3.2024 alt");
        EXPECT_EQ(t->getAStd(), 3);
        EXPECT_EQ(t->getRaum(), raum2);
        EXPECT_EQ(sv->getEinzelterminliste()->size(), 3u);
    }
}

// Moving a weekly lesson onto a lesson of its class, teacher or room asks as
// a new one does and changes nothing; sharing none of them, it is stored.
TEST_F(Termindialog, GeaenderterDauerterminAufBelegtemPlatz) {
    c_Klasse* k1 = add(*sv, klasse(*sv, 5, "a"));
    c_Klasse* k2 = add(*sv, klasse(*sv, 5, "b"));
    ASSERT_TRUE(dauerterminOk(*sv, nullptr, woechentlich(3, 4, 0, 1), m).gespeichert);  // Monday 3-4
    c_Dauertermin* da = sv->getDauerterminliste()->front();
    da->setKlasse(k1);
    TerminEingabe e = woechentlich(1, 1, 1, 2);  // Tuesday 1, teacher B, class 5b, room 2
    e.klasse = 2;
    e.raum = 1;
    ASSERT_TRUE(dauerterminOk(*sv, nullptr, e, m).gespeichert);
    c_Dauertermin* t = sv->getDauerterminliste()->back();
    ASSERT_EQ(t->getKlasse(), k2);

    const struct {
        const char* was;
        int lehrer, klasse, raum;
        bool kollision;
    } faelle[] = {
        {"the same class", 2, 1, 1, true},
        {"the same teacher", 1, 2, 1, true},
        {"the same room", 2, 2, 0, true},
        {"nothing shared", 2, 2, 1, false},
    };
    for (const auto& f : faelle) {
        for (int antwort : {ANTWORT_JA, 7}) {
            if (!f.kollision && antwort != ANTWORT_JA) continue;
            m.leeren();
            m.antworte(antwort);
            TerminEingabe neu = woechentlich(4, 5, 0, f.lehrer);  // Monday 4-5
            neu.klasse = f.klasse;
            neu.raum = f.raum;
            TerminOk<c_Dauertermin> r = dauerterminOk(*sv, t, neu, m);
            EXPECT_EQ(r.gespeichert, !f.kollision) << f.was;
            if (!f.kollision) {
                EXPECT_EQ(m.anzahl(), 0u) << f.was;
                EXPECT_EQ(t->getWochentag() + " " + std::to_string(t->getAStd()), "Montag 4") << f.was;
                continue;
            }
            EXPECT_EQ(m.texte(), std::vector<std::string>{TEXT_UEBERSCHNEIDUNG}) << f.was;
            // Lessons 1-2 of Monday are free for every link.
            ASSERT_EQ(r.vorschlag != nullptr, antwort == ANTWORT_JA) << f.was;
            if (r.vorschlag) {
                EXPECT_EQ(r.vorschlag->getWochentag() + " " + std::to_string(r.vorschlag->getAStd()) + "-" +
                              std::to_string(r.vorschlag->getEStd()),
                          "Montag 1-2")
                    << f.was;
            }
            // Nothing of the stored appointment changed: fields, links, counters, place in the list.
            EXPECT_EQ(t->getWochentag(), "Dienstag") << f.was;
            EXPECT_EQ(std::vector<int>({t->getAStd(), t->getEStd()}), std::vector<int>({1, 1})) << f.was;
            EXPECT_EQ(t->getLehrer(), b) << f.was;
            EXPECT_EQ(t->getKlasse(), k2) << f.was;
            EXPECT_EQ(t->getRaum(), raum2) << f.was;
            EXPECT_EQ(std::vector<int>({a->getVergebeneStunden(), b->getVergebeneStunden()}),
                      std::vector<int>({2, 1}))
                << f.was;
            EXPECT_EQ(sv->getDauerterminliste()->back(), t) << f.was;
        }
    }
    // Its own lessons do not count: Monday 4-5 to 5-6.
    m.leeren();
    TerminEingabe weiter = woechentlich(5, 6, 0, 2);
    weiter.klasse = 2;
    weiter.raum = 1;
    EXPECT_TRUE(dauerterminOk(*sv, t, weiter, m).gespeichert);
    EXPECT_EQ(m.anzahl(), 0u);
    EXPECT_EQ(b->getVergebeneStunden(), 2);
}

TEST_F(Termindialog, AnDerGrenzeWirdNichtsGespeichert) {
    for (int i = 0; i < 32000; ++i) sv->getEinzelterminliste()->push_back(einzeltermin(*sv, 1, 1, 2020, 1, 1).release());
    for (int i = 0; i < 32000; ++i) sv->getDauerterminliste()->push_back(dauertermin(*sv, "Montag", 1, 1).release());
    for (int i = 0; i < 32000; ++i)
        sv->getVertretungsterminliste()->push_back(vertretung(*sv, 1, 1, 2020, 1, 1, nullptr, a).release());
    EXPECT_FALSE(einzelterminOk(*sv, nullptr, datiert("3", "4", "2", "2", "24"), m).gespeichert);
    EXPECT_FALSE(dauerterminOk(*sv, nullptr, woechentlich(3, 4, 1, 1), m).gespeichert);
    TerminEingabe v = datiert("3", "4", "2", "2", "24");
    v.lehrer = 1;
    EXPECT_FALSE(vertretungsterminOk(*sv, nullptr, v, m));
    EXPECT_EQ(m.texte(), (std::vector<std::string>{"Der Einzeltermin konnte nicht angelegt werden.",
                                                   "Der Dauertermin konnte nicht angelegt werden.",
                                                   "Der Vertretungstermin konnte nicht angelegt werden."}));
    EXPECT_EQ(sv->getEinzelterminliste()->size(), 32000u);
    EXPECT_EQ(sv->getDauerterminliste()->size(), 32000u);
    EXPECT_EQ(sv->getVertretungsterminliste()->size(), 32000u);
    EXPECT_EQ(a->getVergebeneStunden(), 0);
}

TEST_F(Termindialog, LehrerlastFrage) {
    const struct {
        int zaehler, antwort;
        bool gefragt, gespeichert;
    } faelle[] = {{18, 0, false, true}, {19, ANTWORT_JA, true, true}, {19, 7, true, false}};
    for (const auto& f : faelle) {
        sv->getDauerterminliste()->deleteAll();
        a->setVergebeneStunden(f.zaehler);
        m.leeren();
        if (f.antwort) m.antworte(f.antwort);
        EXPECT_EQ(dauerterminOk(*sv, nullptr, woechentlich(1, 2, 0, 1), m).gespeichert, f.gespeichert);
        EXPECT_EQ(m.anzahl(), f.gefragt ? 1u : 0u);
        if (f.gefragt) {
            EXPECT_EQ(m.letzte().text, TEXT_LEHRERLAST);
        }
        EXPECT_EQ(a->getVergebeneStunden(), f.zaehler + (f.gespeichert ? 2 : 0));
    }
}

TEST_F(Termindialog, ZaehlerFolgenDemLehrerwechsel) {
    ASSERT_TRUE(dauerterminOk(*sv, nullptr, woechentlich(1, 3, 0, 1), m).gespeichert);
    c_Dauertermin* t = sv->getDauerterminliste()->front();
    EXPECT_EQ(t->getWochentag(), "Montag");
    EXPECT_EQ(a->getVergebeneStunden(), 3);

    // Only the room changes while the counter is full: no question, counter unchanged.
    a->setVergebeneStunden(20);
    TerminEingabe e = woechentlich(1, 3, 0, 1);
    e.raum = 1;
    ASSERT_TRUE(dauerterminOk(*sv, t, e, m).gespeichert);
    EXPECT_EQ(m.anzahl(), 0u);
    EXPECT_EQ(a->getVergebeneStunden(), 20);
    EXPECT_EQ(t->getRaum(), raum2);

    // To teacher B with a span of 2: A loses 3, B gains 2.
    ASSERT_TRUE(dauerterminOk(*sv, t, woechentlich(4, 5, 2, 2), m).gespeichert);
    EXPECT_EQ(a->getVergebeneStunden(), 17);
    EXPECT_EQ(b->getVergebeneStunden(), 2);
    EXPECT_EQ(t->getWochentag(), "Mittwoch");

    // No teacher: no counter, no question.
    ASSERT_TRUE(dauerterminOk(*sv, t, woechentlich(4, 5, 2, 0), m).gespeichert);
    EXPECT_EQ(b->getVergebeneStunden(), 0);
    EXPECT_EQ(m.anzahl(), 0u);
}

TEST_F(Termindialog, WochenterminKollisionMitUndOhneAlternative) {
    // Lessons 1-2 and 4-8 of Monday belong to teacher A: a 1-2 proposal slides to 3.
    add(*sv, dauertermin(*sv, "Montag", 1, 2, nullptr, nullptr, a));
    add(*sv, dauertermin(*sv, "Montag", 4, 8, nullptr, nullptr, a));
    a->setVergebeneStunden(7);
    m.antworte(ANTWORT_JA);  // the collision question; the load stays below the obligation
    TerminOk<c_Dauertermin> r = dauerterminOk(*sv, nullptr, woechentlich(1, 1, 0, 1), m);
    EXPECT_FALSE(r.gespeichert);
    ASSERT_TRUE(r.vorschlag);
    EXPECT_EQ(r.vorschlag->getAStd(), 3);
    EXPECT_EQ(r.vorschlag->getWochentag(), "Montag");

    // A span of 2 fits nowhere: no alternative, no proposal.
    m.leeren();
    r = dauerterminOk(*sv, nullptr, woechentlich(1, 2, 0, 1), m);
    EXPECT_FALSE(r.vorschlag);
    EXPECT_EQ(m.letzte().text, TEXT_KEINE_ALTERNATIVE);
    EXPECT_EQ(m.letzte().flags, 48);
    EXPECT_EQ(sv->getDauerterminliste()->size(), 2u);
    EXPECT_EQ(a->getVergebeneStunden(), 7);
}

// The proposal searches every start lesson whose whole span lies within the
// lessons per day, and there only.
TEST_F(Termindialog, VorschlagInnerhalbDerStundenProTag) {
    const struct {
        int stundenProTag;
        std::vector<std::pair<int, int>> belegt;  // teacher A on Monday
        int vorschlag;                            // start of the proposed 1-2 span; 0 none
    } faelle[] = {
        {6, {{1, 4}}, 5}, {6, {{1, 5}}, 0},  {8, {{1, 5}}, 6},         {8, {{1, 5}, {6, 8}}, 0},
        {12, {{1, 8}}, 9}, {12, {{1, 10}}, 11}, {12, {{1, 5}, {7, 12}}, 0},
    };
    for (const auto& f : faelle) {
        const std::string was = std::to_string(f.stundenProTag) + " lessons, " + std::to_string(f.belegt.size());
        sv->getDauerterminliste()->deleteAll();
        sv->setStundenProTag(f.stundenProTag);
        for (auto [von, bis] : f.belegt) add(*sv, dauertermin(*sv, "Montag", von, bis, nullptr, nullptr, a));
        a->setVergebeneStunden(0);
        m.leeren();
        TerminOk<c_Dauertermin> r = dauerterminOk(*sv, nullptr, woechentlich(1, 2, 0, 1), m);  // Yes to the question
        EXPECT_FALSE(r.gespeichert) << was;
        ASSERT_EQ(r.vorschlag != nullptr, f.vorschlag != 0) << was;
        if (r.vorschlag) {
            EXPECT_EQ(std::vector<int>({r.vorschlag->getAStd(), r.vorschlag->getEStd()}),
                      std::vector<int>({f.vorschlag, f.vorschlag + 1}))
                << was;
            EXPECT_EQ(m.texte(), std::vector<std::string>{TEXT_UEBERSCHNEIDUNG}) << was;
        } else {
            EXPECT_EQ(m.texte(), (std::vector<std::string>{TEXT_UEBERSCHNEIDUNG, TEXT_KEINE_ALTERNATIVE})) << was;
        }
        EXPECT_EQ(sv->getDauerterminliste()->size(), f.belegt.size()) << was;
    }
}

TEST_F(Termindialog, WochentagOhneAuswahl) {
    // Saturday lessons off: a stored Saturday appointment shows no weekday and keeps it.
    c_Dauertermin* t = add(*sv, dauertermin(*sv, "Samstag", 1, 1));
    EXPECT_EQ(wochentagEintraege(false).size(), 5u);
    EXPECT_EQ(terminAuswahl(*sv, *t).wochentag, 5);
    ASSERT_TRUE(dauerterminOk(*sv, t, woechentlich(2, 2, -1), m).gespeichert);
    EXPECT_EQ(t->getWochentag(), "Samstag");
    // A new one without a weekday is refused.
    EXPECT_FALSE(dauerterminOk(*sv, nullptr, woechentlich(3, 3, -1), m).gespeichert);
    EXPECT_EQ(m.texte(), std::vector<std::string>{"Sie müssen einen Wochentag auswählen."});
    EXPECT_EQ(sv->getDauerterminliste()->size(), 1u);
}

TEST_F(Termindialog, VertretungsPruefungen) {
    const std::string keiner = "Sie müssen einen Lehrer auswählen,\nder vertreten werden soll";
    const std::string selbst = "Sie können den Lehrer nicht durch sich selbst\nvertreten lassen.";
    const struct {
        int lehrer, vertretung;
        std::string meldung;
        c_Lehrer *vertretener, *vertreter;
    } faelle[] = {
        {0, 2, keiner, nullptr, nullptr},
        {2, 2, selbst, nullptr, nullptr},
        {1, 0, "", a, nullptr},  // dropped lesson
        {1, 2, "", a, b},
        {1, 2, "", a, b},  // the same once more: no collision test
    };
    for (const auto& f : faelle) {
        m.leeren();
        TerminEingabe e = datiert("1", "2", "4", "3", "24");
        e.lehrer = f.lehrer;
        e.vertretung = f.vertretung;
        const std::size_t vorher = sv->getVertretungsterminliste()->size();
        EXPECT_EQ(vertretungsterminOk(*sv, nullptr, e, m), f.meldung.empty());
        if (!f.meldung.empty()) {
            EXPECT_EQ(m.texte(), std::vector<std::string>{f.meldung});
            EXPECT_EQ(m.letzte().flags, 0);
            EXPECT_EQ(sv->getVertretungsterminliste()->size(), vorher);
        } else {
            // A new dated entry goes before the entries of its date.
            c_Vertretungstermin* v = sv->getVertretungsterminliste()->front();
            EXPECT_EQ(v->getVertretenerLehrer(), f.vertretener);
            EXPECT_EQ(v->getLehrer(), f.vertreter);
        }
    }
    EXPECT_EQ(sv->getVertretungsterminliste()->size(), 3u);

    // Without an absent teacher the teacher list shows the teacher link and OK makes him the absent one.
    c_Vertretungstermin* ohne = sv->getVertretungsterminliste()->front();
    ohne->setVertretenerLehrer(nullptr);
    ohne->setLehrer(b);
    const TerminAuswahl w = terminAuswahl(*sv, *ohne);
    EXPECT_EQ(w.lehrer, 2);
    EXPECT_EQ(w.vertretung, -1);
    TerminEingabe e = datiert("1", "2", "4", "3", "24");
    e.lehrer = w.lehrer;
    ASSERT_TRUE(vertretungsterminOk(*sv, ohne, e, m));
    EXPECT_EQ(ohne->getVertretenerLehrer(), b);
    EXPECT_EQ(ohne->getLehrer(), nullptr);
}

}  // namespace
