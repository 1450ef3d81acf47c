// Holds on open project files, as the original platform's sharing lock held
// them. While a connection has a file open it holds it shared; a copy that
// replaces a file, or a removal, holds it exclusively first and fails while
// any other hold stands, in this process or in another. The holds are locks
// on an open file description, on a byte far past anything the database
// engine locks, so they never meet the engine's own record locks.
//
// A file this process holds is opened once, by its first holder; later
// holders join that descriptor and open none. The holds' entries and
// descriptors are kept in the process's table of them and closed as
// FileTable.h says, so no record lock of the process (the host's own
// connections' included) is dropped. An exclusive hold is on the file its
// path names once it is locked.
//
// A project's hold may keep every other process out while it lasts (where
// the engine's index of its log is no memory that processes of several
// machines share): its lock is then a write lock of the hold's byte and of
// the frozen reader's, which tells other processes that are refused that
// the file is in use, not being replaced. Holds of this process still join it.
//
// A child forked without exec keeps none of its parent's locks (FileTable.h).
// The engine's record of its locks is copied into the child while the locks
// stay with the parent, so the child refuses, for its whole life, to use as
// a project any file that was held when it was forked (by device and inode),
// and holds made before the fork act on nothing there. A child forked while
// another thread ran, or from a process whose threads could not be counted,
// may have the engine's own mutexes copied locked, for good: it refuses
// every project operation (ForkedBesideThreads).
#pragma once
#include <cerrno>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <utility>

