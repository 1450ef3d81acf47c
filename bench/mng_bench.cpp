// The connection manager and its recordset against the engine used directly
// with each statement prepared once: appending one row to tables of growing
// size, and reading one row by key through a statement text of the host.
#include <benchmark/benchmark.h>

#include "ATMLCommonError/SqlValue.h"
#include "ATMLCommonError/TaDBMng.h"
#include "platform/ado/Recordset.h"
#include "BenchFiles.h"

namespace {
void Connect(CTaDBMng& mng, const std::string& path) {
    _DB_CONNECT_INFO info;
    info.m_strConnectionString = ConnectionStringFor(path).c_str();
    mng.ConnectDB(info);
}

void BM_Manager_Append(benchmark::State& state) {
    TempDir dir;
    const std::string path = dir.File("bench.db");
    FillTable(path, state.range(0));
    CTaDBMng mng;
    Connect(mng, path);
    long next = state.range(0);
    for (auto _ : state) {
        mng.QueryDataInDB("Select * From T");
        ado::RecordsetPtr rs = mng.GetRecordset();
        rs->AddNew();
        rs->PutCollect("K", ("k" + std::to_string(next)).c_str());
        rs->PutCollect("NAME", "appended");
        rs->PutCollect("N", static_cast<int32_t>(next++));
        rs->PutCollect("D", 45000.5);
        rs->Update();
        mng.CloseRecordset();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Raw_Append(benchmark::State& state) {
    TempDir dir;
    const std::string path = dir.File("bench.db");
    FillTable(path, state.range(0));
    sqlite3* db = OpenRaw(path);
    long next = state.range(0);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO T (K, NAME, N, D) VALUES (?, ?, ?, ?)", -1, &insert, nullptr);
    for (auto _ : state) {
        std::string key = "k" + std::to_string(next);
        sqlite3_bind_text(insert, 1, key.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, "appended", -1, SQLITE_STATIC);
        sqlite3_bind_int(insert, 3, static_cast<int>(next++));
        sqlite3_bind_double(insert, 4, 45000.5);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations());
}

void BM_Manager_ReadByKey(benchmark::State& state) {
    TempDir dir;
    const std::string path = dir.File("bench.db");
    FillTable(path, state.range(0));
    CTaDBMng mng;
    Connect(mng, path);
    long i = 0;
    for (auto _ : state) {
        CString sql;
        sql.Format("Select * From T Where K='%s'", SqlValue(("k" + std::to_string(i++ % state.range(0))).c_str()).GetString());
        mng.QueryDataInDB(sql);
        ado::RecordsetPtr rs = mng.GetRecordset();
        if (!rs->IsEOF()) {
            benchmark::DoNotOptimize(rs->GetCollect("K").ToText());
            benchmark::DoNotOptimize(rs->GetCollect("NAME").ToText());
            benchmark::DoNotOptimize(rs->GetCollect("N").ToInt32());
            benchmark::DoNotOptimize(rs->GetCollect("D").ToDouble());
        }
        mng.CloseRecordset();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Raw_ReadByKey(benchmark::State& state) {
    TempDir dir;
    const std::string path = dir.File("bench.db");
    FillTable(path, state.range(0));
    sqlite3* db = OpenRaw(path);
    long i = 0;
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM T WHERE K=?", -1, &select, nullptr);
    for (auto _ : state) {
        sqlite3_bind_text(select, 1, ("k" + std::to_string(i++ % state.range(0))).c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(select) == SQLITE_ROW) {
            benchmark::DoNotOptimize(std::string(reinterpret_cast<const char*>(sqlite3_column_text(select, 0))));
            benchmark::DoNotOptimize(std::string(reinterpret_cast<const char*>(sqlite3_column_text(select, 1))));
            benchmark::DoNotOptimize(sqlite3_column_int(select, 2));
            benchmark::DoNotOptimize(sqlite3_column_double(select, 3));
        }
        sqlite3_reset(select);
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations());
}
}  // namespace

BENCHMARK(BM_Manager_Append)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Raw_Append)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Manager_ReadByKey)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Raw_ReadByKey)->Arg(1000)->Arg(10000)->Arg(100000);
