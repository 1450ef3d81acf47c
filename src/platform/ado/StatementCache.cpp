#include "platform/ado/StatementCache.h"

namespace ado {

StatementLease& StatementLease::operator=(StatementLease&& other) noexcept {
    if (this != &other) {
        reset();
        m_cache = other.m_cache;
        m_key = std::move(other.m_key);
        m_statement = std::move(other.m_statement);
        m_generation = other.m_generation;
    }
    return *this;
}

void StatementLease::reset() noexcept {
    if (m_statement && m_cache) m_cache->GiveBack(std::move(m_key), std::move(m_statement), m_generation);
    m_statement.reset();
    m_cache = nullptr;
}

StatementLease StatementCache::Lend(sqlite3* db, const std::string& sql, bool keep) {
    if (!keep) return StatementLease(nullptr, std::string(), std::make_unique<Statement>(db, sql), m_generation);
    auto found = m_byText.find(sql);
    if (found == m_byText.end()) return StatementLease(this, sql, std::make_unique<Statement>(db, sql), m_generation);
    std::unique_ptr<Statement> statement = std::move(found->second->second);
    m_idle.erase(found->second);
    m_byText.erase(found);
    return StatementLease(this, sql, std::move(statement), m_generation);
}

void StatementCache::GiveBack(std::string key, std::unique_ptr<Statement> statement, uint64_t generation) noexcept {
    // A statement of a connection closed since it was lent is not kept.
    if (generation != m_generation) return;
    try {
        statement->Reset();
        if (m_byText.count(key)) return;  // an idle twin is kept already
        if (m_idle.size() >= m_limit) {
            m_byText.erase(m_idle.back().first);
            m_idle.pop_back();
        }
        m_idle.emplace_front(std::move(key), std::move(statement));
        m_byText[m_idle.front().first] = m_idle.begin();
    } catch (...) {
        // Without room to keep it, the statement is finalized.
    }
}

void StatementCache::Clear() noexcept {
    m_byText.clear();
    m_idle.clear();
    ++m_generation;
}

}  // namespace ado
