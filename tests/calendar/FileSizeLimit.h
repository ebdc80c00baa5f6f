#pragma once

#include <csignal>
#include <sys/resource.h>

namespace hibimo::test {

// Makes every write beyond a size fail (EFBIG), also for root, whom folder permissions do not stop.
struct FileSizeLimit {
    rlimit old{};
    void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);

    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previousHandler);
    }
};

} // namespace hibimo::test
