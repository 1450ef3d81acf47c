// Writes beside another process's writes: every write waits out the busy
// timeout, from a new project's first on; an ordered-list change that cannot
// begin changes nothing; a Save copies a consistent project while another
// process writes into it.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <thread>
#include <unistd.h>

#include "support/ChildProcess.h"
#include "support/SharedCount.h"
#include "support/TestStore.h"

namespace {
// A child that, once the parent answers, begins a write on path with the
// engine directly, says so, keeps it for holdMs and then commits it. It is
// forked before the parent opens the file: the engine's own locks do not
// survive a fork, so no child uses a file its parent had open.
ChildProcess* HoldAWriteOnCue(const std::string& path, int holdMs) {
    return new ChildProcess([path, holdMs](ChildProcess& self) {
        self.Await();
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        // Its commit waits out the stores' momentary reads, as any writer would.
        sqlite3_busy_timeout(db, 5000);
        const bool began = sqlite3_exec(db, "BEGIN IMMEDIATE; INSERT INTO TpsTable (TPS_UUID) VALUES ('other');",
                                        nullptr, nullptr, nullptr) == SQLITE_OK;
        self.Tell(began ? 'w' : 'n');
        usleep(static_cast<useconds_t>(holdMs) * 1000);
        const bool committed = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        return committed ? 0 : 1;
    });
}

std::string Positions(const std::string& path) {
    return RawQuery(path, "SELECT group_concat(TEST_UUID || ':' || SEQUENCE) FROM "
                          "(SELECT TEST_UUID, SEQUENCE FROM EntryTable ORDER BY SEQUENCE, TEST_UUID)")[0][0];
}
}  // namespace

TEST(Writers, TheFirstWritesOfANewProjectWaitForAnotherProcessesWrite) {
    TempDir dir;
    // A project made now, and one made by an earlier release in the rollback journal's mode.
    for (const char* journal : {"", "PRAGMA journal_mode=DELETE"}) {
        SCOPED_TRACE(*journal ? journal : "new");
        const std::string path = dir.File(*journal ? "old.tarnprj" : "new.tarnprj");
        TestStore maker(dir), other(dir);
        ASSERT_EQ(maker.New(path.c_str(), 1), 1);
        maker.Close();
        if (*journal) RawExec(path, journal);
        std::unique_ptr<ChildProcess> writer(HoldAWriteOnCue(path, 1000));
        ASSERT_EQ(maker.Open(path.c_str()), 1);
        ASSERT_EQ(other.Open(path.c_str()), 1);
        writer->Answer();
        ASSERT_EQ(writer->Heard(), 'w');
        // Two stores of the project write at once while the other process still writes.
        int first = 0, second = 0;
        std::thread one([&] { first = AddTps(maker, "first"); });
        second = AddTps(other, "second");
        one.join();
        EXPECT_EQ(first, 1) << maker.GetErrorInfo().GetString();
        EXPECT_EQ(second, 1) << other.GetErrorInfo().GetString();
        EXPECT_EQ(writer->Wait(), 0);
        maker.Close();
        other.Close();
        EXPECT_EQ(TpsKeys(path), "first,other,second");
    }
}

