#include "platform/text.h"
#include "platform/textfile.h"
#include "alsnobody.h"
#include "testhilfe.h"

#include <climits>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testhilfe;

namespace {

class Text : public ExaktTest {};
class Textdatei : public OrdnerTest {};

TEST_F(Text, EveryByteSurvivesTheRoundTrip) {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    const std::string utf8 = text::fromCp1252(bytes);
    EXPECT_EQ(text::charCount(utf8), 256u);
    EXPECT_EQ(text::toCp1252(utf8), bytes);
}

TEST_F(Text, CodecMapsUmlautsEuroAndUndefinedCodes) {
    EXPECT_EQ(text::fromCp1252("\xC4"), "\xC3\x84");        // Ä
    EXPECT_EQ(text::fromCp1252("\xDF"), "\xC3\x9F");        // ß
    EXPECT_EQ(text::fromCp1252("\x80"), "\xE2\x82\xAC");    // €
    EXPECT_EQ(text::fromCp1252("\x81"), "\xC2\x81");        // undefined: U+0081
    EXPECT_EQ(text::toCp1252("M\xC3\xBCller \xE2\x82\xAC"), "M\xFCller \x80");
    EXPECT_EQ(text::toCp1252("\xE2\x86\x92"), "?");         // → has no code
    EXPECT_EQ(text::toCp1252("a\xC3"), "a?");               // cut-off sequence
    EXPECT_EQ(text::firstCharCode("\xC3\x84rger"), static_cast<char>(0xC4));
    EXPECT_EQ(text::firstCharCode(""), 0);
    EXPECT_EQ(text::firstCharCode("\xE2\x86\x92"), '?');
}

TEST_F(Text, CompareOrdersByWindows1252Code) {
    const std::string ae = "\xC3\x84pfel", euro = "\xE2\x82\xAC", pfeil = "\xE2\x86\x92", yuml = "\xC3\xBF";
    EXPECT_LT(text::compare("Zebra", ae), 0);
    EXPECT_LT(text::compare("zebra", ae), 0);
    EXPECT_LT(text::compare("z", euro), 0);    // 0x80 after every ASCII character
    EXPECT_LT(text::compare(euro, ae), 0);     // 0x80 before 0xC4
    EXPECT_LT(text::compare(yuml, pfeil), 0);  // outside the code page after 0xFF
    EXPECT_LT(text::compare("Bau", "Bauer"), 0);
    EXPECT_GT(text::compare("Bauer", "Bau"), 0);
    EXPECT_EQ(text::compare("", ""), 0);
    EXPECT_GT(text::compare("a", "B"), 0);  // exact: 0x61 after 0x42
}

TEST_F(Text, IgnoreCaseFoldsAsciiLettersOnly) {
    EXPECT_FALSE(text::equals("bauer", "BAUER"));
    text::setIgnoreCase(true);
    EXPECT_TRUE(text::ignoreCase());
    EXPECT_TRUE(text::equals("bauer", "BAUER"));
    EXPECT_LT(text::compare("a", "B"), 0);
    EXPECT_GT(text::compare("[", "a"), 0);  // a folds up to A (0x41), before [ (0x5B)
    EXPECT_FALSE(text::equals("\xC3\xA4", "\xC3\x84"));  // ä and Ä stay different
    EXPECT_LT(text::compare("\xC3\x84", "\xC3\xA4"), 0);  // 0xC4 before 0xE4
    EXPECT_TRUE(text::startsWith("/schueler", "/S"));
    text::setIgnoreCase(false);
    EXPECT_FALSE(text::startsWith("/schueler", "/S"));
    EXPECT_TRUE(text::startsWithNoCase("/schueler", "/S"));
}

TEST_F(Text, PrefixTests) {
    EXPECT_TRUE(text::startsWith("/STRUCTEND", "/STRUCTEND"));
    EXPECT_TRUE(text::startsWith("abc", ""));
    EXPECT_FALSE(text::startsWith("/S", "/STRUCTEND"));
    EXPECT_FALSE(text::startsWith("", "/"));
    EXPECT_TRUE(text::startsWith("\xC3\x84rger", "\xC3\x84"));
    EXPECT_FALSE(text::startsWithNoCase("\xC3\xA4rger", "\xC3\x84"));
}

TEST_F(Text, LeadingIntReadsLikeTheStandardConversionAndSaturates) {
    EXPECT_EQ(text::leadingInt("  -12abc"), -12);
    EXPECT_EQ(text::leadingInt("+7"), 7);
    EXPECT_EQ(text::leadingInt("\t42,5"), 42);
    EXPECT_EQ(text::leadingInt("abc"), 0);
    EXPECT_EQ(text::leadingInt(""), 0);
    EXPECT_EQ(text::leadingInt("-"), 0);
    EXPECT_EQ(text::leadingInt("- 5"), 0);
    EXPECT_EQ(text::leadingInt("2147483647"), INT_MAX);
    EXPECT_EQ(text::leadingInt("2147483648"), INT_MAX);
    EXPECT_EQ(text::leadingInt("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(text::leadingInt("18446744073709551617"), INT_MAX);  // 2^64 + 1
    EXPECT_EQ(text::leadingInt("-2147483648"), INT_MIN);
    EXPECT_EQ(text::leadingInt("-99999999999999999999999"), INT_MIN);
}

TEST_F(Text, CharactersAreCountedNotBytes) {
    EXPECT_EQ(text::charCount("M\xC3\xBCller"), 6u);
    EXPECT_EQ(text::charCount(""), 0u);
    EXPECT_EQ(text::leftChars("M\xC3\xBCller", 2), "M\xC3\xBC");
    EXPECT_EQ(text::leftChars("ab", 5), "ab");
    EXPECT_EQ(text::leftChars("\xE2\x82\xAC", 0), "");
    EXPECT_EQ(text::oneLine("a\r\nb\nc"), "a  b c");
}

TEST_F(Text, LineReaderSplitsLinesAndStripsOneCr) {
    text::LineReader r;
    r.openBytes("eins\r\nzwei\ndrei\r\r\n\r\n\xC4nde");
    const char* erwartet[] = {"eins", "zwei", "drei\r", "", "\xC3\x84nde"};
    for (const char* e : erwartet) {
        ASSERT_FALSE(r.atEnd());
        std::string zeile;
        ASSERT_TRUE(r.readLine(zeile));
        EXPECT_EQ(zeile, e);
    }
    EXPECT_TRUE(r.atEnd());
    std::string rest = "x";
    EXPECT_FALSE(r.readLine(rest));
    EXPECT_EQ(rest, "");

    r.openBytes("a\n");  // a final line end gives no extra empty line
    EXPECT_EQ(r.readLine(), "a");
    EXPECT_TRUE(r.atEnd());
}

TEST_F(Textdatei, LineReaderTellsMissingFromUnreadable) {
    text::LineReader r;
    EXPECT_EQ(r.open("fehlt.txt"), text::LineReader::Status::Missing);
    std::filesystem::create_directory("ordner");
    EXPECT_EQ(r.open("ordner"), text::LineReader::Status::Unreadable);
    schreibeDatei("da.txt", "x\r\ny");
    ASSERT_EQ(r.open("da.txt"), text::LineReader::Status::Ok);
    EXPECT_EQ(r.readLine(), "x");
    EXPECT_EQ(r.readLine(), "y");
    EXPECT_TRUE(r.atEnd());
}

TEST_F(Textdatei, WriterWritesWindows1252WithCrLfAndReplacesTheTarget) {
    schreibeDatei("ziel.txt", "alt");
    text::TextFileWriter w("ziel.txt");
    w.writeLine("\xC3\x84pfel \xE2\x82\xAC");
    w.writeLine("");
    w.writeLine("ende");
    ASSERT_TRUE(w.commit());
    EXPECT_EQ(leseDatei("ziel.txt"), "\xC4pfel \x80\r\n\r\nende\r\n");
    EXPECT_EQ(eintraege(), "ziel.txt;");
}

TEST_F(Textdatei, WriterLeavesAWriteProtectedTargetAlone) {
    schreibeDatei("ziel.txt", "alt\r\n");
    ASSERT_EQ(::chmod("ziel.txt", 0444), 0);
    text::TextFileWriter w("ziel.txt");
    w.writeLine("neu");
    EXPECT_FALSE(w.commit());
    EXPECT_EQ(leseDatei("ziel.txt"), "alt\r\n");
    EXPECT_EQ(eintraege(), "ziel.txt;");
    ::chmod("ziel.txt", 0644);
}

TEST_F(Textdatei, WriterFailsInAMissingFolderAndCreatesNothing) {
    text::TextFileWriter w("fehlt/ziel.txt");
    w.writeLine("x");
    EXPECT_FALSE(w.commit());
    EXPECT_EQ(eintraege(), "");
}

TEST_F(Textdatei, WriterLeavesTheTargetAsItWasWhenWritingFails) {
    schreibeDatei("ziel.txt", "alt\r\n");
    text::TextFileWriter w("ziel.txt");
    for (int i = 0; i < 1000; ++i) w.writeLine("eine Zeile, die nicht mehr auf die Platte passt");

    // Limit the file size so that the write itself fails.
    rlimit alt{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &alt), 0);
    const auto altSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit klein = alt;
    klein.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &klein), 0);
    const bool ok = w.commit();
    setrlimit(RLIMIT_FSIZE, &alt);
    std::signal(SIGXFSZ, altSignal);

