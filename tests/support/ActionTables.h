// The five action tables, each described once (as in FlatTables.h) so that
// the table protocol's suite and the action tests drive them all.
#pragma once
#include "support/FlatTableSuite.h"

// The traits of an action table; its clear fails at clearPosition. Own()
// gives the record's own members with their columns, written out here
// rather than taken from the record's column map, so that the map is under
// test.
#define ACTION_TABLE(Family, clearPosition, ...)                                                   \
    TABLE_TRAITS(Family##Table, Family, Family, "ACTION", Action, GetAllItem_##Family(l, filter),  \
                 static constexpr const char* kClearPosition = "CTaDBTDDataSingle::" clearPosition; \
                 static std::vector<Column<Record>> Own() { return {__VA_ARGS__}; })

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
