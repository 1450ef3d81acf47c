// The shape of a database's tables as SQLite parsed them (internal to the
// database layer): read from the engine's own account of its schema, the
// pragmas table_xinfo, index_list, index_xinfo and foreign_key_list and
// sqlite3_table_column_metadata, never from the text of a CREATE statement.
// TemplateShape reads the template project's tables this way from the SQL
// that the template file is built from: one source says what a project's
// tables are.
#pragma once
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <cstdint>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/ado/PlanPins.h"

struct sqlite3;

namespace ado {

struct ColumnShape {
    std::string name;
    std::string type;       // the declared type, as written
    std::string collation;  // read only where asked (ReadColumnDetails)
    bool notNull = false;
    bool hasDefault = false;
    bool autoincrement = false;  // read only where asked
    int key = 0;                 // place in the primary key, from 1; 0 when not in it
    bool generated = false;      // computed from other columns, not stored as written
};

struct IndexShape {
    std::string name;
    bool unique = false;
    bool partial = false;  // with a WHERE clause
    bool plain = true;     // every key column a column of the table
    // The primary key of a table without row ids: the table's own b-tree,
    // which has no schema row of its own.
    bool tableItself = false;
    std::string origin;  // "c" made by CREATE INDEX, "u" by UNIQUE, "pk" by PRIMARY KEY
    // Of the key columns: each column's place among the table's columns
    // (its cid; below 0 the row id or an expression), its collation as a
    // place in collationNames, and whether it sorts DESC. A few bytes a
    // column, as an index may have thousands: less than SQLite keeps.
    std::vector<int32_t> columns;
    std::vector<uint16_t> collations;
    std::vector<std::string> collationNames;
    std::vector<char> descending;
    const std::string& Collation(size_t i) const { return collationNames[collations[i]]; }
};

struct TableShape {
    std::string name;
    std::vector<ColumnShape> columns;
    std::vector<IndexShape> indexes;
    int foreignKeys = 0;
};

// A schema row's texts, as the main schema's table holds them; no sql for
// an index that its table's key makes.
struct SchemaText {
    std::string type, name, table;
    std::optional<std::string> sql;
    bool operator==(const SchemaText& o) const {
        return type == o.type && name == o.name && table == o.table && sql == o.sql;
    }
    bool operator<(const SchemaText& o) const {
        return std::tie(type, name, table, sql) < std::tie(o.type, o.name, o.table, o.sql);
    }
};

// The same texts as bytes another holds, ordered alike.
struct SchemaTextView {
    std::string_view type, name, table;
    std::optional<std::string_view> sql;
    explicit SchemaTextView(const SchemaText& text)
        : type(text.type), name(text.name), table(text.table), sql(text.sql ? std::optional<std::string_view>(*text.sql) : std::nullopt) {}
    SchemaTextView(std::string_view type, std::string_view name, std::string_view table, std::optional<std::string_view> sql)
        : type(type), name(name), table(table), sql(sql) {}
    bool operator==(const SchemaTextView& o) const {
        return type == o.type && name == o.name && table == o.table && sql == o.sql;
    }
    bool operator<(const SchemaTextView& o) const {
        return std::tie(type, name, table, sql) < std::tie(o.type, o.name, o.table, o.sql);
    }
};

// A name as SQLite compares names: ASCII letters without regard to case.
std::string NameKey(const std::string& name);

// Whether SQLite parsed name as a table of the main schema (a virtual one
// included), not a view.
bool IsParsedTable(sqlite3* db, const std::string& name);
// The indexes of table.
std::vector<IndexShape> ReadIndexes(sqlite3* db, const std::string& table);
// The columns of table; false when SQLite cannot tell them without the
// table's module: a virtual table. Raises ComError for any other failure.
bool ReadColumns(sqlite3* db, const std::string& table, std::vector<ColumnShape>& columns);
// Fills in the collation and AUTOINCREMENT of column.
void ReadColumnDetails(sqlite3* db, const std::string& table, ColumnShape& column);
// The table each foreign key of table refers to, once for each of its columns.
std::vector<std::string> ForeignKeyParents(sqlite3* db, const std::string& table);

// The tables of the template, read from an in-memory database made from its
// SQL, and the plans SQLite makes there, without statistics. Raises
// ComError when the SQL does not run.
class TemplateShape {
public:
    explicit TemplateShape(const std::string& sql);
    // The template's table of that name, or null.
    const TableShape* Find(const std::string& name) const;
    // The plan of sql on the template (PlanPins.h), made once per text.
    std::vector<PlanLoop> PlanOf(const std::string& sql) const;
    // The texts of the template's schema rows, in order.
    const std::vector<SchemaText>& Rows() const { return m_rows; }
    // The place in Rows() of the row of these texts, or none.
    std::optional<size_t> RowOf(const SchemaTextView& text) const;
    // The name of each of the template's indexes, by NameKey.
    const std::unordered_map<std::string, std::string>& IndexNames() const { return m_indexNames; }

private:
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> m_db;
    std::unordered_map<std::string, TableShape> m_tables;  // by NameKey
    std::vector<SchemaText> m_rows;
    std::unordered_map<std::string, std::string> m_indexNames;
    mutable std::mutex m_plansMutex;
    mutable std::unordered_map<std::string, std::vector<PlanLoop>> m_plans;
};

// The name of the column at cid among columns, "" for none (the row id, an expression).
const std::string& ColumnName(const std::vector<ColumnShape>& columns, int32_t cid);

// The first way in which table found (its columns and indexes read) differs
// from expected, the template's table of its name; "" when it is shaped as
// the template's, indexNames then given the name of found's index for each
// of expected's (by NameKey). The rest of found is read from db where needed.
std::string ShapeDifference(sqlite3* db, TableShape found, const TableShape& expected,
                            std::unordered_map<std::string, std::string>& indexNames);

}  // namespace ado