TEST(Writers, AnOrderedListChangeThatCannotBeginChangesNothing) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    {
        TestStore store(dir);
        ASSERT_EQ(store.Open(path.c_str()), 1);
        for (int i = 1; i <= 4; ++i) {
            CTaDBEntry entry;
            entry.m_strTestUuid.Format("e%d", i);
            entry.m_nSequence = i;
            ASSERT_EQ(store.AddItem_EntryTable(entry, 1), 1);
        }
    }
    const std::string before = Positions(path);
    using Change = RESULTSTATE (*)(CTaDBTDDataSingle&);
    const Change changes[] = {
        [](CTaDBTDDataSingle& s) { return s.MoveSequence_Swop_EntryTable(1, 2); },
        [](CTaDBTDDataSingle& s) { return s.SetSequence_EntryTable(1, 3); },
        [](CTaDBTDDataSingle& s) { return s.MoveSequence_EntryTable(1, MOVEITEM_BOTTOM); },
        [](CTaDBTDDataSingle& s) { return s.DelSequence_Seq_EntryTable(2); },
        [](CTaDBTDDataSingle& s) { return s.DelSequence_Uuid_EntryTable("e3"); },
    };
    // Another process keeps its write past the busy timeout, then commits.
    std::unique_ptr<ChildProcess> writer(HoldAWriteOnCue(path, 6500));
    writer->Answer();
    ASSERT_EQ(writer->Heard(), 'w');
    std::vector<std::thread> threads;
    std::vector<RESULTSTATE> results(std::size(changes));
    std::vector<std::string> messages(std::size(changes));
    for (size_t i = 0; i < std::size(changes); ++i) {
        threads.emplace_back([&, i] {
            TestStore store(dir);
            if (store.Open(path.c_str()) != 1) return;
            results[i] = changes[i](store);
            messages[i] = store.GetErrorInfo().GetString();
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(writer->Wait(), 0);
    for (size_t i = 0; i < std::size(changes); ++i) {
        EXPECT_EQ(results[i], -1) << "change " << i;
        EXPECT_EQ(messages[i], "database is locked") << "change " << i;
    }
    EXPECT_EQ(Positions(path), before);
    // Once the write is done, a change applies whole.
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1);
    EXPECT_EQ(store.MoveSequence_Swop_EntryTable(1, 2), 1);
    EXPECT_EQ(Positions(path), "e2:1,e1:2,e3:3,e4:4");
}

// Each copy holds every row the writer was told it wrote before the copy
// began: the writer has written at least one before the first.
TEST(Writers, ASaveBesideAWritingProcessCopiesAConsistentProject) {
    TempDir dir;
    SharedCount acknowledged;
    ASSERT_TRUE(acknowledged.Made());
    ChildProcess writer([&](ChildProcess& self) {
        self.Await();
        TestStore own(dir);
        if (own.New("", 0) != 1) return 2;
        // Large rows, and rewrites spread over the file, so that a copy
        // spans many pages while they change.
        for (int i = 0; !acknowledged.Stop(); ++i) {
            CTaDBTps record;
            record.m_strTpsUuid = ("w" + std::to_string(i)).c_str();
            record.m_strTpsName = std::string(3000, char('a' + i % 26)).c_str();
            if (own.AddItem_Tps(record, 1) != 1) return 3;
            acknowledged.Count() = i + 1;
            if (i == 0) self.Tell('w');
            if (i % 50 == 0 && own.m_dbMng.Execute("Update TpsTable Set TPS_NAME = substr(TPS_NAME, 2) || 'x'") != 1)
                return 4;
        }
        return 0;
    });
    struct Stop {
        SharedCount& shared;
        ~Stop() { shared.Stop() = true; }  // however the test ends
    } stopWriter{acknowledged};
    TestStore store(dir);
    ASSERT_EQ(store.New("", 1), 1);
    ASSERT_EQ(AddTps(store, "seed"), 1);
    writer.Answer();
    ASSERT_EQ(writer.Heard(), 'w');
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE("save " + std::to_string(i));
        const int before = acknowledged.Count();
        const std::string saved = dir.File("saved" + std::to_string(i) + ".tarnprj");
        store.SetFilePath(saved.c_str());
        ASSERT_EQ(store.Save(), 1) << store.GetErrorInfo().GetString();
        store.Close();
        ASSERT_EQ(RawQuery(saved, "PRAGMA integrity_check")[0][0], "ok");
        EXPECT_EQ(RawQuery(saved, "SELECT count(*) FROM TpsTable WHERE TPS_UUID = 'seed'")[0][0], "1");
        ASSERT_GT(before, 0);
        const std::string last = "w" + std::to_string(before - 1);
        EXPECT_EQ(RawQuery(saved, "SELECT count(*) FROM TpsTable WHERE TPS_UUID = '" + last + "'")[0][0], "1")
            << "the writer's row " << last << " is not in the copy";
        EXPECT_GE(std::stoi(RawQuery(saved, "SELECT count(*) FROM TpsTable WHERE TPS_UUID LIKE 'w%'")[0][0]), before);
        ASSERT_EQ(store.New("", 0), 1) << store.GetErrorInfo().GetString();
    }
    acknowledged.Stop() = true;
    EXPECT_EQ(writer.Wait(), 0);
}
