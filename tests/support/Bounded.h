// What could run forever runs in a forked child that must end within a
// bound; one that has to be killed fails the test.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "support/ChildProcess.h"
#include "support/TestStore.h"

// Far above the moments each operation of these tests takes, far below the
// hours that one that never ends (or a reader of square time) would take.
const int kBoundSeconds = 60;

// What body gives, run in a forked child that must end within the bound.
inline std::string Bounded(const TempDir& dir, const std::function<std::string()>& body) {
    const std::string out = dir.File("child.out");
    std::remove(out.c_str());
    ChildProcess child([&](ChildProcess&) {
        WriteFile(out, body());
        return 0;
    });
    EXPECT_TRUE(child.EndsWithin(kBoundSeconds)) << "killed after " << kBoundSeconds << " s";
    return FileExists(out) ? ReadFile(out) : "<killed>";
}

// The result of opening path, with the message of a refusal; when it opened,
// followed by what then(store) gives.
inline std::string Opened(const TempDir& dir, const std::string& path,
                          const std::function<std::string(TestStore&)>& then = nullptr) {
    return Bounded(dir, [&] {
        TestStore store(dir);
        const int result = store.Open(path.c_str());
        if (result != 1) return std::to_string(result) + " " + std::string(store.GetErrorInfo());
        return then ? "1 " + then(store) : std::string("1");
    });
}
