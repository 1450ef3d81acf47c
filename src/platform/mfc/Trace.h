// The debug trace output (MFC's TRACE). Lines go to a replaceable sink.
// The default sink is a host hook, RuriDAriRAZudidarUriTrace, when the host
// program defines one; otherwise a debug build writes to stderr and a
// release build writes nothing.
#pragma once
#include "platform/mfc/AfxExt.h"

typedef void (*TraceSink)(const char* text);

// Installs a sink (null restores the default) and returns the previous one.
AFX_EXT_API TraceSink SetTraceSink(TraceSink sink);

void AfxTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

#define TRACE AfxTrace
