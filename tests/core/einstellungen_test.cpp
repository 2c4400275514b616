// The settings checks with the question on lowering the lessons per day, the
// subject list, and the curriculum checks with the weekly maximum.
#include "dialogs/auswahl.h"
#include "dialogs/curriculum.h"
#include "dialogs/optionen.h"
#include "tests/core/dialog_hilfe.h"
#include "tests/core/jahrgang_hilfe.h"

#include <gtest/gtest.h>

using namespace jahrgang;
using dialoghilfe::Aufzeichnung;

namespace {

const char* const ZU_HOCH = "Die Anzahl der neuen Klassen ist zu hoch!";
const char* const NEU_UNGUELTIG = "Die Anzahl der neuen Klassen ist ungültig!";
const char* const MIN_UNGUELTIG = "Die Anzahl der niedrigsten Jahrgangsstufe ist ungültig!";
const char* const MAX_UNGUELTIG = "Die Anzahl der höchsten Jahrgangsstufe ist ungültig!";
const char* const MAX_UNTER_MIN = "Die höchstmögliche Klassennummer\nist kleiner als die niedrigste\nKlassennummer!";
const char* const STUNDEN = "Die Anzahl der Stunden pro Tag muß\nzwischen 1 und 12 liegen!";

OptionenEingabe eingabe(const char* neu, const char* min, const char* max, const char* stunden, bool samstag = false) {
    return {neu, min, max, stunden, samstag};
}

class Einstellungen : public MitSchulverwaltung {
protected:
    void SetUp() override {
        MitSchulverwaltung::SetUp();
        sv->setNeuKlasse(3);
        sv->setMinKlasse(5);
        sv->setMaxKlasse(10);
        sv->setStundenProTag(8);
    }
    std::vector<int> werte() {
        return {sv->getNeuKlasse(), sv->getMinKlasse(), sv->getMaxKlasse(), sv->getStundenProTag(),
                sv->getSamstag() ? 1 : 0};
    }
    Aufzeichnung m;
};

TEST_F(Einstellungen, ZahlenfelderUndIhreMeldungen) {
    const struct {
        OptionenEingabe e;
        std::vector<std::string> meldungen;
        std::vector<int> danach;
    } faelle[] = {
        {eingabe("2", "5", "12", "9", true), {}, {2, 5, 12, 9, 1}},
        {eingabe("", "5", "10", "8"), {ZU_HOCH}, {3, 5, 10, 8, 0}},
        {eingabe("100", "5", "10", "8"), {ZU_HOCH}, {3, 5, 10, 8, 0}},
        {eingabe("0", "5", "10", "8"), {NEU_UNGUELTIG}, {3, 5, 10, 8, 0}},
        {eingabe("7a", "a7", "10", "8"), {MIN_UNGUELTIG}, {7, 5, 10, 8, 0}},
        // Values that passed stay stored; the later checks still run.
        {eingabe("0", "6", "", "13"), {NEU_UNGUELTIG, MAX_UNGUELTIG, STUNDEN}, {3, 6, 10, 8, 0}},
        {eingabe("2", "9", "7", "8"), {MAX_UNTER_MIN}, {2, 9, 7, 8, 0}},
        {eingabe("2", "5", "10", "10", true), {}, {2, 5, 10, 10, 1}},
        // Raised while another field fails: the new number is not stored.
        {eingabe("x", "5", "10", "12"), {NEU_UNGUELTIG}, {3, 5, 10, 8, 0}},
    };
    for (const auto& f : faelle) {
        sv->setNeuKlasse(3);
        sv->setMinKlasse(5);
        sv->setMaxKlasse(10);
        sv->setStundenProTag(8);
        m.leeren();
        EXPECT_EQ(optionenOk(*sv, f.e, m), f.meldungen.empty()) << f.e.neuKlassen << f.e.minKlasse;
        EXPECT_EQ(m.texte(), f.meldungen) << f.e.neuKlassen << f.e.minKlasse;
        EXPECT_EQ(werte(), f.danach) << f.e.neuKlassen << f.e.minKlasse;
        for (const auto& x : m.meldungen()) EXPECT_EQ(x.caption + "/" + std::to_string(x.flags), "Fehler/48");
    }
}

TEST_F(Einstellungen, HerabsetzenFragtUndLoescht) {
    c_Fach* mathe = fach(*sv, "Mathe");
    c_Lehrer* l = add(*sv, lehrer(*sv, "Adler", "Anna", 20));
    const auto belegen = [&] {
        sv->getEinzelterminliste()->deleteAll();
        sv->getDauerterminliste()->deleteAll();
        sv->getVertretungsterminliste()->deleteAll();
        sv->getCurriculum()->deleteAll();
        add(*sv, einzeltermin(*sv, 4, 3, 2024, 1, 6));
        add(*sv, einzeltermin(*sv, 5, 3, 2024, 7, 8));
        add(*sv, dauertermin(*sv, "Montag", 6, 7, nullptr, nullptr, l));
        add(*sv, dauertermin(*sv, "Dienstag", 1, 6, nullptr, nullptr, l));
        add(*sv, vertretung(*sv, 4, 3, 2024, 8, 8, nullptr, l));
        wunsch(*sv, 5, mathe, 4, 4);
        l->setVergebeneStunden(8);
    };
    const auto anzahl = [&] {
        return std::vector<std::size_t>{sv->getEinzelterminliste()->size(), sv->getDauerterminliste()->size(),
                                        sv->getVertretungsterminliste()->size(), sv->getCurriculum()->size()};
    };

    // Yes (correct it): nothing deleted, the dialog stays open.
    belegen();
    m.antworte(ANTWORT_JA);
    EXPECT_FALSE(optionenOk(*sv, eingabe("2", "5", "10", "6"), m));
    EXPECT_EQ(m.letzte().caption, "Warnung");
    EXPECT_EQ(m.letzte().flags, 36);
    EXPECT_EQ(anzahl(), (std::vector<std::size_t>{2, 2, 1, 1}));
    EXPECT_EQ(sv->getStundenProTag(), 8);

    // No: every appointment beyond lesson 6 and the whole curriculum go; the lessons come off the teacher.
    m.leeren();
    m.antworte(7);
    EXPECT_TRUE(optionenOk(*sv, eingabe("2", "5", "10", "6"), m));
    EXPECT_EQ(anzahl(), (std::vector<std::size_t>{1, 1, 0, 0}));
    EXPECT_EQ(sv->getDauerterminliste()->front()->getWochentag(), "Dienstag");
    EXPECT_EQ(l->getVergebeneStunden(), 6);
    EXPECT_EQ(sv->getStundenProTag(), 6);

    // Another field fails: no question, nothing deleted, the number stays.
    belegen();
    sv->setStundenProTag(8);
    m.leeren();
    EXPECT_FALSE(optionenOk(*sv, eingabe("0", "5", "10", "6"), m));
    EXPECT_EQ(m.texte(), std::vector<std::string>{NEU_UNGUELTIG});
    EXPECT_EQ(anzahl(), (std::vector<std::size_t>{2, 2, 1, 1}));
    EXPECT_EQ(sv->getStundenProTag(), 8);

    // Raising deletes nothing and asks nothing.
    m.leeren();
    EXPECT_TRUE(optionenOk(*sv, eingabe("2", "5", "10", "10"), m));
    EXPECT_EQ(m.anzahl(), 0u);
    EXPECT_EQ(anzahl(), (std::vector<std::size_t>{2, 2, 1, 1}));
}

TEST_F(Einstellungen, FaecherHinzufuegenUndLoeschen) {
    EXPECT_FALSE(fachHinzufuegen(*sv, "", m));
    EXPECT_EQ(m.letzte().text, "Sie müssen zuerst\neinen Namen in das Feld\neingeben.");
    for (const char* name : {"Sport", "deutsch", "Mathe"}) EXPECT_TRUE(fachHinzufuegen(*sv, name, m));
    EXPECT_EQ(fachEintraege(sv.get(), nullptr), (std::vector<std::string>{"deutsch", "Mathe", "Sport"}));

    // The row names the subject that goes; one still in use stays.
    c_Fach* mathe = sv->getFachliste()->getFach(2);
    add(*sv, lehrer(*sv, "Adler", "Anna", 20, {mathe}));
    m.leeren();
    EXPECT_FALSE(fachLoeschen(*sv, 1, m));
    EXPECT_EQ(m.letzte().text, "Löschen fehlgeschlagen!\n\n(Ist das Fach noch mit einem Raum, Lehrer etc.\nverbunden?)");
    EXPECT_EQ(m.letzte().caption, "");
    EXPECT_FALSE(fachLoeschen(*sv, -1, m));
    EXPECT_EQ(m.letzte().text, "Sie müssen erst ein Fach auswählen.");
    EXPECT_TRUE(fachLoeschen(*sv, 2, m));
    EXPECT_EQ(fachEintraege(sv.get(), nullptr), (std::vector<std::string>{"deutsch", "Mathe"}));
}

TEST_F(Einstellungen, CurriculumPruefungenUndWochenmaximum) {
    sv->setStundenProTag(6);
    EXPECT_EQ(maxWochenstunden(*sv), 30);
    sv->setSamstag(true);
    EXPECT_EQ(maxWochenstunden(*sv), 36);
    sv->setSamstag(false);

    c_Fach* deutsch = fach(*sv, "Deutsch");
    fach(*sv, "Mathe");
    fach(*sv, "Sport");
    EXPECT_EQ(jahrgangEintraege(*sv), (std::vector<std::string>{"5", "6", "7", "8", "9", "10"}));
    // Deutsch, Mathe and Sport hold 28 of the 30 lessons of grade 7.
    wunsch(*sv, 7, deutsch, 10, 10);
    wunsch(*sv, 7, sv->getFachliste()->getFach(2), 10, 10);
    wunsch(*sv, 7, sv->getFachliste()->getFach(3), 8, 8);

    const std::string unbestimmt =
        "Die angegebene Stundenanzahl konnte nicht\nermittelt werden. Bitte prüfen Sie die Korrektheit.";
    const std::string zuViel = "Dieser Eintrag würde die\nmaximal mögliche Stundenanzahl pro\nWoche übersteigen!";
    const struct {
        WunschEingabe e;
        std::string meldung;
    } faelle[] = {
        {{"", 0, 0}, "Sie müssen eine Stundenanzahl angeben."},
        {{"11", 0, 0}, unbestimmt},
        {{"0", 0, 0}, unbestimmt},
        {{"zwei", 0, 0}, unbestimmt},
        {{"3", 0, 2}, "Dieser Eintrag existiert schon."},  // Deutsch, grade 7, other lessons
        {{"3", 3, 2}, "Es ist kein Fach gewählt.\nLegen Sie die Fächer in den Einstellungen an."},
        {{"3", 0, 6}, "Es ist keine Jahrgangsstufe gewählt.\nPrüfen Sie die Jahrgangsstufen in den Einstellungen."},
    };
    for (const auto& f : faelle) {
        m.leeren();
        EXPECT_FALSE(wunschHinzufuegen(*sv, 30, f.e, m)) << f.e.stunden;
        EXPECT_EQ(m.texte(), std::vector<std::string>{f.meldung}) << f.e.stunden;
    }
    EXPECT_EQ(sv->getCurriculum()->size(), 3u);

    // Grade 7 holds 28 of 30: a fourth subject with 3 is refused, with 2 accepted.
    c_Fach* neu = fach(*sv, "Zeichnen");
    const int zeichnen = sv->getFachliste()->positionOf(neu) - 1;
    m.leeren();
    EXPECT_FALSE(wunschHinzufuegen(*sv, 30, {"3", zeichnen, 2}, m));
    EXPECT_EQ(m.texte(), std::vector<std::string>{zuViel});
    EXPECT_TRUE(wunschHinzufuegen(*sv, 30, {"2", zeichnen, 2}, m));
    EXPECT_EQ(curriculumZeilen(*sv).back(), "[Jahrgang:7] [Stunden:2] Zeichnen");
    // Another grade level counts on its own.
    EXPECT_TRUE(wunschHinzufuegen(*sv, 30, {"10", zeichnen, 0}, m));
    EXPECT_EQ(curriculumZeilen(*sv).front(), "[Jahrgang:5] [Stunden:10] Zeichnen");

    EXPECT_FALSE(wunschLoeschen(*sv, -1, m));
    EXPECT_EQ(m.letzte().text, "Sie müssen erst einen Eintrag auswählen,\nbevor Sie ihn löschen können.");
    EXPECT_TRUE(wunschLoeschen(*sv, 0, m));
    EXPECT_EQ(sv->getCurriculum()->size(), 4u);
}

}  // namespace
