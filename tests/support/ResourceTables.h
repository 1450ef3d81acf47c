// The resource tables described for the table protocol's suite, as
// FlatTables.h describes the structure tables. Each family follows the
// naming rule: record CTaDBX, table XTable, operations AddItem_X ..., key,
// name and ATML ID columns PREFIX_UUID, PREFIX_NAME, PREFIX_ATML_ID held by
// m_strMemberUuid, m_strMemberName, m_strMemberAtmlId. Lists take a filter.
#pragma once
#include "support/TestStore.h"

#define RESOURCE_TABLE(X, PREFIX, Member)                                                                    \
    struct X##Table {                                                                                        \
        using Record = CTaDB##X;                                                                             \
        static constexpr const char* kClass = "CTaDB" #X;                                                    \
        static constexpr const char* kTable = #X "Table";                                                    \
        static constexpr const char* kKeyColumn = PREFIX "_UUID";                                            \
        static constexpr const char* kNameColumn = PREFIX "_NAME";                                           \
        static constexpr const char* kAtmlColumn = PREFIX "_ATML_ID";                                        \
        static constexpr const char* kOperation = "_" #X "()";                                               \
        static CString& Key(Record& r) { return r.m_str##Member##Uuid; }                                     \
        static CString& Name(Record& r) { return r.m_str##Member##Name; }                                    \
        static CString& AtmlId(Record& r) { return r.m_str##Member##AtmlId; }                                \
        static int& Edition(TestStore& s) { return s.m_nEdition##X##Table; }                                 \
        static RESULTSTATE Add(TestStore& s, Record& r, int mode) { return s.AddItem_##X(r, mode); }         \
        static RESULTSTATE Get(TestStore& s, Record& r, int mode, const CString& key) {                      \
            return s.GetItem_##X(r, mode, key);                                                              \
        }                                                                                                    \
        static RESULTSTATE Del(TestStore& s, const CString& key) { return s.DelItem_##X(key); }              \
        static RESULTSTATE Rename(TestStore& s, const CString& key, const CString& name) {                   \
            return s.RenameItem_##X(key, name);                                                              \
        }                                                                                                    \
        static RESULTSTATE List(TestStore& s, CObList& list, const CString& filter = "") {                   \
            return s.GetAllItem_##X(list, filter);                                                           \
        }                                                                                                    \
        static RESULTSTATE Clear(TestStore& s) { return s.Clear_AtmlId_##X(); }                              \
    }

RESOURCE_TABLE(Formula, "ACTION", Action);
RESOURCE_TABLE(MessageHint, "ACTION", Action);
RESOURCE_TABLE(Instrument, "ACTION", Action);
RESOURCE_TABLE(Parameter, "PARA", Para);
RESOURCE_TABLE(Signal, "SIGNAL", Signal);
