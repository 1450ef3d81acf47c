// The three ordered tables (entries, test group steps, test point steps),
// each described once so that one set of tests drives all three. A row is
// placed by the item it names (id) in a scope (ignored by the entry table,
// which is one list).
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "support/TestStore.h"

struct EntryList {
    static constexpr const char* kTable = "EntryTable";
    static constexpr const char* kScopeColumn = nullptr;
    static constexpr const char* kIdColumn = "TEST_UUID";
    static constexpr const char* kSequencePosition = "CTaDBTDDataSingle::SetSequence_EntryTable()";
    static constexpr const char* kRefusePosition = "CTaDBTDDataSingle::SetSequence_EntryTable_Move";
    static constexpr const char* kGetPosition = "CTaDBTDDataSingle::GetItem_EntryTable()";
    static constexpr const char* kMoveRefusals[4] = {"已经在最上端不能上移！", "已经在最底端不能下移", "已经在最顶端",
                                                     "已经在最底端"};
    static int& Edition(TestStore& s) { return s.m_nEditionEntryTable; }
    static RESULTSTATE Add(TestStore& s, const CString&, const CString& id, long at) {
        CTaDBEntry e;
        e.m_strTestUuid = id;
        e.m_nSequence = at;
        return s.AddItem_EntryTable(e, 1);
    }
    static constexpr const char* kKeyColumn = "TEST_UUID";
    static RESULTSTATE DelItem(TestStore& s, const CString& key) { return s.DelItem_EntryTable(key); }
    static RESULTSTATE NewSequence(TestStore& s, const CString&, long& n) { return s.GetNewSequence_EntryTable(n); }
    static RESULTSTATE Set(TestStore& s, const CString&, long a, long b) { return s.SetSequence_EntryTable(a, b); }
    static RESULTSTATE Move(TestStore& s, const CString&, long n, int type) {
        return s.MoveSequence_EntryTable(n, static_cast<MOVEITEM_TYPE>(type));
    }
    static RESULTSTATE Swop(TestStore& s, const CString&, long a, long b) { return s.MoveSequence_Swop_EntryTable(a, b); }
    static RESULTSTATE DelAt(TestStore& s, const CString&, long n) { return s.DelSequence_Seq_EntryTable(n); }
    static RESULTSTATE DelId(TestStore& s, const CString& id) { return s.DelSequence_Uuid_EntryTable(id); }
};

