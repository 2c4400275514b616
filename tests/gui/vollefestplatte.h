// A full disk, simulated: files cannot grow beyond a size while it lives.
#pragma once

#include <csignal>
#include <sys/resource.h>

// Every write past `bytes` fails (EFBIG), as on a full disk.
class VolleFestplatte {
public:
    explicit VolleFestplatte(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &k_vorher);
        rlimit grenze = k_vorher;
        grenze.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &grenze);
    }
    ~VolleFestplatte() { setrlimit(RLIMIT_FSIZE, &k_vorher); }

private:
    rlimit k_vorher{};
};

