// ActionResetTable: the reset steps of the test programs.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_ActionReset(CTaDBActionReset& record, int mode) {
    return AddRow(record, mode, "Select * From ActionResetTable",
                  "Select * From ActionResetTable Where ACTION_UUID='%s'",
                  {m_nEditionActionResetTable, "CTaDBTDDataSingle::AddItem_ActionReset()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_ActionReset(CString key) {
    return DeleteRow(
        GatedSql(m_nEditionActionResetTable, "Select * From ActionResetTable Where ACTION_UUID='%s'", key),
        "CTaDBTDDataSingle::DelItem_ActionReset()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_ActionReset(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionActionResetTable,
                                 "Update ActionResetTable Set ACTION_NAME='%s' Where ACTION_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_ActionReset()", true);
}

// An empty key lists every row; any other lists the rows with that key.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_ActionReset(CObList& list, CString actionUuid) {
    return ListRows<CTaDBActionReset>(
        list, "CTaDBActionReset",
        actionUuid.IsEmpty() ? SqlText("Select * From ActionResetTable")
                             : SqlText("Select * From ActionResetTable Where ACTION_UUID='%s'", actionUuid),
        "CTaDBTDDataSingle::GetAllItem_ActionReset()",
        [this](CTaDBActionReset& record) { return GetItem_ActionReset(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItem_ActionReset(CTaDBActionReset& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From ActionResetTable Where ACTION_UUID='%s'", key,
                  {m_nEditionActionResetTable, "CTaDBTDDataSingle::GetItem_ActionReset()"});
}

// Every clear waits for the test-group table's edition, not its own table's.
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_ActionReset() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update ActionResetTable Set ACTION_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_ActionResetTable()", false);
}
