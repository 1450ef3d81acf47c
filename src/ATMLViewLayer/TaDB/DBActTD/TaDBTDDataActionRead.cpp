// ActionReadTable: the read (measure) steps of the test programs.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_ActionRead(CTaDBActionRead& record, int mode) {
    return AddRow(record, mode, "Select * From ActionReadTable",
                  "Select * From ActionReadTable Where ACTION_UUID='%s'",
                  {m_nEditionActionReadTable, "CTaDBTDDataSingle::AddItem_ActionRead()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_ActionRead(CString key) {
    return DeleteRow(
        GatedSql(m_nEditionActionReadTable, "Select * From ActionReadTable Where ACTION_UUID='%s'", key),
        "CTaDBTDDataSingle::DelItem_ActionRead()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_ActionRead(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionActionReadTable,
                                 "Update ActionReadTable Set ACTION_NAME='%s' Where ACTION_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_ActionRead()", true);
}

// An empty key lists every row; any other lists the rows with that key.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_ActionRead(CObList& list, CString actionUuid) {
    return ListRows<CTaDBActionRead>(
        list, "CTaDBActionRead",
        actionUuid.IsEmpty() ? SqlText("Select * From ActionReadTable")
                             : SqlText("Select * From ActionReadTable Where ACTION_UUID='%s'", actionUuid),
        "CTaDBTDDataSingle::GetAllItem_ActionRead()",
        [this](CTaDBActionRead& record) { return GetItem_ActionRead(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItem_ActionRead(CTaDBActionRead& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From ActionReadTable Where ACTION_UUID='%s'", key,
                  {m_nEditionActionReadTable, "CTaDBTDDataSingle::GetItem_ActionRead()"});
}

// Every clear waits for the test-group table's edition, not its own table's.
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_ActionRead() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update ActionReadTable Set ACTION_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_ActionReadTable()", false);
}
