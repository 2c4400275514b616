#include "app/anwendung.h"

#include "app/hauptfenster.h"
#include "model/database/database.h"
#include "platform/speicher.h"
#include "platform/systemfehler.h"
#include "platform/textfile.h"
#include "platform/ui/anwendung.h"
#include "platform/ui/bilder.h"
#include "platform/ui/meldung.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QSplashScreen>
#include <QTimer>
#include <QToolBar>

#include <cstdio>
#include <filesystem>

#include <sys/stat.h>

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

namespace {

std::string zitiert(const std::string& s) { return "„" + s + "“"; }

// "auf dem Computer „pc“ (Prozessnummer 4711)", or "auf diesem Computer (…)" for this one.
std::string herkunft(const SperrAngaben& a, bool hier) {
    const std::string nummer = "Prozessnummer " + std::to_string(a.pid);
    if (!hier) return "auf dem Computer " + zitiert(a.rechner) + " (" + nummer + ")";
    return "auf diesem Computer (" + (a.rechner.empty() ? "" : zitiert(a.rechner) + ", ") + nummer + ")";
}

// Which folder a lock stands for, in the words of the boxes.
struct Ordnerworte {
    bool jahrgang = false;  // the folder the year lives in, reached through the link aktuell.sdb
    std::string ordner;     // that folder
};

// "in diesem Arbeitsordner", or for the year's folder, where it is.
std::string ort(const Ordnerworte& w) {
    return w.jahrgang ? "im Ordner " + zitiert(w.ordner) + " des Jahrgangs" : "in diesem Arbeitsordner";
}

std::string belegtText(const std::string& pfad, const Sperrbefund& b, const Ordnerworte& w) {
    std::string text = w.jahrgang ? "Die Schulverwaltung läuft bereits im Ordner " + zitiert(w.ordner) +
                                        ", in dem der Jahrgang dieses Arbeitsordners liegt (die Datei aktuell.sdb "
                                        "verweist dorthin).\n"
                                  : "Die Schulverwaltung läuft in diesem Arbeitsordner bereits.\n";
    if (b.lesbar && !gleicherRechner(b.angaben, eigeneSperrAngaben()))
        text += "Sie arbeitet " + herkunft(b.angaben, false) + ".";
    else
        text += "Bitte arbeiten Sie in dem Fenster weiter, das schon geöffnet ist.";
    return text + "\n\nSperrdatei: " + pfad;
}

std::string uebernahmeFrage(const std::string& pfad, const Sperrbefund& b, const Ordnerworte& w) {
    using Art = Sperrbefund::Art;
    std::string text = (w.jahrgang ? "Der Ordner " + zitiert(w.ordner) +
                                         ", in dem der Jahrgang dieses Arbeitsordners liegt (die Datei aktuell.sdb "
                                         "verweist dorthin), ist durch die Sperrdatei "
                                   : std::string("Der Arbeitsordner ist durch die Sperrdatei ")) +
                       zitiert(pfad) + " gesperrt.\n";
    const std::string unbekannt = ", daher ist nicht bekannt, von welchem Computer und Programm sie stammt. "
                                  "Möglicherweise arbeitet noch eine Schulverwaltung in diesem Ordner.";
    switch (b.art) {
    case Art::FremderRechner:
        text += "Sie stammt von der Schulverwaltung " + herkunft(b.angaben, false) +
                ". Möglicherweise läuft das Programm dort noch; von diesem Computer aus lässt sich das nicht prüfen.";
        break;
    case Art::AndererOrdner:
        text += "Sie stammt von der Schulverwaltung " + herkunft(b.angaben, true) +
                ". Unter dieser Prozessnummer läuft jetzt eine Schulverwaltung in einem anderen Ordner" +
                (b.andererOrdner.empty() ? "" : " (" + zitiert(b.andererOrdner) + ")") +
                "; ob das Programm, das diesen Ordner gesperrt hat, noch läuft, lässt sich nicht sicher feststellen.";
        break;
    case Art::Ungeprueft:
        text += "Sie stammt von der Schulverwaltung " + herkunft(b.angaben, true) +
                ". Unter dieser Prozessnummer läuft ein Programm, das sich nicht prüfen lässt; möglicherweise ist es "
                "die Schulverwaltung, und sie läuft noch.";
        break;
    case Art::Leer:
        text += "Sie ist leer" + unbekannt;
        break;
    case Art::Unlesbar:
        text += "Sie lässt sich nicht lesen (" + systemFehlerText(b.fehler) + ")" + unbekannt;
        break;
    default:
        text += "Sie enthält keine gültigen Angaben" + unbekannt;
        break;
    }
    return text + "\n\nArbeiten zwei Programme im selben Ordner, überschreibt jedes die Änderungen des anderen.\n" +
           (w.jahrgang ? "Möchten Sie die alte Sperre entfernen und den Ordner übernehmen?"
                       : "Möchten Sie die alte Sperre entfernen und den Arbeitsordner übernehmen?");
}

std::string grund(int fehler) { return fehler ? systemFehlerText(fehler) : "es ist keine gewöhnliche Datei"; }

std::string sperrPfad() {
    std::error_code fehlt;
    std::string pfad = std::filesystem::absolute(SPERRDATEI, fehlt).string();
    return fehlt ? std::string(SPERRDATEI) : pfad;
}

std::string nichtSpeichernText(const std::string& pfad, const Sperrergebnis& e, const Ordnerworte& w) {
    std::string grundText;
    if (e.ergebnis == Ordnersperre::Gesperrt)
        grundText = "In die Sperrdatei " + zitiert(pfad) + " lässt sich nichts schreiben (";
    else if (e.alteUnentfernbar)
        grundText = "Die alte Sperrdatei " + zitiert(pfad) + " lässt sich nicht entfernen (";
    else if (e.alteEntfernt)
        grundText = "Die alte Sperrdatei " + zitiert(pfad) + " wurde entfernt, aber eine neue lässt sich nicht anlegen (";
    else
        grundText = "Die Sperrdatei " + zitiert(pfad) + " lässt sich nicht anlegen (";
    return "Die Schulverwaltung kann " + ort(w) + " nicht speichern: " + grundText + grund(e.fehler) +
           (e.ergebnis == Ordnersperre::Gesperrt
                ? ").\nDas Programm startet trotzdem; eine weitere Schulverwaltung kann auf diesem Computer "
                  "nicht in diesem Ordner starten."
                : ").\nDas Programm startet trotzdem, ohne den Ordner zu sperren.");
}

// Tail of the texts that say why this program writes nothing in its folder any more.
const char* const NICHT_MEHR_SPEICHERN =
    "\nDamit deren Arbeit nicht überschrieben wird, speichert dieses Programm nicht mehr in diesem "
    "Arbeitsordner.\nIhre Änderungen bleiben erhalten, solange das Programm läuft; sichern Sie sie bei Bedarf "
    "über „Programm › Jahrgang archivieren“.";

Ordnersperre sperreMitMeldung(const std::string& pfad, const Ordnerworte& w, std::unique_ptr<Sperrdatei>& sperre) {
    sperre.reset();
    Sperrergebnis e = sperreOrdner(pfad, [&pfad, &w](const Sperrbefund& b) {
        return meldung(uebernahmeFrage(pfad, b, w), "Arbeitsordner gesperrt", MB_YESNO | MB_ICONQUESTION) == IDYES;
    });
    std::string text;
    switch (e.ergebnis) {
    case Ordnersperre::Gesperrt:
        sperre = std::move(e.sperre);
        // Held, but empty: this computer sees it held, and the disk is full.
        if (!e.fehler) return Ordnersperre::Gesperrt;
        text = nichtSpeichernText(pfad, e, w);
        break;
    case Ordnersperre::Abgelehnt:
        return Ordnersperre::Abgelehnt;
    case Ordnersperre::Belegt:
        text = belegtText(pfad, e.befund, w);
        break;
    case Ordnersperre::Unentfernbar:
        text = "Die Sperrdatei " + zitiert(pfad) + " lässt sich nicht entfernen (" + grund(e.fehler) +
               ").\nOhne Sperre lässt sich nicht ausschließen, dass eine andere Schulverwaltung " + ort(w) +
               " arbeitet; das Programm wird beendet.";
        break;
    case Ordnersperre::NichtMoeglich:
        text = nichtSpeichernText(pfad, e, w);
        break;
    }
    std::fprintf(stderr, "%s\n", text.c_str());
    meldung(text, "Fehler", MB_OK | MB_ICONEXCLAMATION);
    return e.ergebnis;
}

}  // namespace

