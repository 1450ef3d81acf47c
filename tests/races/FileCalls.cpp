#include "races/FileCalls.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/win32/ScratchFile.h"

namespace filecalls {
std::atomic<int> g_pauseMs{0};
std::atomic<int> g_pauseAfterMs{0};
std::atomic<int> g_openPauseMs{0};
std::string g_slowOpenOf;
std::atomic<bool> g_noExclusiveRename{false};
std::atomic<bool> g_noHardLinks{false};
std::string g_fullFile;
std::function<void()> g_whileSyncingACopy;
std::atomic<bool> g_noDowngrade{false};
std::atomic<int> g_lockPauseMs{0};
std::string g_closingFile;
std::function<void()> g_whileClosing;
}  // namespace filecalls

namespace {
struct Stop {
    filecalls::Call call;
    bool after;
    std::string path;
    std::function<void(int)> hook;
};

std::mutex g_stopsMutex;
std::vector<Stop> g_stops;
// How many stops are armed: while none is, no call looks at a path.
std::atomic<int> g_armed{0};

std::string PathOf(int fd);

// Runs the stop armed for this call on the file path names (or, without
// path, the file open at fd), if any.
void StopHere(filecalls::Call call, bool after, const char* path, int fd) {
    if (g_armed.load() == 0) return;
    const std::string named = path ? std::string(path) : PathOf(fd);
    std::function<void(int)> hook;
    {
        std::lock_guard<std::mutex> guard(g_stopsMutex);
        for (auto it = g_stops.begin(); it != g_stops.end(); ++it) {
            if (it->call == call && it->after == after && it->path == named) {
                hook.swap(it->hook);
                g_stops.erase(it);
                --g_armed;
                break;
            }
        }
    }
    const int err = errno;
    if (hook) hook(fd);
    errno = err;
}

void Sleep(int ms) {
    if (ms) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The result of a call, returned after the pause that follows it.
long After(long result) {
    const int err = errno;
    Sleep(filecalls::g_pauseAfterMs.load());
    errno = err;
    return result;
}

// Whether the open file description of fd holds a write lock of its own.
bool HoldsWriteLock(int fd) {
    char name[64], text[4096];
    snprintf(name, sizeof name, "/proc/self/fdinfo/%d", fd);
    const int info = static_cast<int>(syscall(SYS_openat, AT_FDCWD, name, O_RDONLY | O_CLOEXEC, 0));
    if (info < 0) return false;
    const ssize_t got = read(info, text, sizeof text - 1);
    syscall(SYS_close, info);
    text[got > 0 ? got : 0] = 0;
    return strstr(text, "OFDLCK") && strstr(text, "WRITE");
}

// The path of the file open at fd, as the kernel names it.
std::string PathOf(int fd) {
    char name[PATH_MAX] = {};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t got = readlink(link.c_str(), name, sizeof name - 1);
    return got > 0 ? std::string(name, static_cast<size_t>(got)) : std::string();
}

// The name of the file at path, without its folder.
std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

ssize_t Write(int fd, const void* buffer, size_t count, off_t offset) {
    if (!filecalls::g_fullFile.empty() && PathOf(fd) == filecalls::g_fullFile) {
        errno = ENOSPC;
        return -1;
    }
    return syscall(SYS_pwrite64, fd, buffer, count, offset);
}

int Open(const char* path, int flags, va_list more) {
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? static_cast<mode_t>(va_arg(more, int)) : 0;
    if (filecalls::g_openPauseMs && path == filecalls::g_slowOpenOf) Sleep(filecalls::g_openPauseMs.load());
    StopHere(filecalls::Call::Open, false, path, -1);
    const int fd = static_cast<int>(syscall(SYS_openat, AT_FDCWD, path, flags, mode));
    if (fd >= 0) StopHere(filecalls::Call::Open, true, path, fd);
    return fd;
}
}  // namespace

void filecalls::StopAt(Call call, bool after, const std::string& path, std::function<void(int fd)> hook) {
    std::lock_guard<std::mutex> guard(g_stopsMutex);
    g_stops.push_back(Stop{call, after, path, std::move(hook)});
    ++g_armed;
}

extern "C" int link(const char* from, const char* to) {
    Sleep(filecalls::g_pauseMs.load());
    if (filecalls::g_noHardLinks) {
        errno = EPERM;
        return -1;
    }
    return static_cast<int>(After(syscall(SYS_linkat, AT_FDCWD, from, AT_FDCWD, to, 0)));
}

extern "C" int rename(const char* from, const char* to) {
    Sleep(filecalls::g_pauseMs.load());
    return static_cast<int>(After(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0)));
}

