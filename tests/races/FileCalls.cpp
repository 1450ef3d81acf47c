#include "races/FileCalls.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace filecalls {
std::atomic<int> g_pauseMs{0};
std::atomic<bool> g_noExclusiveRename{false};
std::atomic<bool> g_noHardLinks{false};
std::function<void()> g_whileSyncingACopy;
}  // namespace filecalls

namespace {
void Pause() {
    if (const int ms = filecalls::g_pauseMs.load()) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool IsCopyScratch(int fd) {
    char name[PATH_MAX] = {};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t got = readlink(link.c_str(), name, sizeof name - 1);
    return got > 0 && std::string(name, static_cast<size_t>(got)).find(".copy-") != std::string::npos;
}
}  // namespace

extern "C" int link(const char* from, const char* to) {
    Pause();
    if (filecalls::g_noHardLinks) {
        errno = EPERM;
        return -1;
    }
    return static_cast<int>(syscall(SYS_linkat, AT_FDCWD, from, AT_FDCWD, to, 0));
}

extern "C" int rename(const char* from, const char* to) {
    Pause();
    return static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0));
}

extern "C" int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags) {
    Pause();
    if (filecalls::g_noExclusiveRename && (flags & RENAME_NOREPLACE)) {
        errno = EINVAL;
        return -1;
    }
    return static_cast<int>(syscall(SYS_renameat2, fromDir, from, toDir, to, flags));
}

extern "C" int fsync(int fd) {
    if (filecalls::g_whileSyncingACopy && IsCopyScratch(fd)) {
        std::function<void()> hook;
        hook.swap(filecalls::g_whileSyncingACopy);
        hook();
    }
    return static_cast<int>(syscall(SYS_fsync, fd));
}
