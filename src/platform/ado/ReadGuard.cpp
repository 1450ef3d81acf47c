#include "platform/ado/ReadGuard.h"

#include <cctype>
#include <sqlite3.h>

#include "platform/ado/Statement.h"

namespace ado {

namespace {
std::string Upper(const char* text) {
    std::string out = text ? text : "";
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

const char* ActionName(int action) {
    switch (action) {
        case SQLITE_INSERT: return "INSERT into";
        case SQLITE_UPDATE: return "UPDATE of";
        case SQLITE_DELETE: return "DELETE from";
        case SQLITE_PRAGMA: return "PRAGMA";
        case SQLITE_ATTACH: return "ATTACH";
        case SQLITE_DETACH: return "DETACH";
        case SQLITE_TRANSACTION: return "transaction";
        case SQLITE_SAVEPOINT: return "SAVEPOINT";
        case SQLITE_READ: return "read of";
        case SQLITE_FUNCTION: return "function";
        default: return "change of the schema:";
    }
}
}  // namespace

ReadGuard::ReadGuard(sqlite3* db) : m_db(db) {
    Statement tables(db, "SELECT name FROM main.sqlite_master WHERE type IN ('table', 'view') "
                         "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
    while (tables.Step()) m_tables.insert(Upper(tables.Column(0).ToText().c_str()));
    sqlite3_set_authorizer(m_db, &ReadGuard::Authorize, this);
}

ReadGuard::~ReadGuard() { sqlite3_set_authorizer(m_db, nullptr, nullptr); }

bool ReadGuard::Allows(int action, const char* a, const char* b, const char* db) const {
    switch (action) {
        case SQLITE_SELECT:
        case SQLITE_RECURSIVE: return true;
        // A table read for no column of it comes without its database's name.
        case SQLITE_READ: return (!db || Upper(db) == "MAIN") && m_tables.count(Upper(a)) > 0;
        case SQLITE_FUNCTION: {
            const std::string name = Upper(b);
            return name != "LOAD_EXTENSION" && name != "FTS3_TOKENIZER";
        }
        default: return false;
    }
}

int ReadGuard::Authorize(void* self, int action, const char* a, const char* b, const char* db, const char*) {
    ReadGuard& guard = *static_cast<ReadGuard*>(self);
    if (guard.Allows(action, a, b, db)) return SQLITE_OK;
    if (guard.m_refused.empty()) {
        guard.m_refused = ActionName(action);
        const char* what = action == SQLITE_FUNCTION ? b : a;
        if (what && *what) guard.m_refused += std::string(" ") + what;
    }
    return SQLITE_DENY;
}

}  // namespace ado
