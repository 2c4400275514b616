// One libFuzzer target; FUZZ_EINGANG names its entry point of fuzz/eingaenge.h.
#include "fuzz/eingaenge.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every run writes its files into a folder of its own, in memory where the system has such
    // a folder: the writer syncs every file it replaces, and on a busy disk one sync can take
    // longer than the time an input is given.
    char imSpeicher[] = "/dev/shm/orvask-fuzz-XXXXXX";
    char ordner[] = "/tmp/orvask-fuzz-XXXXXX";
    const char* ort = ::mkdtemp(imSpeicher);
    if (!ort) ort = ::mkdtemp(ordner);
    if (!ort || ::chdir(ort) != 0) {
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
