// TestGroupTable: the test groups (test items) of the project.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_TestGroupTable(CTaDBTestGroup& record, int mode) {
    return AddRow(record, mode, "Select * From TestGroupTable", "Select * From TestGroupTable Where TG_UUID='%s'",
                  {m_nEditionTestGroupTable, "CTaDBTDDataSingle::AddItem_TestGroupTable()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_TestGroupTable(CString key) {
    return DeleteRow(GatedSql(m_nEditionTestGroupTable, "Select * From TestGroupTable Where TG_UUID='%s'", key),
                     "CTaDBTDDataSingle::DelItem_TestGroupTable()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_TestGroupTable(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionTestGroupTable,
                                 "Update TestGroupTable Set TG_NAME='%s' Where TG_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_TestGroupTable()", true);
}

RESULTSTATE CTaDBTDDataSingle::GetAllItem_TestGroupTable(CObList& list) {
    return ListRows<CTaDBTestGroup>(
        list, "CTaDBTestGroup", SqlText("Select * From TestGroupTable"), "CTaDBTDDataSingle::GetAllItem_TestGroupTable()",
        [this](CTaDBTestGroup& record) { return GetItem_TestGroupTable(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItem_TestGroupTable_ATMLID(CTaDBTestGroup& record, const CString& atmlId) {
    return GetRow(record, 1, "Select * From TestGroupTable Where TG_ATML_ID='%s'", atmlId,
                  {m_nEditionTestGroupTable, "CTaDBTDDataSingle::GetItem_TestGroupTable()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_TestGroupTable(CTaDBTestGroup& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From TestGroupTable Where TG_UUID='%s'", key,
                  {m_nEditionTestGroupTable, "CTaDBTDDataSingle::GetItem_TestGroupTable()"});
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_TestGroupTable() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update TestGroupTable Set TG_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_TestGroupTable()", false);
}
