// The prepared statements of one connection, kept for reuse (internal to the
// database layer). A statement is lent to one user at a time: while it is
// out, a second user of the same text gets a statement of its own. Given
// back, it is reset (its read ends, its values are cleared) and kept among
// the idle ones, the least recently used of which goes when the cache is
// full. The cache knows every statement it has lent: clearing it (the
// connection closes) finalizes the idle ones and those still out, which
// become inert, so that nothing of the connection keeps the engine's file
// open once it closes.
//
// A host's statement texts are kept apart from the library's, in a smaller
// set of their own, so that one-off texts never push the library's
// statements out. The library's own statements, written as patterns of
// static storage, are kept apart too: each pattern and use has a slot,
// found by the pattern's address, that holds the statement's text, made
// once, what its users derived from that text, and one idle statement.
// Patterns are as many as the library has, so their slots need no limit.
#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/ado/Statement.h"

struct sqlite3;

namespace ado {

class StatementCache;

// Idle statements kept by their text, most recently used first; the least
// recently used goes when the set is full.
class IdleTexts {
public:
    explicit IdleTexts(size_t limit) : m_limit(limit) {}
    // The idle statement for sql, taken out of the set, or null.
    std::unique_ptr<Statement> Take(const std::string& sql);
    // Keeps statement for key, unless a twin is kept already.
    void Keep(std::string key, std::unique_ptr<Statement> statement);
    void Clear() noexcept;
    size_t Count() const { return m_idle.size(); }

private:
    using Idle = std::list<std::pair<std::string, std::unique_ptr<Statement>>>;
    size_t m_limit;
    Idle m_idle;
    std::unordered_map<std::string, Idle::iterator> m_byText;
};

// Which set keeps a statement lent by its text once it comes back.
enum class KeptAmong { None, Library, Host };

// What a statement made from a pattern is for: the pattern run as it is, or
// as a query, and the statements that write through that query's rows.
enum class PatternUse { Run, Query, Insert, Update, Delete };

struct PatternSlot {
    std::string text;  // empty until its first use makes it
    // A query's table when its rows can be written through, else empty.
    std::string table;
    // The columns that an insert or update writes, in the order of the
    // query's column names, read from the form of the query its text was made for.
    std::vector<char> columns;
    std::shared_ptr<ColumnNames> names;
    std::unique_ptr<Statement> idle;
};

// A statement lent by the cache; it goes back when the lease ends.
class StatementLease {
public:
    StatementLease() = default;
    StatementLease(StatementCache* cache, std::string key, PatternSlot* slot, IdleTexts* keptIn,
                   std::unique_ptr<Statement> statement, uint64_t generation)
        : m_cache(cache),
          m_key(std::move(key)),
          m_slot(slot),
          m_keptIn(keptIn),
          m_statement(std::move(statement)),
          m_generation(generation) {}
    StatementLease(StatementLease&& other) noexcept = default;
    StatementLease& operator=(StatementLease&& other) noexcept;
    ~StatementLease() { reset(); }

    Statement* operator->() const { return m_statement.get(); }
    Statement& operator*() const { return *m_statement; }
    explicit operator bool() const { return m_statement != nullptr; }
    void reset() noexcept;

private:
    friend class StatementCache;
    StatementCache* m_cache = nullptr;
    std::string m_key;
    PatternSlot* m_slot = nullptr;
    IdleTexts* m_keptIn = nullptr;  // for a statement lent by its text; null: finalized
    std::unique_ptr<Statement> m_statement;
    uint64_t m_generation = 0;
};

class StatementCache {
public:
    // The statements it prepares count their work to budget, when given (RunBudget.h).
    StatementCache(size_t limit, size_t hostLimit, RunBudget* budget = nullptr)
        : m_library(limit), m_host(hostLimit), m_budget(budget) {}
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // Lends the statement for sql on db, preparing it when no idle one is
    // kept among those of its kind. One kept among none is prepared afresh
    // and finalized when it comes back. A host's statement has no budget.
    StatementLease Lend(sqlite3* db, const std::string& sql, KeptAmong kind = KeptAmong::Library);
    // The slot of pattern for use; its text is empty until the caller makes it.
    PatternSlot& Slot(const char* pattern, PatternUse use);
    // Lends the slot's idle statement, or one prepared from its text.
    StatementLease Lend(sqlite3* db, PatternSlot& slot);
    void Clear() noexcept;
    size_t IdleCount() const { return m_library.Count(); }
    size_t HostIdleCount() const { return m_host.Count(); }
    size_t SlotCount() const { return m_slots.size(); }

private:
    friend class StatementLease;
    struct SlotHash {
        size_t operator()(const std::pair<const char*, PatternUse>& key) const {
            return std::hash<const char*>()(key.first) * 5 + static_cast<size_t>(key.second);
        }
    };
    StatementLease LendOut(std::string key, PatternSlot* slot, IdleTexts* keptIn,
                           std::unique_ptr<Statement> statement);
    void GiveBack(StatementLease& lease) noexcept;

    uint64_t m_generation = 0;
    IdleTexts m_library;
    IdleTexts m_host;
    RunBudget* m_budget;
    std::unordered_map<std::pair<const char*, PatternUse>, PatternSlot, SlotHash> m_slots;
    // Every statement out, each knowing its place here.
    std::vector<Statement*> m_lent;
};

}  // namespace ado
