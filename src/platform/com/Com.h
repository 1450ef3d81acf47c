// The component runtime as the library uses it: per-thread initialisation
// (counted, with nothing behind it on this platform) and GUIDs.
#pragma once
#include <cstdint>

// 32 bits wide, as components return it, so that a failure reads negative.
typedef int32_t HRESULT;
#define S_OK 0L
#define S_FALSE 1L
#define E_FAIL static_cast<HRESULT>(0x80004005u)

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

// Raises the calling thread's initialisation count; S_OK for the first call, S_FALSE after.
HRESULT CoInitialize(void* reserved);
// Lowers the calling thread's count (never below zero).
void CoUninitialize();
// The calling thread's current count, so callers can check that they stay balanced.
int CoInitializeCount();

// A new random (version 4) GUID from the system's random source.
HRESULT CoCreateGuid(GUID* guid);
// The registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case;
// returns the characters written including the terminator, 0 if the buffer is too small.
int StringFromGUID2(const GUID& guid, char* buffer, int size);
