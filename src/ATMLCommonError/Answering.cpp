#include "ATMLCommonError/Answering.h"

#include <cstdio>
#include <cstring>

namespace {
const char kTraceFormat[] = "-> 错误位置：%s，（代码：%ld，%s；信息：“%s”）。%s";
// Room for the out-of-memory answer's trace line at any position the library names.
const size_t kAnswerTraceRoom = 320;

// Puts text into target where it fits the room target already has, which
// takes no allocation; false, target as it was, where it does not.
bool PutWithin(CString& target, const char* text) noexcept {
    if (target.str().capacity() < std::strlen(text)) return false;
    try {
        target = text;
        return true;
    } catch (...) {
        return false;
    }
}

// The out-of-memory answer at position, written into the room state already has.
void AnswerOutOfMemoryInPlace(CATMLError& state, const char* position) noexcept {
    state.m_nErrorCode = -1;
    if (!PutWithin(state.m_strErrorInfo, kMsgOutOfMemory)) state.m_strErrorInfo.Empty();
    char line[kAnswerTraceRoom];
    const int size =
        std::snprintf(line, sizeof line, kTraceFormat, position, -1L, ErrorCodeTextOf(-1), kMsgOutOfMemory, "");
    if (size < 0 || static_cast<size_t>(size) >= sizeof line || !PutWithin(state.m_strErrorTrace, line))
        state.m_strErrorTrace.Empty();
}

// The trace line for position, after the code and message of source (or
// of state itself) and before source's trace; false, the out-of-memory
// answer written instead, where memory is too short for it.
bool WriteTrace(CATMLError& state, const char* position, const CATMLError* source) noexcept {
    try {
        const long code = source ? source->m_nErrorCode : state.m_nErrorCode;
        const CString& info = source ? source->m_strErrorInfo : state.m_strErrorInfo;
        CString trace;
        trace.Format(kTraceFormat, position, code, ErrorCodeTextOf(code), info.GetString(),
                     source ? source->m_strErrorTrace.GetString() : "");
        if (source && source != &state) state.m_strErrorInfo = source->m_strErrorInfo;
        // A copy, not a move: the room the trace has stays for a later answer.
        state.m_strErrorTrace = trace;
        state.m_nErrorCode = code;
        return true;
    } catch (...) {
        AnswerOutOfMemoryInPlace(state, position);
        return false;
    }
}

// Gives target room for size bytes, its text kept.
void Grow(CString& target, size_t size) {
    if (target.str().capacity() >= size) return;
    CString room(' ', static_cast<int>(size));
    room = target;  // a copy keeps the room it is copied into
    target = std::move(room);
}
}  // namespace

bool RecordFailureNoThrow(CATMLError& state, const char* message, const char* position) noexcept {
    state.m_nErrorCode = -1;
    try {
        state.m_strErrorInfo = message;
    } catch (...) {
        AnswerOutOfMemoryInPlace(state, position);
        return false;
    }
    return WriteTrace(state, position, nullptr);
}

void WriteTraceNoThrow(CATMLError& state, const char* position, const CATMLError* source) noexcept {
    WriteTrace(state, position, source);
}

void RecordCodeNoThrow(CATMLError& state, long code, const char* message) noexcept {
    state.m_nErrorCode = code;
    try {
        state.m_strErrorInfo = message;
    } catch (...) {
        if (!PutWithin(state.m_strErrorInfo, kMsgOutOfMemory)) state.m_strErrorInfo.Empty();
    }
}

void AssignNoThrow(CString& target, const char* text) noexcept {
    try {
        target = text;
    } catch (...) {
        target.Empty();
    }
}

void MakeRoomForAnswer(CATMLError& state) {
    Grow(state.m_strErrorInfo, sizeof kMsgOutOfMemory);
    Grow(state.m_strErrorTrace, kAnswerTraceRoom);
}
