#include "platform/ado/SchemaCheck.h"

#include <vector>

#include "platform/ado/SqlTokens.h"
#include "platform/ado/Statement.h"

namespace ado {

namespace {
// Whether token is text as written in sql, not a quoted name that reads so.
bool Written(const std::string& sql, const std::vector<SqlToken>& tokens, size_t at, const char* text) {
    if (at >= tokens.size() || tokens[at] != text) return false;
    const char first = sql[tokens[at].at];
    return first != '"' && first != '`' && first != '[';
}

// What of a table's definition the engine would evaluate or that deletes
// other rows, or "". CHECK, AS and DEFAULT are key words that no unquoted
// name can be; an expression as default value is always bracketed.
std::string ClauseThatRuns(const std::string& sql) {
    const std::vector<SqlToken> tokens = SqlTokens(sql);
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (Written(sql, tokens, i, "CHECK")) return "a CHECK constraint";
        if (Written(sql, tokens, i, "AS")) return "a generated column";
        if (Written(sql, tokens, i, "DEFAULT") && Written(sql, tokens, i + 1, "(")) return "a default expression";
        if (Written(sql, tokens, i, "ON") && Written(sql, tokens, i + 1, "CONFLICT") &&
            Written(sql, tokens, i + 2, "REPLACE"))
            return "ON CONFLICT REPLACE";
    }
    return std::string();
}
}  // namespace

std::string SchemaThatRuns(sqlite3* db) {
    Statement items(db, "SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL");
    while (items.Step()) {
        const std::string type = items.Column(0).ToText(), name = QuoteIdentifier(items.Column(1).ToText());
        const std::string sql = items.Column(2).ToText();
        if (type == "trigger" || type == "view") return type + " " + name;
        if (type != "table") continue;
        if (sql.compare(0, 20, "CREATE VIRTUAL TABLE") == 0) return "virtual table " + name;
        const std::string clause = ClauseThatRuns(sql);
        if (!clause.empty()) return clause + " in table " + name;
    }
    // Asked only once no virtual table is there, whose columns only its
    // module could tell.
    Statement indexes(db,
                      "SELECT name FROM sqlite_master AS i WHERE type = 'index' AND (EXISTS (SELECT 1 FROM "
                      "pragma_index_xinfo(i.name) WHERE cid = -2) OR EXISTS (SELECT 1 FROM "
                      "pragma_index_list(i.tbl_name) AS l WHERE l.name = i.name AND l.partial))");
    if (indexes.Step())
        return "index " + QuoteIdentifier(indexes.Column(0).ToText()) + " on an expression or with a WHERE clause";
    return std::string();
}

}  // namespace ado
