// The tokens of a statement text, as far as this layer needs to tell its
// shape (internal to the database layer): names and key words in upper case
// (a quoted name without its quotes), each other character on its own, a
// string literal as one "'" token; blanks and comments are dropped. Each
// token knows where in the text it begins.
#pragma once
#include <string>
#include <vector>

namespace ado {

struct SqlToken {
    std::string text;
    size_t at;
    bool operator==(const char* other) const { return text == other; }
    bool operator!=(const char* other) const { return text != other; }
};

std::vector<SqlToken> SqlTokens(const std::string& sql);

// text with its ASCII letters in upper case and every other byte as it is,
// whatever the process's locale: names compare so here, as SQLite compares them.
std::string UpperCase(std::string text);
// The names under which SQLite shows a database's schema as a table.
constexpr const char* kSchemaTableNames[] = {"SQLITE_MASTER", "SQLITE_SCHEMA", "SQLITE_TEMP_MASTER",
                                             "SQLITE_TEMP_SCHEMA"};
// Whether name names one of them, as SQLite compares names.
bool NamesSchemaTable(const std::string& name);
// Whether name names a table of SQLite's own (sqlite_sequence, sqlite_stat1,
// the schema's): SQLite keeps no index on one, so its writes would leave any
// such index behind.
bool NamesEngineTable(const std::string& name);

// Whether SQLite's tokenizer reads c as a blank between tokens: a space, a
// tab, a line feed, a form feed or a carriage return, in every locale.
inline bool IsSqlBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }
// Whether SQLite reads c as part of an unquoted name: an ASCII letter or
// digit, "_", "$" or a byte of a character beyond ASCII, in every locale.
bool IsNameChar(char c);

// Whether the tokens hold a compound operator (UNION, INTERSECT, EXCEPT)
// outside brackets.
bool IsCompound(const std::vector<SqlToken>& tokens);

// Whether the tokens define name (upper case) as a common table expression:
// "WITH name AS (", ", name (columns) AS MATERIALIZED (", ...
bool DefinesCommonTable(const std::vector<SqlToken>& tokens, const std::string& name);

}  // namespace ado
