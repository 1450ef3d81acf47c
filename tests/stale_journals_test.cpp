// A stale log never meets a new file: removing a project removes the log and
// index a killed writer left beside it, and a new project made where such
// files lie, killed at any file step, is either absent or new and empty.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/win32/ScratchFile.h"
#include "support/KillAtStep.h"
#include "support/TestStore.h"

namespace {
// A project whose writer was killed after adding 200 TPS rows: the rows are
// in its log only, and the log's index lies beside it too.
std::string ProjectOfAKilledWriter(const TempDir& dir) {
    const std::string path = MakeProject(dir, "p.tarnprj");
    std::string rows;
    for (int i = 0; i < 200; ++i) rows += "INSERT INTO TpsTable (TPS_UUID) VALUES ('old" + std::to_string(i) + "');";
    LeaveInTheLog(path, rows);
    // A read that replays the log makes its index, and leaves both.
    EXPECT_EQ(RawQuery(path, "SELECT count(*) FROM TpsTable")[0][0], "200");
    EXPECT_TRUE(FileExists(path + "-wal") && FileExists(path + "-shm"));
    return path;
}
}  // namespace

TEST(StaleJournals, RemovingAProjectRemovesTheLogAKilledWriterLeft) {
    TempDir dir;
    const std::string path = ProjectOfAKilledWriter(dir);
    CATMLCommonFun files;
    EXPECT_EQ(files.RemoveFile(path.c_str()), 1) << files.GetErrorInfo().GetString();
    for (const char* suffix : {"", "-wal", "-shm"}) EXPECT_FALSE(FileExists(path + suffix)) << suffix;
    // A file that is no database has no journals: what lies beside it is not its own.
    const std::string notes = dir.File("notes.txt");
    WriteFile(notes, "no database");
    WriteFile(notes + "-wal", "a file of its own");
    EXPECT_EQ(files.RemoveFile(notes.c_str()), 1);
    EXPECT_FALSE(FileExists(notes));
    EXPECT_TRUE(FileExists(notes + "-wal"));
}

// A child removes a project whose rows lie in its log and is killed at its
// n-th file step, for every n until a removal runs to its end: the path
// keeps the whole project, or nothing and no log of it, so that the host's
// own copy put there later opens as it was copied.
TEST(StaleJournals, ARemovalKilledAtAnyFileStepLeavesTheWholeProjectOrNothingOfIt) {
    TempDir dir;
    const std::string backup = MakeProject(dir, "backup.tarnprj", "INSERT INTO TpsTable (TPS_UUID) VALUES ('backup')");
    const std::string path = dir.File("p.tarnprj");
    int n = 1, removed = 0;
    for (bool killed = true; killed; ++n) {
        SCOPED_TRACE("killed at file step " + std::to_string(n));
        ASSERT_LT(n, 100) << "no removal ran to its end";
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) unlink((path + suffix).c_str());
        ProjectOfAKilledWriter(dir);
        const StepRun run = RunKilledAtStep(n, [&] { return CATMLCommonFun().RemoveFile(path.c_str()) == 1; });
        killed = run == StepRun::Killed;
        ASSERT_TRUE(killed || run == StepRun::RanToItsEnd) << "the removal failed, or could not be traced";
        if (FileExists(path)) {
            ASSERT_EQ(RawQuery(path, "SELECT count(*) FROM TpsTable")[0][0], "200");
            continue;
        }
        ++removed;
        for (const char* suffix : {"-wal", "-shm", "-journal"}) EXPECT_FALSE(FileExists(path + suffix)) << suffix;
        std::filesystem::copy_file(backup, path);
        TestStore store(dir);
        ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
        store.Close();
        ASSERT_EQ(TpsKeys(path), "backup") << "the removed project's log was replayed";
    }
    EXPECT_GT(removed, 0);
}

// The project is removed but its log and index are back beside its path;
// a child makes a new project there and is killed at its n-th file step,
// for every n until a New runs to its end.
TEST(StaleJournals, ANewProjectKilledAtAnyFileStepBesideAStaleLogIsAbsentOrEmpty) {
    TempDir dir;
    const std::string path = ProjectOfAKilledWriter(dir);
    const std::string log = ReadFile(path + "-wal"), index = ReadFile(path + "-shm");
    int n = 1;
    for (bool killed = true; killed; ++n) {
        SCOPED_TRACE("killed at file step " + std::to_string(n));
        // A New whose steps grow with what the killed runs left would never run to its end.
        ASSERT_LT(n, 100) << "no New ran to its end";
        unlink(path.c_str());
        WriteFile(path + "-wal", log);
        WriteFile(path + "-shm", index);
        const StepRun run = RunKilledAtStep(n, [&] { return TestStore(dir).New(path.c_str(), 1) == 1; });
        killed = run == StepRun::Killed;
        ASSERT_TRUE(killed || run == StepRun::RanToItsEnd) << "the New failed, or could not be traced";
        if (killed && !FileExists(path)) continue;
        TestStore store(dir);
        ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
        store.Close();
        ASSERT_EQ(RawQuery(path, "SELECT count(*) FROM TpsTable")[0][0], "0") << "the old log was replayed";
        ASSERT_EQ(RawQuery(path, "PRAGMA integrity_check")[0][0], "ok");
    }
    EXPECT_GT(n, 10) << "a New takes more than a few file steps";
    // The New that ran to its end removed the scratch files of the killed ones.
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_FALSE(IsScratchName(entry.path().filename().string())) << entry.path();
}

// A user opens a project it may write beside another user's read-only log
// of 30 rows and its index, and is killed at its n-th file step (the
// journals replaced by its own copies, the log folded, the journals
// removed), for every n until an Open runs to its end: after each kill the
// project holds every row, and the user's next Open reads them all and writes.
TEST(StaleJournals, AnOpenKilledAtAnyFileStepWhileItClearsAnotherUsersJournalsLosesNoRow) {
    TempDir dir;
    chmod(dir.Path().c_str(), 0755);
    int n = 1;
    for (bool killed = true; killed; ++n) {
        SCOPED_TRACE("killed at file step " + std::to_string(n));
        ASSERT_LT(n, 100) << "no Open ran to its end";
        const std::string folder = FolderIn(dir, "k" + std::to_string(n), 0777);
        const std::string path = folder + "/p.tarnprj";
        {
            TestStore maker(dir);
            ASSERT_EQ(maker.New(path.c_str(), 1), 1) << maker.GetErrorInfo().GetString();
        }
        LeaveTpsRowsInTheLog(path, 30);
        for (const char* suffix : {"-wal", "-shm"}) chmod((path + suffix).c_str(), 0444);
        ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
        const StepRun run =
            RunKilledAtStep(n, [&] { return BecomeUnprivileged() && TestStore(dir).Open(path.c_str()) == 1; });
        killed = run == StepRun::Killed;
        ASSERT_TRUE(killed || run == StepRun::RanToItsEnd) << "the Open failed, or could not be traced";
        AsUnprivilegedUser(dir, [&] {
            TestStore store(dir);
            ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
            EXPECT_EQ(TpsRows(store), 30);
            EXPECT_EQ(AddTps(store, "after"), 1) << store.GetErrorInfo().GetString();
        });
        EXPECT_EQ(TpsRowsOfTheFileAlone(path), 31);
        EXPECT_EQ(RawQuery(path, "PRAGMA integrity_check")[0][0], "ok");
    }
    EXPECT_GT(n, 5) << "the clearing takes more than a few file steps";
}
