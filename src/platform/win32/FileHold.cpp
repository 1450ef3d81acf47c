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

// The byte a frozen reader of a project locks shared, beside the hold byte.
const off_t kFrozenReaderByte = kHoldByte + 1;
// The bytes every connection of the engine locks shared while it has a file
// in write-ahead logging open, and while it reads one in rollback mode.
const off_t kEngineSharedBytes = (off_t(1) << 30) + 2;
const off_t kEngineSharedLength = 510;
// The bytes the engine locks exclusively to have a file to itself: its
// pending byte, its reserved byte and its shared bytes.
const off_t kEngineLockBytes = off_t(1) << 30;
const off_t kEngineLockLength = 512;

struct flock LockOf(short type, off_t start, off_t length = 1) {
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    return lock;
}

// Locks (F_RDLCK, F_WRLCK) or unlocks (F_UNLCK) bytes of fd's open file
// description without waiting, the hold byte unless told; false with errno
// EBUSY when another holds any of them.
bool SetHoldByte(int fd, short type, off_t byte = kHoldByte, off_t length = 1) {
    struct flock lock = LockOf(type, byte, length);
    if (fcntl(fd, F_OFD_SETLK, &lock) == 0) return true;
    if (errno == EAGAIN || errno == EACCES) errno = EBUSY;
    return false;
}

// Whether anyone but fd's open file description locks any of the bytes
// from start (the engine's record locks of this process included): the
// look a file that cannot be opened for writing allows. A look that fails
// counts as locked.
bool LockedElsewhere(int fd, off_t start = kHoldByte, off_t length = 1) {
    struct flock probe = LockOf(F_WRLCK, start, length);
    return fcntl(fd, F_OFD_GETLK, &probe) != 0 || probe.l_type != F_UNLCK;
}

// A file of the table: being opened by its first holder, held shared or
// exclusively, or being closed by its last. Only a shared file is joined;
// for the others a hold waits.
enum class State { Opening, Shared, Exclusive, Closing };

// An entry of the table: a file this process holds, the descriptor that
// carries its lock once it has one, and any other descriptor of it that a
// race left open, parked with it unlocked: closing one while the file is
// held would drop its holders' record locks. An entry belongs to the hold
// that made it (its id); holds that join a shared file count themselves in
// it, and only the last of them ends it. A removed file's inode can be
// given to a new file at once, so one key may name several entries: one of
// the live file, and ones of holds that have looked at a file and not yet
// opened it.
struct Held {
    uint64_t id = 0;
    int fd = -1;
    int holders = 0;
    // The engine connections on the file, of each kind (Engine).
    int lockingEngines = 0;
    int frozenEngines = 0;
    State state = State::Opening;
    std::vector<int> spares;
};

using Table = std::multimap<FileKey, Held, ByFile>;

std::mutex g_mutex;
Table g_held;
uint64_t g_lastId = 0;
// How many forks this process has begun, counted under the table's lock: a
// descriptor opened at one count and entered at another may have a copy
// in a child that the child does not know of, so it is never locked.
uint64_t g_forksBegun = 0;
// The descriptors of the library's other locks (OpenLockable).
std::vector<int> g_lockables;
// The files held when this process, or one of its forebears, was forked:
// the nodes of the table move here at the fork, without an allocation.
Table g_heldByForebears;
std::atomic<uint64_t> g_forks{0};
// Whether this process, or a forebear since its last exec, was forked
// while another thread ran.
std::atomic<bool> g_forkedBesideThreads{false};
// How many threads the process had when it last prepared to fork.
int g_threadsAtFork = 1;

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

// An entry of the file key names, other than the one id names, that has a
// descriptor of the file and keeps it: where another descriptor is parked.
Table::iterator WithDescriptor(const FileKey& key, uint64_t id) {
    auto range = g_held.equal_range(key);
    for (auto it = range.first; it != range.second; ++it)
        if (it->second.id != id && it->second.fd >= 0 && it->second.state != State::Closing) return it;
    return g_held.end();
}

// Makes a new entry for key, of one holder, and gives its id.
uint64_t NewEntry(const FileKey& key, State state) {
    Held held;
    held.id = ++g_lastId;
    held.holders = 1;
    held.state = state;
    g_held.emplace(key, std::move(held));
    return g_lastId;
}

