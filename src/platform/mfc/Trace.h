// The library's trace output: the line it writes when it is loaded and the
// one when it is unloaded. Lines go to a replaceable sink. The default sink
// is the host's hook when the host program defines one,
//     extern "C" void RuriDAriRAZudidarUriTrace(const char* text);
// (a program that opens the library with dlopen exports it: -rdynamic);
// otherwise a debug build writes to stderr and a release build writes
// nothing. Only the hook sees the load line: it comes before a host can set
// a sink.
#pragma once
#include "platform/mfc/AfxExt.h"

typedef void (*TraceSink)(const char* text);

// Installs a sink (null restores the default) and returns the previous one.
AFX_EXT_API TraceSink SetTraceSink(TraceSink sink);

#include "platform/mfc/AfxExtEnd.h"
