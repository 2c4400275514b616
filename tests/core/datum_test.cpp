#include "model/datum.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::string nach(int t, int m, int j, int n) {
    int t2 = -1, m2 = -1, j2 = -1;
    addTage(t, m, j, n, &t2, &m2, &j2);
    return std::to_string(t2) + "." + std::to_string(m2) + "." + std::to_string(j2);
}

TEST(Datum, DayNumberIsTheJulianDay) {
    EXPECT_EQ(Tagesnummer(1, 1, 2000), 2451545u);
    EXPECT_EQ(Tagesnummer(1, 3, 2000) - Tagesnummer(28, 2, 2000), 2u);  // 2000 is a leap year
    EXPECT_EQ(Tagesnummer(1, 3, 1900) - Tagesnummer(28, 2, 1900), 1u);  // 1900 is not
    EXPECT_EQ(Tagesnummer(1, 1, 0), Tagesnummer(1, 1, 1900));
    EXPECT_EQ(Tagesnummer(31, 12, 99), Tagesnummer(31, 12, 1999));
    EXPECT_EQ(Tagesnummer(1, 1, 100), 1757585u);  // from 100 on the year is taken as given
    int t, m, j;
    ausTagesnummer(2451545, &t, &m, &j);
    EXPECT_EQ(std::to_string(t) + "." + std::to_string(m) + "." + std::to_string(j), "1.1.2000");
}

TEST(Datum, ImpossibleDatesGiveZero) {
    EXPECT_EQ(Tagesnummer(29, 2, 2023), 0u);
    EXPECT_NE(Tagesnummer(29, 2, 2024), 0u);
    EXPECT_EQ(Tagesnummer(31, 4, 2024), 0u);
    EXPECT_EQ(Tagesnummer(0, 1, 2024), 0u);
    EXPECT_EQ(Tagesnummer(1, 13, 2024), 0u);
    EXPECT_EQ(Tagesnummer(1, 0, 2024), 0u);
    EXPECT_FALSE(isDatumGueltig(29, 2, 1900));
    EXPECT_TRUE(isDatumGueltig(29, 2, 2000));
}

TEST(Datum, Weekdays) {
    EXPECT_EQ(getWochentag(1, 1, 2000), 6);
    EXPECT_EQ(getWochentag(3, 1, 2000), 1);
    EXPECT_EQ(getWochentag(9, 1, 2000), 7);
    EXPECT_EQ(getWochentag(1, 1, 0), getWochentag(1, 1, 1900));
    EXPECT_EQ(getWochentagName(29, 2, 2024), "Donnerstag");
    EXPECT_EQ(getWochentagName(29, 2, 2023), "Montag");
    EXPECT_EQ(getWochentagName(9, 1, 2000), "Sonntag");
    EXPECT_EQ(getWochentagName(4, 1, 2000), "Dienstag");
}

TEST(Datum, AddingDaysCrossesMonthsAndYears) {
    EXPECT_EQ(nach(28, 2, 2024, 1), "29.2.2024");
    EXPECT_EQ(nach(28, 2, 2023, 1), "1.3.2023");
    EXPECT_EQ(nach(3, 1, 2000, -7), "27.12.1999");
    EXPECT_EQ(nach(31, 12, 2023, 1), "1.1.2024");
    EXPECT_EQ(nach(1, 1, 2024, 366), "1.1.2025");
    EXPECT_EQ(nach(15, 6, 2024, 0), "15.6.2024");
    EXPECT_EQ(nach(1, 3, 2100, -1), "28.2.2100");
    EXPECT_EQ(nach(5, 1, 99, 1), "6.1.1999");  // a two-digit year comes back in full
}

TEST(Datum, ImpossibleOrHugeInputStaysUnchanged) {
    EXPECT_EQ(nach(31, 2, 2024, 1), "31.2.2024");
    EXPECT_EQ(nach(1, 13, 2024, -3), "1.13.2024");
    EXPECT_EQ(nach(1, 1, 2000, INT_MIN), "1.1.2000");
    // A year far beyond any real date neither overflows nor loops.
    EXPECT_EQ(Tagesnummer(31, 12, INT_MAX), 0u);
    EXPECT_EQ(getWochentag(31, 12, INT_MAX), 1);
    EXPECT_EQ(nach(31, 12, INT_MAX, INT_MAX), "31.12." + std::to_string(INT_MAX));
    int t, m, j;  // far ahead, but still a day number that goes both ways
    addTage(1, 1, 2000, INT_MAX, &t, &m, &j);
    EXPECT_EQ(Tagesnummer(t, m, j), 2451545u + INT_MAX);
    EXPECT_FALSE(isDatumGroesserGleich(1, 1, INT_MIN, 1, 1, 2000));
}

TEST(Datum, Comparison) {
    EXPECT_TRUE(isDatumGroesserGleich(5, 3, 2024, 5, 3, 2024));
    EXPECT_FALSE(isDatumGroesserGleich(31, 12, 2023, 1, 1, 2024));
    EXPECT_TRUE(isDatumGroesserGleich(1, 1, 2024, 31, 12, 2023));
    EXPECT_FALSE(isDatumGroesserGleich(29, 2, 2023, 1, 1, 1900));  // impossible is earliest
    EXPECT_TRUE(isDatumGroesserGleich(1, 1, 1900, 29, 2, 2023));
}

TEST(Datum, WeekText) {
    EXPECT_EQ(getWochenText(4, 3, 2024), "4.3.2024 - 8.3.2024");
    EXPECT_EQ(getWochenText(29, 12, 2025), "29.12.2025 - 2.1.2026");
    EXPECT_EQ(getWochenText(26, 2, 2024), "26.2.2024 - 1.3.2024");
}

}  // namespace
