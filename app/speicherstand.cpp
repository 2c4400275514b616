#include "app/speicherstand.h"

#include "platform/ui/meldung.h"

#include <QWidget>

#include <algorithm>
#include <utility>

TSpeicherstand::TSpeicherstand(QWidget* fenster, std::function<void()> faellig, bool startGemeldet)
    : k_fenster(fenster), k_fehlerGemeldet(startGemeldet) {
    k_uhr.setSingleShot(true);
    k_wiederholUhr.setSingleShot(true);
    QObject::connect(&k_uhr, &QTimer::timeout, fenster, faellig);
    QObject::connect(&k_wiederholUhr, &QTimer::timeout, fenster, faellig);
}

void TSpeicherstand::geaendert() {
    // A quiet moment after the last change, but never later than HOECHSTENS after the first
    // change that is not on the disk yet, however closely the changes follow each other.
    if (!k_ungespeichert || !k_seitErsterAenderung.isValid()) k_seitErsterAenderung.start();
    k_ungespeichert = true;
    if (!k_verweigert.empty()) return;  // nothing is written here any more
    const qint64 rest = HOECHSTENS - k_seitErsterAenderung.elapsed();
    k_uhr.start(static_cast<int>(std::clamp<qint64>(rest, 0, VERZOEGERUNG)));
}

void TSpeicherstand::spaeter() {
    if (k_verweigert.empty()) k_uhr.start(NACHFRAGE);
}

void TSpeicherstand::gleich() {
    if (k_verweigert.empty()) k_uhr.start(0);
}

void TSpeicherstand::halteAn() {
    k_uhr.stop();
    k_wiederholUhr.stop();
}

void TSpeicherstand::weiter() {
    if (k_ungespeichert && k_verweigert.empty()) k_uhr.start(VERZOEGERUNG);
}

void TSpeicherstand::nichtsOffen() {
    k_ungespeichert = false;
    halteAn();
}

void TSpeicherstand::verweigere(const std::string& grund) {
    k_verweigert = grund;
    halteAn();
}

void TSpeicherstand::geschrieben(const std::string& fehler, Bericht bericht, bool wiederholbar) {
    if (fehler.empty()) {
        nichtsOffen();
        if (!std::exchange(k_fehlerGemeldet, false)) return;
        meldung("Das Speichern ist wieder gelungen: Der Datenbestand ist jetzt vollständig in der Datei "
                "aktuell.sdb gespeichert.",
                "Gespeichert", MB_OK | MB_ICONINFORMATION, k_fenster);
        return;
    }
    k_seitErsterAenderung.start();
    if (!k_verweigert.empty()) {
        // Another program's year is in the folder now: said once, never tried again.
        halteAn();
        if (std::exchange(k_verweigertGemeldet, true) || bericht == Bericht::VomAufrufer) return;
        meldung(fehler, "Fehler", MB_OK | MB_ICONEXCLAMATION, k_fenster);
        return;
    }
    // Tried again quietly, with the next change or after a while without one (room on the disk may
    // come back). A year without its structure cannot be written in this session at all.
    if (wiederholbar) k_wiederholUhr.start(k_wiederholung);
    if (std::exchange(k_fehlerGemeldet, true) || bericht == Bericht::VomAufrufer) return;
    const char* const weiter =
        wiederholbar
            ? "\n\nDie Änderungen bleiben erhalten, solange das Programm läuft;\ndas Speichern wird mit jeder "
              "Änderung und etwa alle 30 Sekunden\nerneut versucht."
            : "\n\nÄnderungen können in dieser Sitzung nicht gespeichert werden;\ndie Datei aktuell.sdb bleibt, wie "
              "sie ist. Um weiterzuarbeiten,\nstellen Sie über „Programm › Jahrgang wiederherstellen“ einen\n"
              "archivierten Jahrgang wieder her, oder beenden Sie das Programm\nund ersetzen Sie die beschädigte "
              "Datei durch eine Sicherung.";
    meldung(fehler + weiter, "Fehler", MB_OK | MB_ICONEXCLAMATION, k_fenster);
}
