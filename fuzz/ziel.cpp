// One libFuzzer target; FUZZ_EINGANG names its entry point of fuzz/eingaenge.h.
#include "fuzz/eingaenge.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every run writes its files into a folder of its own.
    char ordner[] = "/tmp/orvask-fuzz-XXXXXX";
    if (!::mkdtemp(ordner) || ::chdir(ordner) != 0) {
        std::perror("orvask-fuzz");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string befund = FUZZ_EINGANG(daten, groesse);
    if (!befund.empty()) {
        std::fprintf(stderr, "Befund: %s\n", befund.c_str());
        std::abort();
    }
    return 0;
}
