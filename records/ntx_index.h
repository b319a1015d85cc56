// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

// The file of one index, in the layout of Clipper 5's NTX files, so that
// Clipper-compatible tools can open the table with its indexes. Only the engine
// layer uses it.

#include "records/ntx_tree.h"

#include <QString>

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

// An NTX file: a header page, then the pages of an NtxTree. The tree is kept in
// memory and the file follows it: built whole under a private name that then
// replaces the old file, and kept current page by page as records change.
//
// Every change is framed: beginChange() marks the file out of date (its signature
// word becomes 0, which every reader refuses) before the table is written, and
// endChange() writes the changed pages and, last, the header that makes the file
// valid again. So whenever the program stops, the file lists exactly what the
// table holds or is marked out of date, never wrong; the program rebuilds it at
// every start. A page that cannot be written leaves the mark in place and has the
// next change write the whole file again.
class NtxIndex {
public:
    // Raises XBaseError when keys of this length do not fit two to a page or the
    // expression does not fit the header.
    NtxIndex(const QString& fileName, std::string_view expression, int keyLength);
    ~NtxIndex();
    NtxIndex(const NtxIndex&) = delete;
    NtxIndex& operator=(const NtxIndex&) = delete;

    // Builds the tree over entries sorted by IndexEntry::before and writes the
    // whole file. Raises XBaseError, naming the file, when it cannot.
    void build(const std::vector<IndexEntry>& sorted);

    // A change of the tree between the two calls reaches the file at the end.
    // Neither raises: a file that cannot be brought up to date stays marked or,
    // when not even the mark can be written, is removed.
    void beginChange();
    void insert(std::string_view key, int recNo) { tree_.insert(key, recNo); }
    void erase(std::string_view key, int recNo) { tree_.erase(key, recNo); }
    void endChange();
    // Builds the tree afresh within a change and writes the whole file at its end.
    void rebuild(const std::vector<IndexEntry>& sorted);

private:
    void headerPage(char* out) const;
    void writeWhole();
    void writeWholeInPlace();
    void wroteWhole();
    void writePages(int fd) const;
    bool writeChanges();
    bool stillOurs() const;
    void noteFile();
    void reopenByName();
    void closeFile();

    QString fileName_;
    std::string path_;
    std::string expression_;
    int keyLength_ = 0;
    NtxTree tree_;
    std::uint16_t version_ = 1;

    int fd_ = -1; // the file under our name as we last wrote it
    dev_t device_ = 0;
    ino_t inode_ = 0;
    off_t size_ = -1;
    struct timespec modified_ {};
    bool changing_ = false; // between beginChange() and endChange(): the file is marked
    bool rewrite_ = false;  // the file on disk no longer follows the tree
    bool unsynced_ = false; // pages written since the file was last synced
};
