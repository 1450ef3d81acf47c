// The data-layer interface through which hosts reach a TPS project: one
// virtual operation per project and table operation, in a fixed order (the
// order is part of the interface). The project store CTaDBTDDataSingle
// implements them; the multi-user operations succeed here without effect.
//
// What every project and table operation has in common:
//
// Result (RESULTSTATE): 1 success; 0 a warning: no row has the key given,
// or a position or move that the ordered list refuses; -1 an error. No
// operation throws: running out of memory answers -1 with
// "内存不足，操作未完成！" and leaves the project as it was.
//
// Error state (CATMLError, which the store is): a failure or warning sets
// the code (-1), the message (GetErrorInfo) and the trace (GetErrorTrace:
// one entry per position it passed, the outermost first). A success resets
// nothing, so the state may still tell of an earlier call: judge a call by
// its result, and read the state only after one that did not return 1.
//
// mode of AddItem_X(record, mode): 1 appends the record as a new row; any
// other mode rewrites the row that has the record's key (-1 when no row
// has it). mode of GetItem_X(record, mode, key): any mode but 0 reads the
// row with that key, for measurements that name (0 when there is none);
// mode 0 belongs to the list operations: it reads the current row of the
// list being read and moves on.
// GetItem_TestGroupEntryTable_Uuid differs: mode 0 reads a step of the test
// group whose key is given, mode 1 the step that lists the item whose key
// is given, and any other mode finds nothing.
//
// Lists (GetAllItem_X, GetItemBySQL_X): the operation first releases what
// the list holds, then appends one record per row, allocated by the store.
// The list never frees its records: the host gives them back with
// ClearObjectList(list, class name), whatever the result, since a list that
// failed part-way holds the records read until then. A condition that is
// refused leaves the host's list as it was.
//
// Editions: opening or creating a project reads each table's edition from
// its EditionTable (a project made from the template has 10 everywhere).
// The store neither reads nor writes a table whose edition is below 10 or
// missing: an add returns -1 and writes no row, and a get, or a list that
// meets a row, returns -1 rather than make up records. The two logs have
// no edition (measured values, replays), every Clear_AtmlId_X follows the
// test group table's edition, and GetNewSequence_EntryTable counts the
// entries whatever their edition.
#pragma once
#include "platform/mfc/AfxExt.h"
#include <vector>

#include "ATMLCommonError/ATMLError.h"
#include "ATMLViewLayer/TaDB/DBActTD/TaDBUserInfo.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionCompare.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionConnect.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionDisconnect.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionRead.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionReset.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionSetup.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBEdition.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBEntry.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBFormula.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBInstrument.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBMeasurement.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBMessageHint.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBOutcome.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBParameter.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBSignal.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestActionEntry.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestGroup.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestGroupEntry.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestMeasurement.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestPoint.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestReplay.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestResult.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBTps.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CStringArray.h"

class CStdSignal;
class CStdTwoWire;

// The direction of a move in an ordered table. Like the two below, it is a
// fixed 32-bit integer, so any value a host passes is representable and an
// operation can refuse one out of range.
enum MOVEITEM_TYPE : int { MOVEITEM_UP = 0, MOVEITEM_DOWN = 1, MOVEITEM_TOP = 2, MOVEITEM_BOTTOM = 3 };

// Arguments of the multi-user operations; nothing in the library reads them.
enum DATALAYER_COMPONENT_TYPE : int { DATALAYER_COMPONENT_NONE = 0 };
enum TPS_CONTENT_OPERATE_TYPE : int { TPS_CONTENT_OPERATE_NONE = 0 };

class AFX_EXT_CLASS CTaDBTDDataBase : public CATMLError {
public:
    CTaDBTDDataBase();
    CTaDBTDDataBase(const CTaDBTDDataBase& other);
    CTaDBTDDataBase& operator=(const CTaDBTDDataBase& other);
    virtual ~CTaDBTDDataBase();

