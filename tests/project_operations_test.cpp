// The whole-project operations: clearing every ATML ID, the UUT information
// of the TPS row, and the display name of a test group or test point.
#include <gtest/gtest.h>

#include "support/FlatTableSuite.h"

namespace {
// The table and ATML ID column of each of the seventeen clears, in their order.
const char* const kAtmlColumns[][2] = {
    {"TestGroup", "TG"}, {"TestPoint", "TP"}, {"ActionConnect", "ACTION"}, {"ActionDisconnect", "ACTION"},
    {"ActionReset", "ACTION"}, {"ActionRead", "ACTION"}, {"ActionSetup", "ACTION"}, {"Formula", "ACTION"},
    {"Instrument", "ACTION"}, {"MessageHint", "ACTION"}, {"Parameter", "PARA"}, {"Signal", "SIGNAL"}, {"Tps", "TPS"},
    {"Measurement", "MEAS"}, {"Outcome", "ACTION"}, {"TestResult", "ACTION"}, {"ActionCompare", "ACTION"}};

// A store whose signal and outcome clears fail; it counts the calls of the last clear.
struct TwoClearsFail : TestStore {
    using TestStore::TestStore;
    int lastCalls = 0;
    RESULTSTATE Clear_AtmlId_Signal() override { return -1; }
    RESULTSTATE Clear_AtmlId_Outcome() override { return SetErrorInfo("outcome"), 0; }
    RESULTSTATE Clear_AtmlId_ActionCompare() override { return ++lastCalls, TestStore::Clear_AtmlId_ActionCompare(); }
};
}  // namespace

class ProjectOperations : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& [table, prefix] : kAtmlColumns)
            RawExec(project, std::string("INSERT INTO ") + table + "Table (" + prefix + "_ATML_ID) VALUES ('id')");
        ASSERT_EQ(store.Open(project.c_str()), 1);
        store.SetModifyState(0);
    }
    std::string AtmlIdsLeft() {
        std::string left;
        for (const auto& [table, prefix] : kAtmlColumns)
            left += RawQuery(project, std::string("SELECT ") + prefix + "_ATML_ID FROM " + table + "Table")[0][0];
        return left;
    }
    TempDir dir;
    std::string project = MakeProject(dir, "p.tarnprj");
    TwoClearsFail store{dir};
    CString message = "earlier text";
};

TEST_F(ProjectOperations, ClearATMLIDCallsEveryClearWhateverFailedAndJoinsTheirMessagesInOrder) {
    EXPECT_EQ(store.ClearATMLID(message), -1);
    EXPECT_EQ(message, "清除测试信号的 ATML ID 失败！清除测试输出的 ATML ID 失败！");
    EXPECT_EQ(store.GetErrorInfo(), "outcome");  // the last failing clear's state
    EXPECT_EQ(AtmlIdsLeft(), "idid");            // all but the signals' and the outcomes'
    store.m_nEditionTestGroupTable = 9;          // now every clear fails
    EXPECT_EQ(store.ClearATMLID(message), -1);
    const std::string joined = message.GetString(), last = "清除测试动作数据比较的 ATML ID 失败！";
    EXPECT_EQ(joined.rfind("清除测试项目的 ATML ID 失败！清除测试点的", 0), 0u);
    EXPECT_EQ(joined.rfind(last), joined.size() - last.size());
    size_t failures = 0;
    for (size_t at = joined.find("失败！"); at != std::string::npos; at = joined.find("失败！", at + 1)) ++failures;
    EXPECT_EQ(failures, 17u);
    EXPECT_TRUE(store.lastCalls == 2 && store.Modified() == 0);
    TestStore plain(dir);
    ASSERT_EQ(plain.Open(project.c_str()), 1);
    EXPECT_EQ(plain.ClearATMLID(message), 1);
    EXPECT_TRUE(message.IsEmpty() && AtmlIdsLeft().empty() && plain.Modified() == 0);
}

TEST_F(ProjectOperations, TheUutInformationIsTheFirstTpsRowWhichIsMadeWhenThereIsNone) {
    RawExec(project, "DELETE FROM TpsTable");
    CTaDBTps info, again, fresh;
    ASSERT_EQ(store.GetTpsUutInfo(info), 1);
    EXPECT_EQ(RawQuery(project, "SELECT TPS_UUID FROM TpsTable")[0][0], info.m_strTpsUuid.GetString());
    EXPECT_EQ(store.Modified(), 1);
    info.m_strUutInfo = "UUT 7";
    ASSERT_EQ(store.SetTpsUutInfo(info) + store.GetTpsUutInfo(again), 2);
    EXPECT_TRUE(again.m_strTpsUuid == info.m_strTpsUuid && again.m_strUutInfo == "UUT 7");
    EXPECT_EQ(store.SetTpsUutInfo(fresh), -1);  // a key not stored is not inserted
    ASSERT_EQ(store.DelItem_Tps(info.m_strTpsUuid), 1);
    store.m_nEditionTpsTable = 9;
    EXPECT_EQ(store.GetTpsUutInfo(again), -1);
    EXPECT_EQ(RawQuery(project, "SELECT count(*) FROM TpsTable")[0][0], "0");
    RawExec(project, "INSERT INTO TpsTable (TPS_UUID) VALUES ('a'), ('b'), ('c')");
    TpsTable::FailingStore failing(dir);  // its third row read fails: the two records read are given back
    ASSERT_EQ(failing.Open(project.c_str()), 1);
    EXPECT_EQ(failing.GetTpsUutInfo(again), -1);
    EXPECT_EQ(again.m_strTpsUuid, info.m_strTpsUuid);
}

TEST_F(ProjectOperations, ATestGroupIsNamedByItsNameOrByItsControl) {
    CTaDBTestGroup plain, loop(CONTROL_NODE_FOR);
    plain.m_strTgName = loop.m_strTgName = "name";
    ASSERT_EQ(store.AddItem_TestGroupTable(plain, 1) + store.AddItem_TestGroupTable(loop, 1), 2);
    CString named, controlled, none = "x", other = "x";
    EXPECT_EQ(store.GetTestItemName("测试项目", plain.m_strTgUuid, named), 1);
    EXPECT_EQ(store.GetTestItemName("测试项目", loop.m_strTgUuid, controlled), 1);
    EXPECT_EQ(named + "|" + controlled, "name|for");
    EXPECT_EQ(store.GetTestItemName("测试点", plain.m_strTgUuid, none), -1);  // no test point has the key
    EXPECT_EQ(store.GetTestItemName("其他", plain.m_strTgUuid, other), 1);
    EXPECT_EQ(none + other, "");
}
