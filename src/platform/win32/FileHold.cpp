#include "platform/win32/FileHold.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
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

// An entry of the table: a file this process holds, the descriptor that
// carries its lock, and any other descriptor of it that a race left open,
// kept with it: closing one while the file is held would drop its holders'
// record locks. An entry belongs to the hold that made it (its id); holds
// that join a shared file count themselves in it, and only the last of
// them ends it. A removed file's inode can be given to a new file at once,
// so one key may name several entries: one of the live file, and ones of
// holds that have looked at a file and not yet opened it.
struct Held {
    uint64_t id = 0;
    int fd = -1;
    int holders = 0;
    State state = State::Opening;
    std::vector<int> spares;
};

using Table = std::multimap<FileKey, Held, ByFile>;

std::mutex g_mutex;
Table g_held;
uint64_t g_lastId = 0;
// The files held when this process, or one of its forebears, was forked:
// the nodes of the table move here at the fork, without an allocation.
Table g_heldByForebears;
std::atomic<uint64_t> g_forks{0};
// Whether this process, or a forebear since its last exec, was forked
// while another thread ran.
std::atomic<bool> g_forkedBesideThreads{false};
// How many threads the process had when it last prepared to fork.
int g_threadsAtFork = 1;

// Takes the hold's lock off the open file description, then closes it and
// the spares: any copy of the description elsewhere holds nothing after.
void CloseHeld(int fd, const std::vector<int>& spares) {
    if (fd >= 0) {
        SetHoldByte(fd, F_UNLCK);
        close(fd);
    }
    for (int spare : spares) close(spare);
}

// The entry of the table that id names; end when there is none.
Table::iterator EntryOf(const FileKey& key, uint64_t id) {
    auto range = g_held.equal_range(key);
    for (auto it = range.first; it != range.second; ++it)
        if (it->second.id == id) return it;
    return g_held.end();
}

// The entry of the file key names that holds joined: one held shared.
Table::iterator Joinable(const FileKey& key) {
    auto range = g_held.equal_range(key);
    for (auto it = range.first; it != range.second; ++it)
        if (it->second.state == State::Shared) return it;
    return g_held.end();
}

// Makes a new entry for key, of one holder, and gives its id.
uint64_t NewEntry(const FileKey& key, State state, int fd = -1) {
    Held held;
    held.id = ++g_lastId;
    held.fd = fd;
    held.holders = 1;
    held.state = state;
    g_held.emplace(key, std::move(held));
    return g_lastId;
}

// Ends the entry at it, under the table's lock (taken by guard): joiners
// wait while its descriptors are closed with the lock let go, then it is
// erased. Only what the entry itself holds is closed.
void EndEntry(Table::iterator it, std::unique_lock<std::mutex>& guard) {
    const FileKey key = it->first;
    const uint64_t id = it->second.id;
    const int fd = it->second.fd;
    std::vector<int> spares;
    spares.swap(it->second.spares);
    if (fd >= 0 || !spares.empty()) {
        it->second.state = State::Closing;
        guard.unlock();
        CloseHeld(fd, spares);
        guard.lock();
        it = EntryOf(key, id);
    }
    if (it != g_held.end()) g_held.erase(it);
}

// Gives up a descriptor of the file key names, under the table's lock: kept
// with an entry of the file while there is one, since closing it could drop
// the record locks of the file's holders; else closed in an entry of its
// own, so that no hold opens the file until it is.
void DropDescriptor(int fd, const FileKey& key, std::unique_lock<std::mutex>& guard) {
    auto range = g_held.equal_range(key);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second.state != State::Closing) {
            it->second.spares.push_back(fd);
            return;
        }
    }
    const uint64_t id = NewEntry(key, State::Closing);
    EntryOf(key, id)->second.spares.push_back(fd);
    EndEntry(EntryOf(key, id), guard);
}

