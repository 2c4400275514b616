// Timings of the main window's commands on large years, each driven through the window's own
// handlers as a user would start it (the modal dialogs answered from inside their event loop),
// at 8000, 16000 and 32000 entries, with the growth factor per doubling.
//
// Two generated years (nothing is stored in the repository):
//   voll  - N students with 3 grades and 1 absence each, N single, N weekly and N substitution
//           appointments, N/16 teachers, 3N/160 rooms, 3N/80 classes and N/160 subjects
//           (2000, 600, 1200 and 200 at N = 32000); class 1 has N/64 students and teacher 1
//           N/16 weekly lessons.
//   breit - every list at N: students, teachers, rooms, classes, subjects and the three
//           appointment lists; one student, one weekly lesson and one class per teacher.
//
//   QT_QPA_PLATFORM=offscreen bench_ui_jahrgang_gross [options]
//     --filter TEXT     only the actions whose line contains TEXT (repeatable; "voll", "breit",
//                       "Export" ...)
//     --schnell         one run per figure instead of the median of three
//     --groessen A,B,.. other sizes than 8000,16000,32000
//     --ausgabe DIR     writes every report text, every export file and the saved year after
//                       each changing command into DIR (one run), for a byte-wise comparison
//                       of two builds with `diff -r`
//
// A figure is marked "!" when it misses its target, a growth factor when it is above 2.3
// (where the larger figure is at least 20 ms; below that the factors are noise).

#include "app/hauptfenster.h"
#include "dialogs/ui/schuelerdialog.h"
#include "dialogs/ui/schuljahrwechseldialog.h"
#include "model/datum.h"
#include "output/berichte.h"
#include "output/ui/druckerdialog.h"
#include "output/ui/druckfenster.h"
#include "output/ui/exportdialog.h"
#include "planning/vertretungsplanerstellung.h"
#include "platform/ui/anwendung.h"
#include "platform/ui/dateidialog.h"
#include "platform/ui/listenansicht.h"
#include "platform/ui/meldung.h"
#include "tests/core/planung_schule.h"
#include "tests/gui/modal_hilfe.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Uhr = std::chrono::steady_clock;

