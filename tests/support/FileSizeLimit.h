#pragma once

#include <csignal>

#include <sys/resource.h>

// Holds the process's file size limit at so many bytes while it lives, with the signal that
// would end the process there ignored, so that a write runs out of room as on a full disk.
// It holds for the whole process: a test lifts it before it reports or keeps anything.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : previous_(std::signal(SIGXFSZ, SIG_IGN)) {
        set_ = ::getrlimit(RLIMIT_FSIZE, &saved_) == 0;
        struct rlimit small = saved_;
        small.rlim_cur = bytes;
        set_ = set_ && ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() {
        if (set_) ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool set() const { return set_; }

private:
    struct rlimit saved_ {};
    void (*previous_)(int);
    bool set_ = false;
};
