// The whole-project operations: clearing every ATML ID, the UUT information
// of the TPS row, and the display name of a test group or test point.
#include <gtest/gtest.h>

#include "support/FlatTableSuite.h"

namespace {
// The table and ATML ID column of each of the seventeen clears.
const char* const kAtmlColumns[][2] = {
    {"TestGroupTable", "TG_ATML_ID"},       {"TestPointTable", "TP_ATML_ID"},       {"ActionConnectTable", "ACTION_ATML_ID"},
    {"ActionDisconnectTable", "ACTION_ATML_ID"}, {"ActionResetTable", "ACTION_ATML_ID"}, {"ActionReadTable", "ACTION_ATML_ID"},
    {"ActionSetupTable", "ACTION_ATML_ID"}, {"FormulaTable", "ACTION_ATML_ID"},     {"InstrumentTable", "ACTION_ATML_ID"},
    {"MessageHintTable", "ACTION_ATML_ID"}, {"ParameterTable", "PARA_ATML_ID"},     {"SignalTable", "SIGNAL_ATML_ID"},
    {"TpsTable", "TPS_ATML_ID"},            {"MeasurementTable", "MEAS_ATML_ID"},   {"OutcomeTable", "ACTION_ATML_ID"},
    {"TestResultTable", "ACTION_ATML_ID"},  {"ActionCompareTable", "ACTION_ATML_ID"}};

// A store whose signal and outcome clears fail; it counts the last clear's calls.
struct TwoClearsFail : TestStore {
    using TestStore::TestStore;
    int lastCalls = 0;
    RESULTSTATE Clear_AtmlId_Signal() override { return -1; }
    RESULTSTATE Clear_AtmlId_Outcome() override {
        SetErrorInfo("outcome");
        return 0;
    }
    RESULTSTATE Clear_AtmlId_ActionCompare() override { return ++lastCalls, TestStore::Clear_AtmlId_ActionCompare(); }
};

std::string AtmlIdsLeft(const std::string& project) {
    std::string left;
    for (const auto& [table, column] : kAtmlColumns)
        left += RawQuery(project, std::string("SELECT group_concat(") + column + ", '') FROM " + table)[0][0];
    return left;
}
}  // namespace

class ProjectOperations : public ::testing::Test {
protected:
    void SetUp() override {
        std::string rows;
        for (const auto& [table, column] : kAtmlColumns)
            rows += std::string("INSERT INTO ") + table + " (" + column + ") VALUES ('id');";
        RawExec(project, rows);
        ASSERT_EQ(store.Open(project.c_str()), 1);
        store.SetModifyState(0);
    }
    TempDir dir;
    std::string project = MakeProject(dir, "p.tarnprj");
    TestStore store{dir};
    CString message = "earlier text";
};

TEST_F(ProjectOperations, ClearATMLIDEmptiesTheAtmlIdsOfEveryTableAndMarksNothing) {
    EXPECT_EQ(store.ClearATMLID(message), 1);
    EXPECT_EQ(message, "");
    EXPECT_EQ(AtmlIdsLeft(project), "");
    EXPECT_EQ(store.Modified(), 0);
}

TEST_F(ProjectOperations, ClearATMLIDCallsEveryClearWhateverFailedAndJoinsTheirMessages) {
    store.Close();
    TwoClearsFail failing(dir);
    ASSERT_EQ(failing.Open(project.c_str()), 1);
    EXPECT_EQ(failing.ClearATMLID(message), -1);
    EXPECT_EQ(message, "清除测试信号的 ATML ID 失败！清除测试输出的 ATML ID 失败！");
    EXPECT_EQ(failing.GetErrorInfo(), "outcome");  // the last failing clear's state
    EXPECT_EQ(AtmlIdsLeft(project), "idid");       // all but the signal's and the outcome's
    failing.m_nEditionTestGroupTable = 9;          // now every clear fails
    EXPECT_EQ(failing.ClearATMLID(message), -1);
    EXPECT_EQ(message.GetString(), std::string("清除测试项目的 ATML ID 失败！清除测试点的 ATML ID 失败！清除测试动作建立连接") +
                                       "的 ATML ID 失败！清除测试动作断开连接的 ATML ID 失败！清除测试动作复位的 ATML ID 失败！"
                                       "清除测试动作数据测量的 ATML ID 失败！清除测试动作设置信号的 ATML ID 失败！清除公式计算"
                                       "的 ATML ID 失败！清除测试仪器的 ATML ID 失败！清除测试动作信息提示的 ATML ID 失败！清除"
                                       "测试参数的 ATML ID 失败！清除测试信号的 ATML ID 失败！清除测试项目 Tps 的 ATML ID 失败！"
                                       "清除测试实体的 ATML ID 失败！清除测试输出的 ATML ID 失败！清除测试结果的 ATML ID 失败！"
                                       "清除测试动作数据比较的 ATML ID 失败！");
    EXPECT_EQ(failing.lastCalls, 2);
    EXPECT_EQ(failing.Modified(), 0);
}

