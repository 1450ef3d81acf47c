#include "platform/win32/FileHold.h"

#include <chrono>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <pthread.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fileshare {

namespace {
// The byte the holds lock: the engine locks bytes from 1 GiB on, for 512 bytes.
const off_t kHoldByte = off_t(1) << 62;
// An exclusive hold looks again when the path comes to name another file
// under it; past this many looks it gives up as if the file were in use.
const int kTakeAttempts = 100;

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

// Whether another open file description holds fd's file: the look a file
// that cannot be opened for writing allows.
bool HeldElsewhere(int fd) {
    struct flock probe = HoldByte(F_WRLCK);
    return fcntl(fd, F_OFD_GETLK, &probe) != 0 || probe.l_type != F_UNLCK;
}

// A file this process holds: the descriptor that carries its lock, and every
// other descriptor opened of it while held, closed only with the last hold.
struct Held {
    int fd = -1;
    int holders = 0;
    bool exclusive = false;
    std::vector<int> spares;
};

std::mutex g_mutex;
std::map<FileKey, Held, ByFile> g_held;
// Counts the forks whose children emptied their table, so that a hold made
// before the fork never releases an entry made after it.
uint64_t g_generation = 0;

void CloseAll(Held& held) {
    if (held.fd >= 0) close(held.fd);
    for (int fd : held.spares) close(fd);
}

// Gives up a descriptor of the file key names, under the table's lock: kept
// with its holders while the file is held, since closing it would drop their
// locks; closed at once otherwise.
void DropDescriptor(int fd, const FileKey& key) {
    auto found = g_held.find(key);
    if (found != g_held.end()) found->second.spares.push_back(fd);
    else close(fd);
}

struct ForkHandlers {
    ForkHandlers() {
        pthread_atfork([] { g_mutex.lock(); }, [] { g_mutex.unlock(); },
                       [] {
                           // The parent's descriptors keep its locks; the child's copies go.
                           for (auto& entry : g_held) CloseAll(entry.second);
                           g_held.clear();
                           ++g_generation;
                           g_mutex.unlock();
                       });
    }
} g_forkHandlers;

// Looks at what path names; false with errno set when it is nothing, or
// anything but a regular file (kNotRegularFile).
bool LookRegular(const std::string& path, struct stat& info) {
    if (stat(path.c_str(), &info) != 0) return false;
    if (S_ISREG(info.st_mode)) return true;
    errno = kNotRegularFile;
    return false;
}

// Opens the regular file at path; -1 with errno set. Anything else is looked
// at but never opened: opening a pipe or a device can block or act.
int OpenRegular(const std::string& path, int flags, FileKey& key) {
    struct stat info;
    if (!LookRegular(path, info)) return -1;
    const int fd = open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    const bool looked = fstat(fd, &info) == 0;
    if (looked && S_ISREG(info.st_mode)) {
        key = KeyOf(info);
        return fd;
    }
    const int err = looked ? kNotRegularFile : errno;
    close(fd);
    errno = err;
    return -1;
}

bool StillAt(const std::string& path, const FileKey& key) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && SameFile(KeyOf(info), key);
}
}  // namespace

void Hold::Register(const FileKey& key, int fd, bool exclusive) {
    Held& held = g_held[key];
    held.fd = fd;
    held.holders = 1;
    held.exclusive = exclusive;
    Joined(key);
}

void Hold::Joined(const FileKey& key) {
    m_key = key;
    m_generation = g_generation;
    m_held = true;
}

bool Hold::Share(const std::string& path, int waitMs) {
    Release();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    int fd = -1;
    FileKey key;
    for (;;) {
        if (fd < 0 && (fd = OpenRegular(path, O_RDONLY, key)) < 0) return false;
        bool held = false;
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            auto found = g_held.find(key);
            if (found != g_held.end() && !found->second.exclusive) {
                ++found->second.holders;
                found->second.spares.push_back(fd);
                Joined(key);
                held = true;
            } else if (found == g_held.end()) {
                if (LockHoldByte(fd, F_RDLCK)) {
                    Register(key, fd, false);
                    held = true;
                } else {
                    const int err = errno;
                    close(fd);  // no holder of this process has the file open
                    fd = -1;
                    if (err != EBUSY) {
                        errno = err;
                        return false;
                    }
                }
            }
            // Otherwise this process replaces the file: fd is kept until it is done.
        }
        if (held) {
            // The path may name another file since it was opened: hold that one.
            if (StillAt(path, key)) return true;
            Release();
            fd = -1;
            continue;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            if (fd >= 0) {
                std::lock_guard<std::mutex> guard(g_mutex);
                DropDescriptor(fd, key);
            }
            errno = EBUSY;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

bool Hold::Take(const std::string& path, bool writable) {
    Release();
    for (int attempt = 0; attempt < kTakeAttempts; ++attempt) {
        struct stat info;
        if (!LookRegular(path, info)) return false;
        if (writable && (info.st_mode & 0222) == 0) {
            errno = EACCES;
            return false;
        }
        const FileKey key = KeyOf(info);
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            if (g_held.count(key)) {
                errno = EBUSY;
                return false;
            }
            Register(key, -1, true);  // this process's openers of the file wait from now on
        }
        FileKey opened;
        int fd = OpenRegular(path, O_RDWR, opened);
        const bool readOnly = fd < 0 && errno == EACCES && !writable;
        // A file that may be removed but not written is only looked at: an
        // exclusive lock needs a descriptor open for writing.
        if (readOnly) fd = OpenRegular(path, O_RDONLY, opened);
        if (fd < 0) {
            const int err = errno;
            Release();
            if (err == ENOENT) continue;  // gone meanwhile: look again
            errno = err;
            return false;
        }
        if (!SameFile(opened, key)) {
            {
                std::lock_guard<std::mutex> guard(g_mutex);
                DropDescriptor(fd, opened);
            }
            Release();
            continue;
        }
        const bool locked = readOnly ? !HeldElsewhere(fd) : LockHoldByte(fd, F_WRLCK);
        const int err = readOnly ? EBUSY : errno;  // why it is not locked
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            g_held[key].fd = fd;  // the entry is this hold's alone
        }
        if (locked) return true;
        Release();
        errno = err;
        return false;
    }
    errno = EBUSY;
    return false;
}

bool Hold::Adopt(int fd) {
    Release();
    struct stat info;
    if (fstat(fd, &info) != 0 || !LockHoldByte(fd, F_WRLCK)) {
        const int err = errno;
        close(fd);
        errno = err;
        return false;
    }
    std::lock_guard<std::mutex> guard(g_mutex);
    Register(KeyOf(info), fd, true);
    return true;
}

int Hold::Descriptor() const {
    if (!m_held) return -1;
    std::lock_guard<std::mutex> guard(g_mutex);
    auto found = g_held.find(m_key);
    return m_generation == g_generation && found != g_held.end() ? found->second.fd : -1;
}

void Hold::Release() noexcept {
    if (!m_held) return;
    m_held = false;
    std::lock_guard<std::mutex> guard(g_mutex);
    if (m_generation != g_generation) return;  // made before a fork that emptied the table
    auto found = g_held.find(m_key);
    if (found == g_held.end() || --found->second.holders > 0) return;
    CloseAll(found->second);
    g_held.erase(found);
}

}  // namespace fileshare
