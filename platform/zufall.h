// The random source of the timetable generators: one process-wide linear
// congruential generator with a 64-bit state that starts at 1 and is never
// reseeded, so the first run after start-up always sees the same numbers.
#pragma once

#include <cstdint>

namespace zufall {

// Multiplier of the generator: 5540 * 2^32 + 20021.
constexpr std::uint64_t MULTIPLIKATOR = 0x15A400004E35ULL;

// One draw: state = state * MULTIPLIKATOR + 1 (mod 2^64); returns bits 32..62
// of the new state, a value from 0 to 2147483647.
std::uint32_t ziehe();

// A random pick among n candidates as a 1-based position: (draw mod n) + 1.
// With n <= 0 nothing is drawn and the position is 1.
int waehle(int n);

// Number of draws made since start-up (or since the last reset).
std::uint64_t anzahlZiehungen();

// Tests only: puts the state back to 1, as at start-up.
void zuruecksetzen();

}  // namespace zufall
