// Open and New as their process's first use of the engine, with each
// allocation of the engine's own setup failing in turn, each in a process
// started anew (the engine sets itself up once per process): every run
// answers -1 with the out-of-memory text, never a crash, and the same call
// works once memory is back.
#include <gtest/gtest.h>

#include <climits>

#include "oom/FirstEngineUse.h"
#include "oom/SampleProject.h"
#include "oom/Sweep.h"

namespace {

TEST(EngineSetupTest, EachFailedAllocationOfTheSetupIsAnsweredByOpenAndNew) {
    TempDir dir;
    const std::string project = sample::Make(dir, "project.tarnprj");
    const std::string rows = sample::Rows(dir, project);
    const std::string report = dir.File("report");
    // The engine allocations its setup alone makes, in a process where nothing else used it.
    const firstuse::Report setup = firstuse::Run("setup", LONG_MAX, project, report);
    ASSERT_TRUE(setup.exited);
    ASSERT_EQ(setup.result, 1);
    ASSERT_GT(setup.counted, 0);
    const std::string made = dir.File("new.tarnprj");
    for (const auto& [call, path] : {std::pair{"open", project}, {"new", made}}) {
        for (long n = 1; n <= setup.counted; ++n) {
            SCOPED_TRACE(std::string(call) + ", engine allocation " + std::to_string(n));
            unlink(made.c_str());
            const firstuse::Report run = firstuse::Run(call, n, path, report);
            ASSERT_TRUE(run.exited);
            EXPECT_TRUE(run.fired);
            EXPECT_EQ(run.result, -1);
            EXPECT_EQ(run.message, OUT_OF_MEMORY_TEXT);
            EXPECT_EQ(run.next, 1);
        }
    }
    EXPECT_EQ(sample::Rows(dir, project), rows);
    EXPECT_EQ(sample::Rows(dir, made), sample::Rows(dir, MakeProject(dir, "fresh.tarnprj")));
}

}  // namespace
