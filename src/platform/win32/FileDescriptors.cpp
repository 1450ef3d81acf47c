// The table of the library's descriptors (FileTable.h): how one is opened,
// lent again, closed without dropping anyone's record locks, and what a
// forked child does with its copies.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <pthread.h>
#include <unistd.h>

#include "platform/win32/FileTable.h"
#include "platform/win32/LogNames.h"

namespace fileshare {

std::mutex g_mutex;
Table g_held;
uint64_t g_forksBegun = 0;

namespace {
uint64_t g_lastId = 0;
// How many sweeps have begun: each tries every parked descriptor once.
uint64_t g_sweeps = 0;
// Whether a descriptor was parked while a sweep ran, which then sweeps again.
bool g_sweepAgain = false;
// Held by the one closing a descriptor, from the lock it is closed under to
// its entry's end, and by a fork before it begins: no child is forked with
// a copy of a descriptor that carries that lock, nor while the number of
// one just closed is still in the table.
std::mutex g_closing;
// The entries of the table when this process, or one of its forebears, was
// forked: the nodes of the table move here at the fork, without an allocation.
Table g_heldByForebears;
std::atomic<uint64_t> g_forks{0};
// Whether this process, or a forebear since its last exec, was forked
// while another thread ran.
std::atomic<bool> g_forkedBesideThreads{false};
// How many threads the process had when it last prepared to fork.
int g_threadsAtFork = 1;

struct flock LockOf(short type, off_t start, off_t length) {
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    return lock;
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
                g_closing.lock();
                g_mutex.lock();
                g_threadsAtFork = threads;
                ++g_forksBegun;
            },
            [] {
                g_mutex.unlock();
                g_closing.unlock();
            },
            [] {
                // The child is the forking thread alone. The parent's
                // descriptors keep their locks; the child's copies go, and
                // the files its parent held stay off limits.
                if (g_threadsAtFork > 1) g_forkedBesideThreads = true;
                g_heldByForebears.merge(g_held);
                ++g_forks;
                g_mutex.unlock();
                g_closing.unlock();
                for (auto& entry : g_heldByForebears) {
                    for (int fd : {entry.second.fd, entry.second.helper})
                        if (fd >= 0) close(fd);
                    entry.second.fd = entry.second.helper = -1;
                }
            });
    }
} g_forkHandlers;

// Keeps errno as it was while it stands.
struct ErrnoKept {
    int err = errno;
    ~ErrnoKept() { errno = err; }
};

// Sets errno to err and gives no descriptor.
int NoDescriptor(int err) {
    errno = err;
    return -1;
}

// Under the table's lock: a parked descriptor of the file key names that
// may be lent, open for writing where write. One that a child may have a
// copy of is never lent: it may carry no lock.
Table::iterator Lendable(const FileKey& key, bool write) {
    return FirstOf(key, [write](const Held& held) {
        return held.state == State::Parked && (!write || held.writable) && !held.copied;
    });
}

// Whether fd takes, at once, a write lock of every byte but the holds' (a
// hold, a frozen reader's mark): locks of open file descriptions, which no
// close of another drops, that other stores keep while they have the file.
bool LockForClosing(int fd) {
    if (!SetLock(fd, F_WRLCK, 0, kHoldByte)) return false;
    if (SetLock(fd, F_WRLCK, kHoldByte + 2, 0)) return true;
    SetLock(fd, F_UNLCK, 0, kHoldByte);
    return false;
}

// Whether an open failed because the user may not write the file: a file
// no descriptor of whose can carry a write lock.
bool OnlyReadable(int err) { return err == EACCES || err == EROFS || err == EPERM || err == ETXTBSY; }

