// The whole-project operations: clearing every ATML ID, the UUT information
// of the TPS row, and the display name of a test group or test point.
#include <gtest/gtest.h>

#include "support/FlatTableSuite.h"

namespace {
// The table and ATML ID column of each of the seventeen clears, in their order.
const char* const kAtmlColumns[][2] = {
    {"TestGroupTable", "TG_ATML_ID"},       {"TestPointTable", "TP_ATML_ID"},       {"ActionConnectTable", "ACTION_ATML_ID"},
    {"ActionDisconnectTable", "ACTION_ATML_ID"}, {"ActionResetTable", "ACTION_ATML_ID"}, {"ActionReadTable", "ACTION_ATML_ID"},
    {"ActionSetupTable", "ACTION_ATML_ID"}, {"FormulaTable", "ACTION_ATML_ID"},     {"InstrumentTable", "ACTION_ATML_ID"},
    {"MessageHintTable", "ACTION_ATML_ID"}, {"ParameterTable", "PARA_ATML_ID"},     {"SignalTable", "SIGNAL_ATML_ID"},
    {"TpsTable", "TPS_ATML_ID"},            {"MeasurementTable", "MEAS_ATML_ID"},   {"OutcomeTable", "ACTION_ATML_ID"},
    {"TestResultTable", "ACTION_ATML_ID"},  {"ActionCompareTable", "ACTION_ATML_ID"}};

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
        for (const auto& [table, column] : kAtmlColumns)
            RawExec(project, std::string("INSERT INTO ") + table + " (" + column + ") VALUES ('id')");
        ASSERT_EQ(store.Open(project.c_str()), 1);
        store.SetModifyState(0);
    }
    std::string AtmlIdsLeft() {
        std::string left;
        for (const auto& [table, column] : kAtmlColumns)
            left += RawQuery(project, std::string("SELECT ") + column + " FROM " + table)[0][0];
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
    const std::string joined = message.GetString();
    EXPECT_EQ(joined.rfind("清除测试项目的 ATML ID 失败！清除测试点的 ATML ID 失败！清除测试动作建立连接", 0), 0u);
    const std::string last = "清除测试结果的 ATML ID 失败！清除测试动作数据比较的 ATML ID 失败！";
    EXPECT_EQ(joined.rfind(last), joined.size() - last.size());
    size_t count = 0;
    for (size_t at = joined.find("失败！"); at != std::string::npos; at = joined.find("失败！", at + 1)) ++count;
    EXPECT_EQ(count, 17u);
    EXPECT_EQ(store.lastCalls, 2);
    EXPECT_EQ(store.Modified(), 0);
    store.m_nEditionTestGroupTable = 10;
    EXPECT_EQ(store.CTaDBTDDataSingle::Clear_AtmlId_Signal() + store.CTaDBTDDataSingle::Clear_AtmlId_Outcome(), 2);
    EXPECT_EQ(AtmlIdsLeft(), "");
}

TEST_F(ProjectOperations, TheUutInformationIsTheFirstTpsRowWhichIsMadeWhenThereIsNone) {
    RawExec(project, "DELETE FROM TpsTable");
    CTaDBTps info, again, fresh;
    ASSERT_EQ(store.GetTpsUutInfo(info), 1);
    EXPECT_EQ(store.Modified(), 1);
    EXPECT_EQ(RawQuery(project, "SELECT TPS_UUID FROM TpsTable")[0][0], info.m_strTpsUuid.GetString());
    info.m_strUutInfo = "UUT 7";
    ASSERT_EQ(store.SetTpsUutInfo(info), 1);
    ASSERT_EQ(store.GetTpsUutInfo(again), 1);
    EXPECT_TRUE(again.m_strTpsUuid == info.m_strTpsUuid && again.m_strUutInfo == "UUT 7");
    EXPECT_EQ(store.SetTpsUutInfo(fresh), -1);  // a key not stored is not inserted
    ASSERT_EQ(store.DelItem_Tps(info.m_strTpsUuid), 1);
    store.m_nEditionTpsTable = 9;
    EXPECT_EQ(store.GetTpsUutInfo(again), -1);
    EXPECT_EQ(RawQuery(project, "SELECT count(*) FROM TpsTable")[0][0], "0");

    RawExec(project, "INSERT INTO TpsTable (TPS_UUID) VALUES ('a'), ('b'), ('c')");
    FailingStore failing(dir);  // its third row read fails: the two records read are given back
    ASSERT_EQ(failing.Open(project.c_str()), 1);
    EXPECT_EQ(failing.GetTpsUutInfo(again), -1);
    EXPECT_EQ(again.m_strTpsUuid, info.m_strTpsUuid);
}

TEST_F(ProjectOperations, ATestItemIsNamedByItsNameOrByItsGroupsControl) {
    CTaDBTestGroup plain, sequence, loop(CONTROL_NODE_FOR);
    sequence.m_strTgControl = "顺序测试项目";
    plain.m_strTgName = "plain", sequence.m_strTgName = "sequence";
    CTaDBTestPoint point;
    point.m_strTpName = "point";
    ASSERT_EQ(store.AddItem_TestGroupTable(plain, 1) + store.AddItem_TestGroupTable(sequence, 1) +
                  store.AddItem_TestGroupTable(loop, 1) + store.AddItem_TestPointTable(point, 1), 4);
    const std::tuple<const char*, CString, RESULTSTATE, const char*> cases[] = {
        {"测试项目", plain.m_strTgUuid, 1, "plain"}, {"测试项目", sequence.m_strTgUuid, 1, "sequence"},
        {"测试项目", loop.m_strTgUuid, 1, "for"},    {"测试点", point.m_strTpUuid, 1, "point"},
        {"测试点", "", 1, ""},                       {"其他", point.m_strTpUuid, 1, ""},
        {"测试项目", point.m_strTpUuid, -1, ""},     {"测试点", plain.m_strTgUuid, -1, ""}};
    for (const auto& [kind, key, result, expected] : cases) {
        CString name = "earlier";
        EXPECT_EQ(store.GetTestItemName(kind, key, name), result) << kind << expected;
        EXPECT_EQ(name, expected) << kind;
    }
}
