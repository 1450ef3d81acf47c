// A small host program: it creates a project, fills it with a TPS header,
// test groups and test points, gives a test point its action steps and its
// resources, logs a test run, orders the program and moves its entries
// about, sets up two signals and reads them back, saves and closes it, opens
// it again and reports what it finds, the way a host uses the library.
//   ruri_example [project path]
// Without a path it works on the untitled (temporary) project.
#include <cstdio>
#include <memory>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"
#include "ATMLViewLayer/TaDB/DBTDOther/StdSignal.h"

namespace {
// The store, with its per-table editions readable for the report.
class ExampleStore : public CTaDBTDDataSingle {
public:
    void PrintEditions() const {
        const struct {
            const char* table;
            int edition;
        } editions[] = {{"TpsTable", m_nEditionTpsTable},
                        {"EntryTable", m_nEditionEntryTable},
                        {"TestGroupTable", m_nEditionTestGroupTable},
                        {"TestGroupEntryTable", m_nEditionTestGroupEntryTable},
                        {"TestPointTable", m_nEditionTestPointTable},
                        {"TestActionEntryTable", m_nEditionTestActionEntryTable},
                        {"SignalTable", m_nEditionSignalTable},
                        {"MeasurementTable", m_nEditionMeasurementTable}};
        for (const auto& entry : editions) std::printf("  %-22s edition %d\n", entry.table, entry.edition);
    }
};

// Prints the names of the records of a list, then gives the records back.
template <class R>
void PrintNames(CTaDBTDDataSingle& store, CObList& list, const char* className, CString R::*name) {
    for (POSITION pos = list.GetHeadPosition(); pos;)
        std::printf("  - %s\n", (static_cast<R*>(list.GetNext(pos))->*name).GetString());
    store.ClearObjectList(list, className);
}

// Prints the project's top-level entries in their order, by name.
void PrintOrder(CTaDBTDDataSingle& store) {
    CObList list;
    store.GetAllItem_EntryTable(list);
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const CTaDBEntry* entry = static_cast<CTaDBEntry*>(list.GetNext(pos));
        CString name = entry->m_strTestUuid;
        CTaDBTestGroup group;
        CTaDBTestPoint point;
        if (entry->m_strTestType == "测试项目" && store.GetItem_TestGroupTable(group, 1, entry->m_strTestUuid) == 1)
            name = group.m_strTgName;
        else if (store.GetItem_TestPointTable(point, 1, entry->m_strTestUuid) == 1)
            name = point.m_strTpName;
        std::printf("  %ld. %s\n", entry->m_nSequence, name.GetString());
    }
    store.ClearObjectList(list, "CTaDBEntry");
}

// Appends an entry for a test group or test point at the end of the program.
RESULTSTATE AddEntry(CTaDBTDDataSingle& store, const CString& key, const char* type) {
    CTaDBEntry entry;
    entry.m_strTestUuid = key;
    entry.m_strTestType = type;
    const RESULTSTATE result = store.GetNewSequence_EntryTable(entry.m_nSequence);
    return result == 1 ? store.AddItem_EntryTable(entry, 1) : result;
}

// Prints the outcome of a step; on failure, the store's message and trace.
bool Report(const char* step, RESULTSTATE result, const CATMLError& store) {
    std::printf("%-34s %s\n", step, result == 1 ? "ok" : result == 0 ? "warning" : "failed");
    if (result != 1)
        std::printf("  %s\n  %s\n", store.GetErrorInfo().GetString(), store.GetErrorTrace().GetString());
    return result == 1;
}

// Prints the outcome of a step that is meant to be turned down, with the store's reason.
void ReportRefusal(const char* step, RESULTSTATE result, const CATMLError& store) {
    if (result == 1) std::printf("%-34s ok, though a refusal was expected\n", step);
    else std::printf("%-34s turned down, as expected: %s\n", step, store.GetErrorInfo().GetString());
}

// Prints the action steps of a test point in their order, with their actions' names.
void PrintSteps(CTaDBTDDataSingle& store, const CString& tpUuid) {
    CObList steps;
    store.GetAllItem_TestActionEntry(steps, tpUuid, "");
    for (POSITION pos = steps.GetHeadPosition(); pos;) {
        const CTaDBTestActionEntry* step = static_cast<CTaDBTestActionEntry*>(steps.GetNext(pos));
        CTaDBActionConnect connect;
        CTaDBActionSetup setup;
        CTaDBActionRead read;
        CString name = "?";
        if (store.GetItem_ActionConnect(connect, 1, step->m_strActionUuid) == 1) name = connect.m_strActionName;
        else if (store.GetItem_ActionSetup(setup, 1, step->m_strActionUuid) == 1) name = setup.m_strActionName;
        else if (store.GetItem_ActionRead(read, 1, step->m_strActionUuid) == 1) name = read.m_strActionName;
        std::printf("  %ld. %s: %s\n", step->m_nSequence, step->m_strActionType.GetString(), name.GetString());
    }
    store.ClearObjectList(steps, "CTaDBTestActionEntry");
}

