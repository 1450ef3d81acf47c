// The measured-value and replay logs, and the selects by a host's condition.
#include <gtest/gtest.h>

#include <functional>

#include "support/TestStore.h"

namespace {
#define LOG_TRAITS(X, key, listAll, listOther)                                                          \
    struct X {                                                                                          \
        using Record = CTaDB##X;                                                                        \
        static constexpr const char* kTable = #X "Table";                                               \
        static constexpr CString Record::*kKey = &Record::key;                                          \
        static RESULTSTATE Add(TestStore& s, Record& r, int m) { return s.AddItem_##X(r, m); }          \
        static RESULTSTATE Get(TestStore& s, Record& r) { return s.GetItem_##X(r); }                    \
        static RESULTSTATE List(TestStore& s, CObList& l) { return s.listAll; }                         \
        static RESULTSTATE ListOtherLog(TestStore& s, CObList& l) { return s.listOther; }               \
        static RESULTSTATE DelAll(TestStore& s) { return s.DelAllItem_##X(); }                          \
    }
LOG_TRAITS(TestMeasurement, m_strTestUuid, GetAllItem_TestMeasurement(l, ""), GetAllItem_TestReplay(l));
LOG_TRAITS(TestReplay, m_strPlayUuid, GetAllItem_TestReplay(l), GetAllItem_TestMeasurement(l, ""));
}  // namespace

template <class T>
class Log : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(store.Open(project.c_str()), 1); }
    // Logs a row: its key is the first character of text, its measurement name the rest.
    RESULTSTATE Write(const std::string& text, int mode = 1) {
        typename T::Record record;
        record.*T::kKey = text.substr(0, 1).c_str();
        record.m_strMeasName = text.substr(1).c_str();
        return T::Add(store, record, mode);
    }
    // The keys of the listed records in order; the records are given back.
    std::string Keys(RESULTSTATE listed) {
        std::string keys = listed == 1 ? "" : "failed";
        for (POSITION pos = list.GetHeadPosition(); pos;)
            keys += (static_cast<typename T::Record*>(list.GetNext(pos))->*T::kKey).GetString();
        store.ClearObjectList(list, "");
        return keys;
    }
    long LastId() { return std::stol(RawQuery(project, std::string("SELECT max(ID) FROM ") + T::kTable)[0][0]); }

