// When the year reaches the disk: shortly after every change, at once before a plug-in reads it,
// never when its structure did not load; a failed write is reported once; a full disk never
// costs the user's work; one program per working folder.
#include "app/anwendung.h"
#include "dialogs/ui/zensurendialog.h"
#include "planning/ui/stundenplandialog.h"
#include "modal_hilfe.h"
#include "pluginhilfe.h"
#include "vollefestplatte.h"

#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTest>

#include <csignal>
#include <functional>
#include <utility>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

// A watch over the folder as the tests want it; it counts the writes it is asked about.
struct Wache : Ordnerwache {
    bool gemeldet = false;
    std::string grund;
    int gefragt = 0;
    std::string vorDemSchreiben(const std::function<bool()>&) override {
        ++gefragt;
        return grund;
    }
    bool speichernGemeldet() const override { return gemeldet; }
};

class SpeichernTest : public PluginTest {
protected:
    // The year as a program started on the file now would find it (after a kill, say).
    static std::vector<std::string> namenAufDerPlatte() {
        c_Schulverwaltung sv;
        std::string fehler;
        std::vector<std::string> namen;
        if (!sv.load(AKTUELLE_DATEI, &fehler)) return namen;
        for (const c_Schueler* s : *sv.getSchuelerliste()) namen.push_back(s->getName());
        return namen;
    }
    static bool aufDerPlatte(const char* name) {
        const std::vector<std::string> namen = namenAufDerPlatte();
        return std::find(namen.begin(), namen.end(), name) != namen.end();
    }
    // Until the timer wrote (or tried to): at most a minute, however slow the machine.
    static bool warteAufSchreiben(TMainWindow* w) {
        return QTest::qWaitFor([w] { return !w->hatUngespeicherteAenderungen(); }, 60000);
    }
    // Until the delayed write has been tried (the timer is no longer waiting), not for a fixed time:
    // a busy machine could let a fixed wait run out before the timer's turn.
    static void warteUeberDieVerzoegerung(TMainWindow* w) {
        ASSERT_TRUE(QTest::qWaitFor([w] { return !w->speichertBald(); }, 60000));
    }
};

TEST_F(SpeichernTest, TheYearIsWrittenShortlyAfterEveryChangeNotOnTheActionsPath) {
    auto w = fenster(false);
    c_Schulverwaltung* sv = w->schulverwaltung();
    // A command's change: not yet on the disk when the command ends, a moment later it is.
    neuerSchueler(sv, "Neumann");
    w->saveDatenbestand();
    EXPECT_FALSE(aufDerPlatte("Neumann"));
    EXPECT_TRUE(w->hatUngespeicherteAenderungen());
    ASSERT_TRUE(warteAufSchreiben(w.get()));
    EXPECT_TRUE(aufDerPlatte("Neumann"));

    // A grade added in the open grades dialog reaches the disk while the dialog is still open.
    c_Schueler* s = sv->getSchuelerliste()->getSchueler(1);
    TZensurenDialog d(w.get(), 600, sv, s, nullptr);
    d.setupFenster();
    d.findChild<QLineEdit*>("id1001")->setText("2+");
    d.CmHinzufuegen();
    ASSERT_EQ(s->getZensurliste()->size(), 1u);
    ASSERT_TRUE(warteAufSchreiben(w.get()));
    EXPECT_NE(dateiInhalt(AKTUELLE_DATEI).find("string,2+\r\n"), std::string::npos);
    EXPECT_EQ(m_meldungen.anzahl(), 0u);
}

TEST_F(SpeichernTest, ChangesInQuickSuccessionAreWrittenWithinAFewSeconds) {
    // Students entered closer together than the quiet period: the first of them reaches the disk
    // while the user is still typing. A write that comes within a wait shorter than the quiet
    // period can only be the cap's; a wait that a loaded machine stretched beyond it proves
    // nothing, and the round is run again.
    auto w = fenster(false);
    c_Schulverwaltung* sv = w->schulverwaltung();
    bool vomDeckel = false;
    for (int runde = 0; runde < 5 && !vomDeckel; ++runde) {
        const std::string erster = "Eilig" + std::to_string(runde) + "-0";
        bool zuLang = false;
        QElapsedTimer seitErster;
        seitErster.start();
        for (int n = 0; !zuLang && !vomDeckel && seitErster.elapsed() < 4 * TSpeicherstand::HOECHSTENS; ++n) {
            neuerSchueler(sv, ("Eilig" + std::to_string(runde) + "-" + std::to_string(n)).c_str());
            w->saveDatenbestand();
            QElapsedTimer warten;
            warten.start();
            QTest::qWait(100);
            zuLang = warten.elapsed() >= TSpeicherstand::VERZOEGERUNG;
            vomDeckel = !zuLang && aufDerPlatte(erster.c_str());
        }
        if (!zuLang) break;
    }
    EXPECT_TRUE(vomDeckel);
}

