// The working folder belongs to one running program at a time, or two would each save over the
// other's work. The sign is a lock file in the folder with the holder's process number, program
// name and computer (the lines the Qt lock files of earlier versions wrote, so those are still
// understood). The holder keeps the file open with a kernel lock (flock) on it for as long as it
// runs: the kernel drops that lock when the process ends, however it ends, so a held kernel lock
// proves a live holder on this computer whatever became of its process number since.
//
// A lock whose holder is gone for certain (this computer, readable, no process of that program
// under that number since this boot) is taken over without a word. A lock that can be neither
// proven live nor proven stale (another computer, contents that cannot be read, the number taken
// by the program in another folder) is only taken over when the caller's question says so.
#pragma once

#include <functional>
#include <memory>
#include <string>

// What a lock file says about its holder, line by line: process number, program name (the
// executable's file name), computer name, machine id, boot id. The last two may be missing.
struct SperrAngaben {
    long long pid = 0;
    std::string programm;
    std::string rechner;
    std::string maschine;
    std::string start;
};

// Reads the bytes of a lock file; false when they hold no valid process number (empty, garbage).
bool leseSperrAngaben(const std::string& bytes, SperrAngaben& angaben);
// The bytes of a lock file for `angaben`.
std::string sperrInhalt(const SperrAngaben& angaben);
// This process on this computer as its lock file names it.
SperrAngaben eigeneSperrAngaben();
// True when `dort` may name this computer (`hier`): the same computer name (or none, as some old
// lock files have) and no machine id that differs.
bool gleicherRechner(const SperrAngaben& dort, const SperrAngaben& hier);

// What was found at the lock file's place.
struct Sperrbefund {
    enum class Art {
        Laeuft,          // its program runs: it holds the kernel lock, or runs here in this folder
        Beendet,         // a program of this computer that no longer runs (crashed or killed)
        FremderRechner,  // written on another computer; whether it still runs there cannot be seen
        AndererOrdner,   // the number now belongs to a program of that name working in another folder
        Ungeprueft,      // the number runs here, but its program and folder cannot be looked at
        Leer,            // an empty file (a power cut just after it was made)
        Ungueltig,       // no process number in it
        Unlesbar,        // cannot be read (`fehler`)
        KeineDatei       // a folder or another kind of entry (`fehler` EISDIR for a folder, else 0); only a
                         // folder stays, anything else (a symbolic link) is no lock and is replaced
    };
    Art art = Art::Leer;
    bool lesbar = false;      // `angaben` hold what the file says
    SperrAngaben angaben;
    int fehler = 0;           // errno
    std::string andererOrdner;  // AndererOrdner: that program's folder, when it could be read
};

// How the holder named by readable lock contents `dort` stands, seen from `hier` (this process)
// for the lock file in `ordner`: Laeuft, Beendet, FremderRechner, AndererOrdner or Ungeprueft.
// For AndererOrdner `andererOrdner` (optional) gets that program's folder.
Sperrbefund::Art beurteileHalter(const SperrAngaben& dort, const SperrAngaben& hier, const std::string& ordner,
                                 std::string* andererOrdner = nullptr);

// A lock file this process holds. Destroying it removes the file and releases the kernel lock.
class Sperrdatei {
public:
    // `inhaltFehlt`: the file is held, but its contents could not be written (a full disk).
    Sperrdatei(std::string pfad, int fd, std::string inhalt, bool inhaltFehlt)
        : k_pfad(std::move(pfad)), k_fd(fd), k_inhalt(std::move(inhalt)), k_inhaltFehlt(inhaltFehlt) {}
    ~Sperrdatei();
    Sperrdatei(const Sperrdatei&) = delete;
    Sperrdatei& operator=(const Sperrdatei&) = delete;
    const std::string& pfad() const { return k_pfad; }
    // Whether the file still lacks its contents: on this computer the kernel lock tells that it
    // is held, but a program on another one, or after a power cut, finds an empty file.
    bool inhaltFehlt() const { return k_inhaltFehlt; }
    // Writes the contents where they were missing; true when the file holds them now.
    bool ergaenzeInhalt();
    // Whether the file at the lock's place is still the one this process holds: false once it was
    // removed (by hand, a clean-up, a program on another computer that was allowed to take it over)
    // or another file stands there.
    bool istNochEigene() const;

private:
    std::string k_pfad;
    int k_fd;
    std::string k_inhalt;
    bool k_inhaltFehlt;
};

enum class Ordnersperre {
    Gesperrt,      // this program holds the folder now
    Belegt,        // another running program holds it
    Abgelehnt,     // a lock that may still be in use was in the way, and the user kept it
    Unentfernbar,  // a folder is in the lock's place
    NichtMoeglich  // no lock can be made (write-protected folder, full disk), also where an old
                   // lock that no program holds any more went or cannot be removed
};

struct Sperrergebnis {
    Ordnersperre ergebnis = Ordnersperre::Belegt;
    std::unique_ptr<Sperrdatei> sperre;  // Gesperrt
    Sperrbefund befund;                  // the lock in the way (Belegt, Abgelehnt, Unentfernbar)
    // NichtMoeglich, Unentfernbar: errno, 0 for a file of the wrong kind; Gesperrt: the errno that
    // kept the lock's contents from being written (the lock is held all the same), else 0.
    int fehler = 0;
    bool alteEntfernt = false;       // NichtMoeglich: an old lock went, but no new one could be made
    bool alteUnentfernbar = false;   // NichtMoeglich: an old lock no program holds cannot be removed
};

// Asked for a lock that can be proven neither live nor stale; true takes it over. The lock is
// judged anew after the answer and only taken over when it is still the one that was shown.
// Programs that start at the same moment never ask about each other's lock: a lock is written
// and locked under a name of its own before it appears in its place, and a program that only
// judges an old lock holds its kernel lock shared, so that no other judge takes it for a holder.
// Where the file system has no hard links, a lock is made in its place and is empty for a moment:
// an empty lock that nobody holds is only asked about once it is JUNGE_SPERRE_MS old.
using Uebernahmefrage = std::function<bool(const Sperrbefund&)>;
constexpr int JUNGE_SPERRE_MS = 2000;

// Locks the folder of the lock file `pfad` for this process.
Sperrergebnis sperreOrdner(const std::string& pfad, const Uebernahmefrage& frage);
