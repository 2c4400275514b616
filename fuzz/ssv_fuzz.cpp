// Entry point of the old year file target: any bytes are converted into aktuell.sdb; a
// conversion that succeeds must load in the program with exactly the records it wrote.
#include "fuzz/eingaenge.h"

#include "model/datensaetze.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/textfile.h"
#include "plugins/vendralimo/altdatenimport.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace fuzz {

namespace {

using Eintrag = c_Altdatenimport::Bilanz::Eintrag;

bool vor(const Eintrag& a, const Eintrag& b) {
    return std::tie(a.name, a.vorname, a.faecher, a.fehlzeiten, a.zensuren) <
           std::tie(b.name, b.vorname, b.faecher, b.fehlzeiten, b.zensuren);
}

bool gleich(const Eintrag& a, const Eintrag& b) { return !vor(a, b) && !vor(b, a); }

int faecherVon(const c_Fachliste* liste) { return liste ? static_cast<int>(liste->size()) : 0; }

// The loaded records of one kind against the written ones, in any order (the loader sorts).
std::string vergleiche(const char* art, std::vector<Eintrag> geschrieben, std::vector<Eintrag> geladen) {
    if (geschrieben.size() != geladen.size())
        return std::string(art) + ": " + std::to_string(geschrieben.size()) + " geschrieben, " +
               std::to_string(geladen.size()) + " geladen; ";
    std::sort(geschrieben.begin(), geschrieben.end(), vor);
    std::sort(geladen.begin(), geladen.end(), vor);
    for (std::size_t i = 0; i < geladen.size(); ++i)
        if (!gleich(geschrieben[i], geladen[i]))
            return std::string(art) + " '" + geschrieben[i].name + "' mit " + std::to_string(geschrieben[i].faecher) +
                   " Faechern, " + std::to_string(geschrieben[i].fehlzeiten) + " Fehlzeiten, " +
                   std::to_string(geschrieben[i].zensuren) + " Zensuren geschrieben, als '" + geladen[i].name +
                   "' mit " + std::to_string(geladen[i].faecher) + ", " + std::to_string(geladen[i].fehlzeiten) +
                   ", " + std::to_string(geladen[i].zensuren) + " geladen; ";
    return std::string();
}

std::string anzahl(const char* art, int geschrieben, std::size_t geladen) {
    if (static_cast<std::size_t>(geschrieben) == geladen) return std::string();
    return std::string(art) + ": " + std::to_string(geschrieben) + " geschrieben, " + std::to_string(geladen) +
           " geladen; ";
}

}  // namespace

std::string ssv(const std::uint8_t* daten, std::size_t groesse) {
    c_Altdatenimport import;
    text::TextFileWriter aus("aktuell.sdb");
    if (!import.konvertiere(std::string(reinterpret_cast<const char*>(daten), groesse), aus)) return std::string();
    if (!aus.commit()) return "aktuell.sdb liess sich nicht schreiben";

    c_Schulverwaltung sv;
    std::string fehler;
    if (!sv.load("aktuell.sdb", &fehler)) return "Import laedt nicht: " + fehler;
    if (!fehler.empty()) return "Import meldet beim Laden: " + fehler;

    const c_Altdatenimport::Bilanz& b = import.getBilanz();
    std::vector<Eintrag> lehrer, raeume, schueler;
    for (const c_Lehrer* l : *sv.getLehrerliste())
        lehrer.push_back({l->getName(), l->getVorname(), faecherVon(l->getFachliste()),
                          static_cast<int>(l->getFehlzeitliste()->size()), 0});
    for (const c_Raum* r : *sv.getRaumliste()) raeume.push_back({r->getName(), "", faecherVon(r->getFachliste()), 0, 0});
    for (const c_Schueler* s : *sv.getSchuelerliste())
        schueler.push_back({s->getName(), s->getVorname(), 0, static_cast<int>(s->getFehlzeitliste()->size()),
                            static_cast<int>(s->getZensurliste()->size())});

    return anzahl("Faecher", b.faecher, sv.getFachliste()->size()) +
           anzahl("Klassen", b.klassen, sv.getKlassenliste()->size()) +
           anzahl("Curriculum", b.wuensche, sv.getCurriculum()->size()) +
           anzahl("Einzeltermine", b.einzeltermine, sv.getEinzelterminliste()->size()) +
           anzahl("Dauertermine", b.dauertermine, sv.getDauerterminliste()->size()) +
           anzahl("Vertretungstermine", b.vertretungstermine, sv.getVertretungsterminliste()->size()) +
           vergleiche("Lehrer", b.lehrer, lehrer) + vergleiche("Raeume", b.raeume, raeume) +
           vergleiche("Schueler", b.schueler, schueler);
}

}  // namespace fuzz
