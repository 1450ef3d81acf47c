// What could run forever runs in a forked child that must end within a
// bound; one that has to be killed fails the test.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>

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

// The process's address space in bytes.
inline int64_t AddressSpace() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 7, "VmSize:") == 0) return std::stoll(line.substr(7)) << 10;
    return -1;
}

// What body gives, run as Bounded runs it in a host that first opened an
// ordinary project (so that what the library makes once per process is
// made) and then may grow its address space only by bytes: a body that
// would take more ends out of memory.
inline std::string BoundedInMemory(const TempDir& dir, int64_t bytes, const std::function<std::string()>& body) {
    const std::string ordinary = MakeProject(dir, "ordinary.tarnprj");
    return Bounded(dir, [&] {
        {
            TestStore store(dir);
            if (store.Open(ordinary.c_str()) != 1) return std::string("the ordinary project did not open");
        }
        const rlim_t most = static_cast<rlim_t>(AddressSpace() + bytes);
        const rlimit limit{most, most};
        if (setrlimit(RLIMIT_AS, &limit) != 0) return std::string("no limit");
        return body();
    });
}
