#include "platform/bibliothek.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>

namespace {

std::string dateiname(const std::string& pfad) {
    const std::size_t schnitt = pfad.find_last_of('/');
    return schnitt == std::string::npos ? pfad : pfad.substr(schnitt + 1);
}

bool enthaelt(const std::string& text, const char* teil) { return text.find(teil) != std::string::npos; }

}  // namespace

std::string ladefehlerText(const std::string& pfad, const std::string& dlfehler) {
    const std::string name = dateiname(pfad);
    // The loader names the object it failed on first: the file itself, or a library it needs.
    std::string objekt, grund = dlfehler;
    if (dlfehler.compare(0, pfad.size() + 2, pfad + ": ") == 0) {
        grund = dlfehler.substr(pfad.size() + 2);
    } else if (const std::size_t p = dlfehler.find(": "); p != std::string::npos) {
        objekt = dlfehler.substr(0, p);
        grund = dlfehler.substr(p + 2);
        if (objekt == pfad || dateiname(objekt) == name) objekt.clear();
    }
    const bool fremd = !objekt.empty();

    if (enthaelt(grund, "undefined symbol: ")) {
        std::string symbol = grund.substr(grund.find("undefined symbol: ") + 18);
        symbol = symbol.substr(0, symbol.find_first_of(", "));
        return fremd ? "Die Bibliothek " + objekt + ", die die Datei " + name + " benötigt, verwendet das Symbol " +
                           symbol + ", das nirgends definiert ist."
                     : "Die Datei " + name + " verwendet das Symbol " + symbol + ", das nirgends definiert ist.";
    }
    if (enthaelt(grund, "version `") && enthaelt(grund, "not found")) {
        std::string version = grund.substr(grund.find("version `") + 9);
        version = version.substr(0, version.find('\''));
        return "Die Datei " + name + " braucht die Fassung " + version + " der Bibliothek " +
               (fremd ? objekt : name) + ", die es auf diesem Rechner nicht gibt.";
    }
    if (fremd) {
        if (enthaelt(grund, "No such file or directory"))
            return "Die Bibliothek " + objekt + ", die die Datei " + name + " benötigt, wurde nicht gefunden.";
        if (enthaelt(grund, "Permission denied") || enthaelt(grund, "Operation not permitted"))
            return "Auf die Bibliothek " + objekt + ", die die Datei " + name +
                   " benötigt, besteht keine Zugriffsberechtigung.";
        return "Die Bibliothek " + objekt + ", die die Datei " + name + " benötigt, konnte nicht geladen werden.";
    }
    if (enthaelt(grund, "file too short")) return "Die Datei " + name + " ist keine ladbare Bibliothek (zu kurz).";
    if (enthaelt(grund, "invalid ELF header"))
        return "Die Datei " + name + " ist keine ladbare Bibliothek (ungültiger Dateikopf).";
    if (enthaelt(grund, "wrong ELF class: ELFCLASS32"))
        return "Die Datei " + name + " ist eine 32-Bit-Bibliothek und passt nicht zu diesem Programm.";
    if (enthaelt(grund, "wrong ELF class: ELFCLASS64"))
        return "Die Datei " + name + " ist eine 64-Bit-Bibliothek und passt nicht zu diesem Programm.";
    if (enthaelt(grund, "No such file or directory")) {
        // The loader says the same of a library built for another kind of processor.
        struct stat st;
        if (::stat(pfad.c_str(), &st) == 0)
            return "Die Datei " + name + " ist für einen anderen Prozessortyp gebaut und kann nicht geladen werden.";
        return "Die Datei " + name + " wurde nicht gefunden.";
    }
    if (enthaelt(grund, "Permission denied") || enthaelt(grund, "Operation not permitted"))
        return "Auf die Datei " + name + " besteht keine Zugriffsberechtigung.";
    return "Die Datei " + name + " konnte nicht als Bibliothek geladen werden.";
}

std::unique_ptr<c_Bibliothek> c_Bibliothek::oeffnen(const std::string& pfad, std::string* fehler) {
    dlerror();
    void* handle = dlopen(pfad.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (fehler) {
            const char* grund = dlerror();
            *fehler = ladefehlerText(pfad, grund ? grund : "");
        }
        return nullptr;
    }
    return std::unique_ptr<c_Bibliothek>(new c_Bibliothek(handle, pfad));
}

c_Bibliothek::c_Bibliothek(void* handle, std::string pfad) : k_handle(handle), k_linkmap(nullptr), k_pfad(std::move(pfad)) {
    link_map* lm = nullptr;
    if (dlinfo(k_handle, RTLD_DI_LINKMAP, &lm) == 0) k_linkmap = lm;
}

c_Bibliothek::~c_Bibliothek() { dlclose(k_handle); }

void* c_Bibliothek::symbol(const char* name) const {
    if (!k_linkmap) return nullptr;
    dlerror();
    void* adresse = dlsym(k_handle, name);
    if (!adresse) return nullptr;
    Dl_info info;
    link_map* herkunft = nullptr;
    if (!dladdr1(adresse, &info, reinterpret_cast<void**>(&herkunft), RTLD_DL_LINKMAP) || herkunft != k_linkmap)
        return nullptr;
    return adresse;
}

void* c_Bibliothek::funktion(const std::string& name) const {
    if (void* p = symbol(("_" + name).c_str())) return p;
    return symbol(name.c_str());
}
