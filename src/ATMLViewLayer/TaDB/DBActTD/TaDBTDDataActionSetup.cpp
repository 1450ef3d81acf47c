// ActionSetupTable: the signal set-up steps of the test programs.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_ActionSetup(CTaDBActionSetup& record, int mode) {
    return AddRow(record, mode, "Select * From ActionSetupTable",
                  "Select * From ActionSetupTable Where ACTION_UUID='%s'",
                  {m_nEditionActionSetupTable, "CTaDBTDDataSingle::AddItem_ActionSetup()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_ActionSetup(CString key) {
    return DeleteRow(
        GatedSql(m_nEditionActionSetupTable, "Select * From ActionSetupTable Where ACTION_UUID='%s'", key),
        "CTaDBTDDataSingle::DelItem_ActionSetup()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_ActionSetup(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionActionSetupTable,
                                 "Update ActionSetupTable Set ACTION_NAME='%s' Where ACTION_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_ActionSetup()", true);
}

// An empty key lists every row; any other lists the rows with that key.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_ActionSetup(CObList& list, CString actionUuid) {
    return ListRows<CTaDBActionSetup>(
        list, "CTaDBActionSetup",
        actionUuid.IsEmpty() ? SqlText("Select * From ActionSetupTable")
                             : SqlText("Select * From ActionSetupTable Where ACTION_UUID='%s'", actionUuid),
        "CTaDBTDDataSingle::GetAllItem_ActionSetup()",
        [this](CTaDBActionSetup& record) { return GetItem_ActionSetup(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItem_ActionSetup(CTaDBActionSetup& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From ActionSetupTable Where ACTION_UUID='%s'", key,
                  {m_nEditionActionSetupTable, "CTaDBTDDataSingle::GetItem_ActionSetup()"});
}

// Every clear waits for the test-group table's edition, not its own table's.
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_ActionSetup() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update ActionSetupTable Set ACTION_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_ActionSetupTable()", false);
}
