#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TestFiles.h"

bool BecomeUnprivileged() {
    const uid_t nobody = 65534;
    return geteuid() != 0 ||
           (setgroups(0, nullptr) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0 && geteuid() != 0);
}

void AsUnprivilegedUser(const TempDir& dir, const std::function<void()>& body) {
    if (geteuid() != 0) return body();
    chmod(dir.Path().c_str(), 0755);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!BecomeUnprivileged()) _exit(2);
        body();
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the unprivileged part failed (" << (WIFEXITED(status) ? WEXITSTATUS(status) : -1) << ")";
}