TEST_F(SpeichernTest, OnlyARunningGeneratorHoldsTheWriteBack) {
    // A change waits while the algorithm dialog is open without a choice, and the generator's
    // failure box waits for OK: neither holds the write back, only the generator's thread does.
    auto w = fenster(false);
    c_Schulverwaltung* sv = w->schulverwaltung();
    auto kunst = std::make_unique<c_Fach>("Kunst");  // no teacher gives it: the generator fails
    c_Fach* k = kunst.get();
    ASSERT_TRUE(sv->addFach(kunst));
    auto wunsch = std::make_unique<c_Wunsch>();
    wunsch->setJahrgang(5);
    wunsch->setFach(k);
    wunsch->setStunden(2);
    ASSERT_TRUE(sv->addWunsch(wunsch));
    neuerSchueler(sv, "Vorher");
    w->saveDatenbestand();

    // The failure box stays open until the year is on the disk (or a minute has passed).
    struct WartendeBox : MeldungsDienst {
        TMainWindow* fenster = nullptr;
        std::vector<std::string> titel;
        bool geschriebenBeiFehler = false;
        int zeige(QWidget*, const std::string&, const std::string& caption, int flags) override {
            titel.push_back(caption);
            if (caption == "Stundenplanerstellung schlug fehl")
                geschriebenBeiFehler = warteAufSchreiben(fenster);
            return (flags & 0x0F) == MB_YESNO ? IDYES : IDOK;
        }
    } box;
    box.fenster = w.get();
    MeldungsDienstTausch tausch(box);
    bool gefunden = false, geschriebenImDialog = false, geschriebenBeimStart = false;
    beiModalemFenster<TStundenplanDialog>(
        [&](TStundenplanDialog* d) {
            geschriebenImDialog = warteAufSchreiben(w.get()) && aufDerPlatte("Vorher");
            // A change a moment before the start is on the disk before the thread runs.
            neuerSchueler(sv, "Kurzvorher");
            w->saveDatenbestand();
            QObject::connect(d, &TStundenplanDialog::generatorLaeuft, d, [&](bool laeuft) {
                if (laeuft) geschriebenBeimStart = aufDerPlatte("Kurzvorher");
            });
            d->findChild<QPushButton*>("id701")->click();  // backtracking, after the question
        },
        &gefunden);
    w->befehl(CM_STUNDENPLAN_ERSTELLEN);
    ASSERT_TRUE(gefunden);
    EXPECT_TRUE(geschriebenImDialog);
    EXPECT_TRUE(geschriebenBeimStart);
    ASSERT_EQ(box.titel.size(), 2u);
    EXPECT_TRUE(box.geschriebenBeiFehler);
}

