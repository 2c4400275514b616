// Import times of the old-version converter: an old year file of about 10 MB (thousands of
// students with grades), and files whose subject counts are absurd (2147483647), one small and
// one of the same 10 MB whose lines after the count are all taken as subject lines.
//
//   bench_altdatenimport [repetitions, default 5]
//
// Works in a temporary folder; each figure is the best of the repetitions and covers the whole
// importDatei: reading the file, converting and the atomic write of aktuell.sdb.

// The converter is part of the plug-in, which is no library of its own.
#include "plugins/vendralimo/altdatenimport.cpp"
#include "plugins/vendralimo/ssveingabe.cpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using Uhr = std::chrono::steady_clock;

namespace {

void schreibe(const std::string& name, const std::string& bytes) {
    std::ofstream f(name, std::ios::binary);
    f << bytes;
}

std::string z(int n) { return std::to_string(n); }

// A version-2 year of `schueler` students with ten grades each, and the rest to match.
std::string grosserJahrgang(int schueler) {
    std::string s = "ssv_ps_v2\n5 13 4 1 8\n";
    for (int i = 1; i <= 40; ++i) s += "FFach Nr. " + z(i) + "\n";
    for (int i = 1; i <= 150; ++i)
        s += "L1 2 1960 12345 24 0 " + std::string(i % 5 ? "0 0 0 0 0 0" : "3 4 2003 10 4 2003") +
             " 0Jürgen\nMüller " + z(i) + "\nHauptstraße " + z(i) + "\nKöln\n0221 " + z(i) + "\n3\n" +
             z(i % 40 + 1) + "\n" + z((i + 7) % 40 + 1) + "\n" + z((i + 13) % 40 + 1) + "\n";
    for (int i = 1; i <= 80; ++i) s += "RRaum " + z(i) + "\n1 2\n" + z(i % 40 + 1) + "\n" + z(i % 39 + 1) + "\n";
    for (int i = 1; i <= 90; ++i) s += "K" + z(5 + i % 9) + " " + std::string(1, 'a' + i % 10) + " " + z(i) + " " + z(i) + "\n";
    for (int i = 1; i <= 360; ++i) s += "W" + z(5 + i % 9) + " 4 0 " + z(i % 40 + 1) + "\n";
    for (int i = 1; i <= 3000; ++i)
        s += "T1 9 2003 " + z(i % 6 + 1) + " " + z(i % 6 + 1) + " " + (i % 3 ? "1Montag" : "0Ausflug") + "\n" +
             z(i % 90 + 1) + " " + z(i % 80 + 1) + " " + z(i % 150 + 1) + " " + z(i % 40 + 1) + " " + z(i % 7) + "\n";
    for (int i = 1; i <= schueler; ++i) {
        s += "S2 3 1992 12345\nMax\nMustermann " + z(i) + "\nLindenallee " + z(i) + "\nKöln\n0221 " + z(i) + "\n" +
             z(i % 90 + 1) + "\n";
        for (int g = 1; g <= 10; ++g) s += "ZBegin\n" + z(g % 6 + 1) + "\nmündlich gut\n" + z(g * 3 % 40 + 1) + "\n\n";
        s += "ZEnd\n";
    }
    return s;
}

std::string absurd(std::size_t fuellung) {
    std::string s = "ssv_ps_v1\n5 13 4\nFMathe\nL1 2 1960 12345 24 0 0 0 0 0 0 0 0Anna\nA\nB\nC\nD\n2147483647\n\n";
    while (s.size() < fuellung) s += "1\n";
    return s;
}

double besteZeit(const std::string& datei, int wiederholungen, bool* ergebnis) {
    double beste = 1e9;
    for (int i = 0; i < wiederholungen; ++i) {
        c_Altdatenimport import;
        import.setDateiname(datei);
        const auto t0 = Uhr::now();
        *ergebnis = import.importDatei();
        beste = std::min(beste, std::chrono::duration<double, std::milli>(Uhr::now() - t0).count());
    }
    return beste;
}

}  // namespace

int main(int argc, char** argv) {
    const int wiederholungen = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::string ordner = (std::filesystem::temp_directory_path() / "bench-import-XXXXXX").string();
    if (!::mkdtemp(&ordner[0])) return 1;
    std::filesystem::current_path(ordner);

    const std::string gross = grosserJahrgang(30000);
    schreibe("gross.ssv", gross);
    schreibe("absurd.ssv", absurd(0));
    schreibe("absurd-gross.ssv", absurd(gross.size()));

    struct Fall {
        const char* name;
        const char* datei;
    } faelle[] = {{"year file with students and grades", "gross.ssv"},
                  {"absurd count, small file", "absurd.ssv"},
                  {"absurd count, large file", "absurd-gross.ssv"}};
    for (const Fall& f : faelle) {
        bool ok = false;
        const double ms = besteZeit(f.datei, wiederholungen, &ok);
        std::printf("%-36s %8.1f KB  %8.2f ms  result %s\n", f.name,
                    static_cast<double>(std::filesystem::file_size(f.datei)) / 1024.0, ms, ok ? "true" : "false");
        if (ok && std::string(f.datei) == "gross.ssv")
            std::printf("%-36s %8.1f KB\n", "  aktuell.sdb written",
                        static_cast<double>(std::filesystem::file_size("aktuell.sdb")) / 1024.0);
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(ordner);
    return 0;
}
