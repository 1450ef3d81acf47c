// The project store: one TPS project in one database file, reached through
// one connection manager. Every table operation follows one protocol; its
// conventions (results, the error state, mode, who releases the records of
// a list, table editions) head the interface, TaDBTDDataBase.h.
//
// Files: the store reads the template tpstemplate.dll from the folder of
// the library's own file. New("", ...) works on the untitled project
// tpstemp.tarnprj in that folder, which must then be writable by the user;
// New(path, ...) copies the template to path, replacing any file there.
// Save copies an untitled project to the path SetFilePath gave and goes on
// working there; a project opened or made at a path is edited in place.
// A file that a store has open is not replaced: New or Save of another
// store onto it returns -1 with the system's text for a file in use (32).
// Opening it stays allowed.
//
// Threads and processes: a store and its copies, which share its
// connection, serve one thread; give each thread its own store. Stores of
// several threads and processes may open one project file: every write,
// from a new project's first on, waits up to 5 seconds for another store's
// write and then fails with -1 (an ordered-list change that fails to begin
// changes nothing), closing never waits, and the last connection to close
// writes the log back into the file.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/TaDBMng.h"
#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDDataBase.h"

// The path state of the store.
const int FILEPATHSTATE_NONE = 0;  // no project open
const int FILEPATHSTATE_TEMP = 1;  // an untitled project on the temporary project file
const int FILEPATHSTATE_FILE = 2;  // the project file at the file path, edited in place

class AFX_EXT_CLASS CTaDBTDDataSingle : public CTaDBTDDataBase {
public:
    CTaDBTDDataSingle();
    // A copy shares the connection of the store it was copied from.
    CTaDBTDDataSingle(const CTaDBTDDataSingle& other);
    CTaDBTDDataSingle& operator=(const CTaDBTDDataSingle& other);
    // Closes the project, unless a copy still holds its connection.
    ~CTaDBTDDataSingle() override;

