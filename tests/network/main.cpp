// The network tests run in a program of their own, whose statfs and fstatfs
// give the type a test chooses for its folder (NetworkType.h). Run as
// "--host FOLDER TYPE PATH", it is a host started anew beside a test: with
// that type for that folder, it works on the project at PATH as its
// parent's words on its standard input say, and answers each on its
// standard output: 'y' done, 'u' refused with the system's text for a file
// in use, 'n' refused otherwise. The words: 'o' Open, 'n' New onto it,
// 's' Save of a new untitled project onto it, 'r' RemoveFile of it, 'c'
// Close. The end of its input ends it.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "network/NetworkType.h"
#include "support/TestStore.h"

namespace {
std::string g_folder;  // its real path and a "/"; empty for none
long g_type = 0;
std::string g_hookedPath;
std::function<void()> g_hook;

// Gives info, the kernel's look at path, the chosen type where path lies in the folder.
void ChosenType(const std::string& path, struct statfs* info) {
    if (!g_folder.empty() && path.rfind(g_folder, 0) == 0) info->f_type = g_type;
}
}  // namespace

void networktype::SeeFolderAs(const std::string& folder, long type) {
    char real[PATH_MAX];
    g_folder = type && realpath(folder.c_str(), real) ? std::string(real) + "/" : std::string();
    g_type = type;
}

void networktype::BeforeLookAt(const std::string& path, std::function<void()> hook) {
    g_hookedPath = path;
    g_hook = std::move(hook);
}

extern "C" int statfs(const char* path, struct statfs* info) {
    std::function<void()> hook;
    if (g_hookedPath == path) hook.swap(g_hook);
    if (hook) hook();
    if (syscall(SYS_statfs, path, info) != 0) return -1;
    ChosenType(path, info);
    return 0;
}

extern "C" int fstatfs(int fd, struct statfs* info) {
    char path[PATH_MAX] = {};
    if (syscall(SYS_fstatfs, fd, info) != 0) return -1;
    if (readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path - 1) > 0) ChosenType(path, info);
    return 0;
}

namespace {
int RunAsHost(const std::string& folder, long type, const CString& path) {
    networktype::SeeFolderAs(folder, type);
    const TempDir own;  // for its untitled project
    TestStore store(own);
    CATMLCommonFun files;
    const std::string inUse = CATMLCommonFun::GetOSErrorMessage(32).GetString();
    for (char word = 0; read(0, &word, 1) == 1;) {
        int result = 1;
        if (word == 'o') result = store.Open(path);
        if (word == 'n') result = store.New(path, 1);
        if (word == 's' && (result = store.New("", 1)) == 1 && (result = store.SetFilePath(path)) == 1)
            result = store.Save();
        if (word == 'c' || word == 'r') store.Close();
        if (word == 'r') result = files.RemoveFile(path);
        const std::string message((word == 'r' ? files.GetErrorInfo() : store.GetErrorInfo()).GetString());
        const char told = result == 1 ? 'y' : message.find(inUse) != std::string::npos ? 'u' : 'n';
        if (write(1, &told, 1) != 1) return 1;
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--host") return RunAsHost(argv[2], std::atol(argv[3]), argv[4]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
