// The list, look-up and delete-all operations of the ordered tables.
#include <gtest/gtest.h>

#include <cctype>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "support/TestStore.h"

namespace {
class OrderedLists : public ::testing::Test {
protected:
    void SetUp() override {
        project = MakeProject(dir, "p.tarnprj");
        ASSERT_EQ(store.Open(project.c_str()), 1);
    }
    void Step(const char* group, const char* child, long at, const char* type) {
        CTaDBTestGroupEntry step;
        step.m_strTgUuid = group;
        step.m_strTestUuid = child;
        step.m_nSequence = at;
        step.m_strTestType = type;
        ASSERT_EQ(store.AddItem_TestGroupEntryTable(step, 1), 1);
    }
    void Action(const char* tp, const char* action, long at, const char* type = "connect") {
        CTaDBTestActionEntry step;
        step.m_strTpUuid = tp;
        step.m_strActionUuid = action;
        step.m_nSequence = at;
        step.m_strActionType = type;
        ASSERT_EQ(store.AddItem_TestActionEntry(step, 1), 1);
    }
    template <class R>
    std::vector<std::string> Listed(CObList& list, CString R::*member) {
        std::vector<std::string> out;
        for (POSITION pos = list.GetHeadPosition(); pos;) out.push_back((static_cast<R*>(list.GetNext(pos))->*member).GetString());
        store.ClearObjectList(list, "any");
        return out;
    }

    TempDir dir;
    std::string project;
    TestStore store{dir};
    CObList list;
};
}  // namespace

TEST_F(OrderedLists, EntriesListByPosition) {
    for (auto [key, at] : {std::pair<const char*, long>{"c", 3}, {"a", 1}, {"b", 2}}) {
        CTaDBEntry entry;
        entry.m_strTestUuid = key;
        entry.m_nSequence = at;
        ASSERT_EQ(store.AddItem_EntryTable(entry, 1), 1);
    }
    ASSERT_EQ(store.GetAllItem_EntryTable(list), 1);
    EXPECT_EQ(Listed(list, &CTaDBEntry::m_strTestUuid), (std::vector<std::string>{"a", "b", "c"}));
    CTaDBEntry entry;
    long at = 2;
    ASSERT_EQ(store.GetItem_EntryTable_Seq(entry, at), 1);
    EXPECT_EQ(entry.m_strTestUuid, "b");
    EXPECT_EQ(at, 2);
}

TEST_F(OrderedLists, GroupStepsFilterByGroupAndKind) {
    Step("G1", "p2", 2, "测试点");
    Step("G1", "g1", 1, "测试项目");
    Step("G1", "p3", 3, "测试点");
    Step("G2", "p9", 1, "测试点");
    ASSERT_EQ(store.GetAllItem_TestGroupEntryTable(list, "G1", ""), 1);
    EXPECT_EQ(Listed(list, &CTaDBTestGroupEntry::m_strTestUuid), (std::vector<std::string>{"g1", "p2", "p3"}));
    ASSERT_EQ(store.GetAllItem_TestGroupEntryTable(list, "G1", "测试点"), 1);
    EXPECT_EQ(Listed(list, &CTaDBTestGroupEntry::m_strTestUuid), (std::vector<std::string>{"p2", "p3"}));
    ASSERT_EQ(store.GetAllItem_TestGroupEntryTable(list, "", "测试点"), 1);  // every step of every group
    EXPECT_EQ(list.GetCount(), 4);
    store.ClearObjectList(list, "CTaDBTestGroupEntry");

    CTaDBTestGroupEntry step;
    ASSERT_EQ(store.GetItem_TestGroupEntryTable_Uuid(step, "p9", 1), 1);
    EXPECT_EQ(step.m_strTgUuid, "G2");
    ASSERT_EQ(store.GetItem_TestGroupEntryTable_Uuid(step, "G2", 0), 1);
    EXPECT_EQ(step.m_strTestUuid, "p9");
    store.SetErrorInfo("kept");
    EXPECT_EQ(store.GetItem_TestGroupEntryTable_Uuid(step, "G2", 2), 0);
    EXPECT_EQ(store.GetErrorInfo(), "kept");
}

