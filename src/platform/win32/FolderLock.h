// A lock on a folder against the other copies and removals in it, across
// processes, for the steps that must see what is at a path and change it at
// once: a copy placing a file where nothing is, a removal, and the clearing
// of scratch files that killed copies left.
#pragma once
#include <string>

// The folder a path lies in: "." for a bare name.
std::string FolderOf(const std::string& path);

class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Locks the folder of path, waiting up to the busy timeout while another
    // has it locked. False with errno set when the folder cannot be opened,
    // or EBUSY when it stays locked; a file system that cannot lock a
    // folder, and a folder this user may not read, go without. The lock is taken off before the folder is
    // closed, so a child forked meanwhile keeps none.
    bool Lock(const std::string& path);

private:
    int m_fd = -1;
};
