// The start in a working folder that holds a lock file: a lock that cannot be proven live is taken
// over only when the user says so, a folder in its place ends the start with its reason, a folder
// where no lock can be made (or an old one cannot be removed) is reported once and the program runs
// on without one, writing nothing over the year of a program that came since; the program really
// running here refuses, and programs started at once leave one holder.
#include "app/anwendung.h"
#include "fensterhilfe.h"
#include "platform/systemfehler.h"
#include "tests/core/alsnobody.h"
#include "vollefestplatte.h"

#include <QProcess>
#include <QTest>

#include <cerrno>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using testhilfe::alsNobody;
using testhilfe::gibNobody;

class OrdnersperreTest : public FensterTest {
protected:
    std::string pfad() const { return (m_ordner / SPERRDATEI).string(); }
    static void schreibe(const fs::path& datei, const std::string& bytes) { std::ofstream(datei, std::ios::binary) << bytes; }
    // A lock left from long ago (an empty one just made may be a start that fills it at once).
    static void schreibeAlte(const fs::path& datei, const std::string& bytes) {
        schreibe(datei, bytes);
        fs::last_write_time(datei, fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    // The lock of a process of this program that was killed.
    static std::string toteSperre() {
        SperrAngaben a = eigeneSperrAngaben();
        a.pid = ::fork();
        if (a.pid == 0) ::_exit(0);
        ::waitpid(static_cast<pid_t>(a.pid), nullptr, 0);
        return sperrInhalt(a);
    }
    // Starts the program in `ordner`; true once it holds the folder's lock.
    static bool starte(QProcess& p, const fs::path& ordner) {
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(umgebung);
        p.setWorkingDirectory(QString::fromStdString(ordner.string()));
        p.start(ORVASK_PROGRAMM, {});
        SperrAngaben a;
        return QTest::qWaitFor(
            [&] { return leseSperrAngaben(dateiInhalt((ordner / SPERRDATEI).string()), a) && a.pid == p.processId(); },
            60000);
    }
    static bool enthaelt(const std::string& text, const std::string& teil) { return text.find(teil) != std::string::npos; }
};

TEST_F(OrdnersperreTest, ALockThatCannotBeProvenLiveIsTakenOverOnlyWhenTheUserSaysSo) {
    const std::pair<std::string, std::string> faelle[] = {
        {"", "Sie ist leer, daher ist nicht bekannt, von welchem Computer und Programm sie stammt."},
        {std::string("\x8f\x03\xff\xd2 \x11\x9c\n\0\x7f", 10), "Sie enthält keine gültigen Angaben, daher"},
        {"12345\norvaskeln\nandererpc\n", "Sie stammt von der Schulverwaltung auf dem Computer „andererpc“ "
                                          "(Prozessnummer 12345). Möglicherweise läuft das Programm dort noch"},
    };
    for (const auto& [bytes, grund] : faelle) {
        for (const int antwort : {IDNO, IDYES}) {
            SCOPED_TRACE(grund + (antwort == IDYES ? ": Ja" : ": Nein"));
            schreibeAlte(SPERRDATEI, bytes);
            m_meldungen.leeren();
            m_meldungen.antworte(antwort);
            std::unique_ptr<Sperrdatei> sperre;
            const Ordnersperre ergebnis = sperreArbeitsordner(sperre);
            ASSERT_EQ(m_meldungen.anzahl(), 1u);
            const auto& frage = m_meldungen.letzte();
            EXPECT_EQ(frage.caption, "Arbeitsordner gesperrt");
            EXPECT_EQ(frage.flags, MB_YESNO | MB_ICONQUESTION);
            EXPECT_EQ(frage.text.rfind("Der Arbeitsordner ist durch die Sperrdatei „" + pfad() + "“ gesperrt.\n", 0), 0u);
            EXPECT_TRUE(enthaelt(frage.text, grund)) << frage.text;
            EXPECT_TRUE(enthaelt(frage.text, "Möchten Sie die alte Sperre entfernen und den Arbeitsordner übernehmen?"));
            SperrAngaben a;
            const bool eigene = leseSperrAngaben(dateiInhalt(SPERRDATEI), a) && a.pid == ::getpid();
            EXPECT_EQ(ergebnis, antwort == IDYES ? Ordnersperre::Gesperrt : Ordnersperre::Abgelehnt);
            EXPECT_EQ(sperre != nullptr, antwort == IDYES);
            EXPECT_EQ(eigene, antwort == IDYES);
            if (antwort == IDNO) {
                EXPECT_EQ(dateiInhalt(SPERRDATEI), bytes);
            }
            sperre.reset();
        }
    }
}

TEST_F(OrdnersperreTest, OnAFullDiskTheLockIsHeldEmptyAndASecondStartRefusesAFolderInItsPlaceEndsTheStart) {
    const std::string voll = systemFehlerText(EFBIG);
    enum Vorher { ORDNER, ALTE_SPERRE, NICHTS };
    const struct {
        Vorher vorher;
        Ordnersperre ergebnis;
        std::string text;
    } faelle[] = {
        {ORDNER, Ordnersperre::Unentfernbar,
         "Die Sperrdatei „" + pfad() +
             "“ lässt sich nicht entfernen (es ist ein Ordner).\nOhne Sperre lässt sich nicht ausschließen, dass eine "
             "andere Schulverwaltung in diesem Arbeitsordner arbeitet; das Programm wird beendet."},
        // On a full disk the lock is made and held, but its contents cannot be written.
        {ALTE_SPERRE, Ordnersperre::Gesperrt,
         "Die Schulverwaltung kann in diesem Arbeitsordner nicht speichern: In die Sperrdatei „" + pfad() +
             "“ lässt sich nichts schreiben (" + voll +
             ").\nDas Programm startet trotzdem; eine weitere Schulverwaltung kann auf diesem Computer nicht in "
             "diesem Ordner starten."},
        {NICHTS, Ordnersperre::Gesperrt,
         "Die Schulverwaltung kann in diesem Arbeitsordner nicht speichern: In die Sperrdatei „" + pfad() +
             "“ lässt sich nichts schreiben (" + voll +
             ").\nDas Programm startet trotzdem; eine weitere Schulverwaltung kann auf diesem Computer nicht in "
             "diesem Ordner starten."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        if (f.vorher == ORDNER) fs::create_directories(fs::path(SPERRDATEI) / "inhalt");
        if (f.vorher == ALTE_SPERRE) schreibe(SPERRDATEI, toteSperre());
        m_meldungen.leeren();
        std::unique_ptr<Sperrdatei> sperre, zweite;
        std::unique_ptr<TArbeitsordnerwache> wache;
        Ordnersperre ergebnis, zweitesErgebnis;
        {
            // The two others on a full disk.
            std::unique_ptr<VolleFestplatte> platte;
            if (f.vorher != ORDNER) platte = std::make_unique<VolleFestplatte>(0);
            ergebnis = sperreArbeitsordner(sperre);
            zweitesErgebnis = sperreArbeitsordner(zweite);
            EXPECT_EQ(sperre != nullptr, f.ergebnis == Ordnersperre::Gesperrt);
            wache = std::make_unique<TArbeitsordnerwache>(std::move(sperre), ergebnis);
            wache->setzeErgaenzung(50);
        }
        EXPECT_EQ(ergebnis, f.ergebnis);
        ASSERT_GE(m_meldungen.anzahl(), 1u);
        EXPECT_EQ(m_meldungen.meldungen()[0].caption, "Fehler");
        EXPECT_EQ(m_meldungen.meldungen()[0].flags, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_EQ(m_meldungen.meldungen()[0].text, f.text);
        if (f.vorher == ORDNER) {
            EXPECT_TRUE(fs::is_directory(SPERRDATEI));
        } else {
            // Held, though empty: the second start refuses, as beside any running program.
            EXPECT_EQ(dateiInhalt(SPERRDATEI), "");
            EXPECT_EQ(zweitesErgebnis, Ordnersperre::Belegt);
            EXPECT_EQ(zweite, nullptr);
            ASSERT_EQ(m_meldungen.anzahl(), 2u);
            EXPECT_EQ(m_meldungen.letzte().text.rfind("Die Schulverwaltung läuft in diesem Arbeitsordner bereits.", 0), 0u);
            // With room again it gets its contents soon, without any write of the year.
            SperrAngaben a;
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return leseSperrAngaben(dateiInhalt(SPERRDATEI), a) && a.pid == ::getpid(); }, 10000));
        }
        wache.reset();
        EXPECT_EQ(fs::exists(SPERRDATEI), f.vorher == ORDNER);
        fs::remove_all(SPERRDATEI);
    }
}

TEST_F(OrdnersperreTest, ForAnOrdinaryUserAWriteProtectedStaleLockGoesAWriteProtectedFolderIsReported) {
    const std::string rechner = eigeneSperrAngaben().rechner;
    const std::string bleibt = "/" + std::string(SPERRDATEI) + "“ lässt sich nicht entfernen (";
    const struct {
        std::string sperre;  // empty: none
        mode_t ordnerModus;
        std::string befund;  // result, number of messages, whose lock the file is then
        std::string text;
        bool sperreDesNutzers = true;  // else root's
    } faelle[] = {
        {toteSperre(), 0755, "0 0 eigene", ""},
        {"", 0555, "4 1 keine", "“ lässt sich nicht anlegen (keine Berechtigung)"},
        // A stale lock that stays (a folder the user may not write, another's file in a shared
        // folder with the sticky bit): the program runs on as where no lock can be made.
        {toteSperre(), 0555, "4 1 fremde", bleibt + "keine Berechtigung)"},
        {toteSperre(), 01777, "4 1 fremde", bleibt + systemFehlerText(EPERM) + ")", false},
        // The number runs here, but as another user's process it cannot be looked at: asked, Ja.
        {"1\norvaskeln\n" + rechner + "\n", 0755, "0 1 eigene",
         "Unter dieser Prozessnummer läuft ein Programm, das sich nicht prüfen lässt"},
    };
    int nummer = 0;
    for (const auto& f : faelle) {
        const fs::path ordner = m_ordner / std::to_string(++nummer);
        SCOPED_TRACE(ordner.string());
        fs::create_directories(ordner);
        if (!f.sperre.empty()) {
            schreibe(ordner / SPERRDATEI, f.sperre);
            ASSERT_EQ(::chmod((ordner / SPERRDATEI).c_str(), 0444), 0);
            if (f.sperreDesNutzers) {
                ASSERT_TRUE(gibNobody(ordner / SPERRDATEI));
            }
        }
        if (f.sperreDesNutzers) {
            ASSERT_TRUE(gibNobody(ordner));
        }
        ASSERT_EQ(::chmod(ordner.c_str(), f.ordnerModus), 0);
        const std::string antwort = alsNobody([&] {
            if (::chdir(ordner.c_str()) != 0) return std::string();
            m_meldungen.leeren();
            std::unique_ptr<Sperrdatei> sperre;
            const Ordnersperre ergebnis = sperreArbeitsordner(sperre);
            SperrAngaben a;
            const char* wessen = !fs::exists(SPERRDATEI) ? "keine"
                                 : leseSperrAngaben(dateiInhalt(SPERRDATEI), a) && a.pid == ::getpid() ? "eigene"
                                                                                                       : "fremde";
            sperre.reset();
            return std::to_string(static_cast<int>(ergebnis)) + " " + std::to_string(m_meldungen.anzahl()) + " " +
                   wessen + "\n" + (m_meldungen.anzahl() ? m_meldungen.letzte().text : "");
        });
        ::chmod(ordner.c_str(), 0755);
        EXPECT_EQ(antwort.substr(0, antwort.find('\n')), f.befund) << antwort;
        EXPECT_TRUE(enthaelt(antwort, f.text)) << antwort;
    }
}

TEST_F(OrdnersperreTest, TheNumberOfTheProgramInAnotherFolderIsAskedAboutTheProgramHereRefuses) {
    fs::create_directories("b");
    QProcess inB, hier;
    ASSERT_TRUE(starte(inB, m_ordner / "b"));
    // A lock here naming that process on this computer, as one left from before a crash may.
    const std::string rechner = eigeneSperrAngaben().rechner, pid = std::to_string(inB.processId());
    const std::string alte = pid + "\norvaskeln\n" + rechner + "\n";
    schreibe(SPERRDATEI, alte);
    m_meldungen.antworte(IDNO);
    std::unique_ptr<Sperrdatei> sperre;
    EXPECT_EQ(sperreArbeitsordner(sperre), Ordnersperre::Abgelehnt);
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_TRUE(enthaelt(m_meldungen.letzte().text,
                         "auf diesem Computer („" + rechner + "“, Prozessnummer " + pid +
                             "). Unter dieser Prozessnummer läuft jetzt eine Schulverwaltung in einem anderen Ordner („" +
                             (m_ordner / "b").string() + "“)"))
        << m_meldungen.letzte().text;
    EXPECT_EQ(dateiInhalt(SPERRDATEI), alte);

    // The program started here holds this folder.
    fs::remove(SPERRDATEI);
    ASSERT_TRUE(starte(hier, m_ordner));
    const std::string seine = dateiInhalt(SPERRDATEI);
    m_meldungen.leeren();
    EXPECT_EQ(sperreArbeitsordner(sperre), Ordnersperre::Belegt);
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().caption, "Fehler");
    EXPECT_EQ(m_meldungen.letzte().text, "Die Schulverwaltung läuft in diesem Arbeitsordner bereits.\nBitte arbeiten Sie "
                                         "in dem Fenster weiter, das schon geöffnet ist.\n\nSperrdatei: " + pfad());
    EXPECT_EQ(dateiInhalt(SPERRDATEI), seine);
    for (QProcess* p : {&inB, &hier}) {
        p->kill();
        p->waitForFinished(60000);
    }
}

