// ActionCompareTable: the compare steps, which judge a measurement against a
// test result and name the outcome of a pass and of a failure.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_ActionCompare(CTaDBActionCompare& record, int mode) {
    return AddRow(record, mode, "Select * From ActionCompareTable",
                  "Select * From ActionCompareTable Where ACTION_UUID='%s'",
                  {m_nEditionActionCompareTable, "CTaDBTDDataSingle::AddItem_ActionCompare()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_ActionCompare(CTaDBActionCompare& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From ActionCompareTable Where ACTION_UUID='%s'", key,
                  {m_nEditionActionCompareTable, "CTaDBTDDataSingle::GetItem_ActionCompare()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_ActionCompare(CString key) {
    return DeleteRow(
        GatedSql(m_nEditionActionCompareTable, "Select * From ActionCompareTable Where ACTION_UUID='%s'", key),
        "CTaDBTDDataSingle::DelItem_ActionCompare()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_ActionCompare(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionActionCompareTable,
                                 "Update ActionCompareTable Set ACTION_NAME='%s' Where ACTION_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_ActionCompare()", true);
}

// An empty key lists every row; any other lists the rows with that key.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_ActionCompare(CObList& list, CString actionUuid) {
    return ListRows<CTaDBActionCompare>(
        list, "CTaDBActionCompare",
        actionUuid.IsEmpty() ? SqlText("Select * From ActionCompareTable")
                             : SqlText("Select * From ActionCompareTable Where ACTION_UUID='%s'", actionUuid),
        "CTaDBTDDataSingle::GetAllItem_ActionCompare()",
        [this](CTaDBActionCompare& record) { return GetItem_ActionCompare(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_ActionCompare() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update ActionCompareTable Set ACTION_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_ActionCompareTable()", false);
}
