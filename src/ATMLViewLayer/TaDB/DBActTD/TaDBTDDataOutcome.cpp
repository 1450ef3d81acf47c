// OutcomeTable: the outcomes of the test points, named result values.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_Outcome(CTaDBOutcome& record, int mode) {
    return AddRow(record, mode, "Select * From OutcomeTable", "Select * From OutcomeTable Where ACTION_UUID='%s'",
                  {m_nEditionOutcomeTable, "CTaDBTDDataSingle::AddItem_Outcome()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_Outcome(CTaDBOutcome& record, CString name) {
    return GetRow(record, 1, "Select * From OutcomeTable Where ACTION_NAME='%s'", name,
                  {m_nEditionOutcomeTable, "CTaDBTDDataSingle::GetItem_Outcome()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_Outcome(CTaDBOutcome& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From OutcomeTable Where ACTION_UUID='%s'", key,
                  {m_nEditionOutcomeTable, "CTaDBTDDataSingle::GetItem_Outcome()"});
}

// The row with the ATML ID wins; only when none has it is the name looked
// up. An empty ATML ID goes straight to the name: after a clear every row
// would have it. A miss on the ATML ID is no failure, so it leaves the error
// state as it was.
RESULTSTATE CTaDBTDDataSingle::GetItem_Outcome_AMTLID(CTaDBOutcome& record, const CString& atmlId,
                                                      const CString& name) {
    const Gate gate{m_nEditionOutcomeTable, "CTaDBTDDataSingle::GetItem_Outcome()"};
    return Answered(gate.position, [&] {
        if (!atmlId.IsEmpty()) {
            const CATMLError before(*this);
            const RESULTSTATE found =
                GetRow(record, 1, "Select * From OutcomeTable Where ACTION_ATML_ID='%s'", atmlId, gate);
            if (found != 0) return found;
            CATMLError::operator=(before);
        }
        return GetRow(record, 1, "Select * From OutcomeTable Where ACTION_NAME='%s'", name, gate);
    });
}

RESULTSTATE CTaDBTDDataSingle::DelItem_Outcome(CString key) {
    return DeleteRow(GatedSql(m_nEditionOutcomeTable, "Select * From OutcomeTable Where ACTION_UUID='%s'", key),
                     "CTaDBTDDataSingle::DelItem_Outcome()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_Outcome(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionOutcomeTable,
                                 "Update OutcomeTable Set ACTION_NAME='%s' Where ACTION_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_Outcome()", true);
}

// An empty filter lists every row; any other lists that test point's outcomes.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_Outcome(CObList& list, CString tpUuid) {
    return ListRows<CTaDBOutcome>(
        list, "CTaDBOutcome",
        tpUuid.IsEmpty() ? SqlText("Select * From OutcomeTable")
                         : SqlText("Select * From OutcomeTable Where TP_UUID='%s'", tpUuid),
        "CTaDBTDDataSingle::GetAllItem_Outcome()",
        [this](CTaDBOutcome& record) { return GetItem_Outcome(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Outcome() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update OutcomeTable Set ACTION_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_OutcomeTable()", false);
}
