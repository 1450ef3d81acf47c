// An extra table of a project file that makes a check of conflict clauses
// cost what it costs: columns columns (C0, C1, ...) of which the last two
// have clauses of two kinds (UNIQUE ON CONFLICT REPLACE, then NOT NULL ON
// CONFLICT IGNORE), and indexes plain indexes of three columns each. Shared
// by the tests and the benchmarks.
#pragma once
#include <string>

inline std::string WideTableSql(int columns, int indexes) {
    auto column = [](int i) { return "C" + std::to_string(i); };
    std::string sql = "CREATE TABLE Wide (";
    for (int i = 0; i < columns - 2; ++i) sql += column(i) + " TEXT, ";
    sql += column(columns - 2) + " TEXT UNIQUE ON CONFLICT REPLACE, " + column(columns - 1) +
           " TEXT NOT NULL ON CONFLICT IGNORE);";
    for (int i = 0; i < indexes; ++i)
        sql += "CREATE INDEX Wide" + std::to_string(i) + " ON Wide (" + column((7 * i) % columns) + ", " +
               column((7 * i + 1) % columns) + ", " + column((7 * i + 2) % columns) + ");";
    return sql;
}
