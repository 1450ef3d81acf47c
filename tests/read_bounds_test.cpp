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

// A text of bytes bytes, the letter letter repeated.
std::string Text(int bytes, char letter = 'x') {
    return "replace(hex(zeroblob(" + std::to_string(bytes / 2) + ")), '0', '" + letter + "')";
}
std::string Rows(const std::string& insert, int count) {
    return "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(count) +
           ") " + insert + " FROM n;";
}

using Operation = std::function<int(TestStore&)>;
template <class List>
Operation Listing(List list) {
    return [list](TestStore& store) {
        CObList records;
        const int result = list(store, records);
        for (POSITION at = records.GetHeadPosition(); at;) delete records.GetNext(at);
        return result;
    };
}
const Operation kListActions = Listing([](TestStore& s, CObList& l) { return s.GetAllItem_ActionSetup(l, ""); });
const Operation kListMeasurements = Listing([](TestStore& s, CObList& l) { return s.GetAllItem_Measurement(l); });
const Operation kMeasurementsWhere =
    Listing([](TestStore& s, CObList& l) { return s.GetItemBySQL_Measurement(l, "1=1"); });
const Operation kListEntries = Listing([](TestStore& s, CObList& l) { return s.GetAllItem_EntryTable(l); });
const Operation kListSteps =
    Listing([](TestStore& s, CObList& l) { return s.GetAllItem_TestActionEntry(l, "tp", ""); });
const Operation kClearActionIds = [](TestStore& s) { return s.Clear_AtmlId_ActionSetup(); };

struct Crafted {
    const char* what;
    std::string sql;  // run on a new project
    const char* tree;
    int levels, cells;
    Operation operation;  // null: Open itself
};

// What Open of path, and then operation, answer in a host of a small
// address space, with the store's message.
std::string Answered(const TempDir& dir, const std::string& path, const Operation& operation) {
    return BoundedInMemory(dir, kHostBytes, [&] {
        TestStore store(dir);
        int result = store.Open(path.c_str());
        if (result == 1 && operation) result = operation(store);
        return std::to_string(result) + " " + std::string(store.GetErrorInfo());
    });
}

// Whether an answer is the budget's refusal of path.
bool Refused(const std::string& answer, const std::string& path) {
    return answer.rfind("-1 ", 0) == 0 && answer.find(ado::kUnboundedReadText + path) != std::string::npos;
}

// Nothing was written: no journal beside the file, and no log that holds anything.
bool NothingBeside(const std::string& path) {
    return !FileExists(path + "-journal") && (!FileExists(path + "-wal") || ReadFile(path + "-wal").empty());
}
}  // namespace

TEST(ReadBounds, EveryReadOfACraftedFileEndsRefusedInLittleMemory) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
    const std::string step = "INSERT INTO TestActionEntryTable (STEP_UUID, TP_UUID, SEQUENCE) SELECT 's' || i, 'tp', i";
    const Crafted crafted[] = {
        // A row of 1 MB read 301^3 times.
        {"a long action", "INSERT INTO ActionSetupTable (ACTION_UUID, ACTION_DESCRIPTION) VALUES ('a', " +
                              Text(1 << 20) + ")",
         "ActionSetupTable", 3, 300, kListActions},
        {"a long edition", "UPDATE EditionTable SET RESERVER1 = " + Text(1 << 20) + " WHERE \"TABLE\" = 'TpsTable'",
         "EditionTable", 3, 300, nullptr},
        {"a long measured value", "INSERT INTO MeasurementTable (MEAS_UUID, DATA_VALUE) VALUES ('m', " +
                                      Text(1 << 20) + ")",
         "MeasurementTable", 3, 300, kMeasurementsWhere},
        {"a long measured value listed", "INSERT INTO MeasurementTable (MEAS_UUID, DATA_VALUE) VALUES ('m', " +
                                             Text(1 << 20) + ")",
         "MeasurementTable", 3, 300, kListMeasurements},
        // A row of 20 KB read 301^2 times.
        {"an action of 20 KB", "INSERT INTO ActionSetupTable (ACTION_UUID, ACTION_DESCRIPTION) VALUES ('a', " +
                                   Text(20 << 10) + ")",
         "ActionSetupTable", 2, 300, kListActions},
        // Short rows read 16 times, far within the budget: each list would
        // answer 1 with every row again and again.
        {"short actions", Rows("INSERT INTO ActionSetupTable (ACTION_UUID) SELECT 'a' || i", 3), "ActionSetupTable", 2,
         3, kListActions},
        {"short entries by their positions", Rows("INSERT INTO EntryTable (TEST_UUID, SEQUENCE) SELECT 'e' || i, i", 3),
         "EntrySequence", 2, 3, kListEntries},
        {"short steps of a test point by their positions", Rows(step, 3), "TestActionEntryScope", 2, 3, kListSteps},
    };
    for (const Crafted& c : crafted) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = MakeProject(dir, "p.tarnprj", c.sql);
        LoopTree(path, c.tree, c.levels, c.cells);
        const std::string file = ReadFile(path);
        const std::string answer = Answered(dir, path, c.operation);
        EXPECT_TRUE(Refused(answer, path)) << answer;
        EXPECT_TRUE(ReadFile(path) == file);
        EXPECT_TRUE(NothingBeside(path));
    }
}

