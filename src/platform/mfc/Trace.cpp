#include "platform/mfc/AfxTrace.h"

#include <cstdarg>
#include <cstdio>

#include "platform/mfc/CString.h"

extern "C" void RuriDAriRAZudidarUriTrace(const char* text) __attribute__((weak));

namespace {
TraceSink g_sink = nullptr;

void DefaultSink(const char* text) {
    if (RuriDAriRAZudidarUriTrace) {
        RuriDAriRAZudidarUriTrace(text);
        return;
    }
#ifndef NDEBUG
    std::fputs(text, stderr);
#else
    (void)text;
#endif
}
}  // namespace

TraceSink SetTraceSink(TraceSink sink) {
    TraceSink previous = g_sink;
    g_sink = sink;
    return previous;
}

void AfxTrace(const char* format, ...) {
    CString text;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    (g_sink ? g_sink : DefaultSink)(text);
}
