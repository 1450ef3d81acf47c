// Extra tables of a project file that make a check of conflict clauses cost
// what it costs. Shared by the tests and the benchmarks.
#pragma once
#include <string>

// columns columns (C0, C1, ...) of which the last two have clauses of two
// kinds (UNIQUE ON CONFLICT REPLACE, then NOT NULL ON CONFLICT IGNORE), and
// indexes plain indexes of three columns each.
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

// columns UNIQUE columns (C0, C1, ...), each with clause, then the column
// definitions of extra, and indexes indexes over all the UNIQUE columns,
// each beginning at another column. SQLite's code for a REPLACE deletes the
// row from every index, building each index's key anew, so an insert with
// REPLACE on every key compiles to columns x columns x indexes instructions.
inline std::string UniqueWideTableSql(int columns, int indexes, const std::string& clause,
                                      const std::string& extra = "") {
    std::string sql = "CREATE TABLE Wide (";
    for (int i = 0; i < columns; ++i) sql += (i ? ", C" : "C") + std::to_string(i) + " TEXT UNIQUE" + clause;
    sql += extra + ");";
    for (int i = 0; i < indexes; ++i) {
        sql += "CREATE INDEX Wide" + std::to_string(i) + " ON Wide (";
        for (int k = 0; k < columns; ++k) sql += (k ? ", C" : "C") + std::to_string((k + i * 7) % columns);
        sql += ");";
    }
    return sql;
}
