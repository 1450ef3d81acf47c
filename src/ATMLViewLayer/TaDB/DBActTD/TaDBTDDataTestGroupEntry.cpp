// TestGroupEntryTable: the ordered steps of every test group. Each step
// places one child (a test group or a test point) in one parent group; the
// positions count from 1 within each group.
#include "ATMLViewLayer/TaDB/DBActTD/OrderedList.h"
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

namespace {
const char kGetPosition[] = "CTaDBTDDataSingle::GetItem_TestGroupEntryTable()";
const char kSequencePosition[] = "CTaDBTDDataSingle::SetSequence_TestGroupEntryTable()";
}  // namespace

RESULTSTATE CTaDBTDDataSingle::AddItem_TestGroupEntryTable(CTaDBTestGroupEntry& record, int mode) {
    return AddRow(record, mode, "Select * From TestGroupEntryTable",
                  "Select * From TestGroupEntryTable Where STEP_UUID='%s'",
                  {m_nEditionTestGroupEntryTable, "CTaDBTDDataSingle::AddItem_TestGroupEntryTable()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_TestGroupEntryTable(CString key) {
    return DeleteRow(
        GatedSql(m_nEditionTestGroupEntryTable, "Select * From TestGroupEntryTable Where STEP_UUID='%s'", key),
        "CTaDBTDDataSingle::DelItem_TestGroupEntryTable()");
}

// Deletes every step of one group, as the test point's counterpart does for its steps.
RESULTSTATE CTaDBTDDataSingle::DelAllItem_TestGroupEntryTable(CString groupKey) {
    const char* position = "CTaDBTDDataSingle::DelAllItem_TestGroupEntryTable()";
    return ChangeList(position, [&] {
        return DeleteRow(
            GatedSql(m_nEditionTestGroupEntryTable, "Select * From TestGroupEntryTable Where TG_UUID='%s'", groupKey),
            position, true);
    });
}

RESULTSTATE CTaDBTDDataSingle::GetAllItem_TestGroupEntryTable(CObList& list, CString groupKey, CString testType) {
    const int edition = m_nEditionTestGroupEntryTable;
    const ado::Command sql =
        groupKey.IsEmpty()  ? GatedSql(edition, "Select * From TestGroupEntryTable Order By SEQUENCE")
        : testType.IsEmpty() ? GatedSql(edition, "Select * From TestGroupEntryTable Where TG_UUID='%s' Order By SEQUENCE",
                                        groupKey)
                             : GatedSql(edition,
                                        "Select * From TestGroupEntryTable Where TG_UUID='%s' And TEST_TYPE='%s' "
                                        "Order By SEQUENCE",
                                        groupKey, testType);
    return ListRows<CTaDBTestGroupEntry>(
        list, "CTaDBTestGroupEntry", sql, "CTaDBTDDataSingle::GetAllItem_TestGroupEntryTable()",
        [this](CTaDBTestGroupEntry& record) { return GetItem_TestGroupEntryTable(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItem_TestGroupEntryTable(CTaDBTestGroupEntry& record, int mode, CString key) {
    return GetRow(record, mode, "Select * From TestGroupEntryTable Where STEP_UUID='%s'", key,
                  {m_nEditionTestGroupEntryTable, kGetPosition});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_TestGroupEntryTable_Seq(CTaDBTestGroupEntry& record, long sequence,
                                                               const CString& groupKey) {
    return GetRow(record, 1,
                  GatedSql(m_nEditionTestGroupEntryTable,
                           "Select * From TestGroupEntryTable Where SEQUENCE=%d and TG_UUID='%s'", sequence, groupKey),
                  {m_nEditionTestGroupEntryTable, kGetPosition});
}

// The first step of a group (mode 0) or the first step that places a child (mode 1).
RESULTSTATE CTaDBTDDataSingle::GetItem_TestGroupEntryTable_Uuid(CTaDBTestGroupEntry& record, CString key, int mode) {
    const int edition = m_nEditionTestGroupEntryTable;
    if (edition >= kEditionGate && mode != 0 && mode != 1) return 0;
    const char* pattern = mode == 0 ? "Select * From TestGroupEntryTable Where TG_UUID='%s'"
                                    : "Select * From TestGroupEntryTable Where TEST_UUID='%s'";
    return GetRow(record, 1, GatedSql(edition, pattern, key), {edition, kGetPosition});
}

RESULTSTATE CTaDBTDDataSingle::GetNewSequence_TestGroupEntryTable(CString groupKey, long& sequence) {
    return NewSequenceIn(TestGroupEntryList(), groupKey, sequence);
}

RESULTSTATE CTaDBTDDataSingle::MoveSequence_TestGroupEntryTable(CString groupKey, long sequence, MOVEITEM_TYPE type) {
    return MoveSequenceIn(TestGroupEntryList(), groupKey, sequence, type);
}

RESULTSTATE CTaDBTDDataSingle::MoveSequence_Swop_TestGroupEntryTable(CString groupKey, long first, long second) {
    return SwopIn(TestGroupEntryList(), groupKey, first, second);
}

RESULTSTATE CTaDBTDDataSingle::DelSequence_Seq_TestGroupEntryTable(CString groupKey, long sequence) {
    return DelSequenceIn(TestGroupEntryList(), groupKey, sequence);
}

RESULTSTATE CTaDBTDDataSingle::SetSequence_TestGroupEntryTable(CString groupKey, long from, long to) {
    return SetSequenceIn(TestGroupEntryList(), groupKey, from, to);
}

// Removes the steps of a group (the key as a group), then every step that
// places the key as a child, closing the gap in each group it stood in.
RESULTSTATE CTaDBTDDataSingle::DelSequence_Uuid_TestGroupEntryTable(CString key) {
    return DelItemIn(TestGroupEntryList(), key);
}

const CTaDBTDDataSingle::OrderedList& CTaDBTDDataSingle::TestGroupEntryList() {
    using S = CTaDBTDDataSingle;
    static const S::OrderedList list{
        &S::m_nEditionTestGroupEntryTable,
        true,
        "Select COUNT(*) as STEP_NUM, MAX(SEQUENCE) as STEP_MAX from TestGroupEntryTable Where TG_UUID='%s'",
        "STEP_NUM",
        "STEP_MAX",
        "Update TestGroupEntryTable Set SEQUENCE=SEQUENCE+1 \t\t\t\t\t\t\t\t"
        "Where SEQUENCE < %d and SEQUENCE >= %d and TG_UUID='%s'",
        "Update TestGroupEntryTable Set SEQUENCE=SEQUENCE-1 \t\t\t\t\t\t\t\t"
        "Where SEQUENCE > %d and SEQUENCE <= %d and TG_UUID='%s'",
        "Update TestGroupEntryTable Set SEQUENCE=%d Where STEP_UUID='%s' and TG_UUID='%s'",
        "delete from TestGroupEntryTable Where SEQUENCE=%d and TG_UUID='%s'",
        "Update TestGroupEntryTable Set SEQUENCE=SEQUENCE-1 Where SEQUENCE>%d and TG_UUID='%s'",
        "delete from TestGroupEntryTable Where TG_UUID='%s'",
        "delete from TestGroupEntryTable Where STEP_UUID='%s'",
        "Update TestGroupEntryTable Set SEQUENCE = SEQUENCE-1 \t\t\t\t\t\t\t\tWhere SEQUENCE > %d and TG_UUID='%s'",
        "CTaDBTDDataSingle::GetNewSequence_TestGroupEntryTable()",
        "CTaDBTDDataSingle::SetSequence_TestGroupEntryTable_Move()",
        "CTaDBTDDataSingle::SetSequence_TestGroupEntryTable_Move",
        "CTaDBTDDataSingle::SetSequence_TestGroupEntryTable_Move()",
        kSequencePosition,
        {"已经在最上端不能上移", "已经在最底端不能下移", "已经是最顶端！", "已经是最底端！"},
        [](S& store, const CString& group, long& next) { return store.GetNewSequence_TestGroupEntryTable(group, next); },
        [](S& store, const CString& group, long position, CString& step) {
            CTaDBTestGroupEntry entry;
            const RESULTSTATE result = store.GetItem_TestGroupEntryTable_Seq(entry, position, group);
            step = entry.m_strStepUuid;
            return result;
        },
        [](S& store, const CString& group, long first, long second) {
            return store.MoveSequence_Swop_TestGroupEntryTable(group, first, second);
        },
        [](S& store, const CString& group, S::OrderedList::Found& found) {
            CTaDBTestGroupEntry step;
            const RESULTSTATE result = store.GetItem_TestGroupEntryTable_Uuid(step, group, 0);
            found = {step.m_strStepUuid, step.m_strTgUuid, step.m_nSequence};
            return result;
        },
        [](S& store, const CString& child, S::OrderedList::Found& found) {
            CTaDBTestGroupEntry step;
            const RESULTSTATE result = store.GetItem_TestGroupEntryTable_Uuid(step, child, 1);
            found = {step.m_strStepUuid, step.m_strTgUuid, step.m_nSequence};
            return result;
        },
    };
    return list;
}
