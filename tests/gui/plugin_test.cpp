// The plug-in host with the test plug-ins: scan, tabs and popup, the calls
// and their order, the extensions dialog, the change notification, the
// reload with its fall-back, and updatesv.
#include "platform/ui/listenansicht.h"
#include "platform/ui/qtext.h"
#include "pluginhilfe.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include <thread>

namespace {

TEST_F(PluginTest, ScanFindsTheLibrariesInNameOrderWithTabsPopupAndIds) {
    plugin("fenster", "a_fenster.so");
    plugin("ohnefenster", "b_ohne.so");
    plugin("leer", "c_leer.so");
    schreibe("plugins/d_kaputt.so", "keine Bibliothek\n");
    plugin("ohnename", "e_ohnename.so");
    plugin("fenster", "f_kein_so.dll");
    fs::create_directories("plugins/g_ordner.so");

    auto r = rahmen();
    TMainWindow* w = r->client();
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().caption, "Fehler");
    EXPECT_EQ(m_meldungen.letzte().flags, 48);
    // The loader's reason in German, not its own English words.
    EXPECT_EQ(m_meldungen.letzte().text, "Die Erweiterung plugins/d_kaputt.so konnte nicht geladen werden:\n"
                                         "Die Datei d_kaputt.so ist keine ladbare Bibliothek (zu kurz).\n");

    QStringList liste;
    for (const c_Plugin* p : *w->pluginliste())
        liste << QString("%1|%2|%3|%4")
                     .arg(qs(p->getDateiname()), qs(p->getName()))
                     .arg(p->hasGui())
                     .arg(p->getMenueId());
    EXPECT_EQ(liste, QStringList({"a_fenster.so|Testfenster|1|2000", "b_ohne.so|Testlauf & Import|0|2001",
                                  "c_leer.so|plugins/c_leer.so|0|2002", "e_ohnename.so|plugins/e_ohnename.so|1|2003"}));

    auto* reg = kind<QTabWidget>(w, 101);
    ASSERT_EQ(reg->count(), 9);
    EXPECT_EQ(reg->tabText(7), "Testfenster");
    EXPECT_EQ(reg->tabText(8), "plugins/e_ohnename.so");
    QMenu* m = popup(r.get());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(eintraege(m), QStringList({"Testlauf && Import befehl2001", "plugins/c_leer.so befehl2002"}));

    // Set-up: each windowed plug-in started with the main window, hidden with
    // the first tab, told of the saved data; the others are not called.
    EXPECT_EQ(protokoll(), Zeilen({start("fenster", w), start("ohnename", w), "fenster:hide", "ohnename:hide",
                                   "fenster:update", "ohnename:update"}));
    EXPECT_TRUE(fs::exists(SICHERUNGS_DATEI));

    // Shut-down: close, the plug-in's window destroyed, and only then the library unloaded.
    ASSERT_TRUE(geladen("a_fenster.so"));
    r.reset();
    EXPECT_EQ(protokoll(), Zeilen({"fenster:close", "fenster:fenster-zerstoert", "fenster:entladen"}));
    EXPECT_FALSE(geladen("a_fenster.so"));
    EXPECT_FALSE(geladen("e_ohnename.so"));
}

TEST_F(PluginTest, TabsAndCommandsReachTheWindowedPluginOfTheActiveTab) {
    plugin("fenster", "a_fenster.so");
    plugin("ohnename", "b_ohnename.so");
    auto w = fenster(false);
    protokoll();
    auto* label = w->findChild<QLabel*>("erweiterungsfenster");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget(), w.get());
    EXPECT_FALSE(label->isVisibleTo(w.get()));

    w->waehleReiter(7);
    EXPECT_EQ(protokoll(), Zeilen({"fenster:hide", "ohnename:hide", "fenster:show"}));
    EXPECT_TRUE(label->isVisibleTo(w.get()));
    EXPECT_FALSE(kind<TListenAnsicht>(w.get(), 103)->isVisibleTo(w.get()));
    bild(w.get(), "erweiterung-reiter");

    // Neu, Ändern and Löschen call the plug-in of the tab, then the change notification.
    const Zeilen benachrichtigt = {"fenster:update", "ohnename:update"};
    const struct {
        int reiter;
        int befehl;
        const char* aufruf;  // null: the plug-in has no such function
    } faelle[] = {
        {7, CM_NEU, "fenster:neu"},
        {7, CM_AENDERN, "fenster:aendern"},
        {7, CM_LOESCHEN, "fenster:loeschen"},
        {8, CM_NEU, nullptr},
        {8, CM_LOESCHEN, nullptr},
    };
    for (const auto& f : faelle) {
        w->waehleReiter(f.reiter);
        protokoll();
        w->befehl(f.befehl);
        Zeilen erwartet;
        if (f.aufruf) erwartet.push_back(f.aufruf);
        erwartet.insert(erwartet.end(), benachrichtigt.begin(), benachrichtigt.end());
        EXPECT_EQ(protokoll(), erwartet) << f.reiter << " " << f.befehl;
    }
    EXPECT_TRUE(m_meldungen.meldungen().empty());

    w->waehleReiter(0);
    EXPECT_EQ(protokoll(), Zeilen({"fenster:hide", "ohnename:hide"}));
    EXPECT_FALSE(label->isVisibleTo(w.get()));
    EXPECT_TRUE(kind<TListenAnsicht>(w.get(), 103)->isVisibleTo(w.get()));
}

