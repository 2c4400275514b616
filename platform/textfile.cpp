#include "platform/textfile.h"

#include "platform/text.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace text {

namespace {
// The bytes of a whole ordinary file.
LineReader::Status leseDatei(const std::string& path, std::string& daten) {
    using Status = LineReader::Status;
    daten.clear();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? Status::Missing : Status::Unreadable;
    if (!S_ISREG(st.st_mode)) return Status::Unreadable;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return Status::Unreadable;
    if (st.st_size > 0) daten.reserve(static_cast<std::size_t>(st.st_size));
    char buf[1 << 16];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) daten.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        daten.clear();
        return Status::Unreadable;
    }
    return Status::Ok;
}
}  // namespace

LineReader::Status LineReader::open(const std::string& path) {
    m_pos = 0;
    return leseDatei(path, m_data);
}

void LineReader::openBytes(std::string bytes) {
    m_data = std::move(bytes);
    m_pos = 0;
}

std::string LineReader::readLine() {
    std::string line;
    readLine(line);
    return line;
}

bool LineReader::readLine(std::string& line) {
    line.clear();
    if (atEnd()) return false;
    std::size_t end = m_data.find('\n', m_pos);
    std::size_t next;
    if (end == std::string::npos) {
        end = m_data.size();
        next = end;
    } else {
        next = end + 1;
    }
    std::size_t stop = end;
    if (stop > m_pos && m_data[stop - 1] == '\r') --stop;
    bool ascii = true;
    for (std::size_t i = m_pos; i < stop; ++i)
        if (static_cast<unsigned char>(m_data[i]) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        line.assign(m_data, m_pos, stop - m_pos);
    else
        line = fromCp1252(m_data.substr(m_pos, stop - m_pos));
    m_pos = next;
    return true;
}

void TextFileWriter::writeLine(const std::string& utf8) {
    bool ascii = true;
    for (char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        m_buffer += utf8;
    else
        m_buffer += toCp1252(utf8);
    m_buffer += "\r\n";
}

void TextFileWriter::writeLines(std::string_view utf8) {
    // One pass: runs of plain ASCII go over as they are, each '\n' becomes CR LF, and each run
    // of other bytes is converted on its own (no conversion reaches past such a run).
    const auto besonders = [](char c) { return c == '\n' || static_cast<unsigned char>(c) >= 0x80; };
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t j = i;
        while (j < utf8.size() && !besonders(utf8[j])) ++j;
        m_buffer.append(utf8.substr(i, j - i));
        if (j == utf8.size()) break;
        if (utf8[j] == '\n') {
            m_buffer += "\r\n";
            i = j + 1;
            continue;
        }
        std::size_t k = j;
        while (k < utf8.size() && static_cast<unsigned char>(utf8[k]) >= 0x80) ++k;
        m_buffer += toCp1252(std::string(utf8.substr(j, k - j)));
        i = k;
    }
    // A rest after the last line end is a line of its own.
    if (!utf8.empty() && utf8.back() != '\n') m_buffer += "\r\n";
}

bool TextFileWriter::commit() { return writeFileAtomically(m_path, m_buffer, m_ablage, m_vorbild, m_ziel); }

namespace {
// The temporary file of a write: the target's name, this suffix and six characters.
const char* const TEMP_ENDUNG = ".~";
constexpr std::size_t TEMP_ZEICHEN = 6;
}  // namespace

std::string writeTarget(const std::string& path) {
    std::string ziel = path;
    // As the system follows links: a bounded number of steps, each relative to the link's folder.
    for (int schritt = 0; schritt < 40; ++schritt) {
        struct stat st {};
        if (::lstat(ziel.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::string inhalt(PATH_MAX, '\0');
        const ssize_t n = ::readlink(ziel.c_str(), &inhalt[0], inhalt.size());
        if (n <= 0) break;
        inhalt.resize(static_cast<std::size_t>(n));
        const std::size_t schraegstrich = ziel.rfind('/');
        ziel = inhalt[0] == '/' || schraegstrich == std::string::npos ? inhalt
                                                                       : ziel.substr(0, schraegstrich + 1) + inhalt;
    }
    return ziel;
}

std::string folderOf(const std::string& pfad) {
    const std::size_t schraegstrich = pfad.rfind('/');
    if (schraegstrich == std::string::npos) return ".";
    return schraegstrich == 0 ? "/" : pfad.substr(0, schraegstrich);
}

namespace {

// Brings the entries of the folder of `pfad` to the disk, so that a rename there outlives a
// power cut. A file system that cannot sync a folder (EINVAL) keeps its entries some other way;
// a folder this process may write but not read cannot be opened for it, and the system writes
// its entries in its own time.
bool synchronisiereOrdner(const std::string& pfad) {
    const int fd = ::open(folderOf(pfad).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return true;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

// Makes a new, empty sibling of `ziel` as the writer names them and returns it open; -1 when none
// could be made.
int neueNachbardatei(const std::string& ziel, std::string& tmp) {
    tmp = ziel + TEMP_ENDUNG + std::string(TEMP_ZEICHEN, 'X');
    return ::mkstemp(&tmp[0]);
}

}  // namespace

bool replaceFile(const std::string& neu, const std::string& ziel, TextFileWriter::Ablage ablage,
                 const std::string& vorbild) {
    // The new file takes the place of the old one with its mode, group and, where this process
    // may give it, owner: in a shared folder the others keep their access. A copy takes them from
    // its original instead, and is no more open to others than that. Only an ordinary file counts:
    // what a link named `ziel` leads to is none of this file's business.
    struct stat st {};
    const bool vorhanden = vorbild.empty() ? ::lstat(ziel.c_str(), &st) == 0 && S_ISREG(st.st_mode)
                                           : ::stat(vorbild.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    mode_t mode;
    if (vorhanden) {
        mode = st.st_mode & 07777;
        // A copy stays the program's to replace, also when the year is write-protected.
        if (!vorbild.empty()) mode |= S_IWUSR;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    const int fd = ::open(neu.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    bool ok = fd >= 0;
    if (ok) {
        // The owner first: a change of owner clears the set-id bits, which the mode then restores.
        if (vorhanden && ::fchown(fd, st.st_uid, st.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0) {
            // Neither is this process's to give: the file keeps the process's own.
        }
        // A group that could not be kept gets nothing: the process's own group (or the folder's)
        // is not the one the year was shared with.
        struct stat neuSt {};
        if (vorhanden && (::fstat(fd, &neuSt) != 0 || neuSt.st_gid != st.st_gid)) mode &= ~static_cast<mode_t>(S_IRWXG | S_ISGID);
        ok = ::fchmod(fd, mode) == 0;
        if (ok && ablage == TextFileWriter::Ablage::Platte && ::fsync(fd) != 0) ok = false;
        if (::close(fd) != 0) ok = false;
    }
    if (ok && ::rename(neu.c_str(), ziel.c_str()) != 0) ok = false;
    if (!ok) {
        ::unlink(neu.c_str());
        return false;
    }
    return ablage == TextFileWriter::Ablage::Zwischenspeicher || synchronisiereOrdner(ziel);
}

std::string newSiblingFile(const std::string& ziel, int* fehler) {
    std::string tmp;
    const int fd = neueNachbardatei(ziel, tmp);
    if (fd < 0) {
        if (fehler) *fehler = errno;
        return std::string();
    }
    ::close(fd);
    if (fehler) *fehler = 0;
    return tmp;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, TextFileWriter::Ablage ablage,
                         const std::string& vorbild, TextFileWriter::Ziel art) {
    // A file of the program's own is written where its name is; the others where they live.
    const bool eigen = art == TextFileWriter::Ziel::Eigen || !vorbild.empty();
    const std::string ziel = eigen ? path : writeTarget(path);
    if (!eigen && writeProtected(ziel)) return false;
    std::string tmp;
    const int fd = neueNachbardatei(ziel, tmp);
    if (fd < 0) return false;
    bool ok = true;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    if (::close(fd) != 0) ok = false;
    if (ok) return replaceFile(tmp, ziel, ablage, vorbild);
    ::unlink(tmp.c_str());
    return false;
}

bool copyFileAtomically(const std::string& from, const std::string& to) {
    std::string bytes;
    return leseDatei(from, bytes) == LineReader::Status::Ok &&
           writeFileAtomically(to, bytes, TextFileWriter::Ablage::Platte, from, TextFileWriter::Ziel::Eigen);
}

void removeStaleTemporaries(const std::string& path, bool gesperrteBehalten) {
    const std::size_t schraegstrich = path.rfind('/');
    const std::string ordner = schraegstrich == std::string::npos ? "." : path.substr(0, schraegstrich + 1);
    const std::string praefix =
        (schraegstrich == std::string::npos ? path : path.substr(schraegstrich + 1)) + TEMP_ENDUNG;
    DIR* d = ::opendir(ordner.c_str());
    if (!d) return;
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() != praefix.size() + TEMP_ZEICHEN || name.compare(0, praefix.size(), praefix) != 0) continue;
        const std::string pfad = schraegstrich == std::string::npos ? name : ordner + name;
        struct stat st {};
        if (::lstat(pfad.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (!gesperrteBehalten) {
            ::unlink(pfad.c_str());
            continue;
        }
        // Held while it is removed, so that no write takes it up meanwhile.
        const int fd = ::open(pfad.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        struct stat offen {};
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &offen) == 0 &&
            offen.st_dev == st.st_dev && offen.st_ino == st.st_ino)
            ::unlink(pfad.c_str());
        if (fd >= 0) ::close(fd);
    }
    ::closedir(d);
}

bool writeProtected(const std::string& ziel) {
    struct stat st {};
    if (::stat(ziel.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return (st.st_mode & 0222) == 0;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace text
