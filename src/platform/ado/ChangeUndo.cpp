#include "platform/ado/ChangeUndo.h"

#include <sqlite3.h>

#include "platform/ado/Statement.h"

namespace ado {
namespace {
// Whether statement is prepared and runs as it is: the engine prepares an
// expired statement again as it runs it, and tells without preparing
// anything whether it has expired.
bool Fresh(sqlite3_stmt* statement) { return statement && !sqlite3_expired(statement); }

// Makes statement ready as sql on db. Raises ComError.
void Prepare(sqlite3* db, sqlite3_stmt*& statement, const std::string& sql) {
    sqlite3_stmt* made = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &made, nullptr);
    if (rc != SQLITE_OK) ThrowEngineError(db, rc);
    sqlite3_finalize(statement);
    statement = made;
}

// Runs a statement made ready, and makes it ready again; whether it ran.
bool Run(sqlite3_stmt* statement) noexcept {
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_reset(statement);
    return done;
}

void Drop(sqlite3_stmt*& statement, bool finalize) noexcept {
    if (finalize) sqlite3_finalize(statement);
    statement = nullptr;
}
}  // namespace

void ChangeUndo::Ready(sqlite3* db, bool transaction, const std::string& savepoint) {
    if (transaction) {
        if (!Fresh(m_rollback)) Prepare(db, m_rollback, "ROLLBACK");
        return;
    }
    if (savepoint != m_savepoint) {
        Drop(m_rollbackTo, true);
        Drop(m_release, true);
        m_savepoint = savepoint;
    }
    if (Fresh(m_rollbackTo) && Fresh(m_release)) return;
    const std::string quoted = QuoteIdentifier(savepoint);
    Prepare(db, m_rollbackTo, "ROLLBACK TO " + quoted);
    Prepare(db, m_release, "RELEASE " + quoted);
}

void ChangeUndo::RollBack(sqlite3* db) noexcept {
    if (!(m_rollback && Run(m_rollback))) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool ChangeUndo::UndoSavepoint() noexcept {
    return m_rollbackTo && m_release && Run(m_rollbackTo) && Run(m_release);
}

void ChangeUndo::Clear(bool finalize) noexcept {
    Drop(m_rollback, finalize);
    Drop(m_rollbackTo, finalize);
    Drop(m_release, finalize);
    m_savepoint.clear();
}

}  // namespace ado
