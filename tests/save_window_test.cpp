// A Save killed at any file step leaves the file it saves onto whole: the
// old project with every row its log held, or the new one. The child that
// saves is traced, and killed as it enters its n-th call that changes files,
// for every n until a Save runs to its end.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <sqlite3.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "support/ChildProcess.h"
#include "support/KillAtStep.h"
#include "support/TestStore.h"
#include "support/SystemTexts.h"

namespace {
// A reader of another process that keeps a snapshot of the project at path
// older than the end of its log: rows committed after the snapshot stay in
// the log until the reader ends, so the log cannot be folded whole.
ChildProcess* ReaderOfAnOlderSnapshot(const std::string& path) {
    return new ChildProcess([path](ChildProcess& self) {
        sqlite3 *reader = nullptr, *writer = nullptr;
        sqlite3_open(path.c_str(), &reader);
        sqlite3_open(path.c_str(), &writer);
        const bool held =
            sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM TpsTable;", nullptr, nullptr, nullptr) == SQLITE_OK &&
            sqlite3_exec(writer, "INSERT INTO TpsTable (TPS_UUID) VALUES ('late');", nullptr, nullptr, nullptr) ==
                SQLITE_OK;
        sqlite3_close(writer);
        self.Tell(held ? 'r' : 'n');
        self.Await();
        sqlite3_close(reader);
        return 0;
    });
}

// Saves onto a project whose log holds rows, killing the saving child at its
// n-th file step for every n until a Save runs to its end; with a reader of
// an older snapshot, every Save must fail and leave the old project whole.
void KillASaveAtEveryFileStep(bool withReader) {
    TempDir dir;
    const std::string target = dir.File("target.tarnprj");
    const std::string seed = MakeProject(dir, "seed.tarnprj");
    std::string rows;
    for (int i = 10; i < 25; ++i) rows += "INSERT INTO TpsTable (TPS_UUID) VALUES ('old" + std::to_string(i) + "');";
    LeaveInTheLog(seed, rows);
    const std::string seedMain = ReadFile(seed), seedLog = ReadFile(seed + "-wal");
    ASSERT_EQ(TpsKeys(seed).size(), 15u * 6 - 1) << "the log's rows are part of the old project";
    const std::string oldKeys = withReader ? "late," + TpsKeys(seed) : TpsKeys(seed), newKeys = "new1,new2";

    int n = 1;
    bool waitedInVain = false;
    for (bool killed = true; killed; ++n) {
        SCOPED_TRACE("killed at file step " + std::to_string(n));
        for (const char* leftover : {"-wal", "-shm", "-journal"}) unlink((target + leftover).c_str());
        WriteFile(target, seedMain);
        WriteFile(target + "-wal", seedLog);
        unlink(dir.File("tpstemp.tarnprj").c_str());
        std::unique_ptr<ChildProcess> reader(withReader ? ReaderOfAnOlderSnapshot(target) : nullptr);
        if (reader) {
            ASSERT_EQ(reader->Heard(), 'r');
        }
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TestStore store(dir);
            if (store.New("", 1) != 1) _exit(2);
            for (const char* key : {"new1", "new2"}) {
                CTaDBTps record;
                record.m_strTpsUuid = key;
                if (store.AddItem_Tps(record, 1) != 1) _exit(3);
            }
            store.SetFilePath(target.c_str());
            if (ptrace(PTRACE_TRACEME, 0, 0, 0) != 0) _exit(4);
            raise(SIGSTOP);
            if (store.Save() == 1) _exit(0);
            // Refused with the text of a file in use, still on the untitled project.
            const bool refused = std::string(store.GetErrorInfo()) == kInUseText &&
                                 store.State() == FILEPATHSTATE_TEMP;
            _exit(refused ? 5 : 6);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSTOPPED(status)) << "the child could not be traced";
        // With the reader, once a Save has waited out the reader in vain,
        // what is left are the steps that drop its own scratch file: the
        // last round lets it run to its end.
        const auto start = std::chrono::steady_clock::now();
        killed = KillAtStep(child, waitedInVain ? 0 : n, status);
        waitedInVain = withReader && std::chrono::steady_clock::now() - start > std::chrono::seconds(3);
        if (!killed) {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == (withReader ? 5 : 0))
                << "the Save ended with " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        }
        reader.reset();
        const std::string keys = TpsKeys(target);
        ASSERT_TRUE(keys == oldKeys || (!withReader && keys == newKeys)) << keys;
        ASSERT_EQ(RawQuery(target, "PRAGMA integrity_check")[0][0], "ok");
        if (!killed && !withReader) {
            EXPECT_EQ(keys, newKeys);
        }
    }
    EXPECT_GT(n, 10) << "a Save takes more than a few file steps";
}
}  // namespace

TEST(SaveWindow, AKillAtAnyFileStepLeavesTheOldProjectOrTheNewOne) { KillASaveAtEveryFileStep(false); }

// The old project's log cannot be folded whole while the reader keeps its
// snapshot: it is never removed, and the Save fails.
TEST(SaveWindow, ALogThatCannotBeFoldedWholeStaysAndTheSaveFails) { KillASaveAtEveryFileStep(true); }
