// ActionConnectTable: the connect steps of the test programs.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_ActionConnect(CTaDBActionConnect& record, int mode) {
    return AddRow(record, mode, "Select * From ActionConnectTable",
                  "Select * From ActionConnectTable Where ACTION_UUID='%s'",
                  {m_nEditionActionConnectTable, "CTaDBTDDataSingle::AddItem_ActionConnect()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_ActionConnect(CString key) {
    return DeleteRow(
        GatedSql(m_nEditionActionConnectTable, "Select * From ActionConnectTable Where ACTION_UUID='%s'", key),
        "CTaDBTDDataSingle::DelItem_ActionConnect()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_ActionConnect(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionActionConnectTable,
                                 "Update ActionConnectTable Set ACTION_NAME='%s' Where ACTION_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_ActionConnect()", true);
}

// An empty key lists every row; any other lists the rows with that key.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_ActionConnect(CObList& list, CString actionUuid) {
    return ListRows<CTaDBActionConnect>(
        list, "CTaDBActionConnect",
        actionUuid.IsEmpty() ? SqlText("Select * From ActionConnectTable")
                             : SqlText("Select * From ActionConnectTable Where ACTION_UUID='%s'", actionUuid),
        "CTaDBTDDataSingle::GetAllItem_ActionConnect()",
        [this](CTaDBActionConnect& record) { return GetItem_ActionConnect(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItem_ActionConnect(CTaDBActionConnect& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From ActionConnectTable Where ACTION_UUID='%s'", key,
                  {m_nEditionActionConnectTable, "CTaDBTDDataSingle::GetItem_ActionConnect()"});
}

// Every clear waits for the test-group table's edition, not its own table's.
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_ActionConnect() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update ActionConnectTable Set ACTION_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_ActionConnectTable()", false);
}
