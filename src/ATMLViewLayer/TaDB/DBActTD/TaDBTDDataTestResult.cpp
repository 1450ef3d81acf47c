// TestResultTable: the test results, criteria with a compare way and limits.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_TestResult(CTaDBTestResult& record, int mode) {
    return AddRow(record, mode, "Select * From TestResultTable", "Select * From TestResultTable Where ACTION_UUID='%s'",
                  {m_nEditionTestResultTable, "CTaDBTDDataSingle::AddItem_TestResult()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_TestResult(CTaDBTestResult& record, CString name) {
    return GetRow(record, 1, "Select * From TestResultTable Where ACTION_NAME='%s'", name,
                  {m_nEditionTestResultTable, "CTaDBTDDataSingle::GetItem_TestResult()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_TestResult(CTaDBTestResult& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From TestResultTable Where ACTION_UUID='%s'", key,
                  {m_nEditionTestResultTable, "CTaDBTDDataSingle::GetItem_TestResult()"});
}

// Unlike the outcomes' look-up, this one never falls back to the name.
RESULTSTATE CTaDBTDDataSingle::GetItem_TestResult_ATMLID(CTaDBTestResult& record, CString atmlId) {
    return GetRow(record, 1, "Select * From TestResultTable Where ACTION_ATML_ID='%s'", atmlId,
                  {m_nEditionTestResultTable, "CTaDBTDDataSingle::GetItem_TestResult()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_TestResult(CString key) {
    return DeleteRow(GatedSql(m_nEditionTestResultTable, "Select * From TestResultTable Where ACTION_UUID='%s'", key),
                     "CTaDBTDDataSingle::DelItem_TestResult()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_TestResult(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionTestResultTable,
                                 "Update TestResultTable Set ACTION_NAME='%s' Where ACTION_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_TestResult()", true);
}

RESULTSTATE CTaDBTDDataSingle::GetAllItem_TestResult(CObList& list) {
    return ListRows<CTaDBTestResult>(
        list, "CTaDBTestResult", SqlText("Select * From TestResultTable"), "CTaDBTDDataSingle::GetAllItem_TestResult()",
        [this](CTaDBTestResult& record) { return GetItem_TestResult(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_TestResult() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update TestResultTable Set ACTION_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_TestResultTable()", false);
}
