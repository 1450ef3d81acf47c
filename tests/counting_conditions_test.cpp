// A host's condition that counts a table's rows: SQLite counts them in one
// instruction that calls no progress handler, so a thread interrupts such a
// condition at its time limit. The thread runs only while a condition that
// counts runs, never when its interrupt would stop another statement of the
// connection, and is gone when the call answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <sqlite3.h>

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/Statement.h"
#include "support/Bounded.h"
#include "support/LoopedTree.h"

namespace {
const char kRows[] =
    "INSERT INTO ActionSetupTable (ACTION_UUID) VALUES ('a1'), ('a2'), ('a3');"
    "INSERT INTO MeasurementTable (MEAS_UUID, MEAS_NAME) VALUES ('m1', 'count')";

// Registers seen() on the store's connection: true, and the most threads
// the process ran while a condition called it, in most.
void CountThreadsSeen(TestStore& store, int& most) {
    auto seen = [](sqlite3_context* context, int, sqlite3_value**) {
        int& most = *static_cast<int*>(sqlite3_user_data(context));
        most = std::max(most, ThreadsOfThisProcess());
        sqlite3_result_int(context, 1);
    };
    ASSERT_EQ(sqlite3_create_function(store.m_dbMng.m_pConnection->Handle(), "seen", 0, SQLITE_UTF8, &most, seen,
                                      nullptr, nullptr),
              SQLITE_OK);
}
}  // namespace

// Six levels of 40 cells: the key index is read 41^6 (some 4.75 billion)
// times over, hours of counting.
TEST(CountingConditions, ACountOverALoopedKeyIndexEndsAtTheTimeLimit) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj", kRows);
    LoopTree(path, "sqlite_autoindex_ActionSetupTable_1", 6, 40);
    const std::string file = ReadFile(path);
    const std::string results = Bounded(dir, [&] {
        TestStore store(dir);
        if (store.Open(path.c_str()) != 1) return "not opened: " + std::string(store.GetErrorInfo());
        const int threads = ThreadsOfThisProcess();
        std::string answer = SelectedMeasurements(store, "(SELECT count(*) FROM ActionSetupTable) >= 0");
        answer += "\n" + std::to_string(ThreadsOfThisProcess() - threads) + " threads left";
        // The next calls work, counting a table that is whole too.
        return answer + "\n" + SelectedMeasurements(store, "1=1") + "\n" +
               SelectedMeasurements(store, "(SELECT count(*) FROM MeasurementTable) = 1");
    });
    const std::string limit = "ran longer than its limit of " + std::to_string(ado::kRunSecondsLimit) + " seconds";
    EXPECT_EQ(results.rfind("failed: ", 0), 0u) << results;
    EXPECT_NE(results.find(limit), std::string::npos) << results;
    EXPECT_NE(results.find("\n0 threads left\nm1 \nm1 "), std::string::npos) << results;
    EXPECT_TRUE(ReadFile(path) == file);
    EXPECT_FALSE(FileExists(path + "-wal") || FileExists(path + "-journal"));
}

TEST(CountingConditions, OnlyAConditionThatCountsRunsAThreadAndNoneOutlivesTheCall) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj", kRows);
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1);
    // A copy's query, read to its first row, on the store's connection.
    CTaDBMng copy = store.m_dbMng;
    const struct {
        const char* condition;
        bool queryOpen;
        int watching;  // threads beside the process's own while it runs
    } cases[] = {
        {"seen() AND (SELECT count(*) FROM ActionSetupTable) = 3", false, 1},
        {"seen() AND 3 IN (SELECT COUNT(ACTION_UUID) FROM ActionSetupTable)", false, 1},
        {"seen() AND (SELECT max(ACTION_UUID) FROM ActionSetupTable) = 'a3'", false, 0},
        {"seen() AND MEAS_NAME = 'count'", false, 0},
        // Its interrupt would stop the copy's query too.
        {"seen() AND (SELECT count(*) FROM ActionSetupTable) = 3", true, 0},
    };
    int most = 0;
    CountThreadsSeen(store, most);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.condition) + (c.queryOpen ? ", a copy's query open" : ""));
        if (c.queryOpen) {
            ASSERT_EQ(copy.QueryDataInDB("Select * From ActionSetupTable order by 1"), 1);
            ASSERT_EQ(copy.GetRecordset()->Field("ACTION_UUID").ToText(), "a1");
        }
        most = 0;
        const int threads = ThreadsOfThisProcess();
        EXPECT_EQ(SelectedMeasurements(store, c.condition), "m1 ");
        EXPECT_EQ(most - threads, c.watching);
        EXPECT_EQ(ThreadsOfThisProcess(), threads);
        if (c.queryOpen) {
            ado::RecordsetPtr rows = copy.GetRecordset();
            rows->MoveNext();
            EXPECT_EQ(rows->Field("ACTION_UUID").ToText(), "a2");
            copy.CloseRecordset();
        }
    }
}
