// Project files whose b-trees are read without end while the files stay
// small (support/LoopedTree.h): every operation on one answers -1 with the
// budget's refusal, the file stays byte for byte as it was, and the store
// goes on serving an untouched project. Operations of a real size pass.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/ado/Connection.h"
#include "support/Bounded.h"
#include "support/LoopedTree.h"
#include "support/OrderedTables.h"

namespace {
const char kRows[] =
    "INSERT INTO ActionSetupTable (ACTION_UUID, ACTION_ATML_ID) VALUES ('a1', 'x'), ('a2', 'y'), ('a3', 'z');"
    "INSERT INTO EntryTable (TEST_UUID, SEQUENCE) VALUES ('e1', 1), ('e2', 2), ('e3', 3)";

std::string Listed(TestStore& store) {
    CObList list;
    const RESULTSTATE result = store.GetAllItem_ActionSetup(list, "");
    const std::string listed = std::to_string(result) + " " + std::to_string(list.GetCount());
    store.ClearObjectList(list, "CTaDBActionSetup");
    return listed;
}
std::string NewSequence(TestStore& store) {
    long sequence = 0;
    const RESULTSTATE result = store.GetNewSequence_EntryTable(sequence);
    return std::to_string(result) + " " + std::to_string(sequence);
}
std::string Moved(TestStore& store) { return std::to_string(store.MoveSequence_EntryTable(3, MOVEITEM_TOP)); }
// A write whose rows are found by reading the looped tree.
std::string Cleared(TestStore& store) { return std::to_string(store.Clear_AtmlId_ActionSetup()); }

struct Case {
    const char* tree;  // the b-tree looped
    int levels, cells;
    const char* operation;
    std::function<std::string(TestStore&)> run;  // null: Open itself
    std::string untouched;                        // what run gives on an untouched project
};

// Whether text (a store's answer and its error info) is the budget's refusal of path.
bool Refused(const std::string& text, const std::string& path) {
    return text.rfind("-1", 0) == 0 && text.find(ado::kUnboundedReadText + path) != std::string::npos;
}
}  // namespace

// Five levels of 40 cells: 41^5 (some 116 million) readings of each row.
TEST(LoopedTrees, EveryOperationEndsWithTheRefusalAndTheFileAsItWas) {
    const Case cases[] = {
        {"ActionSetupTable", 5, 40, "GetAllItem_ActionSetup", Listed, "1 3"},
        {"EntrySequence", 5, 40, "GetNewSequence_EntryTable", NewSequence, "1 4"},
        {"EntrySequence", 5, 40, "MoveSequence_EntryTable", Moved, "1"},
        {"ActionSetupTable", 5, 40, "Clear_AtmlId_ActionSetup", Cleared, "1"},
        {"sqlite_master", 4, 40, "Open", nullptr, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        TempDir dir;
        const std::string path = MakeProject(dir, "p.tarnprj", kRows);
        const std::string untouched = MakeProject(dir, "u.tarnprj", kRows);
        LoopTree(path, c.tree, c.levels, c.cells);
        const std::string file = ReadFile(path);
        const std::string results = Bounded(dir, [&] {
            TestStore store(dir);
            std::string answer = std::to_string(store.Open(path.c_str()));
            if (c.run && answer == "1") answer = c.run(store);
            const std::string refusal = answer + " " + std::string(store.GetErrorInfo());
            // The same store then serves an untouched project as ever.
            if (store.Open(untouched.c_str()) != 1) return refusal + "\nnot opened";
            return refusal + "\n" + (c.run ? c.run(store) : "1");
        });
        const size_t line = results.find('\n');
        EXPECT_TRUE(Refused(results.substr(0, line), path)) << results;
        EXPECT_EQ(line == std::string::npos ? "" : results.substr(line + 1), c.untouched);
        EXPECT_TRUE(ReadFile(path) == file);
        EXPECT_FALSE(FileExists(path + "-wal") || FileExists(path + "-journal"));
    }
}

// Work of a real size passes. The budget grows with the file's bytes, as
// the work of one statement of a list or a renumbering does with the rows
// it reads, and the work of these statements is far past the budget's base:
// they pass as a list of a million rows, or a move across a million places,
// would.
TEST(LoopedTrees, AListAndAMoveOfARealSizePass) {
    const int listed = 200000, steps = 100000;
    auto numbered = [](int count, const std::string& insert) {
        return "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(count) +
               ") " + insert + " FROM n";
    };
    TempDir dir;
    const std::string list = MakeProject(dir, "list.tarnprj",
                                         numbered(listed, "INSERT INTO ActionSetupTable (ACTION_UUID) SELECT i"));
    const std::string entries = MakeProject(
        dir, "entries.tarnprj", numbered(steps, "INSERT INTO EntryTable (TEST_UUID, SEQUENCE) SELECT i, i"));
    TestStore store(dir);
    ASSERT_EQ(store.Open(list.c_str()), 1);
    CObList records;
    EXPECT_EQ(store.GetAllItem_ActionSetup(records, ""), 1) << store.GetErrorInfo().str();
    EXPECT_EQ(records.GetCount(), listed);
    store.ClearObjectList(records, "CTaDBActionSetup");
    ASSERT_EQ(store.Open(entries.c_str()), 1);
    // The last entry goes to the top in one statement that moves every other.
    EXPECT_EQ(store.SetSequence_EntryTable(steps, 1), 1) << store.GetErrorInfo().str();
    store.Close();
    EXPECT_EQ(RawQuery(entries, "SELECT TEST_UUID FROM EntryTable WHERE SEQUENCE = 1")[0][0], std::to_string(steps));
    EXPECT_EQ(RawQuery(entries, "SELECT count(DISTINCT SEQUENCE) || ' ' || max(SEQUENCE) FROM EntryTable")[0][0],
              std::to_string(steps) + " " + std::to_string(steps));
}

// Removing a project whose schema's b-tree is looped, a log beside it,
// folds the log without reading any b-tree of the file, and ends.
TEST(LoopedTrees, ARemovalFoldsTheLogBesideALoopedProjectAndEnds) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj", kRows);
    LoopTree(path, "sqlite_master", 4, 40);
    WriteFile(path + "-wal", std::string(32, '\0'));  // a log that holds no frame
    const std::string removed = Bounded(dir, [&] {
        CATMLCommonFun files;
        return std::to_string(files.RemoveFile(path.c_str())) + " " + std::string(files.GetErrorInfo());
    });
    EXPECT_EQ(removed.substr(0, 2), "1 ") << removed;
    EXPECT_FALSE(FileExists(path) || FileExists(path + "-wal"));
}