    // Project file
    virtual RESULTSTATE InitLibrary() = 0;
    virtual RESULTSTATE ReleaseLibrary() = 0;
    virtual RESULTSTATE Open(CString path) = 0;
    virtual RESULTSTATE New(CString path, int bOverwriteTemp) = 0;
    virtual RESULTSTATE Save() = 0;
    virtual RESULTSTATE Close() = 0;
    virtual RESULTSTATE SetFilePath(CString path) = 0;
    virtual RESULTSTATE GetFilePath(CString& path) = 0;
    virtual RESULTSTATE IsModified(int& modified) = 0;
    virtual RESULTSTATE SetModifyState(int modified) = 0;
    virtual RESULTSTATE FilePathState(int& state) = 0;
    virtual RESULTSTATE SetFilePathState(int state) = 0;
    virtual RESULTSTATE GetTpsTempPath(CString& path) = 0;
    // Whole project
    virtual RESULTSTATE ClearATMLID(CString& message) = 0;
    virtual RESULTSTATE GetTpsUutInfo(CTaDBTps& record) = 0;
    virtual RESULTSTATE SetTpsUutInfo(CTaDBTps& record) = 0;
    virtual RESULTSTATE GetTestItemName(CString kind, CString key, CString& name) = 0;
    // Entry table
    virtual RESULTSTATE AddItem_EntryTable(CTaDBEntry& record, int mode) = 0;
    virtual RESULTSTATE DelItem_EntryTable(CString key) = 0;
    virtual RESULTSTATE GetAllItem_EntryTable(CObList& list) = 0;
    virtual RESULTSTATE GetItem_EntryTable(CTaDBEntry& record, int mode, CString key) = 0;
    virtual RESULTSTATE GetItem_EntryTable_Seq(CTaDBEntry& record, long& sequence) = 0;
    virtual RESULTSTATE GetNewSequence_EntryTable(long& sequence) = 0;
    virtual RESULTSTATE MoveSequence_EntryTable(long sequence, MOVEITEM_TYPE type) = 0;
    virtual RESULTSTATE MoveSequence_Swop_EntryTable(long first, long second) = 0;
    virtual RESULTSTATE DelSequence_Seq_EntryTable(long sequence) = 0;
    virtual RESULTSTATE DelSequence_Uuid_EntryTable(CString key) = 0;
    virtual RESULTSTATE SetSequence_EntryTable(long from, long to) = 0;
    // Test group table
    virtual RESULTSTATE AddItem_TestGroupTable(CTaDBTestGroup& record, int mode) = 0;
    virtual RESULTSTATE DelItem_TestGroupTable(CString key) = 0;
    virtual RESULTSTATE RenameItem_TestGroupTable(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_TestGroupTable(CObList& list) = 0;
    virtual RESULTSTATE GetItem_TestGroupTable_ATMLID(CTaDBTestGroup& record, const CString& atmlId) = 0;
    virtual RESULTSTATE GetItem_TestGroupTable(CTaDBTestGroup& record, int mode, CString key) = 0;
    virtual RESULTSTATE Clear_AtmlId_TestGroupTable() = 0;
    // Test points of a group
    virtual RESULTSTATE GetAllItem_TestPointByGroup(CObList& list, CString groupKey) = 0;
    // Test group entry table
    virtual RESULTSTATE AddItem_TestGroupEntryTable(CTaDBTestGroupEntry& record, int mode) = 0;
    virtual RESULTSTATE DelItem_TestGroupEntryTable(CString key) = 0;
    virtual RESULTSTATE DelAllItem_TestGroupEntryTable(CString groupKey) = 0;
    virtual RESULTSTATE GetAllItem_TestGroupEntryTable(CObList& list, CString groupKey, CString testType) = 0;
    virtual RESULTSTATE GetItem_TestGroupEntryTable(CTaDBTestGroupEntry& record, int mode, CString key) = 0;
    virtual RESULTSTATE GetItem_TestGroupEntryTable_Seq(CTaDBTestGroupEntry& record, long sequence, const CString& groupKey) = 0;
    virtual RESULTSTATE GetItem_TestGroupEntryTable_Uuid(CTaDBTestGroupEntry& record, CString key, int mode) = 0;
    virtual RESULTSTATE GetNewSequence_TestGroupEntryTable(CString groupKey, long& sequence) = 0;
    virtual RESULTSTATE MoveSequence_TestGroupEntryTable(CString groupKey, long sequence, MOVEITEM_TYPE type) = 0;
    virtual RESULTSTATE MoveSequence_Swop_TestGroupEntryTable(CString groupKey, long first, long second) = 0;
    virtual RESULTSTATE DelSequence_Seq_TestGroupEntryTable(CString groupKey, long sequence) = 0;
    virtual RESULTSTATE DelSequence_Uuid_TestGroupEntryTable(CString key) = 0;
    virtual RESULTSTATE SetSequence_TestGroupEntryTable(CString groupKey, long from, long to) = 0;
    // Test point table
    virtual RESULTSTATE AddItem_TestPointTable(CTaDBTestPoint& record, int mode) = 0;
    virtual RESULTSTATE DelItem_TestPointTable(CString key) = 0;
    virtual RESULTSTATE RenameItem_TestPointTable(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_TestPointTable(CObList& list) = 0;
    virtual RESULTSTATE GetItem_TestPointTable(CTaDBTestPoint& record, int mode, CString key) = 0;
    virtual RESULTSTATE GetItem_TestPointTable_ATMLID(CTaDBTestPoint& record, CString atmlId) = 0;
    virtual RESULTSTATE Clear_AtmlId_TestPointTable() = 0;
    // Connect actions
    virtual RESULTSTATE AddItem_ActionConnect(CTaDBActionConnect& record, int mode) = 0;
    virtual RESULTSTATE DelItem_ActionConnect(CString key) = 0;
    virtual RESULTSTATE RenameItem_ActionConnect(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_ActionConnect(CObList& list, CString actionUuid) = 0;
    virtual RESULTSTATE GetItem_ActionConnect(CTaDBActionConnect& record, int mode, CString key) = 0;
    virtual RESULTSTATE Clear_AtmlId_ActionConnect() = 0;
    // Disconnect actions
    virtual RESULTSTATE AddItem_ActionDisconnect(CTaDBActionDisconnect& record, int mode) = 0;
    virtual RESULTSTATE DelItem_ActionDisconnect(CString key) = 0;
    virtual RESULTSTATE RenameItem_ActionDisconnect(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_ActionDisconnect(CObList& list, CString actionUuid) = 0;
    virtual RESULTSTATE GetItem_ActionDisconnect(CTaDBActionDisconnect& record, int mode, CString key) = 0;
    virtual RESULTSTATE Clear_AtmlId_ActionDisconnect() = 0;
    // Reset actions
    virtual RESULTSTATE AddItem_ActionReset(CTaDBActionReset& record, int mode) = 0;
    virtual RESULTSTATE DelItem_ActionReset(CString key) = 0;
    virtual RESULTSTATE RenameItem_ActionReset(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_ActionReset(CObList& list, CString actionUuid) = 0;
    virtual RESULTSTATE GetItem_ActionReset(CTaDBActionReset& record, int mode, CString key) = 0;
    virtual RESULTSTATE Clear_AtmlId_ActionReset() = 0;
    // Read actions
    virtual RESULTSTATE AddItem_ActionRead(CTaDBActionRead& record, int mode) = 0;
    virtual RESULTSTATE DelItem_ActionRead(CString key) = 0;
    virtual RESULTSTATE RenameItem_ActionRead(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_ActionRead(CObList& list, CString actionUuid) = 0;
    virtual RESULTSTATE GetItem_ActionRead(CTaDBActionRead& record, int mode, CString key) = 0;
    virtual RESULTSTATE Clear_AtmlId_ActionRead() = 0;
    // Set-up actions
    virtual RESULTSTATE AddItem_ActionSetup(CTaDBActionSetup& record, int mode) = 0;
    virtual RESULTSTATE GetItem_ActionSetup(CTaDBActionSetup& record, int mode, CString key) = 0;
    virtual RESULTSTATE DelItem_ActionSetup(CString key) = 0;
    virtual RESULTSTATE RenameItem_ActionSetup(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_ActionSetup(CObList& list, CString actionUuid) = 0;
    virtual RESULTSTATE Clear_AtmlId_ActionSetup() = 0;
    // Formulas
    virtual RESULTSTATE AddItem_Formula(CTaDBFormula& record, int mode) = 0;
    virtual RESULTSTATE GetItem_Formula(CTaDBFormula& record, int mode, CString key) = 0;
    virtual RESULTSTATE DelItem_Formula(CString key) = 0;
    virtual RESULTSTATE RenameItem_Formula(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_Formula(CObList& list, CString actionUuid) = 0;
    virtual RESULTSTATE Clear_AtmlId_Formula() = 0;
    // Test action entry table
    virtual RESULTSTATE AddItem_TestActionEntry(CTaDBTestActionEntry& record, int mode) = 0;
    virtual RESULTSTATE GetAllItem_TestActionEntry(CObList& list, CString tpUuid, CString actionType) = 0;
    virtual RESULTSTATE GetItem_TestActionEntry(CTaDBTestActionEntry& record, int mode, CString key) = 0;
    virtual RESULTSTATE GetItem_TestActionEntry_TP(CTaDBTestActionEntry& record, CString tpUuid, long sequence) = 0;
    virtual RESULTSTATE GetItem_TestActionEntry_Action(CTaDBTestActionEntry& record, CString actionUuid) = 0;
    virtual RESULTSTATE DelItem_TestActionEntry(CString key) = 0;
    virtual RESULTSTATE DelAllItem_TestActionEntry_TP(CString tpUuid) = 0;
    virtual RESULTSTATE GetNewSequence_TestActionEntry(CString tpUuid, long& sequence) = 0;
    virtual RESULTSTATE MoveSequence_TestActionEntry(CString tpUuid, long sequence, MOVEITEM_TYPE type) = 0;
    virtual RESULTSTATE MoveSequence_Swop_TestActionEntry(CString tpUuid, long first, long second) = 0;
    virtual RESULTSTATE DelSequence_Seq_TestActionEntry(CString tpUuid, long sequence) = 0;
    virtual RESULTSTATE DelSequence_Uuid_TestActionEntry(CString key) = 0;
    virtual RESULTSTATE SetSequence_TestActionEntry(CString tpUuid, long from, long to) = 0;
    // Instruments
    virtual RESULTSTATE AddItem_Instrument(CTaDBInstrument& record, int mode) = 0;
    virtual RESULTSTATE GetItem_Instrument(CTaDBInstrument& record, int mode, CString key) = 0;
    virtual RESULTSTATE DelItem_Instrument(CString key) = 0;
    virtual RESULTSTATE RenameItem_Instrument(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_Instrument(CObList& list, CString actionUuid) = 0;
    virtual RESULTSTATE Clear_AtmlId_Instrument() = 0;
    // Message hints
    virtual RESULTSTATE AddItem_MessageHint(CTaDBMessageHint& record, int mode) = 0;
    virtual RESULTSTATE GetItem_MessageHint(CTaDBMessageHint& record, int mode, CString key) = 0;
    virtual RESULTSTATE DelItem_MessageHint(CString key) = 0;
    virtual RESULTSTATE RenameItem_MessageHint(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_MessageHint(CObList& list, CString actionUuid) = 0;
    virtual RESULTSTATE Clear_AtmlId_MessageHint() = 0;
    // Parameters
    virtual RESULTSTATE AddItem_Parameter(CTaDBParameter& record, int mode) = 0;
    virtual RESULTSTATE GetItem_Parameter(CTaDBParameter& record, CString name) = 0;
    virtual RESULTSTATE GetItem_Parameter(CTaDBParameter& record, int mode, CString key) = 0;
    virtual RESULTSTATE DelItem_Parameter(CString key) = 0;
    virtual RESULTSTATE RenameItem_Parameter(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_Parameter(CObList& list, CString tpUuid) = 0;
    virtual RESULTSTATE Clear_AtmlId_Parameter() = 0;
    // Signals
    virtual RESULTSTATE AddItem_Signal(CTaDBSignal& record, int mode) = 0;
    virtual RESULTSTATE GetItem_Signal(CTaDBSignal& record, CString name, CString tpUuid) = 0;
    virtual RESULTSTATE GetItem_Signal(CTaDBSignal& record, CString name) = 0;
    virtual RESULTSTATE GetItem_Signal(CTaDBSignal& record, int mode, CString key) = 0;
    virtual RESULTSTATE GetItem_Signal_ATMLID(CTaDBSignal& record, CString atmlId, CString tpUuid) = 0;
    virtual RESULTSTATE DelItem_Signal(CString key) = 0;
    virtual RESULTSTATE RenameItem_Signal(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_Signal(CObList& list, CString tpUuid) = 0;
    virtual RESULTSTATE Clear_AtmlId_Signal() = 0;
    // TPS table
    virtual RESULTSTATE AddItem_Tps(CTaDBTps& record, int mode) = 0;
    virtual RESULTSTATE GetItem_Tps(CTaDBTps& record, int mode, CString key) = 0;
    virtual RESULTSTATE DelItem_Tps(CString key) = 0;
    virtual RESULTSTATE RenameItem_Tps(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_Tps(CObList& list) = 0;
    virtual RESULTSTATE Clear_AtmlId_Tps() = 0;
    // Measurements: read and deleted by name, updated and renamed by key. A
    // condition is SQL text in SQLite's dialect that may only read the
    // project's tables (one statement).
    virtual RESULTSTATE AddItem_Measurement(CTaDBMeasurement& record, int mode) = 0;
    virtual RESULTSTATE GetItem_Measurement(CTaDBMeasurement& record, int mode, CString name) = 0;
    virtual RESULTSTATE DelItem_Measurement(CString name) = 0;
    virtual RESULTSTATE RenameItem_Measurement(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_Measurement(CObList& list) = 0;
    virtual RESULTSTATE GetItemBySQL_Measurement(CObList& list, const char* condition) = 0;
    virtual RESULTSTATE Clear_AtmlId_Measurement() = 0;
    // Outcomes: GetItem_Outcome_AMTLID looks up the ATML ID, then the name.
    virtual RESULTSTATE AddItem_Outcome(CTaDBOutcome& record, int mode) = 0;
    virtual RESULTSTATE GetItem_Outcome(CTaDBOutcome& record, CString name) = 0;
    virtual RESULTSTATE GetItem_Outcome(CTaDBOutcome& record, int mode, CString key) = 0;
    virtual RESULTSTATE GetItem_Outcome_AMTLID(CTaDBOutcome& record, const CString& atmlId, const CString& name) = 0;
    virtual RESULTSTATE DelItem_Outcome(CString key) = 0;
    virtual RESULTSTATE RenameItem_Outcome(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_Outcome(CObList& list, CString tpUuid) = 0;
    virtual RESULTSTATE Clear_AtmlId_Outcome() = 0;
    // Test results
    virtual RESULTSTATE AddItem_TestResult(CTaDBTestResult& record, int mode) = 0;
    virtual RESULTSTATE GetItem_TestResult(CTaDBTestResult& record, CString name) = 0;
    virtual RESULTSTATE GetItem_TestResult(CTaDBTestResult& record, int mode, CString key) = 0;
    virtual RESULTSTATE GetItem_TestResult_ATMLID(CTaDBTestResult& record, CString atmlId) = 0;
    virtual RESULTSTATE DelItem_TestResult(CString key) = 0;
    virtual RESULTSTATE RenameItem_TestResult(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_TestResult(CObList& list) = 0;
    virtual RESULTSTATE Clear_AtmlId_TestResult() = 0;
    // Compare actions
    virtual RESULTSTATE AddItem_ActionCompare(CTaDBActionCompare& record, int mode) = 0;
    virtual RESULTSTATE GetItem_ActionCompare(CTaDBActionCompare& record, int mode, CString key) = 0;
    virtual RESULTSTATE DelItem_ActionCompare(CString key) = 0;
    virtual RESULTSTATE RenameItem_ActionCompare(CString key, CString name) = 0;
    virtual RESULTSTATE GetAllItem_ActionCompare(CObList& list, CString actionUuid) = 0;
    virtual RESULTSTATE Clear_AtmlId_ActionCompare() = 0;
    // Measured values, listed in the order they were logged
    virtual RESULTSTATE AddItem_TestMeasurement(CTaDBTestMeasurement& record, int mode) = 0;
    virtual RESULTSTATE GetItem_TestMeasurement(CTaDBTestMeasurement& record) = 0;
    virtual RESULTSTATE GetAllItem_TestMeasurement(CObList& list, CString measName) = 0;
    virtual RESULTSTATE DelAllItem_TestMeasurement() = 0;
    virtual RESULTSTATE GetItemBySQL_TestMeasurement(CObList& list, const char* condition) = 0;
    // Replays, listed in the order they were logged
    virtual RESULTSTATE AddItem_TestReplay(CTaDBTestReplay& record, int mode) = 0;
    virtual RESULTSTATE GetItem_TestReplay(CTaDBTestReplay& record) = 0;
    virtual RESULTSTATE GetAllItem_TestReplay(CObList& list) = 0;
    virtual RESULTSTATE DelAllItem_TestReplay() = 0;
    // Record list release
    virtual void ClearObjectList(CObList& list, CString className) = 0;

    // Multi-user operations: each returns 1 and has no other effect.
    virtual RESULTSTATE Connect(CString server, long port, CString user, CString password,
                                DATALAYER_COMPONENT_TYPE component);
    virtual RESULTSTATE UnConnect();
    virtual RESULTSTATE GetTpsFileList(CStringArray& files);
    virtual RESULTSTATE GetTpsFileList_Sample(CStringArray& files);
    virtual RESULTSTATE GetOnlineUserList(CObList& users);
    virtual RESULTSTATE BeginTransaction();
    virtual RESULTSTATE EndTransaction();
    virtual RESULTSTATE IsTransactionProcessing(int& processing);
    virtual RESULTSTATE SendBroadCastMesssage(TPS_CONTENT_OPERATE_TYPE type, CString from, CString text,
                                              CString extra);
    virtual RESULTSTATE SendMessageToUser(CString from, CString to, CString text);
    virtual RESULTSTATE SendMessageToAllUser(CString from, CString text);
    virtual RESULTSTATE SendFileToUser(CString from, CString to, CString file);
    virtual RESULTSTATE SendFileToAllUser(CString from, CString file);

    // Conversions between stored actions and signal objects; the caller owns
    // what they return.
    CStdSignal* GetStdSignal(CTaDBTDDataBase& store, CTaDBActionSetup& record);
    CStdTwoWire* GetStdTwoWire(CTaDBTDDataBase& store, CTaDBActionConnect& record);
    CStdTwoWire* GetStdTwoWire(CTaDBTDDataBase& store, CTaDBActionDisconnect& record);
    CStdTwoWire* GetStdTwoWire(CTaDBTDDataBase& store, CTaDBActionReset& record);
    static int GetDBSignal(CTaDBTDDataBase& store, CString signalUuid, CTaDBSignal& record, CString& message);
    static CString AnalysisParaList(CString content, CString name, int index);

    std::vector<CTaDBTestActionEntry> m_vecTestActionEntry;
};

#include "platform/mfc/AfxExtEnd.h"
