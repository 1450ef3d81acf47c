// Open of a project whose test group table has thousands of plain indexes:
// the store's check of the schema against SQLite alone loading that schema
// and reading the table once. The check is linear in the schema, so the
// ratio stays flat as the indexes grow (2,000, 4,000, 8,000). And the
// refusal of a project with a wide extra table whose conflict clauses are of
// two kinds (400 columns and 40 indexes, 2,000 and 20) against SQLite
// loading that schema and compiling an insert into the table; of tables
// whose insert compiles to a program of square size against SQLite loading
// their schema; of tables whose CHECK constraint SQLite compiles in square
// time, and Open of a table whose every write builds a thousand indexes of a
// thousand columns, against SQLite loading their schema, with the peak
// memory of each beside (counter MB); and Open and Close of an ordinary
// project, and of one with a plain host table beside, against SQLite
// opening it and reading a row.
#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "BenchFiles.h"
#include "PeakMemory.h"
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
// A project with an extra table made by sql, made once per name.
const std::string& ProjectWith(const std::string& name, const std::string& sql) {
    static TempDir dir;
    static std::map<std::string, std::string> made;
    std::string& path = made[name];
    if (!path.empty()) return path;
    path = NewProject(dir, (name + ".tarnprj").c_str());
    sqlite3* db = OpenRaw(path);
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

const std::string& ProjectWithWideTable(int columns, int indexes) {
    return ProjectWith("wide" + std::to_string(columns) + "x" + std::to_string(indexes),
                       WideTableSql(columns, indexes));
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

// Tables whose insert SQLite compiles to a program of square size, refused
// with the compiled programs held to a multiple of the linear ones: 500
// UNIQUE columns, 20 indexes over all of them, and (0) REPLACE on every
// key, or (1) one NOT NULL ON CONFLICT IGNORE column beside them.
const std::string& ProjectWithSquareInsert(int kind) {
    return kind == 0 ? ProjectWith("replacing", UniqueWideTableSql(500, 20, " ON CONFLICT REPLACE"))
                     : ProjectWith("ignoring", UniqueWideTableSql(500, 20, "", ", N TEXT NOT NULL ON CONFLICT IGNORE"));
}

void BM_Store_RefuseSquareInsert(benchmark::State& state) {
    const std::string& path = ProjectWithSquareInsert(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CTaDBTDDataSingle store;
        if (store.Open(path.c_str()) != -1) state.SkipWithError("the wide table was not refused");
    }
}

// SQLite opening the file and loading its schema, as the first statement does.
void BM_Raw_LoadSquareInsert(benchmark::State& state) {
    const std::string& path = ProjectWithSquareInsert(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt* read = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT * FROM Wide", -1, &read, nullptr) != SQLITE_OK)
            state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_finalize(read);
        sqlite3_close(db);
    }
}

// The peak memory of work (PeakMemory.h) as the counter MB, measured once per name.
void CountPeak(benchmark::State& state, const std::string& name, const std::function<void()>& work) {
    static std::map<std::string, double> measured;
    const auto found = measured.find(name);
    state.counters["MB"] = found != measured.end() ? found->second : measured[name] = PeakMegabytes(work);
}

// SQLite opening the file at path and loading its schema, as the first
// statement that reads table does.
void LoadSchema(benchmark::State& state, const std::string& path, const std::string& table) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* read = nullptr;
    if (sqlite3_prepare_v2(db, ("SELECT * FROM " + table).c_str(), -1, &read, nullptr) != SQLITE_OK)
        state.SkipWithError(sqlite3_errmsg(db));
    sqlite3_finalize(read);
    sqlite3_close(db);
}

// Open of path by the store, which should answer expected.
void OpenAnswers(benchmark::State& state, const std::string& path, int expected) {
    CTaDBTDDataSingle store;
    const int result = store.Open(path.c_str());
    if (result != expected)
        state.SkipWithError((std::to_string(result) + " " + store.GetErrorInfo().GetString()).c_str());
    store.Close();
}

// A host table (linked to the template's by a foreign key, so judged as a
// table the store writes) with one CHECK constraint of n constants: (0) a CASE of n
// branches, (1) a balanced AND of n terms, (2) an IN of n values.
const std::string& ProjectWithCheck(int kind, int n) {
    const char* names[] = {"case", "and", "in"};
    const std::string sql = kind == 0 ? CaseCheckSql(n) : kind == 1 ? AndCheckSql(n) : InCheckSql(n);
    return ProjectWith(names[kind] + std::to_string(n), sql);
}

std::string ArgsName(const char* bench, benchmark::State& state) {
    return std::string(bench) + "/" + std::to_string(state.range(0)) + "/" + std::to_string(state.range(1));
}

void BM_Store_RefuseCheck(benchmark::State& state) {
    const std::string& path = ProjectWithCheck(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CountPeak(state, ArgsName("store-check", state), [&] { OpenAnswers(state, path, -1); });
    for (auto _ : state) OpenAnswers(state, path, -1);
}

void BM_Raw_LoadCheck(benchmark::State& state) {
    const std::string& path = ProjectWithCheck(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CountPeak(state, ArgsName("raw-check", state), [&] { LoadSchema(state, path, "Checked"); });
    for (auto _ : state) LoadSchema(state, path, "Checked");
}

// A host table (linked as above) of 1,000 columns with count indexes over
// all of them, and (replacing 1) a key ON CONFLICT REPLACE on its first
// column, which is refused; without it the table holds nothing that runs.
const std::string& ProjectWithIndexedWideTable(int count, bool replacing) {
    return ProjectWith("indexed" + std::to_string(count) + (replacing ? "r" : ""),
                       IndexedWideTableSql(1000, count, replacing ? " UNIQUE ON CONFLICT REPLACE" : ""));
}

void BM_Store_JudgeIndexedWide(benchmark::State& state) {
    const bool replacing = state.range(1) != 0;
    const std::string& path = ProjectWithIndexedWideTable(static_cast<int>(state.range(0)), replacing);
    const int expected = replacing ? -1 : 1;
    CountPeak(state, ArgsName("store-wide", state), [&] { OpenAnswers(state, path, expected); });
    for (auto _ : state) OpenAnswers(state, path, expected);
}

void BM_Raw_LoadIndexedWide(benchmark::State& state) {
    const std::string& path = ProjectWithIndexedWideTable(static_cast<int>(state.range(0)), state.range(1) != 0);
    CountPeak(state, ArgsName("raw-wide", state), [&] { LoadSchema(state, path, "Wide"); });
    for (auto _ : state) LoadSchema(state, path, "Wide");
}

// A project with count host tables of a row id's alias, a NOT NULL column
// and a constant default each, linked to the template's test group table by
// a foreign key, which take every program the check compiles.
const std::string& ProjectWithManyTables(int count) {
    std::string sql = "BEGIN;";
    for (int i = 0; i < count; ++i)
        sql += "CREATE TABLE Host" + std::to_string(i) + " (id INTEGER PRIMARY KEY, name TEXT NOT NULL, n DEFAULT 0, "
               "g TEXT REFERENCES TestGroupTable);";
    return ProjectWith("tables" + std::to_string(count), sql + "COMMIT;");
}

void BM_Store_JudgeManyTables(benchmark::State& state) {
    const std::string& path = ProjectWithManyTables(static_cast<int>(state.range(0)));
    CountPeak(state, "store-tables/" + std::to_string(state.range(0)), [&] { OpenAnswers(state, path, 1); });
    for (auto _ : state) OpenAnswers(state, path, 1);
}

void BM_Raw_LoadManyTables(benchmark::State& state) {
    const std::string& path = ProjectWithManyTables(static_cast<int>(state.range(0)));
    CountPeak(state, "raw-tables/" + std::to_string(state.range(0)), [&] { LoadSchema(state, path, "Host0"); });
    for (auto _ : state) LoadSchema(state, path, "Host0");
}

// Open and Close of an ordinary project (three test groups), against SQLite
// opening the file, loading its schema, reading a row and closing.
const std::string& OrdinaryProject() {
    return ProjectWith("ordinary", "INSERT INTO TestGroupTable (TG_UUID, TG_NAME) VALUES ('a', 'A'), ('b', 'B'), "
                                   "('c', 'C')");
}

// An ordinary project beside which the host keeps a plain table of its own.
const std::string& ProjectWithHostTable() {
    return ProjectWith("host-table", "INSERT INTO TestGroupTable (TG_UUID, TG_NAME) VALUES ('a', 'A'), ('b', 'B'), "
                                     "('c', 'C'); CREATE TABLE HostNotes (id INTEGER PRIMARY KEY, note TEXT)");
}

void OpenClose(benchmark::State& state, const std::string& path) {
    CTaDBTDDataSingle store;
    for (auto _ : state) {
        if (store.Open(path.c_str()) != 1) state.SkipWithError(store.GetErrorInfo().GetString());
        store.Close();
    }
}

void RawOpenReadClose(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt* read = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM EditionTable", -1, &read, nullptr);
        if (sqlite3_step(read) != SQLITE_ROW) state.SkipWithError("the editions are not there");
        sqlite3_finalize(read);
        sqlite3_close(db);
    }
}

void BM_Store_OpenClose(benchmark::State& state) { OpenClose(state, OrdinaryProject()); }
void BM_Raw_OpenReadClose(benchmark::State& state) { RawOpenReadClose(state, OrdinaryProject()); }
void BM_Store_OpenCloseHostTable(benchmark::State& state) { OpenClose(state, ProjectWithHostTable()); }
void BM_Raw_OpenReadCloseHostTable(benchmark::State& state) { RawOpenReadClose(state, ProjectWithHostTable()); }
}  // namespace

BENCHMARK(BM_Store_OpenManyIndexes)->Arg(0)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_OpenManyIndexes)->Arg(0)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_RefuseWideTable)->Args({400, 40})->Args({2000, 20})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_LoadWideTable)->Args({400, 40})->Args({2000, 20})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_RefuseSquareInsert)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_LoadSquareInsert)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_RefuseCheck)
    ->Args({0, 12500})->Args({0, 25000})->Args({0, 50000})->Args({0, 100000})->Args({1, 100000})->Args({2, 400000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_LoadCheck)
    ->Args({0, 12500})->Args({0, 25000})->Args({0, 50000})->Args({0, 100000})->Args({1, 100000})->Args({2, 400000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_JudgeIndexedWide)->Args({1000, 0})->Args({1000, 1})->Args({2000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_LoadIndexedWide)->Args({1000, 0})->Args({1000, 1})->Args({2000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_JudgeManyTables)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_LoadManyTables)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_OpenClose)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Raw_OpenReadClose)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Store_OpenCloseHostTable)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Raw_OpenReadCloseHostTable)->Unit(benchmark::kMicrosecond);
