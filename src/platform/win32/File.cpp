#include "platform/win32/File.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/win32/DatabaseLog.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/LastError.h"

namespace {
bool Fail(int err, const char* path) {
    SetLastErrorFromErrno(err, path);
    return false;
}

// Writes the whole of the file open at from into the file whose descriptor
// context points to, and makes it durable.
bool FillFrom(int from, void* context) {
    const int to = *static_cast<int*>(context);
    std::vector<char> buffer(1 << 20);
    for (off_t at = 0;;) {
        ssize_t got = pread(from, buffer.data(), buffer.size(), at);
        if (got == 0) return fsync(to) == 0;
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
    int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

void RemoveJournals(const std::string& database) {
    for (const char* suffix : {"-journal", "-wal", "-shm"}) unlink((database + suffix).c_str());
}

// Copies existing, of the given mode, into a new file beside target; its
// name, or an empty one with errno set.
std::string CopyBeside(const char* existing, mode_t mode, const std::string& target) {
    std::string temp = target + ".copy-XXXXXX";
    int out = mkstemp(&temp[0]);
    if (out < 0) return std::string();
    bool ok = fchmod(out, mode) == 0 && fileshare::ReadFile(existing, &FillFrom, &out);
    const int err = errno;
    ok = close(out) == 0 && ok;
    if (ok) return temp;
    unlink(temp.c_str());
    errno = err;
    return std::string();
}

// Puts the file at temp at target unless something is there already (EEXIST).
bool PlaceNew(const std::string& temp, const std::string& target) {
    RemoveJournals(target);  // left by an earlier file of that name
    if (link(temp.c_str(), target.c_str()) == 0) {
        unlink(temp.c_str());
        return true;
    }
    if (errno == EEXIST || (errno != EPERM && errno != EOPNOTSUPP)) return false;
    // A file system without hard links: the target is looked for once more.
    struct stat there;
    if (lstat(target.c_str(), &there) == 0) {
        errno = EEXIST;
        return false;
    }
    return rename(temp.c_str(), target.c_str()) == 0;
}

// Puts the file at temp in the place of whatever is at target. The target's
// log is folded into it first, so that at every moment the target is either
// the whole old file or the new one.
bool Replace(const std::string& temp, const std::string& target) {
    FoldDatabaseLog(target);
    RemoveJournals(target);
    return rename(temp.c_str(), target.c_str()) == 0;
}
}  // namespace

BOOL CopyFileA(const char* existing, const char* newFile, BOOL failIfExists) {
    if (!existing || !newFile || !*existing || !*newFile) {
        SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    struct stat info;
    if (stat(existing, &info) != 0) return Fail(errno, existing);
    if (!S_ISREG(info.st_mode)) return Fail(S_ISDIR(info.st_mode) ? EISDIR : EACCES, existing);
    const std::string target(newFile);
    struct stat there;
    if (failIfExists && lstat(newFile, &there) == 0) return Fail(EEXIST, newFile);
    // A file that a connection holds open is not replaced under it.
    fileshare::ReplaceLock lock;
    if (!failIfExists && !lock.Take(target)) return Fail(EBUSY, newFile);
    const mode_t mode = info.st_mode & 0777;
    const std::string temp = CopyBeside(existing, mode, target);
    if (temp.empty()) return Fail(errno, newFile);
    if (!(failIfExists ? PlaceNew(temp, target) : Replace(temp, target))) {
        const int err = errno;
        unlink(temp.c_str());
        return Fail(err, newFile);
    }
    SyncFolder(target);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL DeleteFileA(const char* path) {
    if (!path || unlink(path) != 0) return Fail(path ? errno : ENOENT, path);
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
