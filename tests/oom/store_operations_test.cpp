// The store's table operations with one allocation failing at each of
// their steps in turn, the engine's own allocations included: every run
// answers (1, or -1 with the out-of-memory text), a call that failed leaves
// the project as it was for a fresh store and works when the store makes it
// again, and no change is lost. The same with memory that stays exhausted
// from one allocation on.
#include <gtest/gtest.h>

#include "oom/SampleProject.h"
#include "oom/Sweep.h"

namespace {
using failing::CallFailing;
using failing::Outcome;
using failing::Sweep;

// The records a call fills or writes, made before its allocations are
// counted: making them is the host's work.
struct Records {
    Records() {
        added.m_strActionUuid = "added";
        added.m_strSignalContent = "dc_ampl(2 V)";
        changed.m_strActionUuid = "setup-1";
        changed.m_strSignalContent = "dc_ampl(7 V)";
        // Dates of their own, so that every run writes the same rows.
        for (CTaDBActionSetup* setup : {&added, &changed})
            setup->m_dtCreateDate = setup->m_dtModifyDate = COleDateTime(45000.5);
    }
    CTaDBActionSetup added;
    CTaDBActionSetup changed;
    CTaDBSignal signal;
    CTaDBTps tps;
    CObList list;
};

// One operation of the store; listed: the rows a list holds after a call
// that answered 1 (-1: no list).
struct StoreCall {
    const char* name;
    int (*call)(CTaDBTDDataSingle& store, Records& records);
    int listed;
};

void PrintTo(const StoreCall& call, std::ostream* out) { *out << call.name; }

const StoreCall kCalls[] = {
    {"ListOfSetups", [](CTaDBTDDataSingle& s, Records& r) { return s.GetAllItem_ActionSetup(r.list, ""); },
     sample::kSetups},
    {"ListByCondition",
     [](CTaDBTDDataSingle& s, Records& r) { return s.GetItemBySQL_Measurement(r.list, "MEAS_NAME Like 'm-%'"); },
     sample::kMeasurements},
    {"AddOfASetup", [](CTaDBTDDataSingle& s, Records& r) { return s.AddItem_ActionSetup(r.added, 1); }, -1},
    {"UpdateOfASetup", [](CTaDBTDDataSingle& s, Records& r) { return s.AddItem_ActionSetup(r.changed, 0); }, -1},
    {"ReadByKey", [](CTaDBTDDataSingle& s, Records& r) { return s.GetItem_Signal(r.signal, 1, "sig-0"); }, -1},
    {"RenameOfASetup", [](CTaDBTDDataSingle& s, Records&) { return s.RenameItem_ActionSetup("setup-2", "renamed"); },
     -1},
    {"DeleteOfASetup", [](CTaDBTDDataSingle& s, Records&) { return s.DelItem_ActionSetup("setup-0"); }, -1},
    {"MoveOfAnEntry", [](CTaDBTDDataSingle& s, Records&) { return s.MoveSequence_EntryTable(3, MOVEITEM_TOP); }, -1},
    {"DeleteOfAnEntryByKey", [](CTaDBTDDataSingle& s, Records&) { return s.DelSequence_Uuid_EntryTable("entry-1"); },
     -1},
    {"TpsOfTheProject", [](CTaDBTDDataSingle& s, Records& r) { return s.GetTpsUutInfo(r.tps); }, -1},
};

class StoreCallTest : public ::testing::TestWithParam<StoreCall>, protected sample::Sandbox {
protected:
    void SetUp() override {
        // What the call's success makes of the project.
        TestStore store(dir);
        ASSERT_TRUE(OpenCopy(store));
        Records records;
        ASSERT_EQ(GetParam().call(store, records), 1);
        store.ClearObjectList(records.list, "");
        store.Close();
        succeeded = sample::Rows(dir, project);
    }

    // Runs the call on a store just opened on a copy of the project, with
    // allocation n failing (and every one after it, when sticky). A call
    // that failed leaves the project as it was and works when it is made
    // again; either way the project holds the call's work once the store
    // has closed.
    Outcome RunFailing(long n, bool sticky) {
        TestStore store(dir);
        EXPECT_TRUE(OpenCopy(store));
        Records records;
        int result = 0;
        const Outcome outcome = CallFailing(n, [&] { result = GetParam().call(store, records); }, sticky);
        EXPECT_ANSWERED(result, store, n);
        if (result == 1 && GetParam().listed >= 0) {
            EXPECT_EQ(records.list.GetCount(), GetParam().listed) << "allocation " << n;
        }
        store.ClearObjectList(records.list, "");
        if (result != 1) {
            EXPECT_EQ(sample::Rows(dir, project), before) << "allocation " << n;
            EXPECT_EQ(GetParam().call(store, records), 1) << "allocation " << n;
            store.ClearObjectList(records.list, "");
        }
        store.Close();
        EXPECT_EQ(sample::Rows(dir, project), succeeded) << "allocation " << n;
        return outcome;
    }

    // The same inside a transaction the host began on the store's connection
    // and commits after the call: what it commits is the call's work whole
    // where the call answered 1, and nothing of it otherwise.
    Outcome RunFailingInHostTransaction(long n, bool sticky) {
        TestStore store(dir);
        EXPECT_TRUE(OpenCopy(store));
        EXPECT_EQ(store.m_dbMng.Execute("BEGIN"), 1);
        Records records;
        int result = 0;
        const Outcome outcome = CallFailing(n, [&] { result = GetParam().call(store, records); }, sticky);
        EXPECT_ANSWERED(result, store, n);
        store.ClearObjectList(records.list, "");
        // Refused where the engine ended the transaction itself.
        store.m_dbMng.Execute("COMMIT");
        store.Close();
        EXPECT_EQ(sample::Rows(dir, project), result == 1 ? succeeded : before) << "allocation " << n;
        return outcome;
    }

    std::string succeeded;
};

TEST_P(StoreCallTest, EachFailedAllocationIsAnsweredAndLeavesTheProjectWhole) {
    const long runs = Sweep([&](long n) { return RunFailing(n, false); });
    RecordProperty("runs", static_cast<int>(runs));
}

TEST_P(StoreCallTest, MemoryThatStaysExhaustedIsAnsweredAndLeavesTheProjectWhole) {
    const long runs = Sweep([&](long n) { return RunFailing(n, true); });
    RecordProperty("runs", static_cast<int>(runs));
}

TEST_P(StoreCallTest, InsideAHostsTransactionWhatTheHostCommitsIsTheWholeCallOrNone) {
    const long runs = Sweep([&](long n) { return RunFailingInHostTransaction(n, false); }) +
                      Sweep([&](long n) { return RunFailingInHostTransaction(n, true); });
    RecordProperty("runs", static_cast<int>(runs));
}

INSTANTIATE_TEST_SUITE_P(Operations, StoreCallTest, ::testing::ValuesIn(kCalls),
                         [](const ::testing::TestParamInfo<StoreCall>& info) { return info.param.name; });

}  // namespace