namespace fileshare {

struct Held;

struct FileKey {
    dev_t device = 0;
    ino_t inode = 0;
};

// errno of a hold refused because the path names a named pipe, a socket, a
// device or a folder: no project file.
const int kNotRegularFile = ENODEV;
// errno of a project refused because its file has more than one name: the
// engine names a log by its file's path, so two names would give it two logs.
const int kSecondName = EMLINK;
// errno of a project refused in a forked child: the file was held by its
// parent when it was forked.
const int kOpenInParent = ECHILD;
// errno of a project that a frozen reader of another store keeps writers
// out of, or that a frozen reader must leave to a writer: it is in use.
const int kFrozenReader = ETXTBSY;
// errno of a hold refused because a hold of another process keeps every
// other out, or because one that would keep others out meets another's: in use.
const int kHeldElsewhere = EUSERS;
// errno of a project operation refused in a child forked while another
// thread of its parent ran: that thread may have held the database engine's
// mutexes, which then stay locked in the child for good.
const int kForkedBesideThreads = ENOTRECOVERABLE;

// Whether two looks (stat, lstat, fstat) saw one file: its device and inode.
inline bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the name path only while it names what was looked at there
// (looked, by lstat); false with errno set (EBUSY when it names another).
bool UnlinkIfStill(const std::string& path, const struct stat& looked);

// Sets errno to err and fails: the way the calls of this layer refuse.
inline bool Refuse(int err) {
    errno = err;
    return false;
}

// What a shared hold is for: reading the file's bytes, or using it as a project.
enum class Use { Read, Project };
// Whether a shared hold shares the file with other processes' holds, or
// keeps them all out (those of this process still join it).
enum class Others { Share, KeepOut };

// The kinds of engine connection on a held project. A locking one works
// under the engine's record locks; a frozen one reads the file as it is,
// without locks or log, for a user who may only read it. A frozen
// connection's close would drop the record locks of a locking one of the
// same process, and it would read a file that another process writes torn
// or stale: so the two kinds never meet in one process, and a frozen one
// never meets a connection of another process that writes.
enum class Engine { Locking, Frozen };

// How many forks stand between this process and the one that loaded the
// library; a hold, a connection or a statement made at another count was
// made by an ancestor and is inert here.
uint64_t ForkCount();
// Whether this process, or a forebear since its last exec, was forked
// while another thread ran (or while its threads could not be counted): no
// project operation may then call the engine.
bool ForkedBesideThreads();

// Whether this process has the file looked at (info) open for a hold, or
// held it when it or a forebear was forked: found by device and inode,
// never by opening it.
bool HeldHere(const struct stat& info);
// Whether another open file description holds the file open at fd: another
// process's hold, once HeldHere has said this process has none.
bool HeldElsewhere(int fd);
// Opens the regular file at path (flags as open takes them, O_NOFOLLOW for a
// path whose last name is not followed) as the library opens a file it
// looks into or a lock of its own: entered in the table before it is
// opened, so that a child forked at any moment closes its copy; for
// reading, open for writing too where its user may, so that it can carry
// the lock it is closed under; one parked of the file is lent where one is.
// Anything but a regular file is looked at and never opened
// (kNotRegularFile, ELOOP for a link not followed). -1 with errno set.
int OpenFile(const std::string& path, int flags, mode_t mode = 0);
// Lets go of fd, opened by OpenFile: closed where no lock of this process
// stands on its file, parked where one may (FileTable.h).
void CloseFile(int fd) noexcept;
// The same for fd, opened at the name of a log or a rollback journal: closed
// at once where it opens a journal file (a regular file of one name, neither
// empty nor a database), which the engine never locks.
void CloseJournal(int fd) noexcept;
// OpenFile for a lock of the library's on the descriptor (a folder's, a new
// file's hold): one that may not carry it is given up and the file opened
// again. With O_CREAT and O_EXCL, a file made here that must be opened
// again and went meanwhile is made again; one whose place another file
// took fails (EEXIST). The caller unlocks it, then closes it with CloseFile.
int OpenLockable(const std::string& path, int flags, mode_t mode = 0);

// What a project's hold checks of the files beside its file before the
// engine opens it: called with whether this hold opens the file's entry
// (while the entry is being opened, so no engine of this process has the
// file open and other holders wait), or joins one; false with errno set
// refuses the hold.
using BesideCheck = std::function<bool(bool opening)>;

class Hold {
public:
    Hold() = default;
    ~Hold() { Release(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    Hold(Hold&& other) noexcept { *this = std::move(other); }
    Hold& operator=(Hold&& other) noexcept;

    // Holds the regular file at path shared, waiting up to waitMs while it
    // is being opened, replaced or closed. False with errno set: ENOENT and
    // the other errors of a look or an open, kNotRegularFile, EBUSY when it
    // is still being replaced at the end; for a project also kSecondName and
    // kOpenInParent, and what beside gives; kHeldElsewhere at once when a
    // hold of another process keeps others out, or, for a hold that opens
    // the file to keep others out, when another process holds it at all.
    bool Share(const std::string& path, int waitMs, Use use, const BesideCheck& beside = nullptr,
               Others others = Others::Share);
    // Makes the process's shared hold keep every other process out for as
    // long as this hold lasts; false with errno kHeldElsewhere while another
    // process holds the file.
    bool KeepOthersOut();
    // Holds the regular file at path exclusively, to replace or remove it,
    // on a descriptor open for writing. False with errno set: ENOENT when
    // nothing is there, EBUSY while anyone else holds it, EACCES when this
    // user may not write it, kNotRegularFile; when writable is asked (the
    // file is to be replaced), EACCES when the file has no write permission
    // bit, kSecondName and kOpenInParent.
    bool Take(const std::string& path, bool writable);
    // Makes a new regular file at path, where nothing may be, with the bits
    // any new file gets (0666 less the umask), and holds it exclusively;
    // false with errno set (EEXIST when something is there).
    bool Create(const std::string& path);
    // Turns an exclusive hold into a shared one without a moment unheld, so
    // that connections may join it (with Others::KeepOut those of this
    // process alone); false with errno set when it cannot.
    bool Downgrade(Others others = Others::Share);
    // Notes that an engine connection of that kind is about to use the
    // held project; false with errno EBUSY while the other kind uses it in
    // this process, or, for a frozen one, while an engine connection of any
    // process has the file open (the engine's lock on its shared bytes).
    bool AddEngine(Engine kind);
    void DropEngine(Engine kind) noexcept;
    // Whether another process reads the held file frozen: a connection
    // that writes asks once it has the engine's shared lock, so that
    // either it or the frozen reader sees the other.
    bool FrozenElsewhere() const;
    // Takes the engine's own exclusive lock on the held file (its pending,
    // reserved and shared bytes), as the engine's last close takes it before
    // it removes a log: while it is held no engine connection of any process
    // begins to read the file, and one that has the file open keeps it from
    // being taken. For an exclusive hold, whose caller clears or replaces
    // what lies beside the file. Waits up to waitMs; false with errno EBUSY
    // while an engine has the file. Held until UnlockEngine or Release.
    bool LockEngine(int waitMs);
    void UnlockEngine() noexcept;
    // A descriptor of the held file, open for reading; -1 when none is held.
    int Descriptor() const;
    // Whether the hold was made before this process was forked from its maker.
    bool Inherited() const;
    // Whether path names the held file.
    bool IsAt(const std::string& path) const;
    void Release() noexcept;

private:
    // Under the table's lock: notes that this hold holds the file key names,
    // counted in the table's entry id.
    void Joined(const FileKey& key, uint64_t id);
    // Under the table's lock: notes that the process's hold of the file,
    // its entry held, is shared within it as others says.
    void SharedAs(Held& held, Others others);
    // Opens, for this hold, the file at path it entered as being opened;
    // false with errno EAGAIN when it must look again.
    bool OpenShared(const std::string& path, const BesideCheck& beside, Others others);

    bool m_held = false;
    FileKey m_key;
    uint64_t m_id = 0;
    uint64_t m_forks = 0;
    bool m_engineLocked = false;
    bool m_keepsOthersOut = false;
};

}  // namespace fileshare
