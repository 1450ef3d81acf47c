// The few Windows type names the library's interfaces are written in.
#pragma once
#include <cstdint>

typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef unsigned int UINT;
typedef intptr_t LPARAM;
typedef int BOOL;
typedef void* HMODULE;
typedef HMODULE HINSTANCE;
typedef const char* LPCSTR;
typedef const char* LPCTSTR;
typedef double DATE;
