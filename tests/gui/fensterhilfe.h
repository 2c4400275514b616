// Shared by the window tests: a scratch working folder with the message and
// file dialog doubles, a small known year, a main window on it, controls by
// id, and screenshots into the build folder.
#pragma once

#include "app/hauptfenster.h"
#include "model/datum.h"
#include "platform/text.h"
#include "platform/ui/dateidialog.h"
#include "platform/ui/meldung.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

inline std::string dateiInhalt(const std::string& pfad) {
    std::ifstream in(pfad, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Builds and saves a small year: two subjects, two teachers, two rooms, a class,
// two students, weekly, single and substitution appointments in the week of
// Monday 4.3.2024.
inline void schreibeJahrgang(const char* datei) {
    c_Schulverwaltung sv;  // writes the standard structure file on a first start
    std::string fehler;
    sv.reset(&fehler);  // and now reads it
    auto felder = [](c_Datenliste* vorlage) { return std::make_unique<c_Datenliste>(*vorlage); };
    auto fach = [&](const char* name) {
        auto f = std::make_unique<c_Fach>(name);
        c_Fach* p = f.get();
        sv.addFach(f);
        return p;
    };
    c_Fach* mathe = fach("Mathematik");
    c_Fach* deutsch = fach("Deutsch");
    auto lehrer = [&](const char* name, const char* vorname, c_Fach* f) {
        auto l = std::make_unique<c_Lehrer>();
        l->setFelder(felder(sv.getLehrerStruktur()));
        l->getFelder()->setString("NAME", name);
        l->getFelder()->setString("VORNAME", vorname);
        l->getFelder()->setInt("PFLICHTSTUNDEN", 24);
        auto fl = std::make_unique<c_Fachliste>();
        fl->push_back(f);
        l->setFachliste(std::move(fl));
        c_Lehrer* p = l.get();
        sv.addLehrer(l);
        return p;
    };
    c_Lehrer* mueller = lehrer("Müller", "Anna", mathe);
    c_Lehrer* schmidt = lehrer("Schmidt", "Bernd", deutsch);
    auto raum = [&](const char* name, bool aktiv) {
        auto r = std::make_unique<c_Raum>();
        r->setFelder(felder(sv.getRaumStruktur()));
        r->getFelder()->setString("NAME", name);
        r->setAktiv(aktiv);
        r->setFachliste(std::make_unique<c_Fachliste>());
        c_Raum* p = r.get();
        sv.addRaum(r);
        return p;
    };
    raum("A001", false);
    c_Raum* r101 = raum("R101", true);
    auto k = std::make_unique<c_Klasse>();
    k->setFelder(felder(sv.getKlasseStruktur()));
    k->setJahrgangBez(5, 'a');
    k->setName("Sonnen");
    k->setKlassenlehrer(mueller);
    k->setKlassenraum(r101);
    c_Klasse* klasse = k.get();
    sv.addKlasse(k);
    for (const char* name : {"Zander", "Adler"}) {
        auto s = std::make_unique<c_Schueler>();
        s->setFelder(felder(sv.getSchuelerStruktur()));
        s->getFelder()->setString("NAME", name);
        s->getFelder()->setString("VORNAME", "Kim");
        s->setKlasse(klasse);
        sv.addSchueler(s);
    }
    auto d = std::make_unique<c_Dauertermin>();
    d->setFelder(felder(sv.getDauerterminStruktur()));
    d->setWochentag("Dienstag");
    d->setAStd(2);
    d->setEStd(3);
    d->setKlasse(klasse);
    d->setLehrer(schmidt);
    d->setRaum(r101);
    d->setFach(deutsch);
    sv.addDauertermin(d);
    auto e = std::make_unique<c_Einzeltermin>();
    e->setFelder(felder(sv.getEinzelterminStruktur()));
    e->setDatum(6, 3, 2024);
    e->setAStd(4);
    e->setEStd(4);
    e->setName("Ausflug");
    e->setKlasse(klasse);
    e->setLehrer(mueller);
    sv.addEinzeltermin(e);
    auto v = std::make_unique<c_Vertretungstermin>();
    v->setFelder(felder(sv.getVertretungsterminStruktur()));
    v->setDatum(5, 3, 2024);
    v->setAStd(3);
    v->setEStd(3);
    v->setName("Vertretung");
    v->setKlasse(klasse);
    v->setRaum(r101);
    v->setLehrer(mueller);
    v->setVertretenerLehrer(schmidt);
    sv.addVertretungstermin(v);
    ASSERT_EQ(sv.save(datei), 1);
}

class FensterTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_alt = fs::current_path();
        m_ordner = fs::temp_directory_path() / ("orvask-gui-" + std::to_string(::getpid()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_ordner);
        fs::create_directories(m_ordner);
        fs::current_path(m_ordner);
        text::setIgnoreCase(false);
        setHeute(5, 3, 2024);  // a Tuesday
        setzeMeldungsDienst(&m_meldungen);
        setzeDateiDialogDienst(&m_dateien);
    }
    void TearDown() override {
        setzeMeldungsDienst(nullptr);
        setzeDateiDialogDienst(nullptr);
        setHeute(0, 0, 0);
        fs::current_path(m_alt);
        fs::remove_all(m_ordner);
    }
    // A main window on a fresh year (the standard templates are written first).
    std::unique_ptr<TMainWindow> fenster(bool mitJahrgang = true) {
        if (mitJahrgang) schreibeJahrgang(AKTUELLE_DATEI);
        auto w = std::make_unique<TMainWindow>();
        w->resize(900, 560);
        w->setupFenster();
        return w;
    }
    template <class T>
    static T* kind(QWidget* w, int id) {
        return w->findChild<T*>(QString("id%1").arg(id));
    }
    // Saves a picture of the window into the build folder.
    void bild(QWidget* w, const char* name) {
        const fs::path ziel = m_alt / ("bild-" + std::string(name) + ".png");
        w->grab().save(QString::fromStdString(ziel.string()));
    }

    fs::path m_alt, m_ordner;
    AufzeichnenderMeldungsDienst m_meldungen;
    AufzeichnenderDateiDialog m_dateien;
};
