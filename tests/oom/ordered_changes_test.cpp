// The changes of an ordered list with memory exhausted for good from each
// of their allocations on, the engine's own included. A change that fails
// is undone before it answers, with nothing left to allocate: no write
// lock outlives the call, so another process writes the project while the
// host makes no call, and the list is as it was. Inside a transaction the
// host began, the change's part is undone and the host's transaction stays
// open with the host's writes, unless the engine itself rolled it back
// whole (as it does where a statement, its own undo included, runs out of
// memory part-way): then too nothing of the change is left.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "oom/SampleProject.h"
#include "oom/Sweep.h"
#include "platform/ado/Connection.h"
#include "support/PlainProgram.h"

namespace {
using failing::CallFailing;
using failing::Outcome;
using failing::Sweep;

struct ListChange {
    const char* name;
    int (*call)(CTaDBTDDataSingle& store);
};

void PrintTo(const ListChange& change, std::ostream* out) { *out << change.name; }

const ListChange kChanges[] = {
    {"Move", [](CTaDBTDDataSingle& s) { return s.MoveSequence_EntryTable(3, MOVEITEM_TOP); }},
    {"Exchange", [](CTaDBTDDataSingle& s) { return s.MoveSequence_Swop_EntryTable(1, 4); }},
    {"Set", [](CTaDBTDDataSingle& s) { return s.SetSequence_EntryTable(4, 1); }},
    {"DeleteByPosition", [](CTaDBTDDataSingle& s) { return s.DelSequence_Seq_EntryTable(2); }},
    {"DeleteByKey", [](CTaDBTDDataSingle& s) { return s.DelSequence_Uuid_EntryTable("entry-1"); }},
};

// A write of the host's own, and what another process writes.
const char kHostWrite[] = "UPDATE MeasurementTable SET MEAS_NAME = 'by the host' WHERE MEAS_UUID = 'm-1'";
const char kOtherWrite[] = "UPDATE MeasurementTable SET MEAS_NAME = MEAS_NAME";

sqlite3* HandleOf(TestStore& store) { return store.m_dbMng.m_pConnection->Handle(); }

// What the store's own connection reads of the list and of the host's row,
// straight through the engine: the library runs nothing before it.
std::string SeenOnTheConnection(TestStore& store) {
    std::string seen;
    const auto add = [](void* out, int columns, char** values, char**) {
        for (int i = 0; i < columns; ++i) *static_cast<std::string*>(out) += std::string(values[i]) + "|";
        return 0;
    };
    const int rc = sqlite3_exec(HandleOf(store),
                                "SELECT TEST_UUID, SEQUENCE FROM EntryTable ORDER BY TEST_UUID;"
                                "SELECT MEAS_NAME FROM MeasurementTable WHERE MEAS_UUID = 'm-1'",
                                add, &seen, nullptr);
    return rc == SQLITE_OK ? seen : "unreadable";
}

class ListChangeTest : public ::testing::TestWithParam<ListChange>, protected sample::Sandbox {
protected:
    void SetUp() override {
        TestStore store(dir);
        ASSERT_TRUE(OpenCopy(store));
        ASSERT_EQ(store.m_dbMng.Execute(kHostWrite), 1);
        store.Close();
        hostWritten = sample::Rows(dir, project);
        ASSERT_NE(hostWritten, before);
    }

    // Runs the change on store with memory exhausted from allocation n on:
    // its answer, and whether it had written part of itself first.
    int ChangeFailing(TestStore& store, long n, Outcome& outcome, bool& wrote) {
        const sqlite3_int64 changes = sqlite3_total_changes64(HandleOf(store));
        int result = 0;
        outcome = CallFailing(n, [&] { result = GetParam().call(store); }, true);
        EXPECT_ANSWERED(result, store, n);
        wrote = sqlite3_total_changes64(HandleOf(store)) > changes;
        return result;
    }

    std::string hostWritten;  // what a fresh store reads once the host's write is committed
};

TEST_P(ListChangeTest, AFailedChangeIsUndoneBeforeItAnswers) {
    long failed = 0, undoneAfterWriting = 0;
    const long runs = Sweep([&](long n) {
        TestStore store(dir);
        EXPECT_TRUE(OpenCopy(store));
        Outcome outcome;
        bool wrote = false;
        if (ChangeFailing(store, n, outcome, wrote) != 1) {
            ++failed;
            undoneAfterWriting += wrote;
            EXPECT_NE(sqlite3_get_autocommit(HandleOf(store)), 0) << "allocation " << n;
            // The host makes no call meanwhile.
            EXPECT_TRUE(PlainSqlInAProcessStartedAnew(project, kOtherWrite)) << "allocation " << n;
            EXPECT_EQ(sample::Rows(dir, project), before) << "allocation " << n;
        }
        store.Close();
        return outcome;
    });
    EXPECT_GT(failed, 0);
    // Runs in which the change had written part of itself before memory ran out.
    EXPECT_GT(undoneAfterWriting, 0);
    RecordProperty("runs", static_cast<int>(runs));
}

// Once the change has written, undoing its savepoint alone takes memory of
// the engine's (a map of the pages it puts back): with none, the engine
// rolls back the host's whole transaction, which takes none.
TEST_P(ListChangeTest, InsideAHostsTransactionAFailedChangeUndoesItsPartAlone) {
    long keptOpen = 0, endedAfterWriting = 0;
    const long runs = Sweep([&](long n) {
        TestStore store(dir);
        EXPECT_TRUE(OpenCopy(store));
        EXPECT_EQ(store.m_dbMng.Execute("BEGIN"), 1);
        EXPECT_EQ(store.m_dbMng.Execute(kHostWrite), 1);
        const std::string hostSees = SeenOnTheConnection(store);
        Outcome outcome;
        bool wrote = false;
        const int result = ChangeFailing(store, n, outcome, wrote);
        const bool open = sqlite3_get_autocommit(HandleOf(store)) == 0;
        if (result != 1 && open) {
            ++keptOpen;
            EXPECT_EQ(SeenOnTheConnection(store), hostSees) << "allocation " << n;
        } else if (result != 1) {
            endedAfterWriting += wrote;
            EXPECT_TRUE(PlainSqlInAProcessStartedAnew(project, kOtherWrite)) << "allocation " << n;
        }
        // Refused where the engine ended the transaction itself.
        store.m_dbMng.Execute("COMMIT");
        store.Close();
        if (result != 1) {
            EXPECT_EQ(sample::Rows(dir, project), open ? hostWritten : before) << "allocation " << n;
        }
        return outcome;
    });
    EXPECT_GT(keptOpen, 0);
    EXPECT_GT(endedAfterWriting, 0);
    RecordProperty("runs", static_cast<int>(runs));
    RecordProperty("ended by the engine", static_cast<int>(endedAfterWriting));
}

INSTANTIATE_TEST_SUITE_P(MemoryExhausted, ListChangeTest, ::testing::ValuesIn(kChanges),
                         [](const ::testing::TestParamInfo<ListChange>& info) { return info.param.name; });

}  // namespace