    // Project file
    RESULTSTATE InitLibrary() override;
    RESULTSTATE ReleaseLibrary() override;
    RESULTSTATE Open(CString path) override;
    RESULTSTATE New(CString path, int bOverwriteTemp) override;
    RESULTSTATE Save() override;
    RESULTSTATE Close() override;
    RESULTSTATE SetFilePath(CString path) override;
    RESULTSTATE GetFilePath(CString& path) override;
    RESULTSTATE IsModified(int& modified) override;
    RESULTSTATE SetModifyState(int modified) override;
    RESULTSTATE FilePathState(int& state) override;
    RESULTSTATE SetFilePathState(int state) override;
    RESULTSTATE GetTpsTempPath(CString& path) override;
    // Whole project
    RESULTSTATE ClearATMLID(CString& message) override;
    RESULTSTATE GetTpsUutInfo(CTaDBTps& record) override;
    RESULTSTATE SetTpsUutInfo(CTaDBTps& record) override;
    RESULTSTATE GetTestItemName(CString kind, CString key, CString& name) override;
    // Entry table
    RESULTSTATE AddItem_EntryTable(CTaDBEntry& record, int mode) override;
    RESULTSTATE DelItem_EntryTable(CString key) override;
    RESULTSTATE GetAllItem_EntryTable(CObList& list) override;
    RESULTSTATE GetItem_EntryTable(CTaDBEntry& record, int mode, CString key) override;
    RESULTSTATE GetItem_EntryTable_Seq(CTaDBEntry& record, long& sequence) override;
    RESULTSTATE GetNewSequence_EntryTable(long& sequence) override;
    RESULTSTATE MoveSequence_EntryTable(long sequence, MOVEITEM_TYPE type) override;
    RESULTSTATE MoveSequence_Swop_EntryTable(long first, long second) override;
    RESULTSTATE DelSequence_Seq_EntryTable(long sequence) override;
    RESULTSTATE DelSequence_Uuid_EntryTable(CString key) override;
    RESULTSTATE SetSequence_EntryTable(long from, long to) override;
    // Test group table
    RESULTSTATE AddItem_TestGroupTable(CTaDBTestGroup& record, int mode) override;
    RESULTSTATE DelItem_TestGroupTable(CString key) override;
    RESULTSTATE RenameItem_TestGroupTable(CString key, CString name) override;
    RESULTSTATE GetAllItem_TestGroupTable(CObList& list) override;
    RESULTSTATE GetItem_TestGroupTable_ATMLID(CTaDBTestGroup& record, const CString& atmlId) override;
    RESULTSTATE GetItem_TestGroupTable(CTaDBTestGroup& record, int mode, CString key) override;
    RESULTSTATE Clear_AtmlId_TestGroupTable() override;
    // Test points of a group
    RESULTSTATE GetAllItem_TestPointByGroup(CObList& list, CString groupKey) override;
    // Test group entry table
    RESULTSTATE AddItem_TestGroupEntryTable(CTaDBTestGroupEntry& record, int mode) override;
    RESULTSTATE DelItem_TestGroupEntryTable(CString key) override;
    RESULTSTATE DelAllItem_TestGroupEntryTable(CString groupKey) override;
    RESULTSTATE GetAllItem_TestGroupEntryTable(CObList& list, CString groupKey, CString testType) override;
    RESULTSTATE GetItem_TestGroupEntryTable(CTaDBTestGroupEntry& record, int mode, CString key) override;
    RESULTSTATE GetItem_TestGroupEntryTable_Seq(CTaDBTestGroupEntry& record, long sequence, const CString& groupKey) override;
    RESULTSTATE GetItem_TestGroupEntryTable_Uuid(CTaDBTestGroupEntry& record, CString key, int mode) override;
    RESULTSTATE GetNewSequence_TestGroupEntryTable(CString groupKey, long& sequence) override;
    RESULTSTATE MoveSequence_TestGroupEntryTable(CString groupKey, long sequence, MOVEITEM_TYPE type) override;
    RESULTSTATE MoveSequence_Swop_TestGroupEntryTable(CString groupKey, long first, long second) override;
    RESULTSTATE DelSequence_Seq_TestGroupEntryTable(CString groupKey, long sequence) override;
    RESULTSTATE DelSequence_Uuid_TestGroupEntryTable(CString key) override;
    RESULTSTATE SetSequence_TestGroupEntryTable(CString groupKey, long from, long to) override;
    // Test point table
    RESULTSTATE AddItem_TestPointTable(CTaDBTestPoint& record, int mode) override;
    RESULTSTATE DelItem_TestPointTable(CString key) override;
    RESULTSTATE RenameItem_TestPointTable(CString key, CString name) override;
    RESULTSTATE GetAllItem_TestPointTable(CObList& list) override;
    RESULTSTATE GetItem_TestPointTable(CTaDBTestPoint& record, int mode, CString key) override;
    RESULTSTATE GetItem_TestPointTable_ATMLID(CTaDBTestPoint& record, CString atmlId) override;
    RESULTSTATE Clear_AtmlId_TestPointTable() override;
    // Connect actions
    RESULTSTATE AddItem_ActionConnect(CTaDBActionConnect& record, int mode) override;
    RESULTSTATE DelItem_ActionConnect(CString key) override;
    RESULTSTATE RenameItem_ActionConnect(CString key, CString name) override;
    RESULTSTATE GetAllItem_ActionConnect(CObList& list, CString actionUuid) override;
    RESULTSTATE GetItem_ActionConnect(CTaDBActionConnect& record, int mode, CString key) override;
    RESULTSTATE Clear_AtmlId_ActionConnect() override;
    // Disconnect actions
    RESULTSTATE AddItem_ActionDisconnect(CTaDBActionDisconnect& record, int mode) override;
    RESULTSTATE DelItem_ActionDisconnect(CString key) override;
    RESULTSTATE RenameItem_ActionDisconnect(CString key, CString name) override;
    RESULTSTATE GetAllItem_ActionDisconnect(CObList& list, CString actionUuid) override;
    RESULTSTATE GetItem_ActionDisconnect(CTaDBActionDisconnect& record, int mode, CString key) override;
    RESULTSTATE Clear_AtmlId_ActionDisconnect() override;
    // Reset actions
    RESULTSTATE AddItem_ActionReset(CTaDBActionReset& record, int mode) override;
    RESULTSTATE DelItem_ActionReset(CString key) override;
    RESULTSTATE RenameItem_ActionReset(CString key, CString name) override;
    RESULTSTATE GetAllItem_ActionReset(CObList& list, CString actionUuid) override;
    RESULTSTATE GetItem_ActionReset(CTaDBActionReset& record, int mode, CString key) override;
    RESULTSTATE Clear_AtmlId_ActionReset() override;
    // Read actions
    RESULTSTATE AddItem_ActionRead(CTaDBActionRead& record, int mode) override;
    RESULTSTATE DelItem_ActionRead(CString key) override;
    RESULTSTATE RenameItem_ActionRead(CString key, CString name) override;
    RESULTSTATE GetAllItem_ActionRead(CObList& list, CString actionUuid) override;
    RESULTSTATE GetItem_ActionRead(CTaDBActionRead& record, int mode, CString key) override;
    RESULTSTATE Clear_AtmlId_ActionRead() override;
    // Set-up actions
    RESULTSTATE AddItem_ActionSetup(CTaDBActionSetup& record, int mode) override;
    RESULTSTATE GetItem_ActionSetup(CTaDBActionSetup& record, int mode, CString key) override;
    RESULTSTATE DelItem_ActionSetup(CString key) override;
    RESULTSTATE RenameItem_ActionSetup(CString key, CString name) override;
    RESULTSTATE GetAllItem_ActionSetup(CObList& list, CString actionUuid) override;
    RESULTSTATE Clear_AtmlId_ActionSetup() override;
    // Formulas
    RESULTSTATE AddItem_Formula(CTaDBFormula& record, int mode) override;
    RESULTSTATE GetItem_Formula(CTaDBFormula& record, int mode, CString key) override;
    RESULTSTATE DelItem_Formula(CString key) override;
    RESULTSTATE RenameItem_Formula(CString key, CString name) override;
    RESULTSTATE GetAllItem_Formula(CObList& list, CString actionUuid) override;
    RESULTSTATE Clear_AtmlId_Formula() override;
    // Test action entry table
    RESULTSTATE AddItem_TestActionEntry(CTaDBTestActionEntry& record, int mode) override;
    RESULTSTATE GetAllItem_TestActionEntry(CObList& list, CString tpUuid, CString actionType) override;
    RESULTSTATE GetItem_TestActionEntry(CTaDBTestActionEntry& record, int mode, CString key) override;
    RESULTSTATE GetItem_TestActionEntry_TP(CTaDBTestActionEntry& record, CString tpUuid, long sequence) override;
    RESULTSTATE GetItem_TestActionEntry_Action(CTaDBTestActionEntry& record, CString actionUuid) override;
    RESULTSTATE DelItem_TestActionEntry(CString key) override;
    RESULTSTATE DelAllItem_TestActionEntry_TP(CString tpUuid) override;
    RESULTSTATE GetNewSequence_TestActionEntry(CString tpUuid, long& sequence) override;
    RESULTSTATE MoveSequence_TestActionEntry(CString tpUuid, long sequence, MOVEITEM_TYPE type) override;
    RESULTSTATE MoveSequence_Swop_TestActionEntry(CString tpUuid, long first, long second) override;
    RESULTSTATE DelSequence_Seq_TestActionEntry(CString tpUuid, long sequence) override;
    RESULTSTATE DelSequence_Uuid_TestActionEntry(CString key) override;
    RESULTSTATE SetSequence_TestActionEntry(CString tpUuid, long from, long to) override;
    // Instruments
    RESULTSTATE AddItem_Instrument(CTaDBInstrument& record, int mode) override;
    RESULTSTATE GetItem_Instrument(CTaDBInstrument& record, int mode, CString key) override;
    RESULTSTATE DelItem_Instrument(CString key) override;
    RESULTSTATE RenameItem_Instrument(CString key, CString name) override;
    RESULTSTATE GetAllItem_Instrument(CObList& list, CString actionUuid) override;
    RESULTSTATE Clear_AtmlId_Instrument() override;
    // Message hints
    RESULTSTATE AddItem_MessageHint(CTaDBMessageHint& record, int mode) override;
    RESULTSTATE GetItem_MessageHint(CTaDBMessageHint& record, int mode, CString key) override;
    RESULTSTATE DelItem_MessageHint(CString key) override;
    RESULTSTATE RenameItem_MessageHint(CString key, CString name) override;
    RESULTSTATE GetAllItem_MessageHint(CObList& list, CString actionUuid) override;
    RESULTSTATE Clear_AtmlId_MessageHint() override;
    // Parameters
    RESULTSTATE AddItem_Parameter(CTaDBParameter& record, int mode) override;
    RESULTSTATE GetItem_Parameter(CTaDBParameter& record, CString name) override;
    RESULTSTATE GetItem_Parameter(CTaDBParameter& record, int mode, CString key) override;
    RESULTSTATE DelItem_Parameter(CString key) override;
    RESULTSTATE RenameItem_Parameter(CString key, CString name) override;
    RESULTSTATE GetAllItem_Parameter(CObList& list, CString tpUuid) override;
    RESULTSTATE Clear_AtmlId_Parameter() override;
    // Signals
    RESULTSTATE AddItem_Signal(CTaDBSignal& record, int mode) override;
    RESULTSTATE GetItem_Signal(CTaDBSignal& record, CString name, CString tpUuid) override;
    RESULTSTATE GetItem_Signal(CTaDBSignal& record, CString name) override;
    RESULTSTATE GetItem_Signal(CTaDBSignal& record, int mode, CString key) override;
    RESULTSTATE GetItem_Signal_ATMLID(CTaDBSignal& record, CString atmlId, CString tpUuid) override;
    RESULTSTATE DelItem_Signal(CString key) override;
    RESULTSTATE RenameItem_Signal(CString key, CString name) override;
    RESULTSTATE GetAllItem_Signal(CObList& list, CString tpUuid) override;
    RESULTSTATE Clear_AtmlId_Signal() override;
    // TPS table
    RESULTSTATE AddItem_Tps(CTaDBTps& record, int mode) override;
    RESULTSTATE GetItem_Tps(CTaDBTps& record, int mode, CString key) override;
    RESULTSTATE DelItem_Tps(CString key) override;
    RESULTSTATE RenameItem_Tps(CString key, CString name) override;
    RESULTSTATE GetAllItem_Tps(CObList& list) override;
    RESULTSTATE Clear_AtmlId_Tps() override;
    // Measurements
    RESULTSTATE AddItem_Measurement(CTaDBMeasurement& record, int mode) override;
    RESULTSTATE GetItem_Measurement(CTaDBMeasurement& record, int mode, CString name) override;
    RESULTSTATE DelItem_Measurement(CString name) override;
    RESULTSTATE RenameItem_Measurement(CString key, CString name) override;
    RESULTSTATE GetAllItem_Measurement(CObList& list) override;
    RESULTSTATE GetItemBySQL_Measurement(CObList& list, const char* condition) override;
    RESULTSTATE Clear_AtmlId_Measurement() override;
    // Outcomes
    RESULTSTATE AddItem_Outcome(CTaDBOutcome& record, int mode) override;
    RESULTSTATE GetItem_Outcome(CTaDBOutcome& record, CString name) override;
    RESULTSTATE GetItem_Outcome(CTaDBOutcome& record, int mode, CString key) override;
    RESULTSTATE GetItem_Outcome_AMTLID(CTaDBOutcome& record, const CString& atmlId, const CString& name) override;
    RESULTSTATE DelItem_Outcome(CString key) override;
    RESULTSTATE RenameItem_Outcome(CString key, CString name) override;
    RESULTSTATE GetAllItem_Outcome(CObList& list, CString tpUuid) override;
    RESULTSTATE Clear_AtmlId_Outcome() override;
    // Test results
    RESULTSTATE AddItem_TestResult(CTaDBTestResult& record, int mode) override;
    RESULTSTATE GetItem_TestResult(CTaDBTestResult& record, CString name) override;
    RESULTSTATE GetItem_TestResult(CTaDBTestResult& record, int mode, CString key) override;
    RESULTSTATE GetItem_TestResult_ATMLID(CTaDBTestResult& record, CString atmlId) override;
    RESULTSTATE DelItem_TestResult(CString key) override;
    RESULTSTATE RenameItem_TestResult(CString key, CString name) override;
    RESULTSTATE GetAllItem_TestResult(CObList& list) override;
    RESULTSTATE Clear_AtmlId_TestResult() override;
    // Compare actions
    RESULTSTATE AddItem_ActionCompare(CTaDBActionCompare& record, int mode) override;
    RESULTSTATE GetItem_ActionCompare(CTaDBActionCompare& record, int mode, CString key) override;
    RESULTSTATE DelItem_ActionCompare(CString key) override;
    RESULTSTATE RenameItem_ActionCompare(CString key, CString name) override;
    RESULTSTATE GetAllItem_ActionCompare(CObList& list, CString actionUuid) override;
    RESULTSTATE Clear_AtmlId_ActionCompare() override;
    // Measured values
    RESULTSTATE AddItem_TestMeasurement(CTaDBTestMeasurement& record, int mode) override;
    RESULTSTATE GetItem_TestMeasurement(CTaDBTestMeasurement& record) override;
    RESULTSTATE GetAllItem_TestMeasurement(CObList& list, CString measName) override;
    RESULTSTATE DelAllItem_TestMeasurement() override;
    RESULTSTATE GetItemBySQL_TestMeasurement(CObList& list, const char* condition) override;
    // Replays
    RESULTSTATE AddItem_TestReplay(CTaDBTestReplay& record, int mode) override;
    RESULTSTATE GetItem_TestReplay(CTaDBTestReplay& record) override;
    RESULTSTATE GetAllItem_TestReplay(CObList& list) override;
    RESULTSTATE DelAllItem_TestReplay() override;
    // Record list release
    void ClearObjectList(CObList& list, CString className) override;

protected:
    CTaDBMng m_dbMng;
    CString m_strTemplatePath;
    CString m_strTempPath;
    CString m_strFilePath;
    int m_bModified;
    int m_nFilePathState;
    int m_nEditionEntryTable;
    int m_nEditionTestGroupTable;
    int m_nEditionTestGroupEntryTable;
    int m_nEditionTestPointTable;
    int m_nEditionActionConnectTable;
    int m_nEditionActionDisconnectTable;
    int m_nEditionActionResetTable;
    int m_nEditionActionReadTable;
    int m_nEditionActionSetupTable;
    int m_nEditionFormulaTable;
    int m_nEditionInstrumentTable;
    int m_nEditionMessageHintTable;
    int m_nEditionParameterTable;
    int m_nEditionMeasurementTable;
    int m_nEditionSignalTable;
    int m_nEditionTestActionEntryTable;
    int m_nEditionTpsTable;
    int m_nEditionOutcomeTable;
    int m_nEditionTestResultTable;
    int m_nEditionActionCompareTable;

private:
    // Table editions: each edition member and the EditionTable name it is read from.
    struct EditionName {
        const char* table;
        int CTaDBTDDataSingle::*member;
    };
    static const EditionName kEditionNames[20];
    AFX_INTERNAL RESULTSTATE SetEditionInfo();
    AFX_INTERNAL RESULTSTATE GetAllItem_EditionTable(CObList& list);
    AFX_INTERNAL RESULTSTATE GetItem_EditionTable(CTaDBEdition& record, int mode, CString table);
    AFX_INTERNAL void ResetEditions();

