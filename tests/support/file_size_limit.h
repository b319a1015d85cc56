// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

// Until it goes out of scope, no file this process writes may grow past `bytes`:
// with SIGXFSZ ignored a write there comes back short or fails with EFBIG, as a
// full disk fails one with ENOSPC, and no root is needed to bring it about. Only
// the test process is limited, and only for a moment.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        set_ = ::getrlimit(RLIMIT_FSIZE, &previous_) == 0;
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit lowered = previous_;
        lowered.rlim_cur = std::min(bytes, previous_.rlim_max);
        set_ = set_ && ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool isSet() const { return set_; }

private:
    struct rlimit previous_ {};
    void (*previousHandler_)(int) = SIG_DFL;
    bool set_ = false;
};
