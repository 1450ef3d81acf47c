// Every table's columns as the template declares them, each beside the
// record member that holds it, written out here rather than taken from the
// records' column maps, so that a test can hold the maps to them. The runs
// that many records share are written once.
#pragma once
#include <tuple>
#include <vector>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDDataBase.h"
#include "ATMLViewLayer/TaDB/DBEntity/ColumnMap.h"
#include "support/TestStore.h"

// One table: its name, its columns with their members, and the store's
// operations that add a row to it (mode 1) and list all of its rows.
template <class R>
struct WrittenTable {
    using Record = R;
    const char* name;
    std::vector<Column<R>> columns;
    RESULTSTATE (*add)(TestStore&, R&);
    RESULTSTATE (*list)(TestStore&, CObList&);
};

// The type the template declares for a column of a member's type.
inline const char* DeclaredType(ColumnType type) {
    switch (type) {
        case ColumnType::Text: return "TEXT";
        case ColumnType::Long: return "INTEGER";
        case ColumnType::Date: return "REAL";
    }
    return "";
}

template <class R>
std::vector<Column<R>> Joined(std::initializer_list<std::vector<Column<R>>> runs) {
    std::vector<Column<R>> all;
    for (const auto& run : runs) all.insert(all.end(), run.begin(), run.end());
    return all;
}

template <class R>
std::vector<Column<R>> WrittenHead() {
    return {{"ACTION_UUID", &R::m_strActionUuid},        {"ACTION_NAME", &R::m_strActionName},
            {"ACTION_ATML_ID", &R::m_strActionAtmlId},   {"ACTION_DESCRIPTION", &R::m_strActionDescription},
            {"ACTION_SLEEP_PRE", &R::m_nActionSleepPre}, {"ACTION_SLEEP_POST", &R::m_nActionSleepPost}};
}

template <class R>
std::vector<Column<R>> WrittenReserve() {
    return {{"RESERVER1", &R::m_nReserver1},
            {"RESERVER2", &R::m_strReserver2},
            {"RESERVER3", &R::m_strReserver3},
            {"RESERVER4", &R::m_strReserver4}};
}

template <class R>
std::vector<Column<R>> WrittenAudit() {
    return {{"CREATE_DATE", &R::m_dtCreateDate},
            {"MODIFY_DATE", &R::m_dtModifyDate},
            {"CREATE_PERSON", &R::m_strCreatePerson},
            {"MODIFY_PERSON", &R::m_strModifyPerson}};
}

// The connection columns of the connect, disconnect and reset actions.
template <class R>
std::vector<Column<R>> WrittenConnection() {
    return {{"SIGNAL_UUID", &R::m_strSignalUuid},
            {"CONNECT_TYPE", &R::m_strConnectType},
            {"INSTRU_CONTENT", &R::m_strInstruContent},
            {"UUT_CONTENT", &R::m_strUutContent}};
}

#define WRITTEN_OPS(Add, List) \
    [](TestStore& s, auto& r) { return s.Add(r, 1); }, [](TestStore& s, CObList& l) { return s.List; }