// Gives a test point a connect, a set-up and a read action, places them as
// its steps, lists the steps in order, then deletes the set-up with its step.
void AddActionSteps(CTaDBTDDataSingle& store, const CString& tpUuid) {
    CTaDBActionConnect connect;
    connect.m_strActionName = "Connect the supply";
    connect.m_strConnectType = "测试仪器";
    CTaDBActionSetup setup;
    setup.m_strActionName = "Set 5 V";
    CTaDBActionRead read;
    read.m_strActionName = "Read the voltage";
    read.m_nReadNumber = 3;
    Report("Add a connect action", store.AddItem_ActionConnect(connect, 1), store);
    Report("Add a set-up action", store.AddItem_ActionSetup(setup, 1), store);
    Report("Add a read action", store.AddItem_ActionRead(read, 1), store);

    const struct {
        const char* type;
        CString action;
    } steps[] = {{"建立连接", connect.m_strActionUuid},
                 {"设置信号", setup.m_strActionUuid},
                 {"数据测量", read.m_strActionUuid}};
    bool placed = true;
    for (const auto& s : steps) {
        CTaDBTestActionEntry step;
        step.m_strTpUuid = tpUuid;
        step.m_strActionType = s.type;
        step.m_strActionUuid = s.action;
        placed = placed && store.GetNewSequence_TestActionEntry(tpUuid, step.m_nSequence) == 1 &&
                 store.AddItem_TestActionEntry(step, 1) == 1;
    }
    Report("Place them as action steps", placed ? 1 : -1, store);
    PrintSteps(store, tpUuid);
    Report("Delete the set-up action", store.DelItem_ActionSetup(setup.m_strActionUuid), store);
    Report("Delete its step", store.DelSequence_Uuid_TestActionEntry(setup.m_strActionUuid), store);
    PrintSteps(store, tpUuid);
}

// The resources of a test point: a parameter, an instrument that reads it, a
// signal of the whole program and one of the test point; finds each signal
// by its name in its scope and renames one.
void AddResources(CTaDBTDDataSingle& store, const CString& tpUuid) {
    CTaDBParameter limit;
    limit.m_strParaName = "Supply limit";
    limit.m_strDataValue = "5.25";
    limit.m_strUnit = "V";
    limit.m_strTpUuid = tpUuid;
    Report("Add a parameter of the test point", store.AddItem_Parameter(limit, 1), store);
    CTaDBInstrument meter;
    meter.m_strActionName = "Digital multimeter";
    meter.m_strIviLogicalName = "DMM1";
    meter.m_strParaUuid = limit.m_strParaUuid;
    Report("Add an instrument that reads it", store.AddItem_Instrument(meter, 1), store);

    CTaDBSignal clock, supply;
    clock.m_strSignalName = "System clock";
    clock.m_strSignalRange = "全局";
    supply.m_strSignalName = "Supply";
    supply.m_strSignalRole = "测量";
    supply.m_strTpUuid = tpUuid;
    Report("Add a global signal", store.AddItem_Signal(clock, 1), store);
    Report("Add a signal of the test point", store.AddItem_Signal(supply, 1), store);

    CTaDBSignal found;
    Report("Find the global signal by name", store.GetItem_Signal(found, "system clock"), store);
    std::printf("  %s (%s)\n", found.m_strSignalName.GetString(), found.m_strSignalRange.GetString());
    Report("Find the local signal by name", store.GetItem_Signal(found, "Supply", tpUuid), store);
    std::printf("  %s (%s, %s)\n", found.m_strSignalName.GetString(), found.m_strSignalRange.GetString(),
                found.m_strSignalRole.GetString());
    ReportRefusal("Look for it among the globals", store.GetItem_Signal(found, "Supply"), store);
    Report("Rename the local signal", store.RenameItem_Signal(supply.m_strSignalUuid, "Supply voltage"), store);

    CObList list;
    Report("List the test point's signals", store.GetAllItem_Signal(list, tpUuid), store);
    PrintNames(store, list, "CTaDBSignal", &CTaDBSignal::m_strSignalName);
}

