// InstrumentTable: the instrument actions of the project.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_Instrument(CTaDBInstrument& record, int mode) {
    return AddRow(record, mode, "Select * From InstrumentTable", "Select * From InstrumentTable Where ACTION_UUID='%s'",
                  {m_nEditionInstrumentTable, "CTaDBTDDataSingle::AddItem_Instrument()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_Instrument(CTaDBInstrument& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From InstrumentTable Where ACTION_UUID='%s'", key,
                  {m_nEditionInstrumentTable, "CTaDBTDDataSingle::GetItem_Instrument()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_Instrument(CString key) {
    return DeleteRow(GatedSql(m_nEditionInstrumentTable, "Select * From InstrumentTable Where ACTION_UUID='%s'", key),
                     "CTaDBTDDataSingle::DelItem_Instrument()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_Instrument(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionInstrumentTable,
                                 "Update InstrumentTable Set ACTION_NAME='%s' Where ACTION_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_Instrument()", true);
}

// The whole table, or the row whose key is actionUuid.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_Instrument(CObList& list, CString actionUuid) {
    return ListRows<CTaDBInstrument>(
        list, "CTaDBInstrument",
        actionUuid.IsEmpty() ? SqlText("Select * From InstrumentTable")
                             : SqlText("Select * From InstrumentTable Where ACTION_UUID='%s'", actionUuid),
        "CTaDBTDDataSingle::GetAllItem_Instrument()",
        [this](CTaDBInstrument& record) { return GetItem_Instrument(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Instrument() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update InstrumentTable Set ACTION_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_InstrumentTable()", false);
}
