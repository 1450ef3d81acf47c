// FormulaTable: the formula steps of the project.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_Formula(CTaDBFormula& record, int mode) {
    return AddRow(record, mode, "Select * From FormulaTable", "Select * From FormulaTable Where ACTION_UUID='%s'",
                  {m_nEditionFormulaTable, "CTaDBTDDataSingle::AddItem_Formula()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_Formula(CTaDBFormula& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From FormulaTable Where ACTION_UUID='%s'", key,
                  {m_nEditionFormulaTable, "CTaDBTDDataSingle::GetItem_Formula()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_Formula(CString key) {
    return DeleteRow(GatedSql(m_nEditionFormulaTable, "Select * From FormulaTable Where ACTION_UUID='%s'", key),
                     "CTaDBTDDataSingle::DelItem_Formula()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_Formula(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionFormulaTable,
                                 "Update FormulaTable Set ACTION_NAME='%s' Where ACTION_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_Formula()", true);
}

// The whole table, or the row whose key is actionUuid.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_Formula(CObList& list, CString actionUuid) {
    return ListRows<CTaDBFormula>(
        list, "CTaDBFormula",
        actionUuid.IsEmpty() ? SqlText("Select * From FormulaTable")
                             : SqlText("Select * From FormulaTable Where ACTION_UUID='%s'", actionUuid),
        "CTaDBTDDataSingle::GetAllItem_Formula()",
        [this](CTaDBFormula& record) { return GetItem_Formula(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Formula() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update FormulaTable Set ACTION_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_FormulaTable()", false);
}