TEST_F(PluginTest, PopupAndChangeNotificationDependOnWhichPluginsThereAre) {
    const struct {
        const char* plugin;  // null: no plugins folder
        int reiter;
        bool popup;
        int eintraege;
        bool sicherung;  // the change notification saves aktuell.tmp
    } faelle[] = {
        {nullptr, 7, false, 0, false},
        {"ohnefenster", 7, true, 1, false},
        {"fenster", 8, true, 0, true},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.plugin ? f.plugin : "ohne");
        fs::remove_all(PLUGIN_ORDNER);
        fs::remove(SICHERUNGS_DATEI);
        if (f.plugin) plugin(f.plugin, "p" + std::to_string(++n) + ".so");
        auto r = rahmen();
        EXPECT_EQ(kind<QTabWidget>(r->client(), 101)->count(), f.reiter);
        QMenu* m = popup(r.get());
        EXPECT_EQ(m != nullptr, f.popup);
        if (m) {
            EXPECT_EQ(m->actions().size(), f.eintraege);
        }
        fs::remove(SICHERUNGS_DATEI);
        m_meldungen.antworte(IDYES);
        m_meldungen.antworte(IDNO);
        r->client()->befehl(CM_HALBJAHRESWECHSEL);
        EXPECT_EQ(r->client()->schulverwaltung()->getDauerterminliste()->size(), 0u);
        EXPECT_EQ(fs::exists(SICHERUNGS_DATEI), f.sicherung);
    }
}

TEST_F(PluginTest, ExtensionsDialogRunsTheChosenPluginBetweenSaveAndReload) {
    plugin("fenster", "a_fenster.so");
    plugin("ohnefenster", "b_ohne.so");
    setenv("ORVASK_TEST_QUELLE", (m_ordner / "jahr_b.sdb").c_str(), 1);
    auto w = fenster(false);
    neuerSchueler(w->schulverwaltung(), "Vorher");  // in memory only
    protokoll();

    QString name, titel;
    QStringList zeilen;
    std::string dialogStart;
    imDialog([&](QWidget* d) {
        name = d->objectName();
        titel = d->windowTitle();
        auto* liste = d->findChild<QListWidget*>("id771");
        ASSERT_NE(liste, nullptr);
        for (int i = 0; i < liste->count(); ++i) zeilen << liste->item(i)->text();
        bild(d, "erweiterungen-dialog");
        d->findChild<QPushButton*>("id1")->click();  // nothing chosen yet
        EXPECT_TRUE(d->isVisible());
        liste->setCurrentRow(0);
        dialogStart = start("ohnefenster", d);
        d->findChild<QPushButton*>("id1")->click();
    });
    w->befehl(CM_ERWEITERUNGEN);

    EXPECT_EQ(name, "id770");
    EXPECT_EQ(titel, "Erweiterungen");
    EXPECT_EQ(zeilen, QStringList({"Testlauf & Import"}));  // the windowed plug-in listed first is not offered
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().text, "Sie müssen eine Erweiterung auswählen\nbevor Sie sie aufrufen können.");
    EXPECT_EQ(m_meldungen.letzte().caption, "Fehler");
    EXPECT_EQ(m_meldungen.letzte().flags, 0);
    // Started with the dialog, then one change notification.
    EXPECT_EQ(protokoll(), Zeilen({dialogStart, "fenster:update"}));
    // What the plug-in wrote is shown, and the next save keeps it.
    EXPECT_EQ(schueler(w.get()), 3u);
    EXPECT_EQ(kind<TListenAnsicht>(w.get(), 103)->anzahlZeilen(), 3);
    EXPECT_NE(dateiInhalt(AKTUELLE_DATEI).find("Neumann"), std::string::npos);
    EXPECT_NE(dateiInhalt(SICHERUNGS_DATEI).find("Neumann"), std::string::npos);

    // Abbruch runs nothing.
    imDialog([](QWidget* d) { d->findChild<QPushButton*>("id2")->click(); });
    w->befehl(CM_ERWEITERUNGEN);
    EXPECT_EQ(protokoll(), Zeilen({"fenster:update"}));
    EXPECT_EQ(schueler(w.get()), 3u);
}

