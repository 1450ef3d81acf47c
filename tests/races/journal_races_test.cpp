// The file the engine opens and what lies beside it, changed by another at
// the moment the library works on them: a link retargeted before the
// engine's open, and a plain SQLite program that opens the project while
// the library replaces the journal files beside it.
#include <gtest/gtest.h>

#include <atomic>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "races/FileCalls.h"
#include "support/ChildProcess.h"
#include "support/TestStore.h"

namespace {
const uid_t kNobody = 65534;
}  // namespace

// The store resolves the link once, holds the file it leads to and has the
// engine open that file by its own name: a link turned to another project
// between the hold's open and the engine's moves no row into that project.
TEST(LinkRaces, ALinkRetargetedBeforeTheEnginesOpenMovesNoRowToAnotherFile) {
    TempDir dir;
    const std::string real = MakeProject(dir, "real.tarnprj"), other = MakeProject(dir, "other.tarnprj");
    const std::string link = dir.File("link.tarnprj"), turned = dir.File("turned.tarnprj");
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    ASSERT_EQ(symlink(other.c_str(), turned.c_str()), 0);
    bool retargeted = false;
    filecalls::StopAt(filecalls::Call::Open, true, real, [&](int) {
        filecalls::StopAt(filecalls::Call::Open, false, real, [&](int) {
            retargeted = rename(turned.c_str(), link.c_str()) == 0;
        });
    });
    TestStore store(dir);
    ASSERT_EQ(store.Open(link.c_str()), 1) << store.GetErrorInfo().GetString();
    EXPECT_TRUE(retargeted) << "the engine's open was not stopped at";
    EXPECT_EQ(AddTps(store, "added"), 1);
    store.Close();
    EXPECT_EQ(TpsKeys(real), "added");
    EXPECT_EQ(TpsKeys(other), "<null>");
}

// Journal files that the project's user may not write, with rows in the
// log, are replaced by the user's own copies under the engine's exclusive
// lock: a plain SQLite program of another process that opens the project
// at that moment waits for the lock, then commits, and no row is lost.
TEST(JournalRaces, APlainProgramOpeningWhileJournalsAreReplacedWaitsAndLosesNoRow) {
    TempDir dir;
    chmod(dir.Path().c_str(), 0755);
    const std::string folder = FolderIn(dir, "shared", 0777);
    const std::string project = folder + "/p.tarnprj";
    {
        TestStore maker(dir);
        ASSERT_EQ(maker.New(project.c_str(), 1), 1) << maker.GetErrorInfo().GetString();
    }
    LeaveTpsRowsInTheLog(project, 30);
    for (const char* suffix : {"-wal", "-shm"}) chmod((project + suffix).c_str(), 0444);
    ASSERT_EQ(chown(project.c_str(), kNobody, kNobody), 0);

    ChildProcess user([&](ChildProcess& self) {
        if (!BecomeUnprivileged()) return 9;
        filecalls::StopAt(filecalls::Call::Unlink, false, project + "-shm", [&](int) {
            self.Tell('p');
            self.Await();
        });
        TestStore store(dir);
        if (store.Open(project.c_str()) != 1) return 1;
        if (AddTps(store, "user") != 1) return 2;
        store.Close();
        return 0;
    });
    ASSERT_EQ(user.Heard(), 'p') << user.Wait();
    std::atomic<bool> done{false};
    int result = -1;
    std::thread plain([&] {
        sqlite3* db = nullptr;
        result = sqlite3_open(project.c_str(), &db);
        if (result == SQLITE_OK) result = sqlite3_busy_timeout(db, 30000);
        if (result == SQLITE_OK)
            result = sqlite3_exec(db,
                                  "BEGIN IMMEDIATE; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                  "WHERE i < 10) INSERT INTO TpsTable (TPS_UUID) SELECT 'plain' || i FROM n; COMMIT",
                                  nullptr, nullptr, nullptr);
        sqlite3_close(db);
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(done) << "the plain program did not wait for the engine's lock";
    user.Answer();
    plain.join();
    EXPECT_EQ(result, SQLITE_OK);
    EXPECT_EQ(user.Wait(), 0);
    EXPECT_EQ(RawQuery(project, "SELECT count(*) FROM TpsTable")[0][0], "41");
    EXPECT_EQ(RawQuery(project, "PRAGMA integrity_check")[0][0], "ok");
}
