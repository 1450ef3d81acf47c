// File copy, deletion, folders and attributes.
//
// A copy writes a scratch file beside its destination, makes it durable and
// only then puts it in place: where nothing is, only if still nothing is
// there at that instant; in place of a file, only of a regular, writable file
// with one name that it holds exclusively (no connection has it open, in this
// process or another), after folding the file's log into it whole. Journal
// files (-journal, -wal, -shm) of a replaced or removed file, or left where
// nothing is, go before the new file comes, so the database engine can never
// replay them into it; so do the scratch files of copies killed part-way.
// Anything else at a journal name (LogNamesClear) stops the copy or removal.
// A named pipe, socket, device or read-only file is never replaced, and a
// file in use is never removed.
#pragma once
#include <functional>
#include <string>

#include "platform/win32/WinTypes.h"

namespace fileshare {
class Hold;
}

// Copies existing to newFile. With failIfExists the copy fails (last error
// 80) when newFile is there; otherwise it replaces newFile atomically (last
// error 32 while the file is in use, 5 when it is no regular file or has no
// write permission, ERROR_PROJECT_HAS_SECOND_NAME when it has another name,
// ERROR_PROJECT_OPEN_IN_PARENT in a forked child when the parent had it
// open; ERROR_RESERVED_PROJECT_NAME for a name a project may not have, the
// ERROR_LOG_NAME_ errors for what is at newFile's journal names,
// ERROR_FOLDER_LOCK_NAME_TAKEN and ERROR_SCRATCH_NAMES_TAKEN for what is at
// the folder lock's and the scratch files' names). The copy has the
// permission bits of the file it replaces, or where nothing was those any
// new file gets (0666 less the umask), never the source's. Returns TRUE, or
// FALSE with the last error set; a failed copy leaves the destination as it
// was. With placed, the new file stays held from the moment it is placed,
// shared, by the hold given back there: a connection of this process joins
// it, and no copy can replace the file in between.
BOOL CopyFileA(const char* existing, const char* newFile, BOOL failIfExists, fileshare::Hold* placed = nullptr);

// Writes the content of a new file: fill gets the scratch file's descriptor
// and name, and returns false with errno set when it cannot.
using FileFiller = std::function<bool(int fd, const std::string& name)>;
// Puts the file that fill writes at newFile under the rules of CopyFileA.
// Where nothing was, it has the permission bits any new file gets (0666 less
// the umask); in place of a file, that file's bits.
BOOL PlaceFileA(const char* newFile, BOOL failIfExists, const FileFiller& fill, fileshare::Hold* placed = nullptr);

// Deletes a file, and a database's journal files with it; a folder is never
// removed (last error 5), nor a file that a connection holds (32), nor one
// this user may not write (5: it cannot be held), nor a database whose
// journal names hold anything but its journal files. FALSE with the last
// error set when it cannot.
BOOL DeleteFileA(const char* path);

#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_NORMAL 0x80
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu

// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_NORMAL for anything
// else that is there, INVALID_FILE_ATTRIBUTES with the last error set when
// nothing is.
DWORD GetFileAttributesA(const char* path);
// Creates one folder (security is ignored). FALSE with the last error set
// when it cannot; 183 when something of that name is there already.
BOOL CreateDirectoryA(const char* path, void* security);
