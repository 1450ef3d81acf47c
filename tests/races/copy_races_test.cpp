// Copies that race: two processes make the same project at once, on file
// systems with and without hard links or a rename that refuses to replace,
// with the copy's steps slowed to widen every window. No row whose add
// returned 1 is ever lost, and a copy never keeps the process's table of
// holds locked while it works; in a folder that may not be listed too.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <future>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "races/FileCalls.h"
#include "races/OtherThread.h"
#include "platform/win32/ScratchFile.h"
#include "support/ChildProcess.h"
#include "support/TestStore.h"
#include "support/SystemTexts.h"

namespace {
const int kRounds = 12;
const int kRowsEach = 5;

// How a process makes the project at target: with New at the path, as the
// untitled project (target is then its temporary project), or by Save.
enum class Making { NewAtPath, Untitled, Save };

RESULTSTATE Make(TestStore& store, Making making, const std::string& target) {
    switch (making) {
        case Making::NewAtPath: return store.New(target.c_str(), 1);
        case Making::Untitled: return store.New("", 0);
        case Making::Save:
            if (store.New("", 1) != 1) return -1;
            store.SetFilePath(target.c_str());
            return store.Save();
    }
    return -1;
}

// A child that makes the project when told, adds its rows, tells how many
// adds returned 1 (a refused making adds none), and holds the project until
// the parent has looked at the file.
ChildProcess* Maker(const TempDir& shared, const std::string& ownFolder, Making making, const std::string& target,
                    char name) {
    return new ChildProcess([=, &shared](ChildProcess& self) {
        self.Await();
        TestStore store(shared);
        if (making == Making::Save) store.m_strTempPath = (ownFolder + "/tpstemp.tarnprj").c_str();
        char added = '0';
        if (Make(store, making, target) == 1) {
            for (int i = 0; i < kRowsEach; ++i) {
                if (AddTps(store, name + std::to_string(i)) != 1) return 3;
                ++added;
            }
        } else if (std::string(store.GetErrorInfo()).rfind(kInUseText, 0) != 0) {
            return 4;  // only a file in use refuses a making
        }
        self.Tell(added);
        self.Await();
        return 0;
    });
}

void RemoveProject(const std::string& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) unlink((path + suffix).c_str());
}

// Races two makers, round after round, onto a target where nothing is.
void ExpectNoAddedRowLost(Making making) {
    TempDir dir, ownA, ownB;
    const std::string target =
        making == Making::Untitled ? dir.File("tpstemp.tarnprj") : dir.File("project.tarnprj");
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        RemoveProject(target);
        std::unique_ptr<ChildProcess> a(Maker(dir, ownA.Path(), making, target, 'a'));
        std::unique_ptr<ChildProcess> b(Maker(dir, ownB.Path(), making, target, 'b'));
        a->Answer();
        b->Answer();
        const char heardA = a->Heard(), heardB = b->Heard();
        // A maker that ends without a word failed an add after its making returned 1 (3), or was refused for another reason than a file in use (4).
        ASSERT_TRUE(heardA && heardB) << "a maker ended with " << (heardA ? b->Wait() : a->Wait());
        const int addedA = heardA - '0', addedB = heardB - '0';
        ASSERT_GE(addedA + addedB, kRowsEach) << "one of them makes the project";
        // Both still hold the project: every row they were told is added is in the file.
        std::set<std::string> keys;
        for (const auto& row : RawQuery(target, "SELECT TPS_UUID FROM TpsTable")) keys.insert(row[0]);
        for (int i = 0; i < kRowsEach; ++i) {
            EXPECT_TRUE(i >= addedA || keys.count("a" + std::to_string(i))) << "a" << i;
            EXPECT_TRUE(i >= addedB || keys.count("b" + std::to_string(i))) << "b" << i;
        }
        a->Answer();
        b->Answer();
        EXPECT_EQ(a->Wait(), 0);
        EXPECT_EQ(b->Wait(), 0);
        EXPECT_EQ(RawQuery(target, "PRAGMA integrity_check")[0][0], "ok");
    }
}

// Widens every window of a copy for the test's life, on a file system of the given kind.
class SlowCopies : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        filecalls::g_pauseMs = 30;
        filecalls::g_noExclusiveRename = GetParam();
    }
    void TearDown() override {
        filecalls::g_pauseMs = 0;
        filecalls::g_noExclusiveRename = false;
    }
};
}  // namespace

TEST_P(SlowCopies, TwoNewProjectsAtOnePathLoseNoAddedRow) { ExpectNoAddedRowLost(Making::NewAtPath); }

TEST_P(SlowCopies, TwoUntitledProjectsStartedAtOnceLoseNoAddedRow) { ExpectNoAddedRowLost(Making::Untitled); }

