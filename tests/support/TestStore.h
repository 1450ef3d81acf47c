// A project store for tests: its temporary project lives in the test's own
// folder (so tests can run side by side), and its protected state is open
// to the test.
#pragma once
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"
#include "support/TestFiles.h"

class TestStore : public CTaDBTDDataSingle {
public:
    explicit TestStore(const TempDir& dir) { m_strTempPath = dir.File("tpstemp.tarnprj").c_str(); }

    using CTaDBTDDataSingle::m_bModified;
    using CTaDBTDDataSingle::m_dbMng;
    using CTaDBTDDataSingle::m_nEditionActionCompareTable;
    using CTaDBTDDataSingle::m_nEditionActionConnectTable;
    using CTaDBTDDataSingle::m_nEditionActionDisconnectTable;
    using CTaDBTDDataSingle::m_nEditionActionReadTable;
    using CTaDBTDDataSingle::m_nEditionActionResetTable;
    using CTaDBTDDataSingle::m_nEditionActionSetupTable;
    using CTaDBTDDataSingle::m_nEditionEntryTable;
    using CTaDBTDDataSingle::m_nEditionTestGroupEntryTable;
    using CTaDBTDDataSingle::m_nEditionTestGroupTable;
    using CTaDBTDDataSingle::m_nEditionTestPointTable;
    using CTaDBTDDataSingle::m_nEditionTpsTable;
    using CTaDBTDDataSingle::m_nEditionTestActionEntryTable;
    using CTaDBTDDataSingle::m_nEditionMeasurementTable;
    using CTaDBTDDataSingle::m_nEditionOutcomeTable;
    using CTaDBTDDataSingle::m_nEditionTestResultTable;
    using CTaDBTDDataSingle::m_nEditionFormulaTable;
    using CTaDBTDDataSingle::m_nEditionInstrumentTable;
    using CTaDBTDDataSingle::m_nEditionMessageHintTable;
    using CTaDBTDDataSingle::m_nEditionParameterTable;
    using CTaDBTDDataSingle::m_nEditionSignalTable;
    using CTaDBTDDataSingle::m_strTemplatePath;
    using CTaDBTDDataSingle::m_strTempPath;

    int State() {
        int state = -9;
        FilePathState(state);
        return state;
    }
    int Modified() {
        int modified = -9;
        IsModified(modified);
        return modified;
    }
    std::string Path() {
        CString path;
        GetFilePath(path);
        return path.GetString();
    }
};

// A copy of the template in dir, for the store of a user who may not reach
// the one beside the test program (a checkout in a private folder).
inline std::string TemplateCopyIn(const TempDir& dir) {
    const std::string copy = dir.File("tpstemplate.dll");
    WriteFile(copy, ReadFile(TestStore(dir).m_strTemplatePath.GetString()));
    chmod(copy.c_str(), 0644);
    return copy;
}

// A new project at path made from the template, with editions set by sql
// run on it first (for example an UPDATE of EditionTable).
inline std::string MakeProject(const TempDir& dir, const std::string& name, const std::string& sql = "") {
    TestStore maker(dir);
    const std::string path = dir.File(name);
    maker.New(path.c_str(), 1);
    maker.Close();
    if (!sql.empty()) RawExec(path, sql);
    return path;
}

// The keys of the TPS rows of the project at path, in key order, joined by
// ","; "<null>" when there are none.
inline std::string TpsKeys(const std::string& path) {
    return RawQuery(path, "SELECT group_concat(TPS_UUID, ',') FROM (SELECT TPS_UUID FROM TpsTable ORDER BY 1)")[0][0];
}

// The TPS rows of the store's project, -1 when they cannot be read.
inline int TpsRows(CTaDBTDDataSingle& store) {
    CObList list;
    const int result = store.GetAllItem_Tps(list);
    const int count = static_cast<int>(list.GetCount());
    store.ClearObjectList(list, "CTaDBTps");
    return result == 1 ? count : -1;
}

// The TPS rows that the project file at path holds alone: a copy of the
// file beside it, without anything beside the copy, counted.
inline int TpsRowsOfTheFileAlone(const std::string& path) {
    const std::string copy = path + ".copy";
    WriteFile(copy, ReadFile(path));
    const int rows = std::stoi(RawQuery(copy, "SELECT count(*) FROM TpsTable")[0][0]);
    for (const char* suffix : {"", "-wal", "-shm"}) unlink((copy + suffix).c_str());
    return rows;
}

// Leaves count TPS rows (log1, log2, ...) committed in the log of the
// project at path only, the log's index beside it, as a writer killed
// before it wrote the log back leaves them.
inline void LeaveTpsRowsInTheLog(const std::string& path, int count) {
    LeaveInTheLog(path, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                            std::to_string(count) + ") INSERT INTO TpsTable (TPS_UUID) SELECT 'log' || i FROM n");
    RawQuery(path, "SELECT count(*) FROM sqlite_master");  // a read-only read makes the log's index and leaves both
}

// The keys of the measurements the store selects by condition, each
// followed by a blank, or "failed: " and the store's message.
inline std::string SelectedMeasurements(CTaDBTDDataSingle& store, const std::string& condition) {
    CObList list;
    std::string keys;
    if (store.GetItemBySQL_Measurement(list, condition.c_str()) != 1) keys = "failed: " + store.GetErrorInfo().str();
    for (POSITION pos = list.GetHeadPosition(); pos;)
        keys += static_cast<CTaDBMeasurement*>(list.GetNext(pos))->m_strMeasUuid.str() + " ";
    store.ClearObjectList(list, "");
    return keys;
}

// Adds a TPS row with the given key through the store; the add's result.
inline int AddTps(CTaDBTDDataSingle& store, const std::string& key) {
    CTaDBTps record;
    record.m_strTpsUuid = key.c_str();
    return store.AddItem_Tps(record, 1);
}
