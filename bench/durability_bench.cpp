// Journal mode and sync level, measured on the store's commonest write: one
// row appended in its own transaction. The library runs write-ahead logging
// with normal sync; the other rows show what the alternatives would cost.
#include <benchmark/benchmark.h>

#include "BenchFiles.h"

namespace {
const char* const kModes[][2] = {
    {"DELETE", "FULL"}, {"DELETE", "NORMAL"}, {"TRUNCATE", "FULL"}, {"WAL", "FULL"}, {"WAL", "NORMAL"},
};

void BM_Raw_AppendUnderJournalMode(benchmark::State& state) {
    const char* journal = kModes[state.range(0)][0];
    const char* sync = kModes[state.range(0)][1];
    state.SetLabel(std::string(journal) + "/" + sync);
    TempDir dir;
    const std::string path = dir.File("bench.db");
    FillTable(path, 1000);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, ("PRAGMA journal_mode=" + std::string(journal) + "; PRAGMA synchronous=" + sync).c_str(),
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO T (K, NAME, N, D) VALUES (?, 'appended', ?, 45000.5)", -1, &insert, nullptr);
    long next = 1000;
    for (auto _ : state) {
        std::string key = "k" + std::to_string(next);
        sqlite3_bind_text(insert, 1, key.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert, 2, next++);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations());
}
}  // namespace

BENCHMARK(BM_Raw_AppendUnderJournalMode)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
