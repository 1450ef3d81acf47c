// The process's table of the files the library has descriptors of (internal
// to the file side of the platform layer): the holds on project files
// (FileHold.h) and every other descriptor the library opens of a file that
// a connection of the engine may lock (OpenFile). Every such descriptor is
// in the table from its open until its close (one of a journal file, which
// locks nothing, until just before), so a child forked at any moment closes
// its copy of each and of no other.
//
// Closing any descriptor of a file drops every record lock the process has
// on it, the engine's connections' included, the host's own as well as the
// library's. So a descriptor is closed only where no record lock of this
// process stands on its file: under a write lock of all of it but the
// holds' bytes (no record locks), taken at once, which none of any process
// may meet; or, where another's lock refuses that, while the kernel lists
// none of this process's, looked at under a lock of the pending byte of
// its database (the file, or the one an index is of), through which every
// connection of the engine takes its first lock. A lock is carried by the
// descriptor itself where no child forked since its entry may still have
// a copy (which would keep the lock), else by a second descriptor opened
// for it; no fork begins meanwhile. For a file the user may only read, the
// kernel's list alone decides. A descriptor that cannot be closed so is
// parked, lent to the next open of its file and tried again at every
// close: they stay as many as the files this process's connections lock.
// One of a journal file closes at once: the engine never locks one.
#pragma once
#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

#include "platform/win32/FileHold.h"

namespace fileshare {

// The byte the holds lock: the engine locks bytes from 1 GiB on, for 512 bytes.
constexpr off_t kHoldByte = off_t(1) << 62;
// The byte a frozen reader of a project locks shared, beside the hold byte.
constexpr off_t kFrozenReaderByte = kHoldByte + 1;
// The bytes every connection of the engine locks shared while it has a file
// in write-ahead logging open, and while it reads one in rollback mode.
constexpr off_t kEngineSharedBytes = (off_t(1) << 30) + 2;
constexpr off_t kEngineSharedLength = 510;
// The bytes the engine locks exclusively to have a file to itself: its
// pending byte, its reserved byte and its shared bytes.
constexpr off_t kEngineLockBytes = off_t(1) << 30;
constexpr off_t kEngineLockLength = 512;

// What an entry of the table is: a file being opened by its first holder,
// held shared or exclusively; or a descriptor that no hold has: one a look
// or a lock of the library's uses, one parked until it may be closed, or one
// being closed. Only a shared file is joined; for the other holds a hold waits.
enum class State { Opening, Shared, Exclusive, Loose, Parked, Closing };

inline bool IsHold(State state) { return state == State::Opening || state == State::Shared || state == State::Exclusive; }

struct ByFile {
    bool operator()(const FileKey& a, const FileKey& b) const {
        return a.device != b.device ? a.device < b.device : a.inode < b.inode;
    }
};

inline FileKey KeyOf(const struct stat& info) { return FileKey{info.st_dev, info.st_ino}; }
inline bool SameFile(const FileKey& a, const FileKey& b) { return a.device == b.device && a.inode == b.inode; }

// An entry of the table. A hold's entry belongs to the hold that made it (its
// id); holds that join a shared file count themselves in it, and only the
// last of them ends it. A removed file's inode can be given to a new file at
// once, so one key may name several entries.
struct Held {
    uint64_t id = 0;
    int fd = -1;
    int holders = 0;
    // The engine connections on the file, of each kind (Engine).
    int lockingEngines = 0;
    int frozenEngines = 0;
    // The holds that keep other processes out (Others::KeepOut).
    int keepingOut = 0;
    State state = State::Opening;
    // Whether fd is open for writing, and whether a child forked between its
    // open and its entry may have a copy of it that the child does not know
    // of: no lock is ever put on such a descriptor.
    bool writable = false;
    bool copied = false;
    // The count of forks begun when fd was entered: a child forked since
    // closes its copy, but may not have yet.
    uint64_t forksAt = 0;
    // A second descriptor of the file, opened to carry the lock fd is closed
    // under where fd may not carry it, parked with fd when it could not
    // take it; and the count of forks begun when it was opened.
    int helper = -1;
    uint64_t helperForksAt = 0;
    // The sweep that last tried to close fd, parked.
    uint64_t tried = 0;
};

using Table = std::multimap<FileKey, Held, ByFile>;

// The table and its lock. The lock is held only around the table itself,
// never across a call that can block, a close included.
extern std::mutex g_mutex;
extern Table g_held;
// How many forks this process has begun, counted under the table's lock: a
// descriptor opened at one count and entered at another may have a copy in
// a child that the child does not know of.
extern uint64_t g_forksBegun;

// Under the table's lock: the first entry of the file key names that match
// takes; end when none does.
template <class Match>
Table::iterator FirstOf(const FileKey& key, Match match) {
    auto range = g_held.equal_range(key);
    auto it = std::find_if(range.first, range.second, [&match](const auto& entry) { return match(entry.second); });
    return it != range.second ? it : g_held.end();
}
// Under the table's lock: the entry id names; end when there is none.
Table::iterator EntryOf(const FileKey& key, uint64_t id);
// Under the table's lock: a new entry for key, of one holder, and its id.
uint64_t NewEntry(const FileKey& key, State state);
// Under the table's lock: the entry of fd, a descriptor a look or a lock of the
// library's uses (Loose); end when none.
Table::iterator LooseEntryOf(int fd);
// Whether the file key names was held when this process or a forebear was forked.
bool HeldByForebears(const FileKey& key);

// Ends the entry at it, under the table's lock (taken by guard): the one
// place a hold's entry ends. Its locks are taken off under the table's
// lock, so a child forked from then on keeps none of them; its descriptor
// is parked and closed (Sweep) with the table let go. Erased, or left parked.
void EndEntry(Table::iterator it, std::unique_lock<std::mutex>& guard);
// Closes every parked descriptor that may now be closed, with the table let
// go (the caller holds no lock of it).
void Sweep() noexcept;

// Looks at what path names; false with errno set when it is nothing, or
// anything but a regular file (kNotRegularFile).
bool LookRegular(const std::string& path, struct stat& info);
// Gives the hold's entry id of key, made by the caller, a descriptor of the
// regular file at path: one parked of that file (open for writing where
// write), or one opened now: for writing where write, else for writing
// where the user may and for reading where not. Its entry notes whether a
// child forked since the open may have a copy of it. -1 with errno set;
// EAGAIN when the path names another file than key does now, the entry then
// gone with the descriptor of that other file. Anything but a regular file
// is looked at and never opened: opening a pipe or a device can block or act.
int OpenForEntry(const std::string& path, const FileKey& key, uint64_t id, bool write);

// Locks (F_RDLCK, F_WRLCK) or unlocks (F_UNLCK) bytes of fd's open file
// description without waiting; false with errno EBUSY when another holds
// any of them.
bool SetLock(int fd, short type, off_t start, off_t length = 1);
// The kind of lock (F_RDLCK, F_WRLCK) that anyone but fd's open file
// description holds on any of the bytes from start, the engine's record
// locks of this process included; F_UNLCK for none. A look that fails counts
// as a write lock.
short LockElsewhere(int fd, off_t start, off_t length = 1);

}  // namespace fileshare
