// The undo of a change of the library's own on one connection
// (Connection::Savepoint): a ROLLBACK of the transaction the change began,
// or a ROLLBACK TO and a RELEASE of the savepoint it opened inside a
// transaction another began (internal to the database layer). Undoing runs
// where memory has run out, so it allocates nothing of its own: its
// statements are prepared before the change begins and kept apart from the
// statement cache, which never lends them nor pushes them out. A ROLLBACK
// then needs no memory of the engine's either. A ROLLBACK TO does (the
// engine keeps track of the pages it puts back); where it has none, the
// engine rolls back the whole transaction instead.
#pragma once
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

class ChangeUndo {
public:
    ChangeUndo() = default;
    ~ChangeUndo() { Clear(); }
    ChangeUndo(const ChangeUndo&) = delete;
    ChangeUndo& operator=(const ChangeUndo&) = delete;

    // Makes ready, on db, the undo of a change that begins a transaction, or
    // else of one that opens savepoint inside another's. Statements kept
    // from an earlier change are prepared again only where the engine has
    // expired them (running them would prepare them again). Raises ComError.
    void Ready(sqlite3* db, bool transaction, const std::string& savepoint);
    // Rolls back the transaction open on db: by the statement made ready,
    // where there is one.
    void RollBack(sqlite3* db) noexcept;
    // Undoes the savepoint made ready and then releases it; true when the
    // engine ran both. Nothing is released where the undo failed.
    bool UndoSavepoint() noexcept;
    // Finalizes the statements, before their connection closes; without
    // finalize (a connection a fork copied), forgets them.
    void Clear(bool finalize = true) noexcept;

private:
    sqlite3_stmt* m_rollback = nullptr;
    sqlite3_stmt* m_rollbackTo = nullptr;
    sqlite3_stmt* m_release = nullptr;
    std::string m_savepoint;  // whose undo m_rollbackTo and m_release are
};

}  // namespace ado
