#include "platform/win32/LogNames.h"

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"

namespace {
thread_local std::string t_fault;

const char kHeld[] = "a file that a store holds (a project in use)";

// What is looked at, where it is no regular file of one name, in words.
const char* KindOf(const struct stat& info) {
    switch (info.st_mode & S_IFMT) {
        case S_IFLNK: return "a symbolic link";
        case S_IFIFO: return "a named pipe";
        case S_IFSOCK: return "a socket";
        case S_IFCHR:
        case S_IFBLK: return "a device";
        case S_IFDIR: return "a folder";
        case S_IFREG: return "a file with more than one name (a hard link)";
        default: return "no regular file";
    }
}

bool NoLogFile(const struct stat& info) { return !S_ISREG(info.st_mode) || info.st_nlink != 1; }

bool Taken(const std::string& log, int err, const char* what) {
    t_fault = log + " is " + what;
    errno = err;
    return false;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}
}  // namespace

bool IsDatabaseFile(int fd) {
    static const char kHeader[] = "SQLite format 3";  // with its NUL: 16 bytes
    char start[sizeof kHeader] = {};
    return pread(fd, start, sizeof start, 0) == static_cast<ssize_t>(sizeof start) &&
           std::equal(start, start + sizeof start, kHeader);
}

bool LogNameClear(const std::string& log, LogLook look, struct stat* found) {
    struct stat info = {};
    if (found) *found = info;
    if (lstat(log.c_str(), &info) != 0) {
        // A name too long for the folder cannot be there either.
        if (errno == ENOENT || errno == ENAMETOOLONG) return true;
        return Taken(log, errno, "out of reach");
    }
    if (NoLogFile(info)) return Taken(log, fileshare::kLogNameNotAFile, KindOf(info));
    if (fileshare::HeldHere(info)) return Taken(log, fileshare::kLogNameHeld, kHeld);
    if (look == LogLook::Names) {
        if (found) *found = info;
        return true;
    }
    const int fd = fileshare::OpenFile(log, O_RDONLY | O_NOFOLLOW);
    if (fd < 0) {
        if (errno == ENOENT) return true;  // gone meanwhile
        if (errno == ELOOP || errno == fileshare::kNotRegularFile)
            return Taken(log, fileshare::kLogNameNotAFile, errno == ELOOP ? "a symbolic link" : "no regular file");
        return Taken(log, errno, errno == EACCES ? "a file this user may not read" : "a file that cannot be opened");
    }
    // What was opened is judged, whatever the name named at the look.
    int err = 0;
    const char* what = nullptr;
    if (fstat(fd, &info) != 0) {
        err = errno;
        what = "a file that cannot be looked at";
    } else if (NoLogFile(info)) {
        err = fileshare::kLogNameNotAFile;
        what = KindOf(info);
    } else if (IsDatabaseFile(fd)) {
        err = fileshare::kLogNameIsADatabase;
        what = "a database (a project of its own)";
    } else if (fileshare::HeldHere(info) || fileshare::HeldElsewhere(fd)) {
        err = fileshare::kLogNameHeld;
        what = kHeld;
    }
    // The engine locks the log's index; a log or a rollback journal, never.
    (EndsWith(log, "-shm") ? fileshare::CloseFile : fileshare::CloseJournal)(fd);
    if (what) return Taken(log, err, what);
    if (found) *found = info;
    return true;
}

bool LogNamesClear(const std::string& path, LogLook look) {
    for (const char* suffix : kJournalSuffixes)
        if (!LogNameClear(path + suffix, look)) return false;
    return true;
}

const std::string& LogNameFault() { return t_fault; }

std::string JournalOwner(const std::string& path) {
    for (const std::string suffix : kJournalSuffixes)
        if (EndsWith(path, suffix)) return path.substr(0, path.size() - suffix.size());
    return path;
}

bool IsReservedProjectName(const std::string& path) {
    return JournalOwner(path) != path || path == kLockFileName || EndsWith(path, std::string("/") + kLockFileName);
}
