#include "platform/win32/JournalClearing.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/win32/DatabaseLog.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"
#include "platform/win32/LogNames.h"
#include "platform/win32/ProjectAccess.h"
#include "platform/win32/ScratchFile.h"

namespace {
// How often a fold is made again because an engine wrote before the lock
// was taken; past it the file counts as in use.
const int kFoldAttempts = 3;

// Puts a copy of the journal file at journal, made by this user with the
// bits of the database (as the engine makes journals), in its place, while
// the engine's lock keeps every engine away from it; the caller has the
// folder locked. False with errno set, the journal as it was.
bool ReplaceByOwnCopy(const std::string& journal, const struct stat& looked, mode_t mode) {
    const int from = fileshare::OpenFile(journal, O_RDONLY | O_NOFOLLOW);
    if (from < 0) return false;
    RemoveAbandonedScratch(journal);
    fileshare::Hold made;
    std::string scratch;
    struct stat opened, there;
    bool done = fstat(from, &opened) == 0 && fileshare::SameFile(opened, looked) && MakeScratch(journal, made, scratch);
    const bool scratchMade = done;
    done = done && CopyBytes(from, made.Descriptor()) && fchmod(made.Descriptor(), mode) == 0 &&
           fsync(made.Descriptor()) == 0 && lstat(journal.c_str(), &there) == 0 &&
           fileshare::SameFile(there, looked) && rename(scratch.c_str(), journal.c_str()) == 0;
    const int err = errno;
    fileshare::CloseJournal(from);
    if (!done && scratchMade) unlink(scratch.c_str());
    if (done) SyncFolder(journal);
    errno = err;
    return done;
}

// Makes every journal file beside the database at path one its user may
// write: the log and a rollback journal by copies of the user's own, the
// log's index (which the engine makes anew from the log) and empty files by
// their removal. The caller holds the engine's lock and the folder's.
bool MakeJournalsWritable(const std::string& path, mode_t mode) {
    for (const char* suffix : kJournalSuffixes) {
        const std::string journal = path + suffix;
        struct stat looked;
        if (lstat(journal.c_str(), &looked) != 0 || MayWrite(journal, W_OK)) continue;
        const bool index = std::string(suffix) == "-shm";
        if (!(index || looked.st_size == 0 ? fileshare::UnlinkIfStill(journal, looked)
                                           : ReplaceByOwnCopy(journal, looked, mode)))
            return false;
    }
    return true;
}
}  // namespace

bool FoldUnderEngineLock(const std::string& path, fileshare::Hold& hold) {
    for (int attempt = 0; attempt < kFoldAttempts; ++attempt) {
        if (!FoldDatabaseLog(path) || !hold.LockEngine(kBusyTimeoutMs)) return false;
        if (!LogHoldsChanges(path)) return true;
        hold.UnlockEngine();  // an engine wrote between the fold and the lock
    }
    return fileshare::Refuse(EBUSY);
}

bool FoldAndClearJournals(const std::string& path, fileshare::Hold& hold) {
    return FoldUnderEngineLock(path, hold) && RemoveDatabaseJournals(path);
}

bool ClearUnusedJournals(const std::string& path) {
    FolderLock folder;
    fileshare::Hold hold;
    struct stat file;
    if (!(folder.Lock(path) && hold.Take(path, false) && IsDatabaseFile(hold.Descriptor()) &&
          fstat(hold.Descriptor(), &file) == 0))
        return false;
    // Only where no engine has the file open, as its lock tells at once.
    if (!hold.LockEngine(0) || !LogNamesClear(path, LogLook::Files) || !MakeJournalsWritable(path, file.st_mode & 0777))
        return false;
    hold.UnlockEngine();
    return FoldAndClearJournals(path, hold);
}
