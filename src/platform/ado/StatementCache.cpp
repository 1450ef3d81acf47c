#include "platform/ado/StatementCache.h"

namespace ado {

StatementLease& StatementLease::operator=(StatementLease&& other) noexcept {
    if (this != &other) {
        reset();
        m_cache = other.m_cache;
        m_key = std::move(other.m_key);
        m_slot = other.m_slot;
        m_statement = std::move(other.m_statement);
        m_generation = other.m_generation;
        m_keep = other.m_keep;
        other.m_cache = nullptr;
    }
    return *this;
}

void StatementLease::reset() noexcept {
    if (m_statement && m_cache)
        m_cache->GiveBack(std::move(m_key), m_slot, std::move(m_statement), m_generation, m_keep);
    m_statement.reset();
    m_cache = nullptr;
}

StatementLease StatementCache::LendOut(std::string key, PatternSlot* slot, std::unique_ptr<Statement> statement,
                                       bool keep) {
    statement->m_lentAt = m_lent.size();
    m_lent.push_back(statement.get());
    return StatementLease(this, std::move(key), slot, std::move(statement), m_generation, keep);
}

StatementLease StatementCache::Lend(sqlite3* db, const std::string& sql, bool keep) {
    auto found = keep ? m_byText.find(sql) : m_byText.end();
    if (found == m_byText.end())
        return LendOut(keep ? sql : std::string(), nullptr, std::make_unique<Statement>(db, sql), keep);
    std::unique_ptr<Statement> statement = std::move(found->second->second);
    m_idle.erase(found->second);
    m_byText.erase(found);
    return LendOut(sql, nullptr, std::move(statement), true);
}

PatternSlot& StatementCache::Slot(const char* pattern, PatternUse use) { return m_slots[{pattern, use}]; }

StatementLease StatementCache::Lend(sqlite3* db, PatternSlot& slot) {
    std::unique_ptr<Statement> statement =
        slot.idle ? std::move(slot.idle) : std::make_unique<Statement>(db, slot.text);
    return LendOut(std::string(), &slot, std::move(statement), true);
}

void StatementCache::GiveBack(std::string key, PatternSlot* slot, std::unique_ptr<Statement> statement,
                              uint64_t generation, bool keep) noexcept {
    // A statement of a connection closed since it was lent was finalized then,
    // and the slot it came from is gone.
    if (generation != m_generation) return;
    Statement* const last = m_lent.back();
    last->m_lentAt = statement->m_lentAt;
    m_lent[last->m_lentAt] = last;
    m_lent.pop_back();
    if (!keep) return;
    try {
        statement->Reset();
        if (slot) {
            if (!slot->idle) slot->idle = std::move(statement);  // else a twin is kept already
            return;
        }
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
    m_slots.clear();
    for (Statement* statement : m_lent) statement->Finalize();
    m_lent.clear();
    ++m_generation;
}

}  // namespace ado
