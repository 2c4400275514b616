// The old-version converter: golden results for files of both versions, the data file loaded by
// the program with its records and links, the quirks of the old format, damaged files that
// leave the year untouched, and the replay of the fuzzing inputs.
#include "plugins/vendralimo/altdatenimport.h"

#include "model/datensaetze.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/text.h"
#include "platform/textfile.h"
#include "tests/core/testhilfe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using testhilfe::leseDatei;
using testhilfe::schreibeDatei;

namespace {

const std::string kDaten = VENDRALIMO_TESTDATEN;
const std::string kFuzz = VENDRALIMO_FUZZ;
const std::string kAlt = "# alter Jahrgang\r\n";

class Altdatenimport : public testhilfe::OrdnerTest {
protected:
    // Imports the bytes from alt.ssv; aktuell.sdb holds kAlt before.
    bool importiere(const std::string& ssv) {
        schreibeDatei("alt.ssv", ssv);
        schreibeDatei("aktuell.sdb", kAlt);
        c_Altdatenimport import;
        import.setDateiname("alt.ssv");
        return import.importDatei();
    }
    // The lines after the settings block up to "/DATAEND", joined by '|', for a version-1 file
    // with the given records.
    static std::string datensaetze(const std::string& rumpf, bool* ok = nullptr) {
        c_Altdatenimport import;
        text::TextFileWriter aus("ausgabe.sdb");
        const bool ergebnis = import.konvertiere("ssv_ps_v1\n1 2 3\n" + rumpf, aus);
        if (ok) *ok = ergebnis;
        EXPECT_TRUE(aus.commit());
        const std::string bytes = text::fromCp1252(leseDatei("ausgabe.sdb"));
        std::string zeilen;
        const std::size_t start = bytes.find("int,6\r\n") + 7;
        for (std::size_t pos = start; pos < bytes.size();) {
            const std::size_t ende = bytes.find("\r\n", pos);
            const std::string z = bytes.substr(pos, ende - pos);
            pos = ende + 2;
            if (z == "/DATAEND") break;
            zeilen += (zeilen.empty() ? "" : "|") + z;
        }
        return zeilen;
    }
};

template <class L>
auto* nachName(L* liste, const std::string& name) {
    for (auto* r : *liste)
        if (r->getName() == name) return r;
    return static_cast<decltype(liste->front())>(nullptr);
}

}  // namespace

