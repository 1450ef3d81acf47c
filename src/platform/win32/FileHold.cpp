#include "platform/win32/FileHold.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fileshare {

namespace {
// The byte the holds lock: the engine locks bytes from 1 GiB on, for 512 bytes.
const off_t kHoldByte = off_t(1) << 62;

struct ByFile {
    bool operator()(const FileKey& a, const FileKey& b) const {
        return a.device != b.device ? a.device < b.device : a.inode < b.inode;
    }
};

FileKey KeyOf(const struct stat& info) { return FileKey{info.st_dev, info.st_ino}; }

bool SameFile(const FileKey& a, const FileKey& b) { return a.device == b.device && a.inode == b.inode; }

struct flock HoldByte(short type) {
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = kHoldByte;
    lock.l_len = 1;
    return lock;
}

// Locks the hold byte of fd without waiting; false with errno EBUSY when another holds it.
bool LockHoldByte(int fd, short type) {
    struct flock lock = HoldByte(type);
    if (fcntl(fd, F_OFD_SETLK, &lock) == 0) return true;
    if (errno == EAGAIN || errno == EACCES) errno = EBUSY;
    return false;
}

struct Held {
    int fd;
    int holders;
};

std::mutex g_mutex;
std::map<FileKey, Held, ByFile> g_held;

// Opens path for reading and tells which file it opened; -1 with errno set.
int OpenFile(const std::string& path, FileKey& key) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (fd >= 0 && fstat(fd, &info) == 0) {
        key = KeyOf(info);
        return fd;
    }
    const int err = errno;
    if (fd >= 0) close(fd);
    errno = err;
    return -1;
}

// The file that path names now, when it is one this process holds.
Held* HeldAt(const std::string& path, FileKey& key) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return nullptr;
    key = KeyOf(info);
    auto found = g_held.find(key);
    return found == g_held.end() ? nullptr : &found->second;
}
}  // namespace

bool Hold::Acquire(const std::string& path, int waitMs) {
    Release();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            FileKey key;
            if (Held* held = HeldAt(path, key)) {
                ++held->holders;
                m_key = key;
                m_held = true;
                return true;
            }
            // No connection of this process has the file open, so closing a
            // descriptor of it below drops no lock of the engine's.
            const int fd = OpenFile(path, key);
            if (fd < 0) return false;
            struct stat now;
            const bool replaced = stat(path.c_str(), &now) != 0 || !SameFile(KeyOf(now), key);
            if (!replaced && LockHoldByte(fd, F_RDLCK)) {
                g_held[key] = Held{fd, 1};
                m_key = key;
                m_held = true;
                return true;
            }
            const int err = errno;
            close(fd);
            if (!replaced && err != EBUSY) {
                errno = err;
                return false;
            }
            if (replaced) continue;
        }
        // A copy is replacing the file: wait for the file it leaves.
        if (std::chrono::steady_clock::now() >= deadline) {
            errno = EBUSY;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void Hold::Release() noexcept {
    if (!m_held) return;
    m_held = false;
    std::lock_guard<std::mutex> guard(g_mutex);
    auto found = g_held.find(m_key);
    if (found == g_held.end() || --found->second.holders > 0) return;
    close(found->second.fd);
    g_held.erase(found);
}

ReplaceLock::~ReplaceLock() {
    if (m_fd >= 0) close(m_fd);
}

bool ReplaceLock::Take(const std::string& path) {
    std::lock_guard<std::mutex> guard(g_mutex);
    FileKey key;
    if (HeldAt(path, key)) {
        errno = EBUSY;
        return false;
    }
    // An exclusive lock needs a descriptor open for writing. A file that
    // cannot be written is only looked at for holds: it stays unheld.
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        const int look = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (look < 0) return true;  // the copy itself tells whether it may replace it
        struct flock probe = HoldByte(F_WRLCK);
        const bool held = fcntl(look, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
        close(look);
        errno = held ? EBUSY : 0;
        return !held;
    }
    if (!LockHoldByte(fd, F_WRLCK)) {
        const int err = errno;
        close(fd);
        errno = err;
        return err != EBUSY;
    }
    m_fd = fd;
    return true;
}

bool ReadFile(const std::string& path, bool (*read)(int fd, void* context), void* context) {
    std::lock_guard<std::mutex> guard(g_mutex);
    FileKey key;
    if (Held* held = HeldAt(path, key)) return read(held->fd, context);
    const int fd = OpenFile(path, key);
    if (fd < 0) return false;
    const bool ok = read(fd, context);
    const int err = errno;
    close(fd);
    errno = err;
    return ok;
}

}  // namespace fileshare
