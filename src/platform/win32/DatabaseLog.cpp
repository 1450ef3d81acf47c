#include "platform/win32/DatabaseLog.h"

#include <sqlite3.h>
#include <unistd.h>

std::string EngineFileName(const std::string& path) { return path[0] == '/' ? path : "./" + path; }

void FoldDatabaseLog(const std::string& path) {
    if (access((path + "-wal").c_str(), F_OK) != 0 && access((path + "-journal").c_str(), F_OK) != 0) return;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(EngineFileName(path).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 5000);
        // The first read replays a log or rolls back a journal; the checkpoint
        // writes the log into the file, and the last connection's close
        // removes it.
        if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK)
            sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    }
    sqlite3_close_v2(db);
}
