// What a read of a project hands back is bounded by what the file stores.
// Files crafted to be read without end (support/LoopedTree.h) around long
// rows, which SQLite reads within one instruction each, around rows read
// too few times to pass the budget, and behind a hole that makes the file
// look 64 GiB long: each operation answers -1 with the budget's refusal in a
// host held to a small address space, and the file stays as it was. Sound
// projects of long values list whole.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ado/Connection.h"
#include "support/Bounded.h"
#include "support/LoopedTree.h"

namespace {
// Far beyond what a list of a file of a few megabytes may take, far below
// the gigabytes an unbounded one takes.
const int64_t kHostBytes = int64_t(128) << 20;
const off_t kHoleEnd = off_t(64) << 30;

// A text of bytes bytes, the letter letter repeated.
std::string Text(int bytes, char letter = 'x') {
    return "replace(hex(zeroblob(" + std::to_string(bytes / 2) + ")), '0', '" + letter + "')";
}
std::string Rows(const std::string& insert, int count) {
    return "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(count) +
           ") " + insert + " FROM n;";
}

// What a list answers; the records it read go.
using List = std::function<int(TestStore&, CObList&)>;
int Listed(TestStore& store, const List& list) {
    CObList records;
    const int result = list(store, records);
    store.ClearObjectList(records, "");
    return result;
}
const List kActions = [](TestStore& s, CObList& l) { return s.GetAllItem_ActionSetup(l, ""); };
const List kMeasurementsWhere = [](TestStore& s, CObList& l) { return s.GetItemBySQL_Measurement(l, "1=1"); };

struct Crafted {
    const char* what;
    std::string sql;  // run on a new project
    const char* tree;
    int levels, cells;
    List list;  // null: Open itself
    bool hole = false;
};

// The first bytes of the file at path.
std::string Head(const std::string& path, size_t bytes) {
    std::string head(bytes, '\0');
    const int fd = open(path.c_str(), O_RDONLY);
    head.resize(static_cast<size_t>(std::max<ssize_t>(pread(fd, &head[0], bytes, 0), 0)));
    close(fd);
    return head;
}
}  // namespace

TEST(ReadBounds, EveryReadOfACraftedFileEndsRefusedInLittleMemory) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
    const std::string action = "INSERT INTO ActionSetupTable (ACTION_UUID, ACTION_DESCRIPTION) VALUES ('a', ";
    const std::string measured =
        "INSERT INTO MeasurementTable (MEAS_UUID, DATA_VALUE) VALUES ('m', " + Text(1 << 20) + ")";
    const std::string actions = Rows("INSERT INTO ActionSetupTable (ACTION_UUID) SELECT 'a' || i", 3);
    const Crafted crafted[] = {
        // A row of 1 MB read 301^3 times.
        {"a long action", action + Text(1 << 20) + ")", "ActionSetupTable", 3, 300, kActions},
        {"a long edition", "UPDATE EditionTable SET RESERVER1 = " + Text(1 << 20) + " WHERE \"TABLE\" = 'TpsTable'",
         "EditionTable", 3, 300, nullptr},
        {"a long measured value", measured, "MeasurementTable", 3, 300, kMeasurementsWhere},
        {"a long measured value listed", measured, "MeasurementTable", 3, 300,
         [](TestStore& s, CObList& l) { return s.GetAllItem_Measurement(l); }},
        // A row of 20 KB read 301^2 times.
        {"an action of 20 KB", action + Text(20 << 10) + ")", "ActionSetupTable", 2, 300, kActions},
        // Short rows read 16 times, far within the budget: each list would
        // answer 1 with every row again and again.
        {"short actions", actions, "ActionSetupTable", 2, 3, kActions},
        {"short entries by their positions", Rows("INSERT INTO EntryTable (TEST_UUID, SEQUENCE) SELECT 'e' || i, i", 3),
         "EntrySequence", 2, 3, [](TestStore& s, CObList& l) { return s.GetAllItem_EntryTable(l); }},
        {"short steps of a test point by their positions",
         Rows("INSERT INTO TestActionEntryTable (STEP_UUID, TP_UUID, SEQUENCE) SELECT 's' || i, 'tp', i", 3),
         "TestActionEntryScope", 2, 3,
         [](TestStore& s, CObList& l) { return s.GetAllItem_TestActionEntry(l, "tp", ""); }},
        // A change of every row of a tree read 41^5 times in a file a hole
        // makes 64 GiB long: its budget is that of its few hundred kilobytes.
        {"a change behind a hole", actions, "ActionSetupTable", 5, 40,
         [](TestStore& s, CObList&) { return s.Clear_AtmlId_ActionSetup(); }, true},
    };
    for (const Crafted& c : crafted) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = MakeProject(dir, "p.tarnprj", c.sql);
        LoopTree(path, c.tree, c.levels, c.cells);
        const std::string file = ReadFile(path);
        if (c.hole && truncate(path.c_str(), kHoleEnd) != 0) GTEST_SKIP() << "the file system has no room for 64 GiB";
        const std::string answer = BoundedInMemory(dir, kHostBytes, [&] {
            TestStore store(dir);
            int result = store.Open(path.c_str());
            if (result == 1 && c.list) result = Listed(store, c.list);
            return std::to_string(result) + " " + std::string(store.GetErrorInfo());
        });
        EXPECT_EQ(answer.substr(0, 3), "-1 ");
        EXPECT_NE(answer.find(ado::kUnboundedReadText + path), std::string::npos) << answer;
        // The file as it was, a hole behind it or not; nothing beside it holds anything.
        struct stat info;
        ASSERT_EQ(stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_size, c.hole ? kHoleEnd : static_cast<off_t>(file.size()));
        EXPECT_TRUE(Head(path, file.size()) == file);
        EXPECT_FALSE(FileExists(path + "-journal"));
        EXPECT_TRUE(!FileExists(path + "-wal") || ReadFile(path + "-wal").empty());
    }
}

