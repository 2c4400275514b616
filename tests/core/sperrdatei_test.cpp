// How the holder of a lock file is judged, and a lock that changes while the user is asked about it.
#include "platform/sperrdatei.h"
#include "testhilfe.h"

#include <chrono>
#include <csignal>
#include <thread>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using Art = Sperrbefund::Art;

class SperrdateiTest : public testhilfe::OrdnerTest {};

TEST_F(SperrdateiTest, TheHolderIsJudgedByComputerBootProgramAndFolder) {
    fs::create_directories("x");
    int rohr[2];
    ASSERT_EQ(::pipe(rohr), 0);
    const pid_t kind = ::fork();
    if (kind == 0) {  // a live process of this program, working in x
        if (::chdir("x") != 0 || ::write(rohr[1], "j", 1) != 1) ::_exit(1);
        ::pause();
    }
    char bereit = 0;
    ASSERT_EQ(::read(rohr[0], &bereit, 1), 1);
    const SperrAngaben hier = eigeneSperrAngaben();
    const struct {
        const char* name;
        std::string SperrAngaben::*feld;
        const char* wert;
        const char* ordner;
        Art art;
    } faelle[] = {
        {"in seinem Ordner", nullptr, "", "x", Art::Laeuft},
        {"in einem anderen Ordner", nullptr, "", ".", Art::AndererOrdner},
        {"Nummer eines anderen Programms", &SperrAngaben::programm, "anderes", "x", Art::Beendet},
        {"vor dem letzten Systemstart", &SperrAngaben::start, "vorher", "x", Art::Beendet},
        {"anderer Rechnername", &SperrAngaben::rechner, "andererpc", "x", Art::FremderRechner},
        {"andere Maschinenkennung", &SperrAngaben::maschine, "0000", "x", Art::FremderRechner},
    };
    SperrAngaben dort = hier;
    dort.pid = kind;
    for (const auto& f : faelle) {
        SperrAngaben a = dort;
        if (f.feld) a.*f.feld = f.wert;
        std::string seinOrdner;
        EXPECT_EQ(beurteileHalter(a, hier, f.ordner, &seinOrdner), f.art) << f.name;
        if (f.art == Art::AndererOrdner) {
            EXPECT_EQ(seinOrdner, (m_ordner / "x").string());
        }
    }
    // Ended but not yet reaped: it holds nothing any more.
    ::kill(kind, SIGKILL);
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(kind), nullptr, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(beurteileHalter(dort, hier, "x"), Art::Beendet);
    ASSERT_EQ(::waitpid(kind, nullptr, 0), kind);
    EXPECT_EQ(beurteileHalter(dort, hier, "x"), Art::Beendet);
}

TEST_F(SperrdateiTest, AnotherProgramJudgingTheSameLockIsNoHolder) {
    // Another start looks at the same empty lock at this moment: it holds the file's kernel lock
    // shared, as a judge does. This start asks about the lock as it would alone; a holder (who
    // holds it exclusively) is refused.
    testhilfe::schreibeDatei("orvaskeln.lock", "");
    fs::last_write_time("orvaskeln.lock", fs::file_time_type::clock::now() - std::chrono::hours(1));
    for (const int art : {LOCK_SH, LOCK_EX}) {
        const int andere = ::open("orvaskeln.lock", O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(andere, art | LOCK_NB), 0);
        int gefragt = 0;
        const Sperrergebnis e = sperreOrdner("orvaskeln.lock", [&](const Sperrbefund& b) {
            ++gefragt;
            EXPECT_EQ(b.art, Art::Leer);
            return false;
        });
        EXPECT_EQ(e.ergebnis, art == LOCK_SH ? Ordnersperre::Abgelehnt : Ordnersperre::Belegt);
        EXPECT_EQ(gefragt, art == LOCK_SH ? 1 : 0);
        ::close(andere);
    }
}

