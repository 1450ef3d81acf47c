// The Windows type names, and the truth values the library's own sources
// write BOOL results with (hosts compare a BOOL with 0).
#pragma once
#include "platform/win32/WinTypeNames.h"

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
