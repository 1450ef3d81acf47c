#include "support/KillAtStep.h"

#include <csignal>
#include <set>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

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
}  // namespace

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

StepRun RunKilledAtStep(int n, const std::function<bool()>& work) {
    const pid_t child = fork();
    if (child < 0) return StepRun::NotTraced;
    if (child == 0) {
        if (ptrace(PTRACE_TRACEME, 0, 0, 0) != 0) _exit(4);
        raise(SIGSTOP);
        _exit(work() ? 0 : 2);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFSTOPPED(status)) return StepRun::NotTraced;
    if (KillAtStep(child, n, status)) return StepRun::Killed;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? StepRun::RanToItsEnd : StepRun::FailedAtItsEnd;
}
