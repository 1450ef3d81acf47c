// The sequence operations that the three ordered tables share: the next free
// position, renumbering, moves, exchanges and deletion by position. Positions
// count from 1 within one scope (the whole entry table, one test group, one
// test point).
#include "ATMLViewLayer/TaDB/DBActTD/OrderedList.h"
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

namespace {
const char kMsgWrongPosition[] = "输入序号有误！";
const char kMsgDeleteStuck[] = "未能删除指定记录！";
const char kSavepoint[] = "ordered_list";
}  // namespace

// A statement of the list: its positions, then the scope when the list has one.
template <class... Positions>
ado::Command CTaDBTDDataSingle::ListSql(const OrderedList& list, int edition, const char* pattern, const CString& scope,
                                   Positions... positions) {
    if (edition < kEditionGate) return ado::Command();
    return list.scoped ? SqlText(pattern, positions..., scope) : SqlText(pattern, positions...);
}

CTaDBTDDataSingle::ListChange::ListChange(CTaDBTDDataSingle& store) {
    // Without a connection the change's first statement fails and says why.
    if (!store.m_dbMng.m_bConnected || !store.m_dbMng.m_pConnection) return;
    store.m_dbMng.m_pConnection->Savepoint(kSavepoint);
    m_connection = store.m_dbMng.m_pConnection;
}

CTaDBTDDataSingle::ListChange::~ListChange() {
    if (m_connection) m_connection->RollbackToSavepoint();
}

RESULTSTATE CTaDBTDDataSingle::ListChange::Finish(RESULTSTATE result) {
    if (result != 1 || !m_connection) return result;
    m_connection->ReleaseSavepoint(kSavepoint);
    m_connection.reset();
    return 1;
}

RESULTSTATE CTaDBTDDataSingle::StuckDeleting(const char* position) { return OwnFailure(-1, kMsgDeleteStuck, position); }

RESULTSTATE CTaDBTDDataSingle::NewSequenceIn(const OrderedList& list, const CString& scope, long& next) {
    next = 1;
    return Answered(list.countPosition, [&] {
        const int edition = this->*list.edition;
        const ado::Command sql = list.scoped ? GatedSql(edition, list.count, scope) : SqlText(list.count);
        const int result = m_dbMng.QueryDataInDB(sql);
        if (result != 1) return PassOn(result, list.countPosition);
        if (m_dbMng.m_bRecordsetOpen) {
            ado::RecordsetPtr recordset = m_dbMng.GetRecordset();
            // A gap left by a plain delete must not make the next position one
            // that a row still holds: the highest position counts too.
            const long rows = recordset->Field(list.countName).ToInt32();
            const long highest = recordset->Field(list.maxName).ToInt32();
            next = (rows > highest ? rows : highest) + 1;
        }
        m_dbMng.CloseRecordset();
        return 1;
    });
}

RESULTSTATE CTaDBTDDataSingle::SetSequenceIn(const OrderedList& list, const CString& scope, long from, long to) {
    const char* position = list.lastStepPosition;
    return ChangeList(position, [&] {
        long next = 1;
        RESULTSTATE result = list.newSequence(*this, scope, next);
        if (result != 1) return result;
        const long count = next - 1;
        if (from < 1 || to < 1 || from > count || to > count)
            return OwnFailure(0, kMsgWrongPosition, list.refusePosition);
        if (from == to) return 0;
        CString step;
        result = list.stepAt(*this, scope, from, step);
        if (result != 1) return result;
        const int edition = this->*list.edition;
        const ado::Command shift = from > to ? ListSql(list, edition, list.shiftUp, scope, from, to)
                                             : ListSql(list, edition, list.shiftDown, scope, from, to);
        result = RunStatement(shift, list.shiftPosition, false);
        if (result == 1) result = RunStatement(ListSql(list, edition, list.setAt, scope, to, step), position, false);
        return result;
    });
}

