// Open of a project whose test group table has thousands of plain indexes:
// the store's check of the schema against SQLite alone loading that schema
// and reading the table once. The check is linear in the schema, so the
// ratio stays flat as the indexes grow (2,000, 4,000, 8,000).
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "BenchFiles.h"

namespace {
// A project with three test groups and count indexes on their table, made once per count.
const std::string& ProjectWithIndexes(int count) {
    static TempDir dir;
    static std::map<int, std::string> made;
    std::string& path = made[count];
    if (!path.empty()) return path;
    path = NewProject(dir, ("indexes" + std::to_string(count) + ".tarnprj").c_str());
    sqlite3* db = OpenRaw(path);
    std::string sql = "BEGIN;";
    for (int i = 0; i < count; ++i)
        sql += "CREATE INDEX Plain" + std::to_string(i) + " ON TestGroupTable (TG_NAME, TG_ATML_ID);";
    sql += "INSERT INTO TestGroupTable (TG_UUID, TG_NAME) VALUES ('a', 'A'), ('b', 'B'), ('c', 'C'); COMMIT;";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

void BM_Store_OpenManyIndexes(benchmark::State& state) {
    const std::string& path = ProjectWithIndexes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CTaDBTDDataSingle store;
        if (store.Open(path.c_str()) != 1) state.SkipWithError(store.GetErrorInfo().GetString());
        store.Close();
    }
}

void BM_Raw_OpenManyIndexes(benchmark::State& state) {
    const std::string& path = ProjectWithIndexes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt* read = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM TestGroupTable", -1, &read, nullptr);
        long rows = 0;
        while (sqlite3_step(read) == SQLITE_ROW) ++rows;
        sqlite3_finalize(read);
        sqlite3_close(db);
        if (rows != 3) state.SkipWithError("the table lacks its rows");
    }
}
}  // namespace

BENCHMARK(BM_Store_OpenManyIndexes)->Arg(0)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_OpenManyIndexes)->Arg(0)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