// Under the close gate: the descriptor of the parked entry held (its own,
// or a second one of its file opened here, of no child's) that carries the
// locks it is closed under; -1 with errno EACCES where the user may only
// read the file, and with EBUSY where none can be had now.
int Carrier(Held& held) {
    if (held.writable && !held.copied && held.forksAt == g_forksBegun) return held.fd;
    // A second one a child forked since its open may still have a copy of
    // is no carrier: the entry keeps both until the process ends.
    if (held.helper >= 0) return held.helperForksAt == g_forksBegun ? held.helper : NoDescriptor(EBUSY);
    char name[64];
    snprintf(name, sizeof name, "/proc/self/fd/%d", held.fd);
    held.helper = open(name, O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    held.helperForksAt = g_forksBegun;
    return held.helper >= 0 ? held.helper : NoDescriptor(OnlyReadable(errno) ? EACCES : EBUSY);
}

// Parks the library's descriptor fd, for the next sweep to close, or takes
// its entry out of the table into taken; false where it is none of the
// library's.
bool Park(int fd, Held* taken = nullptr) {
    std::lock_guard<std::mutex> guard(g_mutex);
    auto it = fd < 0 ? g_held.end() : LooseEntryOf(fd);
    if (it == g_held.end()) return false;
    it->second.state = State::Parked;
    if (taken) *taken = g_held.extract(it).mapped();
    return true;
}

// Whether a record lock of this process (the engine's kind; the library's
// are locks of open file descriptions) stands on the file open at fd or on
// gate's, as the kernel lists, whole at once, those taken through each of
// its descriptors; true where it cannot tell, as where none of gate's shows.
bool LockedHere(int fd, int gate) {
    struct stat file, database, other;
    char text[4096];
    DIR* folder = opendir("/proc/self/fd");
    bool locked = !folder || fstat(fd, &file) != 0 || fstat(gate < 0 ? fd : gate, &database) != 0;
    for (const dirent* entry; !locked && (entry = readdir(folder));) {
        const int listed = atoi(entry->d_name);
        if (entry->d_name[0] == '.' || listed == dirfd(folder) || fstat(listed, &other) != 0 ||
            !(SameFile(KeyOf(other), KeyOf(file)) || SameFile(KeyOf(other), KeyOf(database))))
            continue;
        snprintf(text, sizeof text, "/proc/self/fdinfo/%d", listed);
        const int listing = open(text, O_RDONLY | O_CLOEXEC);
        // A descriptor closed since it was listed took its record locks with it.
        const ssize_t got = listing < 0 ? (errno == ENOENT ? 0 : -1) : read(listing, text, sizeof text);
        if (listing >= 0) close(listing);
        locked = got < 0 || got == sizeof text || memmem(text, got, "POSIX ", 6) ||
                 (listed == gate && !memmem(text, got, "OFDLCK ", 7));
    }
    if (folder) closedir(folder);
    return locked;
}

// Locks the pending byte of the database the file open at fd is, or is the
// index of (at a name ending in "-shm"): every connection of the engine
// takes its first lock on either through it, and locks an index only with
// its database locked. Gives carrier for a database, else a descriptor of
// the database opened here (to be unlocked and parked); -1 where it cannot.
int Gate(int fd, int carrier) {
    char link[64], name[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, name, sizeof name);
    if (length < 0 || length == sizeof name) return -1;
    int gate = carrier;
    try {
        if (length > 4 && memcmp(name + length - 4, "-shm", 4) == 0)
            gate = OpenFile(std::string(name, length - 4), O_RDWR | O_NOFOLLOW);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (gate >= 0 && SetLock(gate, F_WRLCK, kEngineLockBytes)) return gate;
    if (gate != carrier) Park(gate);
    return -1;
}

// Under the close gate: closes the descriptors of the parked entry held (its
// own and a second one) where no record lock of this process stands on its
// file: none of anyone's where the carrier locks the whole file, else as
// the kernel lists them under the gate (alone where no carrier can be had,
// the file read only); true once closed. The table is let go meanwhile:
// the entry, closing, is no other's.
bool CloseUnderLock(Held& held) {
    const int carrier = Carrier(held);
    if (carrier < 0 && errno != EACCES) return false;
    int gate = -1;
    const bool closable = (carrier >= 0 && LockForClosing(carrier)) ||
                          ((carrier < 0 || (gate = Gate(held.fd, carrier)) >= 0) && !LockedHere(held.fd, gate));
    for (int fd : {held.fd, held.helper})  // a second one is the carrier: it goes last
        if (closable && fd >= 0) close(fd);
    if (gate >= 0 && (gate != carrier || !closable)) SetLock(gate, F_UNLCK, kEngineLockBytes);
    if (gate != carrier) Park(gate);
    return closable;
}

// Under the close gate: tries once to close each parked descriptor.
void SweepOnce() noexcept {
    uint64_t sweep = 0;
    {
        std::lock_guard<std::mutex> guard(g_mutex);
        sweep = ++g_sweeps;
        g_sweepAgain = false;
    }
    for (;;) {
        FileKey key;
        uint64_t id = 0;
        Held copy;
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            auto it = std::find_if(g_held.begin(), g_held.end(), [sweep](const auto& entry) {
                return entry.second.state == State::Parked && entry.second.tried < sweep;
            });
            if (it == g_held.end()) return;
            it->second.state = State::Closing;
            it->second.tried = sweep;
            key = it->first;
            id = it->second.id;
            copy = it->second;
        }
        const bool closed = CloseUnderLock(copy);
        std::lock_guard<std::mutex> guard(g_mutex);
        auto it = EntryOf(key, id);
        if (closed) {
            g_held.erase(it);
        } else {
            it->second.helper = copy.helper;
            it->second.helperForksAt = copy.helperForksAt;
            it->second.state = State::Parked;
        }
    }
}

// Opens the regular file at path; -1 with errno set. For reading, it is
// opened for writing too where its user may, so that it can carry the lock
// under which it is closed.
int OpenRegularFile(const std::string& path, int flags, mode_t mode, struct stat& info) {
    flags |= O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (!(flags & O_CREAT)) {
        const bool looked = (flags & O_NOFOLLOW) ? lstat(path.c_str(), &info) == 0 : LookRegular(path, info);
        if (!looked) return -1;
        if (!S_ISREG(info.st_mode)) return NoDescriptor(S_ISLNK(info.st_mode) ? ELOOP : kNotRegularFile);
    }
    int fd = -1;
    if ((flags & O_ACCMODE) == O_RDONLY) {
        fd = open(path.c_str(), (flags & ~O_ACCMODE) | O_RDWR, mode);
        if (fd < 0 && !OnlyReadable(errno)) return -1;
    }
    if (fd < 0) fd = open(path.c_str(), flags, mode);
    if (fd < 0) return -1;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) return fd;
    const int err = S_ISREG(info.st_mode) ? errno : kNotRegularFile;
    close(fd);  // opened as nothing but a regular file: no record lock of the engine is on it
    return NoDescriptor(err);
}