Ordnersperre sperreArbeitsordner(std::unique_ptr<Sperrdatei>& sperre) {
    const Ordnersperre ergebnis = sperreMitMeldung(sperrPfad(), Ordnerworte{}, sperre);
    if (sperre)
        for (const char* datei : {AKTUELLE_DATEI, SICHERUNGS_DATEI, "aktuell.sdb.bak", STRUKTURDATEI})
            text::removeStaleTemporaries(datei);
    return ergebnis;
}

std::string jahrgangsSperrPfad() {
    struct stat st {};
    if (::lstat(AKTUELLE_DATEI, &st) != 0 || !S_ISLNK(st.st_mode)) return {};
    // The folder of the file the link leads to, however it is named: compared by what it is.
    const std::string ziel = text::writeTarget(AKTUELLE_DATEI);
    std::error_code fehler;
    const std::filesystem::path ordner =
        std::filesystem::weakly_canonical(std::filesystem::absolute(text::folderOf(ziel), fehler), fehler);
    struct stat dort {}, hier {};
    if (fehler || ::stat(ordner.c_str(), &dort) != 0 || ::stat(".", &hier) != 0) return {};
    if (dort.st_dev == hier.st_dev && dort.st_ino == hier.st_ino) return {};
    return (ordner / SPERRDATEI).string();
}

