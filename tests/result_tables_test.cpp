// The result tables: the table protocol's suite, and their own look-ups.
#include <gtest/gtest.h>

#include "support/ResultTables.h"

INSTANTIATE_TYPED_TEST_SUITE_P(Results, FlatTable, ResultTables);

class ResultLookups : public FlatTable<OutcomeTable> {
protected:
    template <class R>
    R Row(const char* name, const char* atmlId, const char* tpUuid = "") {
        R record;
        record.m_strActionName = name;
        record.m_strActionAtmlId = atmlId;
        record.m_strTpUuid = tpUuid;
        return record;
    }
};

TEST_F(ResultLookups, AnOutcomeIsFoundByItsAtmlIdFirstThenByName) {
    CTaDBOutcome byName = Row<CTaDBOutcome>("X", "other", "tp1"), byId = Row<CTaDBOutcome>("Y", "X", "tp2");
    ASSERT_EQ(store.AddItem_Outcome(byName, 1), 1);
    ASSERT_EQ(store.AddItem_Outcome(byId, 1), 1);
    store.SetErrorCode(7);
    CTaDBOutcome read;
    ASSERT_EQ(store.GetItem_Outcome_AMTLID(read, "X", "X"), 1);
    EXPECT_EQ(read.m_strActionUuid, byId.m_strActionUuid);
    ASSERT_EQ(store.GetItem_Outcome_AMTLID(read, "no such id", "X"), 1);
    EXPECT_EQ(read.m_strActionUuid, byName.m_strActionUuid);
    EXPECT_EQ(store.GetErrorCode(), 7);  // a miss on the ATML ID alone is no failure
    ASSERT_EQ(store.Clear_AtmlId_Outcome(), 1);
    ASSERT_EQ(store.GetItem_Outcome_AMTLID(read, "", "Y"), 1);  // an empty ID matches no row, not every row
    EXPECT_EQ(read.m_strActionUuid, byId.m_strActionUuid);
    const CTaDBOutcome before(read);
    EXPECT_EQ(store.GetItem_Outcome_AMTLID(read, "Z", "Z"), 0);
    EXPECT_EQ(store.GetErrorInfo(), "数据库中不存在指定记录！");
    EXPECT_TRUE(TraceStartsWith("CTaDBTDDataSingle::GetItem_Outcome()"));
    EXPECT_EQ(read.m_strActionUuid, before.m_strActionUuid);

    CObList list;
    ASSERT_EQ(store.GetAllItem_Outcome(list, "tp2"), 1);  // a filter names a test point
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(static_cast<CTaDBOutcome*>(list.GetHead())->m_strActionUuid, byId.m_strActionUuid);
    store.ClearObjectList(list, "CTaDBOutcome");
}

TEST_F(ResultLookups, ATestResultsAtmlIdLookUpNeverFallsBackToTheName) {
    CTaDBTestResult result = Row<CTaDBTestResult>("limits", "id-1");
    ASSERT_EQ(store.AddItem_TestResult(result, 1), 1);
    CTaDBTestResult read;
    EXPECT_EQ(store.GetItem_TestResult_ATMLID(read, "limits"), 0);
    EXPECT_TRUE(TraceStartsWith("CTaDBTDDataSingle::GetItem_TestResult()"));
    EXPECT_EQ(store.GetItem_TestResult_ATMLID(read, "id-1"), 1);
    EXPECT_EQ(store.GetItem_TestResult(read, CString("limits")), 1);
    EXPECT_EQ(read.m_strActionUuid, result.m_strActionUuid);
}

TEST_F(ResultLookups, MeasurementsAreReadAndDeletedByNameOneRowAtATime) {
    CTaDBMeasurement first, second;
    first.m_strMeasName = second.m_strMeasName = "Vout";
    ASSERT_EQ(store.AddItem_Measurement(first, 1), 1);
    ASSERT_EQ(store.AddItem_Measurement(second, 1), 1);
    EXPECT_EQ(store.RenameItem_Measurement("Vout", "by name"), 1);  // renames by key: nothing
    CTaDBMeasurement read;
    ASSERT_EQ(store.GetItem_Measurement(read, 1, "Vout"), 1);
    EXPECT_EQ(read.m_strMeasUuid, first.m_strMeasUuid);
    ASSERT_EQ(store.DelItem_Measurement("Vout"), 1);
    ASSERT_EQ(store.GetItem_Measurement(read, 1, "Vout"), 1);
    EXPECT_EQ(read.m_strMeasUuid, second.m_strMeasUuid);
    ASSERT_EQ(store.DelItem_Measurement("Vout"), 1);
    EXPECT_EQ(store.GetItem_Measurement(read, 1, "Vout"), 0);
}
