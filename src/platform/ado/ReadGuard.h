// While a ReadGuard stands, statements prepared on its connection may only
// read the project's own tables (the tables and views of the main database
// that are not the engine's): any write, PRAGMA, ATTACH, transaction,
// schema change, extension loading or read of the engine's own tables makes
// the preparation fail. It guards statement texts completed with a host's
// condition (internal to the database layer).
#pragma once
#include <set>
#include <string>

struct sqlite3;

namespace ado {

class ReadGuard {
public:
    explicit ReadGuard(sqlite3* db);
    ~ReadGuard();
    ReadGuard(const ReadGuard&) = delete;
    ReadGuard& operator=(const ReadGuard&) = delete;

    // What the guard refused first, as "PRAGMA", "INSERT into T", ...; empty when nothing was.
    const std::string& Refused() const { return m_refused; }

private:
    static int Authorize(void* self, int action, const char* a, const char* b, const char* db, const char* trigger);
    bool Allows(int action, const char* a, const char* b, const char* db) const;

    sqlite3* m_db;
    std::set<std::string> m_tables;  // upper-case names
    std::string m_refused;
};

}  // namespace ado
