#include "app/anwendung.h"

#include "app/hauptfenster.h"
#include "model/database/database.h"
#include "platform/speicher.h"
#include "platform/textfile.h"
#include "platform/ui/anwendung.h"
#include "platform/ui/bilder.h"
#include "platform/ui/meldung.h"

#include <QAction>
#include <QCloseEvent>
#include <QLockFile>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QSplashScreen>
#include <QTimer>
#include <QToolBar>

#include <cstdio>

namespace {

struct Eintrag {
    const char* text;  // null: separator
    int befehl;
};

}  // namespace

THauptrahmen::THauptrahmen(TMainWindow* client) : k_client(client) {
    setObjectName("rahmen");
    setWindowTitle("Tessaluna Schulverwaltung Version 1.2 BETA2");
    setWindowIcon(icon(BILD_PROGRAMMSYMBOL));
    setCentralWidget(client);
    baueMenue();
    baueWerkzeugleiste();
    // Insert and Delete reach Neu and Löschen from anywhere in the frame.
    auto* neu = new QShortcut(QKeySequence(Qt::Key_Insert), this);
    connect(neu, &QShortcut::activated, client, [client] { client->befehl(CM_NEU); });
    auto* loeschen = new QShortcut(QKeySequence(Qt::Key_Delete), this);
    connect(loeschen, &QShortcut::activated, client, [client] { client->befehl(CM_LOESCHEN); });
    connect(client, &TMainWindow::schliessenAngefordert, this, &QWidget::close);
    resize(780, 520);
}

void THauptrahmen::baueMenue() {
    struct Popup {
        const char* titel;
        std::vector<Eintrag> eintraege;
    };
    const std::vector<Popup> menue = {
        {"&Programm",
         {{"Schulverwaltung &zurücksetzen...", CM_ZURUECKSETZEN},
          {nullptr, 0},
          {"Jahrgang &archivieren...", CM_JAHRGANG_ARCHIVIEREN},
          {"Jahrgang &wiederherstellen...", CM_JAHRGANG_WIEDERHERSTELLEN},
          {nullptr, 0},
          {"Daten E&xportieren...", CM_EXPORTIEREN},
          {nullptr, 0},
          {"&Drucken...", CM_DRUCKEN},
          {"D&rucker einrichten...", CM_DRUCKER_EINRICHTEN},
          {nullptr, 0},
          {"&Beenden", CM_BEENDEN}}},
        {"&Bearbeiten", {{"&Neu...", CM_NEU}, {"Än&dern...", CM_AENDERN}, {"&Löschen...", CM_LOESCHEN}}},
        {"&Spezial",
         {{"&Schuljahreswechsel", CM_SCHULJAHRESWECHSEL},
          {"&Halbjahreswechsel", CM_HALBJAHRESWECHSEL},
          {nullptr, 0},
          {"Stundenplan &erstellen", CM_STUNDENPLAN_ERSTELLEN},
          {"&Vertretungsplan erstellen", CM_VERTRETUNGSPLAN_ERSTELLEN},
          {nullptr, 0},
          {"&Curriculum", CM_CURRICULUM},
          {"E&instellungen", CM_EINSTELLUNGEN},
          {nullptr, 0},
          {"Er&weiterungen...", CM_ERWEITERUNGEN}}},
        {"&Hilfe", {{"&Hilfe", CM_HILFE}, {nullptr, 0}, {"&Info", CM_INFO}}},
    };
    for (const Popup& p : menue) {
        QMenu* m = menuBar()->addMenu(p.titel);
        for (const Eintrag& e : p.eintraege) {
            if (!e.text) {
                m->addSeparator();
                continue;
            }
            QAction* a = m->addAction(e.text);
            a->setObjectName(QString("befehl%1").arg(e.befehl));
            const int id = e.befehl;
            connect(a, &QAction::triggered, k_client, [this, id] { k_client->befehl(id); });
        }
    }
}

