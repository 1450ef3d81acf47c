// The resource tables (formulas, operator messages, instruments, parameters,
// signals), described for the table protocol's suite as FlatTables.h
// describes the structure tables. Their lists take a filter; the suite lists
// every row.
#pragma once
#include "support/TestStore.h"

// The operations of family X by their names (AddItem_X, GetItem_X, ...), its
// record class CTaDBX, its table XTable and that table's edition.
#define RESOURCE_OPERATIONS(X)                                                                     \
    static constexpr const char* kClass = "CTaDB" #X;                                              \
    static constexpr const char* kTable = #X "Table";                                              \
    static constexpr const char* kOperation = "_" #X "()";                                         \
    static int& Edition(TestStore& s) { return s.m_nEdition##X##Table; }                           \
    static RESULTSTATE Add(TestStore& s, Record& r, int mode) { return s.AddItem_##X(r, mode); }   \
    static RESULTSTATE Get(TestStore& s, Record& r, int mode, const CString& key) {                \
        return s.GetItem_##X(r, mode, key);                                                        \
    }                                                                                              \
    static RESULTSTATE Del(TestStore& s, const CString& key) { return s.DelItem_##X(key); }        \
    static RESULTSTATE Rename(TestStore& s, const CString& key, const CString& name) {             \
        return s.RenameItem_##X(key, name);                                                        \
    }                                                                                              \
    static RESULTSTATE List(TestStore& s, CObList& list, const CString& filter = "") {             \
        return s.GetAllItem_##X(list, filter);                                                     \
    }                                                                                              \
    static RESULTSTATE Clear(TestStore& s) { return s.Clear_AtmlId_##X(); }

// The key, name and ATML ID of the tables whose rows are actions.
template <class R>
struct ActionColumns {
    using Record = R;
    static constexpr const char* kKeyColumn = "ACTION_UUID";
    static constexpr const char* kNameColumn = "ACTION_NAME";
    static constexpr const char* kAtmlColumn = "ACTION_ATML_ID";
    static CString& Key(R& r) { return r.m_strActionUuid; }
    static CString& Name(R& r) { return r.m_strActionName; }
    static CString& AtmlId(R& r) { return r.m_strActionAtmlId; }
};

struct FormulaTable : ActionColumns<CTaDBFormula> { RESOURCE_OPERATIONS(Formula) };
struct MessageHintTable : ActionColumns<CTaDBMessageHint> { RESOURCE_OPERATIONS(MessageHint) };
struct InstrumentTable : ActionColumns<CTaDBInstrument> { RESOURCE_OPERATIONS(Instrument) };

struct ParameterTable {
    using Record = CTaDBParameter;
    static constexpr const char* kKeyColumn = "PARA_UUID";
    static constexpr const char* kNameColumn = "PARA_NAME";
    static constexpr const char* kAtmlColumn = "PARA_ATML_ID";
    static CString& Key(Record& r) { return r.m_strParaUuid; }
    static CString& Name(Record& r) { return r.m_strParaName; }
    static CString& AtmlId(Record& r) { return r.m_strParaAtmlId; }
    RESOURCE_OPERATIONS(Parameter)
};

struct SignalTable {
    using Record = CTaDBSignal;
    static constexpr const char* kKeyColumn = "SIGNAL_UUID";
    static constexpr const char* kNameColumn = "SIGNAL_NAME";
    static constexpr const char* kAtmlColumn = "SIGNAL_ATML_ID";
    static CString& Key(Record& r) { return r.m_strSignalUuid; }
    static CString& Name(Record& r) { return r.m_strSignalName; }
    static CString& AtmlId(Record& r) { return r.m_strSignalAtmlId; }
    RESOURCE_OPERATIONS(Signal)
};
