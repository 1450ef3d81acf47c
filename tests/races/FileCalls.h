// The calls by which a copy puts its file in place, slowed or refused on
// demand, so that the races of a copy show in a test. The race tests link
// the library's objects into their program, so the library's calls of link,
// rename, renameat2 and fsync come here first.
#pragma once
#include <atomic>
#include <functional>

namespace filecalls {
// Milliseconds each call that puts a file in place waits before it acts.
extern std::atomic<int> g_pauseMs;
// A file system without a rename that refuses to replace (renameat2 with
// RENAME_NOREPLACE fails with EINVAL), or without hard links (link fails with EPERM).
extern std::atomic<bool> g_noExclusiveRename;
extern std::atomic<bool> g_noHardLinks;
// Run once, on the copying thread, while the scratch file of a copy is
// being made durable; empty for none.
extern std::function<void()> g_whileSyncingACopy;
}  // namespace filecalls
