// Whether the tests run in CI, as .ci/run says by setting RURI_CI=1: there a
// test that lacks what build.sh provides (a locale) fails rather than skips.
#pragma once
#include <cstdlib>
#include <cstring>

inline bool RunsInCi() {
    const char* ci = std::getenv("RURI_CI");
    return ci && std::strcmp(ci, "1") == 0;
}
