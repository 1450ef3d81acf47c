// Shared set-up for the benchmarks: a scratch folder and a raw engine handle
// opened the way the library opens projects (write-ahead log, normal sync).
#pragma once
#include <sqlite3.h>
#include <string>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"
#include "support/TestFiles.h"

// A new, empty project of the given name in dir, made and closed by the library.
inline std::string NewProject(TempDir& dir, const char* name) {
    const std::string path = dir.File(name);
    CTaDBTDDataSingle store;
    store.New(path.c_str(), 1);
    store.Close();
    return path;
}

inline sqlite3* OpenRaw(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr, nullptr);
    return db;
}

// Fills table T (K, NAME, N, D) with rows "k0".."k<n-1>" in one transaction.
inline void FillTable(const std::string& path, long rows) {
    sqlite3* db = OpenRaw(path);
    sqlite3_exec(db,
                 "CREATE TABLE IF NOT EXISTS T (K TEXT PRIMARY KEY COLLATE NOCASE, NAME TEXT COLLATE NOCASE, "
                 "N INTEGER, D REAL); BEGIN;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO T VALUES (?1, 'name of ' || ?1, ?2, 45000.5)", -1, &insert, nullptr);
    for (long i = 0; i < rows; ++i) {
        std::string key = "k" + std::to_string(i);
        sqlite3_bind_text(insert, 1, key.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert, 2, i);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}
