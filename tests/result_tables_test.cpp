// The result tables: the table protocol's suite, and the look-ups by ATML ID.
#include <gtest/gtest.h>

#include "support/ResultTables.h"

INSTANTIATE_TYPED_TEST_SUITE_P(Results, FlatTable, ResultTables);

using ResultLookUp = FlatTable<OutcomeTable>;

TEST_F(ResultLookUp, AnOutcomeByItsAtmlIdThenByItsNameATestResultByItsAtmlIdOnly) {
    CTaDBOutcome byName, byId;
    byName.m_strActionName = byId.m_strActionAtmlId = "X";
    byId.m_strActionName = "Y";
    byId.m_strTpUuid = "tp";
    CTaDBTestResult result;
    result.m_strActionName = "X";
    ASSERT_EQ(store.AddItem_Outcome(byName, 1) + store.AddItem_Outcome(byId, 1) + store.AddItem_TestResult(result, 1), 3);
    store.SetErrorCode(7);
    CTaDBOutcome read;
    // An empty ATML ID goes to the name, though byName's ATML ID is empty too.
    const char* const cases[][3] = {{"X", "X", "Y"}, {"none", "X", "X"}, {"", "Y", "Y"}};
    for (const auto& [atmlId, name, found] : cases) {
        ASSERT_EQ(store.GetItem_Outcome_AMTLID(read, atmlId, name), 1) << atmlId;
        EXPECT_EQ(read.m_strActionName, found) << atmlId;
    }
    EXPECT_EQ(store.GetErrorCode(), 7);  // a miss on the ATML ID alone is no failure
    EXPECT_EQ(store.GetItem_Outcome_AMTLID(read, "Z", "Z"), 0);
    EXPECT_TRUE(TraceStartsWith("CTaDBTDDataSingle::GetItem_Outcome()"));
    CObList list;
    ASSERT_EQ(store.GetAllItem_Outcome(list, "tp"), 1);  // a filter names a test point
    EXPECT_TRUE(list.GetCount() == 1 && static_cast<CTaDBOutcome*>(list.GetHead())->m_strActionName == "Y");
    store.ClearObjectList(list, "");

    CTaDBTestResult readResult;
    EXPECT_EQ(store.GetItem_TestResult_ATMLID(readResult, "X"), 0);
    EXPECT_TRUE(TraceStartsWith("CTaDBTDDataSingle::GetItem_TestResult()"));
}

using MeasurementNames = FlatTable<MeasurementTable>;

// Names compare without regard to ASCII case, as every text column does:
// "Vout" and "vout" are two rows of one name, and a get or a delete by that
// name in any case acts on the first of them.
TEST_F(MeasurementNames, NamesThatDifferInCaseAloneAreOneName) {
    CTaDBMeasurement upper, lower, read;
    upper.m_strMeasName = "Vout";
    lower.m_strMeasName = "vout";
    ASSERT_EQ(store.AddItem_Measurement(upper, 1), 1);
    ASSERT_EQ(store.AddItem_Measurement(lower, 1), 1);
    ASSERT_EQ(store.GetItem_Measurement(read, 1, "VOUT"), 1);
    EXPECT_EQ(read.m_strMeasUuid, upper.m_strMeasUuid);
    ASSERT_EQ(store.DelItem_Measurement("vOUT"), 1);
    EXPECT_EQ(Rows("MEAS_NAME"), std::vector<std::vector<std::string>>{{"vout"}});
}
