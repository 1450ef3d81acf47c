// The tokens of a statement text, as far as this layer needs to tell its
// shape (internal to the database layer): names and key words in upper case
// (a quoted name without its quotes), each other character on its own, a
// string literal as one "'" token; blanks and comments are dropped.
#pragma once
#include <string>
#include <vector>

namespace ado {

std::vector<std::string> SqlTokens(const std::string& sql, size_t from = 0);

// Whether the tokens hold a compound operator (UNION, INTERSECT, EXCEPT)
// outside brackets.
bool IsCompound(const std::vector<std::string>& tokens);

// Whether the tokens define name (upper case) as a common table expression:
// "WITH name AS (", ", name (columns) AS MATERIALIZED (", ...
bool DefinesCommonTable(const std::vector<std::string>& tokens, const std::string& name);

}  // namespace ado
