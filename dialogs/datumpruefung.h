// Checks of the go-to-date dialog on the three texts typed.
#pragma once

#include <string>
#include <vector>

// Runs every check in order and appends each failure's message to
// `meldungen`. When all pass, writes the date (a two-digit year below 50 as
// 20xx, else 19xx) and returns true.
bool pruefeDatum(const std::string& tag, const std::string& monat, const std::string& jahr,
                 std::vector<std::string>& meldungen, int* ergTag, int* ergMonat, int* ergJahr);

// The date check of the dated dialogs on the year as it is stored: day
// 1..31, month 1..12, year not negative, and the date must exist (31.4. or
// 29.2. outside a leap year do not; a year below 100 counts as 19xx, as in the
// date functions).
bool isTerminDatumKorrekt(int tag, int monat, int jahr);

// A year typed into a dated dialog: with exactly two characters, below 50 is
// 2000 + year, from 50 on 1900 + year; otherwise as typed.
int vierstelligesJahr(int jahr, std::size_t zeichen);
