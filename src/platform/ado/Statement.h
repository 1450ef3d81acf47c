// One prepared SQLite statement (internal to the database layer). A text
// holds exactly one statement: empty texts and texts with a second
// statement are refused. Given its connection's budget, its preparation and
// each of its runs count to a run of the budget of their own (RunBudget.h),
// with the bytes of the texts and blobs it hands back, and one stopped
// there raises the budget's refusal; without one, the work counts to the
// run its caller stands in. A host's own statement runs unbounded.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ado/ComError.h"
#include "platform/ado/RunBudget.h"
#include "platform/ado/ScanOrder.h"
#include "platform/ado/Variant.h"

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

class DeadlineWatch;
class StatementCache;
class StatementLease;

// The names of a statement's columns.
struct ColumnNames {
    std::vector<std::string> names;
};

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql, RunBudget* budget = nullptr, bool bounded = true);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Advances to the next row: true on a row, false when done; raises ComError.
    bool Step();
    // Runs the statement to its end and returns the rows it changed.
    long Run();
    // Ends the statement's run and clears its values, ready for another.
    void Reset() noexcept;
    // Sets the statement back to its start, its values kept.
    void Rewind() noexcept;
    // Finalizes the statement as its connection closes: from then on it
    // fails every run, so that the engine keeps nothing of the file open.
    void Finalize() noexcept;

    // Binds a value to the parameter at index, from 1. The engine copies a
    // text unless told it need not: then the text must stay as it is until
    // the statement is reset, which clears its values.
    void Bind(int index, const Variant& value, bool copy = true);
    void Bind(int index, int64_t value);
    // Binds values to the parameters from the first on; the count must match.
    void BindAll(const std::vector<Variant>& values, bool copy = true);

    int ColumnCount() const;
    const char* ColumnName(int index) const;
    // The names of all columns, read once for each preparation of the
    // statement: the engine prepares it again after a schema change.
    const std::shared_ptr<ado::ColumnNames>& ColumnNames();
    // A value handed back: its text's or blob's bytes count to the run.
    Variant Column(int index);
    // The value with a text's bytes as the engine holds them, valid until
    // the statement moves; the caller has made sure that it can run.
    VariantView ColumnView(int index);
    int64_t ColumnInt64(int index) const;
    bool ReadOnly() const;
    // How often the engine has prepared the statement again after a schema change.
    int Reprepares() const;

    // Bounds every run of the statement from its first step on: it is
    // stopped once it has run kRunSecondsLimit seconds (counted by the
    // budget's handler, which the statement must have), and no value it
    // makes may be longer than kRunValueBytesLimit bytes, or than the
    // database it reads when that is larger, so that it reads every stored
    // value whole. Either failure raises a ComError that names the limit.
    // The database is measured with statements lent by cache, the
    // connection's own.
    void LimitRuns(StatementCache& cache) { m_limitCache = &cache; }
    // For a limited statement that may count a table's rows, which the
    // engine does in one instruction the handler never sees: its runs are
    // also interrupted at the deadline, from a thread that lives while a
    // run does (DeadlineWatch.h).
    void InterruptAtDeadline();

    // Raises a ComError unless the statement can run in this process.
    void RequireRunnable() const;

    // Watches the rows of every run from now on to come in the order of
    // the scan that makes them, where that is known (ScanOrder.h): a row
    // that does not rise is one read again, and the run is stopped with the
    // budget's refusal, as one that passed the budget.
    void WatchOrder() { m_watchOrder = true; }

private:
    bool Inherited() const;
    void BeginRun();
    void EndRun() noexcept;
    int LimitedStep();
    int EngineStep();
    int64_t ValueBytesLimit(int64_t engineLimit, StatementLease& pageCount);
    [[noreturn]] void StopSpent();
    void FollowOrder();

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    uint64_t m_forks;  // the process's fork count when it was prepared
    RunBudget* m_budget;
    bool m_bounded;
    RunBudget::Run m_run;  // the current run's
    StatementCache* m_limitCache = nullptr;  // set when the runs are limited
    bool m_running = false;
    std::unique_ptr<DeadlineWatch> m_watch;  // set for a statement interrupted at its deadline
    // The value limit of the run, and the connection's count of changed rows
    // when it was measured: the database a run reads grows only by them.
    int64_t m_valueLimit = 0;
    int64_t m_changesMeasured = -1;
    std::shared_ptr<ado::ColumnNames> m_names;
    int m_namesReprepares = -1;  // the prepare count when m_names was read
    // The order of the rows, read for the prepare count m_orderReprepares.
    bool m_watchOrder = false;
    std::shared_ptr<const ScanOrder> m_order;
    int m_orderReprepares = -1;
    OrderWatch m_orderWatch;
    friend class StatementCache;
    size_t m_lentAt = 0;  // where the cache that lent it lists it
};

// The bounds of a limited statement: far above what a condition over a
// project's tables needs, low enough that a runaway one ends. The value
// limit grows to the size of a larger database, as no value stored in a
// database is longer than the database.
constexpr int kRunSecondsLimit = 10;
constexpr int kRunValueBytesLimit = 64 * 1024 * 1024;

// Raised for a statement text that holds a second statement after its first.
class SecondStatementError : public ComError {
public:
    SecondStatementError() : ComError(kError, "A statement text may hold only one statement.") {}
};

// Raises the engine's last error on db as a ComError.
[[noreturn]] void ThrowEngineError(sqlite3* db, int rc);

// Double-quotes an identifier for a statement this layer builds itself.
std::string QuoteIdentifier(const std::string& name);

}  // namespace ado