// The sequence operations of a list kept in scopes, forwarded to the
// store's <verb>_<Op> operations.
#define SCOPED_SEQUENCE_OPERATIONS(Op)                                                                           \
    static RESULTSTATE DelItem(TestStore& s, const CString& key) { return s.DelItem_##Op(key); }                 \
    static RESULTSTATE NewSequence(TestStore& s, const CString& g, long& n) { return s.GetNewSequence_##Op(g, n); } \
    static RESULTSTATE Set(TestStore& s, const CString& g, long a, long b) { return s.SetSequence_##Op(g, a, b); } \
    static RESULTSTATE Move(TestStore& s, const CString& g, long n, int type) {                                  \
        return s.MoveSequence_##Op(g, n, static_cast<MOVEITEM_TYPE>(type));                                      \
    }                                                                                                            \
    static RESULTSTATE Swop(TestStore& s, const CString& g, long a, long b) {                                    \
        return s.MoveSequence_Swop_##Op(g, a, b);                                                                \
    }                                                                                                            \
    static RESULTSTATE DelAt(TestStore& s, const CString& g, long n) { return s.DelSequence_Seq_##Op(g, n); }    \
    static RESULTSTATE DelId(TestStore& s, const CString& id) { return s.DelSequence_Uuid_##Op(id); }

struct GroupStepList {
    static constexpr const char* kTable = "TestGroupEntryTable";
    static constexpr const char* kScopeColumn = "TG_UUID";
    static constexpr const char* kIdColumn = "TEST_UUID";
    static constexpr const char* kSequencePosition = "CTaDBTDDataSingle::SetSequence_TestGroupEntryTable()";
    static constexpr const char* kRefusePosition = "CTaDBTDDataSingle::SetSequence_TestGroupEntryTable_Move()";
    static constexpr const char* kGetPosition = "CTaDBTDDataSingle::GetItem_TestGroupEntryTable()";
    static constexpr const char* kMoveRefusals[4] = {"已经在最上端不能上移", "已经在最底端不能下移", "已经是最顶端！",
                                                     "已经是最底端！"};
    static int& Edition(TestStore& s) { return s.m_nEditionTestGroupEntryTable; }
    static RESULTSTATE Add(TestStore& s, const CString& group, const CString& id, long at) {
        CTaDBTestGroupEntry e;
        e.m_strTgUuid = group;
        e.m_strTestUuid = id;
        e.m_nSequence = at;
        return s.AddItem_TestGroupEntryTable(e, 1);
    }
    static constexpr const char* kKeyColumn = "STEP_UUID";
    SCOPED_SEQUENCE_OPERATIONS(TestGroupEntryTable)
};

struct ActionStepList {
    static constexpr const char* kTable = "TestActionEntryTable";
    static constexpr const char* kScopeColumn = "TP_UUID";
    static constexpr const char* kIdColumn = "ACTION_UUID";
    static constexpr const char* kSequencePosition = "CTaDBTDDataSingle::SetSequence_TestActionEntry()";
    static constexpr const char* kRefusePosition = "CTaDBTDDataSingle::SetSequence_TestActionEntry_Move()";
    static constexpr const char* kGetPosition = "CTaDBTDDataSingle::GetItem_TestActionEntryTable()";
    static constexpr const char* kMoveRefusals[4] = {"已经在最上端不能上移！", "已经在最底端不能下移", "已经是最顶端！",
                                                     "已经是最底端！"};
    static int& Edition(TestStore& s) { return s.m_nEditionTestActionEntryTable; }
    static RESULTSTATE Add(TestStore& s, const CString& tp, const CString& id, long at) {
        CTaDBTestActionEntry e;
        e.m_strTpUuid = tp;
        e.m_strActionUuid = id;
        e.m_strActionType = "connect";
        e.m_nSequence = at;
        return s.AddItem_TestActionEntry(e, 1);
    }
    static constexpr const char* kKeyColumn = "STEP_UUID";
    SCOPED_SEQUENCE_OPERATIONS(TestActionEntry)
};

// The ids of a scope by position, and the positions they hold.
template <class T>
std::vector<std::pair<std::string, long>> Order(const std::string& project, const std::string& scope) {
    std::string sql = std::string("SELECT ") + T::kIdColumn + ", SEQUENCE FROM " + T::kTable;
    if (T::kScopeColumn) sql += std::string(" WHERE ") + T::kScopeColumn + " = '" + scope + "'";
    std::vector<std::pair<std::string, long>> order;
    for (const auto& row : RawQuery(project, sql + " ORDER BY SEQUENCE, rowid"))
        order.emplace_back(row[0], row[1] == "<null>" ? 0 : std::stol(row[1]));
    return order;
}

// The ids of a scope in position order.
template <class T>
std::vector<std::string> Ids(const std::string& project, const std::string& scope) {
    std::vector<std::string> ids;
    for (const auto& [id, at] : Order<T>(project, scope)) ids.push_back(id);
    return ids;
}

// The positions of a scope are exactly 1..count, none repeated.
template <class T>
::testing::AssertionResult Whole(const std::string& project, const std::string& scope) {
    auto order = Order<T>(project, scope);
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i].second != static_cast<long>(i) + 1)
            return ::testing::AssertionFailure() << T::kTable << " scope " << scope << ": position " << i + 1
                                                 << " holds " << order[i].second;
    return ::testing::AssertionSuccess();
}
