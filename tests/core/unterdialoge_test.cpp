// The grades, absences and school-year change dialogs without widgets.
#include "dialogs/fehlzeitenformular.h"
#include "dialogs/schuljahrwechsel.h"
#include "dialogs/zensurenformular.h"
#include "tests/core/dialog_hilfe.h"
#include "tests/core/jahrgang_hilfe.h"

#include <gtest/gtest.h>

namespace {

using jahrgang::add;
using Zeilen = std::vector<std::vector<std::string>>;

using dialoghilfe::texte;

FormularWerte datum(const std::string& at, const std::string& am, const std::string& aj, const std::string& et,
                    const std::string& em, const std::string& ej) {
    return {{at, am, aj, et, em, ej}, {}};
}

class Unterdialoge : public jahrgang::MitSchulverwaltung {};

TEST_F(Unterdialoge, GradesStartChecks) {
    const std::string keineFaecher =
        "Es exsistieren keine Fächer.\nBevor Sie Zensuren eingeben können müssen Sie\nunter den Einstellungen Fächer "
        "angelegt haben.";
    EXPECT_EQ(ZensurenFormular(sv.get(), nullptr, nullptr).start().fehler, keineFaecher);
    jahrgang::fach(*sv, "Mathe");
    EXPECT_EQ(ZensurenFormular(sv.get(), nullptr, nullptr).start().fehler,
              "Es exsistieren keine Schüler.\nBevor Sie Zensuren eingeben können müssen Sie\nSchüler angelegt haben.");
    c_Klasse* leer = add(*sv, jahrgang::klasse(*sv, 5, "a"));
    c_Klasse* k = add(*sv, jahrgang::klasse(*sv, 6, "a"));
    c_Schueler* s = add(*sv, jahrgang::schueler(*sv, "Zander", "Kim", k));
    add(*sv, jahrgang::schueler(*sv, "Adler", "Ute", k));
    EXPECT_EQ(ZensurenFormular(sv.get(), nullptr, nullptr).start().fehler,
              "Sie müssen entweder eine Klasse in\nder Klassenansicht auswählen oder einen bereits\nangelegten "
              "Schueler bearbeiten,\nbevor Sie Zensuren eingeben können.");

    // A class without students: the error, then the list fill has no student.
    ZensurenFormular ohne(sv.get(), nullptr, leer);
    const ZensurenFormular::Start st = ohne.start();
    EXPECT_EQ(st.fehler, "Sie können die Zensuren nicht bearbeiten,\nda sich in der Klasse keine Schüler befinden");
    EXPECT_TRUE(st.faecher.empty());
    MeldungsSammler m = MeldungsSammler::sofort();
    EXPECT_TRUE(ohne.zeilen(st.schuelerAuswahl, st.fachAuswahl, m).empty());
    EXPECT_EQ(texte(m), "[Fehler!|0] Zensurendialog: changeselection: Schüler ist NULL");

    const ZensurenFormular::Start klasse = ZensurenFormular(sv.get(), nullptr, k).start();
    EXPECT_EQ(klasse.schueler, (std::vector<std::string>{"Ute Adler", "Kim Zander"}));
    EXPECT_EQ(klasse.faecher, std::vector<std::string>{"Mathe"});
    EXPECT_EQ(klasse.fehler, "");
    EXPECT_EQ(ZensurenFormular(sv.get(), s, nullptr).start().schueler, std::vector<std::string>{"Kim Zander"});
}

TEST_F(Unterdialoge, GradesBySubjectAddDeleteAndLimit) {
    c_Fach* a = jahrgang::fach(*sv, "A");
    c_Fach* b = jahrgang::fach(*sv, "B");
    c_Klasse* k = add(*sv, jahrgang::klasse(*sv, 5, "a"));
    add(*sv, jahrgang::schueler(*sv, "Adler", "Ute", k));
    c_Schueler* s = add(*sv, jahrgang::schueler(*sv, "Zander", "Kim", k));
    jahrgang::zensur(*sv, s, "1", "a-alt", a);
    jahrgang::zensur(*sv, s, "2", "b", b);
    jahrgang::zensur(*sv, s, "3", "a-neu", a);

    ZensurenFormular form(sv.get(), nullptr, k);  // class mode: entry 1 is Zander
    MeldungsSammler m = MeldungsSammler::sofort();
    EXPECT_EQ(form.zeilen(1, 0, m), (Zeilen{{"1", "a-alt"}, {"3", "a-neu"}}));
    EXPECT_EQ(form.zeilen(1, 1, m), (Zeilen{{"2", "b"}}));
    EXPECT_TRUE(form.zeilen(0, 1, m).empty());

    form.hinzufuegen({{"", "ohne"}, {}}, 1, 1, m);
    EXPECT_EQ(texte(m), "[Schüler|0] Sie müssen das Feld\nZensur:\nausfüllen.");
    sv->getZensurStruktur()->findField("ZENSUR")->setPflicht(false);
    m.entnehmen();
    form.hinzufuegen({{"", "ohne"}, {}}, 1, 1, m);
    EXPECT_EQ(texte(m), "[Schüler|0] Sie müssen eine Zensur eingeben\nbevor Sie sie hinzufügen können.");
    m.entnehmen();
    form.hinzufuegen({{"4", "neu"}, {}}, 1, 1, m);
    EXPECT_TRUE(m.leer());
    EXPECT_EQ(form.zeilen(1, 1, m), (Zeilen{{"2", "b"}, {"4", "neu"}}));  // under B only, at the end
    EXPECT_EQ(form.zeilen(1, 0, m).size(), 2u);

    // The second row of subject A is the third grade overall.
    form.loeschen(1, 1, 0, m);
    EXPECT_EQ(form.zeilen(1, 0, m), (Zeilen{{"1", "a-alt"}}));
    EXPECT_EQ(s->getZensurliste()->size(), 3u);
    form.loeschen(5, 1, 0, m);  // past the end: nothing
    EXPECT_EQ(s->getZensurliste()->size(), 3u);
    EXPECT_TRUE(m.leer());
    form.loeschen(-1, 1, 0, m);
    EXPECT_EQ(texte(m), "[Fehler|48] Sie müssen eine Zensur markieren,\nbevor Sie sie entfernen können.");

    // 31999 grades take one more; 32000 refuse it.
    ZensurenFormular schueler(sv.get(), s, nullptr);
    while (s->getZensurliste()->size() < 31999) jahrgang::zensur(*sv, s, "5", "", a);
    m.entnehmen();
    schueler.hinzufuegen({{"1", ""}, {}}, 0, 0, m);
    EXPECT_EQ(s->getZensurliste()->size(), 32000u);
    schueler.hinzufuegen({{"1", ""}, {}}, 0, 0, m);
    EXPECT_EQ(s->getZensurliste()->size(), 32000u);
    EXPECT_EQ(texte(m), "[Fehler|48] Die Zensur konnte nicht angelegt werden:\nDie max. erlaubte Anzahl von Einträgen "
                        "wurde überschritten.");
}

TEST_F(Unterdialoge, GradeColumnsShowBoolsAsX) {
    jahrgang::fach(*sv, "A");
    c_Schueler* s = add(*sv, jahrgang::schueler(*sv, "Zander", "Kim"));
    auto haken = std::make_unique<c_BoolObj>();
    haken->setName(std::string("MUENDLICH"));
    sv->getZensurStruktur()->push_back(std::move(haken));
    ZensurenFormular form(sv.get(), s, nullptr);
    MeldungsSammler m = MeldungsSammler::sofort();
    form.hinzufuegen({{"2", ""}, {true}}, 0, 0, m);
    form.hinzufuegen({{"3", ""}, {false}}, 0, 0, m);
    EXPECT_EQ(form.zeilen(0, 0, m), (Zeilen{{"2", "", "X"}, {"3", "", ""}}));
}

TEST_F(Unterdialoge, AbsenceChecks) {
    c_Schueler* s = add(*sv, jahrgang::schueler(*sv, "Zander", "Kim"));
    const std::string beginn = "Der Fehlzeitbeginn hat kein gültiges Datum.";
    const std::string ende = "Das Fehlzeitende hat kein gültiges Datum.";
    const std::string davor = "Das Fehlzeitende liegt vor dem\nFehlzeitbeginn.";
    struct Fall {
        const char* was;
        FormularWerte werte;
        std::string erwartet;
    };
    const Fall faelle[] = {
        {"31.2. as start does not exist", datum("31", "2", "2026", "1", "3", "2026"), beginn},
        {"31.4. as end does not exist", datum("1", "4", "2027", "31", "4", "2027"), ende},
        {"29.2. outside a leap year", datum("29", "2", "2027", "1", "3", "2027"), beginn},
        {"29.2.1900 is no leap day", datum("1", "2", "1900", "29", "2", "1900"), ende},
        {"29.2. of a two-digit year counts as 19xx", datum("29", "2", "25", "1", "3", "25"), beginn},
        {"29.2.2028", datum("29", "2", "2028", "1", "3", "2028"), ""},
        {"29.2.2000", datum("1", "2", "2000", "29", "2", "2000"), ""},
        {"29.2.24 stored as typed, a leap day of 1924", datum("29", "2", "24", "1", "3", "24"), ""},
        {"one day", datum("4", "3", "2024", "4", "3", "2024"), ""},
        {"year 0, two-digit year as typed", datum("1", "1", "0", "2", "1", "24"), ""},
        {"7x reads as 7", datum("7x", "3", "2024", "8", "3", "2024"), ""},
        {"x reads as 0", datum("x", "3", "2024", "8", "3", "2024"), beginn},
        {"month 13 at the end", datum("1", "3", "2024", "1", "13", "2024"), ende},
        {"end before start", datum("5", "3", "2024", "4", "3", "2024"), davor},
        {"an empty start day: walk message, then the date check",
         datum("", "3", "2024", "4", "3", "2024"), "Sie müssen das Feld\nBeginn der Fehlzeit: Tag\nausfüllen." + beginn},
    };
    FehlzeitenFormular form(sv.get(), s, nullptr);
    std::size_t gespeichert = 0;
    for (const Fall& f : faelle) {
        MeldungsSammler m = MeldungsSammler::sofort();
        form.hinzufuegen(f.werte, m);
        if (f.erwartet.empty()) ++gespeichert;
        EXPECT_EQ(texte(m), f.erwartet.empty() ? "" : "[|0] " + f.erwartet) << f.was;
        EXPECT_EQ(s->getFehlzeitliste()->size(), gespeichert) << f.was;
    }
    // With the mandatory flag off, the dialog's own empty-date texts.
    sv->getFehlzeitStruktur()->findField("ETAG")->setPflicht(false);
    MeldungsSammler m = MeldungsSammler::sofort();
    form.hinzufuegen(datum("1", "3", "2024", "", "3", "2024"), m);
    EXPECT_EQ(texte(m), "[|0] Das Datum zum Fehlzeitende ist nicht korrekt." + ende);
    EXPECT_EQ(form.zeilen().back(), (std::vector<std::string>{"7", "3", "2024", "8", "3", "2024"}));
    EXPECT_EQ(form.caption(), "Fehlzeiten für Kim Zander");
}

TEST_F(Unterdialoge, AbsenceListsStopAtTheLimit) {
    c_Schueler* s = add(*sv, jahrgang::schueler(*sv, "Zander", "Kim"));
    c_Lehrer* l = add(*sv, jahrgang::lehrer(*sv, "Adler", "Anna", 20));
    const struct {
        const char* wer;
        c_Schueler* schueler;
        c_Lehrer* lehrer;
        c_Fehlzeitliste* liste;
    } faelle[] = {{"student", s, nullptr, s->getFehlzeitliste()}, {"teacher", nullptr, l, l->getFehlzeitliste()}};
    for (const auto& f : faelle) {
        // 31999 absences take one more; 32000 refuse it.
        while (f.liste->size() < 31999) jahrgang::fehlzeit(*sv, f.liste, 4, 3, 2024, 8, 3, 2024);
        FehlzeitenFormular form(sv.get(), f.schueler, f.lehrer);
        MeldungsSammler m = MeldungsSammler::sofort();
        form.hinzufuegen(datum("1", "3", "2024", "2", "3", "2024"), m);
        EXPECT_EQ(f.liste->size(), 32000u) << f.wer;
        EXPECT_TRUE(m.leer()) << f.wer;
        form.hinzufuegen(datum("1", "3", "2024", "2", "3", "2024"), m);
        EXPECT_EQ(f.liste->size(), 32000u) << f.wer;
        EXPECT_EQ(texte(m), "[Fehler|48] Die Fehlzeit konnte nicht angelegt werden:\nDie max. erlaubte Anzahl von "
                            "Einträgen wurde überschritten.")
            << f.wer;
    }
}

TEST_F(Unterdialoge, AbsenceStartAndDelete) {
    EXPECT_EQ(FehlzeitenFormular(sv.get(), nullptr, nullptr).startFehler(),
              "Es exsistieren weder Lehrer, noch Schüler.\nBevor Sie Fehlzeiten eingeben können müssen Sie\nentweder "
              "Lehrer oder Schüler angelegt haben.");
    c_Lehrer* l = add(*sv, jahrgang::lehrer(*sv, "Müller", "Anna", 20));
    c_Lehrer* vertreter = add(*sv, jahrgang::lehrer(*sv, "Schmidt", "Bernd", 20));
    EXPECT_EQ(FehlzeitenFormular(sv.get(), nullptr, nullptr).startFehler(),
              "Sie müssen entweder einen Lehrer in\nder Lehreransicht oder einen Schueler bearbeiten,\nbevor Sie "
              "Fehlzeiten zuweisen können.");
    setHeute(1, 3, 2024);
    jahrgang::fehlzeit(*sv, l->getFehlzeitliste(), 4, 3, 2024, 8, 3, 2024);
    jahrgang::fehlzeit(*sv, l->getFehlzeitliste(), 11, 3, 2024, 15, 3, 2024);
    add(*sv, jahrgang::vertretung(*sv, 5, 3, 2024, 1, 1, vertreter, l));
    add(*sv, jahrgang::vertretung(*sv, 12, 3, 2024, 1, 1, vertreter, l));

    FehlzeitenFormular form(sv.get(), nullptr, l);
    EXPECT_EQ(form.startFehler(), "");
    EXPECT_FALSE(form.fragtVorLoeschen(-1));
    EXPECT_FALSE(form.fragtVorLoeschen(2));
    MeldungsSammler m = MeldungsSammler::sofort();
    form.loeschen(2, true, m);  // past the end: nothing
    EXPECT_EQ(l->getFehlzeitliste()->size(), 2u);
    ASSERT_TRUE(form.fragtVorLoeschen(1));
    form.loeschen(1, false, m);  // No: the substitution stays
    EXPECT_EQ(sv->getVertretungsterminliste()->size(), 2u);
    form.loeschen(0, true, m);  // Yes: the substitutions of 4.-8.3. go
    EXPECT_EQ(sv->getVertretungsterminliste()->size(), 1u);
    EXPECT_TRUE(l->getFehlzeitliste()->empty());
    EXPECT_TRUE(m.leer());
    form.loeschen(-1, false, m);
    EXPECT_EQ(texte(m), "[Fehler|48] Sie müssen eine Fehlzeit markieren,\nbevor Sie sie entfernen können.");
    setHeute(0, 0, 0);
}

TEST_F(Unterdialoge, SchoolYearChangeWithRepeaters) {
    sv->setMinKlasse(5);
    sv->setMaxKlasse(6);
    c_Klasse* k5 = add(*sv, jahrgang::klasse(*sv, 5, "a"));
    c_Klasse* k6 = add(*sv, jahrgang::klasse(*sv, 6, "b", "Abschluss"));
    c_Schueler* bleibt = add(*sv, jahrgang::schueler(*sv, "Adler", "Ute", k6));
    c_Schueler* geht = add(*sv, jahrgang::schueler(*sv, "Berg", "Tom", k6));
    c_Schueler* steigt = add(*sv, jahrgang::schueler(*sv, "Zander", "Kim", k5));
    add(*sv, jahrgang::schueler(*sv, "Ohne", "Klasse"));

    SchuljahrwechselFormular form(sv.get());
    EXPECT_EQ(form.klassenEintraege(), (std::vector<std::string>{"5a ", "6b Abschluss"}));
    EXPECT_TRUE(form.schuelerZeilen(-1).empty());  // no class chosen: no students, not those without a class
    EXPECT_EQ(form.schuelerZeilen(1), (std::vector<std::string>{"Adler, Ute", "Berg, Tom"}));
    MeldungsSammler m = MeldungsSammler::sofort();
    form.hinzufuegen(1, -1, m);
    form.hinzufuegen(1, 0, m);
    form.hinzufuegen(1, 0, m);
    form.hinzufuegen(-1, 0, m);  // no class: nothing to take
    form.hinzufuegen(0, 0, m);
    EXPECT_EQ(texte(m), "[Fehler|48] Sie müssen erst einen Schüler markieren.[Fehler|48] Dieser Schüler ist bereits "
                        "in die\nListe der Sitzenbleiber aufgenommen.");
    EXPECT_EQ(form.sitzenbleiberZeilen(), (std::vector<std::string>{"Adler, Ute [6b Abschluss]", "Zander, Kim [5a ]"}));
    m.entnehmen();
    form.entfernen(-1, m);
    form.entfernen(1, m);
    form.entfernen(7, m);
    EXPECT_EQ(texte(m), "[Fehler|48] Sie müssen einen Schüler in der rechten\nListe markieren.");
    ASSERT_EQ(form.sitzenbleiber().size(), 1u);

    form.ausfuehren(false);
    // The repeater goes down to 5a and up again with it: grade level 6 once more; the final class has left.
    EXPECT_EQ(bleibt->getKlasse(), k5);
    EXPECT_EQ(steigt->getKlasse(), k5);
    EXPECT_EQ(k5->getJahrgang(), 6);
    EXPECT_EQ(geht->getKlasse(), nullptr);
}

}  // namespace