extern "C" int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags) {
    Sleep(filecalls::g_pauseMs.load());
    if (filecalls::g_noExclusiveRename && (flags & RENAME_NOREPLACE)) {
        errno = EINVAL;
        return -1;
    }
    return static_cast<int>(After(syscall(SYS_renameat2, fromDir, from, toDir, to, flags)));
}

extern "C" int fsync(int fd) {
    if (filecalls::g_whileSyncingACopy && IsScratchName(NameOf(PathOf(fd)))) {
        std::function<void()> hook;
        hook.swap(filecalls::g_whileSyncingACopy);
        hook();
    }
    return static_cast<int>(After(syscall(SYS_fsync, fd)));
}

extern "C" int fdatasync(int fd) { return static_cast<int>(After(syscall(SYS_fdatasync, fd))); }

extern "C" ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset) {
    return Write(fd, buffer, count, offset);
}

extern "C" ssize_t pwrite64(int fd, const void* buffer, size_t count, off_t offset)
    __attribute__((alias("pwrite")));

extern "C" int open(const char* path, int flags, ...) {
    va_list more;
    va_start(more, flags);
    const int fd = Open(path, flags, more);
    va_end(more);
    return fd;
}

// The same calls under their large-file names.
extern "C" int open64(const char* path, int flags, ...) __attribute__((alias("open")));

extern "C" int fcntl(int fd, int cmd, ...) {
    va_list more;
    va_start(more, cmd);
    void* argument = va_arg(more, void*);
    va_end(more);
    const short type = cmd == F_OFD_SETLK ? static_cast<struct flock*>(argument)->l_type : F_UNLCK;
    if (filecalls::g_noDowngrade && type == F_RDLCK && HoldsWriteLock(fd)) {
        errno = ENOLCK;
        return -1;
    }
    if (type == F_WRLCK) Sleep(filecalls::g_lockPauseMs.load());
    const bool locking = cmd == F_OFD_SETLK && type != F_UNLCK;
    const struct flock* asked = static_cast<struct flock*>(argument);
    const filecalls::Call call = locking && type == F_WRLCK && asked->l_start == 0 && asked->l_len == 0
                                     ? filecalls::Call::LockWhole
                                     : filecalls::Call::Lock;
    if (locking) StopHere(call, false, nullptr, fd);
    const int result = static_cast<int>(syscall(SYS_fcntl, fd, cmd, argument));
    if (locking && result == 0) StopHere(call, true, nullptr, fd);
    return result;
}

extern "C" int flock(int fd, int operation) {
    const bool locking = (operation & (LOCK_EX | LOCK_SH)) != 0;
    if (locking) StopHere(filecalls::Call::Lock, false, nullptr, fd);
    const int result = static_cast<int>(syscall(SYS_flock, fd, operation));
    if (locking && result == 0) StopHere(filecalls::Call::Lock, true, nullptr, fd);
    return result;
}

extern "C" int unlink(const char* path) {
    StopHere(filecalls::Call::Unlink, false, path, -1);
    const int result = static_cast<int>(syscall(SYS_unlinkat, AT_FDCWD, path, 0));
    StopHere(filecalls::Call::Unlink, true, path, -1);
    return result;
}

extern "C" int fcntl64(int fd, int cmd, ...) __attribute__((alias("fcntl")));

extern "C" int close(int fd) {
    if (filecalls::g_whileClosing && PathOf(fd) == filecalls::g_closingFile) {
        std::function<void()> hook;
        hook.swap(filecalls::g_whileClosing);
        hook();
    }
    const std::string path = g_armed.load() ? PathOf(fd) : std::string();
    if (!path.empty()) StopHere(filecalls::Call::Close, false, path.c_str(), fd);
    const int result = static_cast<int>(syscall(SYS_close, fd));
    if (!path.empty()) StopHere(filecalls::Call::Close, true, path.c_str(), fd);
    return result;
}