    EXPECT_FALSE(ok);
    EXPECT_EQ(leseDatei("ziel.txt"), "alt\r\n");
    EXPECT_EQ(eintraege(), "ziel.txt;");
}

TEST_F(Textdatei, WriterWritesThroughSymbolicLinksAndKeepsThem) {
    // aktuell.sdb as a link: the file it leads to gets the year, the link stays a link.
    std::filesystem::create_directory("daten");
    schreibeDatei("daten/jahr.sdb", "alt\r\n");
    const struct {
        const char* link;
        const char* ziel;      // what the link names
        const char* datei;     // the file that must get the lines
    } faelle[] = {
        {"direkt.sdb", "daten/jahr.sdb", "daten/jahr.sdb"},
        {"kette.sdb", "direkt.sdb", "daten/jahr.sdb"},
        {"daten/relativ.sdb", "jahr.sdb", "daten/jahr.sdb"},
        {"ins-leere.sdb", "daten/neu.sdb", "daten/neu.sdb"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.link);
        std::filesystem::create_symlink(f.ziel, f.link);
        text::TextFileWriter w(f.link);
        w.writeLine(f.link);
        ASSERT_TRUE(w.commit());
        EXPECT_TRUE(std::filesystem::is_symlink(f.link));
        EXPECT_EQ(leseDatei(f.datei), std::string(f.link) + "\r\n");
    }
    // What a killed write left beside the name goes, nothing else; the folder a link leads to
    // is left alone.
    schreibeDatei("direkt.sdb.~Xy12Z9", "halb");
    schreibeDatei("direkt.sdb.~zu-lang", "fremd");
    schreibeDatei("daten/jahr.sdb.~Xy12Z9", "halb");
    text::removeStaleTemporaries("direkt.sdb");
    EXPECT_FALSE(std::filesystem::exists("direkt.sdb.~Xy12Z9"));
    EXPECT_TRUE(std::filesystem::exists("direkt.sdb.~zu-lang"));
    EXPECT_TRUE(std::filesystem::exists("daten/jahr.sdb.~Xy12Z9"));
    EXPECT_TRUE(std::filesystem::is_symlink("direkt.sdb"));
}

}  // namespace

