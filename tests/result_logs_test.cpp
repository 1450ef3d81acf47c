// The measured-value and replay logs, and the selects by a host's condition.
#include <gtest/gtest.h>

#include <functional>

#include "support/FlatTableSuite.h"

namespace {
struct MeasuredValues {
    using Record = CTaDBTestMeasurement;
    static constexpr const char* kTable = "TestMeasurementTable";
    static constexpr CString Record::*kKey = &Record::m_strTestUuid;
    static RESULTSTATE Add(TestStore& s, Record& r, int m) { return s.AddItem_TestMeasurement(r, m); }
    static RESULTSTATE List(TestStore& s, CObList& l) { return s.GetAllItem_TestMeasurement(l, ""); }
    static RESULTSTATE DelAll(TestStore& s) { return s.DelAllItem_TestMeasurement(); }
};
struct Replays {
    using Record = CTaDBTestReplay;
    static constexpr const char* kTable = "TestReplayTable";
    static constexpr CString Record::*kKey = &Record::m_strPlayUuid;
    static RESULTSTATE Add(TestStore& s, Record& r, int m) { return s.AddItem_TestReplay(r, m); }
    static RESULTSTATE List(TestStore& s, CObList& l) { return s.GetAllItem_TestReplay(l); }
    static RESULTSTATE DelAll(TestStore& s) { return s.DelAllItem_TestReplay(); }
};
}  // namespace

template <class T>
class Log : public ::testing::Test {
protected:
    using R = typename T::Record;
    void SetUp() override { ASSERT_EQ(store.Open(project.c_str()), 1); }
    RESULTSTATE Write(const char* key, const char* measName = "", int mode = 1) {
        R record;
        record.*T::kKey = key;
        record.m_strMeasName = measName;
        return T::Add(store, record, mode);
    }
    // The keys of the listed records in the list's order; the records are given back.
    std::string Keys(RESULTSTATE listed, CObList& list) {
        EXPECT_EQ(listed, 1) << store.GetErrorInfo().GetString();
        std::string keys;
        for (POSITION pos = list.GetHeadPosition(); pos;) keys += (static_cast<R*>(list.GetNext(pos))->*T::kKey).GetString();
        store.ClearObjectList(list, "");
        return keys;
    }
    std::string Rows(const char* what) { return RawQuery(project, std::string("SELECT ") + what + " FROM " + T::kTable)[0][0]; }

    TempDir dir;
    // Every edition at 0: the logs have none, so nothing of theirs is gated.
    std::string project = MakeProject(dir, "p.tarnprj", "UPDATE EditionTable SET EDITION = 0");
    TestStore store{dir};
    CObList list;
};
using LogTypes = ::testing::Types<MeasuredValues, Replays>;
TYPED_TEST_SUITE(Log, LogTypes);

TYPED_TEST(Log, RowsComeBackInTheOrderLoggedAndAnIdIsNeverReused) {
    for (const char* key : {"C", "A", "B"}) ASSERT_EQ(this->Write(key), 1);
    EXPECT_EQ(this->Keys(TypeParam::List(this->store, this->list), this->list), "CAB");
    EXPECT_EQ(this->Write("A"), -1);  // a stored key
    EXPECT_EQ(this->Write("D", "", 0), -1);
    EXPECT_EQ(this->store.GetErrorInfo(), "数据库中不存在指定记录！");
    const long lastId = std::stol(this->Rows("max(ID)"));
    this->store.SetModifyState(0);
    ASSERT_EQ(TypeParam::DelAll(this->store), 1);
    EXPECT_EQ(this->store.Modified(), 0);
    EXPECT_EQ(this->Keys(TypeParam::List(this->store, this->list), this->list), "");
    ASSERT_EQ(this->Write("D"), 1);
    EXPECT_GT(std::stol(this->Rows("ID")), lastId);
}

using MeasuredValueLog = Log<MeasuredValues>;

