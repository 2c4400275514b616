// The ways a file takes into the program, as entry points for the fuzz targets and
// for the test that replays their saved inputs. Each works in the current folder and
// returns an empty text when the run went right, else what went wrong. Crashes, undefined
// behaviour and hangs are for the sanitizers and the caller's clock to notice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// The bytes as aktuell.sdb through c_Schulverwaltung::load, then save, load the saved file
// and save again: both saves must be byte for byte the same.
std::string datendatei(const std::uint8_t* daten, std::size_t groesse);

// The bytes as the structure file orvask.str, read by a store without a data file; a store
// that read it is saved, reloaded and saved again with the same bytes.
std::string strukturdatei(const std::uint8_t* daten, std::size_t groesse);

// The bytes as a loaded year, then the queries, appointment adds, deletes, the school-year
// change and clearStundenplan; every link must still point into the store, and the result
// must save and load again.
std::string jahrgang(const std::uint8_t* daten, std::size_t groesse);

// The bytes as an old year file through the import (fuzz/ssv_fuzz.cpp, built with the
// converter): a conversion that succeeds is loaded, and the program must hold exactly the
// records the import wrote, kind by kind, with their subject, absence and grade counts.
std::string ssv(const std::uint8_t* daten, std::size_t groesse);

}  // namespace fuzz
