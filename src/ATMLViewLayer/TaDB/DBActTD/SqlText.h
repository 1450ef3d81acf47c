// Statement texts of the store. Every value goes in through SqlText, which
// puts texts through SqlValue (quotes doubled) and numbers in decimal, in the
// order of the pattern's "%s", "%d" and "%ld".
#pragma once
#include <string>

#include "ATMLCommonError/SqlValue.h"

// The edition a table needs before its statements are built and its columns moved.
const int kEditionGate = 10;

namespace sqltext {
inline std::string Arg(const CString& value) { return SqlValue(value).str(); }
inline std::string Arg(const char* value) { return SqlValue(value).str(); }
inline std::string Arg(long value) { return std::to_string(value); }
inline std::string Arg(int value) { return std::to_string(value); }
CString Fill(const char* pattern, const std::string* values, size_t count);
}  // namespace sqltext

template <class... Args>
CString SqlText(const char* pattern, const Args&... args) {
    const std::string values[] = {sqltext::Arg(args)..., std::string()};
    return sqltext::Fill(pattern, values, sizeof...(Args));
}

// The statement when the edition passes the gate; otherwise the empty text,
// which the connection manager refuses.
template <class... Args>
CString GatedSql(int edition, const char* pattern, const Args&... args) {
    return edition >= kEditionGate ? SqlText(pattern, args...) : CString();
}
