// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

// A cheap first look at whether another program may have touched a file. Only
// the engine layer uses it.

#include <string>

// Watches a file and its name in its folder (inotify): written to, its mode
// changed, moved, removed, or another file moved or created under its name.
// Looking costs one read that does not wait, where comparing the file's status
// would cost a walk of its path. Where no watch can be set up, or would not hear
// other machines on a network share, every look says that something may have
// happened, and the caller compares the status.
class FileWatch {
public:
    explicit FileWatch(const std::string& path);
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // Whether anything arrived since the last look or forget(), our own writes
    // included.
    bool somethingHappened();
    // Drops what arrived so far: called right after our own writes.
    void forget();

private:
    bool drain();

    int fd_ = -1;
    int fileWatch_ = -1;
    int folderWatch_ = -1;
    std::string name_; // the file's name in its folder
};