Ordnersperre sperreJahrgangsordner(const std::string& pfad, std::unique_ptr<Sperrdatei>& sperre) {
    const Ordnersperre ergebnis = sperreMitMeldung(pfad, Ordnerworte{true, text::folderOf(pfad)}, sperre);
    // What writes of this year that a crash cut short left beside it.
    if (sperre) text::removeStaleTemporaries(text::writeTarget(AKTUELLE_DATEI));
    return ergebnis;
}

namespace {
std::string sperreVerlorenText(const std::string& pfad) {
    return "Die Sperrdatei " + zitiert(pfad) +
           ", mit der dieses Programm den Ordner gesperrt hat, wurde entfernt oder ersetzt; möglicherweise arbeitet "
           "inzwischen eine andere Schulverwaltung in diesem Ordner." +
           NICHT_MEHR_SPEICHERN;
}
}  // namespace

TArbeitsordnerwache::TArbeitsordnerwache(std::unique_ptr<Sperrdatei> sperre, Ordnersperre start) {
    k_ergaenzung.setInterval(ERGAENZUNG);
    QObject::connect(&k_ergaenzung, &QTimer::timeout, &k_ergaenzung, [this] { ergaenze(); });
    const std::string pfad = sperre ? sperre->pfad() : sperrPfad();
    nimmSperre(std::move(sperre), start, pfad);
}

void TArbeitsordnerwache::nimmSperre(std::unique_ptr<Sperrdatei> sperre, Ordnersperre start,
                                     const std::string& pfad) {
    // The start has said that nothing can be saved here (no lock, or one without its contents).
    k_gemeldet = k_gemeldet || start == Ordnersperre::NichtMoeglich || (sperre && sperre->inhaltFehlt());
    k_plaetze.push_back(Platz{pfad, std::move(sperre)});
    ergaenze();
}

void TArbeitsordnerwache::setzeErgaenzung(int ms) {
    k_ergaenzung.setInterval(ms);
    ergaenze();
}

void TArbeitsordnerwache::ergaenze() {
    bool fehlt = false;
    for (Platz& p : k_plaetze)
        if (p.sperre && !p.sperre->ergaenzeInhalt()) fehlt = true;
    if (!fehlt)
        k_ergaenzung.stop();
    else if (!k_ergaenzung.isActive())
        k_ergaenzung.start();
}

std::string TArbeitsordnerwache::vorDemSchreiben(const std::function<bool()>& dateiWieBekannt) {
    bool ohneSperre = false;
    std::vector<Platz*> neu;
    for (Platz& p : k_plaetze) {
        if (p.sperre) {
            if (!p.sperre->istNochEigene()) return sperreVerlorenText(p.pfad);
            continue;
        }
        // Without a lock since the start: another program may have come meanwhile.
        ohneSperre = true;
        Sperrergebnis e = sperreOrdner(p.pfad, [](const Sperrbefund&) { return false; });
        switch (e.ergebnis) {
        case Ordnersperre::Gesperrt:
            p.sperre = std::move(e.sperre);
            neu.push_back(&p);
            break;
        case Ordnersperre::NichtMoeglich:
            break;  // still none: the write is tried and says for itself how it went
        default:
            return "Eine andere Schulverwaltung arbeitet inzwischen in diesem Arbeitsordner (Sperrdatei " +
                   zitiert(p.pfad) + ")." + NICHT_MEHR_SPEICHERN;
        }
    }
    ergaenze();
    // Locked only now (or still not): what is in the folder is looked at once no other program can
    // save there any more, so that a save between the look and the lock is not written over.
    if (!ohneSperre || dateiWieBekannt()) return {};
    // Writing nothing more here, this program holds the folder for nobody.
    for (Platz* p : neu) p->sperre.reset();
    return "Eine andere Schulverwaltung hat inzwischen in diesem Arbeitsordner gespeichert: Die Datei "
           "aktuell.sdb ist nicht mehr die, die dieses Programm gelesen oder geschrieben hat." +
           std::string(NICHT_MEHR_SPEICHERN);
}

int schulverwaltungMain(int argc, char** argv) {
    installiereSpeicherHandler();
    // The locks go after the application: the main window and the plug-ins are gone by then.
    std::unique_ptr<TArbeitsordnerwache> wache;
    TSchulverwaltungApplication app(argc, argv);
    const auto laeuftWeiter = [](Ordnersperre o) { return o == Ordnersperre::Gesperrt || o == Ordnersperre::NichtMoeglich; };
    std::unique_ptr<Sperrdatei> sperre;
    const Ordnersperre ordner = sperreArbeitsordner(sperre);
    if (!laeuftWeiter(ordner)) return 1;
    wache = std::make_unique<TArbeitsordnerwache>(std::move(sperre), ordner);
    if (const std::string jahrgang = jahrgangsSperrPfad(); !jahrgang.empty()) {
        const Ordnersperre dort = sperreJahrgangsordner(jahrgang, sperre);
        if (!laeuftWeiter(dort)) return 1;
        wache->nimmSperre(std::move(sperre), dort, jahrgang);
    }
    setzeOrdnerwache(wache.get());
    app.setQuitOnLastWindowClosed(true);
    app.initHauptfenster();
    return app.exec();
}
