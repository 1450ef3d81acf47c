#include "oom/SampleProject.h"

#include <unistd.h>

#include "support/Records.h"

namespace sample {
namespace {

// The rows of a list, one line each, every mapped column in map order.
template <class R>
std::string Lines(const CObList& list) {
    std::string text;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const R& record = *static_cast<const R*>(list.GetNext(pos));
        for (const Column<R>& column : ColumnMapOf<R>().columns) text += ColumnText(record, column) + "|";
        text += "\n";
    }
    return text;
}

// Appends what show makes of the list listing gives, or "unreadable".
template <class Listing, class Show>
bool Read(CTaDBTDDataSingle& store, Listing listing, Show show, std::string& out) {
    CObList list;
    const bool read = listing(store, list) == 1;
    out += read ? show(list) + "--\n" : "unreadable";
    store.ClearObjectList(list, "");
    return read;
}

// How many rows a list holds, for a table whose rows the store makes up
// (their keys new, their dates now).
std::string Count(const CObList& list) { return std::to_string(list.GetCount()) + " rows\n"; }
}  // namespace

std::string Make(const TempDir& dir, const std::string& name) {
    const std::string path = MakeProject(dir, name);
    TestStore store(dir);
    if (store.Open(path.c_str()) != 1) return path;
    CTaDBSignal signal;
    signal.m_strSignalUuid = "sig-0";
    signal.m_strSignalName = "V1";
    store.AddItem_Signal(signal, 1);
    for (int i = 0; i < kSetups; ++i) {
        CTaDBActionSetup setup;
        setup.m_strActionUuid = ("setup-" + std::to_string(i)).c_str();
        setup.m_strActionName = ("Setup " + std::to_string(i)).c_str();
        setup.m_strSignalUuid = "sig-0";
        setup.m_strSignalType = "直流信号";
        setup.m_strSignalContent = "dc_ampl(5 V),ac_ampl(1 V)";
        store.AddItem_ActionSetup(setup, 1);
    }
    for (int i = 0; i < kEntries; ++i) {
        CTaDBEntry entry;
        entry.m_strTestUuid = ("entry-" + std::to_string(i)).c_str();
        entry.m_nSequence = i + 1;
        store.AddItem_EntryTable(entry, 1);
    }
    for (int i = 0; i < kMeasurements; ++i) {
        CTaDBMeasurement measurement;
        measurement.m_strMeasUuid = ("m-" + std::to_string(i)).c_str();
        measurement.m_strMeasName = ("m-" + std::to_string(i)).c_str();
        store.AddItem_Measurement(measurement, 1);
    }
    return path;
}

void CopyOver(const std::string& from, const std::string& to) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) unlink((to + suffix).c_str());
    WriteFile(to, ReadFile(from));
}

std::string Rows(const TempDir& dir, const std::string& project) {
    TestStore fresh(dir);
    if (fresh.Open(project.c_str()) != 1) return "unopenable";
    std::string rows;
    Read(fresh, [](CTaDBTDDataSingle& s, CObList& l) { return s.GetAllItem_ActionSetup(l, ""); },
         Lines<CTaDBActionSetup>, rows) &&
        Read(fresh, [](CTaDBTDDataSingle& s, CObList& l) { return s.GetAllItem_EntryTable(l); }, Lines<CTaDBEntry>,
             rows) &&
        Read(fresh, [](CTaDBTDDataSingle& s, CObList& l) { return s.GetAllItem_Measurement(l); },
             Lines<CTaDBMeasurement>, rows) &&
        Read(fresh, [](CTaDBTDDataSingle& s, CObList& l) { return s.GetAllItem_Tps(l); }, Count, rows) &&
        Read(fresh, [](CTaDBTDDataSingle& s, CObList& l) { return s.GetAllItem_Signal(l, ""); }, Lines<CTaDBSignal>,
             rows);
    return rows;
}

}  // namespace sample
