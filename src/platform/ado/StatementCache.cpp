#include "platform/ado/StatementCache.h"

namespace ado {

StatementLease& StatementLease::operator=(StatementLease&& other) noexcept {
    if (this != &other) {
        reset();
        m_cache = other.m_cache;
        m_key = std::move(other.m_key);
        m_slot = other.m_slot;
        m_keptIn = other.m_keptIn;
        m_statement = std::move(other.m_statement);
        m_generation = other.m_generation;
        other.m_cache = nullptr;
    }
    return *this;
}

void StatementLease::reset() noexcept {
    if (m_statement && m_cache) m_cache->GiveBack(*this);
    m_statement.reset();
    m_cache = nullptr;
}

std::unique_ptr<Statement> IdleTexts::Take(const std::string& sql) {
    auto found = m_byText.find(sql);
    if (found == m_byText.end()) return nullptr;
    std::unique_ptr<Statement> statement = std::move(found->second->second);
    m_idle.erase(found->second);
    m_byText.erase(found);
    return statement;
}

void IdleTexts::Keep(std::string key, std::unique_ptr<Statement> statement) {
    if (m_byText.count(key)) return;  // an idle twin is kept already
    if (m_idle.size() >= m_limit) {
        m_byText.erase(m_idle.back().first);
        m_idle.pop_back();
    }
    m_idle.emplace_front(std::move(key), std::move(statement));
    m_byText[m_idle.front().first] = m_idle.begin();
}

void IdleTexts::Clear() noexcept {
    m_byText.clear();
    m_idle.clear();
}

StatementLease StatementCache::LendOut(std::string key, PatternSlot* slot, IdleTexts* keptIn,
                                       std::unique_ptr<Statement> statement) {
    statement->m_lentAt = m_lent.size();
    m_lent.push_back(statement.get());
    return StatementLease(this, std::move(key), slot, keptIn, std::move(statement), m_generation);
}

StatementLease StatementCache::Lend(sqlite3* db, const std::string& sql, KeptAmong kind) {
    IdleTexts* const keptIn = kind == KeptAmong::Library ? &m_library : kind == KeptAmong::Host ? &m_host : nullptr;
    if (!keptIn) return LendOut(std::string(), nullptr, nullptr, std::make_unique<Statement>(db, sql, m_budget));
    std::unique_ptr<Statement> statement = keptIn->Take(sql);
    // A host's own statement runs as the engine runs it, unbounded.
    if (!statement) statement = std::make_unique<Statement>(db, sql, m_budget, kind != KeptAmong::Host);
    return LendOut(sql, nullptr, keptIn, std::move(statement));
}

PatternSlot& StatementCache::Slot(const char* pattern, PatternUse use) { return m_slots[{pattern, use}]; }

StatementLease StatementCache::Lend(sqlite3* db, PatternSlot& slot) {
    std::unique_ptr<Statement> statement =
        slot.idle ? std::move(slot.idle) : std::make_unique<Statement>(db, slot.text, m_budget);
    return LendOut(std::string(), &slot, nullptr, std::move(statement));
}

void StatementCache::GiveBack(StatementLease& lease) noexcept {
    std::unique_ptr<Statement> statement = std::move(lease.m_statement);
    // A statement of a connection closed since it was lent was finalized then,
    // and the slot it came from is gone.
    if (lease.m_generation != m_generation) return;
    Statement* const last = m_lent.back();
    last->m_lentAt = statement->m_lentAt;
    m_lent[last->m_lentAt] = last;
    m_lent.pop_back();
    PatternSlot* const slot = lease.m_slot;
    IdleTexts* const keptIn = lease.m_keptIn;
    if (!slot && !keptIn) return;
    try {
        statement->Reset();
        if (!slot) return keptIn->Keep(std::move(lease.m_key), std::move(statement));
        if (!slot->idle) slot->idle = std::move(statement);  // else a twin is kept already
    } catch (...) {
        // Without room to keep it, the statement is finalized.
    }
}

void StatementCache::Clear() noexcept {
    m_library.Clear();
    m_host.Clear();
    m_slots.clear();
    for (Statement* statement : m_lent) statement->Finalize();
    m_lent.clear();
    ++m_generation;
}

}  // namespace ado
