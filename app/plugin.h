// The plug-in host: the libraries found in plugins/, each a c_Plugin, held
// in load order by a c_Pluginliste. A plug-in either has a window of its own
// (a tab of the main window, driven by hide, show, update, neu, aendern,
// loeschen and close) or is run on demand. Host and plug-ins share no
// objects; data crosses only through aktuell.sdb.
//
// The plug-in functions are plain C: int hasgui(void), const char*
// getname(void), void start(void* fenster) with the host's window as a
// QWidget* (may be null), and hide, show, update, neu, aendern, loeschen,
// close without arguments, each looked up as "_name" first, then "name".
#pragma once

#include "model/listen.h"
#include "platform/bibliothek.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <string>
#include <vector>

class c_Schulverwaltung;
class TMainWindow;

// The folder below the working directory that is searched.
extern const char* const PLUGIN_ORDNER;  // "plugins"
// The menu id of the first plug-in; the others follow in load order.
constexpr int PLUGIN_ERSTE_ID = 2000;

class c_Plugin {
public:
    // Loads `ordner`/`datei` for the probe: whether it has a window, its
    // display name. A plug-in with a window keeps the library loaded until it
    // is destroyed. When the library cannot be loaded, getLadefehler() says why.
    c_Plugin(const std::string& ordner, std::string datei);
    // Destroys the windows the plug-in made, then releases the library.
    ~c_Plugin();
    c_Plugin(const c_Plugin&) = delete;
    c_Plugin& operator=(const c_Plugin&) = delete;

    const std::string& getDateiname() const { return k_datei; }
    const std::string& getName() const { return k_name; }
    bool hasGui() const { return k_modul != nullptr; }
    int getMenueId() const { return k_menueId; }
    void setMenueId(int id) { k_menueId = id; }
    // Empty when the library was loaded.
    const std::string& getLadefehler() const { return k_ladefehler; }
    // Whether a call into some plug-in is running (it may be writing aktuell.sdb meanwhile).
    static bool imAufruf() { return s_aufrufe > 0; }

    // Loads the library afresh, calls its start with `fenster` and releases
    // that load again. A plug-in without a window is unloaded then, so the
    // windows it left behind are destroyed first.
    void start(void* fenster);
    // These call the plug-in's function of that name; nothing without a
    // window of its own or without the function.
    void hide();
    void show();
    void update();
    void neu();
    void aendern();
    void loeschen();
    void close();

private:
    using Funktion = void (*)();
    // The functions of a plug-in with a window, looked up once its library is kept.
    enum Ruf : int { HIDE, SHOW, UPDATE, NEU, AENDERN, LOESCHEN, CLOSE, RUFE };
    // Calls `f` and keeps every window it made (the top of each new widget
    // tree), so that they can be destroyed before the library goes.
    template <class Aufruf>
    void beobachte(Aufruf aufruf);
    void rufe(Ruf ruf);
    void zerstoereFenster();

    std::string k_datei;
    std::string k_pfad;
    std::string k_name;
    int k_menueId = PLUGIN_ERSTE_ID;
    std::string k_ladefehler;
    std::unique_ptr<c_Bibliothek> k_modul;  // plug-ins with a window only
    std::array<Funktion, RUFE> k_rufe{};
    std::vector<QPointer<QWidget>> k_fenster;
    static int s_aufrufe;
};

// Plug-ins in load order. Like the record lists, a list does not own its
// plug-ins: closeAll destroys them.
class c_Pluginliste : public c_Liste<c_Plugin> {
public:
    // The n-th plug-in, 1-based; null past the end.
    c_Plugin* getPlugin(int n) const { return nth(n); }
    // New lists (the caller frees the list, not the plug-ins), in list order.
    std::unique_ptr<c_Pluginliste> getPluginsMitGui() const;
    std::unique_ptr<c_Pluginliste> getPluginsOhneGui() const;
    // The plug-in with that menu id, or null.
    c_Plugin* getPluginMitId(int id) const;

    // Loads every ordinary file "*.so" of `ordner`, in name order, with the
    // menu ids 2000, 2001, ... A file that is no loadable library is left
    // out; `fehler` gets one line for each.
    void scan(const std::string& ordner, std::string* fehler);
    // For each plug-in in list order: close, then destroy it; the list is empty afterwards.
    void closeAll();
    // update on every plug-in with a window, in list order.
    void updateAll();
};

// Texts of the reload after a plug-in changed the data file: the first one is
// shown before aktuell.tmp is tried ("Anfang" + messages + "Ende"), the second
// when that fails as well.
struct NeuladenTexte {
    const char* fehlerAnfang;
    const char* fehlerEnde;
    const char* rueckfallAnfang;
    const char* rueckfallEnde;
};
extern const NeuladenTexte NEULADEN_HAUPTFENSTER;  // reloadDatenbestand
extern const NeuladenTexte NEULADEN_DIALOG;        // the extensions dialog

// What a reload after a plug-in read: aktuell.sdb, the backup aktuell.tmp, or neither (the
// data in memory stay as they were).
enum class Neuladen { AusDatei, AusSicherung, Fehlgeschlagen };

// Loads aktuell.sdb after a plug-in may have changed it, and aktuell.tmp when
// that fails (a missing file counts as failed); each failure is shown in a
// plain box captioned "Fehler beim aktuallisieren des Datenbestandes".
Neuladen ladeNachErweiterung(QWidget* eltern, c_Schulverwaltung* schulverwaltung, const NeuladenTexte& texte);
// Whether such a reload runs (its boxes may be open): the year in memory is not written meanwhile.
bool neuladenLaeuft();

// The window whose data updatesv reloads, set and removed on the UI thread;
// removing takes it away only when it is the one set.
void setzeNeuladeZiel(TMainWindow* fenster);
void entferneNeuladeZiel(TMainWindow* fenster);

// Exported by the program for plug-ins that rewrite aktuell.sdb on their own:
// reloads the data of the main window. Safe before the window exists (does
// nothing), from another thread (the reload runs on the UI thread later),
// while a dialog of the host is open (the reload waits until it is closed) and
// from inside a plug-in call that the host made.
extern "C" void updatesv(void);