TEST_F(MeasuredValueLog, ListsFilterOnTheMeasurementsNameOrTheHostsCondition) {
    const char* const rows[][2] = {{"1", "Vout"}, {"2", "Ripple"}, {"3", "Vout"}, {"4", "it's"}};
    for (const auto& row : rows) ASSERT_EQ(Write(row[0], row[1]), 1);
    const std::pair<std::function<RESULTSTATE()>, const char*> cases[] = {
        {[&] { return store.GetAllItem_TestMeasurement(list, "Vout"); }, "13"},
        {[&] { return store.GetAllItem_TestMeasurement(list, "it's"); }, "4"},
        {[&] { return store.GetItemBySQL_TestMeasurement(list, "MEAS_NAME = 'Vout' order by ID desc"); }, "31"},
        {[&] { return store.GetItemBySQL_TestMeasurement(list, "MEAS_NAME = 'it''s' ;  ; \n"); }, "4"},
        {[&] { return store.GetItemBySQL_Measurement(list, "MEAS_NAME = 'Vout'"); }, ""},
    };
    for (const auto& [select, keys] : cases) EXPECT_EQ(Keys(select(), list), keys);
}

TEST_F(MeasuredValueLog, AConditionThatIsNotOneReadIsRefusedAndChangesNothing) {
    ASSERT_EQ(Write("1", "Vout"), 1);
    const std::string schema = "SELECT group_concat(name) FROM sqlite_master";
    const std::string before = RawQuery(project, schema)[0][0];
    const std::pair<const char*, std::function<RESULTSTATE(const char*)>> selects[] = {
        {"GetItemBySQL_TestMeasurement()", [&](const char* c) { return store.GetItemBySQL_TestMeasurement(list, c); }},
        {"GetItemBySQL_Measurement()", [&](const char* c) { return store.GetItemBySQL_Measurement(list, c); }},
    };
    const char* const conditions[] = {nullptr, "", " \n ", "1=1; select 1", "1=1; /* x */ select 1",
                                      "1=1;; delete from TestMeasurementTable", "1=1; update TpsTable set TPS_NAME = 'x'",
                                      "1=1; attach 'x.db' as x", "1=1; pragma journal_mode=delete",
                                      "1=1; drop table TpsTable", "rowid in (select rootpage from sqlite_master)",
                                      "load_extension('x') is null", "MEAS_NAME ="};
    for (const auto& [position, select] : selects) {
        for (const char* condition : conditions) {
            SCOPED_TRACE(condition ? condition : "null");
            CObject* held = new CTaDBTestMeasurement;
            list.AddTail(held);
            store.SetModifyState(0);
            EXPECT_EQ(select(condition), -1);
            EXPECT_EQ(std::string(store.GetErrorTrace()).rfind(std::string("-> 错误位置：CTaDBTDDataSingle::") + position, 0), 0u);
            EXPECT_FALSE(store.GetErrorInfo().IsEmpty());
            EXPECT_EQ(store.Modified(), 0);
            EXPECT_TRUE(list.GetCount() == 1 && list.GetHead() == held);
            store.ClearObjectList(list, "");
        }
    }
    EXPECT_EQ(store.GetItemBySQL_Measurement(list, nullptr), -1);
    EXPECT_EQ(store.GetErrorInfo(), "查询条件为空！");
    store.Close();
    EXPECT_EQ(RawQuery(project, schema)[0][0], before);
    EXPECT_EQ(RawQuery(project, "SELECT TEST_UUID || MEAS_NAME FROM TestMeasurementTable"),
              (std::vector<std::vector<std::string>>{{"1Vout"}}));
    EXPECT_EQ(RawQuery(project, "SELECT count(*) FROM TpsTable WHERE TPS_NAME = 'x'")[0][0], "0");
    EXPECT_FALSE(FileExists(dir.File("x.db")) || FileExists("x.db"));
}
