// Holds that race: a Save's placed copy against another process that would
// replace it before the store connects, an Open against a process that makes
// and removes the project over and over, and a fold that fills the disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <thread>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/ado/Connection.h"
#include "races/FileCalls.h"
#include "support/ChildProcess.h"
#include "support/TestStore.h"
#include "support/SystemTexts.h"

namespace {
const int kRounds = 12;
const int kRows = 5;

std::string Key(int i) { return "a" + std::to_string(i); }

bool InUse(TestStore& store) {
    return std::string(store.GetErrorInfo()).rfind(kInUseText, 0) == 0;
}

// Makes new projects at target, each closed at once, for as long as the
// file stop is absent; only while a file is at target, so that it never
// makes the first one.
ChildProcess* Replacer(const TempDir& dir, const std::string& target, const std::string& stop) {
    return new ChildProcess([&dir, target, stop](ChildProcess&) {
        TestStore store(dir);
        while (!FileExists(stop)) {
            if (!FileExists(target)) {
                std::this_thread::sleep_for(std::chrono::microseconds(100));
                continue;
            }
            store.New(target.c_str(), 1);
            store.Close();
        }
        return 0;
    });
}

class PlacedCopies : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { filecalls::g_noExclusiveRename = GetParam(); }
    void TearDown() override { filecalls::g_noExclusiveRename = false; }
};
}  // namespace

// Every step from the placing of the copy to the connection to it is slowed
// (the untitled project's close writes its log back meanwhile): the store
// still connects to the copy it placed, never to one that replaced it.
TEST_P(PlacedCopies, ASaveConnectsToTheCopyItPlacedWhileAnotherProcessTriesToReplaceIt) {
    TempDir dir, own;
    const std::string target = dir.File("project.tarnprj"), stop = dir.File("stop");
    const std::string keys = "a0,a1,a2,a3,a4";
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        for (const std::string& path : {target, target + "-wal", target + "-shm", stop}) unlink(path.c_str());
        ChildProcess saver([&](ChildProcess& self) {
            TestStore store(own);
            if (store.New("", 1) != 1) return 2;
            for (int i = 0; i < kRows; ++i)
                if (AddTps(store, Key(i)) != 1) return 3;
            self.Tell('r');
            self.Await();
            filecalls::g_pauseAfterMs = 20;
            store.SetFilePath(target.c_str());
            const RESULTSTATE saved = store.Save();
            filecalls::g_pauseAfterMs = 0;
            // The rows the store reads where it is connected now.
            char found = '0';
            for (int i = 0; i < kRows; ++i) {
                CTaDBTps record;
                if (store.GetItem_Tps(record, 1, Key(i).c_str()) == 1) ++found;
            }
            self.Tell(saved == 1 ? found : 'f');
            self.Await();
            return 0;
        });
        ASSERT_EQ(saver.Heard(), 'r');
        std::unique_ptr<ChildProcess> replacer(Replacer(dir, target, stop));
        saver.Answer();
        // Nothing was at the target: the Save cannot be refused.
        EXPECT_EQ(saver.Heard(), '0' + kRows) << "'f': the Save failed; a digit: the rows the store reads";
        // The saver still holds the project: what lies at the target is its copy.
        EXPECT_EQ(TpsKeys(target), keys);
        WriteFile(stop, "");
        EXPECT_EQ(replacer->Wait(), 0);
        saver.Answer();
        EXPECT_EQ(saver.Wait(), 0);
        EXPECT_EQ(RawQuery(target, "PRAGMA integrity_check")[0][0], "ok");
    }
}

INSTANTIATE_TEST_SUITE_P(FileSystems, PlacedCopies, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "HardLinksOnly" : "ExclusiveRename";
                         });