TEST_F(SpeichernTest, AFailedWriteIsReportedOnceRetriedWithoutAChangeAndItsSuccessSaidOnce) {
    Wache wache;
    setzeOrdnerwache(&wache);
    auto w = fenster();
    setzeOrdnerwache(nullptr);
    w->setzeSpeicherWiederholung(300);
    const std::string vorher = dateiInhalt(AKTUELLE_DATEI);
    c_Schulverwaltung* sv = w->schulverwaltung();
    {
        VolleFestplatte voll(1000);
        neuerSchueler(sv, "Erster");
        w->saveDatenbestand();
        warteUeberDieVerzoegerung(w.get());
        ASSERT_EQ(m_meldungen.anzahl(), 1u);
        EXPECT_EQ(m_meldungen.letzte().caption, "Fehler");
        EXPECT_EQ(m_meldungen.letzte().text.rfind("Der Datenbestand konnte nicht in der Datei aktuell.sdb gespeichert "
                                                  "werden.", 0),
                  0u);
        neuerSchueler(sv, "Zweiter");
        w->saveDatenbestand();
        warteUeberDieVerzoegerung(w.get());
        // Tried again without a change, quietly, while the disk stays full.
        const int versuche = wache.gefragt;
        EXPECT_TRUE(QTest::qWaitFor([&] { return wache.gefragt >= versuche + 2; }, 10000));
        EXPECT_TRUE(w->wiederholtSpeichern());
        EXPECT_EQ(m_meldungen.anzahl(), 1u);
        EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), vorher);
        EXPECT_TRUE(w->hatUngespeicherteAenderungen());
    }
    // Room again: without any change the work reaches the disk, and that is said once.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->hatUngespeicherteAenderungen(); }, 10000));
    for (const char* name : {"Erster", "Zweiter"}) EXPECT_TRUE(aufDerPlatte(name)) << name;
    ASSERT_EQ(m_meldungen.anzahl(), 2u);
    EXPECT_EQ(m_meldungen.letzte().caption, "Gespeichert");
    EXPECT_EQ(m_meldungen.letzte().flags, MB_OK | MB_ICONINFORMATION);
    neuerSchueler(sv, "Dritter");
    w->saveDatenbestand();
    ASSERT_TRUE(warteAufSchreiben(w.get()));
    EXPECT_EQ(m_meldungen.anzahl(), 2u);
    // The next failure is reported anew.
    VolleFestplatte voll(1000);
    neuerSchueler(sv, "Vierter");
    w->saveDatenbestand();
    warteUeberDieVerzoegerung(w.get());
    EXPECT_EQ(m_meldungen.anzahl(), 3u);
}

// Whichever path writes the year (the delayed write, or at once for a plug-in with a window of its
// own), a success after a reported failure is said, and so the next failure is reported anew.
TEST_F(SpeichernTest, EveryPathThatWritesTheYearSaysItsSuccessAfterAFailure) {
    plugin("fenster", "a_fenster.so");
    auto r = rahmen();
    TMainWindow* w = r->client();
    const auto aendere = [&](const char* name) {
        neuerSchueler(w->schulverwaltung(), name);
        w->saveDatenbestand();  // written at once, for the plug-in
    };
    const struct {
        bool voll;
        const char* caption;  // of the box that follows
    } schritte[] = {{true, "Fehler"}, {false, "Gespeichert"}, {true, "Fehler"}, {false, "Gespeichert"}};
    std::size_t boxen = 0;
    for (const auto& s : schritte) {
        SCOPED_TRACE(std::to_string(boxen));
        std::unique_ptr<VolleFestplatte> voll;
        if (s.voll) voll = std::make_unique<VolleFestplatte>(1000);
        aendere(s.voll ? "Voll" : "Platz");
        ASSERT_EQ(m_meldungen.anzahl(), ++boxen);
        EXPECT_EQ(m_meldungen.letzte().caption, s.caption);
        EXPECT_EQ(w->hatUngespeicherteAenderungen(), s.voll);
    }
}

// A year that failed to load is kept as aktuell.sdb.bak before the extensions dialog opens; where
// the folder's watch refuses the year's files, not even that copy is written.
TEST_F(SpeichernTest, TheExtensionsDialogAsksTheFolderWatchBeforeItKeepsTheOldYear) {
    plugin("ohnefenster", "b_ohne.so");
    schreibe(AKTUELLE_DATEI, kaputt());
    Wache wache;
    wache.grund = "Eine andere Schulverwaltung arbeitet inzwischen in diesem Arbeitsordner.";
    setzeOrdnerwache(&wache);
    auto w = fenster(false);
    setzeOrdnerwache(nullptr);
    m_meldungen.leeren();
    imDialog([](QWidget* d) { d->findChild<QPushButton*>("id2")->click(); });  // should it open all the same
    w->befehl(CM_ERWEITERUNGEN);
    EXPECT_FALSE(fs::exists(std::string(AKTUELLE_DATEI) + ".bak"));
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().text, wache.grund);
}

