// The five action tables, each described once (as in FlatTables.h) so that
// the table protocol's suite and the action tests drive them all.
#pragma once
#include "support/FlatTableSuite.h"

// The traits of Family##Table. Its clear fails at clearPosition; the rest are
// the record's own members with their columns, written out here rather than
// taken from the record's column map, so that the map is under test.
#define ACTION_TABLE(Family, clearPosition, ...)                                                                  \
    struct Family##Table {                                                                                        \
        using Record = CTaDB##Family;                                                                             \
        static constexpr const char *kClass = "CTaDB" #Family, *kTable = #Family "Table";                         \
        static constexpr const char *kOperation = "_" #Family "()", *kKeyColumn = "ACTION_UUID";                  \
        static constexpr const char *kNameColumn = "ACTION_NAME", *kAtmlColumn = "ACTION_ATML_ID";                \
        static constexpr const char* kClearPosition = "CTaDBTDDataSingle::" clearPosition;                        \
        static std::vector<Column<Record>> Own() { return {__VA_ARGS__}; }                                        \
        static CString& Key(Record& r) { return r.m_strActionUuid; }                                              \
        static CString& Name(Record& r) { return r.m_strActionName; }                                             \
        static CString& AtmlId(Record& r) { return r.m_strActionAtmlId; }                                         \
        static int& Edition(TestStore& s) { return s.m_nEdition##Family##Table; }                                 \
        static RESULTSTATE Add(TestStore& s, Record& r, int m) { return s.AddItem_##Family(r, m); }               \
        static RESULTSTATE Get(TestStore& s, Record& r, int m, CString k) { return s.GetItem_##Family(r, m, k); } \
        static RESULTSTATE Del(TestStore& s, CString k) { return s.DelItem_##Family(k); }                         \
        static RESULTSTATE Rename(TestStore& s, CString k, CString n) { return s.RenameItem_##Family(k, n); }     \
        static RESULTSTATE ListBy(TestStore& s, CObList& l, CString k) { return s.GetAllItem_##Family(l, k); }    \
        static RESULTSTATE List(TestStore& s, CObList& l) { return ListBy(s, l, ""); }                            \
        static RESULTSTATE Clear(TestStore& s) { return s.Clear_AtmlId_##Family(); }                              \
        struct FailingStore : ::FailingStore {                                                                    \
            using ::FailingStore::FailingStore;                                                                   \
            RESULTSTATE GetItem_##Family(Record& r, int m, CString k) override {                                  \
                return Fail(m) == -1 ? -1 : TestStore::GetItem_##Family(r, m, k);                                 \
            }                                                                                                     \
        };                                                                                                        \
    }

ACTION_TABLE(ActionConnect, "Clear_AtmlId_ActionConnectTable()", {"SIGNAL_UUID", &Record::m_strSignalUuid},
             {"CONNECT_TYPE", &Record::m_strConnectType}, {"INSTRU_CONTENT", &Record::m_strInstruContent},
             {"UUT_CONTENT", &Record::m_strUutContent}, {"UUT_BUILD_INSTR", &Record::m_strUutBuildInstr},
             {"UUT_BUILD_SWITCH", &Record::m_strUutBuildSwitch});
ACTION_TABLE(ActionDisconnect, "Clear_AtmlId_ActionDisconnect()", {"SIGNAL_UUID", &Record::m_strSignalUuid},
             {"CONNECT_TYPE", &Record::m_strConnectType}, {"INSTRU_CONTENT", &Record::m_strInstruContent},
             {"UUT_CONTENT", &Record::m_strUutContent});
ACTION_TABLE(ActionReset, "Clear_AtmlId_ActionResetTable()", {"SIGNAL_UUID", &Record::m_strSignalUuid},
             {"CONNECT_TYPE", &Record::m_strConnectType}, {"INSTRU_CONTENT", &Record::m_strInstruContent},
             {"UUT_CONTENT", &Record::m_strUutContent});
ACTION_TABLE(ActionRead, "Clear_AtmlId_ActionReadTable()", {"SIGNAL_UUID", &Record::m_strSignalUuid},
             {"PARA_UUID", &Record::m_strParaUuid}, {"READ_NUMBER", &Record::m_nReadNumber},
             {"MEASUREMENT_ID", &Record::m_strMeasurementId});
ACTION_TABLE(ActionSetup, "Clear_AtmlId_ActionSetupTable()", {"SIGNAL_UUID", &Record::m_strSignalUuid},
             {"SIGNAL_TYPE", &Record::m_strSignalType}, {"SIGNAL_CONTENT", &Record::m_strSignalContent},
             {"MEASURE_INFO", &Record::m_strMeasureInfo});

using ActionTables = ::testing::Types<ActionConnectTable, ActionDisconnectTable, ActionResetTable, ActionReadTable,
                                      ActionSetupTable>;
