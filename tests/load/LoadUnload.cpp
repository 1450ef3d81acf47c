// Loads the library into a child process that has a trace hook of its own,
// unloads it, and checks the two trace lines the child saw; and runs a host
// that finds a copy of the library through a relative folder.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
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

namespace {
// Runs body in a child process with fd as its end of a pipe, and returns
// what the child wrote there, then how it ended ("exit N" or "killed").
std::string InChild(void (*body)(int fd, const void* context), const void* context) {
    int fds[2];
    if (pipe(fds) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        body(fds[1], context);
        _exit(0);
    }
    close(fds[1]);
    std::string out;
    char buffer[512];
    for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<size_t>(got));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? out + "exit " + std::to_string(WEXITSTATUS(status)) : out + "killed";
}

void LoadAndUnload(int fd, const void*) {
    g_traceFd = fd;
    void* library = dlopen(RURI_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
    if (!library) _exit(2);
    if (write(fd, "|loaded|", 8) != 8) _exit(3);
    dlclose(library);
    _exit(0);  // skips exit handlers: the unload line must come from dlclose
}
}  // namespace

TEST(LoadUnload, WritesExactlyOneLineEachWay) {
    EXPECT_EQ(InChild(&LoadAndUnload, nullptr),
              "RURIDARIRAZUDIDARURI.DLL Initializing!\n|loaded|RURIDARIRAZUDIDARURI.DLL Terminating!\nexit 0");
}

namespace {
struct HostRun {
    std::string folder;
    const char* moveTo;
};

// Runs the relative host in its folder, finding the library through "lib".
void RunRelativeHost(int fd, const void* context) {
    const HostRun& run = *static_cast<const HostRun*>(context);
    dup2(fd, STDOUT_FILENO);
    close(fd);
    if (chdir(run.folder.c_str()) != 0 || setenv("LD_LIBRARY_PATH", "lib", 1) != 0) _exit(3);
    execl(RURI_RELATIVE_HOST, RURI_RELATIVE_HOST, run.moveTo, static_cast<char*>(nullptr));
    _exit(4);
}
}  // namespace

// A host that found the library through a relative folder and then changed
// its working folder still finds the template beside the library.
TEST(LoadUnload, ARelativeLibraryFolderStillLeadsToTheTemplate) {
    char pattern[] = "/tmp/ruri-relative-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    const std::string libraryFolder = folder + "/lib";
    ASSERT_EQ(mkdir(libraryFolder.c_str(), 0700), 0);
    const std::filesystem::path built(RURI_LIBRARY_FILE);
    std::filesystem::copy_file(built, libraryFolder + "/" + RURI_LIBRARY_SONAME);
    std::filesystem::copy_file(built.parent_path() / "tpstemplate.dll", libraryFolder + "/tpstemplate.dll");
    // The host moves to an unrelated folder, or to one where "lib" names another.
    for (const char* moveTo : {"/", "lib"}) {
        const HostRun run{folder, moveTo};
        EXPECT_EQ(InChild(&RunRelativeHost, &run), "1\n" + libraryFolder + "/tpstemp.tarnprj\n\nexit 0") << moveTo;
        EXPECT_TRUE(std::filesystem::remove(libraryFolder + "/tpstemp.tarnprj")) << moveTo;
    }
    std::filesystem::remove_all(folder);
}
