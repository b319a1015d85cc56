// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

// The file layer under the xBase engine: the hooks through which shapelib reads
// and writes, and the steps that put a finished file in its place. Only the
// engine layer uses it.

#include <shapefil.h>

#include <QString>

#include <cstdint>
#include <locale.h>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace xbase_io {

// shapelib formats and parses numbers with the C library, which follows the
// process locale; under a German LC_NUMERIC it would write "250,5" into the file
// and read "250.5" as 250. Every call into shapelib runs under the C locale.
class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

    static locale_t cLocale()
    {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        return c;
    }

private:
    locale_t previous_;
};

std::string errnoText(int error);
std::string localName(const QString& fileName);

// ---------------------------------------------------------------------------
// File hooks. shapelib opens files by names it derives itself (it swaps the
// extension for ".dbf", then ".DBF", and looks for a ".cpg" beside the table), has
// no locking and trusts whatever header it finds. Our hooks open exactly the file
// the engine means, lock it, vet its header before shapelib sees it, and serve the
// record-by-record reads of an index build from a read cache.

struct HookFile {
    int fd = -1;
    bool ownsFd = true;
    std::uint64_t pos = 0;
    std::vector<char> cache;
    std::uint64_t cacheStart = 0;
    std::uint64_t cacheLength = 0;
    std::uint64_t readEnd = 0;
    // What the header claims and what the file can hold, found at open.
    std::uint32_t headerCount = 0;
    std::uint64_t recordsHeld = 0;
    unsigned headerLength = 0;
    unsigned recordLength = 0;
    int fieldCount = 0;
    int* errorSink = nullptr; // where the write error goes at close, for a new table
    // The first write that failed, as errno. shapelib drops the result of most of
    // its writes (the header, the end mark, a record flushed on the way to another),
    // so whoever lets it write checks this afterwards.
    int writeError = 0;
    // While a change is under way: the file's length before it and every stretch
    // of the old file its writes covered, so a change that fails can be undone.
    bool journaling = false;
    std::uint64_t lengthBefore = 0;
    std::vector<std::pair<std::uint64_t, std::string>> overwritten;
};


struct OpenRequest {
    std::string path;
    bool writable = true;  // wanted; a file marked read-only is opened for reading all the same
    bool exclusive = true; // locked against every other opener, not only writers
    bool openedWritable = false;
    int createdFd = -1; // a freshly created file to hand out instead of opening
    int writeError = 0;  // the first write to it that failed
    bool attempted = false;
    std::string error;
    HookFile* file = nullptr;
};

// The open the engine is doing now, and the last message shapelib reported.
extern thread_local OpenRequest* tRequest;
extern thread_local std::string tShapelibError;

class RequestScope {
public:
    explicit RequestScope(OpenRequest* request) { tRequest = request; }
    ~RequestScope() { tRequest = nullptr; }
    RequestScope(const RequestScope&) = delete;
    RequestScope& operator=(const RequestScope&) = delete;
};

HookFile* hookFile(SAFile file);

// A change journals the bytes it overwrites, so that a change that fails can be
// undone: begin before it, end when it held; undo returns what went wrong, if
// anything, while putting the old bytes back.
bool beginJournal(HookFile& file);
void endJournal(HookFile& file);
std::string undoJournal(HookFile& file);

// Whether the owner may not write the file: such a table is never written.
bool markedReadOnly(const struct stat& status);

SAHooks fileHooks();

void syncDirectory(const QString& fileName);
// Gives a file that takes another's place that file's owner and mode; returns
// the reason when the mode could not be set.
std::string takeModeAndOwner(const std::string& path, const struct stat& of);
// Moves a finished file to its name; a file of no bytes there is replaced.
// Raises XBaseError when it cannot.
void publish(const std::string& from, const std::string& to);
// Renames `from` onto `to`, replacing it; `from` takes the mode of `to`, and its
// owner where that may be given away. Raises XBaseError when it cannot.
void replace(const std::string& from, const std::string& to);

// A new file under a private name beside `fileName`, ".<name>.<pid>.<n>", for a
// file that is written whole before it takes its name. It is locked while it is
// written, so that what a killed process left can be told from what a running
// one is still writing (XBaseTable::removeLeftovers). Raises XBaseError, naming
// `fileName`, when it cannot be made.
struct PrivateFile {
    int fd = -1;
    std::string path;
};
PrivateFile createPrivate(const QString& fileName);

} // namespace xbase_io
