#include "platform/win32/FolderLock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/win32/DatabaseLog.h"
#include "platform/win32/FileHold.h"

const char kLockFileName[] = ".ruri-folder-lock";

namespace {
// How long a copy or removal that waits for the lock sleeps between tries:
// short, since others take the lock for a moment only and often.
const auto kPoll = std::chrono::microseconds(200);

// Whether what is looked at at the lock file's name may be taken for it: a
// regular file of one name that no hold of this process has.
bool Lockable(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_nlink == 1 && !fileshare::HeldHere(info);
}

// Opens the lock file at name, making it where none is: readable by every
// user, so that all who may write the folder can lock it. -1 with errno
// set; kLockNameTaken when anything else is there, looked at before it is
// opened; EAGAIN when it is there but not readable, as one another user has
// just made is until it is set up.
int OpenLockFile(const std::string& name) {
    for (;;) {
        const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
        struct stat there;
        int fd = -1;
        if (lstat(name.c_str(), &there) == 0) {
            if (there.st_nlink == 0) continue;  // removed as it was looked at
            if (!Lockable(there)) {
                errno = fileshare::kLockNameTaken;
                return -1;
            }
            fd = fileshare::OpenLockable(name, flags);
            if (fd < 0 && errno == EACCES) errno = EAGAIN;
            if (fd >= 0 || errno != ENOENT) return fd;
        } else if (errno != ENOENT) {
            return -1;
        }
        fd = fileshare::OpenLockable(name, flags | O_CREAT | O_EXCL, 0444);
        if (fd >= 0) {
            fchmod(fd, 0444);  // whatever the umask
            return fd;
        }
        if (errno != EEXIST) return -1;  // else another made it meanwhile
    }
}
}  // namespace

std::string FolderOf(const std::string& path) {
    size_t cut = path.find_last_of('/');
    if (cut == std::string::npos) return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

void SyncFolder(const std::string& path) {
    const int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

FolderLock::~FolderLock() {
    if (m_fd < 0) return;
    // The lock file goes while it is locked, and only while it is the empty
    // file of one name that was locked: a waiter that locks it after finds
    // the name gone or another file's, and locks again.
    struct stat locked, there;
    if (fstat(m_fd, &locked) == 0 && lstat(m_file.c_str(), &there) == 0 && fileshare::SameFile(locked, there) &&
        S_ISREG(there.st_mode) && there.st_size == 0 && there.st_nlink == 1)
        unlink(m_file.c_str());
    flock(m_fd, LOCK_UN);
    fileshare::CloseFile(m_fd);
}

bool FolderLock::Lock(const std::string& path) {
    const std::string folder = FolderOf(path);
    std::string name = (folder == "/" ? "" : folder) + "/" + kLockFileName;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
    bool unreadable = false;
    for (;;) {
        const int fd = OpenLockFile(name);
        int err = fd >= 0 ? 0 : errno;
        unreadable = err == EAGAIN;
        struct stat locked, there;
        if (fd >= 0 && fstat(fd, &locked) != 0) {
            err = errno;
        } else if (fd >= 0 && locked.st_nlink == 0) {
            err = EAGAIN;  // removed by its last holder since it was opened
        } else if (fd >= 0 && !Lockable(locked)) {
            // Anything else that came to the lock file's name meanwhile is
            // left alone (its descriptor closed only where no lock stands on
            // it), and no copy or removal runs there.
            fileshare::CloseFile(fd);
            return fileshare::Refuse(fileshare::kLockNameTaken);
        } else if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // Locked, if the name still names the file locked.
            if (lstat(name.c_str(), &there) == 0 && fileshare::SameFile(locked, there)) {
                m_fd = fd;
                m_file = std::move(name);  // no allocation once it is locked
                return true;
            }
            flock(fd, LOCK_UN);
            err = EAGAIN;
        } else if (fd >= 0) {
            err = errno == EWOULDBLOCK ? EAGAIN : errno;
        }
        if (fd >= 0) fileshare::CloseFile(fd);
        if (err != EAGAIN && err != EINTR) return fileshare::Refuse(err);
        if (std::chrono::steady_clock::now() >= deadline) return fileshare::Refuse(unreadable ? EACCES : EBUSY);
        if (err == EAGAIN) std::this_thread::sleep_for(kPoll);
    }
}
