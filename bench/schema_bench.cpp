// Open of a project whose test group table has thousands of plain indexes:
// the store's check of the schema against SQLite alone loading that schema
// and reading the table once. The check is linear in the schema, so the
// ratio stays flat as the indexes grow (2,000, 4,000, 8,000). And the
// refusal of a project with a wide extra table whose conflict clauses are of
// two kinds (400 columns and 40 indexes, 2,000 and 20) against SQLite
// loading that schema and compiling an insert into the table.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "BenchFiles.h"
#include "support/WideTable.h"

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

// A project with the wide table of columns and indexes, made once per pair.
const std::string& ProjectWithWideTable(int columns, int indexes) {
    static TempDir dir;
    static std::map<std::pair<int, int>, std::string> made;
    std::string& path = made[{columns, indexes}];
    if (!path.empty()) return path;
    path = NewProject(dir, ("wide" + std::to_string(columns) + "x" + std::to_string(indexes) + ".tarnprj").c_str());
    sqlite3* db = OpenRaw(path);
    sqlite3_exec(db, WideTableSql(columns, indexes).c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

void BM_Store_RefuseWideTable(benchmark::State& state) {
    const std::string& path = ProjectWithWideTable(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        CTaDBTDDataSingle store;
        if (store.Open(path.c_str()) != -1) state.SkipWithError("the wide table was not refused");
    }
}

void BM_Raw_LoadWideTable(benchmark::State& state) {
    const int columns = static_cast<int>(state.range(0));
    const std::string& path = ProjectWithWideTable(columns, static_cast<int>(state.range(1)));
    std::string insert = "INSERT INTO Wide VALUES (?";
    for (int i = 1; i < columns; ++i) insert += ", ?";
    insert += ")";
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt* compiled = nullptr;
        if (sqlite3_prepare_v2(db, insert.c_str(), -1, &compiled, nullptr) != SQLITE_OK)
            state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_finalize(compiled);
        sqlite3_close(db);
    }
}

BENCHMARK(BM_Store_OpenManyIndexes)->Arg(0)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_OpenManyIndexes)->Arg(0)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_RefuseWideTable)->Args({400, 40})->Args({2000, 20})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_LoadWideTable)->Args({400, 40})->Args({2000, 20})->Unit(benchmark::kMillisecond);
