// The failed-allocation tests run in a program of their own: its hook
// replaces operator new for the whole program, and the engine's allocator
// is routed through it before the engine starts. Started anew with the
// first-use argument, it runs one library call instead (FirstEngineUse.h).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "oom/FailingAllocations.h"
#include "oom/FirstEngineUse.h"

int main(int argc, char** argv) {
    if (!failing::RouteEngineAllocations()) return 2;
    if (argc > 1 && std::strcmp(argv[1], firstuse::kFirstUseArgument) == 0) return firstuse::RunCall(argc, argv);
    // Every run makes and syncs project files: in memory, where the system
    // offers a folder there, the thousands of runs cost little.
    if (access("/dev/shm", W_OK | X_OK) == 0) setenv("TMPDIR", "/dev/shm", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
