// How an operation of the library answers what its steps throw: nothing
// thrown leaves the library. Running out of memory (the engine's included)
// is answered with its own text, the database layer's error with its
// description, anything else with the unknown error's. Writing the answer
// never throws: where memory is too short for it, the error state keeps
// code -1 and whatever of the answer fits in the room it already has.
#pragma once
#include <new>
#include <type_traits>
#include <utility>

#include "ATMLCommonError/ATMLError.h"
#include "platform/ado/ComError.h"

// Memory ran out during the operation; it did not finish.
const char kMsgOutOfMemory[] = "内存不足，操作未完成！";
// An error raised by the database layer that is not of its own kind.
const char kMsgUnknown[] = "未知错误！";

// What the steps of an operation threw.
struct Thrown {
    const char* message;          // the text the failure is answered with
    const ado::ComError* error;   // the database layer's error; null for anything else
};

// Runs body, the steps of one operation, and gives its result. Whatever it
// throws ends here: answer(thrown), which may not throw, gives the result
// instead. The engine's running out of memory is answered as running out
// of memory, not as the database layer's error.
template <class Body, class Answer>
auto RunAnswering(Body&& body, Answer&& answer) noexcept -> decltype(body()) {
    static_assert(noexcept(answer(std::declval<const Thrown&>())), "an answer may not throw");
    try {
        return body();
    } catch (const ado::ComError& error) {
        if (error.OutOfMemory()) return answer(Thrown{kMsgOutOfMemory, nullptr});
        return answer(Thrown{error.Description().c_str(), &error});
    } catch (const std::bad_alloc&) {
        return answer(Thrown{kMsgOutOfMemory, nullptr});
    } catch (...) {
        return answer(Thrown{kMsgUnknown, nullptr});
    }
}

// Makes room in state for the out-of-memory answer, so that it can be
// written whole once no memory is left. Throws std::bad_alloc.
void MakeRoomForAnswer(CATMLError& state);

// RunAnswering for an operation that answers in state: the room for the
// out-of-memory answer is made first, where what it throws is answered too.
template <class Body, class Answer>
auto RunAnswering(CATMLError& state, Body&& body, Answer&& answer) noexcept -> decltype(body()) {
    return RunAnswering(
        [&] {
            MakeRoomForAnswer(state);
            return body();
        },
        std::forward<Answer>(answer));
}

// The empty text: what a getter or a static helper whose only answer is its
// text gives when memory is too short for it.
inline CString EmptyText(const Thrown&) noexcept { return CString(); }

// Runs the steps of one of the common helpers (CATMLCommonFun), which record
// a failure as code and message: what they throw fails it with -1, code and
// the answer's message.
template <class Body>
int HelperAnswer(CATMLError& helper, long code, Body&& body) noexcept;

// A failure detected at position, written into state: code -1, message
// and a trace that starts at position. False where memory was too short
// for it: state then holds the out-of-memory answer instead.
bool RecordFailureNoThrow(CATMLError& state, const char* message, const char* position) noexcept;
// The trace line for position, as CATMLError::SetErrorTrace writes it: with
// a source, its code and message taken over and its trace after the line.
void WriteTraceNoThrow(CATMLError& state, const char* position, const CATMLError* source) noexcept;
// Code and message only, as the common helpers record a failure.
void RecordCodeNoThrow(CATMLError& state, long code, const char* message) noexcept;
// Puts text into target, or empties target where memory is too short for it.
void AssignNoThrow(CString& target, const char* text) noexcept;
// The text of an error code, as CATMLError::GetErrorCodeText gives it.
const char* ErrorCodeTextOf(long code) noexcept;
template <class Body>
int HelperAnswer(CATMLError& helper, long code, Body&& body) noexcept {
    return RunAnswering(std::forward<Body>(body), [&](const Thrown& thrown) noexcept {
        RecordCodeNoThrow(helper, code, thrown.message);
        return -1;
    });
}