// The tables the store adds rows to, one by one (EditionTable, which it only
// reads, stands with the template's tests).
inline auto WrittenTables() {
    using Tps = CTaDBTps;
    using Group = CTaDBTestGroup;
    using Point = CTaDBTestPoint;
    using Entry = CTaDBEntry;
    using GroupEntry = CTaDBTestGroupEntry;
    using ActionEntry = CTaDBTestActionEntry;
    using Connect = CTaDBActionConnect;
    using Disconnect = CTaDBActionDisconnect;
    using Reset = CTaDBActionReset;
    using Read = CTaDBActionRead;
    using Setup = CTaDBActionSetup;
    using Formula = CTaDBFormula;
    using Instrument = CTaDBInstrument;
    using Message = CTaDBMessageHint;
    using Parameter = CTaDBParameter;
    using Signal = CTaDBSignal;
    using Compare = CTaDBActionCompare;
    using Outcome = CTaDBOutcome;
    using Result = CTaDBTestResult;
    using Measurement = CTaDBMeasurement;
    using Logged = CTaDBTestMeasurement;
    using Replay = CTaDBTestReplay;
    return std::make_tuple(
        WrittenTable<Tps>{"TpsTable",
                          Joined<Tps>({{{"TPS_UUID", &Tps::m_strTpsUuid},
                                        {"TPS_NAME", &Tps::m_strTpsName},
                                        {"TPS_ATML_ID", &Tps::m_strTpsAtmlId},
                                        {"TPS_DESCRIPTION", &Tps::m_strTpsDescription},
                                        {"TPS_VERSION", &Tps::m_strTpsVersion},
                                        {"UUT_INFO", &Tps::m_strUutInfo},
                                        {"OUTCOME_UUID", &Tps::m_strOutcomeUuid},
                                        {"ACT_STATE", &Tps::m_strActState}},
                                       WrittenReserve<Tps>(),
                                       WrittenAudit<Tps>()}),
                          WRITTEN_OPS(AddItem_Tps, GetAllItem_Tps(l))},
        WrittenTable<Group>{"TestGroupTable",
                            Joined<Group>({{{"TG_UUID", &Group::m_strTgUuid},
                                            {"TG_NAME", &Group::m_strTgName},
                                            {"TG_ATML_ID", &Group::m_strTgAtmlId},
                                            {"TG_DESCRIPTION", &Group::m_strTgDescription},
                                            {"TG_SLEEP_PRE", &Group::m_nTgSleepPre},
                                            {"TG_SLEEP_POST", &Group::m_nTgSleepPost},
                                            {"TG_TYPE", &Group::m_strTgType},
                                            {"TG_CONTROL", &Group::m_strTgControl},
                                            {"TG_CONTROL_TYPE", &Group::m_strTgControlType},
                                            {"TG_CONTROL_INFO_COUNT", &Group::m_strTgControlInfoCount},
                                            {"TG_CONTROL_INFO_QUALITY", &Group::m_strTgControlInfoQuality},
                                            {"OUTCOME_UUID", &Group::m_strOutcomeUuid},
                                            {"ACT_STATE", &Group::m_strActState},
                                            {"OUTCOME_RETURN_UUID", &Group::m_strOutcomeReturnUuid},
                                            {"TEST_TYPE", &Group::m_strTestType},
                                            {"TEST_UUID", &Group::m_strTestUuid},
                                            {"OUTCOME_CALL_UUID", &Group::m_strOutcomeCallUuid}},
                                           WrittenReserve<Group>(),
                                           WrittenAudit<Group>()}),
                            WRITTEN_OPS(AddItem_TestGroupTable, GetAllItem_TestGroupTable(l))},
        WrittenTable<Point>{"TestPointTable",
                            Joined<Point>({{{"TP_UUID", &Point::m_strTpUuid},
                                            {"TP_NAME", &Point::m_strTpName},
                                            {"TP_ATML_ID", &Point::m_strTpAtmlId},
                                            {"TP_DESCRIPTION", &Point::m_strTpDescription},
                                            {"TP_SLEEP_PRE", &Point::m_nTpSleepPre},
                                            {"TP_SLEEP_POST", &Point::m_nTpSleepPost},
                                            {"OUTCOME_UUID", &Point::m_strOutcomeUuid},
                                            {"ACT_STATE", &Point::m_strActState}},
                                           WrittenReserve<Point>(),
                                           WrittenAudit<Point>()}),
                            WRITTEN_OPS(AddItem_TestPointTable, GetAllItem_TestPointTable(l))},
        WrittenTable<Entry>{"EntryTable",
                            Joined<Entry>({{{"TEST_UUID", &Entry::m_strTestUuid},
                                            {"SEQUENCE", &Entry::m_nSequence},
                                            {"TEST_TYPE", &Entry::m_strTestType}},
                                           WrittenReserve<Entry>()}),
                            WRITTEN_OPS(AddItem_EntryTable, GetAllItem_EntryTable(l))},
        WrittenTable<GroupEntry>{"TestGroupEntryTable",
                                 Joined<GroupEntry>({{{"STEP_UUID", &GroupEntry::m_strStepUuid},
                                                      {"TG_UUID", &GroupEntry::m_strTgUuid},
                                                      {"TEST_UUID", &GroupEntry::m_strTestUuid},
                                                      {"SEQUENCE", &GroupEntry::m_nSequence},
                                                      {"TEST_TYPE", &GroupEntry::m_strTestType}},
                                                     WrittenReserve<GroupEntry>()}),
                                 WRITTEN_OPS(AddItem_TestGroupEntryTable, GetAllItem_TestGroupEntryTable(l, "", ""))},
        WrittenTable<ActionEntry>{"TestActionEntryTable",
                                  Joined<ActionEntry>({{{"STEP_UUID", &ActionEntry::m_strStepUuid},
                                                        {"TP_UUID", &ActionEntry::m_strTpUuid},
                                                        {"ACTION_TYPE", &ActionEntry::m_strActionType},
                                                        {"ACTION_UUID", &ActionEntry::m_strActionUuid},
                                                        {"SEQUENCE", &ActionEntry::m_nSequence}},
                                                       WrittenReserve<ActionEntry>()}),
                                  WRITTEN_OPS(AddItem_TestActionEntry, GetAllItem_TestActionEntry(l, "", ""))},
        WrittenTable<Connect>{"ActionConnectTable",
                              Joined<Connect>({WrittenHead<Connect>(),
                                               WrittenConnection<Connect>(),
                                               {{"UUT_BUILD_INSTR", &Connect::m_strUutBuildInstr},
                                                {"UUT_BUILD_SWITCH", &Connect::m_strUutBuildSwitch}},
                                               WrittenReserve<Connect>(),
                                               WrittenAudit<Connect>()}),
                              WRITTEN_OPS(AddItem_ActionConnect, GetAllItem_ActionConnect(l, ""))},
        WrittenTable<Disconnect>{"ActionDisconnectTable",
                                 Joined<Disconnect>({WrittenHead<Disconnect>(), WrittenConnection<Disconnect>(),
                                                     WrittenReserve<Disconnect>(), WrittenAudit<Disconnect>()}),
                                 WRITTEN_OPS(AddItem_ActionDisconnect, GetAllItem_ActionDisconnect(l, ""))},
        WrittenTable<Reset>{"ActionResetTable",
                            Joined<Reset>({WrittenHead<Reset>(), WrittenConnection<Reset>(), WrittenReserve<Reset>(), WrittenAudit<Reset>()}),
                            WRITTEN_OPS(AddItem_ActionReset, GetAllItem_ActionReset(l, ""))},
        WrittenTable<Read>{"ActionReadTable",
                           Joined<Read>({WrittenHead<Read>(),
                                         {{"SIGNAL_UUID", &Read::m_strSignalUuid},
                                          {"PARA_UUID", &Read::m_strParaUuid},
                                          {"READ_NUMBER", &Read::m_nReadNumber},
                                          {"MEASUREMENT_ID", &Read::m_strMeasurementId}},
                                         WrittenReserve<Read>(),
                                         WrittenAudit<Read>()}),
                           WRITTEN_OPS(AddItem_ActionRead, GetAllItem_ActionRead(l, ""))},
        WrittenTable<Setup>{"ActionSetupTable",
                            Joined<Setup>({WrittenHead<Setup>(),
                                           {{"SIGNAL_UUID", &Setup::m_strSignalUuid},
                                            {"SIGNAL_TYPE", &Setup::m_strSignalType},
                                            {"SIGNAL_CONTENT", &Setup::m_strSignalContent},
                                            {"MEASURE_INFO", &Setup::m_strMeasureInfo}},
                                           WrittenReserve<Setup>(),
                                           WrittenAudit<Setup>()}),
                            WRITTEN_OPS(AddItem_ActionSetup, GetAllItem_ActionSetup(l, ""))},
        WrittenTable<Formula>{"FormulaTable",
                              Joined<Formula>({WrittenHead<Formula>(),
                                               WrittenReserve<Formula>(),
                                               {{"FORMULA_INFO", &Formula::m_strFormulaInfo},
                                                {"PARA_UUID", &Formula::m_strParaUuid},
                                                {"MEASUREMENT_ID", &Formula::m_strMeasurementId}}}),
                              WRITTEN_OPS(AddItem_Formula, GetAllItem_Formula(l, ""))},
        WrittenTable<Instrument>{"InstrumentTable",
                                 Joined<Instrument>({WrittenHead<Instrument>(),
                                                     {{"INSTRU_TYPE", &Instrument::m_strInstruType},
                                                      {"IVI_INSTRU_TYPE", &Instrument::m_strIviInstruType},
                                                      {"SELF_INSTRU_TYPE", &Instrument::m_strSelfInstruType},
                                                      {"IVI_LOGICAL_NAME", &Instrument::m_strIviLogicalName},
                                                      {"INSTRU_ADDRESS", &Instrument::m_strInstruAddress},
                                                      {"INSTRU_CONTENT", &Instrument::m_strInstruContent},
                                                      {"INSTRU_ID", &Instrument::m_strInstruId},
                                                      {"PARA_UUID", &Instrument::m_strParaUuid},
                                                      {"MEASUREMENT_ID", &Instrument::m_strMeasurementId}},
                                                     WrittenReserve<Instrument>()}),
                                 WRITTEN_OPS(AddItem_Instrument, GetAllItem_Instrument(l, ""))},
        WrittenTable<Message>{"MessageHintTable",
                              Joined<Message>({WrittenHead<Message>(),
                                               {{"MESSAGE", &Message::m_strMessage},
                                                {"MESSAGE_FORMAT", &Message::m_strMessageFormat},
                                                {"PICTURE_TYPE", &Message::m_strPictureType},
                                                {"PARA_UUID_CLICK", &Message::m_strParaUuidClick},
                                                {"PARA_UUID_INFO", &Message::m_strParaUuidInfo},
                                                {"SHOW_TYPE", &Message::m_strShowType}},
                                               WrittenReserve<Message>()}),
                              WRITTEN_OPS(AddItem_MessageHint, GetAllItem_MessageHint(l, ""))},
        WrittenTable<Parameter>{"ParameterTable",
                                Joined<Parameter>({{{"PARA_UUID", &Parameter::m_strParaUuid},
                                                    {"PARA_NAME", &Parameter::m_strParaName},
                                                    {"PARA_ATML_ID", &Parameter::m_strParaAtmlId},
                                                    {"PARA_DESCRIPTION", &Parameter::m_strParaDescription},
                                                    {"PARA_TYPE", &Parameter::m_strParaType},
                                                    {"NUMBER", &Parameter::m_nNumber},
                                                    {"UNIT", &Parameter::m_strUnit},
                                                    {"DATA_VALUE", &Parameter::m_strDataValue},
                                                    {"PARA_RANGE", &Parameter::m_strParaRange},
                                                    {"TP_UUID", &Parameter::m_strTpUuid}},
                                                   WrittenReserve<Parameter>(),
                                                   WrittenAudit<Parameter>()}),
                                WRITTEN_OPS(AddItem_Parameter, GetAllItem_Parameter(l, ""))},
        WrittenTable<Signal>{"SignalTable",
                             Joined<Signal>({{{"SIGNAL_UUID", &Signal::m_strSignalUuid},
                                              {"SIGNAL_NAME", &Signal::m_strSignalName},
                                              {"SIGNAL_ATML_ID", &Signal::m_strSignalAtmlId},
                                              {"SIGNAL_DESCRIPTION", &Signal::m_strSignalDescription},
                                              {"SIGNAL_ROLE", &Signal::m_strSignalRole},
                                              {"SIGNAL_RANGE", &Signal::m_strSignalRange},
                                              {"TP_UUID", &Signal::m_strTpUuid}},
                                             WrittenReserve<Signal>(),
                                             WrittenAudit<Signal>()}),
                             WRITTEN_OPS(AddItem_Signal, GetAllItem_Signal(l, ""))},
        WrittenTable<Compare>{"ActionCompareTable",
                              Joined<Compare>({WrittenHead<Compare>(),
                                               WrittenReserve<Compare>(),
                                               WrittenAudit<Compare>(),
                                               {{"MEASUREMENT_ID", &Compare::m_strMeasurementId},
                                                {"TR_UUID", &Compare::m_strTrUuid},
                                                {"OUTCOME_PASS_UUID", &Compare::m_strOutcomePassUuid},
                                                {"OUTCOME_FAIL_UUID", &Compare::m_strOutcomeFailUuid},
                                                {"ACT_PASS", &Compare::m_strActPass},
                                                {"ACT_FAIL", &Compare::m_strActFail}}}),
                              WRITTEN_OPS(AddItem_ActionCompare, GetAllItem_ActionCompare(l, ""))},
        WrittenTable<Outcome>{"OutcomeTable",
                              Joined<Outcome>({WrittenHead<Outcome>(),
                                               WrittenReserve<Outcome>(),
                                               WrittenAudit<Outcome>(),
                                               {{"DATA_VALUE", &Outcome::m_strDataValue},
                                                {"OUTCOME_RANGE", &Outcome::m_strOutcomeRange},
                                                {"TP_UUID", &Outcome::m_strTpUuid},
                                                {"FAULT_ID", &Outcome::m_strFaultId}}}),
                              WRITTEN_OPS(AddItem_Outcome, GetAllItem_Outcome(l, ""))},
        WrittenTable<Result>{"TestResultTable",
                             Joined<Result>({WrittenHead<Result>(),
                                             WrittenReserve<Result>(),
                                             WrittenAudit<Result>(),
                                             {{"DATA_TYPE", &Result::m_strDataType},
                                              {"DATA_UNIT", &Result::m_strDataUnit},
                                              {"COMPARE_WAY", &Result::m_strCompareWay},
                                              {"COMPARE_UP", &Result::m_strCompareUp},
                                              {"COMPARE_DOWN", &Result::m_strCompareDown},
                                              {"TR_RANGE", &Result::m_strTrRange},
                                              {"TP_UUID", &Result::m_strTpUuid}}}),
                             WRITTEN_OPS(AddItem_TestResult, GetAllItem_TestResult(l))},
        WrittenTable<Measurement>{"MeasurementTable",
                                  Joined<Measurement>({{{"MEAS_UUID", &Measurement::m_strMeasUuid},
                                                        {"MEAS_NAME", &Measurement::m_strMeasName},
                                                        {"MEAS_ATML_ID", &Measurement::m_strMeasAtmlId},
                                                        {"MEAS_DESCRIPTION", &Measurement::m_strMeasDescription},
                                                        {"MEAS_TYPE", &Measurement::m_strMeasType},
                                                        {"NUMBER", &Measurement::m_nNumber},
                                                        {"UNIT", &Measurement::m_strUnit},
                                                        {"DATA_VALUE", &Measurement::m_strDataValue},
                                                        {"TR_UUID", &Measurement::m_strTrUuid},
                                                        {"OUTCOME_UUID", &Measurement::m_strOutcomeUuid},
                                                        {"ACT_STATE", &Measurement::m_strActState},
                                                        {"TR_TEXT", &Measurement::m_strTrText},
                                                        {"OUTCOME_TEXT", &Measurement::m_strOutcomeText},
                                                        {"TEST_DATE", &Measurement::m_dtTestDate}},
                                                       WrittenReserve<Measurement>(),
                                                       WrittenAudit<Measurement>()}),
                                  WRITTEN_OPS(AddItem_Measurement, GetAllItem_Measurement(l))},
        WrittenTable<Logged>{"TestMeasurementTable",
                             Joined<Logged>({{{"TEST_UUID", &Logged::m_strTestUuid},
                                              {"TP_UUID", &Logged::m_strTpUuid},
                                              {"ACTION_TYPE", &Logged::m_strActionType},
                                              {"MEAS_NAME", &Logged::m_strMeasName},
                                              {"MEAS_DESCRIPTION", &Logged::m_strMeasDescription},
                                              {"MEAS_TYPE", &Logged::m_strMeasType},
                                              {"NUMBER", &Logged::m_nNumber},
                                              {"UNIT", &Logged::m_strUnit},
                                              {"DATA_VALUE", &Logged::m_strDataValue},
                                              {"TR_UUID", &Logged::m_strTrUuid},
                                              {"OUTCOME_UUID", &Logged::m_strOutcomeUuid},
                                              {"ACT_STATE", &Logged::m_strActState},
                                              {"TR_TEXT", &Logged::m_strTrText},
                                              {"OUTCOME_TEXT", &Logged::m_strOutcomeText},
                                              {"TEST_DATE", &Logged::m_dtTestDate}},
                                             WrittenReserve<Logged>(),
                                             WrittenAudit<Logged>()}),
                             WRITTEN_OPS(AddItem_TestMeasurement, GetAllItem_TestMeasurement(l, ""))},
        WrittenTable<Replay>{"TestReplayTable",
                             Joined<Replay>({{{"PLAY_UUID", &Replay::m_strPlayUuid},
                                              {"PLAY_NAME", &Replay::m_strPlayName},
                                              {"PLAY_DESCRIPTION", &Replay::m_strPlayDescription},
                                              {"PLAY_DATE", &Replay::m_dtPlayDate},
                                              {"PLAY_TYPE", &Replay::m_strPlayType},
                                              {"CLEW_DATE", &Replay::m_dtClewDate},
                                              {"CLEW_MESSAGE", &Replay::m_strClewMessage},
                                              {"CLEW_PARAMETER", &Replay::m_strClewParameter},
                                              {"MEAS_NAME", &Replay::m_strMeasName},
                                              {"MEAS_NUMBER", &Replay::m_nMeasNumber},
                                              {"MEAS_UNIT", &Replay::m_strMeasUnit},
                                              {"MEAS_DATA_VALUE", &Replay::m_strMeasDataValue},
                                              {"MEAS_TR_TEXT", &Replay::m_strMeasTrText},
                                              {"MEAS_OUTCOME_TEXT", &Replay::m_strMeasOutcomeText},
                                              {"MEAS_TEST_DATE", &Replay::m_dtMeasTestDate}},
                                             WrittenReserve<Replay>(),
                                             WrittenAudit<Replay>()}),
                             WRITTEN_OPS(AddItem_TestReplay, GetAllItem_TestReplay(l))});
}

#undef WRITTEN_OPS

// EditionTable: its first reserve column is a text.
inline std::vector<Column<CTaDBEdition>> WrittenEditionColumns() {
    using E = CTaDBEdition;
    return {{"TABLE", &E::m_strTable},         {"EDITION", &E::m_nEdition},
            {"RESERVER1", &E::m_strReserver1}, {"RESERVER2", &E::m_strReserver2},
            {"RESERVER3", &E::m_strReserver3}, {"RESERVER4", &E::m_strReserver4}};
}
