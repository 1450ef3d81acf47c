// EntryTable: the ordered top level of the test program, one list for the
// whole project. An entry names a test group or a test point by its key.
#include "ATMLViewLayer/TaDB/DBActTD/OrderedList.h"
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

namespace {
const char kSequencePosition[] = "CTaDBTDDataSingle::SetSequence_EntryTable()";
}  // namespace

RESULTSTATE CTaDBTDDataSingle::AddItem_EntryTable(CTaDBEntry& record, int mode) {
    return AddRow(record, mode, "Select * From EntryTable", "Select * From EntryTable Where TEST_UUID='%s'",
                  {m_nEditionEntryTable, "CTaDBTDDataSingle::AddItem_EntryTable()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_EntryTable(CString key) {
    return DeleteRow(GatedSql(m_nEditionEntryTable, "Select * From EntryTable Where TEST_UUID='%s'", key),
                     "CTaDBTDDataSingle::DelItem_EntryTable()");
}

RESULTSTATE CTaDBTDDataSingle::GetAllItem_EntryTable(CObList& list) {
    return ListRows<CTaDBEntry>(list, "CTaDBEntry", SqlText("Select * From EntryTable Order By SEQUENCE"),
                                "CTaDBTDDataSingle::GetAllItem_EntryTable()",
                                [this](CTaDBEntry& record) { return GetItem_EntryTable(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItem_EntryTable(CTaDBEntry& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From EntryTable Where TEST_UUID='%s'", key,
                  {m_nEditionEntryTable, "CTaDBTDDataSingle::GetItem_EntryTable()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_EntryTable_Seq(CTaDBEntry& record, long& sequence) {
    return GetRow(record, 1, GatedSql(m_nEditionEntryTable, "Select * From EntryTable Where SEQUENCE=%d", sequence),
                  {m_nEditionEntryTable, "CTaDBTDDataSingle::GetItem_EntryTable()"});
}

RESULTSTATE CTaDBTDDataSingle::GetNewSequence_EntryTable(long& sequence) {
    return NewSequenceIn(EntryList(), "", sequence);
}

RESULTSTATE CTaDBTDDataSingle::MoveSequence_EntryTable(long sequence, MOVEITEM_TYPE type) {
    return MoveSequenceIn(EntryList(), "", sequence, type);
}

RESULTSTATE CTaDBTDDataSingle::MoveSequence_Swop_EntryTable(long first, long second) {
    return SwopIn(EntryList(), "", first, second);
}

RESULTSTATE CTaDBTDDataSingle::DelSequence_Seq_EntryTable(long sequence) {
    return DelSequenceIn(EntryList(), "", sequence);
}

RESULTSTATE CTaDBTDDataSingle::SetSequence_EntryTable(long from, long to) {
    return SetSequenceIn(EntryList(), "", from, to);
}

RESULTSTATE CTaDBTDDataSingle::DelSequence_Uuid_EntryTable(CString key) { return DelItemIn(EntryList(), key); }

const CTaDBTDDataSingle::OrderedList& CTaDBTDDataSingle::EntryList() {
    using S = CTaDBTDDataSingle;
    static const S::OrderedList list{
        &S::m_nEditionEntryTable,
        false,
        "Select COUNT(*) as EN_NUM, MAX(SEQUENCE) as EN_MAX from EntryTable",
        "EN_NUM",
        "EN_MAX",
        "Update EntryTable Set SEQUENCE=SEQUENCE+1 \t\t\t\t\t\t\t\tWhere SEQUENCE < %d and SEQUENCE >= %d",
        "Update EntryTable Set SEQUENCE=SEQUENCE-1 \t\t\t\t\t\t\t\tWhere SEQUENCE > %d and SEQUENCE <= %d",
        "Update EntryTable Set SEQUENCE=%d Where TEST_UUID='%s'",
        "delete from EntryTable Where SEQUENCE=%d",
        "Update EntryTable Set SEQUENCE=SEQUENCE-1 Where SEQUENCE>%d",
        nullptr,
        "delete from EntryTable Where TEST_UUID='%s'",
        "Update EntryTable Set SEQUENCE=SEQUENCE-1 Where SEQUENCE>%d",
        "CTaDBTDDataSingle::GetNewSequence_EntryTable()",
        "CTaDBTDDataSingle::SetSequence_EntryTable_Move",
        "CTaDBTDDataSingle::SetSequence_EntryTable_Move",
        "CTaDBTDDataSingle::SetSequence_EntryTable_Move()",
        kSequencePosition,
        {"已经在最上端不能上移！", "已经在最底端不能下移", "已经在最顶端", "已经在最底端"},
        [](S& store, const CString&, long& next) { return store.GetNewSequence_EntryTable(next); },
        [](S& store, const CString&, long position, CString& step) {
            CTaDBEntry entry;
            const RESULTSTATE result = store.GetItem_EntryTable_Seq(entry, position);
            step = entry.m_strTestUuid;
            return result;
        },
        [](S& store, const CString&, long first, long second) { return store.MoveSequence_Swop_EntryTable(first, second); },
        nullptr,
        [](S& store, const CString& key, S::OrderedList::Found& found) {
            CTaDBEntry entry;
            const RESULTSTATE result = store.GetItem_EntryTable(entry, 1, key);
            found = {entry.m_strTestUuid, "", entry.m_nSequence};
            return result;
        },
    };
    return list;
}
