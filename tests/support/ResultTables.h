// The four result tables, each described once (as in FlatTables.h) so that
// the table protocol's suite drives them all.
#pragma once
#include "support/FlatTableSuite.h"

// The traits of a table keyed by ACTION_UUID, whose whole list is listAll.
#define RESULT_TABLE(Family, listAll)                                                                             \
    struct Family##Table {                                                                                        \
        using Record = CTaDB##Family;                                                                             \
        static constexpr const char *kClass = "CTaDB" #Family, *kTable = #Family "Table";                         \
        static constexpr const char *kOperation = "_" #Family "()", *kKeyColumn = "ACTION_UUID";                  \
        static constexpr const char *kNameColumn = "ACTION_NAME", *kAtmlColumn = "ACTION_ATML_ID";                \
        static CString& Key(Record& r) { return r.m_strActionUuid; }                                              \
        static CString& Name(Record& r) { return r.m_strActionName; }                                             \
        static CString& AtmlId(Record& r) { return r.m_strActionAtmlId; }                                         \
        static int& Edition(TestStore& s) { return s.m_nEdition##Family##Table; }                                 \
        static RESULTSTATE Add(TestStore& s, Record& r, int m) { return s.AddItem_##Family(r, m); }               \
        static RESULTSTATE Get(TestStore& s, Record& r, int m, CString k) { return s.GetItem_##Family(r, m, k); } \
        static RESULTSTATE Del(TestStore& s, CString k) { return s.DelItem_##Family(k); }                         \
        static RESULTSTATE Rename(TestStore& s, CString k, CString n) { return s.RenameItem_##Family(k, n); }     \
        static RESULTSTATE List(TestStore& s, CObList& l) { return s.listAll; }                                   \
        static RESULTSTATE Clear(TestStore& s) { return s.Clear_AtmlId_##Family(); }                              \
        struct FailingStore : ::FailingStore {                                                                    \
            using ::FailingStore::FailingStore;                                                                   \
            RESULTSTATE GetItem_##Family(Record& r, int m, CString k) override {                                  \
                return Fail(m) == -1 ? -1 : TestStore::GetItem_##Family(r, m, k);                                 \
            }                                                                                                     \
        };                                                                                                        \
    }

RESULT_TABLE(Outcome, GetAllItem_Outcome(l, ""));
RESULT_TABLE(TestResult, GetAllItem_TestResult(l));
RESULT_TABLE(ActionCompare, GetAllItem_ActionCompare(l, ""));

// Measurements are updated and renamed by key but read and deleted by name:
// the suite's key is turned into its row's name for those two.
struct MeasurementTable {
    using Record = CTaDBMeasurement;
    static constexpr const char *kClass = "CTaDBMeasurement", *kTable = "MeasurementTable";
    static constexpr const char *kOperation = "_Measurement()", *kKeyColumn = "MEAS_UUID";
    static constexpr const char *kNameColumn = "MEAS_NAME", *kAtmlColumn = "MEAS_ATML_ID";
    static constexpr const char* kFindColumn = "MEAS_NAME";
    static CString& Key(Record& r) { return r.m_strMeasUuid; }
    static CString& Name(Record& r) { return r.m_strMeasName; }
    static CString& AtmlId(Record& r) { return r.m_strMeasAtmlId; }
    static int& Edition(TestStore& s) { return s.m_nEditionMeasurementTable; }
    static CString NameOf(TestStore& s, CString key) {
        CObList list;
        CString name = key;
        key.MakeUpper();
        for (POSITION pos = List(s, list) == 1 ? list.GetHeadPosition() : nullptr; pos;) {
            Record& r = *static_cast<Record*>(list.GetNext(pos));
            if (CString(r.m_strMeasUuid).MakeUpper() == key) name = r.m_strMeasName;
        }
        s.ClearObjectList(list, kClass);
        return name;
    }
    static RESULTSTATE Add(TestStore& s, Record& r, int m) { return s.AddItem_Measurement(r, m); }
    static RESULTSTATE Get(TestStore& s, Record& r, int m, CString k) {
        return s.GetItem_Measurement(r, m, m == 0 ? k : NameOf(s, k));
    }
    static RESULTSTATE Del(TestStore& s, CString k) { return s.DelItem_Measurement(NameOf(s, k)); }
    static RESULTSTATE Rename(TestStore& s, CString k, CString n) { return s.RenameItem_Measurement(k, n); }
    static RESULTSTATE List(TestStore& s, CObList& l) { return s.GetAllItem_Measurement(l); }
    static RESULTSTATE Clear(TestStore& s) { return s.Clear_AtmlId_Measurement(); }
    struct FailingStore : ::FailingStore {
        using ::FailingStore::FailingStore;
        RESULTSTATE GetItem_Measurement(Record& r, int m, CString k) override {
            return Fail(m) == -1 ? -1 : TestStore::GetItem_Measurement(r, m, k);
        }
    };
};

using ResultTables = ::testing::Types<MeasurementTable, OutcomeTable, TestResultTable, ActionCompareTable>;