// A test run as a host logs it: one measured value for each test point it
// ran and a replay entry; lists both logs back, then clears the project's
// ATML IDs.
void LogTestRun(CTaDBTDDataSingle& store, const CTaDBTestPoint* points, int count) {
    bool logged = true;
    for (int i = 0; i < count; ++i) {
        CTaDBTestMeasurement value;
        value.m_strTpUuid = points[i].m_strTpUuid;
        value.m_strActionType = "数据测量";
        value.m_strMeasName = "Output voltage";
        value.m_strDataValue.Format("%.2f", 4.98 + 0.01 * i);
        value.m_strUnit = "V";
        value.m_strTrText = "4.75 V .. 5.25 V";
        value.m_strOutcomeText = "通过";
        value.m_dtTestDate = COleDateTime::GetCurrentTime();
        logged = logged && store.AddItem_TestMeasurement(value, 1) == 1;
    }
    Report("Log a value per test point", logged ? 1 : -1, store);
    CTaDBTestReplay replay;
    replay.m_strPlayName = "Run 1";
    replay.m_strClewMessage = "All test points passed";
    Report("Log the run for replay", store.AddItem_TestReplay(replay, 1), store);

    CObList list;
    Report("List the measured values", store.GetAllItem_TestMeasurement(list, "Output voltage"), store);
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const CTaDBTestMeasurement* value = static_cast<CTaDBTestMeasurement*>(list.GetNext(pos));
        CString point;
        store.GetTestItemName("测试点", value->m_strTpUuid, point);
        std::printf("  %s: %s %s (%s)\n", point.GetString(), value->m_strDataValue.GetString(),
                    value->m_strUnit.GetString(), value->m_strOutcomeText.GetString());
    }
    store.ClearObjectList(list, "CTaDBTestMeasurement");
    Report("List the replay log", store.GetAllItem_TestReplay(list), store);
    PrintNames(store, list, "CTaDBTestReplay", &CTaDBTestReplay::m_strPlayName);

    CString failures;
    Report("Clear the project's ATML IDs", store.ClearATMLID(failures), store);
    if (!failures.IsEmpty()) std::printf("  %s\n", failures.GetString());
}

// Prints what a signal read back from a set-up action holds.
void PrintSignal(CStdSignal& signal) {
    const _TD_REF& ref = signal.GetStdSignalRef();
    std::printf("  %s: %s, signal \"%s\" (%s, %s), measuring \"%s\"\n", signal.GetActName().GetString(),
                CStdSignal::GetSignalType(signal.GetStdSignalType()).GetString(), ref.m_strName.GetString(),
                CStdSignal::GetSignalRange(ref.m_nRange).GetString(), CStdSignal::GetSignalRole(ref.m_nRole).GetString(),
                CTaDBActionSetup::GetMeasureInfo_String(&signal).GetString());
}

// Writes an AC signal and a square wave into set-up actions of the project,
// reads the actions back into signals and prints them. A host holds signals
// as CStdSignal objects that the store makes: it names the type and the
// values it wants in a set-up action, has the store make the signal, and
// writes the signal, every attribute of its type, back into the action.
void SetUpSignals(CTaDBTDDataSingle& store) {
    CTaDBSignal output;
    output.m_strSignalName = "Output";
    output.m_strSignalRange = "全局";
    if (!Report("Add a signal", store.AddItem_Signal(output, 1), store)) return;

    const struct {
        TD_SIGNALTYPE type;
        const char* action;
        const char* values;
    } signals[] = {{TD_SIGNAL_AC, "Drive the mains input", "ac_ampl(230 V),freq(50 Hz)"},
                   {TD_SIGNAL_SQUARE_WAVE, "Clock the counter", "period(20 us),dc_offset((0.5, 1) V)"}};
    for (const auto& wanted : signals) {
        CTaDBActionSetup setup, stored;
        setup.m_strActionName = wanted.action;
        setup.m_strSignalType = CStdSignal::GetSignalType(wanted.type);
        setup.m_strSignalUuid = output.m_strSignalUuid;
        setup.m_strSignalContent = wanted.values;
        std::unique_ptr<CStdSignal> signal(store.GetStdSignal(store, setup));
        if (!signal) {
            Report("Make the signal", -1, store);
            return;
        }
        setup.SetStdSignal(signal.get());
        if (!Report("Add a set-up action", store.AddItem_ActionSetup(setup, 1), store)) return;
        std::printf("  stored as %s\n", setup.m_strSignalContent.GetString());
        if (!Report("Read the set-up action", store.GetItem_ActionSetup(stored, 1, setup.m_strActionUuid), store)) return;
        std::unique_ptr<CStdSignal> back(store.GetStdSignal(store, stored));
        if (!back) {
            Report("Read its signal", -1, store);
            return;
        }
        PrintSignal(*back);
    }
}
}  // namespace