namespace {

// ---------------------------------------------------------------- options

struct Optionen {
    std::vector<std::string> filter;
    bool schnell = false;
    std::vector<int> groessen = {8000, 16000, 32000};
    std::string ausgabe;  // empty: no outputs written
};
Optionen g_opt;

bool gewaehlt(const std::string& zeile) {
    if (g_opt.filter.empty()) return true;
    for (const std::string& f : g_opt.filter)
        if (zeile.find(f) != std::string::npos) return true;
    return false;
}

// ---------------------------------------------------------------- the years

enum class Jahr { Voll, Breit };
const char* jahrName(Jahr a) { return a == Jahr::Voll ? "voll" : "breit"; }

// Today for the substitution planner and the appointments: Monday 2.9.2024.
constexpr int HEUTE_T = 2, HEUTE_M = 9, HEUTE_J = 2024;
const char* const TAGE[] = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag"};

int anteil(int n, int vonGanz) { return std::max(1, static_cast<int>(static_cast<long long>(vonGanz) * n / 32000)); }

struct Umfang {
    int schueler, lehrer, raeume, klassen, faecher, termine;
    int klasse1;  // students of class 1
    int lehrer1;  // weekly lessons of teacher 1
};

Umfang umfang(Jahr art, int n) {
    if (art == Jahr::Breit) return {n, n, n, n, n, n, 1, 1};
    return {n, anteil(n, 2000), anteil(n, 600), anteil(n, 1200), anteil(n, 200), n, anteil(n, 500), anteil(n, 2000)};
}

std::string nummeriert(const char* vorne, int i) {
    char b[48];
    std::snprintf(b, sizeof b, "%s%05d", vorne, i);
    return b;
}

template <class T>
T* neu(c_Datenliste* vorlage) {
    auto* t = new T;
    t->setFelder(std::make_unique<c_Datenliste>(*vorlage));
    return t;
}

// The school-day number d (0 = today) as a date: five school days a week.
void schultag(int d, int* tag, int* monat, int* jahr) {
    addTage(HEUTE_T, HEUTE_M, HEUTE_J, d / 5 * 7 + d % 5, tag, monat, jahr);
}

// Builds the year and saves it as aktuell.sdb in the working folder. The lists are filled
// directly and sorted once, as loading a file does. The last teacher and the last room are
// referenced by nothing, so that they can be deleted.
void baueJahr(Jahr art, int n) {
    const Umfang u = umfang(art, n);
    planung_schule::Schule schule;
    c_Schulverwaltung& sv = *schule;
    c_Database& db = *sv.getDatabase();
    sv.setStundenProTag(8);
    sv.setMinKlasse(5);
    sv.setMaxKlasse(13);
    sv.setNeuKlasse(5);

    std::vector<c_Fach*> faecher;
    for (int i = 0; i < u.faecher; ++i) {
        faecher.push_back(new c_Fach(nummeriert("Fach", i)));
        db.getFachliste()->push_back(faecher.back());
    }
    auto fach = [&](long long i) { return faecher[static_cast<std::size_t>(i % u.faecher)]; };

    std::vector<c_Lehrer*> lehrer;
    for (int i = 0; i < u.lehrer; ++i) {
        auto* l = neu<c_Lehrer>(db.getLehrerStruktur());
        l->getFelder()->setString("NAME", nummeriert("Lehrer", i));
        l->getFelder()->setString("VORNAME", "Jürgen");
        l->getFelder()->setInt("PFLICHTSTUNDEN", 24);
        auto fl = std::make_unique<c_Fachliste>();
        fl->push_back(fach(i));
        if (u.faecher > 1) fl->push_back(fach(i + 1));
        l->setFachliste(std::move(fl));
        lehrer.push_back(l);
        db.getLehrerliste()->push_back(l);
    }
    std::vector<c_Raum*> raeume;
    for (int i = 0; i < u.raeume; ++i) {
        auto* r = neu<c_Raum>(db.getRaumStruktur());
        r->getFelder()->setString("NAME", nummeriert("Raum", i));
        r->setAktiv(true);
        auto fl = std::make_unique<c_Fachliste>();
        fl->push_back(fach(i));
        r->setFachliste(std::move(fl));
        raeume.push_back(r);
        db.getRaumliste()->push_back(r);
    }
    // Teachers and rooms in use: all but the last.
    const int lehrerBenutzt = std::max(1, u.lehrer - 1), raeumeBenutzt = std::max(1, u.raeume - 1);
    auto lehrerNr = [&](long long i) { return lehrer[static_cast<std::size_t>(i % lehrerBenutzt)]; };
    auto raumNr = [&](long long i) { return raeume[static_cast<std::size_t>(i % raeumeBenutzt)]; };

    std::vector<c_Klasse*> klassen;
    for (int i = 0; i < u.klassen; ++i) {
        auto* k = neu<c_Klasse>(db.getKlasseStruktur());
        k->setJahrgangBez(5 + i % 8, static_cast<char>('a' + i / 8 % 26));
        k->setName(nummeriert("K", i));
        k->setKlassenlehrer(lehrerNr(i));
        k->setKlassenraum(raumNr(i));
        klassen.push_back(k);
        db.getKlassenliste()->push_back(k);
    }
    db.getKlassenliste()->sort();
    c_Klasse* klasse1 = db.getKlassenliste()->getKlasse(1);

    for (int i = 0; i < u.schueler; ++i) {
        auto* s = neu<c_Schueler>(db.getSchuelerStruktur());
        s->getFelder()->setString("NAME", nummeriert("Schüler", i));
        s->getFelder()->setString("VORNAME", i % 2 ? "Anna" : "Jörg");
        s->getFelder()->setString("ORT", "Köln");
        s->getFelder()->setInt("PLZ", 50667);
        s->setKlasse(i < u.klasse1 ? klasse1 : klassen[static_cast<std::size_t>(i % u.klassen)]);
        for (int z = 0; z < 3 && art == Jahr::Voll; ++z) {
            auto* note = neu<c_Zensur>(db.getZensurStruktur());
            note->getFelder()->setString("ZENSUR", std::to_string(1 + (i + z) % 6));
            note->getFelder()->setString("BEMERKUNG", "mündlich");
            note->setFach(fach(static_cast<long long>(i) * 3 + z));
            s->getZensurliste()->push_back(note);
        }
        auto* f = neu<c_Fehlzeit>(db.getFehlzeitStruktur());
        f->getFelder()->setInt("ATAG", 3);
        f->getFelder()->setInt("AMONAT", 3);
        f->getFelder()->setInt("AJAHR", 2025);
        f->getFelder()->setInt("ETAG", 4);
        f->getFelder()->setInt("EMONAT", 3);
        f->getFelder()->setInt("EJAHR", 2025);
        s->getFehlzeitliste()->push_back(f);
        db.getSchuelerliste()->push_back(s);
    }

    // Weekly lessons: teacher 1 first, then the others in turn; lessons 2..7 of the five days.
    for (int i = 0; i < u.termine; ++i) {
        auto* t = neu<c_Dauertermin>(db.getDauerterminStruktur());
        c_Lehrer* l = i < u.lehrer1 ? lehrer[0] : lehrerNr(1 + i % std::max(1, lehrerBenutzt - 1));
        t->setWochentag(TAGE[i / 6 % 5]);
        t->setAStd(2 + i % 6);
        t->setEStd(2 + i % 6);
        t->setLehrer(l);
        t->setRaum(raumNr(i));
        t->setKlasse(klassen[static_cast<std::size_t>(i % u.klassen)]);
        t->setFach(fach(i));
        l->setVergebeneStunden(l->getVergebeneStunden() + 1);
        db.getDauerterminliste()->push_back(t);
    }
    // Single appointments and substitutions from today on, N/160 a school day.
    const int jeTag = std::max(1, u.termine / 160);
    for (int i = 0; i < u.termine; ++i) {
        int tag, monat, jahr;
        schultag(i / jeTag, &tag, &monat, &jahr);
        auto* e = neu<c_Einzeltermin>(db.getEinzelterminStruktur());
        e->setDatum(tag, monat, jahr);
        e->setAStd(1 + i % 8);
        e->setEStd(1 + i % 8);
        e->setName(nummeriert("Termin", i));
        e->setLehrer(lehrerNr(static_cast<long long>(i) * 7));
        e->setRaum(raumNr(i));
        e->setKlasse(klassen[static_cast<std::size_t>(i % u.klassen)]);
        e->setFach(fach(i));
        db.getEinzelterminliste()->push_back(e);

        auto* v = neu<c_Vertretungstermin>(db.getVertretungsterminStruktur());
        v->setDatum(tag, monat, jahr);
        v->setAStd(2 + i % 6);
        v->setEStd(2 + i % 6);
        v->setName("Vertretung");
        v->setVertretenerLehrer(lehrerNr(i));
        v->setLehrer(lehrerNr(static_cast<long long>(i) + 7));
        v->setRaum(raumNr(i));
        v->setKlasse(klassen[static_cast<std::size_t>(i % u.klassen)]);
        v->setFach(fach(i));
        db.getVertretungsterminliste()->push_back(v);
    }
    db.getFachliste()->sort();
    db.getLehrerliste()->sort();
    db.getRaumliste()->sort();
    db.getSchuelerliste()->sort();
    db.getEinzelterminliste()->sort();
    db.getVertretungsterminliste()->sort();
    if (sv.save(AKTUELLE_DATEI) != 1) std::fprintf(stderr, "aktuell.sdb konnte nicht gespeichert werden\n");
}

// ---------------------------------------------------------------- measuring

double sekundenSeit(Uhr::time_point a) { return std::chrono::duration<double>(Uhr::now() - a).count(); }

long rssMB() {
    std::ifstream in("/proc/self/status");
    std::string zeile;
    while (std::getline(in, zeile))
        if (zeile.rfind("VmRSS:", 0) == 0) return std::atol(zeile.c_str() + 6) / 1024;
    return 0;
}

struct Ergebnis {
    double ziel = 0;
    std::map<int, std::vector<double>> zeiten;  // by size
    std::string zusatz;                         // e.g. the memory of the print window
};
std::map<std::string, Ergebnis> g_ergebnisse;
std::vector<std::string> g_reihenfolge;

std::string aktionsName(Jahr art, const char* was) { return std::string(jahrName(art)) + "  " + was; }

void notiere(Jahr art, const char* was, double ziel, int n, double s) {
    const std::string name = aktionsName(art, was);
    if (!g_ergebnisse.count(name)) g_reihenfolge.push_back(name);
    Ergebnis& e = g_ergebnisse[name];
    e.ziel = ziel;
    e.zeiten[n].push_back(s);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// ---------------------------------------------------------------- one window

template <class T = QWidget>
T* kind(QWidget* w, int id) {
    return w->findChild<T*>(QString("id%1").arg(id));
}

struct Lauf {
    Jahr art;
    int n;
    AufzeichnenderDateiDialog* dateien;
    std::string ausgabe;  // folder of this year's outputs, empty without --ausgabe

    bool mitAusgabe() const { return !ausgabe.empty(); }
    std::string datei(const std::string& name) const { return ausgabe + "/" + name; }
    void speichereJahr(TMainWindow& w, const std::string& name) const {
        if (mitAusgabe()) w.schulverwaltung()->save(datei(name + ".sdb").c_str());
    }
};

// A window on aktuell.sdb, shown on the timetable week of today; the set-up time in `start`.
std::unique_ptr<TMainWindow> oeffne(double* start) {
    auto w = std::make_unique<TMainWindow>();
    w->resize(900, 560);
    w->show();
    const auto t0 = Uhr::now();
    w->setupFenster();
    if (start) *start = sekundenSeit(t0);
    w->setWoche(HEUTE_T, HEUTE_M, HEUTE_J);
    QApplication::processEvents();
    return w;
}

// Runs `befehl` and presses OK in the modal dialog T once it shows, after `vorbereiten`;
// the time from the press to the end of the command.
template <class T>
double mitDialog(TMainWindow& w, int befehl, std::function<void(T*)> vorbereiten,
                 std::function<void(T*)> ok) {
    Uhr::time_point t0{};
    bool gefunden = false;
    beiModalemFenster<T>(
        [&](T* d) {
            if (vorbereiten) vorbereiten(d);
            t0 = Uhr::now();
            ok(d);
        },
        &gefunden);
    w.befehl(befehl);
    const double s = sekundenSeit(t0);
    if (!gefunden) std::fprintf(stderr, "Dialog zu Befehl %d erschien nicht\n", befehl);
    return gefunden ? s : -1;
}

void klickeOk(QWidget* d) { kind<QPushButton>(d, 1)->click(); }

double exportiere(TMainWindow& w, const Lauf& l, int gebiet, bool zensuren, const std::string& datei) {
    l.dateien->antworte(datei);
    const double s = mitDialog<TExportDialog>(
        w, CM_EXPORTIEREN,
        [&](TExportDialog* d) {
            kind<QRadioButton>(d, gebiet)->setChecked(true);
            kind<QCheckBox>(d, 409)->setChecked(zensuren);
        },
        [](TExportDialog* d) { klickeOk(d); });
    return s;
}

// From "Weiter >>" until the print window with the student list with grades is shown.
double druckfenster(TMainWindow& w, const Lauf& l, std::string* mehr) {
    Uhr::time_point t0{};
    double s = -1;
    long rssVorher = 0, rssNachher = 0;
    bool dialog = false, fenster = false;
    beiModalemFenster<TDruckerDialog>(
        [&](TDruckerDialog* d) {
            kind<QRadioButton>(d, 404)->setChecked(true);
            kind<QCheckBox>(d, 409)->setChecked(true);
            beiModalemFenster<TPrintMainWindow>(
                [&](TPrintMainWindow* f) {
                    s = sekundenSeit(t0);
                    rssNachher = rssMB();
                    if (l.mitAusgabe()) {
                        std::ofstream aus(l.datei("druckfenster-404-zensuren.txt"), std::ios::binary);
                        aus << f->richEdit()->document()->toPlainText().toStdString();
                    }
                    f->close();
                },
                &fenster);
            rssVorher = rssMB();
            t0 = Uhr::now();
            klickeOk(d);
        },
        &dialog);
    w.befehl(CM_DRUCKEN);
    if (!fenster) std::fprintf(stderr, "Das Druckfenster erschien nicht\n");
    char b[64];
    std::snprintf(b, sizeof b, "%+ld MB", rssNachher - rssVorher);
    *mehr = b;
    return s;
}

// Absences of `anzahl` teachers (spread over the list, teacher 1 among them) on today and
// tomorrow; teachers that have one already keep it.
void fehlzeitenFuer(TMainWindow& w, int anzahl) {
    c_Schulverwaltung& sv = *w.schulverwaltung();
    c_Lehrerliste& liste = *sv.getLehrerliste();
    const int n = static_cast<int>(liste.size());
    anzahl = std::min(anzahl, n);
    for (int i = 0; i < anzahl; ++i) {
        c_Lehrer* l = liste.getLehrer(1 + static_cast<int>(static_cast<long long>(i) * n / anzahl));
        if (!l->getFehlzeitliste()->empty()) continue;
        auto* f = neu<c_Fehlzeit>(sv.getFehlzeitStruktur());
        f->getFelder()->setInt("ATAG", HEUTE_T);
        f->getFelder()->setInt("AMONAT", HEUTE_M);
        f->getFelder()->setInt("AJAHR", HEUTE_J);
        f->getFelder()->setInt("ETAG", HEUTE_T + 1);
        f->getFelder()->setInt("EMONAT", HEUTE_M);
        f->getFelder()->setInt("EJAHR", HEUTE_J);
        l->getFehlzeitliste()->push_back(f);
    }
}

// The report texts of every area as the print dialog builds them (UTF-8, LF).
void schreibeBerichte(TMainWindow& w, const Lauf& l) {
    for (int gebiet = GEBIET_STUNDENPLAENE; gebiet <= GEBIET_RAUMLISTE; ++gebiet)
        for (bool zensuren : {false, true}) {
            if (zensuren && gebiet != GEBIET_SCHUELERLISTE && gebiet != GEBIET_KLASSENUEBERSICHT) continue;
            if (zensuren && gebiet == GEBIET_SCHUELERLISTE && l.art == Jahr::Breit) continue;  // N * N lines
            c_Berichtskontext k;
            k.schulverwaltung = w.schulverwaltung();
            k.lehrer = w.schulverwaltung()->getLehrerliste()->getLehrer(1);
            k.tag = HEUTE_T;
            k.monat = HEUTE_M;
            k.jahr = HEUTE_J;
            k.klassenIndex = 0;
            k.zensuren = zensuren;
            c_Textpuffer puffer;
            c_Bericht(k, Ausgabeart::Druck, puffer).writeGebiet(gebiet);
            std::ofstream aus(l.datei("druck-" + std::to_string(gebiet) + (zensuren ? "-zensuren" : "") + ".txt"),
                              std::ios::binary);
            aus << puffer.text();
        }
}

// Everything that leaves the year as it was (the substitution plans come last, they change it).
void lesendeAktionen(const Lauf& l) {
    const Jahr a = l.art;
    const bool voll = a == Jahr::Voll;
    double start = 0;
    auto w = oeffne(&start);
    if (gewaehlt(aktionsName(a, "Start"))) notiere(a, "Start", 2.0, l.n, start);

    if (gewaehlt(aktionsName(a, "Schüler-Dialog OK ohne Änderung"))) {
        w->waehleReiter(REITER_SCHUELER);
        kind<TListenAnsicht>(w.get(), 103)->setFokusZeile(l.n / 2);
        const double s = mitDialog<TSchuelerDialog>(*w, CM_AENDERN, nullptr, [](TSchuelerDialog* d) { klickeOk(d); });
        notiere(a, "Schüler-Dialog OK ohne Änderung", 0.2, l.n, s);
    }
    struct Ex {
        int gebiet;
        bool zensuren;
        const char* name;
    };
    const Ex exporte[] = {{401, false, "Export 401 alle Stundenpläne"},
                          {402, false, "Export 402 Stundenplan"},
                          {403, false, "Export 403 Vertretungsplan"},
                          {404, false, "Export 404 Schülerliste"},
                          {404, true, "Export 404 Schülerliste mit Zensuren"},
                          {405, true, "Export 405 Klassenübersicht mit Zensuren"},
                          {406, false, "Export 406 Lehrerliste"},
                          {407, false, "Export 407 Raumliste"}};
    for (const Ex& e : exporte) {
        if (!gewaehlt(aktionsName(a, e.name)) && !l.mitAusgabe()) continue;
        if (!voll && e.gebiet == 404 && e.zensuren) continue;  // N subjects: N * N lines
        const std::string datei = l.mitAusgabe() ? l.datei(std::string("export-") + std::to_string(e.gebiet) +
                                                           (e.zensuren ? "-zensuren" : "") + ".txt")
                                                 : "export.txt";
        const double s = exportiere(*w, l, e.gebiet, e.zensuren, datei);
        notiere(a, e.name, voll ? 0.5 : 1.0, l.n, s);
    }
    if (l.mitAusgabe()) schreibeBerichte(*w, l);
    if (voll && gewaehlt(aktionsName(a, "Druckfenster 404 mit Zensuren"))) {
        std::string mehr;
        const double s = druckfenster(*w, l, &mehr);
        notiere(a, "Druckfenster 404 mit Zensuren", 0.5, l.n, s);
        g_ergebnisse[aktionsName(a, "Druckfenster 404 mit Zensuren")].zusatz = mehr;
    }
    struct Plan {
        int abwesend;
        const char* name;
        double ziel;
    };
    const Plan plaene[] = {{5, "Vertretungsplan 5 abwesend", 0.2},
                           {50, "Vertretungsplan 50 abwesend", 0.1},
                           {500, "Vertretungsplan 500 abwesend", 0.2},
                           {1 << 30, "Vertretungsplan alle abwesend", 1.0}};
    for (const Plan& p : plaene) {
        const std::string allein = std::string(p.name) + ", nur Planung";
        const bool mitFenster = gewaehlt(aktionsName(a, p.name));
        if (!mitFenster && !gewaehlt(aktionsName(a, allein.c_str())) && !l.mitAusgabe()) continue;
        fehlzeitenFuer(*w, p.abwesend);
        auto t0 = Uhr::now();
        w->befehl(CM_VERTRETUNGSPLAN_ERSTELLEN);
        if (mitFenster) notiere(a, p.name, p.ziel, l.n, sekundenSeit(t0));
        l.speichereJahr(*w, std::string("nach-") + p.name);
        // The planner alone, without the window's refresh: planned once more, to the same plan.
        if (!gewaehlt(aktionsName(a, allein.c_str()))) continue;
        std::string fehler;
        t0 = Uhr::now();
        c_Vertretungsplanerstellung(w->schulverwaltung(), &fehler).createVertretungsplan();
        notiere(a, allein.c_str(), p.ziel, l.n, sekundenSeit(t0));
    }
}

// The deletes and the school-year change, one after the other on one window.
void aendernde(const Lauf& l) {
    const Jahr a = l.art;
    const char* klasse = a == Jahr::Voll ? "Klasse löschen (N/64 Schüler)" : "Klasse löschen";
    bool etwas = l.mitAusgabe();
    for (const char* name : {"Schüler löschen", "Lehrer löschen", "Raum löschen", klasse, "Schuljahreswechsel"})
        etwas = etwas || gewaehlt(aktionsName(a, name));
    if (!etwas) return;
    auto w = oeffne(nullptr);
    c_Schulverwaltung& sv = *w->schulverwaltung();
    auto loesche = [&](const char* name, int reiter, int liste, int zeile) {
        if (!gewaehlt(aktionsName(a, name)) && !l.mitAusgabe()) return;
        w->waehleReiter(reiter);
        kind<TListenAnsicht>(w.get(), liste)->setFokusZeile(zeile);
        const auto t0 = Uhr::now();
        w->befehl(CM_LOESCHEN);
        notiere(a, name, 0.2, l.n, sekundenSeit(t0));
        l.speichereJahr(*w, std::string("nach-") + name);
    };
    loesche("Schüler löschen", REITER_SCHUELER, 103, l.n / 2);
    const std::string letzterLehrer = nummeriert("Lehrer", umfang(a, l.n).lehrer - 1);
    int zeile = 0;
    for (const c_Lehrer* x : *sv.getLehrerliste()) {
        if (x->getName() == letzterLehrer) break;
        ++zeile;
    }
    loesche("Lehrer löschen", REITER_LEHRER, 104, zeile);
    const std::string letzterRaum = nummeriert("Raum", umfang(a, l.n).raeume - 1);
    zeile = 0;
    for (const c_Raum* x : *sv.getRaumliste()) {
        if (x->getName() == letzterRaum) break;
        ++zeile;
    }
    loesche("Raum löschen", REITER_RAEUME, 102, zeile);
    if (gewaehlt(aktionsName(a, klasse)) || l.mitAusgabe()) {
        w->waehleReiter(REITER_KLASSEN);
        kind<QComboBox>(w.get(), 107)->setCurrentIndex(1);
        const auto t0 = Uhr::now();
        w->befehl(CM_LOESCHEN);
        notiere(a, klasse, 0.2, l.n, sekundenSeit(t0));
        l.speichereJahr(*w, "nach-Klasse löschen");
    }
    if (gewaehlt(aktionsName(a, "Schuljahreswechsel")) || l.mitAusgabe()) {
        const double s = mitDialog<TSchuljahrwechselDialog>(*w, CM_SCHULJAHRESWECHSEL, nullptr,
                                                            [](TSchuljahrwechselDialog* d) { d->CmOk(); });
        notiere(a, "Schuljahreswechsel", 0.3, l.n, s);
        l.speichereJahr(*w, "nach-Schuljahreswechsel");
    }
}

// ---------------------------------------------------------------- table

std::string zahl(double s) {
    char b[32];
    if (s < 0)
        std::snprintf(b, sizeof b, "%s", "-");
    else if (s < 10)
        std::snprintf(b, sizeof b, "%.3f", s);
    else
        std::snprintf(b, sizeof b, "%.1f", s);
    return b;
}

// `text` padded with spaces to `breite` characters (UTF-8 counted by characters).
std::string links(const std::string& text, std::size_t breite) {
    std::size_t zeichen = 0;
    for (unsigned char c : text) zeichen += (c & 0xC0) != 0x80;
    return text + std::string(zeichen < breite ? breite - zeichen : 0, ' ');
}

void drucke() {
    std::printf("\n%s", links("Aktion (Sekunden, Median)", 48).c_str());
    for (int n : g_opt.groessen) std::printf(" %9d", n);
    std::printf("   Ziel   Wachstum je Verdopplung\n");
    for (const std::string& name : g_reihenfolge) {
        const Ergebnis& e = g_ergebnisse[name];
        std::printf("%s", links(name, 48).c_str());
        std::vector<double> m;
        for (int n : g_opt.groessen) {
            auto it = e.zeiten.find(n);
            const double x = it == e.zeiten.end() ? -1 : median(it->second);
            m.push_back(x);
            std::printf(" %8s%s", zahl(x).c_str(), x > e.ziel ? "!" : " ");
        }
        std::printf(" %6s ", zahl(e.ziel).c_str());
        for (std::size_t i = 1; i < m.size(); ++i) {
            if (m[i - 1] <= 0 || m[i] < 0) continue;
            const double f = m[i] / m[i - 1];
            std::printf(" x%.2f%s", f, f > 2.3 && m[i] >= 0.02 ? "!" : "");
        }
        if (!e.zusatz.empty()) std::printf("  (%s)", e.zusatz.c_str());
        std::printf("\n");
    }
    std::fflush(stdout);
}

std::vector<int> zahlen(const char* text) {
    std::vector<int> v;
    for (const char* p = text; *p;) {
        v.push_back(std::atoi(p));
        while (*p && *p != ',') ++p;
        if (*p) ++p;
    }
    return v;
}

}  // namespace

// Drops the offscreen platform's note on every shown window.
static void nachricht(QtMsgType typ, const QMessageLogContext& ort, const QString& text) {
    if (text.contains(QStringLiteral("propagateSizeHints"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    (void)typ;
    (void)ort;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(nachricht);
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--filter" && i + 1 < argc)
            g_opt.filter.push_back(argv[++i]);
        else if (a == "--schnell")
            g_opt.schnell = true;
        else if (a == "--groessen" && i + 1 < argc)
            g_opt.groessen = zahlen(argv[++i]);
        else if (a == "--ausgabe" && i + 1 < argc)
            g_opt.ausgabe = fs::absolute(argv[++i]).string();
        else {
            std::fprintf(stderr,
                         "Aufruf: %s [--filter TEXT]... [--schnell] [--groessen 8000,16000,32000] [--ausgabe ORDNER]\n",
                         argv[0]);
            return 2;
        }
    }
    int qargc = 1;
    QApplication app(qargc, argv);
    installiereDeutscheUebersetzung(app);
    AufzeichnenderMeldungsDienst meldungen;  // every question answered Yes, every message OK
    MeldungsDienstTausch meldungenTausch(meldungen);
    AufzeichnenderDateiDialog dateien;
    DateiDialogTausch dateienTausch(dateien);
    setHeute(HEUTE_T, HEUTE_M, HEUTE_J);
    const int laeufe = g_opt.schnell || !g_opt.ausgabe.empty() ? 1 : 3;

    for (Jahr art : {Jahr::Voll, Jahr::Breit}) {
        // A filter that names only the other year leaves this one out.
        const bool nurJahre = !g_opt.filter.empty() &&
                              std::all_of(g_opt.filter.begin(), g_opt.filter.end(),
                                          [](const std::string& f) { return f == "voll" || f == "breit"; });
        if (nurJahre && !gewaehlt(jahrName(art))) continue;
        for (int n : g_opt.groessen) {
            planung_schule::Arbeitsordner ordner;
            const auto t0 = Uhr::now();
            baueJahr(art, n);
            std::fprintf(stderr, "%s %d: Jahrgang gebaut in %.1f s, %.1f MB\n", jahrName(art), n, sekundenSeit(t0),
                         static_cast<double>(fs::file_size(AKTUELLE_DATEI)) / 1e6);
            Lauf l{art, n, &dateien, std::string()};
            if (!g_opt.ausgabe.empty()) {
                l.ausgabe = g_opt.ausgabe + "/" + jahrName(art) + "-" + std::to_string(n);
                fs::create_directories(l.ausgabe);
                fs::copy_file(AKTUELLE_DATEI, l.datei("jahrgang.sdb"), fs::copy_options::overwrite_existing);
            }
            for (int lauf = 0; lauf < laeufe; ++lauf) {
                lesendeAktionen(l);
                aendernde(l);
                std::fprintf(stderr, "%s %d: Lauf %d fertig\n", jahrName(art), n, lauf + 1);
            }
        }
    }
    drucke();
    return 0;
}