    AFX_INTERNAL RESULTSTATE ConnectProject(const CString& path, const char* position);

    // The table-operation protocol. A step that the table's edition gates
    // takes the edition; a failure writes the position.
    struct Gate {
        int edition;
        const char* position;
    };
    template <class R>
    AFX_INTERNAL RESULTSTATE AddRow(R& record, int mode, const char* insertSql, const char* keyPattern, Gate gate);
    template <class R>
    AFX_INTERNAL RESULTSTATE GetRow(R& record, int mode, const ado::Command& sql, Gate gate);
    // The same, formatting the statement with the key only when it is needed.
    template <class R>
    AFX_INTERNAL RESULTSTATE GetRow(R& record, int mode, const char* keyPattern, const CString& key, Gate gate);
    // With keepListIfRefused the list is released only once the statement
    // is accepted, so a refused statement leaves the host's list as it was.
    template <class R, class ReadNext>
    AFX_INTERNAL RESULTSTATE ListRows(CObList& list, const char* className, const ado::Command& sql,
                                      const char* position, ReadNext readNext, bool keepListIfRefused = false);
    // Lists the rows that a host's condition selects; pattern holds one %s.
    template <class R, class ReadNext>
    AFX_INTERNAL RESULTSTATE ListWhere(CObList& list, const char* className, const char* pattern,
                                       const char* condition, const char* position, ReadNext readNext);
    // Deletes the first selected row, or with all every selected row.
    AFX_INTERNAL RESULTSTATE DeleteRow(const ado::Command& sql, const char* position, bool all = false);
    AFX_INTERNAL RESULTSTATE RunStatement(const ado::Command& sql, const char* position, bool marksModified);
    AFX_INTERNAL RESULTSTATE PassOn(int result, const char* position) noexcept;
    AFX_INTERNAL RESULTSTATE OwnFailure(RESULTSTATE result, const char* message, const char* position) noexcept;
    AFX_INTERNAL RESULTSTATE Caught(const char* message, const char* position) noexcept;
    // Runs the steps of an operation; what they throw fails it with -1 at
    // position, running out of memory with its own text (Caught).
    template <class Body>
    AFX_INTERNAL RESULTSTATE Answered(const char* position, Body&& body) noexcept;
    template <class Steps>
    AFX_INTERNAL RESULTSTATE ChangeList(const char* position, Steps&& steps);