// The start already said that nothing can be saved here: a failing write says nothing more, the
// first one that succeeds says so. Another program holding the folder by now: said once, and
// nothing is written over its year, not even at the close.
TEST_F(SpeichernTest, WhatTheFolderWatchSaysIsSaidOnce) {
    const struct {
        bool gemeldet;
        const char* grund;
    } faelle[] = {{true, ""}, {false, "Eine andere Schulverwaltung arbeitet inzwischen in diesem Arbeitsordner."}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.grund);
        Wache wache;
        wache.gemeldet = f.gemeldet;
        wache.grund = f.grund;
        setzeOrdnerwache(&wache);
        auto w = fenster();
        setzeOrdnerwache(nullptr);
        w->setzeSpeicherWiederholung(300);
        const std::string vorher = dateiInhalt(AKTUELLE_DATEI);
        m_meldungen.leeren();
        {
            VolleFestplatte voll(1000);
            for (const char* name : {"Erster", "Zweiter"}) {
                neuerSchueler(w->schulverwaltung(), name);
                w->saveDatenbestand();
                warteUeberDieVerzoegerung(w.get());
            }
            EXPECT_EQ(m_meldungen.anzahl(), f.gemeldet ? 0u : 1u);
        }
        if (f.gemeldet) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !w->hatUngespeicherteAenderungen(); }, 10000));
            EXPECT_TRUE(aufDerPlatte("Zweiter"));
            ASSERT_EQ(m_meldungen.anzahl(), 1u);
            EXPECT_EQ(m_meldungen.letzte().caption, "Gespeichert");
            continue;
        }
        EXPECT_EQ(m_meldungen.letzte().text, f.grund);
        // Asked once: the answer holds for the session, and nothing waits to be tried again.
        EXPECT_EQ(wache.gefragt, 1);
        EXPECT_FALSE(w->wiederholtSpeichern());
        neuerSchueler(w->schulverwaltung(), "Dritter");
        w->saveDatenbestand();
        EXPECT_FALSE(w->speichertBald());
        m_meldungen.antworte(IDOK);
        m_meldungen.antworte(IDNO);
        EXPECT_FALSE(w->queryClose());
        ASSERT_EQ(m_meldungen.anzahl(), 3u);
        EXPECT_EQ(m_meldungen.meldungen()[1].text, f.grund);
        EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), vorher);
    }
}

TEST_F(SpeichernTest, AnExtensionRunsOnlyAfterAGoodSave) {
    plugin("ohnefenster", "b_ohne.so");
    setenv("ORVASK_TEST_QUELLE", (m_ordner / "jahr_b.sdb").c_str(), 1);
    enum Hindernis { VOLL, SCHREIBGESCHUETZT, SICHERUNG_UNMOEGLICH, KEINS };
    const struct {
        bool popup;
        Hindernis hindernis;
    } faelle[] = {{false, VOLL},   {true, VOLL},   {false, SCHREIBGESCHUETZT}, {true, SCHREIBGESCHUETZT},
                  {false, SICHERUNG_UNMOEGLICH}, {true, SICHERUNG_UNMOEGLICH}, {false, KEINS}, {true, KEINS}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.popup ? "Menü " : "Dialog ") + std::to_string(f.hindernis));
        fs::remove_all(SICHERUNGS_DATEI);
        fs::remove(AKTUELLE_DATEI);
        fs::copy_file("jahr_a.sdb", AKTUELLE_DATEI);
        auto r = rahmen();
        TMainWindow* w = r->client();
        neuerSchueler(w->schulverwaltung(), "Ungesichert");  // in memory only
        const std::string vorher = dateiInhalt(AKTUELLE_DATEI);
        m_meldungen.leeren();
        protokoll();
        {
            std::unique_ptr<VolleFestplatte> voll;
            if (f.hindernis == VOLL) voll = std::make_unique<VolleFestplatte>(1000);
            if (f.hindernis == SCHREIBGESCHUETZT) ::chmod(AKTUELLE_DATEI, 0444);
            if (f.hindernis == SICHERUNG_UNMOEGLICH) fs::create_directories(std::string(SICHERUNGS_DATEI) + "/belegt");
            if (f.popup) {
                r->findChild<QAction*>("befehl2000")->trigger();
            } else {
                imDialog([&](QWidget* d) {
                    QListWidget* liste = d->findChild<QListWidget*>("id771");
                    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                                      liste->visualItemRect(liste->item(0)).center());
                    d->findChild<QPushButton*>("id1")->click();
                });
                w->befehl(CM_ERWEITERUNGEN);
            }
        }
        ::chmod(AKTUELLE_DATEI, 0644);
        if (f.hindernis == KEINS) {
            // Saved, run, and the plug-in's year loaded.
            EXPECT_EQ(m_meldungen.anzahl(), 0u);
            EXPECT_EQ(protokoll().size(), 1u);
            EXPECT_EQ(schueler(w), 3u);
            continue;
        }
        ASSERT_GE(m_meldungen.anzahl(), 1u);
        EXPECT_EQ(m_meldungen.meldungen()[0].caption, "Fehler");
        EXPECT_EQ(m_meldungen.meldungen()[0].flags, 48);
        EXPECT_NE(m_meldungen.meldungen()[0].text.find("Die Erweiterung wird nicht ausgeführt"), std::string::npos);
        EXPECT_EQ(protokoll(), Zeilen());  // not started
        EXPECT_EQ(schueler(w), 3u);          // the unsaved student is still there
        EXPECT_EQ(w->schulverwaltung()->getSchuelerliste()->getSchueler(2)->getName(), "Ungesichert");
        // Where only the backup could not be written, aktuell.sdb holds the year already.
        if (f.hindernis == SICHERUNG_UNMOEGLICH)
            EXPECT_TRUE(aufDerPlatte("Ungesichert"));
        else
            EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), vorher);
    }
}

