// While a ReadGuard stands, statements prepared on its connection may only
// read the project's own tables (the tables and views of the main database
// that are not the engine's) and what the statement defines itself (its
// common table expressions): any write, PRAGMA, ATTACH, transaction, schema
// change, extension loading, table-valued function or read of the engine's
// own tables makes the preparation fail. It guards statement texts completed with a host's
// condition (internal to the database layer).
#pragma once
#include <set>
#include <string>
#include <vector>

#include "platform/ado/SqlTokens.h"

struct sqlite3;

namespace ado {

class ReadGuard {
public:
    // Guards the preparation of sql on db.
    ReadGuard(sqlite3* db, const std::string& sql);
    ~ReadGuard();
    ReadGuard(const ReadGuard&) = delete;
    ReadGuard& operator=(const ReadGuard&) = delete;

    // What the guard refused first, as "PRAGMA", "INSERT into T", "table-valued
    // function json_each", ...; empty when nothing was.
    const std::string& Refused() const { return m_refused; }
    // Whether memory ran out while the guard judged: it then refused.
    bool RanOutOfMemory() const { return m_outOfMemory; }
    // Whether the statement calls count, by which the engine may count a
    // table's rows in one instruction.
    bool Counts() const { return m_counts; }

private:
    static int Authorize(void* self, int action, const char* a, const char* b, const char* db,
                         const char* trigger) noexcept;
    bool Allows(int action, const char* a, const char* b, const char* db);
    std::string Refusal(int action, const char* a, const char* b) const;

    sqlite3* m_db;
    std::set<std::string> m_tables;   // the project's tables and views, upper-case
    std::set<std::string> m_schema;   // every name of the main and temporary schemas, upper-case
    bool m_declaring = false;         // the engine is declaring a table-valued function's columns
    bool m_outOfMemory = false;
    bool m_counts = false;
    std::vector<SqlToken> m_tokens;  // of the statement guarded
    std::string m_refused;
};

}  // namespace ado