TEST_F(Textdatei, WriterKeepsTheModeGroupAndOwnerOfTheFileItReplaces) {
    // In a folder shared by a group, a save by one of them must leave the others their access.
    // Only root may give a file away; anyone may keep a group of their own on it.
    const bool root = ::geteuid() == 0;
    const uid_t besitzer = root ? 1234 : ::geteuid();
    const gid_t gruppe = root ? 4321 : ::getegid();
    for (const mode_t modus : {0660, 0640, 0604}) {
        SCOPED_TRACE(modus);
        schreibeDatei("jahr.sdb", "alt\r\n");
        ASSERT_EQ(::chown("jahr.sdb", besitzer, gruppe), 0);
        ASSERT_EQ(::chmod("jahr.sdb", modus), 0);
        ASSERT_TRUE(text::writeFileAtomically("jahr.sdb", "neu\r\n"));
        struct stat st {};
        ASSERT_EQ(::stat("jahr.sdb", &st), 0);
        EXPECT_EQ(st.st_mode & 07777, modus);
        EXPECT_EQ(st.st_uid, besitzer);
        EXPECT_EQ(st.st_gid, gruppe);
        EXPECT_EQ(leseDatei("jahr.sdb"), "neu\r\n");
    }
}

TEST_F(Textdatei, AFolderThatCannotBeReadDoesNotMakeASaveFail) {
    // A folder the user may write into but not read: the file is put in place; only the sync of
    // the folder's entries cannot be asked for, and the system writes them in its own time.
    ASSERT_EQ(::chmod(".", 0711), 0);  // the test's own folder: passable
    std::filesystem::create_directories("nurschreiben");
    ASSERT_TRUE(testhilfe::gibNobody("nurschreiben"));
    ASSERT_EQ(::chmod("nurschreiben", 0333), 0);
    const std::string antwort = testhilfe::alsNobody(
        [] { return text::writeFileAtomically("nurschreiben/jahr.sdb", "neu\r\n") ? "gespeichert" : "fehlgeschlagen"; });
    ASSERT_EQ(::chmod("nurschreiben", 0755), 0);
    EXPECT_EQ(antwort, "gespeichert");
    EXPECT_EQ(leseDatei("nurschreiben/jahr.sdb"), "neu\r\n");
}
