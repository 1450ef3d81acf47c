// The debug trace output (MFC's TRACE): formats a line and hands it to the
// trace sink of Trace.h.
#pragma once
#include "platform/mfc/Trace.h"

void AfxTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

#define TRACE AfxTrace
