#include "platform/win32/FileHold.h"

#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/win32/FileTable.h"

namespace fileshare {

namespace {
// An exclusive hold looks again when the path comes to name another file
// under it; past this many looks it gives up as if the file were in use.
const int kTakeAttempts = 100;
// How long a hold that waits for the file's entry sleeps between looks.
const int kPollMs = 2;

// The entry of the file key names that holds joined: one held shared.
Table::iterator Joinable(const FileKey& key) {
    return FirstOf(key, [](const Held& held) { return held.state == State::Shared; });
}

// Whether a hold's entry of the file key names stands in the way of a new
// one: any but a descriptor no hold has.
bool HoldOf(const FileKey& key) {
    return FirstOf(key, [](const Held& held) { return IsHold(held.state); }) != g_held.end();
}

// A hold's entry of the file key names, other than the one id names, that
// has a descriptor of the file.
Table::iterator WithDescriptor(const FileKey& key, uint64_t id) {
    return FirstOf(key, [id](const Held& held) { return held.id != id && held.fd >= 0 && IsHold(held.state); });
}

// Whether a hold refused at fd is kept out for as long as another process
// has the file open: by a hold that keeps others out (its write lock of the
// frozen reader's byte), or, for one that would keep others out itself, by
// any other process's shared hold. A copy or removal that holds the file
// for a moment locks the hold's byte alone.
bool KeptOut(int fd, Others others) {
    return LockElsewhere(fd, kFrozenReaderByte) == F_WRLCK ||
           (others == Others::KeepOut && LockElsewhere(fd, kHoldByte) == F_RDLCK);
}

// Locks the hold's byte of the file open at fd shared, or, to keep other
// processes out, locks it and the frozen reader's byte exclusively; false
// with errno EBUSY while another holds either.
bool LockShared(int fd, Others others) {
    return others == Others::KeepOut ? SetLock(fd, F_WRLCK, kHoldByte, 2) : SetLock(fd, F_RDLCK, kHoldByte);
}

// Under the table's lock: turns the process's hold of the file that held
// describes, which kept others out, back into a shared one; the frozen
// reader's byte stays marked where this process reads the file frozen.
void LetOthersIn(const Held& held) {
    SetLock(held.fd, F_RDLCK, kHoldByte);
    SetLock(held.fd, held.frozenEngines > 0 ? F_RDLCK : F_UNLCK, kFrozenReaderByte);
}

bool StillAt(const std::string& path, const FileKey& key) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && SameFile(KeyOf(info), key);
}

// Whether another holds the regular file at path, which this user may read
// but not write: a file it cannot hold itself.
bool HeldByAnother(const std::string& path) {
    const int fd = OpenFile(path, O_RDONLY);
    if (fd < 0) return false;
    const bool held = HeldElsewhere(fd);
    CloseFile(fd);
    return held;
}
}  // namespace

bool HeldElsewhere(int fd) { return LockElsewhere(fd, kHoldByte) != F_UNLCK; }

bool UnlinkIfStill(const std::string& path, const struct stat& looked) {
    struct stat now;
    if (lstat(path.c_str(), &now) != 0) return false;
    if (!SameFile(now, looked)) return Refuse(EBUSY);
    return unlink(path.c_str()) == 0;
}

Hold& Hold::operator=(Hold&& other) noexcept {
    if (this != &other) {
        Release();
        m_held = other.m_held;
        m_key = other.m_key;
        m_id = other.m_id;
        m_forks = other.m_forks;
        m_engineLocked = other.m_engineLocked;
        m_keepsOthersOut = other.m_keepsOthersOut;
        other.m_held = false;
        other.m_engineLocked = false;
        other.m_keepsOthersOut = false;
    }
    return *this;
}

void Hold::Joined(const FileKey& key, uint64_t id) {
    m_key = key;
    m_id = id;
    m_forks = ForkCount();
    m_held = true;
}

void Hold::SharedAs(Held& held, Others others) {
    const bool keepOut = others == Others::KeepOut;
    held.state = State::Shared;
    held.keepingOut += keepOut ? 1 : 0;
    m_keepsOthersOut = keepOut;
}

bool Hold::IsAt(const std::string& path) const { return m_held && StillAt(path, m_key); }

bool Hold::Inherited() const { return m_held && m_forks != ForkCount(); }

bool Hold::OpenShared(const std::string& path, const BesideCheck& beside, Others others) {
    const int fd = OpenForEntry(path, m_key, m_id, false);
    const int err = errno;
    std::unique_lock<std::mutex> guard(g_mutex);
    m_held = false;
    // One of another file went with an entry of that file, made of this one.
    if (fd < 0 && err == EAGAIN) return Refuse(EAGAIN);
    auto own = EntryOf(m_key, m_id);
    // A child forked since the open may have a copy of it: never locked.
    if (fd < 0 || own->second.copied) {
        EndEntry(own, guard);
        return Refuse(fd < 0 ? err : EAGAIN);
    }
    // A copy's new file that got the inode of the file looked at, held
    // meanwhile, is the file opened here: the descriptor is given up, and
    // the other entry joined once it is shared.
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
    bool locked = LockShared(fd, others);
    if (!locked && errno == EBUSY && KeptOut(fd, others)) errno = kHeldElsewhere;
    // What lies beside the file is looked at while the entry is still being
    // opened: no engine of this process has the file open.
    if (locked && beside) locked = beside(true);
    const int lockErr = errno;
    guard.lock();
    own = EntryOf(m_key, m_id);
    if (locked) {
        SharedAs(own->second, others);
        return true;
    }
    m_held = false;
    EndEntry(own, guard);
    return Refuse(lockErr);
}

