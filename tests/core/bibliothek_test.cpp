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
