#include "platform/ado/PlanPins.h"

#include <cstring>

#include "platform/ado/ComError.h"
#include "platform/ado/SqlTokens.h"
#include "platform/ado/Statement.h"

namespace ado {

namespace {
// A table of a statement's list: its tokens [first, end) and the name its
// plan knows it by (its alias, else its name), in upper case.
struct Reference {
    size_t first, end;
    std::string name;
};

bool EndsList(const SqlToken& token, bool update) {
    for (const char* word : {"WHERE", "ORDER", "GROUP", "HAVING", "WINDOW", "LIMIT", "RETURNING", ";"})
        if (token == word) return true;
    return update && token == "SET";
}

// Words that make a list more than names and aliases.
bool JoinsOrPins(const SqlToken& token) {
    for (const char* word : {"JOIN", "ON", "USING", "NATURAL", "CROSS", "INNER", "LEFT", "RIGHT", "FULL", "OUTER",
                             "INDEXED", "NOT", "(", ".", "AS"})
        if (token == word) return true;
    return false;
}

// The tables of the one list of a SELECT, UPDATE or DELETE without a
// subquery, each "name", "name alias" or "name AS alias"; false for any other.
bool ReadReferences(const std::vector<SqlToken>& tokens, std::vector<Reference>& references) {
    if (tokens.empty()) return false;
    const bool update = tokens[0] == "UPDATE";
    size_t at = 0;
    for (size_t i = 1; i < tokens.size(); ++i) {
        if (tokens[i] == "SELECT" || tokens[i] == "WITH") return false;
        if (tokens[0] == "SELECT" && at == 0 && tokens[i] == "FROM") at = i + 1;
    }
    if (update) at = tokens.size() > 2 && tokens[1] == "OR" ? 3 : 1;
    else if (tokens[0] == "DELETE") at = tokens.size() > 1 && tokens[1] == "FROM" ? 2 : 0;
    else if (tokens[0] != "SELECT") return false;
    if (at == 0) return false;
    for (size_t begin = at, i = at;; ++i) {
        const bool last = i == tokens.size() || EndsList(tokens[i], update);
        if (!last && tokens[i] != ",") continue;
        const size_t count = i - begin;
        if (count == 0 || count > 3 || (count == 3 && tokens[begin + 1] != "AS")) return false;
        for (size_t k = begin; k < i; ++k)
            if (JoinsOrPins(tokens[k]) && !(count == 3 && k == begin + 1)) return false;
        references.push_back({begin, i, tokens[i - 1].text});
        if (last) return true;
        begin = i + 1;
    }
}

// Where token at begins in sql; for no token, the end of sql.
size_t StartOf(const std::vector<SqlToken>& tokens, size_t at, const std::string& sql) {
    return at < tokens.size() ? tokens[at].at : sql.size();
}

std::string Trimmed(const std::string& text) {
    const size_t end = text.find_last_not_of(" \t\r\n");
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}
}  // namespace

std::vector<PlanLoop> ReadPlan(sqlite3* db, const std::string& sql) {
    std::vector<PlanLoop> plan;
    try {
        Statement explain(db, "EXPLAIN QUERY PLAN " + sql);  // id, parent, notused, detail
        while (explain.Step()) {
            const std::string detail = explain.Column(3).ToText();
            if (detail.rfind("USE TEMP B-TREE", 0) == 0) continue;
            const size_t verb = detail.rfind("SEARCH ", 0) == 0 ? 7 : detail.rfind("SCAN ", 0) == 0 ? 5 : 0;
            if (verb == 0 || explain.ColumnInt64(1) != 0) return {};
            // "SEARCH T USING [COVERING ]INDEX I (A=?)", "SCAN T", "SEARCH T USING INTEGER PRIMARY KEY (rowid=?)"
            const size_t by = detail.find(" USING ", verb);
            PlanLoop loop{UpperCase(detail.substr(verb, by - verb)), std::string()};
            const std::string how = by == std::string::npos ? std::string() : detail.substr(by + 7);
            for (const char* index : {"INDEX ", "COVERING INDEX "})
                if (how.rfind(index, 0) == 0) loop.index = how.substr(strlen(index), how.find(" (") - strlen(index));
            if (loop.index.empty() && !how.empty() && how.rfind("INTEGER PRIMARY KEY", 0) != 0) return {};
            plan.push_back(std::move(loop));
        }
    } catch (const ComError&) {
        return {};
    }
    return plan;
}

std::string PinnedText(const std::string& sql, const std::vector<PlanLoop>& plan,
                       const std::unordered_map<std::string, std::string>& indexes) {
    const std::vector<SqlToken> tokens = SqlTokens(sql);
    std::vector<Reference> references;
    if (plan.empty() || !ReadReferences(tokens, references) || references.size() != plan.size()) return sql;
    // Each reference in the plan's order, pinned to its loop's index.
    std::string list;
    for (const PlanLoop& loop : plan) {
        size_t r = 0;
        while (r < references.size() && references[r].name != loop.table) ++r;
        if (r == references.size()) return sql;
        std::string pin = " NOT INDEXED";
        if (!loop.index.empty()) {
            const auto found = indexes.find(UpperCase(loop.index));
            if (found == indexes.end()) return sql;
            pin = " INDEXED BY " + QuoteIdentifier(found->second);
        }
        const size_t from = tokens[references[r].first].at;
        list += (list.empty() ? "" : " CROSS JOIN ") +
                Trimmed(sql.substr(from, StartOf(tokens, references[r].end, sql) - from)) + pin;
        references[r].name.clear();  // named once
    }
    const size_t from = tokens[references.front().first].at, to = StartOf(tokens, references.back().end, sql);
    return sql.substr(0, from) + list + (to < sql.size() ? " " : "") + sql.substr(to);
}

}  // namespace ado
