// Statements of the store. Each is written as one line of text whose value
// slots are a quoted '%s' or a %d / %ld; SqlText turns the slots into
// parameters and binds the values to them in order, so the engine prepares
// each statement once per connection and no value can change which rows or
// columns it touches. The pattern itself, a literal, goes to the database
// layer, which makes its text once per connection: a call pays only for its
// values.
#pragma once
#include <cstdint>
#include <new>

#include "platform/ado/Command.h"
#include "platform/mfc/CString.h"

// The edition a table needs before its statements are built and its columns moved.
const int kEditionGate = 10;
// The two logs have no edition: their operations pass the gate with this one.
const int kLogEdition = kEditionGate;

namespace sqltext {
inline ado::Variant Arg(const CString& value) { return ado::Variant(value.str()); }
inline ado::Variant Arg(const char* value) { return ado::Variant(value); }
// Values beyond 32 bits match no stored position; as reals they still compare exactly.
inline ado::Variant Arg(long value) {
    return value >= INT32_MIN && value <= INT32_MAX ? ado::Variant(static_cast<int32_t>(value))
                                                    : ado::Variant(static_cast<double>(value));
}
inline ado::Variant Arg(int value) { return ado::Variant(static_cast<int32_t>(value)); }
// The pattern's text with "?" in place of each slot; the slots must number count.
std::string Parameters(const char* pattern, size_t count);
// A statement that memory was too short to build: its text cannot be made
// either, so running it runs out of memory again, where every statement's
// failure is answered.
ado::Command Unbuilt() noexcept;
}  // namespace sqltext

// Building a statement never throws (see sqltext::Unbuilt). pattern must
// have static storage: its address names the statement.
template <class... Args>
ado::Command SqlText(const char* pattern, const Args&... args) noexcept {
    try {
        return ado::Command{std::string(), {sqltext::Arg(args)...}, ado::Origin::Library, pattern,
                            &sqltext::Parameters};
    } catch (const std::bad_alloc&) {
        return sqltext::Unbuilt();
    }
}

// The statement when the edition passes the gate; otherwise the empty
// statement, which the connection manager refuses.
template <class... Args>
ado::Command GatedSql(int edition, const char* pattern, const Args&... args) noexcept {
    return edition >= kEditionGate ? SqlText(pattern, args...) : ado::Command();
}

// A statement completed with a condition that a host wrote as SQL text: the
// condition is SQL, not a value, so it takes the pattern's one %s as it
// stands, the host's quoting included. The database layer prepares the text
// only as one read-only statement over the project's own tables.
ado::Command ConditionSql(const char* pattern, const char* condition) noexcept;
