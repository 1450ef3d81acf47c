// Holds on open project files, as the original platform's sharing lock held
// them. While a connection has a file open it holds it shared; a copy that
// would replace the file takes it exclusively first and fails while any hold
// stands, in this process or in another. The holds are locks on an open file
// description, on a byte far past anything the database engine locks, so they
// never meet the engine's own record locks.
//
// Closing any descriptor of a file drops every record lock the process has
// on it, the engine's too. A file this process holds therefore keeps one
// descriptor for all its holders, closed only when the last hold ends, and
// the holder's descriptor is lent for reading it (HeldDescriptor).
#pragma once
#include <string>
#include <sys/types.h>

namespace fileshare {

struct FileKey {
    dev_t device = 0;
    ino_t inode = 0;
};

// A shared hold on the file at a path, for as long as the object lives.
class Hold {
public:
    Hold() = default;
    ~Hold() { Release(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

    // Holds the file at path, waiting up to waitMs while a copy replaces it.
    // False, with errno set, when the file cannot be opened, or EBUSY when it
    // is still being replaced at the end of the wait.
    bool Acquire(const std::string& path, int waitMs);
    void Release() noexcept;

private:
    bool m_held = false;
    FileKey m_key;
};

// An exclusive hold on the file at a path, taken by a copy before it
// replaces the file, and given up when the object goes.
class ReplaceLock {
public:
    ReplaceLock() = default;
    ~ReplaceLock();
    ReplaceLock(const ReplaceLock&) = delete;
    ReplaceLock& operator=(const ReplaceLock&) = delete;

    // False with errno EBUSY while anyone holds the file; true when it is
    // taken, and when there is no file at path to take.
    bool Take(const std::string& path);

private:
    int m_fd = -1;
};

// Calls read with a descriptor of the file at path, open for reading: the
// one its holders share when this process holds it, a new one otherwise.
// False with errno set when the file cannot be opened; otherwise read's result.
bool ReadFile(const std::string& path, bool (*read)(int fd, void* context), void* context);

}  // namespace fileshare
