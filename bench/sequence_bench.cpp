// The entry table's sequence operations against the engine running the same
// statements: moving the last of n entries to the top (one exchange per
// place it passes), and deleting the first of 1000 entries by key.
#include <benchmark/benchmark.h>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"
#include "BenchFiles.h"

namespace {
std::string EntryKey(long i) { return "ENTRY-" + std::to_string(i); }

std::string EntryProject(TempDir& dir, long entries) {
    const std::string path = dir.File("bench.tarnprj");
    CTaDBTDDataSingle store;
    store.New(path.c_str(), 1);
    for (long i = 1; i <= entries; ++i) {
        CTaDBEntry entry;
        entry.m_strTestUuid = EntryKey(i).c_str();
        entry.m_nSequence = i;
        store.AddItem_EntryTable(entry, 1);
    }
    store.Close();
    return path;
}

std::string Scalar(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    std::string value;
    if (sqlite3_step(stmt) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(stmt, 0);
        value = text ? reinterpret_cast<const char*>(text) : "";
    }
    sqlite3_finalize(stmt);
    return value;
}

void Exec(sqlite3* db, const std::string& sql) { sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr); }

void BM_Store_MoveLastToTop(benchmark::State& state) {
    TempDir dir;
    CTaDBTDDataSingle store;
    store.Open(EntryProject(dir, state.range(0)).c_str());
    for (auto _ : state) store.MoveSequence_EntryTable(state.range(0), MOVEITEM_TOP);
    state.counters["per place"] = benchmark::Counter(static_cast<double>(state.iterations() * (state.range(0) - 1)),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The same statements: the count, then per place two look-ups and two updates, in one transaction.
void BM_Raw_MoveLastToTop(benchmark::State& state) {
    TempDir dir;
    sqlite3* db = OpenRaw(EntryProject(dir, state.range(0)));
    for (auto _ : state) {
        Exec(db, "SAVEPOINT move");
        const long count = std::stol(Scalar(db, "Select COUNT(*) as EN_NUM from EntryTable"));
        for (long k = count; k >= 2; --k) {
            const std::string a = Scalar(db, "Select TEST_UUID From EntryTable Where SEQUENCE=" + std::to_string(k));
            const std::string b = Scalar(db, "Select TEST_UUID From EntryTable Where SEQUENCE=" + std::to_string(k - 1));
            Exec(db, "Update EntryTable Set SEQUENCE=" + std::to_string(k - 1) + " Where TEST_UUID='" + a + "'");
            Exec(db, "Update EntryTable Set SEQUENCE=" + std::to_string(k) + " Where TEST_UUID='" + b + "'");
        }
        Exec(db, "RELEASE move");
    }
    sqlite3_close(db);
    state.counters["per place"] = benchmark::Counter(static_cast<double>(state.iterations() * (state.range(0) - 1)),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Store_DeleteFirstByKey(benchmark::State& state) {
    TempDir dir;
    const std::string path = EntryProject(dir, 1000);
    CTaDBTDDataSingle store;
    store.Open(path.c_str());
    long first = 1;
    for (auto _ : state) {
        store.DelSequence_Uuid_EntryTable(EntryKey(first).c_str());
        state.PauseTiming();  // put the entry back at the end
        CTaDBEntry entry;
        entry.m_strTestUuid = EntryKey(first++).c_str();
        entry.m_nSequence = 1000;
        store.AddItem_EntryTable(entry, 1);
        state.ResumeTiming();
    }
}

void BM_Raw_DeleteFirstByKey(benchmark::State& state) {
    TempDir dir;
    sqlite3* db = OpenRaw(EntryProject(dir, 1000));
    long first = 1;
    for (auto _ : state) {
        const std::string key = EntryKey(first++);
        Exec(db, "SAVEPOINT del");
        const std::string at = Scalar(db, "Select SEQUENCE From EntryTable Where TEST_UUID='" + key + "'");
        Exec(db, "delete from EntryTable Where TEST_UUID='" + key + "'");
        Exec(db, "Update EntryTable Set SEQUENCE=SEQUENCE-1 Where SEQUENCE>" + at);
        Scalar(db, "Select SEQUENCE From EntryTable Where TEST_UUID='" + key + "'");
        Exec(db, "RELEASE del");
        state.PauseTiming();
        Exec(db, "Insert Into EntryTable (TEST_UUID, SEQUENCE) Values ('" + key + "', 1000)");
        state.ResumeTiming();
    }
    sqlite3_close(db);
}
}  // namespace

BENCHMARK(BM_Store_MoveLastToTop)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Raw_MoveLastToTop)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Store_DeleteFirstByKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Raw_DeleteFirstByKey)->Unit(benchmark::kMicrosecond);