// Programs started at the same moment: at most one holds the folder. In a fresh folder and beside
// the lock of a crashed program exactly one does and the others say that it runs, none asks; beside
// an empty lock that no program holds each asks, and none says that another one runs.
TEST_F(OrdnersperreTest, ProgramsStartedAtOnceLeaveOneHolderAndAskNoFalseQuestion) {
    constexpr int PROGRAMME = 4;
    constexpr int RUNDEN = 10;
    enum Vorher { NICHTS, TOTE, LEERE };
    // The processor time a process used so far; it stands still while the program waits for the user.
    const auto rechenzeit = [](qint64 pid) {
        std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
        std::string zeile;
        std::getline(in, zeile);
        // A program that has ended has no such line: no time, and the caller's check fails.
        const std::size_t klammer = zeile.rfind(')');
        if (klammer == std::string::npos || klammer + 2 > zeile.size()) return -1LL;
        std::istringstream felder(zeile.substr(klammer + 2));
        std::string feld;
        long long summe = 0;
        for (int i = 3; i <= 15 && felder >> feld; ++i)
            if (i >= 14) summe += std::stoll(feld);
        return summe;
    };
    for (const Vorher vorher : {NICHTS, TOTE, LEERE}) {
        for (int runde = 0; runde < RUNDEN; ++runde) {
            SCOPED_TRACE(std::to_string(vorher) + "/" + std::to_string(runde));
            fs::remove_all(SPERRDATEI);
            if (vorher == TOTE) schreibe(SPERRDATEI, toteSperre());
            if (vorher == LEERE) schreibeAlte(SPERRDATEI, "");
            QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
            umgebung.insert("QT_QPA_PLATFORM", "offscreen");
            std::vector<std::unique_ptr<QProcess>> programme;
            for (int i = 0; i < PROGRAMME; ++i) {
                programme.push_back(std::make_unique<QProcess>());
                programme.back()->setProcessEnvironment(umgebung);
                programme.back()->setWorkingDirectory(QString::fromStdString(m_ordner.string()));
            }
            for (auto& p : programme) p->start(ORVASK_PROGRAMM, {});
            // Until every program waits for the user: in its window, its question or its refusal.
            std::vector<long long> vorhin(PROGRAMME, -1);
            int ruhig = 0;
            ASSERT_TRUE(QTest::qWaitFor(
                [&] {
                    bool alle = true;
                    for (int i = 0; i < PROGRAMME; ++i) {
                        const long long jetzt = rechenzeit(programme[i]->processId());
                        alle = alle && jetzt == vorhin[i];
                        vorhin[i] = jetzt;
                    }
                    ruhig = alle ? ruhig + 1 : 0;
                    QTest::qWait(100);
                    return ruhig >= 5;
                },
                60000));
            SperrAngaben halter;
            const bool gelesen = leseSperrAngaben(dateiInhalt(SPERRDATEI), halter);
            int halten = 0, ablehnen = 0;
            for (auto& p : programme) {
                halten += gelesen && halter.pid == p->processId();
                ablehnen += p->readAllStandardError().contains("Die Schulverwaltung l\xc3\xa4uft in diesem Arbeitsordner bereits.");
                EXPECT_EQ(p->state(), QProcess::Running);
            }
            if (vorher == LEERE) {
                EXPECT_EQ(halten, 0);
                EXPECT_EQ(ablehnen, 0);
                EXPECT_EQ(dateiInhalt(SPERRDATEI), "");
            } else {
                EXPECT_EQ(halten, 1);
                EXPECT_EQ(ablehnen, PROGRAMME - 1);
            }
            for (auto& p : programme) {
                p->kill();
                p->waitForFinished(60000);
            }
        }
    }
}