TEST_F(PluginTest, RunFromDialogOrPopupFallsBackToTheBackupOrKeepsTheData) {
    const std::string vorAenderung =
        "Eine Erweiterung (Plug-In) hat den Daten-\nbestand geändert. Beim aktuallisieren trat folgender\nFehler "
        "auf:\nDie Datei endet unerwartet.\n\nEs wird versucht den Datenbestand vor der Änderung\nwieder herzustellen.";
    const std::string vorAenderungFenster =
        "Eine Erweiterung (Plug-In) hat den Daten-\nbestand geändert. Beim aktuallieren trat folgender\nFehler "
        "auf:\nDie Datei endet unerwartet.\n\nEs wird versucht den Datenbestand vor der Änderung\nwieder herzustellen.";
    const std::string tmpFehlt = "Die Datei aktuell.tmp konnte nicht gelesen werden.\n";
    const struct {
        bool popup;
        bool sicherungLesbar;
        std::vector<std::string> meldungen;
    } faelle[] = {
        {false, true, {vorAenderung}},
        {false, false,
         {vorAenderung, "Der Versuch, den alten Datenbestand wieder\nherzustellen schlug ebenfalls fehl:\n" + tmpFehlt +
                            "\nÖffnen Sie bitte eine Jahrgangsdatei per Hand."}},
        {true, true, {vorAenderungFenster}},
        {true, false,
         {vorAenderungFenster, "Der versuch, den alten Datenbestand wieder\nherzustellen schlug ebenfalls fehl:\n" +
                                   tmpFehlt +
                                   "\nEs wird nun, der im Arbeitspeicher verbliebene Datenbestand\nverwendet."}},
    };
    plugin("fenster", "a_fenster.so");
    plugin("ohnefenster", "b_ohne.so");
    schreibe("kaputt.sdb", kaputt());
    setenv("ORVASK_TEST_QUELLE", (m_ordner / "kaputt.sdb").c_str(), 1);
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.popup ? "Menü" : "Dialog") + (f.sicherungLesbar ? "" : ", ohne Sicherung"));
        fs::remove_all(SICHERUNGS_DATEI);
        // The backup the host saves before the run is gone afterwards.
        if (f.sicherungLesbar)
            unsetenv("ORVASK_TEST_SICHERUNG_WEG");
        else
            setenv("ORVASK_TEST_SICHERUNG_WEG", "1", 1);
        fs::copy_file("jahr_a.sdb", AKTUELLE_DATEI, fs::copy_options::overwrite_existing);
        m_meldungen.leeren();
        auto r = rahmen();
        TMainWindow* w = r->client();
        neuerSchueler(w->schulverwaltung(), "Vorher");  // in memory only: the backup gets it
        const c_Database* vorher = w->schulverwaltung()->getDatabase();
        protokoll();
        const void* fenster = w;
        if (f.popup) {
            r->findChild<QAction*>("befehl2001")->trigger();
        } else {
            imDialog([&](QWidget* d) {
                d->findChild<QListWidget*>("id771")->setCurrentRow(0);
                fenster = d;
                d->findChild<QPushButton*>("id1")->click();
            });
            w->befehl(CM_ERWEITERUNGEN);
        }
        std::vector<std::string> texte;
        for (const auto& m : m_meldungen.meldungen()) {
            texte.push_back(m.text);
            EXPECT_EQ(m.caption, "Fehler beim aktuallisieren des Datenbestandes");
            EXPECT_EQ(m.flags, 0);
        }
        EXPECT_EQ(texte, f.meldungen);
        // Either way the data hold the student that was only in memory.
        EXPECT_EQ(schueler(w), 3u);
        EXPECT_EQ(w->schulverwaltung()->getSchuelerliste()->getSchueler(1)->getName(), "Adler");
        if (f.sicherungLesbar) {
            EXPECT_NE(w->schulverwaltung()->getDatabase(), vorher);  // loaded from aktuell.tmp
            EXPECT_EQ(protokoll(), Zeilen({start("ohnefenster", fenster), "fenster:update"}));
            EXPECT_NE(dateiInhalt(AKTUELLE_DATEI).find("Vorher"), std::string::npos);
        } else {
            // Nothing loaded, nothing saved: the files stay as the plug-in left them.
            EXPECT_EQ(w->schulverwaltung()->getDatabase(), vorher);
            EXPECT_EQ(protokoll(), Zeilen({start("ohnefenster", fenster)}));
            EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), kaputt());
            EXPECT_TRUE(fs::is_directory(SICHERUNGS_DATEI));
        }
    }
}

