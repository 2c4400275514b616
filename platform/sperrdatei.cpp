#include "platform/sperrdatei.h"

#include <cerrno>
#include <climits>
#include <csignal>
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
    Deskriptor datei;  // open, with its kernel lock held by this process where it could be had
    struct stat st {};
    std::string bytes;
};

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
    const bool gehalten = ::flock(v.datei.fd(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
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

// Gives the brand-new lock file `datei` at `pfad` its kernel lock and contents. 0 when it holds
// the folder now; -1 when the file is no longer this process's to fill (another program took it
// in the moment between); else the errno that kept it from being written, the file removed again.
int fuelle(const std::string& pfad, const Deskriptor& datei, const std::string& inhalt) {
    // Another program judging the still empty file holds its kernel lock for a moment.
    // A folder without kernel locks (some network shares) leaves the contents alone to tell.
    int sperrFehler = EWOULDBLOCK;
    for (int versuch = 0; versuch < 200 && sperrFehler == EWOULDBLOCK; ++versuch) {
        sperrFehler = ::flock(datei.fd(), LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
        if (sperrFehler == EWOULDBLOCK) ::usleep(5000);
    }
    if (sperrFehler == EWOULDBLOCK) return -1;
    struct stat offen {}, jetzt {};
    if (::fstat(datei.fd(), &offen) != 0) return errno;
    if (::lstat(pfad.c_str(), &jetzt) != 0 || !dieselbe(offen, jetzt)) return -1;
    std::size_t geschrieben = 0;
    while (geschrieben < inhalt.size()) {
        const ssize_t n = ::write(datei.fd(), inhalt.data() + geschrieben, inhalt.size() - geschrieben);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int fehler = n < 0 ? errno : ENOSPC;
            entferne(pfad, offen);
            return fehler;
        }
        geschrieben += static_cast<std::size_t>(n);
    }
    // A power cut must not leave an empty lock behind.
    if (::fsync(datei.fd()) != 0 && errno != EINVAL && errno != EROFS) {
        const int fehler = errno;
        entferne(pfad, offen);
        return fehler;
    }
    return 0;
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

Sperrdatei::~Sperrdatei() {
    // Removed before the kernel lock goes, so that no one finds the file without its holder.
    struct stat st {};
    if (::fstat(k_fd, &st) == 0) entferne(k_pfad, st);
    ::close(k_fd);
}

Sperrergebnis sperreOrdner(const std::string& pfad, const Uebernahmefrage& frage) {
    const SperrAngaben hier = eigeneSperrAngaben();
    const std::string inhalt = sperrInhalt(hier);
    const std::size_t strich = pfad.rfind('/');
    const std::string ordner = strich == std::string::npos ? "." : strich == 0 ? "/" : pfad.substr(0, strich);
    Sperrergebnis e;
    // The lock the user agreed to take over, as it was shown.
    struct Zusage {
        bool gilt = false;
        struct stat st {};
        std::string bytes;
        Sperrbefund::Art art = Sperrbefund::Art::Leer;
    } zusage;
    bool alteEntfernt = false;
    // Each round ends with the folder locked, a verdict, or a lock that went or changed while it was
    // looked at; only programs racing each other for the folder need more than a few.
    for (int runde = 0; runde < 10; ++runde) {
        Deskriptor neu(::open(pfad.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0644));
        const int fehler = neu.fd() >= 0 ? fuelle(pfad, neu, inhalt) : errno;
        if (fehler == 0) {
            e.ergebnis = Ordnersperre::Gesperrt;
            e.sperre = std::make_unique<Sperrdatei>(pfad, neu.freigeben());
            return e;
        }
        if (fehler < 0) continue;
        if (fehler != EEXIST) {
            // No lock can be made here, also where an old one was just taken away: as in a folder
            // without any, the program may run on.
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
        if (v.befund.art == Sperrbefund::Art::KeineDatei) {
            e.ergebnis = Ordnersperre::Unentfernbar;
            e.fehler = v.befund.fehler;
            return e;
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
        if (const int nichtEntfernt = entferne(pfad, v.st)) {
            e.ergebnis = Ordnersperre::Unentfernbar;
            e.fehler = nichtEntfernt;
            return e;
        }
        alteEntfernt = true;
    }
    e.ergebnis = Ordnersperre::Belegt;
    return e;
}
