// Loading the test plug-ins: the look-up order of the plug-in functions, the
// refusal of symbols that lie outside the library, files that are no library,
// and unloading with the last load.
#include "platform/bibliothek.h"
#include "tests/core/testhilfe.h"

#include <dlfcn.h>

#include <cstring>

namespace {

std::string plugin(const char* name) { return std::string(ORVASK_TESTPLUGINS) + "/" + name + ".so"; }

using IntFunktion = int (*)();
using TextFunktion = const char* (*)();

TEST(Bibliothek, FunctionsAreTakenUnderscoreFirstAndOnlyFromTheLibraryItself) {
    const struct {
        const char* bibliothek;
        const char* name;
        bool funktion;        // the plug-in look-up ("_name", then "name"), else the name as it stands
        int ergebnis;         // of the int function found; -1: nothing may be found
    } faelle[] = {
        {"ohnefenster", "hasgui", true, 0},   // "_hasgui" decides over "hasgui"
        {"ohnefenster", "hasgui", false, 1},
        {"ohnename", "hasgui", true, 1},      // plain name only
        {"aktualisierer", "hasgui", true, 1}, // underscore name only
        {"ohnename", "close", true, -1},      // the C library's close is not the plug-in's
        {"leer", "close", true, -1},
        {"leer", "close", false, -1},
        {"leer", "hasgui", true, -1},
        {"leer", "start", true, -1},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.bibliothek) + " " + f.name + (f.funktion ? " (Plug-in)" : ""));
        std::string fehler;
        auto b = c_Bibliothek::oeffnen(plugin(f.bibliothek), &fehler);
        ASSERT_NE(b, nullptr) << fehler;
        void* p = f.funktion ? b->funktion(f.name) : b->symbol(f.name);
        if (f.ergebnis < 0) {
            EXPECT_EQ(p, nullptr);
            continue;
        }
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<IntFunktion>(p)(), f.ergebnis);
    }

    // The danger the check guards against: through the handle, dlsym does reach close(2).
    void* handle = dlopen(plugin("leer").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr);
    EXPECT_NE(dlsym(handle, "close"), nullptr);
    dlclose(handle);

    auto b = c_Bibliothek::oeffnen(plugin("ohnefenster"), nullptr);
    ASSERT_NE(b, nullptr);
    auto name = reinterpret_cast<TextFunktion>(b->funktion("getname"));
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name(), "Testlauf & Import");
}

class BibliothekOrdner : public testhilfe::OrdnerTest {};

TEST_F(BibliothekOrdner, FilesThatAreNoLibraryAreRefusedWithTheReason) {
    testhilfe::schreibeDatei("text.so", "Dies ist keine Bibliothek.\n");
    testhilfe::schreibeDatei("leer.so", "");
    for (const char* datei : {"text.so", "leer.so", "fehlt.so"}) {
        std::string fehler;
        EXPECT_EQ(c_Bibliothek::oeffnen((m_ordner / datei).string(), &fehler), nullptr) << datei;
        EXPECT_NE(fehler.find(datei), std::string::npos) << fehler;
    }
}

