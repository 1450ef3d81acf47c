// Kills a traced child at a chosen file step, to see what a process killed
// at any moment leaves on disk. The child calls ptrace(PTRACE_TRACEME) and
// stops itself (raise(SIGSTOP)) before the work whose steps are counted.
#pragma once
#include <functional>
#include <sys/types.h>

// Lets the stopped, traced child run until it enters its n-th call that
// changes files, and kills it there. False when it ended before, with
// status telling how.
bool KillAtStep(pid_t child, int n, int& status);

// How a run of work in a traced child ended.
enum class StepRun { Killed, RanToItsEnd, FailedAtItsEnd, NotTraced };
// Forks a child that runs work, traced from its first step, and kills it at
// its n-th call that changes files; work's result true counts as success.
StepRun RunKilledAtStep(int n, const std::function<bool()>& work);
