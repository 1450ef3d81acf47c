// SignalTable: the named signals of the project, each global ("全局") or
// local ("本地") to the test point its TP_UUID names. The signal model reads
// the signal of an action through GetItem_Signal by key.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

namespace {
const char kGlobal[] = "全局";
const char kLocal[] = "本地";
}  // namespace

RESULTSTATE CTaDBTDDataSingle::AddItem_Signal(CTaDBSignal& record, int mode) {
    return AddRow(record, mode, "Select * From SignalTable", "Select * From SignalTable Where SIGNAL_UUID='%s'",
                  {m_nEditionSignalTable, "CTaDBTDDataSingle::AddItem_Signal()"});
}

// The first local signal of that name in the test point.
RESULTSTATE CTaDBTDDataSingle::GetItem_Signal(CTaDBSignal& record, CString name, CString tpUuid) {
    return GetRow(record, 1,
                  GatedSql(m_nEditionSignalTable,
                           "Select * From SignalTable Where SIGNAL_NAME='%s' And SIGNAL_RANGE='%s' AND TP_UUID='%s'",
                           name, kLocal, tpUuid),
                  {m_nEditionSignalTable, "CTaDBTDDataSingle::GetItem_Signal()"});
}

// The first global signal of that name, whatever test point its row names.
RESULTSTATE CTaDBTDDataSingle::GetItem_Signal(CTaDBSignal& record, CString name) {
    return GetRow(record, 1,
                  GatedSql(m_nEditionSignalTable, "Select * From SignalTable Where SIGNAL_NAME='%s' And SIGNAL_RANGE='%s'",
                           name, kGlobal),
                  {m_nEditionSignalTable, "CTaDBTDDataSingle::GetItem_Signal()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_Signal(CTaDBSignal& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From SignalTable Where SIGNAL_UUID='%s'", key,
                  {m_nEditionSignalTable, "CTaDBTDDataSingle::GetItem_Signal()"});
}

// The first local signal with that ATML ID in the test point.
RESULTSTATE CTaDBTDDataSingle::GetItem_Signal_ATMLID(CTaDBSignal& record, CString atmlId, CString tpUuid) {
    return GetRow(record, 1,
                  GatedSql(m_nEditionSignalTable,
                           "Select * From SignalTable Where SIGNAL_ATML_ID='%s' And SIGNAL_RANGE='%s' AND TP_UUID='%s'",
                           atmlId, kLocal, tpUuid),
                  {m_nEditionSignalTable, "CTaDBTDDataSingle::GetItem_Signal()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_Signal(CString key) {
    return DeleteRow(GatedSql(m_nEditionSignalTable, "Select * From SignalTable Where SIGNAL_UUID='%s'", key),
                     "CTaDBTDDataSingle::DelItem_Signal()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_Signal(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionSignalTable,
                                 "Update SignalTable Set SIGNAL_NAME='%s' Where SIGNAL_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_Signal()", true);
}

// The whole table, global signals too, or the local signals of one test point.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_Signal(CObList& list, CString tpUuid) {
    return ListRows<CTaDBSignal>(
        list, "CTaDBSignal",
        tpUuid.IsEmpty() ? SqlText("Select * From SignalTable")
                         : SqlText("Select * From SignalTable Where TP_UUID='%s' And SIGNAL_RANGE='%s'", tpUuid, kLocal),
        "CTaDBTDDataSingle::GetAllItem_Signal()",
        [this](CTaDBSignal& record) { return GetItem_Signal(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Signal() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update SignalTable Set SIGNAL_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_SignalTable()", false);
}
