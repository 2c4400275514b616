// Start-up of the program: splash picture, frame with menu, tool bar,
// accelerators and icon, and the main window as the frame's client.
#pragma once

#include "app/hauptfenster.h"
#include "platform/sperrdatei.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSplashScreen;
class TMainWindow;

// The decorated frame around the main window.
class THauptrahmen : public QMainWindow {
    Q_OBJECT
public:
    explicit THauptrahmen(TMainWindow* client);
    TMainWindow* client() const { return k_client; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void baueMenue();
    void baueWerkzeugleiste();
    TMainWindow* k_client;
};

class TSchulverwaltungApplication : public QApplication {
    Q_OBJECT
public:
    TSchulverwaltungApplication(int& argc, char** argv);
    ~TSchulverwaltungApplication() override;

    // Shows the splash picture, builds the frame and the main window (which
    // loads the data) and shows the frame.
    THauptrahmen* initHauptfenster();
    THauptrahmen* rahmen() const { return k_rahmen; }

private:
    THauptrahmen* k_rahmen = nullptr;
};

// How long the splash picture shows, in milliseconds.
constexpr int SPLASH_ZEIT = 3000;

// The start-up of initHauptfenster on the running QApplication: the splash picture for
// `splashZeit` ms, then the frame with a new main window, set up (it loads the data) and
// shown. The caller owns the frame. Message boxes of the set-up may stay open for any time.
THauptrahmen* starteHauptfenster(int splashZeit);
// The splash picture while it is shown, else null.
QSplashScreen* startbild();

// The working folder belongs to one running program at a time (see platform/sperrdatei.h).
constexpr const char* SPERRDATEI = "orvaskeln.lock";
// Takes the lock of the working folder into `sperre` (kept while it lives). A lock that may still
// be in use is taken over only when the user says so; a refusal, a folder in the lock's place, or
// a folder where no lock can be made (or none written) are reported in a box and on the error
// output. Having the lock, the temporary files of writes that a crash cut short are removed. The
// program may run on with Gesperrt and NichtMoeglich.
Ordnersperre sperreArbeitsordner(std::unique_ptr<Sperrdatei>& sperre);
// A year is written where it lives: where aktuell.sdb is a symbolic link into another folder, the
// lock file of that folder, which a program there (or in a third folder whose aktuell.sdb leads to
// the same year) holds as well; empty where the year lives in the working folder.
std::string jahrgangsSperrPfad();
// Locks the year's folder (`pfad` from jahrgangsSperrPfad) as sperreArbeitsordner locks the working
// folder, with the same question and boxes, which name that folder.
Ordnersperre sperreJahrgangsordner(const std::string& pfad, std::unique_ptr<Sperrdatei>& sperre);

// The watch over the folders the program locked while it runs: before each write of the year's
// files it makes sure that each lock is still this program's own, and a program that runs without
// one tries to lock the folder first. Where another program has locked the folder (or saved its
// year there) meanwhile, or the lock went, it answers why the year must not be written. A lock
// whose contents could not be written (a full disk) gets them when there is room again.
class TArbeitsordnerwache : public Ordnerwache {
public:
    // The working folder's lock as sperreArbeitsordner left it with the result `start` (null where
    // none could be made).
    TArbeitsordnerwache(std::unique_ptr<Sperrdatei> sperre, Ordnersperre start);
    // One more folder's lock (`pfad`: the year's, as sperreJahrgangsordner left it).
    void nimmSperre(std::unique_ptr<Sperrdatei> sperre, Ordnersperre start, const std::string& pfad);
    std::string vorDemSchreiben(const std::function<bool()>& dateiWieBekannt) override;
    bool speichernGemeldet() const override { return k_gemeldet; }
    // How often a lock without its contents is tried again (ERGAENZUNG; shorter in tests).
    void setzeErgaenzung(int ms);
    static constexpr int ERGAENZUNG = 30000;

private:
    struct Platz {
        std::string pfad;
        std::unique_ptr<Sperrdatei> sperre;
    };
    void ergaenze();
    std::vector<Platz> k_plaetze;
    QTimer k_ergaenzung;
    bool k_gemeldet = false;
};

// The program entry; the arguments are ignored.
int schulverwaltungMain(int argc, char** argv);
