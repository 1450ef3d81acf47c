// Holds on open project files, as the original platform's sharing lock held
// them. While a connection has a file open it holds it shared; a copy that
// replaces a file, or a removal, holds it exclusively first and fails while
// any other hold stands, in this process or in another. The holds are locks
// on an open file description, on a byte far past anything the database
// engine locks, so they never meet the engine's own record locks.
//
// Closing any descriptor of a file drops every record lock the process has
// on it, the engine's too. A file this process holds therefore keeps all the
// descriptors its holders opened, closed together when the last hold ends.
// The process's table of held files is locked only around the table itself,
// never across a call that can block. A child forked without exec keeps none
// of its parent's holds: its copy of the table is emptied at the fork.
#pragma once
#include <cerrno>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace fileshare {

struct FileKey {
    dev_t device = 0;
    ino_t inode = 0;
};

// errno of a hold refused because the path names a named pipe, a socket, a
// device or a folder: no project file.
const int kNotRegularFile = ENODEV;

class Hold {
public:
    Hold() = default;
    ~Hold() { Release(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

    // Holds the regular file at path shared, waiting up to waitMs while a
    // copy replaces it. False with errno set: the open's error,
    // kNotRegularFile, or EBUSY when it is still being replaced at the end.
    bool Share(const std::string& path, int waitMs);
    // Holds the regular file at path exclusively, to replace or remove it.
    // False with errno set: ENOENT when nothing is there, EBUSY while anyone
    // else holds it, kNotRegularFile, or EACCES when writable is asked and
    // the file has no write permission bit.
    bool Take(const std::string& path, bool writable);
    // Holds exclusively the file just made and open at fd; the hold owns fd.
    bool Adopt(int fd);
    // A descriptor of the held file, open for reading; -1 when none is held.
    int Descriptor() const;
    void Release() noexcept;

private:
    // Under the table's lock: enters the file as held by this hold alone, or notes that it joined.
    void Register(const FileKey& key, int fd, bool exclusive);
    void Joined(const FileKey& key);

    bool m_held = false;
    FileKey m_key;
    uint64_t m_generation = 0;
};

}  // namespace fileshare