// Eight actions, and in another project eight measured values, of two
// values of 1 MB each, listed whole, the values through a condition.
TEST(ReadBounds, ValuesOfAMegabyteListWhole) {
    const int count = 8, bytes = 1 << 20;
    const std::string d = std::string(bytes, 'd'), c = std::string(bytes, 'c');
    const struct {
        std::string insert;
        List list;
        std::function<bool(const CObject*)> whole;  // whether a record holds both values whole
    } cases[] = {
        {"INSERT INTO ActionSetupTable (ACTION_UUID, ACTION_DESCRIPTION, SIGNAL_CONTENT)", kActions,
         [&](const CObject* r) {
             const auto* action = static_cast<const CTaDBActionSetup*>(r);
             return action->m_strActionDescription.str() == d && action->m_strSignalContent.str() == c;
         }},
        {"INSERT INTO MeasurementTable (MEAS_UUID, MEAS_DESCRIPTION, DATA_VALUE)", kMeasurementsWhere,
         [&](const CObject* r) {
             const auto* measurement = static_cast<const CTaDBMeasurement*>(r);
             return measurement->m_strMeasDescription.str() == d && measurement->m_strDataValue.str() == c;
         }},
    };
    for (const auto& listed : cases) {
        TempDir dir;
        const std::string values = " SELECT 'k' || i, " + Text(bytes, 'd') + ", " + Text(bytes, 'c');
        const std::string path = MakeProject(dir, "p.tarnprj", Rows(listed.insert + values, count));
        TestStore store(dir);
        ASSERT_EQ(store.Open(path.c_str()), 1);
        CObList list;
        EXPECT_EQ(listed.list(store, list), 1) << store.GetErrorInfo().GetString();
        EXPECT_EQ(list.GetCount(), count);
        for (POSITION at = list.GetHeadPosition(); at;) EXPECT_TRUE(listed.whole(list.GetNext(at)));
        store.ClearObjectList(list, "");
    }
}

// Sound keys that compare equal as the index compares them, or not as
// bytes do: rows in the order of their scan, each once, list whole.
TEST(ReadBounds, ListsInAnIndexsOrderOfKeysAlikeListWhole) {
    TempDir dir;
    const std::string path = MakeProject(
        dir, "p.tarnprj",
        "INSERT INTO EntryTable (rowid, TEST_UUID, SEQUENCE) VALUES (5, 'e1', NULL), (4, 'e2', 2), (3, 'e3', -1), "
        "(2, 'e4', 2), (1, 'e5', NULL);"
        "INSERT INTO TestActionEntryTable (rowid, STEP_UUID, TP_UUID, SEQUENCE) VALUES (6, 's1', 'tp', 2), "
        "(5, 's2', 'TP', 1), (4, 's3', 'Tp', 2), (3, 's4', 'tP', 1), (2, 's5', 'tp', 3), (1, 's6', 'TP', 3)");
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1);
    CObList entries, steps;
    EXPECT_EQ(store.GetAllItem_EntryTable(entries), 1) << store.GetErrorInfo().GetString();
    EXPECT_EQ(store.GetAllItem_TestActionEntry(steps, "tp", ""), 1) << store.GetErrorInfo().GetString();
    EXPECT_EQ(entries.GetCount(), 5);
    EXPECT_EQ(steps.GetCount(), 6);
    store.ClearObjectList(entries, "");
    store.ClearObjectList(steps, "");
}
