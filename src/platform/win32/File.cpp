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
#include "platform/win32/LastError.h"

namespace {
// Writes the whole of the file open at from into the file open at to.
bool CopyBytes(int from, int to) {
    std::vector<char> buffer(1 << 20);
    for (off_t at = 0;;) {
        ssize_t got = pread(from, buffer.data(), buffer.size(), at);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        at += got;
        for (ssize_t done = 0; done < got;) {
            ssize_t put = write(to, buffer.data() + done, static_cast<size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            done += put;
        }
    }
}
}  // namespace

BOOL CopyFileA(const char* existing, const char* newFile, BOOL failIfExists, fileshare::Hold* placed) {
    if (!existing || !newFile || !*existing || !*newFile) {
        SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
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
        newFile, failIfExists, info.st_mode,
        [&source](int fd, const std::string&) { return CopyBytes(source.Descriptor(), fd); }, placed);
}

BOOL DeleteFileA(const char* path) {
    struct stat info;
    if (!path || lstat(path, &info) != 0) return FailFromErrno(path ? errno : ENOENT, path);
    // A file that a connection holds is in use; a link goes without its file.
    fileshare::Hold hold;
    if (S_ISREG(info.st_mode) && !hold.Take(path, false) && errno != ENOENT) return FailFromErrno(errno, path);
    // A database's journal files go with it, under the same hold, before a
    // copy can place a new file of that name beside them; any other file
    // goes alone.
    const bool database = hold.Descriptor() >= 0 && IsDatabaseFile(hold.Descriptor());
    FolderLock folder;
    if (!folder.Lock(path) || unlink(path) != 0) return FailFromErrno(errno, path);
    if (database) RemoveDatabaseJournals(path);
    return TRUE;
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
    if (!path || mkdir(path, 0777) != 0) {
        if (path && errno == EEXIST) SetLastError(ERROR_ALREADY_EXISTS);
        else FailFromErrno(path ? errno : ENOENT, path);
        return FALSE;
    }
    return TRUE;
}
