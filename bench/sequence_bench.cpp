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

// A statement prepared once, reset and re-bound on every use.
class Prepared {
public:
    Prepared(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Prepared() { sqlite3_finalize(m_stmt); }
    Prepared& Bind(int index, long value) {
        sqlite3_bind_int64(m_stmt, index, value);
        return *this;
    }
    Prepared& Bind(int index, const std::string& value) {
        sqlite3_bind_text(m_stmt, index, value.c_str(), -1, SQLITE_TRANSIENT);
        return *this;
    }
    // Runs it and returns the first column of its first row as text.
    std::string Run() {
        std::string value;
        if (sqlite3_step(m_stmt) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(m_stmt, 0);
            value = text ? reinterpret_cast<const char*>(text) : "";
        }
        sqlite3_reset(m_stmt);
        return value;
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

void BM_Store_MoveLastToTop(benchmark::State& state) {
    TempDir dir;
    CTaDBTDDataSingle store;
    store.Open(EntryProject(dir, state.range(0)).c_str());
    for (auto _ : state) store.MoveSequence_EntryTable(state.range(0), MOVEITEM_TOP);
    state.counters["per place"] = benchmark::Counter(static_cast<double>(state.iterations() * (state.range(0) - 1)),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The same statements, each prepared once: the count, then per place two
// look-ups and two updates, in one transaction.
void BM_Raw_MoveLastToTop(benchmark::State& state) {
    TempDir dir;
    sqlite3* db = OpenRaw(EntryProject(dir, state.range(0)));
    {
        Prepared begin(db, "SAVEPOINT move"), release(db, "RELEASE move");
        Prepared count(db, "Select COUNT(*) as EN_NUM from EntryTable");
        Prepared at(db, "Select * From EntryTable Where SEQUENCE=?");
        Prepared set(db, "Update EntryTable Set SEQUENCE=? Where TEST_UUID=?");
        for (auto _ : state) {
            begin.Run();
            const long rows = std::stol(count.Run());
            for (long k = rows; k >= 2; --k) {
                const std::string a = at.Bind(1, k).Run();
                const std::string b = at.Bind(1, k - 1).Run();
                set.Bind(1, k - 1).Bind(2, a).Run();
                set.Bind(1, k).Bind(2, b).Run();
            }
            release.Run();
        }
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
        entry.m_strTestUuid = EntryKey(first).c_str();
        first = first % 1000 + 1;  // the entry put back comes first again after the other 999
        entry.m_nSequence = 1000;
        store.AddItem_EntryTable(entry, 1);
        state.ResumeTiming();
    }
}

void BM_Raw_DeleteFirstByKey(benchmark::State& state) {
    TempDir dir;
    sqlite3* db = OpenRaw(EntryProject(dir, 1000));
    {
        Prepared begin(db, "SAVEPOINT del"), release(db, "RELEASE del");
        Prepared find(db, "Select SEQUENCE From EntryTable Where TEST_UUID=?");
        Prepared erase(db, "delete from EntryTable Where TEST_UUID=?");
        Prepared close(db, "Update EntryTable Set SEQUENCE=SEQUENCE-1 Where SEQUENCE>?");
        Prepared insert(db, "Insert Into EntryTable (TEST_UUID, SEQUENCE) Values (?, 1000)");
        long first = 1;
        for (auto _ : state) {
            const std::string key = EntryKey(first);
            first = first % 1000 + 1;
            begin.Run();
            const long at = std::stol(find.Bind(1, key).Run());
            erase.Bind(1, key).Run();
            close.Bind(1, at).Run();
            find.Bind(1, key).Run();
            release.Run();
            state.PauseTiming();
            insert.Bind(1, key).Run();
            state.ResumeTiming();
        }
    }
    sqlite3_close(db);
}
}  // namespace

BENCHMARK(BM_Store_MoveLastToTop)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Raw_MoveLastToTop)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Store_DeleteFirstByKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Raw_DeleteFirstByKey)->Unit(benchmark::kMicrosecond);