    TempDir dir;
    // Every edition at 0: the logs have none, so nothing of theirs is gated.
    std::string project = MakeProject(dir, "p.tarnprj", "UPDATE EditionTable SET EDITION = 0");
    TestStore store{dir};
    CObList list;
};
using LogTypes = ::testing::Types<TestMeasurement, TestReplay>;
TYPED_TEST_SUITE(Log, LogTypes);

TYPED_TEST(Log, RowsComeBackInTheOrderLoggedAndAnIdIsNeverReused) {
    for (const char* key : {"C", "A", "B"}) ASSERT_EQ(this->Write(key), 1);
    EXPECT_EQ(this->Keys(TypeParam::List(this->store, this->list)), "CAB");
    EXPECT_EQ(this->Write("a"), -1);  // a stored key
    EXPECT_EQ(this->Write("D", 0), -1);
    EXPECT_EQ(this->store.GetErrorInfo(), "数据库中不存在指定记录！");
    const long lastId = this->LastId();
    this->store.SetModifyState(0);
    ASSERT_EQ(TypeParam::DelAll(this->store), 1);
    EXPECT_EQ(this->store.Modified(), 0);
    EXPECT_EQ(this->Keys(TypeParam::List(this->store, this->list)), "");
    ASSERT_EQ(this->Write("D"), 1);
    EXPECT_GT(this->LastId(), lastId);
}

// A log's read of its own takes the list the store read last: right after
// Open, which read the list of editions to its end, and after the other
// log's list it is at the end (0, the error state as it was); once a write
// closed the list there is none (-1).
TYPED_TEST(Log, ItsOwnReadTakesTheListTheStoreReadLast) {
    RawExec(this->project, "INSERT INTO TestMeasurementTable (TEST_UUID) VALUES ('m');"
                           "INSERT INTO TestReplayTable (PLAY_UUID) VALUES ('r')");
    // The read's result and the error text it leaves.
    auto read = [this] {
        this->store.SetErrorInfo("as it was");
        typename TypeParam::Record record;
        const RESULTSTATE result = TypeParam::Get(this->store, record);
        return std::to_string(result) + " " + this->store.GetErrorInfo().GetString();
    };
    EXPECT_EQ(read(), "0 as it was");
    ASSERT_EQ(this->Write("A"), 1);
    EXPECT_EQ(read(), "-1 没有正在读取的记录列表！");
    ASSERT_TRUE(TypeParam::ListOtherLog(this->store, this->list) == 1 && this->list.GetCount() == 1);
    this->store.ClearObjectList(this->list, "");
    EXPECT_EQ(read(), "0 as it was");
}

using MeasuredValueLog = Log<TestMeasurement>;

TEST_F(MeasuredValueLog, ListsSelectByTheMeasurementsNameOrTheHostsCondition) {
    for (const char* row : {"1Vout", "2Ripple", "3Vout", "4it's"}) ASSERT_EQ(Write(row), 1);
    EXPECT_EQ(Keys(store.GetAllItem_TestMeasurement(list, "Vout")), "13");
    EXPECT_EQ(Keys(store.GetAllItem_TestMeasurement(list, "it's")), "4");
    EXPECT_EQ(Keys(store.GetItemBySQL_TestMeasurement(list, "MEAS_NAME = 'Vout' order by ID desc")), "31");
    EXPECT_EQ(Keys(store.GetItemBySQL_TestMeasurement(list, "MEAS_NAME = 'it''s' ;  ; \n")), "4");
}

TEST_F(MeasuredValueLog, AConditionThatIsNotOneReadIsRefusedAndChangesNothing) {
    ASSERT_EQ(Write("1Vout"), 1);
    const std::string everything = "SELECT name FROM sqlite_master UNION ALL SELECT TEST_UUID || MEAS_NAME FROM "
                                   "TestMeasurementTable UNION ALL SELECT count(*) FROM TpsTable";
    const auto before = RawQuery(project, everything);
    const std::pair<const char*, std::function<RESULTSTATE(const char*)>> selects[] = {
        {"GetItemBySQL_TestMeasurement()", [&](const char* c) { return store.GetItemBySQL_TestMeasurement(list, c); }},
        {"GetItemBySQL_Measurement()", [&](const char* c) { return store.GetItemBySQL_Measurement(list, c); }}};
    const char* const conditions[] = {nullptr, "", " \n ", "1=1; select 1", "1=1; /* x */ select 1",
                                      "1=1;; delete from TestMeasurementTable", "1=1; update TpsTable set TPS_NAME = 'x'",
                                      "1=1; attach 'x.db' as x", "1=1; pragma journal_mode=delete", "1=1; drop table TpsTable",
                                      "rowid in (select rootpage from sqlite_master)", "load_extension('x') is null", "A ="};
    for (const auto& [position, select] : selects) {
        for (const char* condition : conditions) {
            SCOPED_TRACE(condition ? condition : "null");
            CObject* held = new CTaDBTestMeasurement;
            list.AddTail(held);
            store.SetModifyState(0);
            EXPECT_EQ(select(condition), -1);
            EXPECT_EQ(std::string(store.GetErrorTrace()).rfind(std::string("-> 错误位置：CTaDBTDDataSingle::") + position, 0), 0u);
            EXPECT_TRUE(!store.GetErrorInfo().IsEmpty() && store.Modified() == 0 && list.GetCount() == 1 && list.GetHead() == held);
            store.ClearObjectList(list, "");
        }
    }
    EXPECT_EQ(store.GetItemBySQL_Measurement(list, nullptr), -1);
    EXPECT_EQ(store.GetErrorInfo(), "查询条件为空！");
    store.Close();
    EXPECT_EQ(RawQuery(project, everything), before);
    EXPECT_FALSE(FileExists(dir.File("x.db")) || FileExists("x.db"));
}
