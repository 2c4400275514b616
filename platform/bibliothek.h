// Shared libraries loaded at run time (the plug-ins): open, look up a
// function, close. Only symbols that the library itself defines are handed
// out: dlsym also searches the libraries it depends on, and a plug-in
// without its own `close` must never get the C library's close(2).
#pragma once

#include <memory>
#include <string>

// The loader's reason `dlfehler` (dlerror's English text, "<object>: <reason>") for the
// library at `pfad` as a German sentence naming the file (its name without the folder)
// and, where another library is to blame, that library.
std::string ladefehlerText(const std::string& pfad, const std::string& dlfehler);

class c_Bibliothek {
public:
    // Loads the library at `pfad` (all symbols resolved at once, kept local).
    // Null when it cannot be loaded; `fehler` (optional) then holds the
    // loader's reason in German (ladefehlerText).
    static std::unique_ptr<c_Bibliothek> oeffnen(const std::string& pfad, std::string* fehler);
    // Releases this load; the library is unloaded with its last load.
    ~c_Bibliothek();
    c_Bibliothek(const c_Bibliothek&) = delete;
    c_Bibliothek& operator=(const c_Bibliothek&) = delete;

    // The address of the symbol `name` when it lies in this library itself, else null.
    void* symbol(const char* name) const;
    // The plug-in look-up: "_" + name first, then name; null when neither lies in this library.
    void* funktion(const std::string& name) const;

    const std::string& getPfad() const { return k_pfad; }

private:
    c_Bibliothek(void* handle, std::string pfad);
    void* k_handle;
    void* k_linkmap;  // the library's own entry in the loader's list
    std::string k_pfad;
};
