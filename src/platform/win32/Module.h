// Module handles and file names of loaded libraries.
#pragma once
#include "platform/win32/WinTypes.h"

// The handle of the loaded module that holds address (null if none does).
HMODULE ModuleOfAddress(const void* address);

// Writes the module's file name (null module: the running program's) into
// buffer, cut to size - 1 characters; returns its length, or 0 with the
// last error set when the module is unknown.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);
