// Start-up of the program: splash picture, frame with menu, tool bar,
// accelerators and icon, and the main window as the frame's client.
#pragma once

#include <QApplication>
#include <QMainWindow>

#include <memory>

class QLockFile;
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

// The working folder belongs to one running program at a time, or two would each save over
// the other's work. The lock is a file in the folder; a lock left by a program that no longer
// runs (it crashed or was killed) is taken over.
enum class Ordnersperre {
    Gesperrt,      // this program holds the folder now
    Belegt,        // another running program holds it
    NichtMoeglich  // no lock file can be made there (a write-protected folder)
};
constexpr const char* SPERRDATEI = "orvaskeln.lock";
// Takes the lock of the working folder into `sperre` (kept while it lives). Having it, the
// temporary files of writes that a crash cut short are removed.
Ordnersperre sperreArbeitsordner(std::unique_ptr<QLockFile>& sperre);

// The program entry; the arguments are ignored.
int schulverwaltungMain(int argc, char** argv);
