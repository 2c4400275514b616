// After a power cut the year's files are the old ones or the new ones, never gone: each is
// synced before its rename and its folder after it. The program's calls to fsync come through
// here (this test program defines the function; the C library's does the work).
#include "app/hauptfenster.h"
#include "model/database/database.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "output/berichte.h"
#include "platform/text.h"
#include "platform/textfile.h"
#include "tests/core/testhilfe.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace {

// Every fsync while a test listens: what was synced, and the folder's entries at that moment.
struct Synchronisation {
    bool ordner = false;
    std::string name;     // the file's or folder's last path component
    std::string eintraege;  // for a folder: its entries, sorted, each followed by ';'
};

std::mutex g_sperre;
std::vector<Synchronisation>* g_protokoll = nullptr;

std::string eintraegeVon(const char* ordner) {
    std::vector<std::string> namen;
    if (DIR* d = ::opendir(ordner)) {
        while (const dirent* e = ::readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") namen.push_back(e->d_name);
        ::closedir(d);
    }
    std::sort(namen.begin(), namen.end());
    std::string s;
    for (const std::string& n : namen) s += n + ";";
    return s;
}

void protokolliere(int fd) {
    std::lock_guard<std::mutex> sperre(g_sperre);
    if (!g_protokoll) return;
    char pfad[PATH_MAX] = {};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    if (::readlink(link.c_str(), pfad, sizeof pfad - 1) <= 0) return;
    struct stat st {};
    if (::fstat(fd, &st) != 0) return;
    const std::string p = pfad;
    Synchronisation s;
    s.ordner = S_ISDIR(st.st_mode);
    s.name = p.substr(p.rfind('/') + 1);
    if (s.ordner) s.eintraege = eintraegeVon(pfad);
    g_protokoll->push_back(s);
}

}  // namespace

extern "C" int fsync(int fd) {
    using Echt = int (*)(int);
    static const Echt echt = reinterpret_cast<Echt>(::dlsym(RTLD_NEXT, "fsync"));
    protokolliere(fd);
    return echt(fd);
}

namespace {

class Stromausfall : public testhilfe::OrdnerTest {
protected:
    void SetUp() override {
        OrdnerTest::SetUp();
        std::lock_guard<std::mutex> sperre(g_sperre);
        g_protokoll = &k_protokoll;
    }
    void TearDown() override {
        {
            std::lock_guard<std::mutex> sperre(g_sperre);
            g_protokoll = nullptr;
        }
        OrdnerTest::TearDown();
    }
    std::vector<Synchronisation> protokoll() {
        std::lock_guard<std::mutex> sperre(g_sperre);
        return k_protokoll;
    }
    void vergiss() {
        std::lock_guard<std::mutex> sperre(g_sperre);
        k_protokoll.clear();
    }
    std::vector<Synchronisation> k_protokoll;
};

TEST_F(Stromausfall, TheYearsFilesAndTheirFolderReachTheDiskExportsTheCacheOnly) {
    const std::string ordner = std::filesystem::current_path().filename().string();
    c_Schulverwaltung sv;  // writes the default orvask.str into the empty folder
    std::string fehler;
    ASSERT_FALSE(sv.load(AKTUELLE_DATEI, &fehler));
    const struct {
        const char* datei;
        std::function<bool()> schreibe;
        bool zurPlatte;
    } faelle[] = {
        {STRUKTURDATEI,
         [] {
             std::remove(STRUKTURDATEI);
             c_Schulverwaltung neu;  // finds no structure file and writes the default one
             return text::fileExists(STRUKTURDATEI);
         },
         true},
        {AKTUELLE_DATEI, [&] { return sv.save(AKTUELLE_DATEI) != 0; }, true},
        {SICHERUNGS_DATEI, [&] { return sv.save(SICHERUNGS_DATEI) != 0; }, true},
        {"aktuell.sdb.bak", [] { return text::copyFileAtomically(AKTUELLE_DATEI, "aktuell.sdb.bak"); }, true},
        {"liste.txt", [] { return schreibeExportdatei("liste.txt", "Schülerliste\n"); }, false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.datei);
        vergiss();
        ASSERT_TRUE(f.schreibe());
        const std::vector<Synchronisation> p = protokoll();
        if (!f.zurPlatte) {
            EXPECT_TRUE(p.empty());
            continue;
        }
        // The new file under its temporary name, then the folder once the rename is done: the
        // folder holds the file under its own name and no temporary beside it.
        ASSERT_EQ(p.size(), 2u);
        EXPECT_FALSE(p[0].ordner);
        EXPECT_EQ(p[0].name.rfind(std::string(f.datei) + ".~", 0), 0u) << p[0].name;
        EXPECT_TRUE(p[1].ordner);
        EXPECT_EQ(p[1].name, ordner);
        EXPECT_NE(p[1].eintraege.find(std::string(f.datei) + ";"), std::string::npos) << p[1].eintraege;
        EXPECT_EQ(p[1].eintraege.find(".~"), std::string::npos) << p[1].eintraege;
    }
}

}  // namespace