TEST_P(SlowCopies, TwoSavesOntoOnePathLoseNoAddedRow) { ExpectNoAddedRowLost(Making::Save); }

INSTANTIATE_TEST_SUITE_P(FileSystems, SlowCopies, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "HardLinksOnly" : "ExclusiveRename";
                         });

TEST(CopyRaces, WithoutHardLinksOrAnExclusiveRenameACopyFailsAndPlacesNothing) {
    TempDir dir;
    filecalls::g_noExclusiveRename = true;
    filecalls::g_noHardLinks = true;
    TestStore store(dir);
    const std::string target = dir.File("project.tarnprj");
    const RESULTSTATE made = store.New(target.c_str(), 1);
    filecalls::g_noExclusiveRename = false;
    filecalls::g_noHardLinks = false;
    EXPECT_EQ(made, -1);
    EXPECT_EQ(std::string(store.GetErrorInfo()),
              SystemText(50) + store.m_strTemplatePath.GetString());
    EXPECT_FALSE(FileExists(target));
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_FALSE(IsScratchName(entry.path().filename().string())) << "a scratch file was left";
}

TEST(CopyRaces, AnotherThreadOpensAndClosesAProjectWhileACopyIsMadeDurable) {
    TempDir dir;
    const std::string unrelated = MakeProject(dir, "unrelated.tarnprj");
    bool closedMeanwhile = false;
    // A copy that kept the table of holds locked here would keep the other thread waiting for good.
    filecalls::g_whileSyncingACopy = [&] { closedMeanwhile = AnotherThreadOpensAndCloses(dir, unrelated); };
    TestStore store(dir);
    ASSERT_EQ(store.New("", 1), 1);
    store.SetFilePath(dir.File("saved.tarnprj").c_str());
    EXPECT_EQ(store.Save(), 1) << store.GetErrorInfo().GetString();
    filecalls::g_whileSyncingACopy = nullptr;
    EXPECT_TRUE(closedMeanwhile);
}

// A folder an ordinary user may write and enter but not list (mode 0333).
// One store's New has found nothing at P and is about to clear the journal
// files left there, when another process makes P and adds rows: the two
// take turns, and no row the other was told it added is lost when it is
// killed. A second name that a killed copy left there is found and goes.
TEST(UnlistedFolders, StoresMakingOneProjectTakeTurnsAndAKilledCopysSecondNameIsFound) {
    TempDir dir;
    const std::string templateCopy = TemplateCopyIn(dir), drop = FolderIn(dir, "drop", 0333);
    AsUnprivilegedUser(dir, [&] {
        const std::string project = drop + "/p.tarnprj";
        auto storeIn = [&](TestStore& store) { store.m_strTemplatePath = templateCopy.c_str(); };
        std::unique_ptr<ChildProcess> other;
        filecalls::StopAt(filecalls::Call::Unlink, false, project + "-journal", [&](int) {
            other.reset(new ChildProcess([&](ChildProcess& self) {
                TestStore store(dir);
                storeIn(store);
                char added = 0;
                if (store.New(project.c_str(), 1) == 1)
                    while (added < 50 && AddTps(store, "r" + std::to_string(int(added))) == 1) ++added;
                self.Tell(added);
                self.Await();
                return 0;
            }));
            // Time for the other process to run ahead, where it may.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        });
        // The first New stops where it clears the journal a killed writer left.
        WriteFile(project + "-journal", "a journal left by a killed writer");
        TestStore first(dir);
        storeIn(first);
        const RESULTSTATE made = first.New(project.c_str(), 1);
        ASSERT_TRUE(other);
        const int added = other->Heard();
        kill(other->Pid(), SIGKILL);
        other->Wait();
        if (made == 1) {
            EXPECT_EQ(AddTps(first, "first"), 1);
        }
        first.Close();
        const std::string count = "SELECT count(*) FROM TpsTable WHERE TPS_UUID LIKE 'r%'";
        EXPECT_EQ(RawQuery(project, count)[0][0], std::to_string(added)) << "rows acknowledged to the killed store";
        EXPECT_TRUE(made == 1 || added == 50) << "neither store made the project";

        // As a copy killed between its hard link and the removal of its
        // scratch name leaves it.
        std::string scratch = ScratchPattern(project);
        scratch.replace(scratch.size() - 6, 6, "000000");
        ASSERT_EQ(link(project.c_str(), scratch.c_str()), 0);
        TestStore again(dir);
        EXPECT_EQ(again.Open(project.c_str()), 1) << again.GetErrorInfo().GetString();
        again.Close();
        EXPECT_FALSE(FileExists(scratch));
    });
    chmod(drop.c_str(), 0777);
}
