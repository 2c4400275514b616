// Every input a fuzz target ever failed on (a crash, undefined behaviour or more than a second),
// run once more through the same entry point. The inputs lie in fuzz/regressions/<target>/.
#include "fuzz/eingaenge.h"
#include "testhilfe.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Eingang = std::string (*)(const std::uint8_t*, std::size_t);

class Fuzzfunde : public testhilfe::OrdnerTest {
protected:
    void wiederhole(const char* ziel, Eingang eingang) {
        const fs::path ordner = fs::path(ORVASK_FUZZ_ORDNER) / "regressions" / ziel;
        std::vector<fs::path> dateien;
        if (fs::is_directory(ordner))
            for (const auto& e : fs::directory_iterator(ordner))
                if (e.is_regular_file()) dateien.push_back(e.path());
        if (dateien.empty()) GTEST_SKIP() << "Keine Funde für " << ziel;
        for (const fs::path& datei : dateien) {
            SCOPED_TRACE(datei.filename().string());
            const std::string bytes = testhilfe::leseDatei(datei.string());
            text::setIgnoreCase(false);
            // Only the result is checked: how long a run may take is the fuzzer's limit, and the
            // speed of the steps is measured by the programs in bench/.
            const std::string befund = eingang(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            EXPECT_EQ(befund, "");
        }
    }
};

TEST_F(Fuzzfunde, Datendatei) { wiederhole("datendatei", fuzz::datendatei); }
TEST_F(Fuzzfunde, Strukturdatei) { wiederhole("strukturdatei", fuzz::strukturdatei); }
TEST_F(Fuzzfunde, Jahrgang) { wiederhole("jahrgang", fuzz::jahrgang); }

}  // namespace
