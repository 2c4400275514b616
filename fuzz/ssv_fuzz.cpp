// Fuzz target of the old year file reader: any bytes are converted into data-file lines in
// memory; nothing is written to disk.
#include "plugins/vendralimo/altdatenimport.h"
#include "platform/textfile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    c_Altdatenimport import;
    text::TextFileWriter aus("/nonexistent/aktuell.sdb");  // never committed
    import.konvertiere(std::string(reinterpret_cast<const char*>(daten), groesse), aus);
    return 0;
}
