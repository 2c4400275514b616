#include "app/plugin.h"

#include "app/hauptfenster.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/meldung.h"

#include <QApplication>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <filesystem>
#include <mutex>

const char* const PLUGIN_ORDNER = "plugins";

namespace {
using HasGui = int (*)();
using GetName = const char* (*)();
using Start = void (*)(void*);

template <class F>
F als(void* p) {
    return reinterpret_cast<F>(p);
}
}  // namespace

// ---------------------------------------------------------------- c_Plugin

c_Plugin::c_Plugin(const std::string& ordner, std::string datei) : k_datei(std::move(datei)) {
    std::error_code fehler;
    const std::filesystem::path pfad = std::filesystem::absolute(std::filesystem::path(ordner) / k_datei, fehler);
    k_pfad = fehler ? ordner + "/" + k_datei : pfad.string();
    k_name = std::string(PLUGIN_ORDNER) + "/" + k_datei;

    std::unique_ptr<c_Bibliothek> probe = c_Bibliothek::oeffnen(k_pfad, &k_ladefehler);
    if (!probe) {
        if (k_ladefehler.empty()) k_ladefehler = "unbekannter Fehler";
        return;
    }
    // The name is copied before the probe's load goes: it lives in the library.
    bool mitFenster = false;
    beobachte([&] {
        if (auto f = als<HasGui>(probe->funktion("hasgui"))) mitFenster = f() != 0;
        if (auto f = als<GetName>(probe->funktion("getname")))
            if (const char* name = f(); name && *name) k_name = name;
    });
    if (mitFenster) k_modul = c_Bibliothek::oeffnen(k_pfad, nullptr);
    if (!k_modul) {
        zerstoereFenster();
        return;
    }
    static const char* const namen[] = {"hide", "show", "update", "neu", "aendern", "loeschen", "close"};
    static_assert(std::size(namen) == RUFE);
    for (int r = 0; r < RUFE; ++r) k_rufe[r] = als<Funktion>(k_modul->funktion(namen[r]));
}

c_Plugin::~c_Plugin() {
    zerstoereFenster();
    k_modul.reset();
}

int c_Plugin::s_aufrufe = 0;

template <class Aufruf>
void c_Plugin::beobachte(Aufruf aufruf) {
    const QWidgetList liste = QApplication::allWidgets();
    const QSet<QWidget*> vorher(liste.begin(), liste.end());
    ++s_aufrufe;
    aufruf();
    --s_aufrufe;
    for (QWidget* w : QApplication::allWidgets()) {
        if (vorher.contains(w)) continue;
        QWidget* eltern = w->parentWidget();
        if (!eltern || vorher.contains(eltern)) k_fenster.emplace_back(w);
    }
}

void c_Plugin::zerstoereFenster() {
    std::vector<QPointer<QWidget>> fenster;
    fenster.swap(k_fenster);
    for (QPointer<QWidget>& w : fenster) delete w.data();
}

void c_Plugin::rufe(Ruf ruf) {
    if (Funktion f = k_rufe[ruf]) beobachte(f);
}

void c_Plugin::start(void* fenster) {
    std::unique_ptr<c_Bibliothek> bibliothek = c_Bibliothek::oeffnen(k_pfad, nullptr);
    if (!bibliothek) return;
    if (auto f = als<Start>(bibliothek->funktion("start"))) beobachte([f, fenster] { f(fenster); });
    if (!k_modul) zerstoereFenster();
}

void c_Plugin::hide() { rufe(HIDE); }
void c_Plugin::show() { rufe(SHOW); }
void c_Plugin::update() { rufe(UPDATE); }
void c_Plugin::neu() { rufe(NEU); }
void c_Plugin::aendern() { rufe(AENDERN); }
void c_Plugin::loeschen() { rufe(LOESCHEN); }
void c_Plugin::close() { rufe(CLOSE); }

// ---------------------------------------------------------------- c_Pluginliste

namespace {
std::unique_ptr<c_Pluginliste> filter(const c_Pluginliste& liste, bool mitGui) {
    auto neu = std::make_unique<c_Pluginliste>();
    for (c_Plugin* p : liste)
        if (p->hasGui() == mitGui) neu->push_back(p);
    return neu;
}
}  // namespace

std::unique_ptr<c_Pluginliste> c_Pluginliste::getPluginsMitGui() const { return filter(*this, true); }
std::unique_ptr<c_Pluginliste> c_Pluginliste::getPluginsOhneGui() const { return filter(*this, false); }

c_Plugin* c_Pluginliste::getPluginMitId(int id) const {
    for (c_Plugin* p : *this)
        if (p->getMenueId() == id) return p;
    return nullptr;
}

