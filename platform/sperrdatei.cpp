#include "platform/sperrdatei.h"

#include "platform/textfile.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <ctime>
#include <fstream>
#include <utility>
#include <vector>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ohneRandLeerzeichen(const std::string& s) {
    const std::size_t anfang = s.find_first_not_of(" \t\r");
    if (anfang == std::string::npos) return {};
    return s.substr(anfang, s.find_last_not_of(" \t\r") + 1 - anfang);
}

std::string ersteZeile(const char* datei) {
    std::ifstream in(datei);
    std::string zeile;
    std::getline(in, zeile);
    return ohneRandLeerzeichen(zeile);
}

std::string dateiname(const std::string& pfad) {
    const std::size_t strich = pfad.rfind('/');
    return strich == std::string::npos ? pfad : pfad.substr(strich + 1);
}

// Where the symbolic link `link` leads; empty when it cannot be read.
std::string verweis(const std::string& link) {
    std::string ziel(PATH_MAX, '\0');
    const ssize_t n = ::readlink(link.c_str(), &ziel[0], ziel.size());
    if (n < 0) return {};
    ziel.resize(static_cast<std::size_t>(n));
    return ziel;
}

// The file name of the program a process runs, also when its file was replaced since it started.
std::string programmname(const std::string& exeVerweis) {
    std::string ziel = verweis(exeVerweis);
    const std::string geloescht = " (deleted)";
    if (ziel.size() > geloescht.size() && ziel.compare(ziel.size() - geloescht.size(), geloescht.size(), geloescht) == 0)
        ziel.resize(ziel.size() - geloescht.size());
    return dateiname(ziel);
}

// Whether the process of /proc/<pid> `proc` has ended and waits only to be reaped (a zombie).
bool beendetNichtAbgeholt(const std::string& proc) {
    std::ifstream in(proc + "/stat");
    std::string zeile;
    std::getline(in, zeile);
    // "pid (name) state ...": the name may hold spaces and parentheses of its own.
    const std::size_t klammer = zeile.rfind(')');
    if (klammer == std::string::npos || klammer + 2 >= zeile.size()) return false;
    const char zustand = zeile[klammer + 2];
    return zustand == 'Z' || zustand == 'X';
}