int main(int argc, char** argv) {
    const CString path = argc > 1 ? argv[1] : "";
    ExampleStore store;
    CString where = path;
    if (where.IsEmpty()) store.GetTpsTempPath(where);

    if (!Report("New project", store.New(path, 1), store)) return 1;
    std::printf("  at %s\n", where.GetString());
    int state = 0;
    store.FilePathState(state);
    std::printf("  path state %d (%s)\n", state, state == FILEPATHSTATE_TEMP ? "untitled" : "own file");

    CTaDBTps tps;
    tps.m_strTpsName = "电源模块测试程序";
    tps.m_strTpsVersion = "1.0";
    Report("Add the TPS header", store.AddItem_Tps(tps, 1), store);

    CTaDBTestGroup power, signals(CONTROL_NODE_FOR);
    power.m_strTgName = "Power-on checks";
    signals.m_strTgName = "Signal checks";
    Report("Add a test group", store.AddItem_TestGroupTable(power, 1), store);
    Report("Add a test group with a for loop", store.AddItem_TestGroupTable(signals, 1), store);

    const char* pointNames[] = {"Supply voltage", "Ripple", "Output frequency", "Spare point"};
    CTaDBTestPoint points[4];
    for (int i = 0; i < 4; ++i) {
        points[i].m_strTpName = pointNames[i];
        if (store.AddItem_TestPointTable(points[i], 1) != 1) {
            Report("Add test points", -1, store);
            return 1;
        }
    }
    Report("Add four test points", 1, store);
    Report("Rename a test point", store.RenameItem_TestPointTable(points[1].m_strTpUuid, "Output ripple"), store);
    Report("Delete a test point", store.DelItem_TestPointTable(points[3].m_strTpUuid), store);
    AddActionSteps(store, points[0].m_strTpUuid);
    AddResources(store, points[0].m_strTpUuid);
    LogTestRun(store, points, 3);

    // The program's order: both groups, then the remaining test points.
    bool ordered = AddEntry(store, power.m_strTgUuid, "测试项目") == 1 && AddEntry(store, signals.m_strTgUuid, "测试项目") == 1;
    for (int i = 0; ordered && i < 3; ++i) ordered = AddEntry(store, points[i].m_strTpUuid, "测试点") == 1;
    Report("Order the program", ordered ? 1 : -1, store);
    PrintOrder(store);
    Report("Move the last entry to the top", store.MoveSequence_EntryTable(5, MOVEITEM_TOP), store);
    PrintOrder(store);
    Report("Move the first entry down", store.MoveSequence_EntryTable(1, MOVEITEM_DOWN), store);
    PrintOrder(store);
    ReportRefusal("Move the first entry up", store.MoveSequence_EntryTable(1, MOVEITEM_UP), store);

    CObList list;
    Report("List the test groups", store.GetAllItem_TestGroupTable(list), store);
    PrintNames(store, list, "CTaDBTestGroup", &CTaDBTestGroup::m_strTgName);
    std::printf("Signals set up:\n");
    SetUpSignals(store);

    // A project with a file of its own is edited in place and Save has
    // nothing to do; an untitled one needs a path first (SetFilePath).
    if (path.IsEmpty()) ReportRefusal("Save without a path", store.Save(), store);
    else Report("Save (edited in place)", store.Save(), store);
    Report("Close", store.Close(), store);

    if (!Report("Open again", store.Open(where), store)) return 1;
    std::printf("Editions found:\n");
    store.PrintEditions();
    CTaDBTps header;
    Report("Read the TPS header", store.GetItem_Tps(header, 1, tps.m_strTpsUuid), store);
    std::printf("  %s, version %s\n", header.m_strTpsName.GetString(), header.m_strTpsVersion.GetString());
    Report("List the test points", store.GetAllItem_TestPointTable(list), store);
    PrintNames(store, list, "CTaDBTestPoint", &CTaDBTestPoint::m_strTpName);
    std::printf("Program order:\n");
    PrintOrder(store);
    Report("Close", store.Close(), store);
    return 0;
}
