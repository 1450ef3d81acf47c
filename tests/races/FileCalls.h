// The calls by which a copy puts its file in place and the engine writes,
// slowed or refused on demand, so that the races of a copy show in a test.
// The race tests link the library's objects into their program, and the
// program's definitions come before the C library's for the engine too, so
// the calls of link, rename, renameat2, fsync, fdatasync, open, pwrite,
// fcntl, flock, close and unlink come here first.
#pragma once
#include <atomic>
#include <functional>
#include <string>

namespace filecalls {
// Milliseconds each call that puts a file in place waits before it acts.
extern std::atomic<int> g_pauseMs;
// Milliseconds each call that puts a file in place or makes one durable
// (fsync, fdatasync) waits after it acted.
extern std::atomic<int> g_pauseAfterMs;
// Milliseconds each open of the file named g_slowOpenOf waits before it acts.
extern std::atomic<int> g_openPauseMs;
extern std::string g_slowOpenOf;
// A file system without a rename that refuses to replace (renameat2 with
// RENAME_NOREPLACE fails with EINVAL), or without hard links (link fails with EPERM).
extern std::atomic<bool> g_noExclusiveRename;
extern std::atomic<bool> g_noHardLinks;
// Writes (pwrite, pwrite64) into the file of this path, as the kernel names
// it, fail with ENOSPC: the disk is full for that file; empty for none.
extern std::string g_fullFile;
// Milliseconds each exclusive hold (a write lock asked by fcntl
// F_OFD_SETLK) waits before it locks.
extern std::atomic<int> g_lockPauseMs;
// A hold that would turn from exclusive to shared (a read lock asked, by
// fcntl F_OFD_SETLK, on a descriptor that holds a write lock) fails with ENOLCK.
extern std::atomic<bool> g_noDowngrade;
// Run once, on the closing thread, as a descriptor of the file of this path
// (as the kernel names it) is about to be closed; empty for none.
extern std::string g_closingFile;
extern std::function<void()> g_whileClosing;
// Run once, on the copying thread, while the scratch file of a copy is
// being made durable; empty for none.
extern std::function<void()> g_whileSyncingACopy;

// The calls a test can stop at: an open, a lock (fcntl F_OFD_SETLK of a
// read or write lock, flock LOCK_EX or LOCK_SH) that was granted, a write
// lock of the whole file (F_OFD_SETLK from 0 to the end, under which the
// library closes a descriptor), a close, an unlink.
enum class Call { Open, Lock, LockWhole, Close, Unlink };
// Runs hook once, on the calling thread, right before (after false) or
// right after the next call of that kind on the file of path (as the call
// names it for an open or an unlink, as the kernel names it else); the hook
// gets the call's descriptor (-1 for none). A hook is taken off before it
// runs.
void StopAt(Call call, bool after, const std::string& path, std::function<void(int fd)> hook);
}  // namespace filecalls
