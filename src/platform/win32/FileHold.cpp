#include "platform/win32/FileHold.h"

#include <atomic>
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
// How long a hold that waits for the file's entry sleeps between looks.
const int kPollMs = 2;

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

// Locks (F_RDLCK, F_WRLCK) or unlocks (F_UNLCK) the hold byte of fd's open
// file description without waiting; false with errno EBUSY when another holds it.
bool SetHoldByte(int fd, short type) {
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

// A file of the table: being opened by its first holder, held shared or
// exclusively, or being closed by its last. Only a shared file is joined;
// for the others a hold waits.
enum class State { Opening, Shared, Exclusive, Closing };

// A file this process holds: the descriptor that carries its lock, and any
// other descriptor of it that a race left open, kept with it: closing one
// while the file is held would drop its holders' record locks.
struct Held {
    int fd = -1;
    int holders = 0;
    State state = State::Opening;
    std::vector<int> spares;
};

using Table = std::map<FileKey, Held, ByFile>;

std::mutex g_mutex;
Table g_held;
// The files held when this process, or one of its forebears, was forked:
// the nodes of the table move here at the fork, without an allocation.
std::multimap<FileKey, Held, ByFile> g_heldByForebears;
std::atomic<uint64_t> g_forks{0};

// Takes the hold's lock off the open file description, then closes it and
// the spares: any copy of the description elsewhere holds nothing after.
void CloseHeld(int fd, const std::vector<int>& spares) {
    if (fd >= 0) {
        SetHoldByte(fd, F_UNLCK);
        close(fd);
    }
    for (int spare : spares) close(spare);
}

// Gives up a descriptor of the file key names, under the table's lock: kept
// with the file's holders while it is held, since closing it would drop
// their record locks; closed at once when no holder has the file open.
void DropDescriptor(int fd, const FileKey& key) {
    auto found = g_held.find(key);
    if (found != g_held.end() && found->second.state != State::Closing) found->second.spares.push_back(fd);
    else close(fd);
}

struct ForkHandlers {
    ForkHandlers() {
        pthread_atfork([] { g_mutex.lock(); }, [] { g_mutex.unlock(); },
                       [] {
                           // The parent's descriptors keep its locks; the child's copies
                           // go, unlocked by nobody, and their files stay off limits.
                           for (auto& entry : g_held) {
                               if (entry.second.fd >= 0) close(entry.second.fd);
                               for (int spare : entry.second.spares) close(spare);
                               entry.second.fd = -1;
                               entry.second.spares.clear();
                           }
                           g_heldByForebears.merge(g_held);
                           ++g_forks;
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

uint64_t ForkCount() { return g_forks.load(); }

Hold& Hold::operator=(Hold&& other) noexcept {
    if (this != &other) {
        Release();
        m_held = other.m_held;
        m_key = other.m_key;
        m_forks = other.m_forks;
        other.m_held = false;
    }
    return *this;
}

void Hold::Joined(const FileKey& key) {
    m_key = key;
    m_forks = g_forks.load();
    m_held = true;
}

bool Hold::Inherited() const { return m_held && m_forks != g_forks.load(); }

bool Hold::OpenShared(const std::string& path, const FileKey& key) {
    FileKey opened;
    const int fd = OpenRegular(path, O_RDONLY, opened);
    int err = errno;
    const bool same = fd >= 0 && SameFile(opened, key);
    // The path names another file since it was looked at: look again.
    if (fd >= 0 && !same) err = EAGAIN;
    const bool locked = same && SetHoldByte(fd, F_RDLCK);
    if (same && !locked) err = errno;
    std::lock_guard<std::mutex> guard(g_mutex);
    if (locked) {
        Held& held = g_held[key];
        held.fd = fd;
        held.state = State::Shared;
        return true;
    }
    // The entry is this hold's alone, and no holder of this process has the
    // file open: what was opened of it is closed at once.
    if (same) close(fd);
    else if (fd >= 0) DropDescriptor(fd, opened);
    m_held = false;
    g_held.erase(key);
    return Refuse(err);
}

bool Hold::Share(const std::string& path, int waitMs, Use use) {
    Release();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        struct stat info;
        if (!LookRegular(path, info)) return false;
        if (use == Use::Project && info.st_nlink > 1) return Refuse(kSecondName);
        const FileKey key = KeyOf(info);
        bool opening = false;
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            if (use == Use::Project && g_heldByForebears.count(key)) return Refuse(kOpenInParent);
            auto found = g_held.find(key);
            if (found == g_held.end()) {
                // This hold opens the file; other holders wait until it has.
                Held& held = g_held[key];
                held.holders = 1;
                Joined(key);
                opening = true;
            } else if (found->second.state == State::Shared) {
                ++found->second.holders;
                Joined(key);
            }
        }
        bool retry = false;
        if (opening && !OpenShared(path, key)) {
            // A copy of another process replaces the file, or the path changed.
            if (errno != EBUSY && errno != EAGAIN) return false;
            retry = errno == EAGAIN;
        }
        if (m_held) {
            if (StillAt(path, key)) return true;
            Release();  // the path names another file now: hold that one
            continue;
        }
        if (retry) continue;
        if (std::chrono::steady_clock::now() >= deadline) return Refuse(EBUSY);
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
}

bool Hold::Take(const std::string& path, bool writable) {
    Release();
    for (int attempt = 0; attempt < kTakeAttempts; ++attempt) {
        struct stat info;
        if (!LookRegular(path, info)) return false;
        if (writable && (info.st_mode & 0222) == 0) return Refuse(EACCES);
        if (writable && info.st_nlink > 1) return Refuse(kSecondName);
        const FileKey key = KeyOf(info);
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            if (writable && g_heldByForebears.count(key)) return Refuse(kOpenInParent);
            if (g_held.count(key)) return Refuse(EBUSY);
            // This process's openers of the file wait from now on.
            Held& held = g_held[key];
            held.holders = 1;
            held.state = State::Exclusive;
            Joined(key);
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
            return Refuse(err);
        }
        if (!SameFile(opened, key)) {
            {
                std::lock_guard<std::mutex> guard(g_mutex);
                DropDescriptor(fd, opened);
            }
            Release();
            continue;
        }
        const bool locked = readOnly ? !HeldElsewhere(fd) : SetHoldByte(fd, F_WRLCK);
        const int err = readOnly ? EBUSY : errno;  // why it is not locked
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            g_held[key].fd = fd;  // the entry is this hold's alone
        }
        if (locked) return true;
        Release();
        return Refuse(err);
    }
    return Refuse(EBUSY);
}

bool Hold::Adopt(int fd) {
    Release();
    struct stat info;
    if (fstat(fd, &info) != 0 || !SetHoldByte(fd, F_WRLCK)) {
        const int err = errno;
        close(fd);
        return Refuse(err);
    }
    std::lock_guard<std::mutex> guard(g_mutex);
    Held& held = g_held[KeyOf(info)];
    held.fd = fd;
    held.holders = 1;
    held.state = State::Exclusive;
    Joined(KeyOf(info));
    return true;
}

bool Hold::Downgrade() {
    const int fd = Descriptor();
    if (fd < 0) return Refuse(EBADF);
    // The entry is exclusive and this hold's alone: no one else changes it.
    if (!SetHoldByte(fd, F_RDLCK)) return false;
    std::lock_guard<std::mutex> guard(g_mutex);
    g_held[m_key].state = State::Shared;
    return true;
}

int Hold::Descriptor() const {
    if (!m_held || Inherited()) return -1;
    std::lock_guard<std::mutex> guard(g_mutex);
    auto found = g_held.find(m_key);
    return found != g_held.end() ? found->second.fd : -1;
}

void Hold::Release() noexcept {
    if (!m_held) return;
    m_held = false;
    int fd = -1;
    std::vector<int> spares;
    {
        std::lock_guard<std::mutex> guard(g_mutex);
        if (m_forks != g_forks.load()) return;  // made before a fork: the child closed its copies
        auto found = g_held.find(m_key);
        if (found == g_held.end() || --found->second.holders > 0) return;
        // Joiners wait while the last holder closes the file outside the table's lock.
        found->second.state = State::Closing;
        fd = found->second.fd;
        spares.swap(found->second.spares);
    }
    CloseHeld(fd, spares);
    std::lock_guard<std::mutex> guard(g_mutex);
    // A file made meanwhile may have its inode again, under a new entry.
    auto found = g_held.find(m_key);
    if (found != g_held.end() && found->second.state == State::Closing) g_held.erase(found);
}

}  // namespace fileshare
