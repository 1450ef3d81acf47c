// Loads the library into a child process that has a trace hook of its own,
// unloads it, and checks the two trace lines the child saw.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {
int g_traceFd = -1;
}

extern "C" void RuriDAriRAZudidarUriTrace(const char* text) {
    if (g_traceFd >= 0) {
        ssize_t ignored = write(g_traceFd, text, strlen(text));
        (void)ignored;
    }
}

TEST(LoadUnload, WritesExactlyOneLineEachWay) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(fds[0]);
        g_traceFd = fds[1];
        void* library = dlopen(RURI_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
        if (!library) _exit(2);
        if (write(fds[1], "|loaded|", 8) != 8) _exit(3);
        dlclose(library);
        _exit(0);  // skips exit handlers: the unload line must come from dlclose
    }
    close(fds[1]);
    std::string seen;
    char buffer[256];
    for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) seen.append(buffer, static_cast<size_t>(got));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(seen, "RURIDARIRAZUDIDARURI.DLL Initializing!\n|loaded|RURIDARIRAZUDIDARURI.DLL Terminating!\n");
}
