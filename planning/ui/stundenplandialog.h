// The algorithm dialog (700): the user picks one of the five timetable
// generators, the dialog asks whether the weekly plan is cleared first,
// starts the generator on its worker thread, shows its progress every 100 ms
// and closes when the thread has finished. Its destructor reports a non-empty
// error text ("Stundenplanerstellung schlug fehl").
//
// The dialog touches the store only before the start; the worker is joined
// before the dialog closes or is destroyed. Escape or the window's close box
// while a generator runs act as "&Abbruch": the stop flag is set and the
// dialog waits for the thread to finish.
#pragma once

#include <QDialog>
#include <QTimer>

#include <memory>
#include <string>

class QLabel;
class QPushButton;
class c_Schulverwaltung;
class Stundenplanerstellung;

class TStundenplanDialog : public QDialog {
    Q_OBJECT

public:
    TStundenplanDialog(QWidget* parent, c_Schulverwaltung* schulverwaltung);
    ~TStundenplanDialog() override;

    // The handlers of the controls 701, 702, 703, 704, 753 and 752.
    void CmBacktracking();
    void CmTetris();
    void CmBrettOhne();
    void CmBrettMit();
    void CmBrettAlle();
    void CmAbbruch();
    // One tick of the 100 ms timer: shows the progress and closes the dialog
    // once the generator's thread has finished.
    void EvTimer();

    // The running or finished generator, null before the start.
    Stundenplanerstellung* getErstellung() const { return k_erstellung.get(); }
    // The error text; read it only when the generator has finished.
    const std::string& getFehlertext() const { return *k_fehlertext; }

public slots:
    void reject() override;

signals:
    // A generator's thread starts (true, before it runs) or has ended and been joined (false).
    void generatorLaeuft(bool laeuft);

private:
    enum class Algorithmus { Backtracking, Tetris, BrettOhne, BrettMit, BrettAlle };
    void frageUndStarte(Algorithmus a);
    void starte(Algorithmus a);
    // Says once that the generator's thread has ended (after it was joined).
    void meldeEnde();

    c_Schulverwaltung* k_schulverwaltung;
    QPushButton* k_backtracking;
    QPushButton* k_tetris;
    QPushButton* k_brettOhne;
    QPushButton* k_brettMit;
    QPushButton* k_brettAlle;
    QPushButton* k_abbruch;
    QLabel* k_statusFeld;
    std::unique_ptr<Stundenplanerstellung> k_erstellung;
    std::unique_ptr<std::string> k_fehlertext;
    QTimer k_timer;
    bool k_laeuftGemeldet = false;
};