// Folder b's aktuell.sdb is a link to the year in folder a: whichever program starts second, in
// either folder, refuses, and the first goes on alone.
TEST_F(OrdnersperreTest, TwoFoldersWhoseAktuellSdbIsOneYearNeverBothWriteIt) {
    for (const char* o : {"a", "b"}) fs::create_directories(o);
    schreibeJahrgang("a/aktuell.sdb");
    fs::create_symlink(m_ordner / "a" / AKTUELLE_DATEI, fs::path("b") / AKTUELLE_DATEI);
    const std::pair<const char*, std::string> faelle[] = {
        {"a", "Die Schulverwaltung läuft bereits im Ordner „" + (m_ordner / "a").string() + "“, in dem der Jahrgang"},
        {"b", "Die Schulverwaltung läuft in diesem Arbeitsordner bereits."},
    };
    for (const auto& [erster, meldung] : faelle) {
        SCOPED_TRACE(erster);
        QProcess p1, p2;
        ASSERT_TRUE(starte(p1, m_ordner / erster));
        SperrAngaben halter;  // the program in b holds the year's folder as well
        const std::string jahrSperre = "a/" + std::string(SPERRDATEI);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return leseSperrAngaben(dateiInhalt(jahrSperre), halter) && halter.pid == p1.processId(); }, 60000));
        p2.setProcessEnvironment(p1.processEnvironment());
        p2.setWorkingDirectory(QString::fromStdString((m_ordner / (erster == std::string("a") ? "b" : "a")).string()));
        p2.start(ORVASK_PROGRAMM, {});
        QByteArray fehler;
        EXPECT_TRUE(QTest::qWaitFor([&] { return (fehler += p2.readAllStandardError()).contains("bereits"); }, 60000));
        EXPECT_TRUE(fehler.contains(QByteArray::fromStdString(meldung))) << fehler.toStdString();
        EXPECT_EQ(p1.state(), QProcess::Running);
        for (QProcess* p : {&p1, &p2}) p->kill(), p->waitForFinished(60000);
        for (const char* o : {"a", "b"}) fs::remove(fs::path(o) / SPERRDATEI);
    }
}

