// Start-up of the program: splash picture, frame with menu, tool bar,
// accelerators and icon, and the main window as the frame's client.
#pragma once

#include <QApplication>
#include <QMainWindow>

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
    QSplashScreen* k_splash = nullptr;
};

// The program entry; the arguments are ignored.
int schulverwaltungMain(int argc, char** argv);
