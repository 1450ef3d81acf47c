// Every add that returned 1 survives the process being killed at any moment,
// and the project file stays intact.
#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TestStore.h"

namespace {
// Adds rows until killed, writing each key whose add returned 1 to fd.
[[noreturn]] void AddUntilKilled(const TempDir& dir, const std::string& project, int fd) {
    TestStore store(dir);
    if (store.Open(project.c_str()) != 1) _exit(2);
    for (long i = 0;; ++i) {
        CTaDBTps record;
        record.m_strTpsName.Format("row %ld", i);
        if (store.AddItem_Tps(record, 1) != 1) _exit(3);
        std::string line = std::string(record.m_strTpsUuid) + "\n";
        if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) _exit(4);
    }
}
}  // namespace

TEST(Crash, EveryConfirmedAddSurvivesAKill) {
    TempDir dir;
    const std::string project = MakeProject(dir, "p.tarnprj");
    std::mt19937 random(20261207);
    std::set<std::string> confirmed;
    for (int round = 0; round < 4; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            AddUntilKilled(dir, project, fds[1]);
        }
        close(fds[1]);
        usleep(20000 + random() % 150000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped on its own with " << WEXITSTATUS(status);
        std::string reported;
        char buffer[4096];
        for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) reported.append(buffer, static_cast<size_t>(got));
        close(fds[0]);
        // Only whole lines were confirmed; a line cut by the kill was not.
        for (size_t start = 0, end; (end = reported.find('\n', start)) != std::string::npos; start = end + 1)
            confirmed.insert(reported.substr(start, end - start));
    }
    ASSERT_FALSE(confirmed.empty());

    TestStore store(dir);
    ASSERT_EQ(store.Open(project.c_str()), 1) << store.GetErrorInfo().GetString();
    for (const std::string& key : confirmed) {
        CTaDBTps record;
        ASSERT_EQ(store.GetItem_Tps(record, 1, key.c_str()), 1) << key;
    }
    store.Close();
    EXPECT_EQ(RawQuery(project, "PRAGMA integrity_check")[0][0], "ok");
}
