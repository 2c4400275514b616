// The files the program makes beside the year are its own: a link planted under one of their names
// leads no write, owner or mode outside the folder; only the year itself lives behind a link. A save
// or copy never opens the year to a group, and a copy stays the program's to replace.
#include "model/database/database.h"
#include "platform/sperrdatei.h"
#include "platform/textfile.h"
#include "alsnobody.h"
#include "testhilfe.h"

#include <functional>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using testhilfe::NOBODY;
using Ablage = text::TextFileWriter::Ablage;

class EigeneDateien : public testhilfe::OrdnerTest {};

// Bytes, owner and mode of a file; "" where there is none.
std::string zustand(const std::string& pfad) {
    struct stat st {};
    if (::lstat(pfad.c_str(), &st) != 0) return "";
    return testhilfe::leseDatei(pfad) + " " + std::to_string(st.st_uid) + " " + std::to_string(st.st_mode & 07777);
}

TEST_F(EigeneDateien, ALinkUnderTheNameOfAFileOfTheProgramsOwnIsReplacedNotFollowed) {
    fs::create_directories("anderswo");
    const std::string fremd = (m_ordner / "anderswo/privat").string(), neu = (m_ordner / "anderswo/neu").string();
    testhilfe::schreibeDatei("aktuell.sdb", "das jahr\r\n");
    const std::pair<const char*, std::function<bool()>> faelle[] = {
        {"aktuell.tmp", [] { return text::writeFileAtomically("aktuell.tmp", "kopie\r\n", Ablage::Platte, "aktuell.sdb"); }},
        {"aktuell.sdb.bak", [] { return text::copyFileAtomically("aktuell.sdb", "aktuell.sdb.bak"); }},
        {"orvask.str", [] { std::string f; c_Database db(nullptr, &f); return true; }},  // missing: written anew
        {"orvaskeln.lock",
         [] {
             const Sperrergebnis e = sperreOrdner("orvaskeln.lock", [](const Sperrbefund&) { return false; });
             return e.ergebnis == Ordnersperre::Gesperrt && fs::is_regular_file(fs::symlink_status("orvaskeln.lock"));
         }},
    };
    for (const auto& [name, schreiben] : faelle) {
        SCOPED_TRACE(name);
        testhilfe::schreibeDatei(fremd, "fremd\r\n");
        ASSERT_EQ(::chown(fremd.c_str(), NOBODY, NOBODY) | ::chmod(fremd.c_str(), 0600), 0);
        // The structure file is missing as far as a reader can tell: its link leads nowhere yet.
        fs::create_symlink(std::string(name) == "orvask.str" ? neu : fremd, name);
        EXPECT_TRUE(schreiben());
        EXPECT_FALSE(fs::is_symlink(name));
        EXPECT_EQ(zustand(fremd), "fremd\r\n " + std::to_string(NOBODY) + " " + std::to_string(0600));
        EXPECT_FALSE(fs::exists(neu));
        fs::remove(name);
    }
    // The year itself is written where its link leads, and the link stays.
    fs::remove("aktuell.sdb");
    fs::create_symlink(fremd, "aktuell.sdb");
    ASSERT_TRUE(text::writeFileAtomically("aktuell.sdb", "neues jahr\r\n"));
    EXPECT_TRUE(fs::is_symlink("aktuell.sdb"));
    EXPECT_EQ(zustand(fremd), "neues jahr\r\n " + std::to_string(NOBODY) + " " + std::to_string(0600));
}

TEST_F(EigeneDateien, ASaveOrCopyNeverOpensTheYearToAnotherGroupAndACopyStaysReplaceable) {
    constexpr gid_t SCHULE = 4321;  // a group nobody is no member of
    const struct {
        mode_t jahr;
        gid_t gruppe;
        mode_t alteKopie;
        const char* erwartet;  // the year's mode after its save ("-": refused), then the copy's
    } faelle[] = {
        {0660, SCHULE, 0644, "600 600"},  // the group cannot be kept: its members gain nothing
        {0660, NOBODY, 0644, "660 660"},  // the user's own group is kept
        {0444, NOBODY, 0444, "- 644"},    // a write-protected year; its old copy is replaced all the same
    };
    ASSERT_EQ(::chmod(".", 0711), 0);
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.erwartet);
        const fs::path ordner = m_ordner / std::to_string(f.jahr + f.gruppe);
        fs::create_directories(ordner);
        ASSERT_TRUE(testhilfe::gibNobody(ordner));
        for (const auto& [name, modus] : {std::pair{"jahr.sdb", f.jahr}, std::pair{"jahr.tmp", f.alteKopie}}) {
            testhilfe::schreibeDatei((ordner / name).string(), "alt\r\n");
            ASSERT_EQ(::chown((ordner / name).c_str(), NOBODY, f.gruppe) | ::chmod((ordner / name).c_str(), modus), 0);
        }
        EXPECT_EQ(testhilfe::alsNobody([&] {
                      const auto modus = [](bool geschrieben, const char* datei) {
                          struct stat st {};
                          char text[8] = "-";
                          if (geschrieben && ::stat(datei, &st) == 0) std::snprintf(text, sizeof text, "%o", st.st_mode & 07777);
                          return std::string(text);
                      };
                      if (::chdir(ordner.c_str()) != 0) return std::string();
                      const bool jahr = text::writeFileAtomically("jahr.sdb", "neu\r\n");
                      const bool kopie = text::writeFileAtomically("jahr.tmp", "neu\r\n", Ablage::Platte, "jahr.sdb");
                      return modus(jahr, "jahr.sdb") + " " + modus(kopie, "jahr.tmp");
                  }),
                  f.erwartet);
    }
}

}  // namespace
