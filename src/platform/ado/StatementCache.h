// The prepared statements of one connection, kept for reuse (internal to the
// database layer). A statement is lent to one user at a time: while it is
// out, a second user of the same text gets a statement of its own. Given
// back, it is reset (its read ends, its values are cleared) and kept among
// the idle ones, the least recently used of which goes when the cache is
// full. The cache knows every statement it has lent: clearing it (the
// connection closes) finalizes the idle ones and those still out, which
// become inert, so that nothing of the connection keeps the engine's file
// open once it closes.
#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "platform/ado/Statement.h"

struct sqlite3;

namespace ado {

class StatementCache;

// A statement lent by the cache; it goes back when the lease ends.
class StatementLease {
public:
    StatementLease() = default;
    StatementLease(StatementCache* cache, std::string key, std::unique_ptr<Statement> statement, uint64_t generation,
                   bool keep)
        : m_cache(cache),
          m_key(std::move(key)),
          m_statement(std::move(statement)),
          m_generation(generation),
          m_keep(keep) {}
    StatementLease(StatementLease&& other) noexcept = default;
    StatementLease& operator=(StatementLease&& other) noexcept;
    ~StatementLease() { reset(); }

    Statement* operator->() const { return m_statement.get(); }
    Statement& operator*() const { return *m_statement; }
    explicit operator bool() const { return m_statement != nullptr; }
    void reset() noexcept;

private:
    StatementCache* m_cache = nullptr;
    std::string m_key;
    std::unique_ptr<Statement> m_statement;
    uint64_t m_generation = 0;
    bool m_keep = false;
};

class StatementCache {
public:
    explicit StatementCache(size_t limit) : m_limit(limit) {}
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // Lends the statement for sql on db, preparing it when no idle one is
    // kept. Without keep the statement is prepared afresh and finalized when
    // it comes back.
    StatementLease Lend(sqlite3* db, const std::string& sql, bool keep = true);
    void Clear() noexcept;
    size_t IdleCount() const { return m_idle.size(); }

private:
    friend class StatementLease;
    StatementLease LendOut(std::string key, std::unique_ptr<Statement> statement, bool keep);
    void GiveBack(std::string key, std::unique_ptr<Statement> statement, uint64_t generation, bool keep) noexcept;

    using Idle = std::list<std::pair<std::string, std::unique_ptr<Statement>>>;
    size_t m_limit;
    uint64_t m_generation = 0;
    Idle m_idle;  // most recently used first
    std::unordered_map<std::string, Idle::iterator> m_byText;
    std::unordered_set<Statement*> m_lent;
};

}  // namespace ado
