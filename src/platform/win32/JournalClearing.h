// Clearing what lies beside a database file before it is replaced or
// removed, or where its journals stand in its user's way: its log folded
// back into it, then its journal files gone, all under the engine's own
// exclusive lock on the file (Hold::LockEngine), as the engine's last close
// clears them. A program that opens the file meanwhile waits for the lock,
// and nothing it writes is ever removed.
#pragma once
#include <string>

namespace fileshare {
class Hold;
}

// Folds the log beside the database at path, which hold holds exclusively,
// into it, and takes the engine's exclusive lock on the file, folding again
// what an engine wrote before the lock was taken. True with the lock held:
// the file alone holds everything, and no engine begins to read it until
// the hold ends. False with errno set as FoldDatabaseLog gives, or EBUSY
// while an engine keeps the file open.
bool FoldUnderEngineLock(const std::string& path, fileshare::Hold& hold);

// The same, then removes the journal files beside path
// (RemoveDatabaseJournals): for a file about to be replaced or removed,
// which the caller does while the lock stays held.
bool FoldAndClearJournals(const std::string& path, fileshare::Hold& hold);

// Clears the journal files beside the database at path as a copy onto it
// does, its log folded first, but only where no one uses it: no store of
// any process holds it and no engine has it open. Journal files its user
// may not write (another user's, or read-only) are first replaced, under
// the engine's lock, by copies of the user's own, which the engine can
// fold. False, the journal files left as they are, where it cannot.
bool ClearUnusedJournals(const std::string& path);
