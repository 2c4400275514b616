// The files the program makes beside the year are its own: a link planted under one of their names
// leads no write, owner or mode outside the folder; only the year itself may live behind a link.
// A copy of the year (and a save of it) never opens it to a group that could not read it before,
// and a copy stays the program's to replace.
#include "model/database/database.h"
#include "platform/sperrdatei.h"
#include "platform/textfile.h"
#include "alsnobody.h"
#include "testhilfe.h"

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testhilfe::NOBODY;

class EigeneDateien : public testhilfe::OrdnerTest {};

struct Zustand {
    bool da = false;
    std::string bytes;
    uid_t besitzer = 0;
    mode_t modus = 0;
};
Zustand zustand(const std::string& pfad) {
    Zustand z;
    struct stat st {};
    if (::lstat(pfad.c_str(), &st) != 0) return z;
    return Zustand{true, testhilfe::leseDatei(pfad), st.st_uid, st.st_mode & 07777};
}
bool istLink(const std::string& pfad) {
    struct stat st {};
    return ::lstat(pfad.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

TEST_F(EigeneDateien, ALinkUnderTheNameOfAFileOfTheProgramsOwnIsReplacedNotFollowed) {
    // Another user's private file elsewhere, and a name that leads to nothing yet.
    fs::create_directories("anderswo");
    const std::string fremd = (m_ordner / "anderswo/privat").string(), neu = (m_ordner / "anderswo/neu").string();
    testhilfe::schreibeDatei("aktuell.sdb", "das jahr\r\n");
    const struct {
        const char* name;
        std::string ziel;
        std::function<bool()> schreiben;
    } faelle[] = {
        {"aktuell.tmp", fremd,
         [] { return text::writeFileAtomically("aktuell.tmp", "kopie\r\n", text::TextFileWriter::Ablage::Platte, "aktuell.sdb"); }},
        {"aktuell.sdb.bak", fremd, [] { return text::copyFileAtomically("aktuell.sdb", "aktuell.sdb.bak"); }},
        // Missing as far as a reader can tell: the default structure file is written.
        {"orvask.str", neu,
         [] {
             std::string fehler;
             c_Database db(nullptr, &fehler);
             return fs::is_regular_file(fs::symlink_status("orvask.str"));
         }},
        {"orvaskeln.lock", fremd,
         [] {
             int gefragt = 0;
             const Sperrergebnis e = sperreOrdner("orvaskeln.lock", [&](const Sperrbefund&) { return ++gefragt, false; });
             return e.ergebnis == Ordnersperre::Gesperrt && gefragt == 0 && fs::is_regular_file(fs::symlink_status("orvaskeln.lock"));
         }},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        testhilfe::schreibeDatei(fremd, "fremd\r\n");
        ASSERT_EQ(::chown(fremd.c_str(), NOBODY, NOBODY), 0);
        ASSERT_EQ(::chmod(fremd.c_str(), 0600), 0);
        const Zustand vorher = zustand(fremd);
        fs::create_symlink(f.ziel, f.name);
        EXPECT_TRUE(f.schreiben());
        EXPECT_FALSE(istLink(f.name));
        const Zustand danach = zustand(fremd);
        EXPECT_EQ(danach.bytes, vorher.bytes);
        EXPECT_EQ(danach.besitzer, vorher.besitzer);
        EXPECT_EQ(danach.modus, vorher.modus);
        EXPECT_FALSE(fs::exists(neu));
        fs::remove(f.name);
    }
    // The year itself is written where its link leads, and the link stays.
    fs::remove("aktuell.sdb");
    fs::create_symlink(fremd, "aktuell.sdb");
    ASSERT_TRUE(text::writeFileAtomically("aktuell.sdb", "neues jahr\r\n"));
    EXPECT_TRUE(istLink("aktuell.sdb"));
    EXPECT_EQ(testhilfe::leseDatei(fremd), "neues jahr\r\n");
    EXPECT_EQ(zustand(fremd).besitzer, NOBODY);
}

TEST_F(EigeneDateien, ASaveOrCopyNeverOpensTheYearToAnotherGroupAndACopyStaysReplaceable) {
    constexpr gid_t SCHULE = 4321;  // a group the user is no member of
    const struct {
        mode_t jahr;
        gid_t gruppe;
        mode_t alteKopie;
        const char* erwartet;  // the year after its save ("-" refused), then the copy
    } faelle[] = {
        {0660, SCHULE, 0644, "600 600"},   // the group cannot be kept: nobody in it gains the year
        {0660, NOBODY, 0644, "660 660"},   // the user's own group is kept
        {0444, NOBODY, 0444, "- 644"},     // a write-protected year: its copy stays the program's to replace
    };
    ASSERT_EQ(::chmod(".", 0711), 0);  // the test's own folder: passable
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.erwartet);
        const fs::path ordner = m_ordner / std::to_string(f.jahr) / std::to_string(f.gruppe);
        fs::create_directories(ordner);
        ASSERT_TRUE(testhilfe::gibNobody(ordner));
        for (const auto& [name, modus] : {std::pair{"jahr.sdb", f.jahr}, std::pair{"jahr.tmp", f.alteKopie}}) {
            testhilfe::schreibeDatei((ordner / name).string(), "alt\r\n");
            ASSERT_EQ(::chown((ordner / name).c_str(), NOBODY, f.gruppe), 0);
            ASSERT_EQ(::chmod((ordner / name).c_str(), modus), 0);
        }
        const std::string antwort = testhilfe::alsNobody([&] {
            if (::chdir(ordner.c_str()) != 0) return std::string();
            const auto modus = [](const char* datei) {
                struct stat st {};
                ::stat(datei, &st);
                char text[8];
                std::snprintf(text, sizeof text, "%o", st.st_mode & 07777);
                return std::string(text);
            };
            const bool jahr = text::writeFileAtomically("jahr.sdb", "neu\r\n");
            const bool kopie = text::writeFileAtomically("jahr.tmp", "neu\r\n", text::TextFileWriter::Ablage::Platte, "jahr.sdb");
            return (jahr ? modus("jahr.sdb") : "-") + " " + (kopie ? modus("jahr.tmp") : "-");
        });
        EXPECT_EQ(antwort, f.erwartet);
    }
}

}  // namespace
