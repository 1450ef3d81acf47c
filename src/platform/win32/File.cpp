#include "platform/win32/File.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/win32/DatabaseLog.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"
#include "platform/win32/JournalClearing.h"
#include "platform/win32/LastError.h"
#include "platform/win32/LogNames.h"
#include "platform/win32/ScratchFile.h"

namespace {
// Removes the name path only while it names what was looked at (looked).
BOOL UnlinkWhatWasLookedAt(const char* path, const struct stat& looked) {
    return fileshare::UnlinkIfStill(path, looked) ? TRUE : FailFromErrno(errno, path);
}

// Where path names a journal file of a database, holds the database
// exclusively (EBUSY while anyone else holds it) and folds its log into it,
// so that removing the journal loses nothing. True when path names no
// journal of a database, or once the log is folded. The engine names a
// database's journals after the name it opens it by, links resolved: a file
// at any other name (one beside a link to the database) is no journal the
// engine reads, nor is one at a name of a database the engine cannot name
// at all (a link in a loop). A name the engine had no memory to make fails
// the removal: it says nothing of which file the journal is of. Anything
// but a journal file at that name (a database, a held file) is a file of
// its own.
bool ReleaseJournal(const std::string& path, fileshare::Hold& database) {
    const std::string named = JournalOwner(path);
    if (named == path || named.empty()) return true;
    std::string owner, journal;
    if (!EngineName(named, owner) || !EngineName(path, journal)) return errno != ENOMEM;
    if (journal != owner + path.substr(named.size())) return true;
    if (!database.Take(owner, false)) return errno == ENOENT || errno == fileshare::kNotRegularFile;
    if (!IsDatabaseFile(database.Descriptor())) {
        database.Release();
        return true;
    }
    if (LogNameClear(path, LogLook::Files)) return FoldUnderEngineLock(owner, database);
    const int err = errno;
    database.Release();
    return err == fileshare::kLogNameIsADatabase || err == fileshare::kLogNameHeld ||
           err == fileshare::kLogNameNotAFile || fileshare::Refuse(err);
}

BOOL CopyFileOnce(const char* existing, const char* newFile, BOOL failIfExists, fileshare::Hold* placed) {
    if (!existing || !newFile || !*existing || !*newFile) return FailFromErrno(EINVAL, newFile);
    struct stat info;
    if (stat(existing, &info) != 0) return FailFromErrno(errno, existing);
    if (!S_ISREG(info.st_mode)) return FailFromErrno(S_ISDIR(info.st_mode) ? EISDIR : EACCES, existing);
    struct stat there;
    if (failIfExists && lstat(newFile, &there) == 0) return FailFromErrno(EEXIST, newFile);
    // Read through a shared hold: its descriptor is the one the file's
    // holders in this process share, if any.
    fileshare::Hold source;
    if (!source.Share(existing, kBusyTimeoutMs, fileshare::Use::Read)) return FailFromErrno(errno, existing);
    return PlaceFileA(
        newFile, failIfExists, [&source](int fd, const std::string&) { return CopyBytes(source.Descriptor(), fd); },
        placed);
}

BOOL DeleteFileOnce(const char* path) {
    if (!path || !*path) return FailFromErrno(ENOENT, path);
    // What is at the path is looked at, held and removed under the folder
    // lock, so no copy places a file where it went; and a copy replaces only
    // a file it holds, so the held file keeps the path until it goes. A file
    // that went meanwhile is missing (2).
    FolderLock folder;
    struct stat info;
    if (!folder.Lock(path) || lstat(path, &info) != 0) return FailFromErrno(errno, path);
    // A link goes without its file, and anything but a file is not held.
    if (!S_ISREG(info.st_mode)) return UnlinkWhatWasLookedAt(path, info);
    // A journal file is part of its database: in use while anyone holds the
    // database, and otherwise removed only once the database has taken back
    // what it holds, under a hold of the database that keeps stores out.
    fileshare::Hold database;
    if (!ReleaseJournal(path, database)) return FailFromErrno(errno, path);
    // The fold may have taken a log away itself.
    if (database.Descriptor() >= 0 && lstat(path, &info) != 0 && errno == ENOENT) return TRUE;
    // A file that a connection holds is in use.
    fileshare::Hold hold;
    struct stat held;
    if (!hold.Take(path, false)) return FailFromErrno(errno, path);
    if (fstat(hold.Descriptor(), &held) != 0 || !fileshare::SameFile(held, info)) return FailFromErrno(EBUSY, path);
    // A database goes whole or not at all: its log is folded into it first,
    // then its journal files go, then the file. Killed at any step, the
    // path keeps the whole project, or nothing and no log of it.
    if (IsDatabaseFile(hold.Descriptor()) && !FoldAndClearJournals(path, hold)) return FailFromErrno(errno, path);
    return UnlinkWhatWasLookedAt(path, info);
}
}  // namespace

BOOL CopyFileA(const char* existing, const char* newFile, BOOL failIfExists, fileshare::Hold* placed) {
    return WithoutThrowing([&] { return CopyFileOnce(existing, newFile, failIfExists, placed); });
}

BOOL DeleteFileA(const char* path) {
    return WithoutThrowing([&] { return DeleteFileOnce(path); });
}

DWORD GetFileAttributesA(const char* path) {
    struct stat info;
    if (!path || stat(path, &info) != 0) {
        SetLastErrorFromErrno(path ? errno : ENOENT, path);
        return INVALID_FILE_ATTRIBUTES;
    }
    return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

BOOL CreateDirectoryA(const char* path, void*) {
    if (path && mkdir(path, 0777) == 0) return TRUE;
    if (!path || errno != EEXIST) return FailFromErrno(path ? errno : ENOENT, path);
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
}
