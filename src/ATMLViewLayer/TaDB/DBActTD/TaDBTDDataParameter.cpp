// ParameterTable: the named values of the project's test points.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_Parameter(CTaDBParameter& record, int mode) {
    return AddRow(record, mode, "Select * From ParameterTable", "Select * From ParameterTable Where PARA_UUID='%s'",
                  {m_nEditionParameterTable, "CTaDBTDDataSingle::AddItem_Parameter()"});
}

// The first parameter of that name in the table, whatever its test point.
RESULTSTATE CTaDBTDDataSingle::GetItem_Parameter(CTaDBParameter& record, CString name) {
    return GetRow(record, 1, "Select * From ParameterTable Where PARA_NAME='%s'", name,
                  {m_nEditionParameterTable, "CTaDBTDDataSingle::GetItem_Parameter()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_Parameter(CTaDBParameter& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From ParameterTable Where PARA_UUID='%s'", key,
                  {m_nEditionParameterTable, "CTaDBTDDataSingle::GetItem_Parameter()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_Parameter(CString key) {
    return DeleteRow(GatedSql(m_nEditionParameterTable, "Select * From ParameterTable Where PARA_UUID='%s'", key),
                     "CTaDBTDDataSingle::DelItem_Parameter()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_Parameter(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionParameterTable,
                                 "Update ParameterTable Set PARA_NAME='%s' Where PARA_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_Parameter()", true);
}

// The whole table, or the parameters of one test point.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_Parameter(CObList& list, CString tpUuid) {
    return ListRows<CTaDBParameter>(
        list, "CTaDBParameter",
        tpUuid.IsEmpty() ? SqlText("Select * From ParameterTable")
                         : SqlText("Select * From ParameterTable Where TP_UUID='%s'", tpUuid),
        "CTaDBTDDataSingle::GetAllItem_Parameter()",
        [this](CTaDBParameter& record) { return GetItem_Parameter(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Parameter() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update ParameterTable Set PARA_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_ParameterTable()", false);
}
