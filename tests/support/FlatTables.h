// The flat tables of the test structure (TPS, test groups, test points),
// each described once so that one set of tests drives all three.
#pragma once
#include "support/TestStore.h"

struct TpsTable {
    using Record = CTaDBTps;
    static constexpr const char* kClass = "CTaDBTps";
    static constexpr const char* kTable = "TpsTable";
    static constexpr const char* kKeyColumn = "TPS_UUID";
    static constexpr const char* kNameColumn = "TPS_NAME";
    static constexpr const char* kAtmlColumn = "TPS_ATML_ID";
    static constexpr const char* kOperation = "_Tps()";
    static CString& Key(Record& r) { return r.m_strTpsUuid; }
    static CString& Name(Record& r) { return r.m_strTpsName; }
    static CString& AtmlId(Record& r) { return r.m_strTpsAtmlId; }
    static int& Edition(TestStore& s) { return s.m_nEditionTpsTable; }
    static RESULTSTATE Add(TestStore& s, Record& r, int mode) { return s.AddItem_Tps(r, mode); }
    static RESULTSTATE Get(TestStore& s, Record& r, int mode, const CString& key) { return s.GetItem_Tps(r, mode, key); }
    static RESULTSTATE Del(TestStore& s, const CString& key) { return s.DelItem_Tps(key); }
    static RESULTSTATE Rename(TestStore& s, const CString& key, const CString& name) { return s.RenameItem_Tps(key, name); }
    static RESULTSTATE List(TestStore& s, CObList& list) { return s.GetAllItem_Tps(list); }
    static RESULTSTATE Clear(TestStore& s) { return s.Clear_AtmlId_Tps(); }
};

struct TestGroupTable {
    using Record = CTaDBTestGroup;
    static constexpr const char* kClass = "CTaDBTestGroup";
    static constexpr const char* kTable = "TestGroupTable";
    static constexpr const char* kKeyColumn = "TG_UUID";
    static constexpr const char* kNameColumn = "TG_NAME";
    static constexpr const char* kAtmlColumn = "TG_ATML_ID";
    static constexpr const char* kOperation = "_TestGroupTable()";
    static CString& Key(Record& r) { return r.m_strTgUuid; }
    static CString& Name(Record& r) { return r.m_strTgName; }
    static CString& AtmlId(Record& r) { return r.m_strTgAtmlId; }
    static int& Edition(TestStore& s) { return s.m_nEditionTestGroupTable; }
    static RESULTSTATE Add(TestStore& s, Record& r, int mode) { return s.AddItem_TestGroupTable(r, mode); }
    static RESULTSTATE Get(TestStore& s, Record& r, int mode, const CString& key) {
        return s.GetItem_TestGroupTable(r, mode, key);
    }
    static RESULTSTATE Del(TestStore& s, const CString& key) { return s.DelItem_TestGroupTable(key); }
    static RESULTSTATE Rename(TestStore& s, const CString& key, const CString& name) {
        return s.RenameItem_TestGroupTable(key, name);
    }
    static RESULTSTATE List(TestStore& s, CObList& list) { return s.GetAllItem_TestGroupTable(list); }
    static RESULTSTATE Clear(TestStore& s) { return s.Clear_AtmlId_TestGroupTable(); }
    static RESULTSTATE GetByAtmlId(TestStore& s, Record& r, const CString& id) {
        return s.GetItem_TestGroupTable_ATMLID(r, id);
    }
};

struct TestPointTable {
    using Record = CTaDBTestPoint;
    static constexpr const char* kClass = "CTaDBTestPoint";
    static constexpr const char* kTable = "TestPointTable";
    static constexpr const char* kKeyColumn = "TP_UUID";
    static constexpr const char* kNameColumn = "TP_NAME";
    static constexpr const char* kAtmlColumn = "TP_ATML_ID";
    static constexpr const char* kOperation = "_TestPointTable()";
    static CString& Key(Record& r) { return r.m_strTpUuid; }
    static CString& Name(Record& r) { return r.m_strTpName; }
    static CString& AtmlId(Record& r) { return r.m_strTpAtmlId; }
    static int& Edition(TestStore& s) { return s.m_nEditionTestPointTable; }
    static RESULTSTATE Add(TestStore& s, Record& r, int mode) { return s.AddItem_TestPointTable(r, mode); }
    static RESULTSTATE Get(TestStore& s, Record& r, int mode, const CString& key) {
        return s.GetItem_TestPointTable(r, mode, key);
    }
    static RESULTSTATE Del(TestStore& s, const CString& key) { return s.DelItem_TestPointTable(key); }
    static RESULTSTATE Rename(TestStore& s, const CString& key, const CString& name) {
        return s.RenameItem_TestPointTable(key, name);
    }
    static RESULTSTATE List(TestStore& s, CObList& list) { return s.GetAllItem_TestPointTable(list); }
    static RESULTSTATE Clear(TestStore& s) { return s.Clear_AtmlId_TestPointTable(); }
    static RESULTSTATE GetByAtmlId(TestStore& s, Record& r, const CString& id) {
        return s.GetItem_TestPointTable_ATMLID(r, id);
    }
};