TEST_F(Altdatenimport, BeideVersionenErgebenDieErwarteteDatendateiByteGleich) {
    // v1-eigenheiten: subjects on the teacher's count line, a room's first subject on its count
    // line, a weekly appointment with an absent teacher, the last record without a line end;
    // v2-crlf: CR LF line ends throughout.
    for (const char* name : {"v1", "v2", "v1-eigenheiten", "v2-crlf"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(importiere(leseDatei(kDaten + "/" + name + ".ssv")));
        EXPECT_EQ(leseDatei("aktuell.sdb"), leseDatei(kDaten + "/" + name + ".sdb"));
        EXPECT_EQ(eintraege(), "aktuell.sdb;alt.ssv;");
    }
}

TEST_F(Altdatenimport, CrLfZeilenendenLesenSichWieLf) {
    std::string lf = leseDatei(kDaten + "/v2.ssv"), crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ASSERT_TRUE(importiere(crlf));
    EXPECT_EQ(leseDatei("aktuell.sdb"), leseDatei(kDaten + "/v2.sdb"));
}

TEST_F(Altdatenimport, ImportLaedtImProgrammMitDatensaetzenUndVerweisen) {
    ASSERT_TRUE(importiere(leseDatei(kDaten + "/v2.ssv")));
    c_Schulverwaltung sv;
    std::string fehler;
    ASSERT_TRUE(sv.load("aktuell.sdb", &fehler));
    EXPECT_EQ(fehler, "");
    EXPECT_EQ(sv.getMinKlasse(), 5);
    EXPECT_EQ(sv.getMaxKlasse(), 10);
    EXPECT_EQ(sv.getNeuKlasse(), 3);
    EXPECT_TRUE(sv.getSamstag());
    EXPECT_EQ(sv.getStundenProTag(), 8);

    c_Fach* mathe = nachName(sv.getFachliste(), "Mathematik");
    c_Fach* deutsch = nachName(sv.getFachliste(), "Deutsch");
    c_Fach* musik = nachName(sv.getFachliste(), "Musik");
    ASSERT_TRUE(mathe && deutsch && musik);

    ASSERT_EQ(sv.getLehrerliste()->size(), 2u);
    c_Lehrer* mueller = sv.getLehrerliste()->getLehrer(1);
    c_Lehrer* schaefer = sv.getLehrerliste()->getLehrer(2);
    EXPECT_EQ(mueller->getVorname(), "Jürgen");
    EXPECT_EQ(mueller->getFelder()->getString("STRASSE"), "Hauptstraße 5");
    EXPECT_EQ(mueller->getFelder()->getInt("PLZ"), 12345);
    EXPECT_EQ(mueller->getPflichtstunden(), 24);
    EXPECT_EQ(mueller->getVergebeneStunden(), 4);
    EXPECT_EQ(mueller->getFachliste()->size(), 2u);
    EXPECT_TRUE(mueller->getFachliste()->holds(mathe) && mueller->getFachliste()->holds(deutsch));
    EXPECT_EQ(mueller->getFehlzeitliste()->size(), 0u);
    EXPECT_EQ(schaefer->getName(), "Schäfer");
    EXPECT_TRUE(schaefer->getFelder()->getBool("URLAUB"));
    ASSERT_EQ(schaefer->getFehlzeitliste()->size(), 1u);
    int t, m, j;
    schaefer->getFehlzeitliste()->front()->getEnde(&t, &m, &j);
    EXPECT_EQ(std::to_string(t) + "." + std::to_string(m) + "." + std::to_string(j), "10.4.2003");
    ASSERT_EQ(schaefer->getFachliste()->size(), 1u);
    EXPECT_EQ(schaefer->getFachliste()->front(), musik);

    c_Raum* physik = nachName(sv.getRaumliste(), "Physikraum");
    c_Raum* musiksaal = nachName(sv.getRaumliste(), "Musiksaal");
    ASSERT_TRUE(physik && musiksaal);
    ASSERT_EQ(physik->getFachliste()->size(), 2u);  // no subject lost after the count line
    EXPECT_EQ(physik->getFachliste()->front(), mathe);
    ASSERT_EQ(musiksaal->getFachliste()->size(), 1u);
    EXPECT_EQ(musiksaal->getFachliste()->front(), musik);
    EXPECT_FALSE(nachName(sv.getRaumliste(), "Aula")->getFelder()->getBool("AKTIV"));

    ASSERT_EQ(sv.getKlassenliste()->size(), 3u);
    c_Klasse* k5a = sv.getKlassenliste()->getKlasse(1);
    EXPECT_EQ(k5a->getJahrgang(), 5);
    EXPECT_EQ(k5a->getKlassenraum(), physik);
    EXPECT_EQ(k5a->getKlassenlehrer(), schaefer);
    EXPECT_EQ(sv.getKlassenliste()->getKlasse(2)->getKlassenraum(), nullptr);
    EXPECT_EQ(sv.getKlassenliste()->getKlasse(3)->getFelder()->getString("BEZ"), "ä");
    EXPECT_EQ(sv.getKlassenliste()->getKlasse(3)->getKlassenraum(), musiksaal);

    ASSERT_EQ(sv.getCurriculum()->size(), 2u);
    EXPECT_EQ(sv.getCurriculum()->front()->getFach(), mathe);
    EXPECT_EQ(sv.getCurriculum()->back()->getStunden2(), 2);

    ASSERT_EQ(sv.getDauerterminliste()->size(), 1u);
    c_Dauertermin* montag = sv.getDauerterminliste()->front();
    EXPECT_EQ(montag->getWochentag(), "Montag");
    EXPECT_EQ(montag->getEStd(), 2);
    EXPECT_EQ(montag->getKlasse(), k5a);
    EXPECT_EQ(montag->getRaum(), physik);
    EXPECT_EQ(montag->getLehrer(), mueller);
    EXPECT_EQ(montag->getFach(), mathe);
    ASSERT_EQ(sv.getEinzelterminliste()->size(), 1u);
    EXPECT_EQ(sv.getEinzelterminliste()->front()->getName(), "Wandertag, 2 Tage");
    EXPECT_EQ(sv.getEinzelterminliste()->front()->getRaum(), nullptr);
    ASSERT_EQ(sv.getVertretungsterminliste()->size(), 1u);
    c_Vertretungstermin* vertretung = sv.getVertretungsterminliste()->front();
    EXPECT_EQ(vertretung->getLehrer(), schaefer);
    EXPECT_EQ(vertretung->getVertretenerLehrer(), mueller);
    EXPECT_EQ(vertretung->getKlasse(), sv.getKlassenliste()->getKlasse(2));

    ASSERT_EQ(sv.getSchuelerliste()->size(), 2u);
    c_Schueler* max = sv.getSchuelerliste()->getSchueler(1);
    EXPECT_EQ(max->getName(), "Mustermann");
    EXPECT_EQ(max->getKlasse(), k5a);
    ASSERT_EQ(max->getZensurliste()->size(), 2u);
    EXPECT_EQ(max->getZensurliste()->getZensur(1)->getFach(), mathe);
    EXPECT_EQ(max->getZensurliste()->getZensur(2)->getFelder()->getString("BEMERKUNG"), "Überraschend schwach");
    EXPECT_EQ(max->getZensurliste()->getZensur(2)->getFach(), deutsch);
    c_Schueler* aenne = sv.getSchuelerliste()->getSchueler(2);
    EXPECT_EQ(aenne->getVorname(), "Änne");
    EXPECT_EQ(aenne->getKlasse(), sv.getKlassenliste()->getKlasse(2));
    EXPECT_EQ(aenne->getZensurliste()->size(), 0u);

    // The version-1 file: default settings and a student without grades.
    ASSERT_TRUE(importiere(leseDatei(kDaten + "/v1.ssv")));
    c_Schulverwaltung alt;
    ASSERT_TRUE(alt.load("aktuell.sdb", &fehler));
    EXPECT_EQ(fehler, "");
    EXPECT_FALSE(alt.getSamstag());
    EXPECT_EQ(alt.getStundenProTag(), 6);
    ASSERT_EQ(alt.getSchuelerliste()->size(), 1u);
    EXPECT_EQ(alt.getSchuelerliste()->front()->getKlasse(), alt.getKlassenliste()->front());
    EXPECT_EQ(alt.getDauerterminliste()->front()->getFach(), nachName(alt.getFachliste(), "Sport"));
}

TEST_F(Altdatenimport, DatensaetzeNachDenRegelnDesAltenFormats) {
    struct Fall {
        const char* was;
        const char* ssv;
        const char* zeilen;
    };
    const Fall faelle[] = {
        {"name follows the letter, leading space kept", "F Physik\n", "/Fach|string, Physik"},
        {"blank lines and stray characters between records", "\n\n  x\nFA\n\n\n#FB\n", "/Fach|string,A|/Fach|string,B"},
        {"absence start 0.0.0 gives no absence, the line after the count is dropped",
         "L1 2 3 4 5 6 0 0 0 9 9 9 0V\nN\nS\nO\nT\n2 9\n1\n2\n",
         "/Lehrer|string,V|string,N|string,S|int,4|string,O|string,T|int,1|int,2|int,3|bool,0|int,5|int,6|"
         "/FachlisteBegin|int,1|int,2|/FachlisteEnd|/FehlzeitlisteBegin|/FehlzeitlisteEnd"},
        {"any non-zero start part gives one absence", "L0 0 0 0 0 0 0 5 0 0 0 0 1\n\n\n\n\n0\n",
         "/Lehrer|string,|string,|string,|int,0|string,|string,|int,0|int,0|int,0|bool,1|int,0|int,0|"
         "/FachlisteBegin|/FachlisteEnd|/FehlzeitlisteBegin|/Fehlzeit|int,0|int,5|int,0|int,0|int,0|int,0|"
         "/FehlzeitlisteEnd"},
        {"room subjects on the lines after the count", "RR\n1 2\n4\n5\n",
         "/Raum|string,R|bool,1|/FachlisteBegin|int,4|int,5|/FachlisteEnd"},
        {"room subjects starting on the count's line", "RR\n0 2 4\n5\n",
         "/Raum|string,R|bool,0|/FachlisteBegin|int, 4|int,5|/FachlisteEnd"},
        {"class letter after white space", "K 6\n b 2 1\n", "/Klasse|int,6|string,b|string,|int,2|int,1"},
        {"signs and numbers beyond the int range", "W+5 -2 99999999999 -99999999999\n",
         "/Wunsch|int,5|int,-2|int,2147483647|int,-2147483648"},
        {"weekly appointment drops date and absent teacher", "T1 2 2003 3 4 1Dienstag\n1 2 3 4 3\n",
         "/Dauertermin|int,3|int,4|string,Dienstag|int,1|int,2|int,3|int,4"},
        {"dated appointment with absent teacher 3", "T1 2 2003 3 4 0Mathe\n1 2 3 4 3\n",
         "/Vertretungstermin|int,3|int,4|int,1|int,2|int,2003|string,Mathe|int,1|int,2|int,3|int,4|int,3"},
        {"dated appointment without absent teacher", "T1 2 2003 3 4 0\n1 2 3 4 0\n",
         "/Einzeltermin|int,3|int,4|int,1|int,2|int,2003|string,|int,1|int,2|int,3|int,4"},
        {"version-1 student: the character after the postcode is dropped, no grades",
         "S1 2 3 4\nV\nN\nS\nO\nT\n7\nZBegin\n",
         "/Schueler|string,V|string,N|string,S|int,4|string,O|string,T|int,1|int,2|int,3|int,7|"
         "/ZensurenlisteBegin|/ZensurenlisteEnd|/FehlzeitlisteBegin|/FehlzeitlisteEnd"},
        {"a lone CR in a value becomes a space, umlauts pass", "F\xC4rger\rx\n", "/Fach|string,Ärger x"},
    };
    for (const Fall& f : faelle) {
        bool ok = false;
        EXPECT_EQ(datensaetze(f.ssv, &ok), f.zeilen) << f.was;
        EXPECT_TRUE(ok) << f.was;
    }
}

TEST_F(Altdatenimport, NotenlisteEinerVersion2Datei) {
    const std::string kopf = "ssv_ps_v2\n1 2 3 1 6\nS1 2 3 4\nV\nN\nS\nO\nT\n7";
    struct Fall {
        const char* was;
        const char* rest;
        const char* zensuren;
    };
    const Fall faelle[] = {
        {"two grades, each introduced by a character and ZBegin", "\nZBegin\n1\ngut\n2\n\nZBegin\n2-\n\n0\n\nZEnd\n",
         "/Zensur|string,1|string,gut|int,2|/Zensur|string,2-|string,|int,0|"},
        {"the first other line ends the list", "\nZEnde\nFX\n", ""},
        {"the end of the file where the closing line is due", "\n", ""},
    };
    for (const Fall& f : faelle) {
        c_Altdatenimport import;
        text::TextFileWriter aus("n.sdb");
        EXPECT_TRUE(import.konvertiere(kopf + f.rest, aus)) << f.was;
        EXPECT_TRUE(import.istVersion2());
        ASSERT_TRUE(aus.commit());
        const std::string bytes = leseDatei("n.sdb");
        const std::size_t a = bytes.find("/ZensurenlisteBegin\r\n") + 21, e = bytes.find("/ZensurenlisteEnd");
        std::string zeilen = bytes.substr(a, e - a);
        for (std::size_t p; (p = zeilen.find("\r\n")) != std::string::npos;) zeilen.replace(p, 2, "|");
        EXPECT_EQ(zeilen, f.zensuren) << f.was;
    }
}

TEST_F(Altdatenimport, FalscheOderBeschaedigteDateiLaesstDenJahrgangUnberuehrt) {
    const std::string teilKopf = "ssv_ps_v2\n1 2 3 0 6\n";
    const std::string lehrer = "L1 2 3 4 5 6 0 0 0 0 0 0 ";
    struct Fall {
        const char* was;
        std::string ssv;
    };
    const Fall faelle[] = {
        {"empty file", ""},
        {"another first line", "ssv_ps_v3\n1 2 3\nFMathe\n"},
        {"a text file", "Liebe Eltern,\nder Wandertag\n"},
        {"first line with trailing blank", "ssv_ps_v1 \n1 2 3\n"},
        {"settings cut off", "ssv_ps_v2\n1 2 3\n"},
        {"Saturday flag 2", "ssv_ps_v2\n1 2 3 2 6\n"},
        {"leave flag 2", teilKopf + lehrer + "2V\nN\nS\nO\nT\n0\n"},
        {"number missing", teilKopf + "W1 2 x 4\n"},
        {"cut inside a teacher", teilKopf + lehrer + "0V\nN\n"},
        {"negative count", teilKopf + lehrer + "0V\nN\nS\nO\nT\n-1\n\n"},
        {"absurd count", teilKopf + lehrer + "0V\nN\nS\nO\nT\n2147483647\n\n1\n2\n"},
        {"absurd room count", teilKopf + "RR\n1 2147483647\n1\n"},
        {"cut inside a grade", teilKopf + "S1 2 3 4\nV\nN\nS\nO\nT\n7\nZBegin\n1\n"},
        {"cut inside an appointment", teilKopf + "T1 2 2003 3 4 0Mathe\n1 2"},
    };
    for (const Fall& f : faelle) {
        EXPECT_FALSE(importiere(f.ssv)) << f.was;
        EXPECT_EQ(leseDatei("aktuell.sdb"), kAlt) << f.was;
        EXPECT_EQ(eintraege(), "aktuell.sdb;alt.ssv;") << f.was;
    }

    // No such file, a folder and a named pipe in place of the file. The pipe must be refused
    // without waiting: no writer ever comes, so an import that waited for one would never end
    // and the test run would report it; no clock is read.
    std::filesystem::create_directory("ordner.ssv");
    ASSERT_EQ(::mkfifo("roehre.ssv", 0600), 0);
    for (const char* name : {"fehlt.ssv", "ordner.ssv", "roehre.ssv"}) {
        c_Altdatenimport import;
        import.setDateiname(name);
        EXPECT_FALSE(import.importDatei()) << name;
        EXPECT_EQ(leseDatei("aktuell.sdb"), kAlt);
    }
}

TEST_F(Altdatenimport, SchreibfehlerLaesstDenImportScheitern) {
    // aktuell.sdb is a folder that holds a file: it cannot be replaced.
    std::filesystem::create_directory("aktuell.sdb");
    schreibeDatei("aktuell.sdb/x", "x");
    schreibeDatei("alt.ssv", leseDatei(kDaten + "/v1.ssv"));
    c_Altdatenimport import;
    import.setDateiname("alt.ssv");
    EXPECT_FALSE(import.importDatei());
    EXPECT_TRUE(std::filesystem::is_directory("aktuell.sdb"));
    EXPECT_EQ(eintraege(), "aktuell.sdb;alt.ssv;");
}

TEST_F(Altdatenimport, FuzzEingabenLaufenDurchUndGelingendeLadenImProgramm) {
    int anzahl = 0;
    for (const std::string& ordner : {kFuzz + "/corpus/ssv", kFuzz + "/regressions/ssv"}) {
        ASSERT_TRUE(std::filesystem::is_directory(ordner)) << ordner;
        for (const auto& e : std::filesystem::directory_iterator(ordner)) {
            if (!e.is_regular_file() || e.path().filename().string()[0] == '.') continue;
            ++anzahl;
            SCOPED_TRACE(e.path().string());
            std::filesystem::remove("aktuell.sdb");
            c_Altdatenimport import;
            import.setDateiname(e.path().string());
            if (!import.importDatei()) {
                EXPECT_FALSE(text::fileExists("aktuell.sdb"));
                continue;
            }
            // Every conversion that succeeds is a data file the program reads without complaint.
            c_Schulverwaltung sv;
            std::string fehler;
            EXPECT_TRUE(sv.load("aktuell.sdb", &fehler));
            EXPECT_EQ(fehler, "");
            text::setIgnoreCase(false);
        }
    }
    EXPECT_GT(anzahl, 2);
}
