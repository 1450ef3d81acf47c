#include "platform/win32/DatabaseLog.h"

#include <cerrno>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {
bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}
}  // namespace

std::string EngineFileName(const std::string& path) { return path[0] == '/' ? path : "./" + path; }

bool FoldDatabaseLog(const std::string& path) {
    if (!Exists(path + "-wal") && !Exists(path + "-journal")) return true;
    sqlite3* db = nullptr;
    bool whole = false;
    if (sqlite3_open_v2(EngineFileName(path).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) ==
        SQLITE_OK) {
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        // The first read replays a log or rolls back a hot journal; a
        // checkpoint that truncates the log succeeds only once every frame
        // is in the file (on a file without one it has nothing to do).
        const int read = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        // A file that is no database has no log: what lies beside it is none of its.
        whole = read == SQLITE_NOTADB ||
                (read == SQLITE_OK &&
                 sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr) == SQLITE_OK);
    }
    sqlite3_close_v2(db);
    if (!whole) errno = EBUSY;
    return whole;
}
