// Where the main window's year stands with the disk: whether changes wait to be written, the timer
// that writes them a moment after the last change, the one that tries again after a failure, what
// the user has been told, and why writing is refused for good. Every path that writes the year
// (after a change, for a plug-in, before a generator, the retry, the close) ends in `geschrieben`,
// so none can leave the timers running or the user told something no longer true.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <string>

class QWidget;

class TSpeicherstand {
public:
    // Who says in a box that a write failed: this class (the first of a run of failures), or the
    // caller in a box of its own, which counts as that report.
    enum class Bericht { Selbst, VomAufrufer };

    // `faellig` runs when a timer says that the year is to be written now. `startGemeldet`: the
    // start already said that nothing can be saved here, which counts as the report of a failure.
    TSpeicherstand(QWidget* fenster, std::function<void()> faellig, bool startGemeldet);
    TSpeicherstand(const TSpeicherstand&) = delete;
    TSpeicherstand& operator=(const TSpeicherstand&) = delete;

    // The year changed: it is written VERZOEGERUNG ms after the last change, and at the latest
    // HOECHSTENS ms after the first change not yet written.
    void geaendert();
    // A write that was held back (a plug-in call, a reload) asks again in NACHFRAGE ms.
    void spaeter();
    // The write is due at once, from the event loop.
    void gleich();
    // A write of the year ended: `fehler` empty when aktuell.sdb holds the year now, else why not.
    // A success after a reported failure is said once. A failure is tried again every
    // `wiederholung` ms where it can be (`wiederholbar`), and never after a refusal (verweigere).
    void geschrieben(const std::string& fehler, Bericht bericht, bool wiederholbar);
    // Nothing waits to be written: the year was just read from aktuell.sdb, or it goes (the close).
    void nichtsOffen();
    // The year must not be written in this folder again in this session: why.
    void verweigere(const std::string& grund);
    const std::string& verweigert() const { return k_verweigert; }
    // Neither timer runs while the close asks its questions; `weiter` goes on as after a change.
    void halteAn();
    void weiter();

    bool ungespeichert() const { return k_ungespeichert; }
    // The delayed write waits for its time (not counting the retry after a failure).
    bool bald() const { return k_uhr.isActive(); }
    // A failed write waits to be tried again.
    bool wiederholt() const { return k_wiederholUhr.isActive(); }
    void setzeWiederholung(int ms) { k_wiederholung = ms; }

    static constexpr int VERZOEGERUNG = 1500;
    static constexpr int HOECHSTENS = 5000;
    static constexpr int WIEDERHOLUNG = 30000;
    static constexpr int NACHFRAGE = 200;

private:
    QWidget* k_fenster;
    QTimer k_uhr;
    QTimer k_wiederholUhr;
    int k_wiederholung = WIEDERHOLUNG;
    bool k_ungespeichert = false;
    QElapsedTimer k_seitErsterAenderung;  // since the first change not yet written
    // A failed write was reported: further failures go unsaid, and the first success says so.
    bool k_fehlerGemeldet;
    std::string k_verweigert;
    bool k_verweigertGemeldet = false;
};