TEST_F(PluginTest, ReloadTakesTheDataFileOrTheBackupOrKeepsWhatIsInMemory) {
    plugin("fenster", "a_fenster.so");
    auto w = fenster(false);
    const std::string anfang =
        "Eine Erweiterung (Plug-In) hat den Daten-\nbestand geändert. Beim aktuallieren trat folgender\nFehler auf:\n";
    const std::string ende = "\nEs wird versucht den Datenbestand vor der Änderung\nwieder herzustellen.";
    const std::string b = dateiInhalt("jahr_b.sdb");
    const struct {
        const char* name;
        const char* aktuell;  // null: missing
        std::string sicherung;
        std::size_t schueler;
        std::vector<std::string> meldungen;
    } faelle[] = {
        {"gut", "b", b, 3, {}},
        {"kaputt", "kaputt", b, 3, {anfang + "Die Datei endet unerwartet.\n" + ende}},
        {"fehlt", nullptr, b, 3, {anfang + "Die Datei aktuell.sdb wurde nicht gefunden.\n" + ende}},
        {"beide kaputt",
         "kaputt",
         kaputt(),
         2,
         {anfang + "Die Datei endet unerwartet.\n" + ende,
          "Der versuch, den alten Datenbestand wieder\nherzustellen schlug ebenfalls fehl:\nDie Datei endet "
          "unerwartet.\n\nEs wird nun, der im Arbeitspeicher verbliebene Datenbestand\nverwendet."}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        std::string fehler;
        ASSERT_TRUE(w->schulverwaltung()->reload("jahr_a.sdb", &fehler));
        fs::remove(AKTUELLE_DATEI);
        const std::string aktuell = !f.aktuell ? "" : std::string(f.aktuell) == "b" ? b : kaputt();
        if (f.aktuell) schreibe(AKTUELLE_DATEI, aktuell);
        schreibe(SICHERUNGS_DATEI, f.sicherung);
        m_meldungen.leeren();
        protokoll();
        updatesv();
        std::vector<std::string> texte;
        for (const auto& m : m_meldungen.meldungen()) texte.push_back(m.text);
        EXPECT_EQ(texte, f.meldungen);
        EXPECT_EQ(schueler(w.get()), f.schueler);
        EXPECT_EQ(kind<TListenAnsicht>(w.get(), 103)->anzahlZeilen(), static_cast<int>(f.schueler));
        if (f.meldungen.size() < 2) {
            EXPECT_EQ(protokoll(), Zeilen({"fenster:update"}));
            EXPECT_NE(dateiInhalt(AKTUELLE_DATEI).find("Neumann"), std::string::npos);
        } else {
            EXPECT_EQ(protokoll(), Zeilen());
            EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), aktuell);
            EXPECT_EQ(dateiInhalt(SICHERUNGS_DATEI), f.sicherung);
        }
    }
}

