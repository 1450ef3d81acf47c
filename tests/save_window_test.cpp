// A Save killed at any file step leaves the file it saves onto whole: the
// old project with every row its log held, or the new one. The child that
// saves is traced, and killed as it enters its n-th call that changes files,
// for every n until a Save runs to its end.
#include <gtest/gtest.h>

#include <csignal>
#include <set>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TestStore.h"

namespace {
bool ChangesFiles(long call) {
    static const std::set<long> calls = {
        SYS_write,     SYS_pwrite64, SYS_writev,   SYS_pwritev, SYS_fsync,     SYS_fdatasync, SYS_ftruncate,
        SYS_openat,    SYS_renameat, SYS_renameat2, SYS_unlinkat, SYS_linkat,  SYS_fchmod,
#ifdef SYS_rename
        SYS_rename,    SYS_unlink,   SYS_link,     SYS_open,
#endif
    };
    return calls.count(call) > 0;
}

// Lets the stopped, traced child run until it enters its n-th call that
// changes files, and kills it there. False when it ended before, with
// status telling how.
bool KillAtStep(pid_t child, int n, int& status) {
    ptrace(PTRACE_SETOPTIONS, child, 0, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    for (int steps = 0;;) {
        if (ptrace(PTRACE_SYSCALL, child, 0, 0) != 0 || waitpid(child, &status, 0) != child) return false;
        if (WIFEXITED(status) || WIFSIGNALED(status)) return false;
        if (!WIFSTOPPED(status) || WSTOPSIG(status) != (SIGTRAP | 0x80)) continue;
        struct __ptrace_syscall_info info = {};
        ptrace(PTRACE_GET_SYSCALL_INFO, child, sizeof info, &info);
        if (info.op == PTRACE_SYSCALL_INFO_ENTRY && ChangesFiles(static_cast<long>(info.entry.nr)) && ++steps == n) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return true;
        }
    }
}
}  // namespace

TEST(SaveWindow, AKillAtAnyFileStepLeavesTheOldProjectOrTheNewOne) {
    TempDir dir;
    const std::string target = dir.File("target.tarnprj");
    const std::string seed = MakeProject(dir, "seed.tarnprj");
    std::string rows;
    for (int i = 10; i < 25; ++i) rows += "INSERT INTO TpsTable (TPS_UUID) VALUES ('old" + std::to_string(i) + "');";
    LeaveInTheLog(seed, rows);
    const std::string seedMain = ReadFile(seed), seedLog = ReadFile(seed + "-wal");
    ASSERT_EQ(TpsKeys(seed).size(), 15u * 6 - 1) << "the log's rows are part of the old project";
    const std::string oldKeys = TpsKeys(seed), newKeys = "new1,new2";

    int n = 1;
    for (bool killed = true; killed; ++n) {
        SCOPED_TRACE("killed at file step " + std::to_string(n));
        for (const char* leftover : {"-wal", "-shm", "-journal"}) unlink((target + leftover).c_str());
        WriteFile(target, seedMain);
        WriteFile(target + "-wal", seedLog);
        unlink(dir.File("tpstemp.tarnprj").c_str());
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
            _exit(store.Save() == 1 ? 0 : 5);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSTOPPED(status)) << "the child could not be traced";
        killed = KillAtStep(child, n, status);
        if (!killed) {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the Save failed";
        }
        const std::string keys = TpsKeys(target);
        ASSERT_TRUE(keys == oldKeys || keys == newKeys) << keys;
        ASSERT_EQ(RawQuery(target, "PRAGMA integrity_check")[0][0], "ok");
        if (!killed) {
            EXPECT_EQ(keys, newKeys);
        }
    }
    EXPECT_GT(n, 10) << "a Save takes more than a few file steps";
}
