// File copy, deletion, folders and attributes.
//
// A copy writes a scratch file beside its destination, makes it durable and
// only then puts it in place: where nothing is, only if still nothing is
// there at that instant; in place of a file, only of a regular, writable file
// that it holds exclusively (no connection has it open, in this process or
// another), after folding the file's log into it whole. The replaced file's
// leftover journal files (-journal, -wal, -shm) go with it, so the database
// engine can never replay them into the new file. A named pipe, socket,
// device or read-only file is never replaced, and a file in use is never
// removed.
#pragma once
#include <functional>
#include <string>

#include "platform/win32/WinTypes.h"

// Copies existing to newFile. With failIfExists the copy fails (last error
// 80) when newFile is there; otherwise it replaces newFile atomically (last
// error 32 while the file is in use, 5 when it is no regular file or has no
// write permission). Returns TRUE, or FALSE with the last error set; a failed
// copy leaves the destination as it was.
BOOL CopyFileA(const char* existing, const char* newFile, BOOL failIfExists);

// Writes the content of a new file: fill gets the scratch file's descriptor
// and name, and returns false with errno set when it cannot.
using FileFiller = std::function<bool(int fd, const std::string& name)>;
// Puts the file that fill writes, with the permission bits mode, at newFile
// under the rules of CopyFileA.
BOOL PlaceFileA(const char* newFile, BOOL failIfExists, unsigned mode, const FileFiller& fill);

// Deletes a file; a folder is never removed (last error 5), nor a file that
// a connection holds (32). FALSE with the last error set when it cannot.
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
