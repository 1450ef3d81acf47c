// ActionDisconnectTable: the disconnect steps of the test programs.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_ActionDisconnect(CTaDBActionDisconnect& record, int mode) {
    return AddRow(record, mode, "Select * From ActionDisconnectTable",
                  "Select * From ActionDisconnectTable Where ACTION_UUID='%s'",
                  {m_nEditionActionDisconnectTable, "CTaDBTDDataSingle::AddItem_ActionDisconnect()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_ActionDisconnect(CString key) {
    return DeleteRow(
        GatedSql(m_nEditionActionDisconnectTable, "Select * From ActionDisconnectTable Where ACTION_UUID='%s'", key),
        "CTaDBTDDataSingle::DelItem_ActionDisconnect()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_ActionDisconnect(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionActionDisconnectTable,
                                 "Update ActionDisconnectTable Set ACTION_NAME='%s' Where ACTION_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_ActionDisconnect()", true);
}

// An empty key lists every row; any other lists the rows with that key.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_ActionDisconnect(CObList& list, CString actionUuid) {
    return ListRows<CTaDBActionDisconnect>(
        list, "CTaDBActionDisconnect",
        actionUuid.IsEmpty() ? SqlText("Select * From ActionDisconnectTable")
                             : SqlText("Select * From ActionDisconnectTable Where ACTION_UUID='%s'", actionUuid),
        "CTaDBTDDataSingle::GetAllItem_ActionDisconnect()",
        [this](CTaDBActionDisconnect& record) { return GetItem_ActionDisconnect(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItem_ActionDisconnect(CTaDBActionDisconnect& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From ActionDisconnectTable Where ACTION_UUID='%s'", key,
                  {m_nEditionActionDisconnectTable, "CTaDBTDDataSingle::GetItem_ActionDisconnect()"});
}

// Every clear waits for the test-group table's edition, not its own table's;
// this one's failure position names the operation, the others' their table.
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_ActionDisconnect() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update ActionDisconnectTable Set ACTION_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_ActionDisconnect()", false);
}