RESULTSTATE CTaDBTDDataSingle::MoveSequenceIn(const OrderedList& list, const CString& scope, long at,
                                              MOVEITEM_TYPE type) {
    if (type < MOVEITEM_UP || type > MOVEITEM_BOTTOM) return -1;
    const char* position = list.movePosition;
    return ChangeList(position, [&] {
        long next = 1;
        RESULTSTATE result = list.newSequence(*this, scope, next);
        if (result != 1) return result;
        const long count = next - 1;
        const bool towardsTop = type == MOVEITEM_UP || type == MOVEITEM_TOP;
        if (towardsTop ? at <= 1 : at >= count)
            return OwnFailure(0, list.refuseMove[type], position);
        // One place, or place by place to the end it moves towards.
        const long last = type == MOVEITEM_TOP ? 2 : type == MOVEITEM_BOTTOM ? count - 1 : at;
        for (long k = at; result == 1 && (towardsTop ? k >= last : k <= last); k += towardsTop ? -1 : 1)
            result = list.swop(*this, scope, k, towardsTop ? k - 1 : k + 1);
        return result;
    });
}

RESULTSTATE CTaDBTDDataSingle::SwopIn(const OrderedList& list, const CString& scope, long first, long second) {
    const char* position = list.movePosition;
    if (first < 1 || second < 1) return OwnFailure(0, kMsgWrongPosition, position);
    return ChangeList(position, [&] {
        CString firstStep, secondStep;
        RESULTSTATE result = list.stepAt(*this, scope, first, firstStep);
        if (result == 1) result = list.stepAt(*this, scope, second, secondStep);
        const int edition = this->*list.edition;
        if (result == 1)
            result = RunStatement(ListSql(list, edition, list.setAt, scope, second, firstStep), position, false);
        if (result == 1)
            result = RunStatement(ListSql(list, edition, list.setAt, scope, first, secondStep), position, false);
        return result;
    });
}

RESULTSTATE CTaDBTDDataSingle::DelSequenceIn(const OrderedList& list, const CString& scope, long at) {
    const char* position = list.movePosition;
    if (at < 1) return OwnFailure(0, kMsgWrongPosition, position);
    return ChangeList(position, [&] {
        const int edition = this->*list.edition;
        RESULTSTATE result = RunStatement(ListSql(list, edition, list.deleteAt, scope, at), position, false);
        if (result == 1) result = RunStatement(ListSql(list, edition, list.closeGap, scope, at), position, false);
        return result;
    });
}

// Deletes what the key names: first the whole list of the scope it names,
// then each step that places it, one at a time, closing the gap that step
// leaves in its own scope. Only rows the key names go, and a pass that
// removes nothing ends the operation with an error instead of looping.
RESULTSTATE CTaDBTDDataSingle::DelItemIn(const OrderedList& list, const CString& key) {
    const int edition = this->*list.edition;
    const char* position = list.movePosition;
    return ChangeList(position, [&] {
        OrderedList::Found found;
        RESULTSTATE result = 0;
        if (list.firstOfScope) {
            result = list.firstOfScope(*this, key, found);
            if (result == 1) {
                result = RunStatement(GatedSql(edition, list.deleteScope, key), position, false);
                if (result != 1) return result;
                // The repeated look-up must come back empty; its -1 ends the operation below.
                result = list.firstOfScope(*this, key, found);
                if (result == 1) return StuckDeleting(position);
            }
            if (result == -1) return -1;
        }
        for (result = list.firstOfItem(*this, key, found); result == 1;) {
            const OrderedList::Found removed = found;
            result = RunStatement(GatedSql(edition, list.deleteStep, removed.step), position, false);
            if (result == 1 && removed.position >= 1) {
                const ado::Command closeGap =
                    ListSql(list, edition, list.closeStepGap, removed.scope, removed.position);
                result = RunStatement(closeGap, position, false);
            }
            if (result != 1) return result;
            result = list.firstOfItem(*this, key, found);
            if (result == 1 && found.step == removed.step) return StuckDeleting(position);
        }
        return result == -1 ? -1 : 1;
    });
}
