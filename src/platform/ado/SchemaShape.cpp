#include "platform/ado/SchemaShape.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <sqlite3.h>

#include "platform/ado/ComError.h"
#include "platform/ado/SqlTokens.h"
#include "platform/ado/Statement.h"

namespace ado {

namespace {
// A column of a table as a message names it.
std::string ColumnText(const std::string& table, const std::string& column) {
    return "column " + QuoteIdentifier(column) + " of table " + QuoteIdentifier(table);
}

// The key columns of an index of a table of columns as a message names
// them: (A, B DESC).
std::string KeyText(const IndexShape& index, const std::vector<ColumnShape>& columns) {
    std::string text = "(";
    for (size_t i = 0; i < index.columns.size(); ++i)
        text += (i ? ", " : "") + ColumnName(columns, index.columns[i]) + (index.descending[i] ? " DESC" : "");
    return text + ")";
}

// What makes two indexes alike to the store: uniqueness, then each key
// column with its collation and sort order. A statement that reads through
// an index without an ORDER BY lists rows in the index's order. Names do
// not change a result.
std::string IndexKey(const IndexShape& index, const std::vector<ColumnShape>& columns) {
    std::string key = index.unique ? "U" : "I";
    for (size_t i = 0; i < index.columns.size(); ++i)
        key += "|" + NameKey(ColumnName(columns, index.columns[i])) + " " + NameKey(index.Collation(i)) +
               (index.descending[i] ? " D" : " A");
    return key;
}

// The statement of a pragma about an item of the main schema.
std::string Pragma(const char* pragma, const std::string& item) {
    return std::string("PRAGMA main.") + pragma + "(" + QuoteIdentifier(item) + ")";
}

bool NamesRowid(const std::string& name) {
    const std::string key = NameKey(name);
    return key == "ROWID" || key == "OID" || key == "_ROWID_";
}

std::string ColumnDifference(const std::string& table, const ColumnShape& found, const ColumnShape& expected) {
    const std::string column = ColumnText(table, expected.name);
    auto declared = [](const std::string& type) { return type.empty() ? std::string("without a type") : type; };
    if (NameKey(found.type) != NameKey(expected.type))
        return column + " is declared " + declared(found.type) + "; the template's is " + declared(expected.type);
    if (NameKey(found.collation) != NameKey(expected.collation))
        return column + " compares by " + found.collation + "; the template's by " + expected.collation;
    if (found.notNull != expected.notNull)
        return column + (found.notNull ? " is NOT NULL; the template's is not" : " may be NULL; the template's not");
    if (found.hasDefault != expected.hasDefault)
        return column + (found.hasDefault ? " has a default value; the template's has none"
                                          : " has no default value; the template's has one");
    if (found.key != expected.key)
        return "the primary key of table " + QuoteIdentifier(table) + " is not the template's";
    if (found.autoincrement != expected.autoincrement)
        return column + (found.autoincrement ? " is AUTOINCREMENT; the template's is not"
                                             : " is not AUTOINCREMENT as the template's is");
    return std::string();
}
}  // namespace

std::string NameKey(const std::string& name) { return UpperCase(name); }

const std::string& ColumnName(const std::vector<ColumnShape>& columns, int32_t cid) {
    static const std::string none;
    return cid >= 0 && static_cast<size_t>(cid) < columns.size() ? columns[cid].name : none;
}

bool IsParsedTable(sqlite3* db, const std::string& name) {
    return sqlite3_table_column_metadata(db, "main", name.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr) == SQLITE_OK;
}

std::vector<IndexShape> ReadIndexes(sqlite3* db, const std::string& table) {
    std::vector<IndexShape> indexes;
    Statement list(db, Pragma("index_list", table));  // seq, name, unique, origin, partial
    while (list.Step()) {
        IndexShape index;
        index.name = list.Column(1).ToText();
        index.unique = list.ColumnInt64(2) != 0;
        index.origin = list.Column(3).ToText();
        index.partial = list.ColumnInt64(4) != 0;
        indexes.push_back(std::move(index));
    }
    // Each index's columns: a key column numbered below 0 is the row id or
    // an expression; an index of a table with row ids ends with the row id.
    for (IndexShape& index : indexes) {
        Statement columns(db, Pragma("index_xinfo", index.name));  // seqno, cid, name, desc, coll, key
        bool endsWithRowid = false;
        while (columns.Step()) {
            const int64_t cid = columns.ColumnInt64(1);
            if (columns.ColumnInt64(5) == 0) {
                endsWithRowid = endsWithRowid || cid == -1;
                continue;
            }
            if (cid < 0) index.plain = false;
            index.columns.push_back(static_cast<int32_t>(cid));
            const VariantView collation = columns.ColumnView(4);
            const std::string_view name(collation.text ? collation.text : "", collation.size);
            const auto known = std::find(index.collationNames.begin(), index.collationNames.end(), name);
            index.collations.push_back(static_cast<uint16_t>(known - index.collationNames.begin()));
            if (known == index.collationNames.end()) index.collationNames.emplace_back(name);
            index.descending.push_back(columns.ColumnInt64(3) != 0);
        }
        index.tableItself = index.origin == "pk" && !endsWithRowid;
    }
    return indexes;
}

bool ReadColumns(sqlite3* db, const std::string& table, std::vector<ColumnShape>& columns) {
    columns.clear();
    try {
        Statement info(db, Pragma("table_xinfo", table));  // cid, name, type, notnull, dflt_value, pk, hidden
        while (info.Step()) {
            ColumnShape column;
            column.name = info.Column(1).ToText();
            column.type = info.Column(2).ToText();
            column.notNull = info.ColumnInt64(3) != 0;
            column.hasDefault = !info.Column(4).IsNull();
            column.key = static_cast<int>(info.ColumnInt64(5));
            column.generated = info.ColumnInt64(6) != 0;
            columns.push_back(std::move(column));
        }
    } catch (const ComError& error) {
        // A table whose module is unknown here; the file's faults are the caller's.
        if (error.Error() != ComError::kError) throw;
        return false;
    }
    return !columns.empty();
}

void ReadColumnDetails(sqlite3* db, const std::string& table, ColumnShape& column) {
    const char* type = nullptr;
    const char* collation = nullptr;
    int notNull = 0, key = 0, autoincrement = 0;
    const int rc = sqlite3_table_column_metadata(db, "main", table.c_str(), column.name.c_str(), &type, &collation,
                                                 &notNull, &key, &autoincrement);
    if (rc != SQLITE_OK) ThrowEngineError(db, rc);
    column.collation = collation ? collation : "";
    column.autoincrement = autoincrement != 0;
}

std::vector<std::string> ForeignKeyParents(sqlite3* db, const std::string& table) {
    Statement keys(db, Pragma("foreign_key_list", table));  // id, seq, table, from, to, ...
    std::vector<std::string> parents;
    while (keys.Step()) parents.push_back(keys.Column(2).ToText());
    return parents;
}

TemplateShape::TemplateShape(const std::string& sql) : m_db(nullptr, sqlite3_close_v2) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    m_db.reset(db);
    if (rc != SQLITE_OK) ThrowEngineError(db, rc);
    const int ran = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    if (ran != SQLITE_OK) ThrowEngineError(db, ran);
    Statement tables(db, "SELECT name FROM sqlite_master WHERE type = 'table'");
    while (tables.Step()) {
        TableShape table;
        table.name = tables.Column(0).ToText();
        if (!ReadColumns(db, table.name, table.columns))
            throw ComError(ComError::kError, "The template's table " + table.name + " has no columns.");
        for (ColumnShape& column : table.columns) ReadColumnDetails(db, table.name, column);
        table.indexes = ReadIndexes(db, table.name);
        table.foreignKeys = static_cast<int>(ForeignKeyParents(db, table.name).size());
        for (const IndexShape& index : table.indexes)
            if (!index.tableItself) m_indexNames[NameKey(index.name)] = index.name;
        m_tables[NameKey(table.name)] = std::move(table);
    }
    Statement rows(db, "SELECT type, name, tbl_name, sql FROM sqlite_master");
    while (rows.Step()) {
        const Variant sql = rows.Column(3);
        m_rows.push_back({rows.Column(0).ToText(), rows.Column(1).ToText(), rows.Column(2).ToText(),
                          sql.IsNull() ? std::nullopt : std::optional<std::string>(sql.ToText())});
    }
    std::sort(m_rows.begin(), m_rows.end());
}