// The extensions dialog closed without running a plug-in read no file: a change that waited to be
// written still waits, also when the save before the plug-in failed and the dialog was cancelled.
TEST_F(SpeichernTest, AnExtensionsDialogClosedWithoutARunKeepsTheWaitingWrite) {
    plugin("ohnefenster", "b_ohne.so");
    for (const bool saveFehlgeschlagen : {false, true}) {
        SCOPED_TRACE(saveFehlgeschlagen ? "nach gescheitertem Speichern" : "gleich abgebrochen");
        fs::remove(AKTUELLE_DATEI);
        fs::copy_file("jahr_a.sdb", AKTUELLE_DATEI);
        auto r = rahmen();
        TMainWindow* w = r->client();
        neuerSchueler(w->schulverwaltung(), "Wartend");
        w->saveDatenbestand();
        m_meldungen.leeren();
        {
            std::unique_ptr<VolleFestplatte> voll;
            if (saveFehlgeschlagen) voll = std::make_unique<VolleFestplatte>(1000);
            imDialog([saveFehlgeschlagen](QWidget* d) {
                if (saveFehlgeschlagen) {
                    QListWidget* liste = d->findChild<QListWidget*>("id771");
                    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                                      liste->visualItemRect(liste->item(0)).center());
                    d->findChild<QPushButton*>("id1")->click();  // says that it does not run
                }
                d->findChild<QPushButton*>("id2")->click();
            });
            w->befehl(CM_ERWEITERUNGEN);
        }
        EXPECT_EQ(m_meldungen.anzahl(), saveFehlgeschlagen ? 1u : 0u);
        EXPECT_EQ(protokoll(), Zeilen());
        EXPECT_TRUE(w->hatUngespeicherteAenderungen());
        ASSERT_TRUE(warteAufSchreiben(w));
        EXPECT_TRUE(aufDerPlatte("Wartend"));
    }
}

// An open extensions dialog holds back only what a plug-in call or a reload would clash with: a
// change made before it opened reaches the disk while it stays open.
TEST_F(SpeichernTest, AChangeIsWrittenWhileTheExtensionsDialogIsOpen) {
    plugin("ohnefenster", "b_ohne.so");
    auto r = rahmen();
    TMainWindow* w = r->client();
    neuerSchueler(w->schulverwaltung(), "Wartend");
    w->saveDatenbestand();
    bool geschrieben = false;
    imDialog([&](QWidget* d) {
        geschrieben = QTest::qWaitFor([w] { return !w->hatUngespeicherteAenderungen(); },
                                      3 * TSpeicherstand::HOECHSTENS) &&
                      aufDerPlatte("Wartend");
        d->findChild<QPushButton*>("id2")->click();
    });
    w->befehl(CM_ERWEITERUNGEN);
    EXPECT_TRUE(geschrieben);
    EXPECT_EQ(m_meldungen.anzahl(), 0u);
}