TEST_F(PluginTest, UpdatesvIsSafeBeforeTheWindowInsideUpdateAndFromAnotherThread) {
    // Before there is a window it does nothing.
    updatesv();
    EXPECT_TRUE(m_meldungen.meldungen().empty());
    EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), dateiInhalt("jahr_a.sdb"));

    plugin("aktualisierer", "a_akt.so");
    auto w = fenster(false);
    // The request its update makes during the set-up runs once the set-up is
    // done; the one from the reload's own notification is answered by that reload.
    EXPECT_EQ(protokoll(), Zeilen({start("aktualisierer", w.get()), "aktualisierer:update", "aktualisierer:updatesv",
                                   "aktualisierer:update", "aktualisierer:updatesv"}));
    w->waehleReiter(7);

    // From neu, on the UI thread: reloaded at once.
    fs::copy_file("jahr_b.sdb", AKTUELLE_DATEI, fs::copy_options::overwrite_existing);
    protokoll();
    w->befehl(CM_NEU);
    EXPECT_EQ(schueler(w.get()), 3u);
    const Zeilen nachUpdate = {"aktualisierer:update", "aktualisierer:updatesv"};
    Zeilen erwartet = {"aktualisierer:neu", "aktualisierer:updatesv"};
    for (int i = 0; i < 3; ++i) erwartet.insert(erwartet.end(), nachUpdate.begin(), nachUpdate.end());
    EXPECT_EQ(protokoll(), erwartet);

    // From another thread: reloaded on the UI thread once the events run.
    w->befehl(CM_AENDERN);
    Zeilen zeilen = protokoll();
    ASSERT_GE(zeilen.size(), 2u);
    EXPECT_EQ(Zeilen(zeilen.begin(), zeilen.begin() + 2), Zeilen({"aktualisierer:aendern", "aktualisierer:updatesv"}));
    {
        c_Schulverwaltung sv;
        std::string fehler;
        ASSERT_TRUE(sv.load("jahr_b.sdb", &fehler));
        neuerSchueler(&sv, "Faden");
        ASSERT_EQ(sv.save(AKTUELLE_DATEI), 1);
    }
    EXPECT_EQ(schueler(w.get()), 3u);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(schueler(w.get()), 4u);
    EXPECT_EQ(protokoll(), nachUpdate);

    // While a modal box is open the request waits; it runs once the box is closed.
    fs::copy_file("jahr_b.sdb", AKTUELLE_DATEI, fs::copy_options::overwrite_existing);
    std::size_t imDialogGeladen = 0;
    imDialog([&](QWidget*) {
        std::thread([] { updatesv(); }).join();
        QCoreApplication::sendPostedEvents();
        warteBis([&] { return schueler(w.get()) != 4u; }, 25);  // two retries come and go
        imDialogGeladen = schueler(w.get());
    });
    w->befehl(CM_INFO);
    EXPECT_EQ(imDialogGeladen, 4u);
    EXPECT_EQ(schueler(w.get()), 4u);
    EXPECT_TRUE(warteBis([&] { return schueler(w.get()) == 3u; }));
    protokoll();

    // A request still queued when the window goes is dropped, and later calls do nothing.
    w->befehl(CM_AENDERN);
    w.reset();
    QCoreApplication::sendPostedEvents();
    updatesv();
    EXPECT_TRUE(m_meldungen.meldungen().empty());
}

TEST_F(PluginTest, UpdatesvOnTheUiThreadWaitsWhileADialogHoldsRecords) {
    // A plug-in's timer may call it while the student dialog edits a record of the store.
    auto w = fenster(false);
    fs::copy_file("jahr_b.sdb", AKTUELLE_DATEI, fs::copy_options::overwrite_existing);
    const c_Database* vorher = w->schulverwaltung()->getDatabase();
    const c_Database* imDialog = nullptr;
    QString name;
    kind<TListenAnsicht>(w.get(), 103)->setFokusZeile(0);
    PluginTest::imDialog([&](QWidget* d) {
        name = d->objectName();
        updatesv();
        warteBis([&] { return w->schulverwaltung()->getDatabase() != vorher; }, 25);  // two retries
        imDialog = w->schulverwaltung()->getDatabase();
    });
    w->befehl(CM_AENDERN);
    EXPECT_EQ(name, "id510");
    EXPECT_EQ(imDialog, vorher);
    EXPECT_EQ(schueler(w.get()), 2u);
    // Once the dialog is closed the request is carried out.
    EXPECT_TRUE(warteBis([&] { return schueler(w.get()) == 3u; }));
    EXPECT_EQ(kind<TListenAnsicht>(w.get(), 103)->anzahlZeilen(), 3);
    EXPECT_TRUE(m_meldungen.meldungen().empty());
}

}  // namespace
