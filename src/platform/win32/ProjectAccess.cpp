#include "platform/win32/ProjectAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/win32/DatabaseLog.h"
#include "platform/win32/FolderLock.h"
#include "platform/win32/LogNames.h"

bool MayWrite(const std::string& path, int mode) { return faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0; }

namespace {
// The byte of a database's header that is 2 while the file keeps its
// changes in a write-ahead log (its read version).
const off_t kReadVersionByte = 19;

bool MayWriteFileAndFolder(const std::string& path) {
    return MayWrite(path, W_OK) && MayWrite(FolderOf(path), W_OK | X_OK);
}

// Each journal file beside path is absent or one the user may write.
bool MayWriteJournals(const std::string& path) {
    for (const char* suffix : kJournalSuffixes) {
        struct stat journal;
        if (lstat((path + suffix).c_str(), &journal) == 0 && !MayWrite(path + suffix, W_OK)) return false;
    }
    return true;
}

bool InWriteAheadLogging(int fd) {
    unsigned char version = 0;
    return pread(fd, &version, 1, kReadVersionByte) == 1 && version == 2;
}
}  // namespace

bool OnlyItsJournalsReadOnly(const std::string& path) { return MayWriteFileAndFolder(path) && !MayWriteJournals(path); }

bool MayWriteProject(const std::string& path) { return MayWriteFileAndFolder(path) && MayWriteJournals(path); }

ProjectAccess AccessToProject(const std::string& path, int fd) {
    if (MayWriteProject(path)) return ProjectAccess::Write;
    struct stat log, index;
    const bool logThere = lstat((path + "-wal").c_str(), &log) == 0;
    const bool indexThere = lstat((path + "-shm").c_str(), &index) == 0;
    if (logThere && indexThere) return ProjectAccess::Read;
    if (logThere && log.st_size > 0) return ProjectAccess::LogWithoutIndex;
    if (!logThere && !InWriteAheadLogging(fd)) return ProjectAccess::Read;
    return ProjectAccess::Frozen;
}
