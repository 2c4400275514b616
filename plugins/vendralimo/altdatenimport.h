// Converts the year file of the older version (.ssv, first line "ssv_ps_v1" or "ssv_ps_v2")
// into the current data file aktuell.sdb in the working folder.
#pragma once

#include "plugins/vendralimo/ssveingabe.h"

#include <string>
#include <vector>

namespace text {
class TextFileWriter;
}

class c_Altdatenimport {
public:
    // What the last conversion wrote, kind by kind, so that the written file can be checked
    // against it. `faecher` of a teacher or room counts its subject lines that name a subject
    // written before it (the program links no other line).
    struct Bilanz {
        struct Eintrag {
            std::string name, vorname;
            int faecher = 0, fehlzeiten = 0, zensuren = 0;
        };
        int faecher = 0, klassen = 0, wuensche = 0, einzeltermine = 0, dauertermine = 0, vertretungstermine = 0;
        std::vector<Eintrag> lehrer, raeume, schueler;
    };

    void setDateiname(const std::string& dateiname) { k_dateiname = dateiname; }

    // Converts the chosen file into aktuell.sdb. True when the file could be read, began with
    // a known version line, converted without a damaged record and the new aktuell.sdb was
    // written; otherwise aktuell.sdb stays as it was.
    bool importDatei();

    // The conversion itself: the data file lines for the bytes of an old year file, written to
    // `aus` (which is not committed here). Same result as importDatei before the write.
    bool konvertiere(const std::string& ssv, text::TextFileWriter& aus);

    bool istVersion2() const { return k_version2; }
    const Bilanz& getBilanz() const { return k_bilanz; }

    // A line read, as UTF-8 text that holds no CR.
    std::string readZeile(SsvEingabe& ein);
    // A number read (0 when the read failed).
    int readZahl(SsvEingabe& ein);

    void convertFach(text::TextFileWriter& aus, SsvEingabe& ein);
    void convertLehrer(text::TextFileWriter& aus, SsvEingabe& ein);
    void convertRaum(text::TextFileWriter& aus, SsvEingabe& ein);
    void convertKlasse(text::TextFileWriter& aus, SsvEingabe& ein);
    void convertWunsch(text::TextFileWriter& aus, SsvEingabe& ein);
    void convertTermin(text::TextFileWriter& aus, SsvEingabe& ein);
    void convertSchueler(text::TextFileWriter& aus, SsvEingabe& ein);

private:
    bool readFlag(SsvEingabe& ein);
    // A count of lines that follow; a negative count fails the input.
    int readAnzahl(SsvEingabe& ein);
    // Up to `anzahl` subject lines, each written as "int," + line; stops when the input fails.
    // Returns how many of them name a subject written before.
    int convertFachzeilen(text::TextFileWriter& aus, SsvEingabe& ein, int anzahl);
    // One subject line; true when it names a subject written before.
    bool schreibeFachzeile(text::TextFileWriter& aus, const std::string& zeile);
    void convertSystem(text::TextFileWriter& aus, SsvEingabe& ein);

    std::string k_dateiname;
    bool k_version2 = false;
    Bilanz k_bilanz;
};
