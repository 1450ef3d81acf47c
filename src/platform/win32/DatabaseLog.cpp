#include "platform/win32/DatabaseLog.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <new>
#include <sqlite3.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"
#include "platform/win32/LogNames.h"

int ErrnoOfEngineResult(int rc) {
    switch (rc & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return EBUSY;
        case SQLITE_FULL: return ENOSPC;
        case SQLITE_NOMEM: return ENOMEM;
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_CANTOPEN: return EACCES;
        default: return EIO;
    }
}

bool RemoveDatabaseJournals(const std::string& path) {
    const size_t count = std::size(kJournalSuffixes);
    struct stat found[count];
    for (size_t i = 0; i < count; ++i)
        if (!LogNameClear(path + kJournalSuffixes[i], LogLook::Files, &found[i])) return false;
    // Each name goes only while it names the file looked at.
    for (size_t i = 0; i < count; ++i)
        if (found[i].st_nlink != 0) fileshare::UnlinkIfStill(path + kJournalSuffixes[i], found[i]);
    return true;
}

std::string EngineFileName(const std::string& path) { return path[0] == '/' ? path : "./" + path; }

namespace {
// What the engine adds to a database's path to name its journal files, at most ("-journal").
const int kJournalSuffix = 8;

// The engine's file system, which its setup makes: the setup runs at the
// process's first use of the engine, and may fail there (for want of
// memory, ENOMEM). Null with errno set where it failed.
sqlite3_vfs* EngineFileSystem() {
    const int rc = sqlite3_initialize();
    if (rc != SQLITE_OK) {
        errno = ErrnoOfEngineResult(rc);
        return nullptr;
    }
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    if (!vfs) errno = EINVAL;
    return vfs;
}

// Raises what keeps the engine from telling: running out of memory, or the error errno gives.
[[noreturn]] void ThrowUntold() {
    if (errno == ENOMEM) throw std::bad_alloc();
    throw std::system_error(errno, std::generic_category());
}

// The name under which the engine opens the file at path frozen: a URI of
// the file, every byte of its path but letters, digits and "/._~-"
// escaped, so that it names that file and nothing else.
std::string FrozenFileName(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    const std::string name = EngineFileName(path);
    std::string uri = name[0] == '/' ? "file://" : "file:";
    for (unsigned char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || (c && strchr("/._~-", c))) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri + "?immutable=1";
}
}  // namespace

int EnginePathLimit() {
    const sqlite3_vfs* vfs = EngineFileSystem();
    if (!vfs) ThrowUntold();
    return vfs->mxPathname - kJournalSuffix;
}

bool EngineName(const std::string& path, std::string& name) {
    sqlite3_vfs* vfs = EngineFileSystem();
    if (!vfs) return false;
    std::vector<char> made(PATH_MAX + 1);
    errno = 0;
    const int rc = vfs->xFullPathname(vfs, EngineFileName(path).c_str(), PATH_MAX + 1, made.data());
    if ((rc & 0xff) == SQLITE_NOMEM) return fileshare::Refuse(ENOMEM);
    if ((rc & 0xff) != SQLITE_OK) return fileshare::Refuse(errno ? errno : EINVAL);
    name = made.data();
    return true;
}

bool TooLongForTheEngine(const std::string& path) {
    std::string full;
    if (EngineName(path, full)) return static_cast<int>(full.size()) > EnginePathLimit();
    if (errno == ENOMEM) ThrowUntold();
    return false;
}

int OpenDatabaseFile(const std::string& path, sqlite3** db, ProjectAccess access) {
    const int rc =
        access == ProjectAccess::Frozen
            ? sqlite3_open_v2(FrozenFileName(path).c_str(), db,
                              SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr)
            : sqlite3_open_v2(EngineFileName(path).c_str(), db,
                              (access == ProjectAccess::Write ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) |
                                  SQLITE_OPEN_NOMUTEX,
                              nullptr);
    if (rc != SQLITE_OK) return rc;
    for (const auto& [option, on] : {std::pair{SQLITE_DBCONFIG_ENABLE_TRIGGER, 0}, {SQLITE_DBCONFIG_ENABLE_VIEW, 0},
                                     {SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0}, {SQLITE_DBCONFIG_DEFENSIVE, 1}}) {
        const int set = sqlite3_db_config(*db, option, on, nullptr);
        if (set != SQLITE_OK) return set;
    }
    return SQLITE_OK;
}

bool LogHoldsChanges(const std::string& path) {
    // Anything but a regular file at a journal name counts as holding
    // changes, never opened here: the fold that follows refuses it.
    struct stat log, looked, opened;
    if (lstat((path + "-wal").c_str(), &log) == 0 && (!S_ISREG(log.st_mode) || log.st_size > 0)) return true;
    const std::string name = path + "-journal";
    if (lstat(name.c_str(), &looked) != 0) return false;
    if (!S_ISREG(looked.st_mode)) return true;
    const int journal = fileshare::OpenFile(name, O_RDONLY | O_NOFOLLOW);
    if (journal < 0) return errno != ENOENT;
    // A journal whose header the engine has zeroed or cut off is done with.
    unsigned char first = 0;
    const bool live = fstat(journal, &opened) != 0 || !fileshare::SameFile(opened, looked) ||
                      (pread(journal, &first, 1, 0) == 1 && first != 0);
    fileshare::CloseJournal(journal);
    return live;
}

bool FoldDatabaseLog(const std::string& path) {
    if (fileshare::ForkedBesideThreads()) {
        errno = fileshare::kForkedBesideThreads;
        return false;
    }
    // The caller holds the file exclusively: what lies at its journal names
    // may be looked into, and anything but a journal file stops the fold.
    if (!LogNamesClear(path, LogLook::Files)) return false;
    // An empty log holds nothing, and its index is made from it: the engine
    // is called only where there is something to fold.
    if (!LogHoldsChanges(path)) return true;
    sqlite3* db = nullptr;
    int rc = OpenDatabaseFile(path, &db);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        // The first read replays a log or rolls back a hot journal; a
        // checkpoint that truncates the log succeeds only once every frame
        // is in the file (on a file without one it has nothing to do). The
        // read takes the header's schema version alone: it reads no b-tree,
        // and so ends whatever the file's b-trees make of a walk through them.
        rc = sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
        // A file that is no database has no log: what lies beside it is none of its.
        if (rc == SQLITE_NOTADB) rc = SQLITE_OK;
        else if (rc == SQLITE_OK) rc = sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    }
    sqlite3_close_v2(db);
    if (rc == SQLITE_OK) return true;
    // In use only while another connection keeps the log; a log that cannot
    // be written into a read-only file is access denied.
    errno = ErrnoOfEngineResult(rc);
    return false;
}