// Gives the entry id of key, made by the caller, a descriptor of the file at
// path (flags and mode as OpenRegularFile takes them): one parked of key's
// file where one is (open for writing where flags ask for it), else one
// opened now, the entry then moved to the key of the file opened (in key).
// The entry notes whether a child forked since the open may have a copy of
// it. -1 with errno set, the entry without one.
int Enter(const std::string& path, FileKey& key, uint64_t id, int flags, mode_t mode) {
    uint64_t forks = 0;
    {
        std::lock_guard<std::mutex> guard(g_mutex);
        auto lent = (flags & O_CREAT) ? g_held.end() : Lendable(key, (flags & O_ACCMODE) == O_RDWR);
        if (lent != g_held.end()) {
            Held& own = EntryOf(key, id)->second;
            const Held& parked = lent->second;
            own.fd = parked.fd;
            own.writable = parked.writable;
            own.copied = parked.copied;
            own.forksAt = parked.forksAt;
            own.helper = parked.helper;
            own.helperForksAt = parked.helperForksAt;
            g_held.erase(lent);
            return own.fd;
        }
        forks = g_forksBegun;
    }
    struct stat info;
    const int fd = OpenRegularFile(path, flags, mode, info);
    if (fd < 0) return -1;
    std::lock_guard<std::mutex> guard(g_mutex);
    auto node = g_held.extract(EntryOf(key, id));
    key = KeyOf(info);
    node.key() = key;
    Held& own = node.mapped();
    own.fd = fd;
    own.writable = (fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDWR;
    own.copied = g_forksBegun != forks;
    own.forksAt = g_forksBegun;
    g_held.insert(std::move(node));
    return fd;
}
}  // namespace

Table::iterator EntryOf(const FileKey& key, uint64_t id) {
    return FirstOf(key, [id](const Held& held) { return held.id == id; });
}

uint64_t NewEntry(const FileKey& key, State state) {
    Held held;
    held.id = ++g_lastId;
    held.holders = 1;
    held.state = state;
    g_held.emplace(key, std::move(held));
    return g_lastId;
}

Table::iterator LooseEntryOf(int fd) {
    for (auto it = g_held.begin(); it != g_held.end(); ++it)
        if (it->second.fd == fd && it->second.state == State::Loose) return it;
    return g_held.end();
}

bool HeldByForebears(const FileKey& key) {
    auto range = g_heldByForebears.equal_range(key);
    return std::any_of(range.first, range.second, [](const auto& entry) { return IsHold(entry.second.state); });
}

bool SetLock(int fd, short type, off_t start, off_t length) {
    struct flock lock = LockOf(type, start, length);
    if (fcntl(fd, F_OFD_SETLK, &lock) == 0) return true;
    if (errno == EAGAIN || errno == EACCES) errno = EBUSY;
    return false;
}

short LockElsewhere(int fd, off_t start, off_t length) {
    struct flock probe = LockOf(F_WRLCK, start, length);
    return fcntl(fd, F_OFD_GETLK, &probe) == 0 ? probe.l_type : F_WRLCK;
}

bool LookRegular(const std::string& path, struct stat& info) {
    if (stat(path.c_str(), &info) != 0) return false;
    if (S_ISREG(info.st_mode)) return true;
    return Refuse(kNotRegularFile);
}

