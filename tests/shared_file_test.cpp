// One project file used by several stores, threads and processes: a file
// that a store has open is never replaced under it, closing never waits for
// another store's readers, and ordered-list changes wait their turn instead
// of failing.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <thread>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/ado/Recordset.h"
#include "support/ChildProcess.h"
#include "support/TestStore.h"
#include "support/SystemTexts.h"

namespace {
// The failure of a copy onto a file that a store holds.
void ExpectFileInUse(TestStore& store, const std::string& message, const char* position) {
    EXPECT_EQ(store.GetErrorCode(), -1);
    EXPECT_EQ(std::string(store.GetErrorInfo()), message);
    EXPECT_NE(std::string(store.GetErrorTrace()).find(position), std::string::npos) << position;
}

}  // namespace

TEST(HeldFile, AnUntitledProjectInUseIsNotStartedAfreshUnderItsStore) {
    TempDir dir;
    TestStore first(dir), second(dir);
    ASSERT_EQ(first.New("", 1), 1);
    ASSERT_EQ(AddTps(first, "a"), 1);
    const std::string inUse = kInUseText;
    EXPECT_EQ(second.New("", 1), -1);
    ExpectFileInUse(second, inUse + first.m_strTemplatePath.GetString(), "CTaDBTDDataSingle::New()");
    EXPECT_EQ(second.State(), FILEPATHSTATE_NONE);
    // Continuing the untitled project stays allowed: both stores work on it.
    ASSERT_EQ(second.New("", 0), 1) << second.GetErrorInfo().GetString();
    ASSERT_EQ(AddTps(second, "b"), 1);
    ASSERT_EQ(AddTps(first, "c"), 1);
    second.Close();

    const std::string saved = dir.File("saved.tarnprj");
    first.SetFilePath(saved.c_str());
    ASSERT_EQ(first.Save(), 1) << first.GetErrorInfo().GetString();
    first.Close();
    EXPECT_EQ(TpsKeys(saved), "a,b,c");
    // Once no store holds it, the untitled project may start afresh.
    ASSERT_EQ(second.New("", 1), 1) << second.GetErrorInfo().GetString();
    second.Close();
    EXPECT_EQ(TpsKeys(dir.File("tpstemp.tarnprj")), "<null>");
}

namespace {
// New and Save onto path fail while another holds it, and leave it as it
// is; opening it stays allowed. Once release has run, both may replace it.
void ExpectNotReplacedWhileHeld(const TempDir& dir, const std::string& path, const std::function<void()>& release,
                                const std::string& heldKeys) {
    const std::string inUse = kInUseText;
    TestStore store(dir);
    EXPECT_EQ(store.New(path.c_str(), 1), -1);
    ExpectFileInUse(store, inUse + store.m_strTemplatePath.GetString(), "CTaDBTDDataSingle::New()");
    ASSERT_EQ(store.New("", 1), 1);
    store.SetFilePath(path.c_str());
    EXPECT_EQ(store.Save(), -1);
    ExpectFileInUse(store, inUse, "CTaDBTDDataSingle::Save()");
    EXPECT_EQ(store.State(), FILEPATHSTATE_TEMP);
    TestStore reader(dir);
    ASSERT_EQ(reader.Open(path.c_str()), 1);
    reader.Close();

    release();
    EXPECT_EQ(TpsKeys(path), heldKeys);
    EXPECT_EQ(store.Save(), 1) << store.GetErrorInfo().GetString();
    store.Close();
    EXPECT_EQ(TpsKeys(path), "<null>");
}
}  // namespace

TEST(HeldFile, AFileAnotherStoreHoldsIsNotReplaced) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    TestStore holder(dir);
    ASSERT_EQ(holder.Open(path.c_str()), 1);
    ASSERT_EQ(AddTps(holder, "kept"), 1);
    // The holder's later writes land in the file everyone sees.
    ExpectNotReplacedWhileHeld(dir, path, [&] {
        ASSERT_EQ(AddTps(holder, "later"), 1);
        holder.Close();
    }, "kept,later");
}

TEST(HeldFile, AFileAnotherProcessHoldsIsNotReplaced) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    std::unique_ptr<ChildProcess> child(HoldingChild(dir, path));
    ASSERT_EQ(child->Heard(), 'y');
    ExpectNotReplacedWhileHeld(dir, path, [&] { ASSERT_EQ(child->Wait(), 0); }, "child");
}

TEST(SharedFile, CloseLeavesTheLogToTheLastConnectionInsteadOfWaiting) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    TestStore writer(dir), reader(dir);
    ASSERT_EQ(writer.Open(path.c_str()), 1);
    ASSERT_EQ(reader.Open(path.c_str()), 1);
    ASSERT_EQ(AddTps(writer, "a"), 1);
    ASSERT_EQ(AddTps(writer, "b"), 1);
    // The reader stands in the middle of a list: its read is open.
    ASSERT_EQ(reader.m_dbMng.QueryDataInDB("Select * From TpsTable"), 1);
    ASSERT_FALSE(reader.m_dbMng.GetRecordset()->IsEOF());

    const auto start = std::chrono::steady_clock::now();
    writer.Close();
    const auto waited = std::chrono::steady_clock::now() - start;
    // Bounded: a close that waited would take the whole busy timeout (5 s).
    EXPECT_LT(waited, std::chrono::seconds(4));
    EXPECT_TRUE(FileExists(path + "-wal"));
    reader.Close();
    EXPECT_FALSE(FileExists(path + "-wal"));
    EXPECT_EQ(TpsKeys(path), "a,b");
}

TEST(SharedFile, OrderedListChangesOfSeveralStoresWaitTheirTurn) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    const int stores = 4, moves = 100, entries = 6;
    {
        TestStore store(dir);
        ASSERT_EQ(store.Open(path.c_str()), 1);
        for (int i = 0; i < entries; ++i) {
            CTaDBEntry entry;
            entry.m_strTestUuid.Format("e%d", i);
            entry.m_nSequence = i + 1;
            ASSERT_EQ(store.AddItem_EntryTable(entry, 1), 1) << store.GetErrorInfo().GetString();
        }
    }
    std::atomic<int> failures{0};
    std::string firstFailure;
    std::vector<std::thread> threads;
    for (int t = 0; t < stores; ++t) {
        threads.emplace_back([&, t] {
            TestStore store(dir);
            if (store.Open(path.c_str()) != 1) return void(++failures);
            for (int i = 0; i < moves; ++i) {
                const long from = 2 + (t + i) % (entries - 1), to = from % entries + 1;
                const RESULTSTATE moved = i % 2 ? store.MoveSequence_Swop_EntryTable(from, to)
                                                : store.MoveSequence_EntryTable(from, MOVEITEM_TOP);
                if (moved != 1 && failures++ == 0) firstFailure = store.GetErrorInfo().GetString();
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failures.load(), 0) << firstFailure;
    EXPECT_EQ(RawQuery(path, "SELECT group_concat(SEQUENCE) FROM (SELECT SEQUENCE FROM EntryTable ORDER BY 1)")[0][0],
              "1,2,3,4,5,6");
}