// The budget grows with the bytes the file stores: a looped file that a
// hole makes 64 GiB long has the budget of its few hundred kilobytes.
TEST(ReadBounds, AHoleAddsNothingToTheBudget) {
    TempDir dir;
    const std::string path =
        MakeProject(dir, "p.tarnprj", Rows("INSERT INTO ActionSetupTable (ACTION_UUID) SELECT 'a' || i", 3));
    LoopTree(path, "ActionSetupTable", 5, 40);
    const std::string file = ReadFile(path);
    const off_t length = off_t(64) << 30;
    ASSERT_EQ(truncate(path.c_str(), length), 0);
    const int fd = open(path.c_str(), O_RDONLY);
    const bool holeAfterData = lseek(fd, 0, SEEK_HOLE) == static_cast<off_t>(file.size());
    close(fd);
    if (!holeAfterData) GTEST_SKIP() << "the file system keeps no holes";
    const std::string answer = Answered(dir, path, kClearActionIds);
    EXPECT_TRUE(Refused(answer, path)) << answer;
    // The file as it was: its bytes, then the hole.
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, length);
    std::string head(file.size(), '\0');
    const int again = open(path.c_str(), O_RDONLY);
    EXPECT_EQ(pread(again, &head[0], head.size(), 0), static_cast<ssize_t>(head.size()));
    EXPECT_TRUE(head == file);
    EXPECT_EQ(lseek(again, static_cast<off_t>(file.size()), SEEK_DATA), -1);
    close(again);
    EXPECT_TRUE(NothingBeside(path));
}

// Eight actions, and in another project eight measured values, of two
// values of 1 MB each, listed whole, the values through a condition.
TEST(ReadBounds, ValuesOfAMegabyteListWhole) {
    const int count = 8, bytes = 1 << 20;
    const std::string d = std::string(bytes, 'd'), c = std::string(bytes, 'c');
    TempDir dir;
    const std::string actions = MakeProject(
        dir, "a.tarnprj",
        Rows("INSERT INTO ActionSetupTable (ACTION_UUID, ACTION_DESCRIPTION, SIGNAL_CONTENT) SELECT 'a' || i, " +
                 Text(bytes, 'd') + ", " + Text(bytes, 'c'),
             count));
    const std::string measurements = MakeProject(
        dir, "m.tarnprj",
        Rows("INSERT INTO MeasurementTable (MEAS_UUID, MEAS_DESCRIPTION, DATA_VALUE) SELECT 'm' || i, " +
                 Text(bytes, 'd') + ", " + Text(bytes, 'c'),
             count));
    const struct {
        std::string path;
        std::function<int(TestStore&, CObList&)> list;
        std::function<bool(const CObject*)> whole;  // whether a record holds both values whole
    } cases[] = {
        {actions, [](TestStore& s, CObList& l) { return s.GetAllItem_ActionSetup(l, ""); },
         [&](const CObject* r) {
             const auto* action = static_cast<const CTaDBActionSetup*>(r);
             return action->m_strActionDescription.str() == d && action->m_strSignalContent.str() == c;
         }},
        {measurements, [](TestStore& s, CObList& l) { return s.GetItemBySQL_Measurement(l, "1=1"); },
         [&](const CObject* r) {
             const auto* measurement = static_cast<const CTaDBMeasurement*>(r);
             return measurement->m_strMeasDescription.str() == d && measurement->m_strDataValue.str() == c;
         }},
    };
    for (const auto& listed : cases) {
        TestStore store(dir);
        ASSERT_EQ(store.Open(listed.path.c_str()), 1);
        CObList list;
        EXPECT_EQ(listed.list(store, list), 1) << store.GetErrorInfo().GetString();
        EXPECT_EQ(list.GetCount(), count);
        for (POSITION at = list.GetHeadPosition(); at;) EXPECT_TRUE(listed.whole(list.GetNext(at)));
        store.ClearObjectList(list, "");
    }
}