// Closing with a change that waits to be written while the disk is full: the close reports the
// failed write once, also while the user takes time to read its box, and once the user chose to
// quit, the emptied year is never written over the file, whatever room there is afterwards.
TEST_F(SpeichernTest, ClosingAfterAFailedWriteReportsItOnceAndWritesNothingAfterwards) {
    // Answers as the recorder does; the first box stays open until the delayed write's time has come.
    struct LangsamerLeser : AufzeichnenderMeldungsDienst {
        std::function<void()> lesen;
        int zeige(QWidget* p, const std::string& text, const std::string& caption, int flags) override {
            if (auto l = std::exchange(lesen, nullptr)) l();
            return AufzeichnenderMeldungsDienst::zeige(p, text, caption, flags);
        }
    };
    for (const bool beenden : {false, true}) {
        SCOPED_TRACE(beenden ? "beendet" : "weiter");
        fs::remove(AKTUELLE_DATEI);
        auto w = fenster();
        const std::string vorher = dateiInhalt(AKTUELLE_DATEI);
        LangsamerLeser leser;
        MeldungsDienstTausch tausch(leser);
        neuerSchueler(w->schulverwaltung(), "Wartend");
        w->saveDatenbestand();
        {
            VolleFestplatte voll(1000);
            if (!beenden) {
                TMainWindow* fenster = w.get();
                // Were the delayed write still armed, it would fire while the box is open.
                leser.lesen = [fenster] {
                    static_cast<void>(QTest::qWaitFor([fenster] { return !fenster->speichertBald(); }, 60000));
                };
            }
            leser.antworte(IDOK);
            leser.antworte(beenden ? IDYES : IDNO);
            EXPECT_EQ(w->queryClose(), beenden);
        }
        ASSERT_EQ(leser.anzahl(), 2u);
        EXPECT_EQ(leser.meldungen()[0].text, "Der Datenbestand konnte nicht in der Datei aktuell.sdb gespeichert werden.");
        EXPECT_EQ(leser.meldungen()[1].caption, "Beenden");
        // Quitting now costs the student: the question says so.
        EXPECT_EQ(leser.meldungen()[1].text, "Wollen Sie die Schulverwaltung\nwirklich beenden?\n\nDie Änderungen seit "
                                             "dem letzten erfolgreichen Speichern\ngehen beim Beenden verloren.");
        // The disk has room again; the window lives on a moment after the close.
        warteUeberDieVerzoegerung(w.get());
        if (beenden) {
            EXPECT_FALSE(w->hatUngespeicherteAenderungen());
            EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), vorher);
            EXPECT_EQ(leser.anzahl(), 2u);
        } else {
            // Still there, written with the next change, and that is said.
            neuerSchueler(w->schulverwaltung(), "Danach");
            w->saveDatenbestand();
            ASSERT_TRUE(warteAufSchreiben(w.get()));
            EXPECT_TRUE(aufDerPlatte("Wartend"));
            ASSERT_EQ(leser.anzahl(), 3u);
            EXPECT_EQ(leser.letzte().caption, "Gespeichert");
        }
    }
}

TEST_F(SpeichernTest, AYearWhoseStructureDidNotLoadIsNeverWritten) {
    // orvask.str cannot be read (a folder) and there is no aktuell.sdb: no templates.
    fs::remove(AKTUELLE_DATEI);
    fs::remove(STRUKTURDATEI);
    fs::create_directories(STRUKTURDATEI);
    auto w = fenster(false);
    EXPECT_FALSE(w->schulverwaltung()->hatStruktur());
    m_meldungen.leeren();
    w->saveDatenbestand();
    warteUeberDieVerzoegerung(w.get());
    // No later change can be written either: the box says what helps instead of promising a retry.
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    const std::string& bericht = m_meldungen.letzte().text;
    EXPECT_EQ(bericht.find("erneut versucht"), std::string::npos) << bericht;
    EXPECT_NE(bericht.find("Änderungen können in dieser Sitzung nicht gespeichert werden"), std::string::npos);
    EXPECT_NE(bericht.find("„Programm › Jahrgang wiederherstellen“"), std::string::npos);
    m_meldungen.antworte(IDOK);  // the close's own report
    m_meldungen.antworte(IDNO);
    EXPECT_FALSE(w->queryClose());
    EXPECT_FALSE(fs::exists(AKTUELLE_DATEI));
    EXPECT_FALSE(fs::exists(SICHERUNGS_DATEI));
    ASSERT_EQ(m_meldungen.anzahl(), 3u);
    EXPECT_NE(m_meldungen.meldungen()[1].text.find("weil seine Struktur nicht"), std::string::npos);
    EXPECT_NE(m_meldungen.letzte().text.find("gehen beim Beenden verloren."), std::string::npos);
    // Nor is it archived: no file is asked for.
    m_dateien.antworte(std::string("archiv.sdb"));
    w->befehl(CM_JAHRGANG_ARCHIVIEREN);
    EXPECT_EQ(m_dateien.anzahl(), 0u);
    EXPECT_FALSE(fs::exists("archiv.sdb"));
    EXPECT_EQ(m_meldungen.letzte().text.rfind("Der Jahrgang konnte nicht archiviert werden:", 0), 0u);
}