TEST_F(ProjectOperations, TheUutInformationIsTheFirstTpsRowWhichIsMadeWhenThereIsNone) {
    RawExec(project, "DELETE FROM TpsTable");
    CTaDBTps info;
    ASSERT_EQ(store.GetTpsUutInfo(info), 1);
    EXPECT_EQ(store.Modified(), 1);
    EXPECT_EQ(RawQuery(project, "SELECT TPS_UUID FROM TpsTable")[0][0], info.m_strTpsUuid.GetString());
    info.m_strUutInfo = "UUT 7";
    ASSERT_EQ(store.SetTpsUutInfo(info), 1);
    CTaDBTps again, fresh;
    ASSERT_EQ(store.GetTpsUutInfo(again), 1);
    EXPECT_EQ(again.m_strTpsUuid, info.m_strTpsUuid);
    EXPECT_EQ(again.m_strUutInfo, "UUT 7");
    EXPECT_EQ(store.SetTpsUutInfo(fresh), -1);  // a key not stored is not inserted
    EXPECT_EQ(RawQuery(project, "SELECT count(*) FROM TpsTable")[0][0], "1");

    ASSERT_EQ(store.DelItem_Tps(info.m_strTpsUuid), 1);
    store.m_nEditionTpsTable = 9;
    EXPECT_EQ(store.GetTpsUutInfo(again), -1);
    EXPECT_EQ(RawQuery(project, "SELECT count(*) FROM TpsTable")[0][0], "0");
    EXPECT_EQ(again.m_strUutInfo, "UUT 7");
}

TEST_F(ProjectOperations, AFailedReadOfTheTpsRowsChangesNoRecord) {
    RawExec(project, "INSERT INTO TpsTable (TPS_UUID) VALUES ('b'), ('c')");
    store.Close();
    FailingStore failing(dir);  // fails the third row it reads: the list it held is given back
    ASSERT_EQ(failing.Open(project.c_str()), 1);
    CTaDBTps info;
    const CString key = info.m_strTpsUuid;
    EXPECT_EQ(failing.GetTpsUutInfo(info), -1);
    EXPECT_EQ(info.m_strTpsUuid, key);
}

TEST_F(ProjectOperations, ATestItemIsNamedByItsNameOrItsGroupsControl) {
    CTaDBTestGroup plain, sequence, loop(CONTROL_NODE_FOR);
    sequence.m_strTgControl = "顺序测试项目";
    CTaDBTestPoint point;
    const std::pair<CTaDBTestGroup*, const char*> groups[] = {{&plain, "plain"}, {&sequence, "sequence"}, {&loop, "loop"}};
    for (const auto& [group, name] : groups) {
        group->m_strTgName = name;
        ASSERT_EQ(store.AddItem_TestGroupTable(*group, 1), 1);
    }
    point.m_strTpName = "point";
    ASSERT_EQ(store.AddItem_TestPointTable(point, 1), 1);
    const struct {
        const char* kind;
        CString key;
        RESULTSTATE result;
        const char* name;
    } cases[] = {{"测试项目", plain.m_strTgUuid, 1, "plain"},   {"测试项目", sequence.m_strTgUuid, 1, "sequence"},
                 {"测试项目", loop.m_strTgUuid, 1, "for"},      {"测试点", point.m_strTpUuid, 1, "point"},
                 {"测试点", "", 1, ""},                         {"测试", point.m_strTpUuid, 1, ""},
                 {"测试项目", point.m_strTpUuid, -1, ""},       {"测试点", plain.m_strTgUuid, -1, ""}};
    for (const auto& c : cases) {
        CString name = "earlier";
        EXPECT_EQ(store.GetTestItemName(c.kind, c.key, name), c.result) << c.kind << c.name;
        EXPECT_EQ(name, c.name);
    }
}
