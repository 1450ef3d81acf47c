// The four result tables, each described once (as in FlatTables.h) so that
// the table protocol's suite drives them all. Columns PREFIX_UUID, _NAME and
// _ATML_ID are held by m_strMemberUuid, m_strMemberName, m_strMemberAtmlId.
#pragma once
#include "support/FlatTableSuite.h"

#define RESULT_TABLE(X, PREFIX, Member, list) TABLE_TRAITS(X##Table, X, X, PREFIX, Member, list)

RESULT_TABLE(Outcome, "ACTION", Action, GetAllItem_Outcome(l, ""));
RESULT_TABLE(TestResult, "ACTION", Action, GetAllItem_TestResult(l));
RESULT_TABLE(ActionCompare, "ACTION", Action, GetAllItem_ActionCompare(l, ""));
RESULT_TABLE(Measurement, "MEAS", Meas, GetAllItem_Measurement(l));

// Measurements are read and deleted by name: the suite's key is turned into
// the name of its row (keys compare as the table compares them, any case).
struct MeasurementByName : MeasurementTable {
    static constexpr const char* kFindColumn = "MEAS_NAME";
    static CString NameOf(TestStore& s, const CString& key) {
        CObList list;
        CString name = key;
        for (POSITION pos = List(s, list) == 1 ? list.GetHeadPosition() : nullptr; pos;) {
            const Record& r = *static_cast<Record*>(list.GetNext(pos));
            if (CString(r.m_strMeasUuid).MakeUpper() == CString(key).MakeUpper()) name = r.m_strMeasName;
        }
        s.ClearObjectList(list, kClass);
        return name;
    }
    static RESULTSTATE Get(TestStore& s, Record& r, int m, CString k) {
        return s.GetItem_Measurement(r, m, m == 0 ? k : NameOf(s, k));
    }
    static RESULTSTATE Del(TestStore& s, CString k) { return s.DelItem_Measurement(NameOf(s, k)); }
};

using ResultTables = ::testing::Types<MeasurementByName, OutcomeTable, TestResultTable, ActionCompareTable>;