    // The sequence operations of the three ordered tables, each on one
    // scope of its table. Every change of a list is made whole or not at
    // all: a ListChange spans it, and the changes it calls join it.
    struct AFX_INTERNAL OrderedList;
    class AFX_INTERNAL ListChange;
    AFX_INTERNAL static const OrderedList& EntryList();
    AFX_INTERNAL static const OrderedList& TestGroupEntryList();
    AFX_INTERNAL static const OrderedList& TestActionEntryList();
    template <class... Positions>
    AFX_INTERNAL static ado::Command ListSql(const OrderedList& list, int edition, const char* pattern, const CString& scope,
                           Positions... positions);
    AFX_INTERNAL RESULTSTATE NewSequenceIn(const OrderedList& list, const CString& scope, long& next);
    AFX_INTERNAL RESULTSTATE SetSequenceIn(const OrderedList& list, const CString& scope, long from, long to);
    AFX_INTERNAL RESULTSTATE MoveSequenceIn(const OrderedList& list, const CString& scope, long at, MOVEITEM_TYPE type);
    AFX_INTERNAL RESULTSTATE SwopIn(const OrderedList& list, const CString& scope, long first, long second);
    AFX_INTERNAL RESULTSTATE DelSequenceIn(const OrderedList& list, const CString& scope, long at);
    AFX_INTERNAL RESULTSTATE DelItemIn(const OrderedList& list, const CString& key);
    AFX_INTERNAL RESULTSTATE StuckDeleting(const char* position);
};

#include "platform/mfc/AfxExtEnd.h"