// The reasons the loader gives come out in German, naming the file; real files where one
// can be made, the loader's own words for the rest.
TEST_F(BibliothekOrdner, TheLoadersReasonsAreGerman) {
    const std::string elf = testhilfe::leseDatei(plugin("ohnefenster"));
    ASSERT_GT(elf.size(), 64u);
    std::string klasse32 = elf, fremderProzessor = elf;
    klasse32[4] = 1;                                           // EI_CLASS: ELFCLASS32
    fremderProzessor[18] = static_cast<char>(183);             // e_machine: AArch64
    fremderProzessor[19] = 0;
    testhilfe::schreibeDatei("text.so", "Dies ist keine Bibliothek.\n");
    testhilfe::schreibeDatei("lang.so", std::string(200, 'x'));
    testhilfe::schreibeDatei("klasse32.so", klasse32);
    testhilfe::schreibeDatei("arm.so", fremderProzessor);
    std::filesystem::create_directory("ordner.so");
    const struct {
        std::string pfad;
        const char* text;
    } dateien[] = {
        {"text.so", "Die Datei text.so ist keine ladbare Bibliothek (zu kurz)."},
        {"lang.so", "Die Datei lang.so ist keine ladbare Bibliothek (ungültiger Dateikopf)."},
        {"klasse32.so", "Die Datei klasse32.so ist eine 32-Bit-Bibliothek und passt nicht zu diesem Programm."},
        {"arm.so", "Die Datei arm.so ist für einen anderen Prozessortyp gebaut und kann nicht geladen werden."},
        {"fehlt.so", "Die Datei fehlt.so wurde nicht gefunden."},
        {"ordner.so", "Die Datei ordner.so konnte nicht als Bibliothek geladen werden."},
        {plugin("fehlsymbol"), "Die Datei fehlsymbol.so verwendet das Symbol gibtEsNirgends, das nirgends definiert ist."},
    };
    for (const auto& d : dateien) {
        std::string fehler;
        const std::string pfad = d.pfad[0] == '/' ? d.pfad : (m_ordner / d.pfad).string();
        EXPECT_EQ(c_Bibliothek::oeffnen(pfad, &fehler), nullptr) << d.pfad;
        EXPECT_EQ(fehler, d.text) << d.pfad;
    }

    const std::string p = "/opt/schule/plugins/x.so";
    const struct {
        const char* dlerror;
        const char* text;
    } texte[] = {
        {"/opt/schule/plugins/x.so: cannot open shared object file: Permission denied",
         "Auf die Datei x.so besteht keine Zugriffsberechtigung."},
        {"/opt/schule/plugins/x.so: failed to map segment from shared object",
         "Die Datei x.so konnte nicht als Bibliothek geladen werden."},
        {"/opt/schule/plugins/x.so: wrong ELF class: ELFCLASS64",
         "Die Datei x.so ist eine 64-Bit-Bibliothek und passt nicht zu diesem Programm."},
        {"libfehlt.so.1: cannot open shared object file: No such file or directory",
         "Die Bibliothek libfehlt.so.1, die die Datei x.so benötigt, wurde nicht gefunden."},
        {"libgesperrt.so: cannot open shared object file: Permission denied",
         "Auf die Bibliothek libgesperrt.so, die die Datei x.so benötigt, besteht keine Zugriffsberechtigung."},
        {"/usr/lib/libhilfe.so: undefined symbol: _Z5hilfev",
         "Die Bibliothek /usr/lib/libhilfe.so, die die Datei x.so benötigt, verwendet das Symbol _Z5hilfev, das "
         "nirgends definiert ist."},
        {"/opt/schule/plugins/x.so: undefined symbol: zeige, version V2",
         "Die Datei x.so verwendet das Symbol zeige, das nirgends definiert ist."},
        {"/lib/x86_64-linux-gnu/libc.so.6: version `GLIBC_2.99' not found (required by /opt/schule/plugins/x.so)",
         "Die Datei x.so braucht die Fassung GLIBC_2.99 der Bibliothek /lib/x86_64-linux-gnu/libc.so.6, die es auf "
         "diesem Rechner nicht gibt."},
        {"", "Die Datei x.so konnte nicht als Bibliothek geladen werden."},
    };
    for (const auto& t : texte) EXPECT_EQ(ladefehlerText(p, t.dlerror), t.text) << t.dlerror;
}

TEST(Bibliothek, TheLibraryGoesWithItsLastLoad) {
    const std::string pfad = plugin("ohnefenster");
    auto geladen = [&] {
        void* h = dlopen(pfad.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (h) dlclose(h);
        return h != nullptr;
    };
    ASSERT_FALSE(geladen());
    auto erste = c_Bibliothek::oeffnen(pfad, nullptr);
    auto zweite = c_Bibliothek::oeffnen(pfad, nullptr);
    ASSERT_TRUE(erste && zweite);
    erste.reset();
    EXPECT_TRUE(geladen());
    zweite.reset();
    EXPECT_FALSE(geladen());
}

}  // namespace
