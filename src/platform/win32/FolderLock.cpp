#include "platform/win32/FolderLock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

#include "platform/win32/DatabaseLog.h"

std::string FolderOf(const std::string& path) {
    size_t cut = path.find_last_of('/');
    if (cut == std::string::npos) return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

FolderLock::~FolderLock() {
    if (m_fd < 0) return;
    flock(m_fd, LOCK_UN);
    close(m_fd);
}

bool FolderLock::Lock(const std::string& path) {
    const int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder that this user may write and enter but not read cannot be
    // opened to lock it: it goes without, like a file system without folder locks.
    if (fd < 0) return errno == EACCES;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        if (err == EINTR) continue;
        if (err == EWOULDBLOCK && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        close(fd);
        if (err != EWOULDBLOCK) return true;  // no folder locks on this file system
        errno = EBUSY;
        return false;
    }
    m_fd = fd;
    return true;
}
