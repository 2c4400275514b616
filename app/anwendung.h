// Start-up of the program: splash picture, frame with menu, tool bar,
// accelerators and icon, and the main window as the frame's client.
#pragma once

#include "app/hauptfenster.h"
#include "platform/sperrdatei.h"

#include <QApplication>
#include <QMainWindow>

#include <memory>

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
// be in use is taken over only when the user says so; a refusal, something in the lock's place
// that is no lock, or a folder where no lock can be made (or none written) are reported in a box
// and on the error output. Having the lock, the temporary files of writes that a crash cut short
// are removed. The program may run on with Gesperrt and NichtMoeglich.
Ordnersperre sperreArbeitsordner(std::unique_ptr<Sperrdatei>& sperre);

// The watch over the working folder while the program runs: a lock whose contents could not be
// written gets them when there is room again, and a program that runs without a lock tries to lock
// the folder before each write. Where another program has locked the folder (or saved its year
// there) meanwhile, it answers why the year must not be written.
class TArbeitsordnerwache : public Ordnerwache {
public:
    // `sperre` as sperreArbeitsordner left it with the result `start`; the watch fills it later
    // where it was empty.
    TArbeitsordnerwache(std::unique_ptr<Sperrdatei>& sperre, Ordnersperre start);
    std::string vorDemSchreiben(bool dateiWieBekannt) override;
    bool speichernGemeldet() const override { return k_gemeldet; }

private:
    std::unique_ptr<Sperrdatei>& k_sperre;
    std::string k_pfad;
    bool k_gemeldet;
};

// The program entry; the arguments are ignored.
int schulverwaltungMain(int argc, char** argv);