TEST_F(SpeichernTest, AfterAPluginLeftABrokenFileTheYearFromTheBackupTakesItsPlace) {
    // The plug-in writes a cut file over aktuell.sdb; the reload falls back to aktuell.tmp, and
    // the year read from it is written back, so that the next start does not find the broken file.
    plugin("ohnefenster", "b_ohne.so");
    schreibe("kaputt.sdb", kaputt());
    setenv("ORVASK_TEST_QUELLE", (m_ordner / "kaputt.sdb").c_str(), 1);
    auto r = rahmen();
    TMainWindow* w = r->client();
    neuerSchueler(w->schulverwaltung(), "Vorher");
    r->findChild<QAction*>("befehl2000")->trigger();
    ASSERT_EQ(m_meldungen.anzahl(), 1u);  // the fall-back's message
    EXPECT_EQ(schueler(w), 3u);
    ASSERT_TRUE(warteAufSchreiben(w));
    EXPECT_TRUE(aufDerPlatte("Vorher"));
}

TEST_F(SpeichernTest, TheBackupOfAFailedYearIsWrittenWholeOrNotAtAll) {
    // An older backup is there; the start-up load fails; the disk is full when it is to be kept.
    const std::string ganz = dateiInhalt("jahr_a.sdb");
    const std::string gekuerzt = ganz.substr(0, ganz.rfind("/Schueler\r\n"));
    const std::string alteSicherung = ganz + "# eine alte Sicherung\r\n";
    schreibe(AKTUELLE_DATEI, gekuerzt);
    schreibe(std::string(AKTUELLE_DATEI) + ".bak", alteSicherung);
    auto w = fenster(false);
    m_meldungen.leeren();
    {
        VolleFestplatte voll(1000);
        m_meldungen.antworte(IDNO);
        w->queryClose();
    }
    EXPECT_EQ(dateiInhalt(std::string(AKTUELLE_DATEI) + ".bak"), alteSicherung);
    EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), gekuerzt);
    EXPECT_EQ(m_meldungen.meldungen()[0].text, "Die Datei aktuell.sdb konnte nicht als aktuell.sdb.bak gesichert werden.");
    // With room, the failed file is kept and the year written.
    m_meldungen.antworte(IDNO);
    w->queryClose();
    EXPECT_EQ(dateiInhalt(std::string(AKTUELLE_DATEI) + ".bak"), gekuerzt);
    EXPECT_NE(dateiInhalt(AKTUELLE_DATEI), gekuerzt);
}