void THauptrahmen::baueWerkzeugleiste() {
    auto* leiste = new QToolBar("Schulverwaltung Tools", this);
    leiste->setObjectName("werkzeugleiste");
    leiste->setMovable(true);
    leiste->setFloatable(true);
    leiste->setIconSize(QSize(24, 24));
    QFont schrift = leiste->font();
    schrift.setPointSize(10);
    leiste->setFont(schrift);
    const struct {
        int bild;
        int befehl;
        const char* tipp;
    } knoepfe[] = {
        {BILD_HILFE, CM_HILFE, "Hilfe"},
        {BILD_BEENDEN, CM_BEENDEN, "Beenden"},
        {0, 0, nullptr},
        {BILD_WIEDERHERSTELLEN, CM_JAHRGANG_WIEDERHERSTELLEN, "Jahrgang wiederherstellen"},
        {BILD_ARCHIVIEREN, CM_JAHRGANG_ARCHIVIEREN, "Jahrgang archivieren"},
        {0, 0, nullptr},
        {BILD_NEU, CM_NEU, "Neu"},
        {BILD_AENDERN, CM_AENDERN, "Ändern"},
        {BILD_LOESCHEN, CM_LOESCHEN, "Löschen"},
        {0, 0, nullptr},
        {BILD_STUNDENPLAN, CM_STUNDENPLAN_ERSTELLEN, "Stundenplan erstellen"},
        {BILD_VERTRETUNGSPLAN, CM_VERTRETUNGSPLAN_ERSTELLEN, "Vertretungsplan erstellen"},
        {BILD_EXPORTIEREN, CM_EXPORTIEREN, "Daten Exportieren"},
    };
    for (const auto& k : knoepfe) {
        if (!k.tipp) {
            leiste->addSeparator();
            continue;
        }
        QAction* a = leiste->addAction(icon(k.bild), k.tipp);
        a->setObjectName(QString("knopf%1").arg(k.befehl));
        const int id = k.befehl;
        connect(a, &QAction::triggered, k_client, [this, id] { k_client->befehl(id); });
    }
    addToolBar(Qt::TopToolBarArea, leiste);
}

void THauptrahmen::closeEvent(QCloseEvent* e) {
    if (k_client->queryClose())
        e->accept();
    else
        e->ignore();
}

TSchulverwaltungApplication::TSchulverwaltungApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Tessaluna Schulverwaltung");
    installiereDeutscheUebersetzung(*this);
    setWindowIcon(icon(BILD_PROGRAMMSYMBOL));
}

TSchulverwaltungApplication::~TSchulverwaltungApplication() { delete k_rahmen; }

namespace {
// The splash picture while it shows; it deletes itself when its time is up, which may
// happen inside any message box of the set-up, so it is only reached through this guard.
QPointer<QSplashScreen> g_splash;
}  // namespace

QSplashScreen* startbild() { return g_splash.data(); }

THauptrahmen* starteHauptfenster(int splashZeit) {
    // A box of the set-up may outlast the splash; no window is shown then, and that
    // must not end the program before its frame appears.
    const bool beenden = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);

    g_splash = new QSplashScreen(bitmap(BILD_STARTBILD));
    g_splash->setAttribute(Qt::WA_DeleteOnClose);
    g_splash->show();
    QCoreApplication::processEvents();
    QTimer::singleShot(splashZeit, g_splash.data(), &QWidget::close);

    auto* hauptfenster = new TMainWindow;
    auto* rahmen = new THauptrahmen(hauptfenster);
    hauptfenster->setupFenster();
    rahmen->show();
    if (g_splash) g_splash->raise();

    QGuiApplication::setQuitOnLastWindowClosed(beenden);
    return rahmen;
}

THauptrahmen* TSchulverwaltungApplication::initHauptfenster() {
    k_rahmen = starteHauptfenster(SPLASH_ZEIT);
    return k_rahmen;
}

Ordnersperre sperreArbeitsordner(std::unique_ptr<QLockFile>& sperre) {
    sperre = std::make_unique<QLockFile>(SPERRDATEI);
    // Only a program that no longer runs leaves its lock stale, however old it is.
    sperre->setStaleLockTime(0);
    if (!sperre->tryLock(0)) {
        const bool belegt = sperre->error() == QLockFile::LockFailedError;
        sperre.reset();
        return belegt ? Ordnersperre::Belegt : Ordnersperre::NichtMoeglich;
    }
    for (const char* datei : {AKTUELLE_DATEI, SICHERUNGS_DATEI, "aktuell.sdb.bak", STRUKTURDATEI})
        text::removeStaleTemporaries(datei);
    return Ordnersperre::Gesperrt;
}

int schulverwaltungMain(int argc, char** argv) {
    installiereSpeicherHandler();
    // The lock goes after the application: the main window and the plug-ins are gone by then.
    std::unique_ptr<QLockFile> sperre;
    TSchulverwaltungApplication app(argc, argv);
    if (sperreArbeitsordner(sperre) == Ordnersperre::Belegt) {
        const char* const text =
            "Die Schulverwaltung läuft in diesem Arbeitsordner bereits.\nBitte arbeiten Sie in dem Fenster weiter, "
            "das schon geöffnet ist.";
        std::fprintf(stderr, "%s\n", text);
        meldung(text, "Fehler", MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    app.setQuitOnLastWindowClosed(true);
    app.initHauptfenster();
    return app.exec();
}
