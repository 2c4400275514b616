// Checks and store of the student, teacher, room and class dialogs, driven by
// plain form values on the default templates.
#include "dialogs/auswahl.h"
#include "dialogs/klassenformular.h"
#include "dialogs/lehrerformular.h"
#include "dialogs/raumformular.h"
#include "dialogs/schuelerformular.h"
#include "tests/core/dialog_hilfe.h"
#include "tests/core/jahrgang_hilfe.h"

#include <gtest/gtest.h>

namespace {

using jahrgang::add;

// The nine edits of the student template (VORNAME, NAME, STRASSE, PLZ, ORT, TELEFON, TAG, MONAT, JAHR).
FormularWerte schuelerForm(const std::string& vorname, const std::string& name) {
    return {{vorname, name, "", "", "", "", "", "", ""}, {}};
}
// The teacher template: the student's nine edits, URLAUB, PFLICHTSTUNDEN.
FormularWerte lehrerForm(const std::string& vorname, const std::string& name, const std::string& pflicht) {
    return {{vorname, name, "", "", "", "", "", "", "", pflicht}, {false}};
}
FormularWerte raumForm(const std::string& name, bool aktiv) { return {{name}, {aktiv}}; }
FormularWerte klassenForm(const std::string& jahrgang, const std::string& bez, const std::string& name = "") {
    return {{jahrgang, bez, name}, {}};
}

using dialoghilfe::texte;

// Fills a list of the store up to the limit without the sorted insert.
template <class T, class L>
void fuelleBisZumLimit(L* liste, const c_Datenliste* vorlage) {
    while (liste->size() < c_Database::MAX_EINTRAEGE) {
        auto r = std::make_unique<T>();
        r->setFelder(std::make_unique<c_Datenliste>(*vorlage));
        liste->push_back(r.release());
    }
}

class DatensatzDialoge : public jahrgang::MitSchulverwaltung {};

TEST_F(DatensatzDialoge, StudentChecksCollectUnderSchueler) {
    struct Fall {
        const char* was;
        bool nameIstPflicht;
        FormularWerte werte;
        std::string erwartet;
    };
    const Fall faelle[] = {
        {"first name mandatory", true, schuelerForm("", "Adler"), "[Schüler|0] Sie müssen das Feld\nVorname:\nausfüllen."},
        {"both failing: mandatory message only", true, schuelerForm("Kim", ""),
         "[Schüler|0] Sie müssen das Feld\nName:\nausfüllen."},
        {"NAME checked although optional", false, schuelerForm("Kim", ""),
         "[Schüler|0] Sie müssen einen Nachnamen eingeben."},
    };
    for (const Fall& f : faelle) {
        sv->getSchuelerStruktur()->findField("NAME")->setPflicht(f.nameIstPflicht);
        SchuelerFormular form(sv.get(), nullptr);
        MeldungsSammler m = SchuelerFormular::meldungen();
        EXPECT_FALSE(form.ok(f.werte, 0, m)) << f.was;
        EXPECT_EQ(texte(m), f.erwartet) << f.was;
        EXPECT_EQ(form.datensatz(), nullptr) << f.was;
    }
    EXPECT_TRUE(sv->getSchuelerliste()->empty());
}

TEST_F(DatensatzDialoge, StudentStoreSortsLinksTheClassAndUnlinksWithKeine) {
    c_Klasse* k5 = add(*sv, jahrgang::klasse(*sv, 5, "a", "Sonnen"));
    c_Klasse* k6 = add(*sv, jahrgang::klasse(*sv, 6, "b"));
    static_cast<c_StringObj*>(k6->getFelder()->findField("NAME"))->setWert(std::nullopt);
    EXPECT_EQ(klassenEintraege(sv.get(), "[keine]"), (std::vector<std::string>{"[keine]", "5a Sonnen", "6b"}));
    k5->setName("");
    EXPECT_EQ(klassenEintrag(k5), "5a ");  // a set but empty name leaves the blank

    add(*sv, jahrgang::schueler(*sv, "Zander", "Kim"));
    SchuelerFormular neu(sv.get(), nullptr);
    MeldungsSammler m = SchuelerFormular::meldungen();
    FormularWerte w = schuelerForm("Anna", "adler");
    w.edits[3] = "12345";
    ASSERT_TRUE(neu.ok(w, 2, m)) << texte(m);
    c_Schueler* s = neu.datensatz();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(sv->getSchuelerliste()->getSchueler(1), s);  // before Zander, case ignored
    EXPECT_EQ(s->getKlasse(), k6);
    EXPECT_EQ(s->getFelder()->getInt("PLZ"), 12345);

    SchuelerFormular aendern(sv.get(), s);
    EXPECT_EQ(aendern.klassenAuswahl(), 2);
    EXPECT_EQ(werteAus(*s->getFelder()).edits[1], "adler");
    ASSERT_TRUE(aendern.ok(schuelerForm("Anna", "Zeller"), 0, m));
    EXPECT_EQ(s->getKlasse(), nullptr);
    EXPECT_EQ(sv->getSchuelerliste()->getSchueler(2), s);  // re-inserted after Zander
    EXPECT_TRUE(m.leer());
    EXPECT_TRUE(aendern.unterdialogErlaubt(m));
    EXPECT_FALSE(SchuelerFormular(sv.get(), nullptr).unterdialogErlaubt(m));
    EXPECT_EQ(m.boxen().back().text,
              "Sie müssen diesen Schüler zunächst anlegen.\nWählen Sie hierzu OK, markieren Sie ihn und\nwählen Sie "
              "dann Bearbeiten im Hauptmenü.");
}

TEST_F(DatensatzDialoge, RefusedAddsFreeTheRecordAndLinkNothing) {
    c_Klasse* k = add(*sv, jahrgang::klasse(*sv, 5, "a"));
    fuelleBisZumLimit<c_Schueler>(sv->getSchuelerliste(), sv->getSchuelerStruktur());
    fuelleBisZumLimit<c_Lehrer>(sv->getLehrerliste(), sv->getLehrerStruktur());
    fuelleBisZumLimit<c_Raum>(sv->getRaumliste(), sv->getRaumStruktur());

    SchuelerFormular s(sv.get(), nullptr);
    MeldungsSammler m = SchuelerFormular::meldungen();
    EXPECT_FALSE(s.ok(schuelerForm("Kim", "Adler"), 1, m));
    EXPECT_EQ(texte(m), "[Fehler|48] Der Schueler konnte nicht\nangelegt werden.");
    EXPECT_EQ(s.datensatz(), nullptr);
    // Still in new mode: once there is room, the next OK adds.
    delete sv->getSchuelerliste()->back();
    sv->getSchuelerliste()->eraseAt(sv->getSchuelerliste()->size() - 1);
    EXPECT_TRUE(s.ok(schuelerForm("Kim", "Adler"), 1, m));
    EXPECT_TRUE(sv->getSchuelerliste()->holds(s.datensatz()));

    LehrerFormular l(sv.get(), nullptr);
    m = LehrerFormular::meldungen();
    EXPECT_FALSE(l.ok(lehrerForm("Anna", "Müller", "20"), 1, {}, m));
    EXPECT_EQ(texte(m), "[Fehler|48] Der Lehrer konnte nicht\nangelegt werden.");
    EXPECT_EQ(k->getKlassenlehrer(), nullptr);
    EXPECT_EQ(l.datensatz(), nullptr);

    RaumFormular r(sv.get(), nullptr);
    m = RaumFormular::meldungen();
    EXPECT_TRUE(r.ok(raumForm("R101", true), 1, {}, m));  // the dialog closes after the message
    EXPECT_EQ(texte(m), "[Fehler|48] Der Raum konnte nicht\nangelegt werden.");
    EXPECT_EQ(k->getKlassenraum(), nullptr);
    EXPECT_EQ(r.datensatz(), nullptr);
}

TEST_F(DatensatzDialoge, TeacherLoadChecks) {
    c_Lehrer* alt = add(*sv, jahrgang::lehrer(*sv, "Alt", "Berta", 10));
    alt->setVergebeneStunden(3);
    struct Fall {
        const char* was;
        bool gespeichert;
        std::string pflicht;
        std::string erwartet;
    };
    const std::string ungueltig = "Die Pflichtstundenanzahl\nist ungültig.";
    const std::string kleiner = "Die Pflichtstundenanzahl\nist kleiner als die bereits\nvergebene Stundenanzahl.";
    const Fall faelle[] = {
        {"new, zero", false, "0", ungueltig},
        {"new, empty", false, "", ungueltig},
        {"new, not a number", false, "abc", ungueltig},
        {"new, leading number", false, "12abc", ""},
        {"stored, zero below assigned", true, "0", ungueltig + kleiner},
        {"stored, below assigned", true, "2", kleiner},
        {"stored, equal to assigned", true, "3", ""},
    };
    for (const Fall& f : faelle) {
        LehrerFormular form(sv.get(), f.gespeichert ? alt : nullptr);
        MeldungsSammler m = LehrerFormular::meldungen();
        const bool ok = form.ok(lehrerForm("Berta", f.gespeichert ? "Alt" : "Neu", f.pflicht), 0, {}, m);
        EXPECT_EQ(ok, f.erwartet.empty()) << f.was;
        EXPECT_EQ(texte(m), f.erwartet.empty() ? "" : "[Lehrer anlegen|0] " + f.erwartet) << f.was;
    }
}

TEST_F(DatensatzDialoge, TeacherSubjectsAndClassTeacherLinks) {
    c_Fach* deutsch = jahrgang::fach(*sv, "Deutsch");
    jahrgang::fach(*sv, "Englisch");
    c_Fach* mathe = jahrgang::fach(*sv, "Mathe");
    c_Klasse* k5 = add(*sv, jahrgang::klasse(*sv, 5, "a"));
    c_Klasse* k6 = add(*sv, jahrgang::klasse(*sv, 6, "a"));

    LehrerFormular neu(sv.get(), nullptr);
    MeldungsSammler m = LehrerFormular::meldungen();
    EXPECT_EQ(neu.fachEintraege(), (std::vector<std::string>{"[kein Fach]", "Deutsch", "Englisch", "Mathe"}));
    EXPECT_TRUE(neu.fachAuswahl().empty());
    ASSERT_TRUE(neu.ok(lehrerForm("Anna", "Müller", "20"), 1, {3, 1}, m)) << texte(m);
    c_Lehrer* l = neu.datensatz();
    ASSERT_EQ(l->getFachliste()->size(), 2u);
    EXPECT_EQ(l->getFachliste()->getFach(1), deutsch);
    EXPECT_EQ(l->getFachliste()->getFach(2), mathe);
    EXPECT_EQ(k5->getKlassenlehrer(), l);

    LehrerFormular aendern(sv.get(), l);
    EXPECT_EQ(aendern.fachAuswahl(), (std::vector<int>{1, 3}));
    EXPECT_EQ(aendern.klassenAuswahl(), 1);
    // Another class: the old class keeps the teacher too; "[kein Fach]" among subjects stores none.
    ASSERT_TRUE(aendern.ok(lehrerForm("Anna", "Müller", "20"), 2, {0, 2}, m));
    EXPECT_EQ(k5->getKlassenlehrer(), l);
    EXPECT_EQ(k6->getKlassenlehrer(), l);
    EXPECT_TRUE(l->getFachliste()->empty());
    EXPECT_EQ(LehrerFormular(sv.get(), l).klassenAuswahl(), 2);  // the last such class
    EXPECT_EQ(LehrerFormular(sv.get(), l).fachAuswahl(), std::vector<int>{0});
    ASSERT_TRUE(aendern.ok(lehrerForm("Anna", "Müller", "20"), 0, {}, m));
    EXPECT_EQ(k5->getKlassenlehrer(), nullptr);
    EXPECT_EQ(k6->getKlassenlehrer(), nullptr);
    EXPECT_TRUE(m.leer());
}

TEST_F(DatensatzDialoge, RoomActiveFlagRules) {
    c_Klasse* k = add(*sv, jahrgang::klasse(*sv, 5, "a"));
    c_Raum* klassenraum = add(*sv, jahrgang::raum(*sv, "K1"));
    k->setKlassenraum(klassenraum);
    c_Raum* belegt = add(*sv, jahrgang::raum(*sv, "B1"));
    add(*sv, jahrgang::dauertermin(*sv, "Montag", 1, 1, nullptr, belegt));
    c_Raum* frei = add(*sv, jahrgang::raum(*sv, "F1"));
    const std::string keineKlasse =
        "Sie können einem deaktivierten Raum keine\nKlasse zuweisen. Aktivieren Sie den\nRaum oder heben Sie die "
        "Klassen-\nzuordnung auf.";
    const std::string genutzt =
        "Sie können diesen Raum nicht deaktivieren\nda er noch genutzt wird. Ordnen Sie\nallen Terminen, die diesen "
        "Raum nutzen\neinen neuen Raum zu";
    struct Fall {
        const char* was;
        c_Raum* raum;
        int klasse;
        std::string erwartet;
    };
    const Fall faelle[] = {
        {"a class chosen", frei, 1, keineKlasse},
        {"still a class room", klassenraum, 0, genutzt},
        {"room of an appointment", belegt, 0, genutzt},
        {"a new room", nullptr, 0, ""},
        {"an unused room", frei, 0, ""},
    };
    for (const Fall& f : faelle) {
        RaumFormular form(sv.get(), f.raum);
        MeldungsSammler m = RaumFormular::meldungen();
        const std::string name = f.raum ? f.raum->getName() : "N1";
        EXPECT_EQ(form.ok(raumForm(name, false), f.klasse, {}, m), f.erwartet.empty()) << f.was;
        EXPECT_EQ(texte(m), f.erwartet.empty() ? "" : "[Fehler|48] " + f.erwartet) << f.was;
        if (f.raum) {
            EXPECT_EQ(f.raum->isAktiv(), !f.erwartet.empty()) << f.was;
        }
    }
    EXPECT_EQ(k->getKlassenraum(), klassenraum);
}

TEST_F(DatensatzDialoge, RoomNamesSubjectsAndClassRoom) {
    c_Fach* mathe = jahrgang::fach(*sv, "Mathe");
    c_Klasse* k5 = add(*sv, jahrgang::klasse(*sv, 5, "a"));
    c_Klasse* k6 = add(*sv, jahrgang::klasse(*sv, 6, "a"));
    c_Raum* a = add(*sv, jahrgang::raum(*sv, "A1"));
    c_Raum* b = add(*sv, jahrgang::raum(*sv, "B1"));
    k5->setKlassenraum(b);

    // A rename onto another room's name leaves every stored field as it was.
    RaumFormular form(sv.get(), b);
    EXPECT_EQ(form.alteKlasse(), k5);
    EXPECT_EQ(form.klassenAuswahl(), 1);
    EXPECT_EQ(form.fachAuswahl(), std::vector<int>{0});
    MeldungsSammler m = RaumFormular::meldungen();
    EXPECT_FALSE(form.ok(raumForm("a1", true), 1, {1}, m));
    EXPECT_EQ(texte(m), "[Fehler|48] Dieser Raum existiert schon!");
    EXPECT_EQ(b->getName(), "B1");
    EXPECT_TRUE(b->getFachliste()->empty());

    // Its own name again is accepted; subjects and another class are taken, the old class keeps the room.
    m = RaumFormular::meldungen();
    ASSERT_TRUE(form.ok(raumForm("B1", true), 2, {1}, m)) << texte(m);
    EXPECT_EQ(b->getFachliste()->getFach(1), mathe);
    EXPECT_EQ(k6->getKlassenraum(), b);
    EXPECT_EQ(k5->getKlassenraum(), b);
    EXPECT_EQ(RaumFormular(sv.get(), b).fachAuswahl(), std::vector<int>{1});
    // "[keine]" takes the room from the class that had it at set-up.
    RaumFormular(sv.get(), b).ok(raumForm("B1", true), 0, {0, 1}, m);
    EXPECT_EQ(k6->getKlassenraum(), nullptr);
    EXPECT_TRUE(b->getFachliste()->empty());

    // A new room: an empty or known name discards it; a good one is stored and linked.
    RaumFormular neu(sv.get(), nullptr);
    m = RaumFormular::meldungen();
    EXPECT_FALSE(neu.ok(raumForm("", true), 0, {}, m));
    EXPECT_FALSE(neu.ok(raumForm("A1", true), 0, {}, m));
    EXPECT_EQ(texte(m), "[Fehler|48] Sie müssen das Feld\nRaumbezeichnung:\nausfüllen.[Fehler|48] Dieser Raum existiert schon!");
    EXPECT_EQ(neu.datensatz(), nullptr);
    EXPECT_EQ(sv->getRaumliste()->size(), 2u);
    ASSERT_TRUE(neu.ok(raumForm("C1", false), 0, {}, m));
    EXPECT_FALSE(neu.datensatz()->isAktiv());
    EXPECT_EQ(sv->getRaumliste()->getRaum(3), neu.datensatz());
    EXPECT_NE(a, nullptr);
}

TEST_F(DatensatzDialoge, ClassChecksAndOrder) {
    sv->setMinKlasse(5);
    sv->setMaxKlasse(10);
    c_Klasse* k6b = add(*sv, jahrgang::klasse(*sv, 6, "b"));
    struct Fall {
        const char* was;
        FormularWerte werte;
        bool bezIstPflicht;
        std::string erwartet;
    };
    const std::string unzulaessig = "Der eingegebene Jahrgang ist nicht zulässig!";
    const Fall faelle[] = {
        {"below the lowest", klassenForm("4", "a"), true, unzulaessig},
        {"above the highest", klassenForm("11", "a"), true, unzulaessig},
        {"not a number", klassenForm("x", "a"), true, unzulaessig},
        {"empty letter, mandatory", klassenForm("5", ""), true, "Sie müssen das Feld\nBezeichner:\nausfüllen."},
        {"empty letter, optional", klassenForm("5", ""), false, "Sie müssen einen Bezeichner eingeben."},
        {"same level and letter", klassenForm("6", "bx"), true, "Eine Klasse mit diesem Namen\nexistiert schon."},
        {"the letter's case differs", klassenForm("6", "B"), true, ""},
        {"the lowest level", klassenForm("5", "a"), true, ""},
        {"the highest level", klassenForm("10", "a"), true, ""},
    };
    for (const Fall& f : faelle) {
        sv->getKlasseStruktur()->findField("BEZ")->setPflicht(f.bezIstPflicht);
        KlassenFormular form(sv.get(), nullptr);
        MeldungsSammler m = KlassenFormular::meldungen();
        EXPECT_EQ(form.ok(f.werte, m), f.erwartet.empty()) << f.was;
        EXPECT_EQ(texte(m), f.erwartet.empty() ? "" : "[Fehler|48] " + f.erwartet) << f.was;
    }
    // Stored: 5a, 6B, 6b, 10a. The whole letter text stays in BEZ.
    ASSERT_EQ(sv->getKlassenliste()->size(), 4u);
    // Saving unchanged is accepted; turning 5a into the existing 6b is refused and changes nothing.
    c_Klasse* k5a = sv->getKlassenliste()->getKlasse(1);
    MeldungsSammler m = KlassenFormular::meldungen();
    EXPECT_TRUE(KlassenFormular(sv.get(), k5a).ok(werteAus(*k5a->getFelder()), m));
    EXPECT_FALSE(KlassenFormular(sv.get(), k5a).ok(klassenForm("6", "b"), m));
    EXPECT_EQ(k5a->getJahrgang(), 5);
    // A changed level re-sorts the list.
    EXPECT_TRUE(KlassenFormular(sv.get(), k5a).ok(klassenForm("7", "abc", "Sonne"), m));
    EXPECT_EQ(sv->getKlassenliste()->getKlasse(3), k5a);
    EXPECT_EQ(k5a->getFelder()->getString("BEZ"), "abc");
    EXPECT_EQ(klassenEintrag(k5a), "7a Sonne");
    EXPECT_EQ(sv->getKlassenliste()->getKlasse(2), k6b);
}

}  // namespace
