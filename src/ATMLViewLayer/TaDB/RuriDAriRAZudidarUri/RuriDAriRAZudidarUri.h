// Loading and unloading of the library. The loader calls DllMain through
// the library's constructor and destructor; g_hInstance keeps the library's
// own module handle, from which the library finds its folder.
#pragma once
#include "platform/win32/WinTypes.h"

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

extern HINSTANCE g_hInstance;

// Writes the load or unload trace line; thread attach and detach do nothing. 1 always.
extern "C" int DllMain(HINSTANCE instance, DWORD reason, void* reserved);
