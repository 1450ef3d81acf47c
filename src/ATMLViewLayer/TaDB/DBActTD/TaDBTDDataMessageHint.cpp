// MessageHintTable: the operator messages of the project.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_MessageHint(CTaDBMessageHint& record, int mode) {
    return AddRow(record, mode, "Select * From MessageHintTable", "Select * From MessageHintTable Where ACTION_UUID='%s'",
                  {m_nEditionMessageHintTable, "CTaDBTDDataSingle::AddItem_MessageHint()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_MessageHint(CTaDBMessageHint& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From MessageHintTable Where ACTION_UUID='%s'", key,
                  {m_nEditionMessageHintTable, "CTaDBTDDataSingle::GetItem_MessageHint()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_MessageHint(CString key) {
    return DeleteRow(GatedSql(m_nEditionMessageHintTable, "Select * From MessageHintTable Where ACTION_UUID='%s'", key),
                     "CTaDBTDDataSingle::DelItem_MessageHint()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_MessageHint(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionMessageHintTable,
                                 "Update MessageHintTable Set ACTION_NAME='%s' Where ACTION_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_MessageHint()", true);
}

// The whole table, or the row whose key is actionUuid.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_MessageHint(CObList& list, CString actionUuid) {
    return ListRows<CTaDBMessageHint>(
        list, "CTaDBMessageHint",
        actionUuid.IsEmpty() ? SqlText("Select * From MessageHintTable")
                             : SqlText("Select * From MessageHintTable Where ACTION_UUID='%s'", actionUuid),
        "CTaDBTDDataSingle::GetAllItem_MessageHint()",
        [this](CTaDBMessageHint& record) { return GetItem_MessageHint(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_MessageHint() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update MessageHintTable Set ACTION_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_MessageHintTable()", false);
}
