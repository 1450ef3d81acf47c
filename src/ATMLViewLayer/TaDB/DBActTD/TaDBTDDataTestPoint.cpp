// TestPointTable: the test points of the project, and the test points that
// the entries of one test group name.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

namespace {
// Three TAB characters stand between "where" and the condition.
const char kTestPointsOfGroup[] =
    "Select a.* From TestPointTable a, TestGroupEntryTable b where\t\t\ta.TP_UUID = b.TEST_UUID and b.TG_UUID='%s'";
}  // namespace

RESULTSTATE CTaDBTDDataSingle::GetAllItem_TestPointByGroup(CObList& list, CString groupKey) {
    return ListRows<CTaDBTestPoint>(list, "CTaDBTestPoint", GatedSql(m_nEditionTestGroupTable, kTestPointsOfGroup, groupKey),
                                    "CTaDBTDDataSingle::GetAllItem_TestGroupTable()",
                                    [this](CTaDBTestPoint& record) { return GetItem_TestPointTable(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::AddItem_TestPointTable(CTaDBTestPoint& record, int mode) {
    return AddRow(record, mode, "Select * From TestPointTable", "Select * From TestPointTable Where TP_UUID='%s'",
                  {m_nEditionTestPointTable, "CTaDBTDDataSingle::AddItem_TestPointTable()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_TestPointTable(CString key) {
    return DeleteRow(GatedSql(m_nEditionTestPointTable, "Select * From TestPointTable Where TP_UUID='%s'", key),
                     "CTaDBTDDataSingle::DelItem_TestPointTable()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_TestPointTable(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionTestPointTable,
                                 "Update TestPointTable Set TP_NAME='%s' Where TP_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_TestPointTable()", true);
}

RESULTSTATE CTaDBTDDataSingle::GetAllItem_TestPointTable(CObList& list) {
    return ListRows<CTaDBTestPoint>(
        list, "CTaDBTestPoint", SqlText("Select * From TestPointTable"), "CTaDBTDDataSingle::GetAllItem_TestPointTable()",
        [this](CTaDBTestPoint& record) { return GetItem_TestPointTable(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItem_TestPointTable(CTaDBTestPoint& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From TestPointTable Where TP_UUID='%s'", key,
                  {m_nEditionTestPointTable, "CTaDBTDDataSingle::GetItem_TestPointTable()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_TestPointTable_ATMLID(CTaDBTestPoint& record, CString atmlId) {
    return GetRow(record, 1, "Select * From TestPointTable Where TP_ATML_ID='%s'", atmlId,
                  {m_nEditionTestPointTable, "CTaDBTDDataSingle::GetItem_TestPointTable()"});
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_TestPointTable() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update TestPointTable Set TP_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_TestPointTable()", false);
}
