// Module handles and file names of loaded libraries, and libraries loaded
// at run time.
#pragma once
#include "platform/win32/WinTypes.h"

// The handle of the loaded module that holds address (null if none does).
HMODULE ModuleOfAddress(const void* address);

// Writes the module's file name (null module: the running program's) into
// buffer, cut to size - 1 characters; returns its length, or 0 with the
// last error set when the module is unknown.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

// The entry points a loaded library hands out; cast to their own type.
typedef void (*FARPROC)();

// Loads a shared library with every symbol bound now. The handle is for
// GetProcAddress and FreeLibrary only. Null with the last error set: 126
// when the file is not there, 193 when it is no library that loads here.
HMODULE LoadLibraryA(const char* path);
// The exported function of that name; null with last error 127.
FARPROC GetProcAddress(HMODULE library, const char* name);
// Unloads what LoadLibraryA loaded; FALSE with last error 6 when it cannot.
BOOL FreeLibrary(HMODULE library);