// A program whose lock went (removed by hand, taken over from another computer, held by a program
// started since) writes nothing more, and says so once.
TEST_F(OrdnersperreTest, AProgramWhoseLockWentWritesNothingMore) {
    for (const bool anderesProgramm : {false, true}) {
        SCOPED_TRACE(anderesProgramm);
        std::unique_ptr<Sperrdatei> sperre;
        ASSERT_EQ(sperreArbeitsordner(sperre), Ordnersperre::Gesperrt);
        TArbeitsordnerwache wache(std::move(sperre), Ordnersperre::Gesperrt);
        setzeOrdnerwache(&wache);
        auto w = fenster();
        setzeOrdnerwache(nullptr);
        fs::remove(SPERRDATEI);
        QProcess b;
        if (anderesProgramm) {
            ASSERT_TRUE(starte(b, m_ordner));
        }
        const std::string vorher = dateiInhalt(AKTUELLE_DATEI);
        m_meldungen.leeren();
        for (int aenderung = 0; aenderung < 2; ++aenderung) {
            w->schulverwaltung()->setStundenProTag(7 + aenderung);
            w->saveDatenbestand();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !w->speichertBald(); }, 60000));
        }
        EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), vorher);
        ASSERT_EQ(m_meldungen.anzahl(), 1u);
        EXPECT_TRUE(enthaelt(m_meldungen.letzte().text, "Die Sperrdatei „" + pfad() + "“, mit der dieses Programm"));
        EXPECT_TRUE(enthaelt(m_meldungen.letzte().text, "„Programm › Jahrgang archivieren“"));
        b.kill(), b.waitForFinished(60000);
        fs::remove(SPERRDATEI);
    }
    // Without a lock since its start, a program locks the folder before it looks whether aktuell.sdb
    // is still the file it knows, so that no save can come between the look and the lock.
    TArbeitsordnerwache wache(nullptr, Ordnersperre::NichtMoeglich);
    SperrAngaben a;
    EXPECT_EQ(wache.vorDemSchreiben([&] { return leseSperrAngaben(dateiInhalt(SPERRDATEI), a) && a.pid == ::getpid(); }), "");
}

