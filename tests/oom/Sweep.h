// Runs a library call again and again, each time with the next of its
// allocations failing, until a run in which none failed: the call then met
// a failed allocation at every step it takes. The sanitizer build steps by
// a stride over long calls, so that the suite stays affordable there.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "ATMLCommonError/ATMLError.h"
#include "oom/FailingAllocations.h"

namespace failing {

// Under the sanitizer a sweep makes about this many runs at most, stepping
// over allocations by a stride where the call makes more of them.
#if defined(__SANITIZE_ADDRESS__)
const long kSweepRuns = 250;
#else
const long kSweepRuns = LONG_MAX;
#endif

// What one run tells the sweep.
enum class Outcome { Failed, RanThrough };

// Runs run(n) for n = 1, 1 + stride, ... until it reports that its call ran
// through without a failed allocation (every allocation, but for the
// stride); stops early once a run has broken an expectation, so that one
// fault does not repeat itself thousands of times. The stride comes from a
// first run that counts the call's allocations and fails none. A sweep in
// which no allocation of the call failed has tested nothing: it fails. The
// number of runs.
template <class RunOnce>
long Sweep(RunOnce&& run) {
    run(LONG_MAX);
    const long counted = Counted();
    const long stride = std::max(1L, counted / kSweepRuns);
    long runs = 1, failed = 0;
    for (long n = 1; !::testing::Test::HasFailure(); n += stride) {
        ++runs;
        if (run(n) == Outcome::RanThrough) break;
        ++failed;
    }
    EXPECT_GT(counted, 0) << "the hook counted no allocation of the call";
    EXPECT_GT(failed, 0) << "no allocation of the call failed";
    return runs;
}

// Calls call() with the nth allocation failing. What it throws is reported
// as a failure of the test, never passed on. Whether an allocation failed.
template <class Call>
Outcome CallFailing(long n, Call&& call, bool sticky = false) {
    try {
        Armed armed(n, sticky);
        call();
    } catch (const std::exception& error) {
        Disarm();
        ADD_FAILURE() << "allocation " << n << " failed and the call threw: " << error.what();
    } catch (...) {
        Disarm();
        ADD_FAILURE() << "allocation " << n << " failed and the call threw";
    }
    return Fired() ? Outcome::Failed : Outcome::RanThrough;
}

}  // namespace failing

// The answer of an operation that ran out of memory.
#define OUT_OF_MEMORY_TEXT "内存不足，操作未完成！"

// A call that met a failed allocation either did its work (1) or answered
// -1 with the out-of-memory text in the error state it writes.
#define EXPECT_ANSWERED(result, state, n)                                                                 \
    do {                                                                                                  \
        const int answered_ = (result);                                                                   \
        if (answered_ != 1) {                                                                             \
            EXPECT_EQ(answered_, -1) << "allocation " << (n);                                             \
            EXPECT_STREQ((state).m_strErrorInfo.GetString(), OUT_OF_MEMORY_TEXT) << "allocation " << (n); \
        }                                                                                                 \
    } while (0)
