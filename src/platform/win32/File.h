// File copy. A copy that lands on a database file also removes
// that file's leftover journal files (-journal, -wal, -shm), so that the
// database engine can never replay them into the new file.
#pragma once
#include "platform/win32/WinTypes.h"

// Copies existing to newFile. With failIfExists the copy fails (last error
// 80) when newFile is there; otherwise it replaces newFile atomically.
// Returns TRUE, or FALSE with the last error set; a failed copy leaves the
// destination as it was.
BOOL CopyFileA(const char* existing, const char* newFile, BOOL failIfExists);
