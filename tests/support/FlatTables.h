// Every table that follows the table protocol, described once by
// TABLE_TRAITS so that one suite drives them all. This file describes the
// structure tables (TPS, test groups, test points); the families' headers
// describe theirs the same way.
#pragma once
#include "support/TestStore.h"

// A store whose get fails on the third row it reads for a list; the traits
// of each table give a FailingStore that fails that table's get.
struct FailingStore : TestStore {
    using TestStore::TestStore;
    int reads = 0;
    RESULTSTATE Fail(int mode) {
        if (mode == 0 && ++reads == 3) {
            SetErrorCode(-1);
            SetErrorInfo("third row");
            return -1;
        }
        return 2;
    }
};

// The traits of table <R>Table with record CTaDB<R>: its operations are
// AddItem_<Op> and so on, its key, name and ATML ID columns PREFIX_UUID,
// PREFIX_NAME and PREFIX_ATML_ID are held by m_str<M>Uuid, m_str<M>Name and
// m_str<M>AtmlId, and List calls the store's `list` call (with l, the list,
// and filter in scope). What follows the arguments is added to the traits.
#define TABLE_TRAITS(Traits, R, Op, PREFIX, M, list, ...)                                                   \
    struct Traits {                                                                                          \
        using Record = CTaDB##R;                                                                             \
        static constexpr const char *kClass = "CTaDB" #R, *kTable = #R "Table", *kOperation = "_" #Op "()";  \
        static constexpr const char *kKeyColumn = PREFIX "_UUID", *kNameColumn = PREFIX "_NAME";             \
        static constexpr const char* kAtmlColumn = PREFIX "_ATML_ID";                                        \
        static CString& Key(Record& r) { return r.m_str##M##Uuid; }                                          \
        static CString& Name(Record& r) { return r.m_str##M##Name; }                                         \
        static CString& AtmlId(Record& r) { return r.m_str##M##AtmlId; }                                     \
        static int& Edition(TestStore& s) { return s.m_nEdition##R##Table; }                                 \
        static RESULTSTATE Add(TestStore& s, Record& r, int m) { return s.AddItem_##Op(r, m); }              \
        static RESULTSTATE Get(TestStore& s, Record& r, int m, CString k) { return s.GetItem_##Op(r, m, k); } \
        static RESULTSTATE Del(TestStore& s, CString k) { return s.DelItem_##Op(k); }                        \
        static RESULTSTATE Rename(TestStore& s, CString k, CString n) { return s.RenameItem_##Op(k, n); }    \
        static RESULTSTATE List(TestStore& s, CObList& l, [[maybe_unused]] CString filter = "") {            \
            return s.list;                                                                                   \
        }                                                                                                    \
        static RESULTSTATE Clear(TestStore& s) { return s.Clear_AtmlId_##Op(); }                             \
        struct FailingStore : ::FailingStore {                                                               \
            using ::FailingStore::FailingStore;                                                              \
            using TestStore::GetItem_##Op;                                                                   \
            RESULTSTATE GetItem_##Op(Record& r, int m, CString k) override {                                 \
                return Fail(m) == -1 ? -1 : TestStore::GetItem_##Op(r, m, k);                                \
            }                                                                                                \
        };                                                                                                   \
        __VA_ARGS__                                                                                          \
    }

TABLE_TRAITS(TpsTable, Tps, Tps, "TPS", Tps, GetAllItem_Tps(l));
TABLE_TRAITS(TestGroupTable, TestGroup, TestGroupTable, "TG", Tg, GetAllItem_TestGroupTable(l),
             static RESULTSTATE GetByAtmlId(TestStore& s, Record& r, const CString& id) {
                 return s.GetItem_TestGroupTable_ATMLID(r, id);
             });
TABLE_TRAITS(TestPointTable, TestPoint, TestPointTable, "TP", Tp, GetAllItem_TestPointTable(l),
             static RESULTSTATE GetByAtmlId(TestStore& s, Record& r, const CString& id) {
                 return s.GetItem_TestPointTable_ATMLID(r, id);
             });
