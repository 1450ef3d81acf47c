// The protocol steps that are the same for every table.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::DeleteRow(const ado::Command& sql, const char* position, bool all) {
    return Answered(position, [&] {
        const int result = m_dbMng.QueryDataInDB(sql);
        if (result != 1) return PassOn(result, position);
        ado::RecordsetPtr recordset = m_dbMng.GetRecordset();
        if (!all && !recordset->IsEOF()) recordset->Delete();
        for (; all && !recordset->IsEOF(); recordset->MoveNext()) recordset->Delete();
        m_dbMng.CloseRecordset();
        m_bModified = 1;
        return 1;
    });
}

RESULTSTATE CTaDBTDDataSingle::RunStatement(const ado::Command& sql, const char* position, bool marksModified) {
    const int result = m_dbMng.Execute(sql);
    if (result != 1) return PassOn(result, position);
    if (marksModified) m_bModified = 1;
    return 1;
}

RESULTSTATE CTaDBTDDataSingle::PassOn(int result, const char* position) noexcept {
    WriteTraceNoThrow(*this, position, &m_dbMng);
    return result;
}

// A failure whose text memory is too short for is answered as running out of memory.
RESULTSTATE CTaDBTDDataSingle::OwnFailure(RESULTSTATE result, const char* message, const char* position) noexcept {
    return RecordFailureNoThrow(*this, message, position) ? result : -1;
}

RESULTSTATE CTaDBTDDataSingle::Caught(const char* message, const char* position) noexcept {
    // No row stays pending and no statement stays open behind the manager.
    if (ado::RecordsetPtr recordset = m_dbMng.GetRecordset()) {
        recordset->CancelUpdate();
        recordset->Close();
    }
    m_dbMng.m_bRecordsetOpen = 0;
    return OwnFailure(-1, message, position);
}

void CTaDBTDDataSingle::ClearObjectList(CObList& list, CString) {
    // Every record is destroyed through its virtual destructor, so the class
    // name given selects nothing: a misspelt name frees the records too.
    if (list.IsEmpty()) return;
    for (POSITION pos = list.GetHeadPosition(); pos;) delete list.GetNext(pos);
    list.RemoveAll();
}