// The number of threads of this process, from the kernel's record of it; 1
// when it cannot be read.
int ThreadCount() {
    char text[1024];
    const int fd = open("/proc/self/stat", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 1;
    const ssize_t got = read(fd, text, sizeof text - 1);
    close(fd);
    if (got <= 0) return 1;
    text[got] = 0;
    // The 20th field; the 2nd, the program's name in brackets, may hold blanks.
    const char* at = strrchr(text, ')');
    for (int field = 2; at && field < 20; ++field) at = strchr(at + 1, ' ');
    return at ? std::max(1, atoi(at + 1)) : 1;
}

struct ForkHandlers {
    ForkHandlers() {
        pthread_atfork(
            [] {
                const int threads = ThreadCount();
                g_mutex.lock();
                g_threadsAtFork = threads;
            },
            [] { g_mutex.unlock(); },
            [] {
                // The child is the forking thread alone: the table's lock is let
                // go before its copies of the descriptors are closed. The
                // parent's descriptors keep its locks; the child's copies go,
                // unlocked by nobody, and their files stay off limits.
                if (g_threadsAtFork > 1) g_forkedBesideThreads = true;
                g_heldByForebears.merge(g_held);
                ++g_forks;
                g_mutex.unlock();
                for (auto& entry : g_heldByForebears) {
                    if (entry.second.fd >= 0) close(entry.second.fd);
                    for (int spare : entry.second.spares) close(spare);
                    entry.second.fd = -1;
                    entry.second.spares.clear();
                }
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

bool ForkedBesideThreads() { return g_forkedBesideThreads.load(); }

Hold& Hold::operator=(Hold&& other) noexcept {
    if (this != &other) {
        Release();
        m_held = other.m_held;
        m_key = other.m_key;
        m_id = other.m_id;
        m_forks = other.m_forks;
        other.m_held = false;
    }
    return *this;
}

void Hold::Joined(const FileKey& key, uint64_t id) {
    m_key = key;
    m_id = id;
    m_forks = g_forks.load();
    m_held = true;
}

bool Hold::Inherited() const { return m_held && m_forks != g_forks.load(); }

bool Hold::OpenShared(const std::string& path) {
    FileKey opened;
    const int fd = OpenRegular(path, O_RDONLY, opened);
    int err = errno;
    const bool same = fd >= 0 && SameFile(opened, m_key);
    // The path names another file since it was looked at: look again.
    if (fd >= 0 && !same) err = EAGAIN;
    const bool locked = same && SetHoldByte(fd, F_RDLCK);
    if (same && !locked) err = errno;
    std::unique_lock<std::mutex> guard(g_mutex);
    auto own = EntryOf(m_key, m_id);
    if (locked) {
        // A copy's new file that got the inode of the file looked at, held
        // shared meanwhile, is the file opened here: its entry is joined.
        auto live = Joinable(m_key);
        if (live == g_held.end()) {
            own->second.fd = fd;
            own->second.state = State::Shared;
            return true;
        }
        live->second.spares.push_back(fd);
        ++live->second.holders;
        g_held.erase(own);
        m_id = live->second.id;
        return true;
    }
    m_held = false;
    g_held.erase(own);  // it has no descriptor yet
    if (fd >= 0) DropDescriptor(fd, opened, guard);
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
            auto live = Joinable(key);
            if (live != g_held.end()) {
                ++live->second.holders;
                Joined(key, live->second.id);
            } else if (g_held.count(key) == 0) {
                // This hold opens the file; other holders wait until it has.
                Joined(key, NewEntry(key, State::Opening));
                opening = true;
            }
        }
        bool retry = false;
        if (opening && !OpenShared(path)) {
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
            Joined(key, NewEntry(key, State::Exclusive));
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
                std::unique_lock<std::mutex> guard(g_mutex);
                DropDescriptor(fd, opened, guard);
            }
            Release();
            continue;
        }
        const bool locked = readOnly ? !HeldElsewhere(fd) : SetHoldByte(fd, F_WRLCK);
        const int err = readOnly ? EBUSY : errno;  // why it is not locked
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            EntryOf(m_key, m_id)->second.fd = fd;
        }
        // Another copy may have put its file at the path between the open
        // and the lock, and let go of the file opened here: the hold is on
        // the file the path names once it is locked, or it looks again.
        if (locked && StillAt(path, key)) return true;
        Release();
        if (locked) continue;
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
    // A new file: any entry of its key is of a file gone before it came.
    std::lock_guard<std::mutex> guard(g_mutex);
    Joined(KeyOf(info), NewEntry(KeyOf(info), State::Exclusive, fd));
    return true;
}

bool Hold::Downgrade() {
    const int fd = Descriptor();
    if (fd < 0) return Refuse(EBADF);
    // The entry is exclusive and this hold's alone: no one else changes it.
    if (!SetHoldByte(fd, F_RDLCK)) return false;
    std::lock_guard<std::mutex> guard(g_mutex);
    EntryOf(m_key, m_id)->second.state = State::Shared;
    return true;
}

int Hold::Descriptor() const {
    if (!m_held || Inherited()) return -1;
    std::lock_guard<std::mutex> guard(g_mutex);
    auto found = EntryOf(m_key, m_id);
    return found != g_held.end() ? found->second.fd : -1;
}

void Hold::Release() noexcept {
    if (!m_held) return;
    m_held = false;
    std::unique_lock<std::mutex> guard(g_mutex);
    if (m_forks != g_forks.load()) return;  // made before a fork: the child closed its copies
    auto found = EntryOf(m_key, m_id);
    if (found == g_held.end() || --found->second.holders > 0) return;
    EndEntry(found, guard);
}

}  // namespace fileshare
