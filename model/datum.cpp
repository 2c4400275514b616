#include "model/datum.h"

#include "model/datensaetze.h"

#include <atomic>
#include <cstdio>
#include <ctime>

namespace {

std::atomic<int> g_heuteTag{0}, g_heuteMonat{0}, g_heuteJahr{0};

long long volljahr(int jahr) { return jahr < 100 ? 1900LL + jahr : jahr; }

bool schaltjahr(long long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int monatslaenge(int monat, long long jahr) {
    static const int laenge[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return monat == 2 && schaltjahr(jahr) ? 29 : laenge[monat];
}

long long floorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

bool isDatumGueltig(int tag, int monat, int jahr) {
    const long long y = volljahr(jahr);
    return monat >= 1 && monat <= 12 && tag >= 1 && tag <= monatslaenge(monat, y);
}

std::uint32_t Tagesnummer(int tag, int monat, int jahr) {
    if (!isDatumGueltig(tag, monat, jahr)) return 0;
    long long y = volljahr(jahr);
    long long m = monat;
    if (m > 2) {
        m -= 3;
    } else {
        m += 9;
        y -= 1;
    }
    const long long c = y / 100;
    const long long r = y - 100 * c;
    const long long j = 146097 * c / 4 + 1461 * r / 4 + (153 * m + 2) / 5 + tag + 1721119;
    if (j <= 0 || j > 0xFFFFFFFFLL) return 0;
    return static_cast<std::uint32_t>(j);
}

void ausTagesnummer(std::uint32_t nummer, int* tag, int* monat, int* jahr) {
    long long j = static_cast<long long>(nummer) - 1721119;
    long long y = floorDiv(4 * j - 1, 146097);
    j = 4 * j - 1 - 146097 * y;
    long long d = j / 4;
    j = (4 * d + 3) / 1461;
    d = 4 * d + 3 - 1461 * j;
    d = (d + 4) / 4;
    long long m = (5 * d - 3) / 153;
    d = 5 * d - 3 - 153 * m;
    d = (d + 5) / 5;
    y = 100 * y + j;
    if (m < 10) {
        m += 3;
    } else {
        m -= 9;
        y += 1;
    }
    *tag = static_cast<int>(d);
    *monat = static_cast<int>(m);
    *jahr = static_cast<int>(y);
}

void getHeute(int* tag, int* monat, int* jahr) {
    const int t = g_heuteTag.load();
    if (t != 0) {
        *tag = t;
        *monat = g_heuteMonat.load();
        *jahr = g_heuteJahr.load();
        return;
    }
    const std::time_t jetzt = std::time(nullptr);
    std::tm lokal{};
    localtime_r(&jetzt, &lokal);
    *tag = lokal.tm_mday;
    *monat = lokal.tm_mon + 1;
    *jahr = lokal.tm_year + 1900;
}

void setHeute(int tag, int monat, int jahr) {
    g_heuteMonat.store(monat);
    g_heuteJahr.store(jahr);
    g_heuteTag.store(tag);
}

int getWochentag(int tag, int monat, int jahr) {
    const std::uint32_t j = Tagesnummer(tag, monat, jahr);
    return static_cast<int>(((j + 1ULL) % 7 + 6) % 7 + 1);
}

std::string getWochentagName(int tag, int monat, int jahr) { return WOCHENTAGE[getWochentag(tag, monat, jahr)]; }

void addTage(int tag, int monat, int jahr, int n, int* ntag, int* nmonat, int* njahr) {
    const std::uint32_t j = Tagesnummer(tag, monat, jahr);
    const long long ziel = static_cast<long long>(j) + n;
    if (j == 0 || ziel <= 0 || ziel > 0xFFFFFFFFLL) {
        *ntag = tag;
        *nmonat = monat;
        *njahr = jahr;
        return;
    }
    ausTagesnummer(static_cast<std::uint32_t>(ziel), ntag, nmonat, njahr);
}

bool isDatumGroesserGleich(int tag1, int monat1, int jahr1, int tag2, int monat2, int jahr2) {
    return Tagesnummer(tag1, monat1, jahr1) >= Tagesnummer(tag2, monat2, jahr2);
}

std::string getWochenText(int tag, int monat, int jahr) {
    int t2, m2, j2;
    addTage(tag, monat, jahr, 4, &t2, &m2, &j2);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%d.%d.%d - %d.%d.%d", tag, monat, jahr, t2, m2, j2);
    return buf;
}
