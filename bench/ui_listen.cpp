// Time of the main window's list refreshers on a year at the list limits: 32000 students,
// 32000 teachers, 32000 single appointments, each list filled by its refresher.
//
//   bench_ui_listen [repetitions, default 3]
//
// Works off screen in a temporary folder; each figure is the best of the repetitions.

#include "app/hauptfenster.h"
#include "model/datensaetze.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/listenansicht.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>

using Uhr = std::chrono::steady_clock;

namespace {

constexpr int kAnzahl = 32000;

void baueJahrgang() {
    c_Schulverwaltung sv;  // writes the standard structure file
    std::string fehler;
    sv.reset(&fehler);
    c_Database& db = *sv.getDatabase();
    for (int i = 0; i < kAnzahl; ++i) {
        auto* s = new c_Schueler;
        s->setFelder(std::make_unique<c_Datenliste>(*db.getSchuelerStruktur()));
        s->getFelder()->setString("NAME", "Name" + std::to_string(i));
        s->getFelder()->setString("VORNAME", "Vorname");
        s->getFelder()->setInt("PLZ", 10000 + i);
        db.getSchuelerliste()->push_back(s);
        auto* l = new c_Lehrer;
        l->setFelder(std::make_unique<c_Datenliste>(*db.getLehrerStruktur()));
        l->getFelder()->setString("NAME", "Lehrer" + std::to_string(i));
        db.getLehrerliste()->push_back(l);
        auto* e = new c_Einzeltermin;
        e->setFelder(std::make_unique<c_Datenliste>(*db.getEinzelterminStruktur()));
        e->setDatum(1 + i % 28, 1 + i / 28 % 12, 2024);
        e->setName("Termin");
        db.getEinzelterminliste()->push_back(e);
    }
    db.getSchuelerliste()->sort();
    db.getLehrerliste()->sort();
    db.getEinzelterminliste()->sort();
    sv.save(AKTUELLE_DATEI);
}

double besteZeit(int wiederholungen, const std::function<void()>& schritt) {
    double beste = 1e30;
    for (int w = 0; w < wiederholungen; ++w) {
        const auto start = Uhr::now();
        schritt();
        beste = std::min(beste, std::chrono::duration<double, std::milli>(Uhr::now() - start).count());
    }
    return beste;
}

}  // namespace

int main(int argc, char** argv) {
    const int wiederholungen = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    namespace fs = std::filesystem;
    const fs::path alt = fs::current_path();
    const fs::path ordner = fs::temp_directory_path() / ("orvask-bench-listen-" + std::to_string(::getpid()));
    fs::create_directories(ordner);
    fs::current_path(ordner);
    {
        baueJahrgang();
        TMainWindow w;
        w.resize(900, 560);
        w.setupFenster();
        const struct {
            const char* name;
            std::function<void()> schritt;
        } listen[] = {
            {"Schüler", [&w] { w.updateSchueler(); }},
            {"Lehrer", [&w] { w.updateLehrer(); }},
            {"Einzeltermine", [&w] { w.updateEinzeltermine(); }},
        };
        for (const auto& l : listen)
            std::printf("%d %s in die Liste: %.1f ms\n", kAnzahl, l.name, besteZeit(wiederholungen, l.schritt));
    }
    fs::current_path(alt);
    fs::remove_all(ordner);
    return 0;
}
