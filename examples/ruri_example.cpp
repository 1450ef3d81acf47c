// A small host program: it creates a project, saves and closes it, opens it
// again and reports what it finds, the way a host uses the library.
//   ruri_example [project path]
// Without a path it works on the untitled (temporary) project.
#include <cstdio>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"

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

// Prints the outcome of a step; on failure, the store's message and trace.
bool Report(const char* step, RESULTSTATE result, const CATMLError& store) {
    std::printf("%-34s %s\n", step, result == 1 ? "ok" : result == 0 ? "warning" : "failed");
    if (result != 1)
        std::printf("  %s\n  %s\n", store.GetErrorInfo().GetString(), store.GetErrorTrace().GetString());
    return result == 1;
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

    // Saving an untitled project needs a path first; the example shows the refusal.
    Report("Save", store.Save(), store);
    Report("Close", store.Close(), store);

    if (!Report("Open again", store.Open(where), store)) return 1;
    std::printf("Editions found:\n");
    store.PrintEditions();
    Report("Close", store.Close(), store);
    return 0;
}
