// The default record layouts: the contents of a new structure file, and the
// structure section that the import plug-in writes.
#pragma once

#include <string>
#include <vector>

struct StandardFeld {
    const char* typ;  // "string", "bool" or "int"
    const char* name;
    const char* beschreibung;
    int x, y, weite, hoehe, laenge, pflicht;
};

struct StandardArt {
    const char* artzeile;  // "/Schueler", ...
    const StandardFeld* felder;
    int anzahl;
};

// The nine kinds in file order with their default fields.
const std::vector<StandardArt>& standardArten();

// One field line: typ,NAME,'Beschreibung',x,y,weite,hoehe,laenge,pflicht
std::string strukturZeile(const std::string& typ, const std::string& name, const std::string& beschreibung, int x,
                          int y, int weite, int hoehe, int laenge, bool pflicht);

// "/STRUCTBEGIN", the kind and field lines of the default layout, "/STRUCTEND".
std::vector<std::string> standardStrukturAbschnitt();

// The first line of a structure file written with the defaults.
extern const char* const STRUKTURDATEI_KOPF;
