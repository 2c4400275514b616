// Calendar arithmetic on dates held as three ints (day, month, year), through
// the Julian day number of the Gregorian calendar.
#pragma once

#include <cstdint>
#include <string>

// Julian day number of a date; a year below 100 counts as 1900 + year; an
// impossible date gives 0.
std::uint32_t Tagesnummer(int tag, int monat, int jahr);
// Back from a day number (> 0) to a date.
void ausTagesnummer(std::uint32_t nummer, int* tag, int* monat, int* jahr);

// Today from the system clock (local time), unless a fixed date was set.
void getHeute(int* tag, int* monat, int* jahr);
// Fixes "today" (for tests); a day of 0 goes back to the system clock.
void setHeute(int tag, int monat, int jahr);

std::string getWochentagName(int tag, int monat, int jahr);
// 1 Monday .. 7 Sunday; an impossible date gives 1.
int getWochentag(int tag, int monat, int jahr);
// The date n days later (n may be negative); an impossible date stays as it is.
void addTage(int tag, int monat, int jahr, int n, int* ntag, int* nmonat, int* njahr);
// True when date 1 is the same day as date 2 or later.
bool isDatumGroesserGleich(int tag1, int monat1, int jahr1, int tag2, int monat2, int jahr2);
// "d.m.y - d.m.y" for the date and the date four days later.
std::string getWochenText(int tag, int monat, int jahr);
// Whether the date exists (after the two-digit-year rule).
bool isDatumGueltig(int tag, int monat, int jahr);
