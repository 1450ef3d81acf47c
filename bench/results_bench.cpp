// The measured-value log, the write path that a test run hammers, against the
// engine doing the same work with each statement prepared once: appending
// 1k, 10k and 100k values, and listing one measurement's values in the
// order they were logged, out of logs of 1k, 10k and 100k values, by name
// and by a host's condition.
#include <benchmark/benchmark.h>

#include <vector>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "BenchFiles.h"

namespace {
const char kInsert[] =
    "INSERT INTO TestMeasurementTable (TEST_UUID, TP_UUID, ACTION_TYPE, MEAS_NAME, MEAS_DESCRIPTION, MEAS_TYPE, "
    "UNIT, DATA_VALUE, TR_UUID, OUTCOME_UUID, ACT_STATE, TR_TEXT, OUTCOME_TEXT, RESERVER2, RESERVER3, RESERVER4, "
    "CREATE_PERSON, MODIFY_PERSON, NUMBER, RESERVER1, TEST_DATE, CREATE_DATE, MODIFY_DATE) "
    "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
const int kNames = 10;

// A logged value as the baseline holds it, and where its columns stand in a row of the table.
const int kTextColumns[18] = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 17, 18, 19, 22, 23};
const int kDateColumns[3] = {15, 20, 21};
struct RawValue {
    std::string text[18];
    int number = 0, reserver1 = 0;
    double dates[3] = {};
};

std::string KeyOf(long i) { return "VALUE-" + std::to_string(i); }
std::string NameOf(long i) { return "Measurement " + std::to_string(i % kNames); }

void BindValue(sqlite3_stmt* insert, long i) {
    sqlite3_bind_text(insert, 1, KeyOf(i).c_str(), -1, SQLITE_TRANSIENT);
    for (int c = 2; c <= 18; ++c) sqlite3_bind_text(insert, c, "value", -1, SQLITE_STATIC);
    sqlite3_bind_text(insert, 4, NameOf(i).c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert, 19, 1);
    sqlite3_bind_int(insert, 20, 0);
    for (int c = 21; c <= 23; ++c) sqlite3_bind_double(insert, c, 46000.5);
}

// Appends values with the baseline's insert, prepared once; each is its own transaction unless batched.
void RawAppend(sqlite3* db, long from, long rows, bool batched) {
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, kInsert, -1, &insert, nullptr);
    if (batched) sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (long i = from; i < from + rows; ++i) {
        BindValue(insert, i);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    if (batched) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(insert);
}

void BM_Store_LogAppend(benchmark::State& state) {
    TempDir dir;
    CTaDBTDDataSingle store;
    store.Open(NewProject(dir, "bench.tarnprj").c_str());
    CTaDBTestMeasurement value;
    for (const Column<CTaDBTestMeasurement>& column : ColumnMapOf<CTaDBTestMeasurement>().columns)
        if (column.Type() == ColumnType::Text) value.*column.TextMember() = "value";
    long next = 0;
    for (auto _ : state) {
        for (long i = 0; i < state.range(0); ++i, ++next) {
            value.m_strTestUuid = KeyOf(next).c_str();
            value.m_strMeasName = NameOf(next).c_str();
            store.AddItem_TestMeasurement(value, 1);
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Raw_LogAppend(benchmark::State& state) {
    TempDir dir;
    sqlite3* db = OpenRaw(NewProject(dir, "bench.tarnprj"));
    long next = 0;
    for (auto _ : state) {
        RawAppend(db, next, state.range(0), false);
        next += state.range(0);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A log of n values over ten measurements; the list reads one measurement's tenth.
std::string FilledProject(TempDir& dir, long rows) {
    const std::string path = NewProject(dir, "bench.tarnprj");
    sqlite3* db = OpenRaw(path);
    RawAppend(db, 0, rows, true);
    sqlite3_close(db);
    return path;
}

void BM_Store_LogListOne(benchmark::State& state) {
    TempDir dir;
    CTaDBTDDataSingle store;
    store.Open(FilledProject(dir, state.range(0)).c_str());
    CObList list;
    for (auto _ : state) store.GetAllItem_TestMeasurement(list, NameOf(3).c_str());
    state.SetItemsProcessed(state.iterations() * list.GetCount());
    store.ClearObjectList(list, "CTaDBTestMeasurement");
}

// The same tenth, selected by a host's condition, which runs within its limits.
void BM_Store_LogListByCondition(benchmark::State& state) {
    TempDir dir;
    CTaDBTDDataSingle store;
    store.Open(FilledProject(dir, state.range(0)).c_str());
    CObList list;
    const std::string condition = "MEAS_NAME='" + NameOf(3) + "' order by ID";
    for (auto _ : state) store.GetItemBySQL_TestMeasurement(list, condition.c_str());
    state.SetItemsProcessed(state.iterations() * list.GetCount());
    store.ClearObjectList(list, "CTaDBTestMeasurement");
}

void BM_Raw_LogListOne(benchmark::State& state) {
    TempDir dir;
    sqlite3* db = OpenRaw(FilledProject(dir, state.range(0)));
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM TestMeasurementTable WHERE MEAS_NAME=? ORDER BY ID", -1, &select, nullptr);
    long count = 0;
    for (auto _ : state) {
        std::vector<RawValue*> rows;
        sqlite3_bind_text(select, 1, NameOf(3).c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(select) == SQLITE_ROW) {
            auto* row = new RawValue;
            for (int c = 0; c < 18; ++c) {
                const unsigned char* text = sqlite3_column_text(select, kTextColumns[c]);
                row->text[c] = text ? reinterpret_cast<const char*>(text) : "";
            }
            row->number = sqlite3_column_int(select, 7);
            row->reserver1 = sqlite3_column_int(select, 16);
            for (int d = 0; d < 3; ++d) row->dates[d] = sqlite3_column_double(select, kDateColumns[d]);
            rows.push_back(row);
        }
        sqlite3_reset(select);
        count = static_cast<long>(rows.size());
        for (RawValue* row : rows) delete row;
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * count);
}
}  // namespace

BENCHMARK(BM_Store_LogAppend)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_LogAppend)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_LogListOne)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Store_LogListByCondition)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Raw_LogListOne)->Arg(1000)->Arg(10000)->Arg(100000);