void c_Pluginliste::scan(const std::string& ordner, std::string* fehler) {
    std::vector<std::string> dateien;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(ordner, ec), ende; !ec && it != ende; it.increment(ec)) {
        std::error_code art;
        if (it->path().extension() == ".so" && it->is_regular_file(art))
            dateien.push_back(it->path().filename().string());
    }
    std::sort(dateien.begin(), dateien.end());
    for (std::string& datei : dateien) {
        auto p = std::make_unique<c_Plugin>(ordner, datei);
        if (!p->getLadefehler().empty()) {
            if (fehler)
                *fehler += "Die Erweiterung " + std::string(PLUGIN_ORDNER) + "/" + datei +
                           " konnte nicht geladen werden:\n" + p->getLadefehler() + "\n";
            continue;
        }
        p->setMenueId(PLUGIN_ERSTE_ID + static_cast<int>(size()));
        push_back(p.release());
    }
}

void c_Pluginliste::closeAll() {
    std::vector<c_Plugin*> alle(begin(), end());
    clear();
    for (c_Plugin* p : alle) {
        p->close();
        delete p;
    }
}

void c_Pluginliste::updateAll() {
    for (c_Plugin* p : *this)
        if (p->hasGui()) p->update();
}

// ---------------------------------------------------------------- reload

const NeuladenTexte NEULADEN_HAUPTFENSTER = {
    "Eine Erweiterung (Plug-In) hat den Daten-\nbestand geändert. Beim aktuallieren trat folgender\nFehler auf:\n",
    "\nEs wird versucht den Datenbestand vor der Änderung\nwieder herzustellen.",
    "Der versuch, den alten Datenbestand wieder\nherzustellen schlug ebenfalls fehl:\n",
    "\nEs wird nun, der im Arbeitspeicher verbliebene Datenbestand\nverwendet.",
};

const NeuladenTexte NEULADEN_DIALOG = {
    "Eine Erweiterung (Plug-In) hat den Daten-\nbestand geändert. Beim aktuallisieren trat folgender\nFehler auf:\n",
    "\nEs wird versucht den Datenbestand vor der Änderung\nwieder herzustellen.",
    "Der Versuch, den alten Datenbestand wieder\nherzustellen schlug ebenfalls fehl:\n",
    "\nÖffnen Sie bitte eine Jahrgangsdatei per Hand.",
};

namespace {
int g_neuladen = 0;
}  // namespace

bool neuladenLaeuft() { return g_neuladen > 0; }

Neuladen ladeNachErweiterung(QWidget* eltern, c_Schulverwaltung* schulverwaltung, const NeuladenTexte& texte) {
    struct Laeuft {
        Laeuft() { ++g_neuladen; }
        ~Laeuft() { --g_neuladen; }
    } laeuft;
    const char* const titel = "Fehler beim aktuallisieren des Datenbestandes";
    std::string fehler;
    if (schulverwaltung->reload(AKTUELLE_DATEI, &fehler)) return Neuladen::AusDatei;
    meldung(texte.fehlerAnfang + fehler + texte.fehlerEnde, titel, MB_OK, eltern);
    fehler.clear();
    if (schulverwaltung->reload(SICHERUNGS_DATEI, &fehler)) return Neuladen::AusSicherung;
    meldung(texte.rueckfallAnfang + fehler + texte.rueckfallEnde, titel, MB_OK, eltern);
    return Neuladen::Fehlgeschlagen;
}

// ---------------------------------------------------------------- updatesv

namespace {
// Written on the UI thread, read from any thread, always under the lock, so that
// the window cannot go while a request is being posted to it.
std::mutex s_zielSperre;
TMainWindow* s_ziel = nullptr;
}  // namespace

void setzeNeuladeZiel(TMainWindow* fenster) {
    std::lock_guard<std::mutex> sperre(s_zielSperre);
    s_ziel = fenster;
}

void entferneNeuladeZiel(TMainWindow* fenster) {
    std::lock_guard<std::mutex> sperre(s_zielSperre);
    if (s_ziel == fenster) s_ziel = nullptr;
}

extern "C" void updatesv(void) {
    TMainWindow* ziel = nullptr;
    {
        std::lock_guard<std::mutex> sperre(s_zielSperre);
        ziel = s_ziel;
        if (!ziel) return;
        if (QThread::currentThread() != ziel->thread()) {
            // The reload runs on the UI thread; Qt drops it if the window goes first.
            QMetaObject::invokeMethod(ziel, [ziel] { ziel->neuladenWennFrei(); }, Qt::QueuedConnection);
            return;
        }
    }
    // On the UI thread the window cannot go while it reloads; a dialog that is
    // open holds records of the store, so the reload waits for it as well.
    ziel->neuladenWennFrei();
}
