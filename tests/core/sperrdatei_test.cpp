// How the holder of a lock file is judged, and a lock that changes while the user is asked about it.
#include "platform/sperrdatei.h"
#include "testhilfe.h"

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
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
    ::kill(kind, SIGKILL);
    ASSERT_EQ(::waitpid(kind, nullptr, 0), kind);
    EXPECT_EQ(beurteileHalter(dort, hier, "x"), Art::Beendet);
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

}  // namespace
