#include <gtest/gtest.h>

#include "support/TestStore.h"

namespace {
class TestPointsByGroup : public ::testing::Test {
protected:
    void SetUp() override {
        project = MakeProject(dir, "p.tarnprj");
        ASSERT_EQ(store.Open(project.c_str()), 1);
        for (const char* name : {"tp1", "tp2", "tp3"}) {
            CTaDBTestPoint point;
            point.m_strTpUuid = name;
            point.m_strTpName = name;
            ASSERT_EQ(store.AddItem_TestPointTable(point, 1), 1);
        }
    }
    void Entry(const char* group, const char* child, long sequence, const char* type = "测试点") {
        RawExec(project, std::string("INSERT INTO TestGroupEntryTable (STEP_UUID, TG_UUID, TEST_UUID, SEQUENCE, TEST_TYPE)"
                                     " VALUES ('") + group + child + std::to_string(sequence) + "','" + group + "','" +
                             child + "'," + std::to_string(sequence) + ",'" + type + "')");
    }
    std::vector<std::string> Names(const char* group) {
        CObList list;
        EXPECT_EQ(store.GetAllItem_TestPointByGroup(list, group), 1) << store.GetErrorInfo().GetString();
        std::vector<std::string> names;
        for (POSITION pos = list.GetHeadPosition(); pos;)
            names.push_back(static_cast<CTaDBTestPoint*>(list.GetNext(pos))->m_strTpName.GetString());
        store.ClearObjectList(list, "CTaDBTestPoint");
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
    std::string project;
    TestStore store{dir};
};
}  // namespace

TEST_F(TestPointsByGroup, ListsTheTestPointsThatTheGroupsEntriesName) {
    Entry("g1", "tp2", 1);
    Entry("g1", "tp3", 2);
    Entry("g1", "tp2", 3);  // named twice: listed twice
    Entry("g2", "tp1", 1);
    Entry("g3", "g1", 1, "测试项目");  // names a group only
    EXPECT_EQ(Names("g1"), (std::vector<std::string>{"tp2", "tp2", "tp3"}));
    EXPECT_EQ(Names("g2"), (std::vector<std::string>{"tp1"}));
    EXPECT_TRUE(Names("g3").empty());
    EXPECT_TRUE(Names("x' Or '1'='1").empty());
}

TEST_F(TestPointsByGroup, FollowsTheGroupTablesEditionAndReportsTheGroupListPosition) {
    Entry("g1", "tp1", 1);
    store.m_nEditionTestPointTable = 9;  // the rows are then not read
    CObList list;
    EXPECT_EQ(store.GetAllItem_TestPointByGroup(list, "g1"), -1);
    store.m_nEditionTestPointTable = 10;
    store.m_nEditionTestGroupTable = 9;  // the statement is then not built
    EXPECT_EQ(store.GetAllItem_TestPointByGroup(list, "g1"), -1);
    EXPECT_EQ(std::string(store.GetErrorTrace()).rfind("-> 错误位置：CTaDBTDDataSingle::GetAllItem_TestGroupTable()", 0), 0u);
    EXPECT_TRUE(list.IsEmpty());
}
