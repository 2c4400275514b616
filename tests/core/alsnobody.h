// Permission cases for the tests, which run as root: a write-protected file or folder means
// nothing to root, so such a case runs in a child process that gave up root's rights.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testhilfe {

constexpr uid_t NOBODY = 65534;

// Runs `pruefung` in a forked child once `vorbereitung` succeeded there; what it returned, or ""
// when it could not run. The child only reports: what it found is checked by the caller.
inline std::string imKindprozess(const std::function<bool()>& vorbereitung, const std::function<std::string()>& pruefung) {
    int rohr[2];
    if (::pipe(rohr) != 0) return "";
    const pid_t kind = ::fork();
    if (kind == 0) {
        if (!vorbereitung()) ::_exit(1);
        const std::string antwort = pruefung();
        ::_exit(::write(rohr[1], antwort.data(), antwort.size()) == static_cast<ssize_t>(antwort.size()) ? 0 : 1);
    }
    ::close(rohr[1]);
    std::string antwort;
    char puffer[4096];
    for (ssize_t n; (n = ::read(rohr[0], puffer, sizeof puffer)) > 0;) antwort.append(puffer, static_cast<std::size_t>(n));
    ::close(rohr[0]);
    ::waitpid(kind, nullptr, 0);
    return antwort;
}

// Runs `pruefung` as imKindprozess does, as the user and group 65534.
inline std::string alsNobody(const std::function<std::string()>& pruefung) {
    return imKindprozess(
        [] { return ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setgid(NOBODY) == 0 && ::setuid(NOBODY) == 0); },
        pruefung);
}

// Gives `pfad` to the user alsNobody runs as.
inline bool gibNobody(const std::filesystem::path& pfad) {
    return ::geteuid() != 0 || ::chown(pfad.c_str(), NOBODY, NOBODY) == 0;
}

}  // namespace testhilfe
