#include "platform/win32/File.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/win32/DatabaseLog.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/LastError.h"

namespace {
// A copy looks again when the file at its destination changes under it; past
// this many looks it gives up as if the file were in use.
const int kPlaceAttempts = 100;

BOOL Fail(int err, const char* path) {
    SetLastErrorFromErrno(err, path);
    return FALSE;
}

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

std::string FolderOf(const std::string& path) {
    size_t cut = path.find_last_of('/');
    if (cut == std::string::npos) return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

void SyncFolder(const std::string& path) {
    int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

void RemoveJournals(const std::string& database) {
    for (const char* suffix : {"-journal", "-wal", "-shm"}) unlink((database + suffix).c_str());
}

// Puts scratch at target only if nothing is there at that instant (EEXIST
// otherwise): a rename that refuses to replace or, where the file system has
// none, a hard link. Without either it fails (EOPNOTSUPP) rather than guess.
bool PlaceWhereNothingIs(const std::string& scratch, const std::string& target) {
    if (renameat2(AT_FDCWD, scratch.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    if (link(scratch.c_str(), target.c_str()) == 0) {
        unlink(scratch.c_str());
        return true;
    }
    if (errno == EPERM || errno == ENOSYS) errno = EOPNOTSUPP;
    return false;
}

// Puts scratch in the place of the file at target, which this process holds
// exclusively. The file's log is folded into it first, so that at every
// moment the target is either the whole old file or the new one.
bool Replace(const std::string& scratch, const std::string& target) {
    if (!FoldDatabaseLog(target)) return false;
    RemoveJournals(target);
    return rename(scratch.c_str(), target.c_str()) == 0;
}

// Puts scratch, held exclusively, at target; errno set when it cannot.
bool Place(const std::string& scratch, const std::string& target, bool failIfExists) {
    for (int attempt = 0; attempt < kPlaceAttempts; ++attempt) {
        struct stat there;
        if (lstat(target.c_str(), &there) != 0) {
            if (errno != ENOENT) return false;
            if (PlaceWhereNothingIs(scratch, target)) {
                // Journals that an earlier file of that name left: no one has
                // opened the new file yet, since it is still held.
                RemoveJournals(target);
                return true;
            }
            if (errno != EEXIST || failIfExists) return false;
            continue;  // a file came meanwhile: it is replaced only under a hold
        }
        if (failIfExists) {
            errno = EEXIST;
            return false;
        }
        fileshare::Hold old;
        if (old.Take(target, true)) return Replace(scratch, target);
        if (errno != ENOENT) return false;
        // A link that leads nowhere is replaced as a file no one holds; any
        // other file went meanwhile.
        if (S_ISLNK(there.st_mode)) {
            RemoveJournals(target);
            return rename(scratch.c_str(), target.c_str()) == 0;
        }
    }
    errno = EBUSY;
    return false;
}
}  // namespace

BOOL PlaceFileA(const char* newFile, BOOL failIfExists, unsigned mode, const FileFiller& fill) {
    if (!newFile || !*newFile) {
        SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    const std::string target(newFile);
    std::string scratch = target + ".copy-XXXXXX";
    const int fd = mkostemp(&scratch[0], O_CLOEXEC);
    if (fd < 0) return Fail(errno, newFile);
    // The new file is held exclusively from its making until it is in place.
    fileshare::Hold made;
    const bool ok = made.Adopt(fd) && fchmod(fd, mode & 0777) == 0 && fill(fd, scratch) && fsync(fd) == 0 &&
                    Place(scratch, target, failIfExists);
    const int err = errno;
    if (!ok) {
        unlink(scratch.c_str());
        return Fail(err, newFile);
    }
    SyncFolder(target);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL CopyFileA(const char* existing, const char* newFile, BOOL failIfExists) {
    if (!existing || !newFile || !*existing || !*newFile) {
        SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    struct stat info;
    if (stat(existing, &info) != 0) return Fail(errno, existing);
    if (!S_ISREG(info.st_mode)) return Fail(S_ISDIR(info.st_mode) ? EISDIR : EACCES, existing);
    struct stat there;
    if (failIfExists && lstat(newFile, &there) == 0) return Fail(EEXIST, newFile);
    // Read through a shared hold: its descriptor is the one the file's
    // holders in this process share, if any.
    fileshare::Hold source;
    if (!source.Share(existing, 0)) return Fail(errno, existing);
    return PlaceFileA(newFile, failIfExists, info.st_mode,
                      [&source](int fd, const std::string&) { return CopyBytes(source.Descriptor(), fd); });
}

BOOL DeleteFileA(const char* path) {
    struct stat info;
    if (!path || lstat(path, &info) != 0) return Fail(path ? errno : ENOENT, path);
    // A file that a connection holds is in use; a link goes without its file.
    fileshare::Hold hold;
    if (S_ISREG(info.st_mode) && !hold.Take(path, false) && errno != ENOENT) return Fail(errno, path);
    if (unlink(path) != 0) return Fail(errno, path);
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
        else Fail(path ? errno : ENOENT, path);
        return FALSE;
    }
    return TRUE;
}