// Whether descriptors has room for more, made if it must be.
bool RoomFor(std::vector<int>& descriptors, size_t more) noexcept {
    try {
        descriptors.reserve(descriptors.size() + more);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Ends the entry at it, under the table's lock (taken by guard): the one
// place an entry ends. Its lock is taken off and its descriptors cleared
// under the table's lock, so a child forked from then on neither keeps the
// lock nor closes a number another thread reuses. They are parked with
// another entry that has a descriptor of the file, or else closed with the
// table let go while the entry, closing, keeps joiners waiting.
// Where memory is too short to park them, the descriptors stay open: closing
// one would drop the other entry's locks.
void EndEntry(Table::iterator it, std::unique_lock<std::mutex>& guard) noexcept {
    const FileKey key = it->first;
    const uint64_t id = it->second.id;
    std::vector<int> descriptors;
    descriptors.swap(it->second.spares);
    const int own = it->second.fd;
    if (own >= 0) {
        SetHoldByte(own, F_UNLCK);
        if (it->second.frozenEngines > 0) SetHoldByte(own, F_UNLCK, kFrozenReaderByte);
        it->second.fd = -1;
    }
    const bool any = own >= 0 || !descriptors.empty();
    auto keeper = WithDescriptor(key, id);
    if (any && keeper != g_held.end()) {
        std::vector<int>& spares = keeper->second.spares;
        if (RoomFor(spares, descriptors.size() + 1)) {
            spares.insert(spares.end(), descriptors.begin(), descriptors.end());
            if (own >= 0) spares.push_back(own);
        }
    } else if (any) {
        it->second.state = State::Closing;
        guard.unlock();
        for (int fd : descriptors) close(fd);
        if (own >= 0) close(own);
        guard.lock();
        it = EntryOf(key, id);
    }
    g_held.erase(it);
}

// Gives up fd, a descriptor of the file key names that no entry has, under
// the table's lock: in an entry of its own, ended at once. Where memory is
// too short for the entry, the descriptor stays open, as another's locks on
// the file may need it to.
void GiveUp(int fd, const FileKey& key, std::unique_lock<std::mutex>& guard) noexcept {
    uint64_t id = 0;
    try {
        id = NewEntry(key, State::Opening);
    } catch (const std::bad_alloc&) {
        return;
    }
    auto it = EntryOf(key, id);
    it->second.fd = fd;
    EndEntry(it, guard);
}

// The number of threads of this process, from the kernel's record of it;
// one that cannot be read (no descriptor left, no /proc) counts as more
// than one.
int ThreadCount() {
    const int unknown = 2;
    char text[1024];
    const int fd = open("/proc/self/stat", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return unknown;
    const ssize_t got = read(fd, text, sizeof text - 1);
    close(fd);
    if (got <= 0) return unknown;
    text[got] = 0;
    // The 20th field; the 2nd, the program's name in brackets, may hold blanks.
    const char* at = strrchr(text, ')');
    for (int field = 2; at && field < 20; ++field) at = strchr(at + 1, ' ');
    return at ? std::max(1, atoi(at + 1)) : unknown;
}

struct ForkHandlers {
    ForkHandlers() {
        pthread_atfork(
            [] {
                const int threads = ThreadCount();
                g_mutex.lock();
                g_threadsAtFork = threads;
                ++g_forksBegun;
            },
            [] { g_mutex.unlock(); },
            [] {
                // The child is the forking thread alone: the table's lock is let
                // go before its copies of the descriptors are closed. The
                // parent's descriptors keep their locks; the child's copies go,
                // and the files stay off limits.
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
                for (int fd : g_lockables) close(fd);
                g_lockables.clear();
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

// Whether another holds the regular file at path, which this user may read
// but not write: a file it cannot hold itself.
bool HeldByAnother(const std::string& path) {
    FileKey key;
    const int fd = OpenRegular(path, O_RDONLY, key);
    if (fd < 0) return false;
    const bool held = HeldElsewhere(fd);
    CloseOrPark(fd);
    return held;
}
}  // namespace

bool HeldElsewhere(int fd) { return LockedElsewhere(fd); }

bool UnlinkIfStill(const std::string& path, const struct stat& looked) {
    struct stat now;
    if (lstat(path.c_str(), &now) != 0) return false;
    if (!SameFile(now, looked)) return Refuse(EBUSY);
    return unlink(path.c_str()) == 0;
}

bool HeldHere(const struct stat& info) {
    const FileKey key = KeyOf(info);
    std::lock_guard<std::mutex> guard(g_mutex);
    // An entry without a descriptor may be of a file gone since a hold
    // looked at it, whose inode a new file got: no engine has that open.
    auto range = g_held.equal_range(key);
    for (auto it = range.first; it != range.second; ++it)
        if (it->second.fd >= 0 || !it->second.spares.empty()) return true;
    return g_heldByForebears.count(key) > 0;
}

void CloseOrPark(int fd) {
    struct stat info;
    if (fstat(fd, &info) != 0) {
        close(fd);
        return;
    }
    // In an entry of its own: parked where another entry keeps a descriptor
    // of the file, or else closed while holds of the file wait.
    std::unique_lock<std::mutex> guard(g_mutex);
    GiveUp(fd, KeyOf(info), guard);
}

uint64_t ForkCount() { return g_forks.load(); }

bool ForkedBesideThreads() { return g_forkedBesideThreads.load(); }

int OpenLockable(const std::string& path, int flags, mode_t mode) {
    const int asked = flags;
    for (;;) {
        uint64_t forks = 0;
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            forks = g_forksBegun;
        }
        const int fd = open(path.c_str(), flags | O_CLOEXEC, mode);
        // A file made here that went before it was opened again (its next
        // holder removed it) is made again.
        if (fd < 0 && errno == ENOENT && flags != asked) {
            flags = asked;
            continue;
        }
        if (fd < 0) return -1;
        bool forked = true;
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            forked = g_forksBegun != forks;
            if (!forked && RoomFor(g_lockables, 1)) {
                g_lockables.push_back(fd);
                return fd;
            }
        }
        // A child forked meanwhile may have a copy it does not know of: this
        // one is never locked. A file made here is opened again as it is.
        // One that memory is too short to list is given up.
        CloseOrPark(fd);
        if (!forked) {
            errno = ENOMEM;
            return -1;
        }
        flags &= ~(O_CREAT | O_EXCL);
    }
}

void CloseLockable(int fd) {
    {
        std::lock_guard<std::mutex> guard(g_mutex);
        g_lockables.erase(std::remove(g_lockables.begin(), g_lockables.end(), fd), g_lockables.end());
    }
    CloseOrPark(fd);
}

Hold& Hold::operator=(Hold&& other) noexcept {
    if (this != &other) {
        Release();
        m_held = other.m_held;
        m_key = other.m_key;
        m_id = other.m_id;
        m_forks = other.m_forks;
        m_engineLocked = other.m_engineLocked;
        other.m_held = false;
        other.m_engineLocked = false;
    }
    return *this;
}

void Hold::Joined(const FileKey& key, uint64_t id) {
    m_key = key;
    m_id = id;
    m_forks = g_forks.load();
    m_held = true;
}

bool Hold::IsAt(const std::string& path) const { return m_held && StillAt(path, m_key); }

bool Hold::Inherited() const { return m_held && m_forks != g_forks.load(); }

bool Hold::OpenShared(const std::string& path, uint64_t forks, const BesideCheck& beside) {
    FileKey opened;
    const int fd = OpenRegular(path, O_RDONLY, opened);
    const int err = errno;
    std::unique_lock<std::mutex> guard(g_mutex);
    auto own = EntryOf(m_key, m_id);
    m_held = false;
    if (fd < 0) {
        EndEntry(own, guard);
        return Refuse(err);
    }
    if (!SameFile(opened, m_key)) {
        // The path names another file since it was looked at: look again.
        EndEntry(own, guard);
        GiveUp(fd, opened, guard);
        return Refuse(EAGAIN);
    }
    own->second.fd = fd;
    // A child forked since the open may have a copy of it: never locked.
    if (g_forksBegun != forks) {
        EndEntry(own, guard);
        return Refuse(EAGAIN);
    }
    // A copy's new file that got the inode of the file looked at, held
    // meanwhile, is the file opened here: the descriptor is parked with its
    // entry, which is joined once it is shared.
    auto live = WithDescriptor(m_key, m_id);
    if (live != g_held.end()) {
        const bool joined = live->second.state == State::Shared;
        if (joined) {
            ++live->second.holders;
            Joined(m_key, live->second.id);
        }
        EndEntry(own, guard);
        return joined || Refuse(EBUSY);
    }
    m_held = true;
    guard.unlock();
    bool locked = SetHoldByte(fd, F_RDLCK);
    // What lies beside the file is looked at while the entry is still being
    // opened: no engine of this process has the file open.
    if (locked && beside) locked = beside(true);
    const int lockErr = errno;
    guard.lock();
    own = EntryOf(m_key, m_id);
    if (locked) {
        own->second.state = State::Shared;
        return true;
    }
    m_held = false;
    EndEntry(own, guard);
    return Refuse(lockErr);
}

bool Hold::Share(const std::string& path, int waitMs, Use use, const BesideCheck& beside) {
    Release();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        struct stat info;
        if (!LookRegular(path, info)) return false;
        if (use == Use::Project && info.st_nlink > 1) return Refuse(kSecondName);
        const FileKey key = KeyOf(info);
        bool opening = false;
        uint64_t forks = 0;
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
                forks = g_forksBegun;
                opening = true;
            }
        }
        const uint64_t made = m_id;  // the entry this hold made, when it opens the file
        bool retry = false;
        if (opening && !OpenShared(path, forks, beside)) {
            // A copy of another process replaces the file, or the path changed.
            if (errno != EBUSY && errno != EAGAIN) return false;
            retry = errno == EAGAIN;
        }
        if (m_held) {
            if (!StillAt(path, key)) {
                Release();  // the path names another file now: hold that one
                continue;
            }
            // A hold that joined another's entry only looks at what is beside.
            if ((opening && m_id == made) || !beside || beside(false)) return true;
            const int err = errno;
            Release();
            return Refuse(err);
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
        uint64_t forks = 0;
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            if (writable && g_heldByForebears.count(key)) return Refuse(kOpenInParent);
            if (g_held.count(key)) return Refuse(EBUSY);
            // This process's openers of the file wait from now on.
            Joined(key, NewEntry(key, State::Exclusive));
            forks = g_forksBegun;
        }
        FileKey opened;
        const int fd = OpenRegular(path, O_RDWR, opened);
        int err = errno;
        // An exclusive lock needs a descriptor open for writing: a file this
        // user may not write is never held, and so never replaced or removed.
        if (fd < 0 && err == EACCES && HeldByAnother(path)) err = EBUSY;
        {
            std::unique_lock<std::mutex> guard(g_mutex);
            auto own = EntryOf(m_key, m_id);
            const bool same = fd >= 0 && SameFile(opened, key);
            if (same) own->second.fd = fd;
            if (!same || g_forksBegun != forks) {
                // Gone, another file now, or a child forked since the open may
                // have a copy of it: look again.
                m_held = false;
                EndEntry(own, guard);
                if (fd >= 0 && !same) GiveUp(fd, opened, guard);
                if (fd < 0 && err != ENOENT) return Refuse(err);
                continue;
            }
        }
        const bool locked = SetHoldByte(fd, F_WRLCK);
        const int lockErr = errno;  // why it is not locked
        // Another copy may have put its file at the path between the open
        // and the lock, and let go of the file opened here: the hold is on
        // the file the path names once it is locked, or it looks again.
        if (locked && StillAt(path, key)) return true;
        Release();
        if (locked) continue;
        return Refuse(lockErr);
    }
    return Refuse(EBUSY);
}

bool Hold::Create(const std::string& path) {
    Release();
    int flags = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    struct stat made = {};
    for (;;) {
        uint64_t forks = 0;
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            forks = g_forksBegun;
        }
        const int fd = open(path.c_str(), flags, 0666);
        struct stat info;
        if (fd < 0 || fstat(fd, &info) != 0) {
            const int err = errno;
            if (fd >= 0) close(fd);
            return Refuse(err);
        }
        // The file made here, opened again, is still the one at the path.
        if (!(flags & O_CREAT) && !SameFile(KeyOf(info), KeyOf(made))) {
            close(fd);
            return Refuse(EEXIST);
        }
        made = info;
        bool entered = false;
        try {
            std::lock_guard<std::mutex> guard(g_mutex);
            if (g_forksBegun == forks) {
                // A new file: any entry of its key is of a file gone before it came.
                Joined(KeyOf(info), NewEntry(KeyOf(info), State::Exclusive));
                EntryOf(m_key, m_id)->second.fd = fd;
                entered = true;
            }
        } catch (const std::bad_alloc&) {
            // A file that memory is too short to hold goes as it came.
            close(fd);
            unlink(path.c_str());
            return Refuse(ENOMEM);
        }
        if (entered) break;
        // A child forked since the open may have a copy of it: never locked.
        close(fd);
        flags &= ~(O_CREAT | O_EXCL);
    }
    if (SetHoldByte(Descriptor(), F_WRLCK)) return true;
    const int err = errno;
    Release();
    unlink(path.c_str());
    return Refuse(err);
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

bool Hold::AddEngine(Engine kind) {
    const bool frozen = kind == Engine::Frozen;
    int fd = -1;
    {
        std::lock_guard<std::mutex> guard(g_mutex);
        auto found = m_held && !Inherited() ? EntryOf(m_key, m_id) : g_held.end();
        if (found == g_held.end() || found->second.fd < 0) return Refuse(EBADF);
        Held& held = found->second;
        if ((frozen ? held.lockingEngines : held.frozenEngines) > 0) return Refuse(EBUSY);
        // The first frozen reader marks the file for other processes first,
        // then looks for their engines: a writer marks first too (its shared
        // lock), then looks for the mark, so one of them sees the other.
        if (frozen && held.frozenEngines == 0 && !SetHoldByte(held.fd, F_RDLCK, kFrozenReaderByte)) return false;
        ++(frozen ? held.frozenEngines : held.lockingEngines);
        fd = held.fd;
    }
    if (!frozen || !LockedElsewhere(fd, kEngineSharedBytes, kEngineSharedLength)) return true;
    DropEngine(kind);
    return Refuse(EBUSY);
}

void Hold::DropEngine(Engine kind) noexcept {
    std::lock_guard<std::mutex> guard(g_mutex);
    auto found = m_held && !Inherited() ? EntryOf(m_key, m_id) : g_held.end();
    if (found == g_held.end()) return;
    Held& held = found->second;
    int& count = kind == Engine::Frozen ? held.frozenEngines : held.lockingEngines;
    if (count > 0 && --count == 0 && kind == Engine::Frozen && held.fd >= 0)
        SetHoldByte(held.fd, F_UNLCK, kFrozenReaderByte);
}

bool Hold::FrozenElsewhere() const {
    const int fd = Descriptor();
    return fd < 0 || LockedElsewhere(fd, kFrozenReaderByte);
}

bool Hold::LockEngine(int waitMs) {
    const int fd = Descriptor();
    if (fd < 0) return Refuse(EBADF);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (!SetHoldByte(fd, F_WRLCK, kEngineLockBytes, kEngineLockLength)) {
        if (errno != EBUSY || std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    m_engineLocked = true;
    return true;
}

void Hold::UnlockEngine() noexcept {
    if (!m_engineLocked) return;
    m_engineLocked = false;
    const int fd = Descriptor();
    if (fd >= 0) SetHoldByte(fd, F_UNLCK, kEngineLockBytes, kEngineLockLength);
}

int Hold::Descriptor() const {
    if (!m_held || Inherited()) return -1;
    std::lock_guard<std::mutex> guard(g_mutex);
    auto found = EntryOf(m_key, m_id);
    return found != g_held.end() ? found->second.fd : -1;
}

void Hold::Release() noexcept {
    if (!m_held) return;
    // The descriptor may outlive the hold, parked with another entry of the file.
    UnlockEngine();
    m_held = false;
    std::unique_lock<std::mutex> guard(g_mutex);
    if (m_forks != g_forks.load()) return;  // made before a fork: the child closed its copies
    auto found = EntryOf(m_key, m_id);
    if (found == g_held.end() || --found->second.holders > 0) return;
    EndEntry(found, guard);
}

}  // namespace fileshare
