// A host's condition and a host's query run as the statement their text
// makes: the rows and their order are the engine's for that text. A
// condition reads only the project's tables and what it defines itself,
// within a time limit and a limit on the size of the values it makes, and
// reads every value the project holds whole.
#include <gtest/gtest.h>

#include "platform/ado/Recordset.h"
#include "platform/ado/Statement.h"
#include "support/TestStore.h"

namespace {
class Conditions : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(store.Open(project.c_str()), 1);
        // Key order, name order and the order rows were written all differ.
        for (auto [key, name] : {std::pair<const char*, const char*>{"k2", "b"}, {"k3", "a"}, {"k1", "c"}}) {
            CTaDBMeasurement record;
            record.m_strMeasUuid = key;
            record.m_strMeasName = name;
            ASSERT_EQ(store.AddItem_Measurement(record, 1), 1);
        }
    }
    // The keys the store selects by the condition, or the failure's message.
    std::string Selected(const std::string& condition) { return SelectedMeasurements(store, condition); }
    // The keys a host's query walks through.
    std::string Queried(const std::string& sql) {
        if (store.m_dbMng.QueryDataInDB(sql.c_str()) != 1) return "failed: " + store.m_dbMng.GetErrorInfo().str();
        std::string keys;
        for (ado::RecordsetPtr rows = store.m_dbMng.GetRecordset(); !rows->IsEOF(); rows->MoveNext())
            keys += rows->Field("MEAS_UUID").ToText() + " ";
        return keys;
    }
    std::string Raw(const std::string& sql) {
        std::string keys;
        for (const auto& row : RawQuery(project, sql)) keys += row[0] + " ";
        return keys;
    }

    TempDir dir;
    std::string project = MakeProject(dir, "p.tarnprj");
    TestStore store{dir};
    CObList list;
};
}  // namespace

TEST_F(Conditions, RowsAndOrderAreTheEnginesForTheStatementText) {
    const char* const conditions[] = {
        "1=1 order by 2",
        "1=1 order by 1",
        "1=1 order by 2 desc limit 2",
        "MEAS_NAME='a' UNION ALL SELECT * FROM MeasurementTable WHERE MEAS_NAME='c'",
        "MEAS_NAME<>'b' UNION SELECT * FROM MeasurementTable WHERE MEAS_NAME='b' ORDER BY 2 DESC",
        "(WITH c(x) AS (SELECT 1 UNION ALL SELECT 2) SELECT count(*) FROM c) = 2 order by 2",
        "MEAS_NAME IN (WITH RECURSIVE c(n) AS (SELECT 'a' UNION ALL SELECT 'b' FROM c WHERE n = 'a') SELECT n FROM c)",
    };
    for (const std::string condition : conditions) {
        SCOPED_TRACE(condition);
        const std::string sql = "Select * From MeasurementTable where " + condition;
        const std::string expected = Raw(sql);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(Selected(condition), expected);
        EXPECT_EQ(Queried(sql), expected);
    }
    EXPECT_EQ(Raw("Select * From MeasurementTable where 1=1 order by 2"), "k3 k2 k1 ");
}

TEST_F(Conditions, AHostsQueryOfOneTableStillWritesToTheRowsItShows) {
    ASSERT_EQ(store.m_dbMng.QueryDataInDB("Select * From MeasurementTable where 1=1 order by 2"), 1);
    ado::RecordsetPtr rows = store.m_dbMng.GetRecordset();
    rows->PutCollect("MEAS_DESCRIPTION", ado::Variant(std::string("first by name")));
    rows->Update();
    rows->MoveNext();
    rows->Delete();
    store.m_dbMng.CloseRecordset();
    EXPECT_EQ(RawQuery(project, "SELECT group_concat(MEAS_UUID || '=' || ifnull(MEAS_DESCRIPTION, ''), ' ') FROM "
                                "(SELECT * FROM MeasurementTable ORDER BY 1)")[0][0],
              "k1= k3=first by name");
}

TEST_F(Conditions, ARefusalNamesWhatWasRefused) {
    const std::pair<const char*, const char*> cases[] = {
        // The project's connection knows no virtual table module.
        {"MEAS_NAME IN (SELECT value FROM json_each('[\"a\"]'))", "no such table: json_each"},
        {"NUMBER < (SELECT count(*) FROM pragma_table_info('MeasurementTable'))",
         "refused: table-valued function pragma_table_info"},
        {"(SELECT count(*) FROM sqlite_master) > 0", "refused: read of sqlite_master"},
        {"MEAS_NAME IN (WITH sqlite_master(n) AS (SELECT 'a') SELECT count(*) FROM sqlite_master)",
         "refused: read of sqlite_master"},
        {"1=1; drop table MeasurementTable", "refused: a second statement"},
    };
    for (const auto& [condition, refusal] : cases) {
        const std::string result = Selected(condition);
        EXPECT_NE(result.find(refusal), std::string::npos) << condition << " gave " << result;
    }
}

TEST_F(Conditions, ARunawayConditionEndsAtItsLimitAndTheStoreServesTheNextCall) {
    const std::string bytes = "limit of " + std::to_string(ado::kRunValueBytesLimit) + " bytes";
    const std::pair<const char*, std::string> cases[] = {
        {"MEAS_NAME IN (WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT x FROM c)",
         "limit of " + std::to_string(ado::kRunSecondsLimit) + " seconds"},
        {"length(randomblob(900000000)) > 0", bytes},
    };
    for (const auto& [condition, limit] : cases) {
        const std::string result = Selected(condition);
        EXPECT_EQ(result.rfind("failed: ", 0), 0u) << condition;
        EXPECT_NE(result.find(limit), std::string::npos) << result;
        EXPECT_EQ(Selected("1=1 order by 1"), "k1 k2 k3 ");
    }
}

TEST_F(Conditions, AConditionReadsAStoredValueLongerThanItsLimitWhole) {
    const size_t length = ado::kRunValueBytesLimit + 1024 * 1024;
    CTaDBMeasurement record;
    record.m_strMeasUuid = "long";
    record.m_strMeasName = "long";
    record.m_strDataValue = CString(std::string(length, 'x'));
    ASSERT_EQ(store.AddItem_Measurement(record, 1), 1);
    record.m_strDataValue = "";
    ASSERT_EQ(store.GetItemBySQL_Measurement(list, "MEAS_NAME='long'"), 1) << store.GetErrorInfo().str();
    ASSERT_EQ(list.GetCount(), 1);
    const std::string& value = static_cast<CTaDBMeasurement*>(list.GetHead())->m_strDataValue.str();
    EXPECT_TRUE(value.size() == length && value.find_first_not_of('x') == std::string::npos) << value.size() << " bytes";
    store.ClearObjectList(list, "");
    // What a condition makes stays bounded.
    const std::string result = Selected("length(randomblob(900000000)) > 0");
    EXPECT_EQ(result.rfind("failed: ", 0), 0u);
    EXPECT_NE(result.find("limit of " + std::to_string(ado::kRunValueBytesLimit) + " bytes"), std::string::npos)
        << result;
    EXPECT_EQ(Selected("MEAS_NAME <> 'long' order by 1"), "k1 k2 k3 ");
}
