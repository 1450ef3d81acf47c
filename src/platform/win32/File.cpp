#include "platform/win32/File.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/win32/LastError.h"

namespace {
bool Fail(int err, const char* path) {
    SetLastErrorFromErrno(err, path);
    return false;
}

bool CopyContents(int from, int to) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        ssize_t got = read(from, buffer.data(), buffer.size());
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
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

// Writes the whole of source into the open file out and makes it durable.
bool FillFrom(int source, int out) { return CopyContents(source, out) && fsync(out) == 0; }
}  // namespace

BOOL CopyFileA(const char* existing, const char* newFile, BOOL failIfExists) {
    if (!existing || !newFile || !*existing || !*newFile) {
        SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    int source = open(existing, O_RDONLY);
    if (source < 0) return Fail(errno, existing);
    struct stat info;
    if (fstat(source, &info) != 0 || !S_ISREG(info.st_mode)) {
        int err = S_ISDIR(info.st_mode) ? EISDIR : errno;
        close(source);
        return Fail(err, existing);
    }
    const std::string target(newFile);
    const mode_t mode = info.st_mode & 0777;
    bool ok = false;
    int err = 0;
    if (failIfExists) {
        int out = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL, mode);
        if (out >= 0) {
            ok = FillFrom(source, out);
            err = errno;
            close(out);
            if (ok) {
                RemoveJournals(target);
                SyncFolder(target);
            } else {
                unlink(target.c_str());
            }
        } else {
            err = errno;
        }
    } else {
        std::string temp = target + ".copy-XXXXXX";
        int out = mkstemp(&temp[0]);
        if (out >= 0) {
            ok = fchmod(out, mode) == 0 && FillFrom(source, out);
            err = errno;
            close(out);
            if (ok) {
                RemoveJournals(target);
                ok = rename(temp.c_str(), target.c_str()) == 0;
                err = errno;
            }
            if (ok) SyncFolder(target); else unlink(temp.c_str());
        } else {
            err = errno;
        }
    }
    close(source);
    if (!ok) return Fail(err, newFile);
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
