// Line-oriented text files in Windows-1252 with CR LF line ends.
#pragma once

#include <string>
#include <string_view>

namespace text {

// Reads a whole file and hands it out line by line, converted to UTF-8.
// A line is everything before the next LF, with one trailing CR removed.
class LineReader {
public:
    enum class Status { Ok, Missing, Unreadable };

    // Opens and reads the file. Missing: there is no such file;
    // Unreadable: it exists but cannot be read (no permission, a folder).
    Status open(const std::string& path);
    // Reads from a string of file bytes (for tests and imports).
    void openBytes(std::string bytes);

    // The next line; at the end of the file whatever was left (possibly empty).
    std::string readLine();
    // Same, into `line`; false when nothing was left to read.
    bool readLine(std::string& line);
    // True once every byte has been handed out.
    bool atEnd() const { return m_pos >= m_data.size(); }

private:
    std::string m_data;
    std::size_t m_pos = 0;
};

// Collects lines and writes them atomically: a sibling temporary file is
// written, flushed and closed, then renamed over the target. A failure at any
// step leaves the target as it was.
class TextFileWriter {
public:
    // How far a commit goes before the rename: to the disk itself (the year's files, which a
    // power cut must not leave empty), or to the system's cache (exports, which can be made
    // again; a full disk is reported either way).
    enum class Ablage { Platte, Zwischenspeicher };

    // What the name written to stands for. `Folgen`: a file the user keeps or chose (the year, an
    // archive, an export), which may be a symbolic link to where it really lives; the file it leads
    // to is replaced. `Eigen`: a file this program makes for itself beside the year (the structure
    // file, the year's copies): whatever has that name (a link, a write-protected old copy) is
    // replaced itself, and nothing a link leads to is written, chowned or chmodded.
    enum class Ziel { Folgen, Eigen };

    // `vorbild`: the file this one is a copy of (aktuell.tmp of aktuell.sdb): it takes that file's
    // group and read rights, stays writable by its owner, and is always the program's own (Eigen).
    explicit TextFileWriter(std::string path, Ablage ablage = Ablage::Platte, std::string vorbild = {},
                            Ziel ziel = Ziel::Folgen)
        : m_path(std::move(path)), m_ablage(ablage), m_vorbild(std::move(vorbild)), m_ziel(ziel) {}

    // One line of UTF-8 text; it is written in Windows-1252 followed by CR LF.
    void writeLine(const std::string& utf8);
    // Several lines at once, each ended by '\n': the same as writeLine for each of them.
    // A rest after the last '\n' is written as a line of its own.
    void writeLines(std::string_view utf8);
    // Writes everything; true when the target now holds exactly these lines.
    bool commit();

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    Ablage m_ablage;
    std::string m_vorbild;
    Ziel m_ziel;
    std::string m_buffer;
};

// The folder `pfad` lies in: "." for a bare name, "/" for one in the root.
std::string folderOf(const std::string& pfad);
// True when a file or folder of that name exists.
bool fileExists(const std::string& path);
// True when `ziel` is an ordinary file without any write permission (mode 0444 and the like): a
// write-protected file, which the writers here do not replace, also not for a user (root) whom
// the system would let write it anyway.
bool writeProtected(const std::string& ziel);

// Replaces the file `path` by exactly `bytes`, atomically as TextFileWriter::commit does:
// false, with the file as it was, when any step failed or the file is write-protected (a file of
// the program's own, `Eigen` or with a `vorbild`, is replaced all the same).
bool writeFileAtomically(const std::string& path, const std::string& bytes,
                         TextFileWriter::Ablage ablage = TextFileWriter::Ablage::Platte,
                         const std::string& vorbild = {},
                         TextFileWriter::Ziel ziel = TextFileWriter::Ziel::Folgen);
// Puts the complete file `neu` in the place of `ziel` (a rename; a link named `ziel` is replaced
// itself). The new file takes the mode, group and, where this process may give it, owner of the
// ordinary file `ziel`, or, for a copy, those of `vorbild` with write permission for its owner
// (without that file, no wider mode than a new file gets). Where the group cannot be kept, the new
// file gets no rights for its group: a save never opens the year to a group that could not read it.
// With Ablage::Platte the file and then the folder's entries reach the disk, so that after a power
// cut `ziel` is either the old file or the new one; a folder that cannot be opened for that (no
// read permission) is left to the system, the file being in place. On failure `neu` is removed and
// `ziel` is as it was.
bool replaceFile(const std::string& neu, const std::string& ziel,
                 TextFileWriter::Ablage ablage = TextFileWriter::Ablage::Platte, const std::string& vorbild = {});
// A new, empty file beside `ziel`, named as the writer names its temporary files; empty when none
// could be made, with the reason in `fehler` (errno) where given. One that a killed process left
// behind stays: the start-up removes only those of the year's own files (removeStaleTemporaries),
// not those beside a file the user chose.
std::string newSiblingFile(const std::string& ziel, int* fehler = nullptr);
// Copies the file `from` to `to` as a copy of it (a `vorbild`, so `to` is the program's own file);
// false when it could not be read or written.
bool copyFileAtomically(const std::string& from, const std::string& to);
// The file a write to `path` replaces: `path` itself, or, where it is a symbolic link, the file
// the link leads to (followed through further links), so the link stays a link.
std::string writeTarget(const std::string& path);
// Removes the temporary files a write to `path` left behind when it was killed before it
// could finish (its siblings named as the writer names them). Only for a caller who knows
// that no write to `path` is running, in this process or another; a symbolic link is not
// followed (the folder it leads to may be another program's). With `gesperrteBehalten` a file
// whose kernel lock (flock) another process holds stays: its write is still running.
void removeStaleTemporaries(const std::string& path, bool gesperrteBehalten = false);

}  // namespace text