std::optional<size_t> TemplateShape::RowOf(const SchemaTextView& text) const {
    const auto found = std::lower_bound(m_rows.begin(), m_rows.end(), text, [](const SchemaText& row, const SchemaTextView& key) {
        return SchemaTextView(row) < key;
    });
    if (found == m_rows.end() || !(SchemaTextView(*found) == text)) return std::nullopt;
    return static_cast<size_t>(found - m_rows.begin());
}

const TableShape* TemplateShape::Find(const std::string& name) const {
    const auto found = m_tables.find(NameKey(name));
    return found == m_tables.end() ? nullptr : &found->second;
}

std::vector<PlanLoop> TemplateShape::PlanOf(const std::string& sql) const {
    std::lock_guard<std::mutex> guard(m_plansMutex);
    const auto found = m_plans.find(sql);
    if (found != m_plans.end()) return found->second;
    return m_plans[sql] = ReadPlan(m_db.get(), sql);
}

std::string ShapeDifference(sqlite3* db, TableShape found, const TableShape& expected,
                            std::unordered_map<std::string, std::string>& indexNames) {
    const std::string table = QuoteIdentifier(found.name);
    for (const ColumnShape& column : found.columns)
        if (NamesRowid(column.name))
            return "table " + table + " has a column named " + QuoteIdentifier(column.name) +
                   ", which stands for the row id";
    for (const IndexShape& index : found.indexes)
        if (index.tableItself) return "table " + table + " is without row ids";
    std::unordered_map<std::string, ColumnShape*> byName;
    for (ColumnShape& column : found.columns) byName[NameKey(column.name)] = &column;
    for (const ColumnShape& column : expected.columns)
        if (!byName.count(NameKey(column.name)))
            return "table " + table + " lacks the template's column " + QuoteIdentifier(column.name);
    std::unordered_set<std::string> expectedNames;
    for (const ColumnShape& column : expected.columns) expectedNames.insert(NameKey(column.name));
    for (const ColumnShape& column : found.columns)
        if (!expectedNames.count(NameKey(column.name)))
            return "table " + table + " has a column " + QuoteIdentifier(column.name) +
                   " that the template's has not";
    for (const ColumnShape& column : expected.columns) {
        ColumnShape& mine = *byName[NameKey(column.name)];
        ReadColumnDetails(db, found.name, mine);
        const std::string difference = ColumnDifference(found.name, mine, column);
        if (!difference.empty()) return difference;
    }
    std::unordered_map<std::string, std::vector<const IndexShape*>> unmatched;
    for (const IndexShape& index : found.indexes) unmatched[IndexKey(index, found.columns)].push_back(&index);
    for (const IndexShape& index : expected.indexes) {
        std::vector<const IndexShape*>& alike = unmatched[IndexKey(index, expected.columns)];
        if (alike.empty())
            return "table " + table + " lacks the template's " + (index.unique ? "key on " : "index on ") +
                   KeyText(index, expected.columns);
        indexNames[NameKey(index.name)] = alike.back()->name;
        alike.pop_back();
    }
    for (const IndexShape& index : found.indexes)
        if (index.unique && !unmatched[IndexKey(index, found.columns)].empty())
            return "table " + table + " has a key on " + KeyText(index, found.columns) + " that the template's has not";
    if (ForeignKeyParents(db, found.name).size() != static_cast<size_t>(expected.foreignKeys))
        return "the foreign keys of table " + table + " are not the template's";
    return std::string();
}

}  // namespace ado
