// The TPS table's operations against the engine doing the same work with
// each statement prepared once and its values bound, as a careful hand-written
// program does: add, get by key, rename and delete on tables of 1k, 10k and
// 100k rows, and listing 10k rows into records.
#include <benchmark/benchmark.h>

#include <vector>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"
#include "BenchFiles.h"

namespace {
const char* const kTextColumns[] = {"TPS_UUID", "TPS_NAME", "TPS_ATML_ID", "TPS_DESCRIPTION", "TPS_VERSION",
                                    "UUT_INFO", "OUTCOME_UUID", "ACT_STATE", "RESERVER2", "RESERVER3",
                                    "RESERVER4", "CREATE_PERSON", "MODIFY_PERSON"};

// A row as the baseline holds it.
struct RawTps {
    std::string text[13];
    int reserver1 = 0;
    double created = 0, modified = 0;
};

std::string KeyOf(long i) { return "KEY-" + std::to_string(i); }

// A project of n TPS rows, made by the library and filled in one transaction.
std::string Project(TempDir& dir, long rows) {
    const std::string path = NewProject(dir, "bench.tarnprj");
    sqlite3* db = OpenRaw(path);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO TpsTable (TPS_UUID, TPS_NAME) VALUES (?, 'name')", -1, &insert, nullptr);
    for (long i = 0; i < rows; ++i) {
        sqlite3_bind_text(insert, 1, KeyOf(i).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

void BindRow(sqlite3_stmt* stmt, const std::string& key) {
    sqlite3_bind_text(stmt, 1, key.c_str(), -1, SQLITE_TRANSIENT);
    for (int c = 2; c <= 13; ++c) sqlite3_bind_text(stmt, c, "value", -1, SQLITE_STATIC);
    sqlite3_bind_int(stmt, 14, 0);
    sqlite3_bind_double(stmt, 15, 46000.5);
    sqlite3_bind_double(stmt, 16, 46000.5);
}

RawTps ReadRaw(sqlite3_stmt* stmt) {
    RawTps row;
    for (int c = 0; c < 13; ++c) {
        const unsigned char* text = sqlite3_column_text(stmt, c);
        row.text[c] = text ? reinterpret_cast<const char*>(text) : "";
    }
    row.reserver1 = sqlite3_column_int(stmt, 13);
    row.created = sqlite3_column_double(stmt, 14);
    row.modified = sqlite3_column_double(stmt, 15);
    return row;
}

void BM_Store_Add(benchmark::State& state) {
    TempDir dir;
    CTaDBTDDataSingle store;
    store.Open(Project(dir, state.range(0)).c_str());
    long next = state.range(0);
    for (auto _ : state) {
        state.PauseTiming();
        CTaDBTps record;
        record.m_strTpsUuid = KeyOf(next++).c_str();
        state.ResumeTiming();
        store.AddItem_Tps(record, 1);
    }
}

void BM_Raw_Add(benchmark::State& state) {
    TempDir dir;
    sqlite3* db = OpenRaw(Project(dir, state.range(0)));
    long next = state.range(0);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO TpsTable (TPS_UUID, TPS_NAME, TPS_ATML_ID, TPS_DESCRIPTION, TPS_VERSION, "
                       "UUT_INFO, OUTCOME_UUID, ACT_STATE, RESERVER2, RESERVER3, RESERVER4, CREATE_PERSON, "
                       "MODIFY_PERSON, RESERVER1, CREATE_DATE, MODIFY_DATE) VALUES "
                       "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &insert, nullptr);
    for (auto _ : state) {
        BindRow(insert, KeyOf(next++));
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
}

void BM_Store_GetByKey(benchmark::State& state) {
    TempDir dir;
    CTaDBTDDataSingle store;
    store.Open(Project(dir, state.range(0)).c_str());
    long i = 0;
    CTaDBTps record;
    for (auto _ : state) store.GetItem_Tps(record, 1, KeyOf(i++ % state.range(0)).c_str());
}

void BM_Raw_GetByKey(benchmark::State& state) {
    TempDir dir;
    sqlite3* db = OpenRaw(Project(dir, state.range(0)));
    long i = 0;
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM TpsTable WHERE TPS_UUID=?", -1, &select, nullptr);
    for (auto _ : state) {
        sqlite3_bind_text(select, 1, KeyOf(i++ % state.range(0)).c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(select) == SQLITE_ROW) benchmark::DoNotOptimize(ReadRaw(select));
        sqlite3_reset(select);
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
}

void BM_Store_Rename(benchmark::State& state) {
    TempDir dir;
    CTaDBTDDataSingle store;
    store.Open(Project(dir, state.range(0)).c_str());
    long i = 0;
    for (auto _ : state) store.RenameItem_Tps(KeyOf(i++ % state.range(0)).c_str(), "renamed");
}

void BM_Raw_Rename(benchmark::State& state) {
    TempDir dir;
    sqlite3* db = OpenRaw(Project(dir, state.range(0)));
    long i = 0;
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE TpsTable SET TPS_NAME=? WHERE TPS_UUID=?", -1, &update, nullptr);
    for (auto _ : state) {
        sqlite3_bind_text(update, 1, "renamed", -1, SQLITE_STATIC);
        sqlite3_bind_text(update, 2, KeyOf(i++ % state.range(0)).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(update);
        sqlite3_reset(update);
    }
    sqlite3_finalize(update);
    sqlite3_close(db);
}

// Deletes rows one by one; the table is refilled (untimed) when it runs out.
void BM_Store_Delete(benchmark::State& state) {
    TempDir dir;
    const std::string path = Project(dir, state.range(0));
    CTaDBTDDataSingle store;
    store.Open(path.c_str());
    long i = 0;
    for (auto _ : state) {
        store.DelItem_Tps(KeyOf(i++).c_str());
        if (i == state.range(0) / 2) {
            state.PauseTiming();
            for (long k = 0; k < i; ++k) {
                CTaDBTps record;
                record.m_strTpsUuid = KeyOf(k).c_str();
                store.AddItem_Tps(record, 1);
            }
            i = 0;
            state.ResumeTiming();
        }
    }
}

void BM_Raw_Delete(benchmark::State& state) {
    TempDir dir;
    sqlite3* db = OpenRaw(Project(dir, state.range(0)));
    long i = 0;
    sqlite3_stmt* erase = nullptr;
    sqlite3_prepare_v2(db, "DELETE FROM TpsTable WHERE TPS_UUID=?", -1, &erase, nullptr);
    for (auto _ : state) {
        sqlite3_bind_text(erase, 1, KeyOf(i++).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(erase);
        sqlite3_reset(erase);
        if (i == state.range(0) / 2) {
            state.PauseTiming();
            sqlite3_stmt* insert = nullptr;
            sqlite3_prepare_v2(db, "INSERT INTO TpsTable (TPS_UUID) VALUES (?)", -1, &insert, nullptr);
            for (long k = 0; k < i; ++k) {
                sqlite3_bind_text(insert, 1, KeyOf(k).c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_step(insert);
                sqlite3_reset(insert);
            }
            sqlite3_finalize(insert);
            i = 0;
            state.ResumeTiming();
        }
    }
    sqlite3_finalize(erase);
    sqlite3_close(db);
}

void BM_Store_List(benchmark::State& state) {
    TempDir dir;
    CTaDBTDDataSingle store;
    store.Open(Project(dir, state.range(0)).c_str());
    CObList list;
    for (auto _ : state) store.GetAllItem_Tps(list);
    store.ClearObjectList(list, "CTaDBTps");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Raw_List(benchmark::State& state) {
    TempDir dir;
    sqlite3* db = OpenRaw(Project(dir, state.range(0)));
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM TpsTable", -1, &select, nullptr);
    for (auto _ : state) {
        std::vector<RawTps*> rows;
        while (sqlite3_step(select) == SQLITE_ROW) rows.push_back(new RawTps(ReadRaw(select)));
        sqlite3_reset(select);
        for (RawTps* row : rows) delete row;
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
}  // namespace

BENCHMARK(BM_Store_Add)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Raw_Add)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Store_GetByKey)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Raw_GetByKey)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Store_Rename)->Arg(1000)->Arg(10000);
BENCHMARK(BM_Raw_Rename)->Arg(1000)->Arg(10000);
BENCHMARK(BM_Store_Delete)->Arg(1000)->Arg(10000);
BENCHMARK(BM_Raw_Delete)->Arg(1000)->Arg(10000);
BENCHMARK(BM_Store_List)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_List)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