// A folder shared by a group: aktuell.sdb is its owner's and the group's alone. The backup written
// before a plug-in runs and the copy of a year that failed to load give nobody else more, also
// where an older backup was open to all.
TEST_F(SpeichernTest, TheYearsCopiesAreAsPrivateAsTheYear) {
    plugin("ohnefenster", "b_ohne.so");
    constexpr uid_t BESITZER = 1234;
    constexpr gid_t SCHULE = 4321;
    const std::string bak = std::string(AKTUELLE_DATEI) + ".bak";
    const auto teile = [&](const char* datei) {
        ASSERT_EQ(::chown(datei, BESITZER, SCHULE), 0);
        ASSERT_EQ(::chmod(datei, 0660), 0);
    };
    for (const std::string& kopie : {std::string(SICHERUNGS_DATEI), bak}) {
        SCOPED_TRACE(kopie);
        schreibe(kopie, "alt\r\n");
        ASSERT_EQ(::chmod(kopie.c_str(), 0644), 0);
        if (kopie == bak) schreibe(AKTUELLE_DATEI, kaputt());  // its start-up load fails
        teile(AKTUELLE_DATEI);
        auto r = rahmen();
        if (kopie == bak) {
            r->client()->saveDatenbestand();
            ASSERT_TRUE(warteAufSchreiben(r->client()));
        } else {
            r->findChild<QAction*>("befehl2000")->trigger();  // saves aktuell.tmp first
        }
        struct stat st {};
        ASSERT_EQ(::stat(kopie.c_str(), &st), 0);
        EXPECT_NE(dateiInhalt(kopie), "alt\r\n");
        EXPECT_EQ(st.st_mode & 07777, 0660u);
        EXPECT_EQ(st.st_uid, BESITZER);
        EXPECT_EQ(st.st_gid, SCHULE);
        fs::remove(kopie);
        fs::copy_file("jahr_a.sdb", AKTUELLE_DATEI, fs::copy_options::overwrite_existing);
    }
}

TEST_F(SpeichernTest, OneProgramPerWorkingFolder) {
    // What a write killed half-way leaves behind goes at the next start; other files stay.
    for (const char* datei : {"aktuell.sdb.~Ab1234", "aktuell.tmp.~xyzXYZ", "orvask.str.~123456", "aktuell.sdb.~kurz",
                              "notizen.~Ab1234"})
        schreibe(datei, "x");
    // A lock left by a program that was killed is taken over.
    const pid_t kind = fork();
    if (kind == 0) {
        QLockFile sperre(SPERRDATEI);
        _exit(sperre.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(kind, &status, 0), kind);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(fs::exists(SPERRDATEI));
    std::unique_ptr<Sperrdatei> erste, zweite;
    EXPECT_EQ(sperreArbeitsordner(erste), Ordnersperre::Gesperrt);
    for (const char* datei : {"aktuell.sdb.~Ab1234", "aktuell.tmp.~xyzXYZ", "orvask.str.~123456"})
        EXPECT_FALSE(fs::exists(datei)) << datei;
    for (const char* datei : {"aktuell.sdb.~kurz", "notizen.~Ab1234"}) EXPECT_TRUE(fs::exists(datei)) << datei;
    // A second program in the same folder does not get it, until the first one ends.
    EXPECT_EQ(sperreArbeitsordner(zweite), Ordnersperre::Belegt);
    EXPECT_EQ(zweite, nullptr);
    erste.reset();
    EXPECT_EQ(sperreArbeitsordner(zweite), Ordnersperre::Gesperrt);
}

TEST_F(SpeichernTest, ASecondProgramInTheSameFolderSaysSoAndTouchesNothing) {
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess erster, zweiter;
    for (QProcess* p : {&erster, &zweiter}) {
        p->setProcessEnvironment(umgebung);
        p->setWorkingDirectory(QString::fromStdString(m_ordner.string()));
    }
    erster.start(ORVASK_PROGRAMM, {});
    ASSERT_TRUE(erster.waitForStarted(60000));
    // Until the lock names the first program, not merely until it is there.
    SperrAngaben halter;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return leseSperrAngaben(dateiInhalt(SPERRDATEI), halter) && halter.pid == erster.processId(); }, 60000));
    const std::string vorher = dateiInhalt(AKTUELLE_DATEI);
    zweiter.start(ORVASK_PROGRAMM, {});
    ASSERT_TRUE(zweiter.waitForStarted(60000));
    QByteArray fehler;
    const bool gemeldet = QTest::qWaitFor(
        [&] {
            fehler += zweiter.readAllStandardError();
            return fehler.contains("bereits");
        },
        60000);
    EXPECT_TRUE(gemeldet);
    EXPECT_TRUE(fehler.contains("Die Schulverwaltung l\xc3\xa4uft in diesem Arbeitsordner bereits."))
        << fehler.toStdString();
    EXPECT_EQ(erster.state(), QProcess::Running);
    EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), vorher);
    zweiter.kill();
    erster.kill();
    zweiter.waitForFinished(60000);
    erster.waitForFinished(60000);
}

}  // namespace