bool dieselbe(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Closes its descriptor when it goes.
class Deskriptor {
public:
    explicit Deskriptor(int fd = -1) : k_fd(fd) {}
    ~Deskriptor() { schliesse(); }
    Deskriptor(Deskriptor&& d) noexcept : k_fd(std::exchange(d.k_fd, -1)) {}
    Deskriptor& operator=(Deskriptor&& d) noexcept {
        if (this != &d) {
            schliesse();
            k_fd = std::exchange(d.k_fd, -1);
        }
        return *this;
    }
    int fd() const { return k_fd; }
    int freigeben() { return std::exchange(k_fd, -1); }
    void schliesse() {
        if (k_fd >= 0) ::close(std::exchange(k_fd, -1));
    }

private:
    int k_fd;
};

// Removes the entry `pfad` when it is still the file `st` that was judged; 0 or errno. An entry
// gone or replaced meanwhile is left to be judged anew.
int entferne(const std::string& pfad, const struct stat& st) {
    struct stat jetzt {};
    if (::lstat(pfad.c_str(), &jetzt) != 0) return errno == ENOENT ? 0 : errno;
    if (!dieselbe(jetzt, st)) return 0;
    if (::unlink(pfad.c_str()) != 0) return errno == ENOENT ? 0 : errno;
    return 0;
}

// The lock file at `pfad` as this process finds it.
struct Vorgefunden {
    bool weg = false;  // gone or replaced while it was looked at
    Sperrbefund befund;
    Deskriptor datei;  // open, with its kernel lock held shared by this process where it could be had
    struct stat st {};
    std::string bytes;
};

// Looks at the lock at `pfad` under a shared kernel lock: a holder holds it exclusively, so only a
// holder makes the shared one fail; another program that merely judges it as well does not.
Vorgefunden untersuche(const std::string& pfad, const std::string& ordner, const SperrAngaben& hier) {
    Vorgefunden v;
    Sperrbefund& b = v.befund;
    if (::lstat(pfad.c_str(), &v.st) != 0) {
        v.weg = errno == ENOENT;
        b.art = Sperrbefund::Art::Unlesbar;
        b.fehler = errno;
        return v;
    }
    if (!S_ISREG(v.st.st_mode)) {
        b.art = Sperrbefund::Art::KeineDatei;
        b.fehler = S_ISDIR(v.st.st_mode) ? EISDIR : 0;
        return v;
    }
    // For writing where allowed: a network folder may grant the kernel lock only then.
    const int art = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    v.datei = Deskriptor(::open(pfad.c_str(), O_RDWR | art));
    if (v.datei.fd() < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
        v.datei = Deskriptor(::open(pfad.c_str(), O_RDONLY | art));
    struct stat offen {};
    if (v.datei.fd() < 0) {
        v.weg = errno == ENOENT || errno == ELOOP;
        b.art = Sperrbefund::Art::Unlesbar;
        b.fehler = errno;
        return v;
    }
    if (::fstat(v.datei.fd(), &offen) != 0 || !dieselbe(offen, v.st)) {
        v.weg = true;
        return v;
    }
    const bool gehalten = ::flock(v.datei.fd(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    // The holder may have removed it meanwhile, and a new one be in its place.
    struct stat jetzt {};
    if (::lstat(pfad.c_str(), &jetzt) != 0 || !dieselbe(jetzt, offen)) {
        v.weg = true;
        return v;
    }
    char puffer[4096];
    int lesefehler = 0;
    for (ssize_t n = 1; n != 0 && v.bytes.size() < 65536;) {
        n = ::read(v.datei.fd(), puffer, sizeof puffer);
        if (n > 0) v.bytes.append(puffer, static_cast<std::size_t>(n));
        if (n < 0 && errno != EINTR) {
            lesefehler = errno;
            break;
        }
    }
    b.lesbar = lesefehler == 0 && leseSperrAngaben(v.bytes, b.angaben);
    if (gehalten) {
        b.art = Sperrbefund::Art::Laeuft;
    } else if (lesefehler) {
        b.art = Sperrbefund::Art::Unlesbar;
        b.fehler = lesefehler;
    } else if (v.bytes.empty()) {
        b.art = Sperrbefund::Art::Leer;
    } else if (!b.lesbar) {
        b.art = Sperrbefund::Art::Ungueltig;
    } else {
        b.art = beurteileHalter(b.angaben, hier, ordner, &b.andererOrdner);
    }
    return v;
}

// Removes the old lock `v` at `pfad`, judged as no program's, once this process holds its kernel
// lock alone. 0 when it is gone (or was replaced meanwhile, to be judged anew), EWOULDBLOCK when
// another program holds or judges it at this moment, else the errno that keeps it in place.
int entferneAlte(const std::string& pfad, const Vorgefunden& v) {
    if (v.datei.fd() >= 0 && ::flock(v.datei.fd(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return EWOULDBLOCK;
    return entferne(pfad, v.st);
}

// Writes `inhalt` into the lock file `fd` from its start and brings it to the disk (a power cut
// must not leave an empty lock behind); 0, or the errno of the failure, the file emptied again.
int schreibeInhalt(int fd, const std::string& inhalt) {
    std::size_t geschrieben = 0;
    int fehler = 0;
    while (geschrieben < inhalt.size() && !fehler) {
        const ssize_t n = ::pwrite(fd, inhalt.data() + geschrieben, inhalt.size() - geschrieben,
                                   static_cast<off_t>(geschrieben));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            fehler = n < 0 ? errno : ENOSPC;
        else
            geschrieben += static_cast<std::size_t>(n);
    }
    if (!fehler && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) fehler = errno;
    // Half a process number would name another process.
    if (fehler && ::ftruncate(fd, 0) != 0) {
    }
    return fehler;
}

// A folder whose file system has no hard links: the lock is made in its place directly.
constexpr int KEINE_LINKS = -2;

// Makes the lock file at `pfad` in one step: made, locked and written under a name of its own,
// then linked into place, so that no other program finds it there empty or without its holder.
// 0 when this process holds the folder now (`datei`; `inhaltFehler` the errno that kept the
// contents from being written, the file held all the same), EEXIST when a lock is in the way,
// -1 to try again, KEINE_LINKS, or the errno that kept it from being made.
int legeAn(const std::string& pfad, const std::string& inhalt, Deskriptor& datei, int& inhaltFehler) {
    std::string name = pfad + ".~XXXXXX";
    Deskriptor neu(::mkostemp(&name[0], O_CLOEXEC));
    if (neu.fd() < 0) return errno;
    const mode_t maske = ::umask(0);
    ::umask(maske);
    // Should this fail, the file stays readable to its owner alone.
    ::fchmod(neu.fd(), 0644 & ~maske);
    // Nobody else knows the name yet. A folder without kernel locks leaves the contents to tell.
    ::flock(neu.fd(), LOCK_EX | LOCK_NB);
    inhaltFehler = schreibeInhalt(neu.fd(), inhalt);
    const int fehler = ::link(name.c_str(), pfad.c_str()) == 0 ? 0 : errno;
    ::unlink(name.c_str());
    if (fehler == 0) {
        datei = std::move(neu);
        return 0;
    }
    if (fehler == EPERM || fehler == ENOTSUP || fehler == ENOSYS || fehler == EMLINK) return KEINE_LINKS;
    // Its own name was taken away (by another program tidying up after a crashed start).
    if (fehler == ENOENT) return -1;
    return fehler;
}

// The same where no hard links can be made: the file is made in its place and locked and written
// there. 0, EEXIST, -1 or an errno as legeAn.
int legeDirektAn(const std::string& pfad, const std::string& inhalt, Deskriptor& datei, int& inhaltFehler) {
    Deskriptor neu(::open(pfad.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0644));
    if (neu.fd() < 0) return errno;
    struct stat offen {};
    if (::fstat(neu.fd(), &offen) != 0) return errno;
    // Another program judging the still empty file holds its kernel lock for a moment.
    int sperrFehler = EWOULDBLOCK;
    for (int versuch = 0; versuch < 200 && sperrFehler == EWOULDBLOCK; ++versuch) {
        sperrFehler = ::flock(neu.fd(), LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
        if (sperrFehler == EWOULDBLOCK) ::usleep(5000);
    }
    struct stat jetzt {};
    if (sperrFehler == EWOULDBLOCK || ::lstat(pfad.c_str(), &jetzt) != 0 || !dieselbe(offen, jetzt)) {
        // Given up: the file is this program's own, not a stranger's lock to be judged.
        entferne(pfad, offen);
        return -1;
    }
    inhaltFehler = schreibeInhalt(neu.fd(), inhalt);
    datei = std::move(neu);
    return 0;
}

// Whether the entry `st` was last written less than JUNGE_SPERRE_MS ago; one from the
// future (another computer's clock) counts as young.
bool jung(const struct stat& st) {
    struct timespec jetzt {};
    ::clock_gettime(CLOCK_REALTIME, &jetzt);
    const long long ms = (static_cast<long long>(jetzt.tv_sec) - st.st_mtim.tv_sec) * 1000 +
                         (jetzt.tv_nsec - st.st_mtim.tv_nsec) / 1000000;
    return ms < JUNGE_SPERRE_MS;
}

bool istUngewiss(Sperrbefund::Art art) {
    return art != Sperrbefund::Art::Laeuft && art != Sperrbefund::Art::Beendet && art != Sperrbefund::Art::KeineDatei;
}

}  // namespace

bool leseSperrAngaben(const std::string& bytes, SperrAngaben& angaben) {
    std::vector<std::string> zeilen;
    for (std::size_t pos = 0; pos < bytes.size() && zeilen.size() < 5;) {
        std::size_t ende = bytes.find('\n', pos);
        if (ende == std::string::npos) ende = bytes.size();
        zeilen.push_back(ohneRandLeerzeichen(bytes.substr(pos, ende - pos)));
        pos = ende + 1;
    }
    if (zeilen.empty() || zeilen[0].empty() || zeilen[0].size() > 10) return false;
    long long pid = 0;
    for (const char c : zeilen[0]) {
        if (c < '0' || c > '9') return false;
        pid = pid * 10 + (c - '0');
    }
    if (pid <= 0 || pid > INT_MAX) return false;
    zeilen.resize(5);
    angaben = SperrAngaben{pid, zeilen[1], zeilen[2], zeilen[3], zeilen[4]};
    return true;
}

std::string sperrInhalt(const SperrAngaben& a) {
    return std::to_string(a.pid) + "\n" + a.programm + "\n" + a.rechner + "\n" + a.maschine + "\n" + a.start + "\n";
}

SperrAngaben eigeneSperrAngaben() {
    SperrAngaben a;
    a.pid = ::getpid();
    a.programm = programmname("/proc/self/exe");
    char rechner[HOST_NAME_MAX + 1] = {};
    if (::gethostname(rechner, sizeof rechner - 1) == 0) a.rechner = rechner;
    a.maschine = ersteZeile("/var/lib/dbus/machine-id");
    if (a.maschine.empty()) a.maschine = ersteZeile("/etc/machine-id");
    a.start = ersteZeile("/proc/sys/kernel/random/boot_id");
    return a;
}

bool gleicherRechner(const SperrAngaben& dort, const SperrAngaben& hier) {
    // A renamed computer counts as another one: asking once is better than taking over the lock
    // of a program on a computer that merely shares the machine id (a copied system image).
    return (dort.rechner.empty() || dort.rechner == hier.rechner) &&
           (dort.maschine.empty() || hier.maschine.empty() || dort.maschine == hier.maschine);
}

Sperrbefund::Art beurteileHalter(const SperrAngaben& dort, const SperrAngaben& hier, const std::string& ordner,
                                 std::string* andererOrdner) {
    using Art = Sperrbefund::Art;
    if (!gleicherRechner(dort, hier)) return Art::FremderRechner;
    // Since the computer started anew, no process of before runs.
    if (!dort.start.empty() && !hier.start.empty() && dort.start != hier.start) return Art::Beendet;
    if (::kill(static_cast<pid_t>(dort.pid), 0) != 0 && errno == ESRCH) return Art::Beendet;
    const std::string proc = "/proc/" + std::to_string(dort.pid);
    // Dead, but not yet reaped by its parent: it holds nothing any more.
    if (beendetNichtAbgeholt(proc)) return Art::Beendet;
    const std::string programm = programmname(proc + "/exe");
    // The number went to another program.
    if (!programm.empty() && !dort.programm.empty() && programm != dateiname(dort.programm)) return Art::Beendet;
    struct stat seinOrdner {}, diesOrdner {};
    if (programm.empty() || ::stat((proc + "/cwd").c_str(), &seinOrdner) != 0 ||
        ::stat(ordner.c_str(), &diesOrdner) != 0)
        return Art::Ungeprueft;
    if (dieselbe(seinOrdner, diesOrdner)) return Art::Laeuft;
    if (andererOrdner) *andererOrdner = verweis(proc + "/cwd");
    return Art::AndererOrdner;
}

bool Sperrdatei::ergaenzeInhalt() {
    if (k_inhaltFehlt && schreibeInhalt(k_fd, k_inhalt) == 0) k_inhaltFehlt = false;
    return !k_inhaltFehlt;
}

bool Sperrdatei::istNochEigene() const {
    struct stat offen {}, dort {};
    return ::fstat(k_fd, &offen) == 0 && ::lstat(k_pfad.c_str(), &dort) == 0 && dieselbe(offen, dort);
}

Sperrdatei::~Sperrdatei() {
    // Removed before the kernel lock goes, so that no one finds the file without its holder.
    struct stat st {};
    if (::fstat(k_fd, &st) == 0) entferne(k_pfad, st);
    ::close(k_fd);
}

Sperrergebnis sperreOrdner(const std::string& pfad, const Uebernahmefrage& frage) {
    const SperrAngaben hier = eigeneSperrAngaben();
    const std::string inhalt = sperrInhalt(hier);
    const std::string ordner = text::folderOf(pfad);
    Sperrergebnis e;
    // The lock the user agreed to take over, as it was shown.
    struct Zusage {
        bool gilt = false;
        struct stat st {};
        std::string bytes;
        Sperrbefund::Art art = Sperrbefund::Art::Leer;
    } zusage;
    bool alteEntfernt = false, ohneLinks = false;
    const auto geduldBis = std::chrono::steady_clock::now() + std::chrono::milliseconds(JUNGE_SPERRE_MS);
    unsigned zufall = static_cast<unsigned>(::getpid());
    // Each round ends with the folder locked, a verdict, or a lock that went, changed or was
    // judged by another program at the same moment; only programs racing each other for the
    // folder need more than a few.
    for (int runde = 0; runde < 200; ++runde) {
        Deskriptor neu;
        int inhaltFehler = 0;
        int fehler = ohneLinks ? KEINE_LINKS : legeAn(pfad, inhalt, neu, inhaltFehler);
        if (fehler == KEINE_LINKS) {
            ohneLinks = true;
            fehler = legeDirektAn(pfad, inhalt, neu, inhaltFehler);
        }
        if (fehler == 0) {
            e.ergebnis = Ordnersperre::Gesperrt;
            e.fehler = inhaltFehler;
            e.sperre = std::make_unique<Sperrdatei>(pfad, neu.freigeben(), inhalt, inhaltFehler != 0);
            // What starts killed while they made their lock left beside it; a start making one
            // right now holds its kernel lock, and its file stays.
            text::removeStaleTemporaries(pfad, true);
            return e;
        }
        if (fehler < 0) continue;
        // No lock can be made here. Where none is in the way either, the program may run on as in
        // a folder that cannot be written at all; one in the way is judged all the same.
        struct stat st {};
        if (fehler != EEXIST && ::lstat(pfad.c_str(), &st) != 0) {
            e.ergebnis = Ordnersperre::NichtMoeglich;
            e.fehler = fehler;
            e.alteEntfernt = alteEntfernt;
            return e;
        }
        Vorgefunden v = untersuche(pfad, ordner, hier);
        if (v.weg) continue;
        e.befund = v.befund;
        if (v.befund.art == Sperrbefund::Art::Laeuft) {
            e.ergebnis = Ordnersperre::Belegt;
            return e;
        }
        // A folder stays; a symbolic link (or a pipe) is no program's lock: it goes, and the lock
        // takes the place of the entry itself.
        if (v.befund.art == Sperrbefund::Art::KeineDatei && v.befund.fehler == EISDIR) {
            e.ergebnis = Ordnersperre::Unentfernbar;
            e.fehler = v.befund.fehler;
            return e;
        }
        // Made a moment ago by a program that has no hard links to make it whole elsewhere: its
        // contents and kernel lock follow at once.
        if (v.befund.art == Sperrbefund::Art::Leer && jung(v.st) && std::chrono::steady_clock::now() < geduldBis) {
            v.datei.schliesse();
            ::usleep(50000);
            continue;
        }
        if (istUngewiss(v.befund.art) &&
            !(zusage.gilt && dieselbe(zusage.st, v.st) && zusage.bytes == v.bytes && zusage.art == v.befund.art)) {
            v.datei.schliesse();  // no other program waits for the user's answer
            if (!frage(v.befund)) {
                e.ergebnis = Ordnersperre::Abgelehnt;
                return e;
            }
            zusage = Zusage{true, v.st, v.bytes, v.befund.art};
            continue;
        }
        const int nichtEntfernt = entferneAlte(pfad, v);
        if (nichtEntfernt == EWOULDBLOCK) {
            // Another program judges it too, or has just taken the folder: a moment, then anew.
            v.datei.schliesse();
            zufall = zufall * 1103515245u + 12345u;
            ::usleep(1000 + (zufall >> 16) % 9000);
            continue;
        }
        if (nichtEntfernt) {
            // No program holds it, but it stays: as where no lock can be made, the program runs on.
            e.ergebnis = Ordnersperre::NichtMoeglich;
            e.fehler = nichtEntfernt;
            e.alteUnentfernbar = true;
            return e;
        }
        alteEntfernt = true;
    }
    e.ergebnis = Ordnersperre::Belegt;
    return e;
}
