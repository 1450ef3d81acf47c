// The calling thread's last system error, numbered as the library's
// messages expect (2 a missing file, 3 a missing folder, 5 access denied,
// 80 a file that exists, ...), and the system's text for a number.
#pragma once
#include <new>
#include <string>

#include "platform/win32/WinTypes.h"

#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_WRITE_PROTECT 19
#define ERROR_GEN_FAILURE 31
#define ERROR_SHARING_VIOLATION 32
#define ERROR_NOT_SUPPORTED 50
#define ERROR_FILE_EXISTS 80
#define ERROR_INVALID_PARAMETER 87
#define ERROR_DISK_FULL 112
#define ERROR_INVALID_NAME 123
#define ERROR_MOD_NOT_FOUND 126
#define ERROR_PROC_NOT_FOUND 127
#define ERROR_ALREADY_EXISTS 183
#define ERROR_BAD_EXE_FORMAT 193
#define ERROR_FILENAME_EXCED_RANGE 206
#define ERROR_IO_DEVICE 1117
// Errors of this platform that the system has no number for, numbered as an
// application numbers its own (bit 29 set).
#define ERROR_PROJECT_HAS_SECOND_NAME 0x20000001
#define ERROR_PROJECT_OPEN_IN_PARENT 0x20000002
#define ERROR_FORKED_BESIDE_THREADS 0x20000003
#define ERROR_LOG_NAME_NOT_A_FILE 0x20000004
#define ERROR_LOG_NAME_IS_A_DATABASE 0x20000005
#define ERROR_LOG_NAME_HELD 0x20000006
#define ERROR_RESERVED_PROJECT_NAME 0x20000007
#define ERROR_FOLDER_LOCK_NAME_TAKEN 0x20000008
#define ERROR_SCRATCH_NAMES_TAKEN 0x20000009

DWORD GetLastError();
void SetLastError(DWORD code);

// Sets the last error from a C library errno; path (may be null) is the
// file the call was about, used to tell a missing file from a missing folder.
void SetLastErrorFromErrno(int err, const char* path);
// The same, for a call that then fails: FALSE.
inline BOOL FailFromErrno(int err, const char* path) {
    SetLastErrorFromErrno(err, path);
    return FALSE;
}

// Runs call, a file call of this layer that reports by its result and the
// last error: what it throws (it allocates, so it may run out of memory) is
// reported as the system reports a failure, never passed on.
template <class Call>
BOOL WithoutThrowing(Call&& call) noexcept {
    try {
        return call();
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } catch (...) {
        SetLastError(ERROR_GEN_FAILURE);
    }
    return FALSE;
}

// The system's text for an error number, ending in "\r\n"; null when the
// system has none.
const char* SystemErrorText(DWORD code);
// The system's text for an error number as the library's messages give it:
// "操作系统错误信息：(number)，" and the text, or the number alone where the
// system has no text for it.
std::string SystemErrorLine(DWORD code);