// A store polls Open while another process makes the project and removes it
// again, round after round: an Open that returned 1 holds the file it
// opened, so a third process cannot make a new project in its place.
TEST(HeldOpens, AnOpenThatReturnedOneHoldsTheFileItOpened) {
    TempDir dir;
    const std::string target = dir.File("project.tarnprj");
    TestStore store(dir);
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ChildProcess checker([&](ChildProcess& self) {
            if (self.Await() != 'n') return 0;
            TestStore other(dir);
            const bool made = other.New(target.c_str(), 1) == 1;
            self.Tell(made ? 'm' : InUse(other) ? 'u' : 'x');
            return 0;
        });
        // Leaves a project at the target when it ends.
        ChildProcess maker([&](ChildProcess&) {
            TestStore own(dir);
            CATMLCommonFun files;
            for (int i = 0; i < 40; ++i) {
                own.New(target.c_str(), 1);
                own.Close();
                files.RemoveFile(target.c_str());
            }
            own.New(target.c_str(), 1);
            return 0;
        });
        // The store's opens of the file are slowed: the file may go and come between them.
        filecalls::g_slowOpenOf = target;
        filecalls::g_openPauseMs = 2;
        bool held = false;
        while (!held && !maker.Ended()) {
            held = store.Open(target.c_str()) == 1;
            ASSERT_TRUE(held || store.State() == FILEPATHSTATE_NONE);
        }
        filecalls::g_openPauseMs = 0;
        EXPECT_EQ(maker.Wait(), 0);
        if (!held) {
            ASSERT_EQ(store.Open(target.c_str()), 1) << store.GetErrorInfo().GetString();
        }
        checker.Answer('n');
        EXPECT_EQ(checker.Heard(), 'u') << "'m': a new project replaced the open one";
        store.Close();
        EXPECT_EQ(checker.Wait(), 0);
        unlink(target.c_str());
    }
}

// Another program renames a project over the path between the hold's open
// and the engine's, or the moment the engine has opened the file there: the
// store keeps no file other than the one it holds and judged, so it refuses
// to open, however harmless the file now at the path.
TEST(JudgedFiles, AFileRenamedOverThePathAroundTheEnginesOpenIsRefused) {
    for (const bool afterTheEngine : {false, true}) {
        SCOPED_TRACE(afterTheEngine ? "after the engine's open" : "before the engine's open");
        TempDir dir;
        const std::string path = MakeProject(dir, "p.tarnprj"), clean = MakeProject(dir, "clean.tarnprj");
        RawExec(path, "CREATE TRIGGER Wipe AFTER INSERT ON TestGroupTable BEGIN DELETE FROM TestGroupTable; END");
        filecalls::StopAt(filecalls::Call::Open, true, path, [&](int) {
            filecalls::StopAt(filecalls::Call::Open, afterTheEngine, path,
                              [&](int) { rename(clean.c_str(), path.c_str()); });
        });
        TestStore store(dir);
        EXPECT_EQ(store.Open(path.c_str()), -1);
        EXPECT_EQ(std::string(store.GetErrorInfo()).rfind(ado::kReplacedText, 0), 0u) << store.GetErrorInfo();
        EXPECT_FALSE(FileExists(clean)) << "the engine's open was not stopped at";
    }
}

// The checkpoint that folds the old project's log into it cannot write into
// the file: the copy fails with the system's text for a full disk, and the
// old project stays whole, its log beside it.
TEST(FullDisk, AFoldThatFillsTheDiskFailsAndLeavesTheOldProjectWithItsLog) {
    TempDir dir;
    std::string rows, keys;
    for (int i = 10; i < 20; ++i) {
        rows += "INSERT INTO TpsTable (TPS_UUID) VALUES ('old" + std::to_string(i) + "');";
        keys += (keys.empty() ? "old" : ",old") + std::to_string(i);
    }
    for (const bool save : {true, false}) {
        SCOPED_TRACE(save ? "Save" : "New");
        const std::string target = MakeProject(dir, save ? "saved.tarnprj" : "new.tarnprj");
        LeaveInTheLog(target, rows);
        TestStore store(dir);
        if (save) {
            ASSERT_EQ(store.New("", 1), 1);
            ASSERT_EQ(AddTps(store, "new"), 1);
            store.SetFilePath(target.c_str());
        }
        filecalls::g_fullFile = std::filesystem::canonical(target).string();
        const RESULTSTATE result = save ? store.Save() : store.New(target.c_str(), 1);
        filecalls::g_fullFile.clear();
        EXPECT_EQ(result, -1);
        const std::string full = SystemText(112);
        EXPECT_EQ(std::string(store.GetErrorInfo()), save ? full : full + store.m_strTemplatePath.GetString());
        EXPECT_EQ(store.State(), save ? FILEPATHSTATE_TEMP : FILEPATHSTATE_NONE);
        EXPECT_TRUE(FileExists(target + "-wal"));
        EXPECT_EQ(TpsKeys(target), keys) << "the rows of the file and of its log";
        EXPECT_EQ(RawQuery(target, "PRAGMA integrity_check")[0][0], "ok");
    }
}