void EndEntry(Table::iterator it, std::unique_lock<std::mutex>& guard) {
    const ErrnoKept kept;
    Held& held = it->second;
    if (held.fd < 0) {
        g_held.erase(it);
        return;
    }
    SetLock(held.fd, F_UNLCK, kHoldByte, 2);  // the hold's byte and a frozen reader's
    held.state = State::Parked;
    held.holders = held.lockingEngines = held.frozenEngines = 0;
    guard.unlock();
    Sweep();
    guard.lock();
}

void Sweep() noexcept {
    // A caller's reason for a failure stays what it was.
    const ErrnoKept kept;
    for (;;) {
        // One sweep at a time: a descriptor parked while another runs is
        // left to it, which looks again before it ends.
        if (!g_closing.try_lock()) {
            std::lock_guard<std::mutex> guard(g_mutex);
            g_sweepAgain = true;
            if (!g_closing.try_lock()) return;
        }
        SweepOnce();
        g_closing.unlock();
        std::lock_guard<std::mutex> guard(g_mutex);
        if (!g_sweepAgain) return;
        g_sweepAgain = false;
    }
}

int OpenForEntry(const std::string& path, const FileKey& key, uint64_t id, bool write) {
    FileKey opened = key;
    const int fd = Enter(path, opened, id, write ? O_RDWR : O_RDONLY, 0);
    if (fd < 0 || SameFile(opened, key)) return fd;
    // The path names another file since it was looked at: the descriptor
    // goes, with the entry, as one of that file.
    {
        std::lock_guard<std::mutex> guard(g_mutex);
        EntryOf(opened, id)->second.state = State::Parked;
    }
    Sweep();
    return NoDescriptor(EAGAIN);
}

int OpenFile(const std::string& path, int flags, mode_t mode) {
    try {
        struct stat looked;
        FileKey key;
        if (!(flags & O_CREAT) && lstat(path.c_str(), &looked) == 0) key = KeyOf(looked);
        std::unique_lock<std::mutex> guard(g_mutex);
        const uint64_t id = NewEntry(key, State::Loose);
        guard.unlock();
        const int fd = Enter(path, key, id, flags, mode);
        if (fd >= 0) return fd;
        const int err = errno;
        guard.lock();
        g_held.erase(EntryOf(key, id));
        return NoDescriptor(err);
    } catch (const std::bad_alloc&) {
        return NoDescriptor(ENOMEM);
    }
}

int OpenLockable(const std::string& path, int flags, mode_t mode) {
    const int asked = flags;
    struct stat before = {}, now;
    for (;;) {
        const int fd = OpenFile(path, flags, mode);
        // A file made here that went before it was opened again (its next
        // holder removed it) is made again; one whose place another took
        // meanwhile is none made here.
        if (fd < 0 && errno == ENOENT && flags != asked) {
            flags = asked;
            continue;
        }
        if (fd < 0) return -1;
        if (flags != asked && (fstat(fd, &now) != 0 || !SameFile(now, before))) {
            CloseFile(fd);
            return NoDescriptor(EEXIST);
        }
        // One that a child forked meanwhile may have a copy of is never
        // locked: it is given up, and the file opened again.
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            if (!LooseEntryOf(fd)->second.copied) return fd;
        }
        fstat(fd, &before);
        CloseFile(fd);
        flags &= ~(O_CREAT | O_EXCL);
    }
}

void CloseFile(int fd) noexcept {
    if (Park(fd)) Sweep();
}

void CloseJournal(int fd) noexcept {
    struct stat info;
    // The engine takes an empty file for a new database.
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1 || info.st_size == 0 ||
        IsDatabaseFile(fd))
        return CloseFile(fd);
    // Out of the table before it closes: a child forked meanwhile keeps a
    // copy that it does not know of, of a file no one locks.
    Held taken;
    if (Park(fd, &taken))
        for (int open : {taken.fd, taken.helper})
            if (open >= 0) close(open);
}

bool HeldHere(const struct stat& info) {
    const FileKey key = KeyOf(info);
    std::lock_guard<std::mutex> guard(g_mutex);
    // An entry without a descriptor may be of a file gone since a hold
    // looked at it, whose inode a new file got: no engine has that open.
    return FirstOf(key, [](const Held& held) { return IsHold(held.state) && held.fd >= 0; }) != g_held.end() ||
           HeldByForebears(key);
}

uint64_t ForkCount() { return g_forks.load(); }

bool ForkedBesideThreads() { return g_forkedBesideThreads.load(); }

}  // namespace fileshare
