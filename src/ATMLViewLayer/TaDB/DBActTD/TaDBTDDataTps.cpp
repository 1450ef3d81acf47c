// TpsTable: the project's TPS header row.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_Tps(CTaDBTps& record, int mode) {
    return AddRow(record, mode, "Select * From TpsTable", "Select * From TpsTable Where TPS_UUID='%s'",
                  {m_nEditionTpsTable, "CTaDBTDDataSingle::AddItem_Tps()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_Tps(CTaDBTps& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From TpsTable Where TPS_UUID='%s'", key,
                  {m_nEditionTpsTable, "CTaDBTDDataSingle::GetItem_Tps()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_Tps(CString key) {
    return DeleteRow(GatedSql(m_nEditionTpsTable, "Select * From TpsTable Where TPS_UUID='%s'", key),
                     "CTaDBTDDataSingle::DelItem_Tps()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_Tps(CString key, CString name) {
    return RunStatement(
        GatedSql(m_nEditionTpsTable, "Update TpsTable Set TPS_NAME='%s' Where TPS_UUID='%s'", name, key),
        "CTaDBTDDataSingle::RenameItem_Tps()", true);
}

RESULTSTATE CTaDBTDDataSingle::GetAllItem_Tps(CObList& list) {
    return ListRows<CTaDBTps>(list, "CTaDBTps", SqlText("Select * From TpsTable"), "CTaDBTDDataSingle::GetAllItem_Tps()",
                              [this](CTaDBTps& record) { return GetItem_Tps(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Tps() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update TpsTable Set TPS_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_TpsTable()", false);
}
