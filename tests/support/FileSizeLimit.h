#pragma once
// Makes writes fail for real, even for root (whom read-only files do not stop): while it lives,
// no file of this process may be written at or past `limit` bytes. With the default 0 every
// write fails; with a file's size only a write that makes it longer does, as on a full disk;
// with a little more, such a write gets part of the way first. Reading is unaffected.
#include <csignal>
#include <sys/resource.h>

namespace testsupport {

class NoWrites {
public:
    explicit NoWrites(rlim_t limit = 0) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit none = saved_;
        none.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~NoWrites() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    NoWrites(const NoWrites&) = delete;
    NoWrites& operator=(const NoWrites&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace testsupport
