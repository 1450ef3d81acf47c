// One prepared SQLite statement (internal to the database layer). A text
// holds exactly one statement: empty texts and texts with a second
// statement are refused.
#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ado/Variant.h"

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Advances to the next row: true on a row, false when done; raises ComError.
    bool Step();
    // Runs the statement to its end and returns the rows it changed.
    long Run();
    // Ends the statement's run and clears its values, ready for another.
    void Reset() noexcept;

    void Bind(int index, const Variant& value);  // index from 1
    void Bind(int index, int64_t value);
    // Binds values to the parameters from the first on; the count must match.
    void BindAll(const std::vector<Variant>& values);

    int ColumnCount() const;
    const char* ColumnName(int index) const;
    Variant Column(int index) const;
    int64_t ColumnInt64(int index) const;
    bool ReadOnly() const;
    // How often the engine has prepared the statement again after a schema change.
    int Reprepares() const;

    // Bounds every run of the statement from its first step on: it is
    // interrupted once it has run kRunSecondsLimit seconds, and no value it
    // makes may be longer than kRunValueBytesLimit bytes. Either failure
    // raises a ComError that names the limit.
    void LimitRuns() { m_limited = true; }

private:
    int LimitedStep();
    static int Progress(void* self);

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_limited = false;
    bool m_running = false;
    bool m_timedOut = false;
    std::chrono::steady_clock::time_point m_deadline;
};

// The bounds of a limited statement: far above what a condition over a
// project's tables needs, low enough that a runaway one ends.
constexpr int kRunSecondsLimit = 10;
constexpr int kRunValueBytesLimit = 64 * 1024 * 1024;

// Raises the engine's last error on db as a ComError.
[[noreturn]] void ThrowEngineError(sqlite3* db, int rc);

// Double-quotes an identifier for a statement this layer builds itself.
std::string QuoteIdentifier(const std::string& name);

}  // namespace ado
