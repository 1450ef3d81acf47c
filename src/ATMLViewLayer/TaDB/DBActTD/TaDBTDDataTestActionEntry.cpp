// TestActionEntryTable: the ordered action steps of every test point. Each
// step names the action it runs; the positions count from 1 within each
// test point.
#include "ATMLViewLayer/TaDB/DBActTD/OrderedList.h"
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

namespace {
const char kGetPosition[] = "CTaDBTDDataSingle::GetItem_TestActionEntry()";
const char kSequencePosition[] = "CTaDBTDDataSingle::SetSequence_TestActionEntry()";
}  // namespace

RESULTSTATE CTaDBTDDataSingle::AddItem_TestActionEntry(CTaDBTestActionEntry& record, int mode) {
    return AddRow(record, mode, "Select * From TestActionEntryTable",
                  "Select * From TestActionEntryTable Where STEP_UUID='%s'",
                  {m_nEditionTestActionEntryTable, "CTaDBTDDataSingle::AddItem_TestActionEntry()"});
}

RESULTSTATE CTaDBTDDataSingle::GetAllItem_TestActionEntry(CObList& list, CString tpUuid, CString actionType) {
    const int edition = m_nEditionTestActionEntryTable;
    const ado::Command sql =
        tpUuid.IsEmpty()       ? GatedSql(edition, "Select * From TestActionEntryTable Order By SEQUENCE")
        : actionType.IsEmpty() ? GatedSql(edition,
                                          "Select * From TestActionEntryTable Where TP_UUID='%s' Order By SEQUENCE",
                                          tpUuid)
                               : GatedSql(edition,
                                          "Select * From TestActionEntryTable Where TP_UUID='%s' And ACTION_TYPE='%s' "
                                          "Order By SEQUENCE",
                                          tpUuid, actionType);
    return ListRows<CTaDBTestActionEntry>(
        list, "CTaDBTestActionEntry", sql, "CTaDBTDDataSingle::GetAllItem_TestActionEntry()",
        [this](CTaDBTestActionEntry& record) { return GetItem_TestActionEntry(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItem_TestActionEntry(CTaDBTestActionEntry& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From TestActionEntryTable Where STEP_UUID='%s'", key,
                  {m_nEditionTestActionEntryTable, kGetPosition});
}

// The step at a position of a test point; a position of 0 or less reads the test point's first step.
RESULTSTATE CTaDBTDDataSingle::GetItem_TestActionEntry_TP(CTaDBTestActionEntry& record, CString tpUuid, long sequence) {
    const int edition = m_nEditionTestActionEntryTable;
    const ado::Command sql =
        sequence > 0
            ? GatedSql(edition, "Select * From TestActionEntryTable Where TP_UUID='%s' And SEQUENCE=%d", tpUuid, sequence)
            : GatedSql(edition, "Select * From TestActionEntryTable Where TP_UUID='%s'", tpUuid);
    return GetRow(record, 1, sql, {edition, "CTaDBTDDataSingle::GetItem_TestActionEntryTable()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_TestActionEntry_Action(CTaDBTestActionEntry& record, CString actionUuid) {
    return GetRow(record, 1, "Select * From TestActionEntryTable Where ACTION_UUID='%s'", actionUuid,
                  {m_nEditionTestActionEntryTable, kGetPosition});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_TestActionEntry(CString key) {
    return DeleteRow(
        GatedSql(m_nEditionTestActionEntryTable, "Select * From TestActionEntryTable Where STEP_UUID='%s'", key),
        "CTaDBTDDataSingle::DelItem_TestActionEntry()");
}

RESULTSTATE CTaDBTDDataSingle::DelAllItem_TestActionEntry_TP(CString tpUuid) {
    const char* position = "CTaDBTDDataSingle::DelItem_TestActionEntry()";
    return ChangeList(position, [&] {
        return DeleteRow(
            GatedSql(m_nEditionTestActionEntryTable, "Select * From TestActionEntryTable Where TP_UUID='%s'", tpUuid),
            position, true);
    });
}

RESULTSTATE CTaDBTDDataSingle::GetNewSequence_TestActionEntry(CString tpUuid, long& sequence) {
    return NewSequenceIn(TestActionEntryList(), tpUuid, sequence);
}

RESULTSTATE CTaDBTDDataSingle::MoveSequence_TestActionEntry(CString tpUuid, long sequence, MOVEITEM_TYPE type) {
    return MoveSequenceIn(TestActionEntryList(), tpUuid, sequence, type);
}

RESULTSTATE CTaDBTDDataSingle::MoveSequence_Swop_TestActionEntry(CString tpUuid, long first, long second) {
    return SwopIn(TestActionEntryList(), tpUuid, first, second);
}

RESULTSTATE CTaDBTDDataSingle::DelSequence_Seq_TestActionEntry(CString tpUuid, long sequence) {
    return DelSequenceIn(TestActionEntryList(), tpUuid, sequence);
}

RESULTSTATE CTaDBTDDataSingle::SetSequence_TestActionEntry(CString tpUuid, long from, long to) {
    return SetSequenceIn(TestActionEntryList(), tpUuid, from, to);
}

// Removes the steps of a test point (the key as a test point), then every
// step that runs the key as an action, closing the gap in each test point.
RESULTSTATE CTaDBTDDataSingle::DelSequence_Uuid_TestActionEntry(CString key) {
    return DelItemIn(TestActionEntryList(), key);
}

const CTaDBTDDataSingle::OrderedList& CTaDBTDDataSingle::TestActionEntryList() {
    using S = CTaDBTDDataSingle;
    static const S::OrderedList list{
        &S::m_nEditionTestActionEntryTable,
        true,
        "Select COUNT(*) as STEP_NUM, MAX(SEQUENCE) as STEP_MAX from TestActionEntryTable Where TP_UUID='%s'",
        "STEP_NUM",
        "STEP_MAX",
        "Update TestActionEntryTable Set SEQUENCE=SEQUENCE+1 Where SEQUENCE < %d and SEQUENCE >= %d and TP_UUID='%s'",
        "Update TestActionEntryTable Set SEQUENCE=SEQUENCE-1 Where SEQUENCE > %d and SEQUENCE <= %d and TP_UUID='%s'",
        "Update TestActionEntryTable Set SEQUENCE=%d Where STEP_UUID='%s' and TP_UUID='%s'",
        "delete from TestActionEntryTable Where SEQUENCE=%d and TP_UUID='%s'",
        "Update TestActionEntryTable Set SEQUENCE = SEQUENCE-1 \t\t\t\t\t\t\tWhere SEQUENCE > %d and TP_UUID='%s'",
        "delete from TestActionEntryTable Where TP_UUID='%s'",
        "delete from TestActionEntryTable Where STEP_UUID='%s'",
        "Update TestActionEntryTable Set SEQUENCE = SEQUENCE-1 \t\t\t\t\t\t\t\tWhere SEQUENCE > %d and TP_UUID='%s'",
        "CTaDBTDDataSingle::GetNewSequence_TestActionEntry()",
        "CTaDBTDDataSingle::SetSequence_TestActionEntry_Move()",
        "CTaDBTDDataSingle::SetSequence_TestActionEntry_Move",
        "CTaDBTDDataSingle::SetSequence_TestActionEntry_Move()",
        kSequencePosition,
        {"已经在最上端不能上移！", "已经在最底端不能下移", "已经是最顶端！", "已经是最底端！"},
        [](S& store, const CString& tp, long& next) { return store.GetNewSequence_TestActionEntry(tp, next); },
        [](S& store, const CString& tp, long position, CString& step) {
            CTaDBTestActionEntry entry;
            const RESULTSTATE result = store.GetItem_TestActionEntry_TP(entry, tp, position);
            step = entry.m_strStepUuid;
            return result;
        },
        [](S& store, const CString& tp, long first, long second) {
            return store.MoveSequence_Swop_TestActionEntry(tp, first, second);
        },
        [](S& store, const CString& key, S::OrderedList::Found& found) {
            CTaDBTestActionEntry step;
            const RESULTSTATE result = store.GetItem_TestActionEntry_TP(step, key, 0);
            found = {step.m_strStepUuid, step.m_strTpUuid, step.m_nSequence};
            return result;
        },
        [](S& store, const CString& key, S::OrderedList::Found& found) {
            CTaDBTestActionEntry step;
            const RESULTSTATE result = store.GetItem_TestActionEntry_Action(step, key);
            found = {step.m_strStepUuid, step.m_strTpUuid, step.m_nSequence};
            return result;
        },
    };
    return list;
}