// A program that could lock no folder at its start tries again before each write. Another program
// that locked the folder since, or saved its year there and ended: nothing is written over that
// year, and that is said once.
TEST_F(OrdnersperreTest, AProgramWithoutALockWritesNothingOverTheYearOfOneThatCameSince) {
    enum Danach { NIEMAND, LAEUFT, ENDETE };
    for (const Danach danach : {NIEMAND, LAEUFT, ENDETE}) {
        SCOPED_TRACE(danach);
        {
            TArbeitsordnerwache wache(nullptr, Ordnersperre::NichtMoeglich);
            setzeOrdnerwache(&wache);
            auto w = fenster();
            setzeOrdnerwache(nullptr);
            QProcess b;
            if (danach != NIEMAND) {
                ASSERT_TRUE(starte(b, m_ordner));
            }
            if (danach == ENDETE) {
                // It saved its year and was killed: its lock stays behind.
                c_Schulverwaltung jahr;
                std::string fehler;
                ASSERT_TRUE(jahr.load(AKTUELLE_DATEI, &fehler)) << fehler;
                ASSERT_EQ(jahr.save(AKTUELLE_DATEI), 1);
                b.kill();
                b.waitForFinished(60000);
            }
            const std::string seins = dateiInhalt(AKTUELLE_DATEI), seineSperre = dateiInhalt(SPERRDATEI);
            m_meldungen.leeren();
            for (int aenderung = 0; aenderung < 2; ++aenderung) {
                w->schulverwaltung()->setStundenProTag(7 + aenderung);
                w->saveDatenbestand();
                ASSERT_TRUE(QTest::qWaitFor([&] { return !w->speichertBald(); }, 60000));
            }
            SperrAngaben a;
            if (danach == NIEMAND) {
                // Nobody came: written, the folder is this program's now, and after the start's
                // report that nothing could be saved here, the success is said.
                EXPECT_NE(dateiInhalt(AKTUELLE_DATEI), seins);
                EXPECT_TRUE(leseSperrAngaben(dateiInhalt(SPERRDATEI), a) && a.pid == ::getpid());
                ASSERT_EQ(m_meldungen.anzahl(), 1u);
                EXPECT_EQ(m_meldungen.letzte().caption, "Gespeichert");
            } else {
                EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), seins);
                // The lock of the program that runs stays; that of the one that ended may go, and
                // this program, writing nothing here, holds none.
                if (danach == LAEUFT) {
                    EXPECT_EQ(dateiInhalt(SPERRDATEI), seineSperre);
                } else {
                    EXPECT_FALSE(leseSperrAngaben(dateiInhalt(SPERRDATEI), a) && a.pid == ::getpid());
                }
                ASSERT_EQ(m_meldungen.anzahl(), 1u);
                EXPECT_EQ(m_meldungen.letzte().text.rfind("Eine andere Schulverwaltung ", 0), 0u)
                    << m_meldungen.letzte().text;
                EXPECT_TRUE(enthaelt(m_meldungen.letzte().text, "„Programm › Jahrgang archivieren“"));
            }
            b.kill();
            b.waitForFinished(60000);
        }
        fs::remove(SPERRDATEI);
    }
}

}  // namespace
