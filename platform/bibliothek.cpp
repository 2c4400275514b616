#include "platform/bibliothek.h"

#include <dlfcn.h>
#include <link.h>

std::unique_ptr<c_Bibliothek> c_Bibliothek::oeffnen(const std::string& pfad, std::string* fehler) {
    dlerror();
    void* handle = dlopen(pfad.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (fehler) {
            const char* grund = dlerror();
            *fehler = grund ? grund : "unbekannter Fehler";
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
