// Extra tables of a project file that make a check of conflict clauses cost
// what it costs. Each is linked to the test group table by a foreign key, so
// the store's deletes reach it where a host turns foreign keys on, and it is
// judged as a table the store writes. Shared by the tests and the benchmarks.
#pragma once
#include <string>

// The foreign key of a table made here on column, at the end of its definitions.
inline std::string Linked(const std::string& column = "C0") {
    return ", FOREIGN KEY (" + column + ") REFERENCES TestGroupTable";
}

// columns columns (C0, C1, ...) of which the last two have clauses of two
// kinds (UNIQUE ON CONFLICT REPLACE, then NOT NULL ON CONFLICT IGNORE), and
// indexes plain indexes of three columns each.
inline std::string WideTableSql(int columns, int indexes) {
    auto column = [](int i) { return "C" + std::to_string(i); };
    std::string sql = "CREATE TABLE Wide (";
    for (int i = 0; i < columns - 2; ++i) sql += column(i) + " TEXT, ";
    sql += column(columns - 2) + " TEXT UNIQUE ON CONFLICT REPLACE, " + column(columns - 1) +
           " TEXT NOT NULL ON CONFLICT IGNORE" + Linked() + ");";
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
    sql += extra + Linked() + ");";
    for (int i = 0; i < indexes; ++i) {
        sql += "CREATE INDEX Wide" + std::to_string(i) + " ON Wide (";
        for (int k = 0; k < columns; ++k) sql += (k ? ", C" : "C") + std::to_string((k + i * 7) % columns);
        sql += ");";
    }
    return sql;
}

// A table (C0, C1, ...) of columns columns, C0 with keyClause (as " UNIQUE ON
// CONFLICT REPLACE", or none), and indexes indexes over all its columns,
// each beginning at another column: every write builds every index's key
// from every column, so an insert compiles to columns x indexes instructions.
inline std::string IndexedWideTableSql(int columns, int indexes, const std::string& keyClause = "") {
    std::string sql = "CREATE TABLE Wide (C0 TEXT" + keyClause;
    for (int i = 1; i < columns; ++i) sql += ", C" + std::to_string(i) + " TEXT";
    sql += Linked() + ");";
    for (int i = 0; i < indexes; ++i) {
        sql += "CREATE INDEX Wide" + std::to_string(i) + " ON Wide (";
        for (int k = 0; k < columns; ++k) sql += (k ? ", C" : "C") + std::to_string((k + i * 7) % columns);
        sql += ");";
    }
    return sql;
}

// Tables whose one CHECK constraint SQLite compiles to code of square cost
// (each constant of it is looked for among those coded before): a CASE of
// n branches, a balanced AND of n terms, an IN of n values.
inline std::string CheckedTableSql(const std::string& check) {
    return "CREATE TABLE Checked (C INTEGER, CHECK (" + check + ")" + Linked("C") + ");";
}
inline std::string CaseCheckSql(int n) {
    std::string check = "CASE C";
    for (int i = 0; i < n; ++i) check += " WHEN " + std::to_string(i) + " THEN " + std::to_string(i);
    return CheckedTableSql(check + " END");
}
inline std::string AndTerms(int from, int to) {
    if (to - from == 1) return "C <> " + std::to_string(from);
    const int middle = from + (to - from) / 2;
    return "(" + AndTerms(from, middle) + " AND " + AndTerms(middle, to) + ")";
}
inline std::string AndCheckSql(int n) { return CheckedTableSql(AndTerms(0, n)); }
inline std::string InCheckSql(int n) {
    std::string check = "C IN (0";
    for (int i = 1; i < n; ++i) check += ", " + std::to_string(i);
    return CheckedTableSql(check + ")");
}
