// File copy, deletion, folders and attributes. A copy that lands on a database file also removes
// that file's leftover journal files (-journal, -wal, -shm), so that the
// database engine can never replay them into the new file.
#pragma once
#include "platform/win32/WinTypes.h"

// Copies existing to newFile. With failIfExists the copy fails (last error
// 80) when newFile is there; otherwise it replaces newFile atomically.
// Returns TRUE, or FALSE with the last error set; a failed copy leaves the
// destination as it was.
BOOL CopyFileA(const char* existing, const char* newFile, BOOL failIfExists);

// Deletes a file; a folder is never removed (last error 5). FALSE with the
// last error set when it cannot.
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
