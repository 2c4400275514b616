// The window tests with the test plug-ins: plug-ins copied into plugins/,
// the calls they record, the main window in its frame, and modal dialogs.
#pragma once

#include "app/anwendung.h"
#include "app/plugin.h"
#include "fensterhilfe.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

class PluginTest : public FensterTest {
protected:
    void SetUp() override {
        FensterTest::SetUp();
        m_protokoll = (m_ordner / "protokoll.txt").string();
        setenv("ORVASK_TEST_PROTOKOLL", m_protokoll.c_str(), 1);
        unsetenv("ORVASK_TEST_QUELLE");
        unsetenv("ORVASK_TEST_SICHERUNG_WEG");
        schreibeJahrgang("jahr_a.sdb");
        // Year B: year A and one more student.
        c_Schulverwaltung sv;
        std::string fehler;
        ASSERT_TRUE(sv.load("jahr_a.sdb", &fehler)) << fehler;
        neuerSchueler(&sv, "Neumann");
        ASSERT_EQ(sv.save("jahr_b.sdb"), 1);
        fs::copy_file("jahr_a.sdb", AKTUELLE_DATEI);
    }
    void TearDown() override {
        unsetenv("ORVASK_TEST_PROTOKOLL");
        unsetenv("ORVASK_TEST_QUELLE");
        unsetenv("ORVASK_TEST_SICHERUNG_WEG");
        FensterTest::TearDown();
    }

    // Copies the test plug-in `quelle` into plugins/ as `ziel`.
    static void plugin(const char* quelle, const std::string& ziel) {
        fs::create_directories(PLUGIN_ORDNER);
        fs::copy_file(std::string(ORVASK_TESTPLUGINS) + "/" + quelle + ".so", fs::path(PLUGIN_ORDNER) / ziel,
                      fs::copy_options::overwrite_existing);
    }
    static void neuerSchueler(c_Schulverwaltung* sv, const char* name) {
        auto s = std::make_unique<c_Schueler>();
        s->setFelder(std::make_unique<c_Datenliste>(*sv->getSchuelerStruktur()));
        s->getFelder()->setString("NAME", name);
        s->getFelder()->setString("VORNAME", "Kim");
        ASSERT_TRUE(sv->addSchueler(s));
    }
    // Year A cut off inside a record.
    static std::string kaputt() {
        const std::string a = dateiInhalt("jahr_a.sdb");
        return a.substr(0, a.find("\r\n/Klasse\r\n", a.find("/DATABEGIN")) + 15);
    }
    static void schreibe(const std::string& datei, const std::string& bytes) {
        std::ofstream(datei, std::ios::binary) << bytes;
    }
    // The calls the plug-ins recorded since the last look, one per line.
    std::vector<std::string> protokoll() {
        std::vector<std::string> zeilen;
        std::ifstream in(m_protokoll);
        for (std::string z; std::getline(in, z);) zeilen.push_back(z);
        in.close();
        fs::remove(m_protokoll);
        return zeilen;
    }
    static std::string start(const char* plugin, const void* fenster) {
        char zeile[80];
        std::snprintf(zeile, sizeof zeile, "%s:start:%p", plugin, fenster);
        return zeile;
    }
    static std::size_t schueler(TMainWindow* w) { return w->schulverwaltung()->getSchuelerliste()->size(); }
    static bool geladen(const std::string& datei) {
        void* h = dlopen(fs::absolute(fs::path(PLUGIN_ORDNER) / datei).c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (h) dlclose(h);
        return h != nullptr;
    }
    // The main window in its frame, which holds the popup.
    std::unique_ptr<THauptrahmen> rahmen() {
        auto* client = new TMainWindow;
        auto r = std::make_unique<THauptrahmen>(client);
        client->resize(900, 560);
        client->setupFenster();
        return r;
    }
    static QMenu* popup(THauptrahmen* r) {
        for (QAction* a : r->menuBar()->actions())
            if (a->text() == "&Erweiterungen") return a->menu();
        return nullptr;
    }
    static QStringList eintraege(QMenu* m) {
        QStringList l;
        for (QAction* a : m->actions()) l << a->text() + " " + a->objectName();
        return l;
    }
    // Lets the event loop run until `fertig` holds, at most `schlaege` beats of a 10 ms timer.
    // Timers fire in the order they fall due, so n beats let every timer due within n * 10 ms
    // fire (the reload that waits for a dialog retries every 100 ms), however busy the machine
    // is: beats are counted, not time. True when `fertig` held.
    static bool warteBis(const std::function<bool()>& fertig, int schlaege = 200) {
        QTimer takt;
        int geschlagen = 0;
        QObject::connect(&takt, &QTimer::timeout, [&geschlagen] { ++geschlagen; });
        takt.start(10);
        while (geschlagen < schlaege && !fertig()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return fertig();
    }
    // Runs `schritt` on the modal dialog that opens next.
    static void imDialog(std::function<void(QWidget*)> schritt) {
        QTimer::singleShot(0, [schritt] {
            QWidget* d = QApplication::activeModalWidget();
            ASSERT_NE(d, nullptr);
            schritt(d);
            if (QApplication::activeModalWidget() == d) d->close();
        });
    }

    std::string m_protokoll;
};

using Zeilen = std::vector<std::string>;