bool Hold::Share(const std::string& path, int waitMs, Use use, const BesideCheck& beside, Others others) {
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
            if (use == Use::Project && HeldByForebears(key)) return Refuse(kOpenInParent);
            auto live = Joinable(key);
            if (live != g_held.end()) {
                ++live->second.holders;
                Joined(key, live->second.id);
            } else if (!HoldOf(key)) {
                // This hold opens the file; other holders wait until it has.
                Joined(key, NewEntry(key, State::Opening));
                opening = true;
            }
        }
        const uint64_t made = m_id;  // the entry this hold made, when it opens the file
        bool retry = false;
        if (opening && !OpenShared(path, beside, others)) {
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
        {
            std::lock_guard<std::mutex> guard(g_mutex);
            if (writable && HeldByForebears(key)) return Refuse(kOpenInParent);
            if (HoldOf(key)) return Refuse(EBUSY);
            // This process's openers of the file wait from now on.
            Joined(key, NewEntry(key, State::Exclusive));
        }
        const int fd = OpenForEntry(path, key, m_id, true);
        int err = errno;
        // An exclusive lock needs a descriptor open for writing: a file this
        // user may not write is never held, and so never replaced or removed.
        if (fd < 0 && err == EACCES && HeldByAnother(path)) err = EBUSY;
        {
            std::unique_lock<std::mutex> guard(g_mutex);
            auto own = EntryOf(m_key, m_id);
            if (fd < 0 || own->second.copied) {
                // Gone, another file now (its entry went with it), or a child
                // forked since the open may have a copy of it: look again.
                m_held = false;
                if (own != g_held.end()) EndEntry(own, guard);
                if (fd < 0 && err != ENOENT && err != EAGAIN) return Refuse(err);
                continue;
            }
        }
        const bool locked = SetLock(fd, F_WRLCK, kHoldByte);
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
    const int fd = OpenLockable(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0) {
        const int err = errno;
        CloseFile(fd);
        return Refuse(err);
    }
    {
        // The file is new, and no child has a copy of its descriptor: the
        // descriptor becomes its hold's.
        std::lock_guard<std::mutex> guard(g_mutex);
        Held& held = LooseEntryOf(fd)->second;
        held.state = State::Exclusive;
        held.holders = 1;
        Joined(KeyOf(info), held.id);
    }
    if (SetLock(Descriptor(), F_WRLCK, kHoldByte)) return true;
    const int err = errno;
    Release();
    unlink(path.c_str());
    return Refuse(err);
}

bool Hold::Downgrade(Others others) {
    const int fd = Descriptor();
    if (fd < 0) return Refuse(EBADF);
    // The entry is exclusive and this hold's alone: no one else changes it.
    if (!LockShared(fd, others)) return false;
    std::lock_guard<std::mutex> guard(g_mutex);
    SharedAs(EntryOf(m_key, m_id)->second, others);
    return true;
}

bool Hold::KeepOthersOut() {
    if (m_keepsOthersOut) return true;
    std::lock_guard<std::mutex> guard(g_mutex);
    auto found = m_held && !Inherited() ? EntryOf(m_key, m_id) : g_held.end();
    if (found == g_held.end() || found->second.fd < 0) return Refuse(EBADF);
    Held& held = found->second;
    // The process's shared hold becomes exclusive: no other process holds
    // the file meanwhile, or it is refused.
    if (held.keepingOut == 0 && !LockShared(held.fd, Others::KeepOut))
        return Refuse(errno == EBUSY ? kHeldElsewhere : errno);
    SharedAs(held, Others::KeepOut);
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
        if (frozen && held.frozenEngines == 0 && !SetLock(held.fd, F_RDLCK, kFrozenReaderByte)) return false;
        ++(frozen ? held.frozenEngines : held.lockingEngines);
        fd = held.fd;
    }
    if (!frozen || LockElsewhere(fd, kEngineSharedBytes, kEngineSharedLength) == F_UNLCK) return true;
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
        SetLock(held.fd, F_UNLCK, kFrozenReaderByte);
}

bool Hold::FrozenElsewhere() const {
    const int fd = Descriptor();
    return fd < 0 || LockElsewhere(fd, kFrozenReaderByte) != F_UNLCK;
}

bool Hold::LockEngine(int waitMs) {
    const int fd = Descriptor();
    if (fd < 0) return Refuse(EBADF);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (!SetLock(fd, F_WRLCK, kEngineLockBytes, kEngineLockLength)) {
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
    if (fd >= 0) SetLock(fd, F_UNLCK, kEngineLockBytes, kEngineLockLength);
}

int Hold::Descriptor() const {
    if (!m_held || Inherited()) return -1;
    std::lock_guard<std::mutex> guard(g_mutex);
    auto found = EntryOf(m_key, m_id);
    return found != g_held.end() ? found->second.fd : -1;
}

void Hold::Release() noexcept {
    if (!m_held) return;
    // The descriptor may outlive the hold, parked while a lock of this process may stand on the file.
    UnlockEngine();
    m_held = false;
    const bool keptOthersOut = m_keepsOthersOut;
    m_keepsOthersOut = false;
    std::unique_lock<std::mutex> guard(g_mutex);
    if (m_forks != ForkCount()) return;  // made before a fork: the child closed its copies
    auto found = EntryOf(m_key, m_id);
    if (found == g_held.end()) return;
    Held& held = found->second;
    if (keptOthersOut && --held.keepingOut == 0 && held.holders > 1) LetOthersIn(held);
    if (--held.holders > 0) return;
    EndEntry(found, guard);
}

}  // namespace fileshare