// Keys are texts that compare without regard to letter case: a parent
// stored in upper case is found by its key in lower case, and so are the
// child and the kind a step names.
TEST_F(OrderedLists, StepsAreFoundByTheirParentsKeyInAnotherCase) {
    const std::string group = CATMLCommonFun::CreateGUIDString().GetString(), tp = "TP-" + group;
    const auto lower = [](std::string text) {
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    Step(group.c_str(), "P-ONE", 1, "测试点");
    Step(group.c_str(), "P-TWO", 2, "测试点");
    ASSERT_EQ(store.GetAllItem_TestGroupEntryTable(list, lower(group).c_str(), ""), 1);
    EXPECT_EQ(Listed(list, &CTaDBTestGroupEntry::m_strTestUuid), (std::vector<std::string>{"P-ONE", "P-TWO"}));
    CTaDBTestGroupEntry step;
    ASSERT_EQ(store.GetItem_TestGroupEntryTable_Seq(step, 2, lower(group).c_str()), 1);
    EXPECT_EQ(step.m_strTestUuid, "P-TWO");
    ASSERT_EQ(store.GetItem_TestGroupEntryTable_Uuid(step, "p-one", 1), 1);
    EXPECT_EQ(step.m_strTgUuid, group.c_str());
    long next = 0;
    ASSERT_EQ(store.GetNewSequence_TestGroupEntryTable(lower(group).c_str(), next), 1);
    EXPECT_EQ(next, 3);

    Action(tp.c_str(), "A-ONE", 1, "read");
    Action(tp.c_str(), "A-TWO", 2, "connect");
    ASSERT_EQ(store.GetAllItem_TestActionEntry(list, lower(tp).c_str(), "READ"), 1);
    EXPECT_EQ(Listed(list, &CTaDBTestActionEntry::m_strActionUuid), (std::vector<std::string>{"A-ONE"}));
    CTaDBTestActionEntry action;
    ASSERT_EQ(store.GetItem_TestActionEntry_TP(action, lower(tp).c_str(), 2), 1);
    EXPECT_EQ(action.m_strActionUuid, "A-TWO");
    ASSERT_EQ(store.GetItem_TestActionEntry_Action(action, "a-one"), 1);
    EXPECT_EQ(action.m_strTpUuid, tp.c_str());

    ASSERT_EQ(store.DelAllItem_TestGroupEntryTable(lower(group).c_str()), 1);
    ASSERT_EQ(store.DelAllItem_TestActionEntry_TP(lower(tp).c_str()), 1);
    EXPECT_EQ(RawQuery(project, "SELECT (SELECT count(*) FROM TestGroupEntryTable) + "
                                "(SELECT count(*) FROM TestActionEntryTable)")[0][0], "0");
}

TEST_F(OrderedLists, DeleteAllRemovesOneParentsStepsAndMarksTheProject) {
    Step("G1", "a", 1, "测试点");
    Step("G1", "b", 2, "测试点");
    Step("G2", "c", 1, "测试点");
    store.SetModifyState(0);
    ASSERT_EQ(store.DelAllItem_TestGroupEntryTable("G1"), 1);
    EXPECT_EQ(store.Modified(), 1);
    EXPECT_EQ(RawQuery(project, "SELECT group_concat(TEST_UUID) FROM TestGroupEntryTable")[0][0], "c");
    store.SetModifyState(0);
    ASSERT_EQ(store.DelAllItem_TestGroupEntryTable("nobody"), 1);
    EXPECT_EQ(store.Modified(), 1);

    Action("TP1", "x", 1);
    Action("TP1", "y", 2);
    Action("TP2", "z", 1);
    ASSERT_EQ(store.DelAllItem_TestActionEntry_TP("TP1"), 1);
    EXPECT_EQ(RawQuery(project, "SELECT group_concat(ACTION_UUID) FROM TestActionEntryTable")[0][0], "z");
}

TEST_F(OrderedLists, ActionStepsByTestPointPositionAndAction) {
    Action("TP1", "second", 2, "read");
    Action("TP1", "first", 1, "connect");
    Action("TP2", "other", 1, "connect");
    CTaDBTestActionEntry step;
    ASSERT_EQ(store.GetItem_TestActionEntry_TP(step, "TP1", 2), 1);
    EXPECT_EQ(step.m_strActionUuid, "second");
    ASSERT_EQ(store.GetItem_TestActionEntry_TP(step, "TP1", 0), 1);  // the test point's first row found
    EXPECT_EQ(step.m_strTpUuid, "TP1");
    EXPECT_EQ(store.GetItem_TestActionEntry_TP(step, "TP1", 7), 0);
    EXPECT_EQ(std::string(store.GetErrorTrace()).rfind("-> 错误位置：CTaDBTDDataSingle::GetItem_TestActionEntryTable()", 0), 0u);
    ASSERT_EQ(store.GetItem_TestActionEntry_Action(step, "other"), 1);
    EXPECT_EQ(step.m_strTpUuid, "TP2");
    ASSERT_EQ(store.GetAllItem_TestActionEntry(list, "TP1", ""), 1);
    EXPECT_EQ(Listed(list, &CTaDBTestActionEntry::m_strActionUuid), (std::vector<std::string>{"first", "second"}));
    ASSERT_EQ(store.GetAllItem_TestActionEntry(list, "TP1", "read"), 1);
    EXPECT_EQ(Listed(list, &CTaDBTestActionEntry::m_strActionUuid), (std::vector<std::string>{"second"}));
    ASSERT_EQ(store.GetAllItem_TestActionEntry(list, "", "read"), 1);  // every step of every test point
    EXPECT_EQ(list.GetCount(), 3);
    store.ClearObjectList(list, "CTaDBTestActionEntry");
}

TEST_F(OrderedLists, TheEntryCountIgnoresTheEditionTheStepCountsDoNot) {
    store.m_nEditionEntryTable = 9;
    store.m_nEditionTestGroupEntryTable = 9;
    long next = 0;
    EXPECT_EQ(store.GetNewSequence_EntryTable(next), 1);
    EXPECT_EQ(next, 1);
    EXPECT_EQ(store.GetNewSequence_TestGroupEntryTable("G1", next), -1);
    EXPECT_EQ(next, 1);
    EXPECT_EQ(store.GetAllItem_TestGroupEntryTable(list, "G1", ""), -1);
}

namespace {
// A store whose look-up of a group's steps fails on its n-th call, as a
// derived store may; it counts the look-ups of a child's steps.
struct FailingGroupLookUp : TestStore {
    using TestStore::TestStore;
    int groupCalls = 0, childCalls = 0, failAt = 1;
    RESULTSTATE GetItem_TestGroupEntryTable_Uuid(CTaDBTestGroupEntry& step, CString key, int mode) override {
        if (mode == 1) ++childCalls;
        if (mode == 0 && ++groupCalls == failAt) {
            SetErrorCode(-1);
            SetErrorInfo("look-up refused");
            return -1;
        }
        return TestStore::GetItem_TestGroupEntryTable_Uuid(step, key, mode);
    }
};
}  // namespace

TEST_F(OrderedLists, AFailedGroupLookUpEndsTheDeleteByKeyBeforeTheChildsSteps) {
    Step("G1", "a", 1, "测试点");
    Step("P", "x", 1, "测试点");
    Step("P", "G1", 2, "测试项目");
    Step("P", "y", 3, "测试点");
    store.Close();
    const char* everyStep = "SELECT group_concat(TEST_UUID) FROM (SELECT TEST_UUID FROM TestGroupEntryTable "
                            "ORDER BY TG_UUID, SEQUENCE)";
    // The first look-up fails, or the one that follows the deletion of the group's steps.
    for (int failAt : {1, 2}) {
        FailingGroupLookUp failing(dir);
        ASSERT_EQ(failing.Open(project.c_str()), 1);
        failing.failAt = failAt;
        EXPECT_EQ(failing.DelSequence_Uuid_TestGroupEntryTable("G1"), -1) << failAt;
        EXPECT_EQ(failing.groupCalls, failAt);
        EXPECT_EQ(failing.childCalls, 0) << failAt;
        EXPECT_EQ(failing.GetErrorInfo(), "look-up refused");
        EXPECT_EQ(RawQuery(project, everyStep)[0][0], "a,x,G1,y") << failAt;
    }
}
