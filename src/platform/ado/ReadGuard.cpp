#include "platform/ado/ReadGuard.h"

#include <sqlite3.h>

#include "platform/ado/Statement.h"

namespace ado {

namespace {
// A name the engine hands the authorizer, which may be null, in upper case.
std::string Upper(const char* text) { return UpperCase(text ? text : ""); }

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

ReadGuard::ReadGuard(sqlite3* db, const std::string& sql) : m_db(db), m_tokens(SqlTokens(sql)) {
    Statement names(db, "SELECT type, name FROM main.sqlite_master UNION ALL SELECT type, name FROM temp.sqlite_master");
    while (names.Step()) {
        const std::string name = Upper(names.Column(1).ToText().c_str());
        const std::string type = names.Column(0).ToText();
        m_schema.insert(name);
        if ((type == "table" || type == "view") && !NamesEngineTable(name)) m_tables.insert(name);
    }
    for (const char* schema : kSchemaTableNames) m_schema.insert(schema);
    sqlite3_set_authorizer(m_db, &ReadGuard::Authorize, this);
}

ReadGuard::~ReadGuard() { sqlite3_set_authorizer(m_db, nullptr, nullptr); }

bool ReadGuard::Allows(int action, const char* a, const char* b, const char* db) {
    // A table-valued function is declared by the engine as an update of its
    // schema table and a read of its row id; the declaration runs nothing.
    const bool declaring = m_declaring;
    m_declaring = false;
    const std::string table = Upper(a);
    switch (action) {
        case SQLITE_SELECT:
        case SQLITE_RECURSIVE: return true;
        case SQLITE_UPDATE:
            m_declaring = table == "SQLITE_MASTER";
            return m_declaring;
        case SQLITE_READ:
            if (declaring && table == "SQLITE_MASTER" && Upper(b) == "ROWID") {
                m_declaring = true;
                return true;
            }
            // A table read for no column of it comes without its database's
            // name, and so does a common table expression the statement defines.
            if (!db)
                return m_tables.count(table) > 0 ||
                       (m_schema.count(table) == 0 && DefinesCommonTable(m_tokens, table));
            return Upper(db) == "MAIN" && m_tables.count(table) > 0;
        case SQLITE_FUNCTION: {
            const std::string name = Upper(b);
            m_counts = m_counts || name == "COUNT";
            return name != "LOAD_EXTENSION" && name != "FTS3_TOKENIZER";
        }
        default: return false;
    }
}

std::string ReadGuard::Refusal(int action, const char* a, const char* b) const {
    if (action == SQLITE_READ && m_schema.count(Upper(a)) == 0)
        return std::string("table-valued function ") + a;
    std::string refusal = ActionName(action);
    const char* what = action == SQLITE_FUNCTION ? b : a;
    if (what && *what) refusal += std::string(" ") + what;
    return refusal;
}

// Called by the engine: nothing thrown may cross its frames, so a judgement
// that memory is too short for refuses, and says so.
int ReadGuard::Authorize(void* self, int action, const char* a, const char* b, const char* db,
                         const char*) noexcept {
    ReadGuard& guard = *static_cast<ReadGuard*>(self);
    try {
        if (guard.Allows(action, a, b, db)) return SQLITE_OK;
        if (guard.m_refused.empty()) guard.m_refused = guard.Refusal(action, a, b);
    } catch (...) {
        guard.m_outOfMemory = true;
    }
    return SQLITE_DENY;
}

}  // namespace ado