TEST_F(SperrdateiTest, ALockIsNeverSeenInItsPlaceEmptyOrWithoutItsHolder) {
    // One process takes and gives up the folder again and again; another looks at the lock all the
    // while, as a start would: each time it finds the file, it is held and holds its contents.
    const pid_t kind = ::fork();
    if (kind == 0) {
        for (int i = 0; i < 1500; ++i) sperreOrdner("orvaskeln.lock", [](const Sperrbefund&) { return false; });
        ::_exit(0);
    }
    int gesehen = 0, leerUndFrei = 0;
    while (::waitpid(kind, nullptr, WNOHANG) == 0) {
        const int fd = ::open("orvaskeln.lock", O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        ++gesehen;
        struct stat st {};
        if (::flock(fd, LOCK_SH | LOCK_NB) == 0 && ::fstat(fd, &st) == 0 && st.st_size == 0 && st.st_nlink > 0)
            ++leerUndFrei;
        ::close(fd);
    }
    EXPECT_GT(gesehen, 0);
    EXPECT_EQ(leerUndFrei, 0);
}

TEST_F(SperrdateiTest, ALockThatChangesWhileTheUserIsAskedIsJudgedAnew) {
    const std::string erste = "12345\norvaskeln\nandererpc\n", zweite = "777\norvaskeln\nnochandererpc\n";
    testhilfe::schreibeDatei("orvaskeln.lock", erste);
    // Replaced by another lock before the answer: the yes does not reach it, it is asked about anew.
    std::vector<std::string> gefragt;
    Sperrergebnis e = sperreOrdner("orvaskeln.lock", [&](const Sperrbefund& b) {
        gefragt.push_back(b.angaben.rechner);
        if (gefragt.size() == 1) {
            fs::remove("orvaskeln.lock");
            testhilfe::schreibeDatei("orvaskeln.lock", zweite);
        }
        return gefragt.size() == 1;
    });
    EXPECT_EQ(e.ergebnis, Ordnersperre::Abgelehnt);
    EXPECT_EQ(gefragt, (std::vector<std::string>{"andererpc", "nochandererpc"}));
    EXPECT_EQ(testhilfe::leseDatei("orvaskeln.lock"), zweite);
    // Taken by a program that started meanwhile: it is that program's.
    int andere = -1;
    e = sperreOrdner("orvaskeln.lock", [&](const Sperrbefund&) {
        andere = ::open("orvaskeln.lock", O_RDONLY | O_CLOEXEC);
        return ::flock(andere, LOCK_EX | LOCK_NB) == 0;
    });
    EXPECT_EQ(e.ergebnis, Ordnersperre::Belegt);
    EXPECT_EQ(testhilfe::leseDatei("orvaskeln.lock"), zweite);
    ::close(andere);
}

TEST_F(SperrdateiTest, AnEmptyLockJustMadeIsJudgedAgainBeforeTheUserIsAsked) {
    // Where the file system has no hard links, a program that starts makes its lock in its place and
    // fills and locks it a moment later: another start meanwhile must not ask about it as if it
    // were left from a crash. One that stays empty is asked about, once it is no longer young.
    for (const bool gefuellt : {true, false}) {
        SCOPED_TRACE(gefuellt ? "gefüllt" : "bleibt leer");
        testhilfe::schreibeDatei("orvaskeln.lock", "");
        int halter = -1;
        std::thread start;
        if (gefuellt)
            start = std::thread([&halter] {
                ::usleep(300000);
                halter = ::open("orvaskeln.lock", O_RDWR | O_CLOEXEC);
                ::flock(halter, LOCK_EX);
                const std::string inhalt = sperrInhalt(eigeneSperrAngaben());
                static_cast<void>(::write(halter, inhalt.data(), inhalt.size()));
            });
        const auto beginn = std::chrono::steady_clock::now();
        long long gefragtNachMs = -1;
        const Sperrergebnis e = sperreOrdner("orvaskeln.lock", [&](const Sperrbefund& b) {
            EXPECT_EQ(b.art, Art::Leer);
            gefragtNachMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - beginn).count();
            return false;
        });
        if (start.joinable()) start.join();
        if (gefuellt) {
            EXPECT_EQ(e.ergebnis, Ordnersperre::Belegt);
            EXPECT_EQ(gefragtNachMs, -1);
        } else {
            EXPECT_EQ(e.ergebnis, Ordnersperre::Abgelehnt);
            EXPECT_GE(gefragtNachMs, JUNGE_SPERRE_MS - 500);
        }
        if (halter >= 0) ::close(halter);
        fs::remove("orvaskeln.lock");
    }
}

}  // namespace
