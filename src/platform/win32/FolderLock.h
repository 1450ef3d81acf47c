// A lock on a folder against the other copies and removals in it, across
// processes, for the steps that must see what is at a path and change it at
// once: a copy placing its file, a removal, and the clearing of scratch
// files that killed copies left.
//
// The lock is a lock file of the library's own in the folder (kLockFileName),
// locked with flock: every user who may write the folder can make and lock
// it, whether or not that user may list the folder, so all of them take
// turns. It is there only while it is locked, unless its holder was killed;
// the next holder takes it as it finds it and removes it. It is an empty
// file, and no copy or removal ever takes it for a project or a scratch file.
// Only a regular file of one name that no hold of this process has is
// opened as the lock file: closing a descriptor of a file this process holds
// would drop the engine's locks on it.
#pragma once
#include <cerrno>
#include <string>

namespace fileshare {
// errno of a folder lock refused because something the library did not make
// is at the lock file's name: a link (symbolic or hard), a folder, a named
// pipe, a socket, a device, or a file that a hold of this process has.
const int kLockNameTaken = EISNAM;
}  // namespace fileshare

// The folder a path lies in: "." for a bare name.
std::string FolderOf(const std::string& path);

// Makes what was made, renamed or removed in the folder of path durable.
void SyncFolder(const std::string& path);

// The name of a folder's lock file.
extern const char kLockFileName[];

class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Locks the folder of path, waiting up to the busy timeout while another
    // has it locked. False with errno set when the lock file cannot be made
    // or opened (EACCES, ENOENT, ...), kLockNameTaken when its name is taken
    // by anything else, when it cannot be locked, or EBUSY when it stays
    // locked: a copy or removal never goes without the lock.
    // The lock is taken off before the lock file is closed, and a child
    // forked meanwhile keeps none.
    bool Lock(const std::string& path);

private:
    int m_fd = -1;
    std::string m_file;
};
