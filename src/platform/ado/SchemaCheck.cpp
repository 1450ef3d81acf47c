#include "platform/ado/SchemaCheck.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/ado/ComError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SchemaShape.h"
#include "platform/ado/SqlTokens.h"
#include "platform/ado/Statement.h"
#include "platform/ado/WriteProgram.h"

namespace ado {

namespace {
struct SchemaRow {
    std::string type, name;
    bool hasSql;   // SQLite parses a row with SQL; one without only places an index the table made
    int64_t root;  // the page of its b-tree; 0 for none (a virtual table, a trigger, a view)
};

std::string OnlyData(const std::string& item) { return kOnlyDataText + item; }

std::string RowText(const SchemaRow& row) {
    return "schema row " + QuoteIdentifier(row.name) + " of type '" + row.type + "'";
}

// The first row that is not typed a table or an index, or two rows on one
// b-tree, or "". Each b-tree is one table's or one index's: a write through
// one row would change what another reads. (SQLite refuses a row on page 1,
// the schema's own, and an index on its table's page.)
std::string KindOrTreeFault(const std::vector<SchemaRow>& rows) {
    std::unordered_map<int64_t, std::string> trees;
    for (const SchemaRow& row : rows) {
        if (row.type != "table" && row.type != "index")
            return OnlyData(row.type == "trigger" || row.type == "view"
                                ? row.type + " " + QuoteIdentifier(row.name)
                                : RowText(row));
        if (row.root == 0) continue;
        const auto tree = trees.emplace(row.root, row.name);
        if (!tree.second)
            return OnlyData("schema rows " + QuoteIdentifier(tree.first->second) + " and " +
                            QuoteIdentifier(row.name) + " on one b-tree");
    }
    return std::string();
}

// The first row that is not a table or an index as SQLite parsed it, or "".
// tables gets the table rows' names and indexes each table's indexes.
std::string RowFault(const std::vector<SchemaRow>& rows, sqlite3* db, std::vector<std::string>& tables,
                     std::unordered_map<std::string, std::vector<IndexShape>>& indexes) {
    const std::string fault = KindOrTreeFault(rows);
    if (!fault.empty()) return fault;
    std::unordered_set<std::string> tableNames;
    std::unordered_map<std::string, const IndexShape*> parsedIndexes;
    for (const SchemaRow& row : rows) {
        if (row.type != "table") continue;
        if (!row.hasSql || NamesSchemaTable(row.name) || !IsParsedTable(db, row.name))
            return OnlyData(RowText(row) + " that SQLite does not read as a table");
        if (!tableNames.insert(NameKey(row.name)).second)
            return OnlyData("two schema rows named " + QuoteIdentifier(row.name));
        tables.push_back(row.name);
        std::vector<IndexShape>& own = indexes[NameKey(row.name)] = ReadIndexes(db, row.name);
        if (!own.empty() && NamesEngineTable(row.name))
            return OnlyData("index " + QuoteIdentifier(own[0].name) + " on SQLite's own table " +
                            QuoteIdentifier(row.name));
        for (const IndexShape& index : own)
            if (!index.tableItself) parsedIndexes[NameKey(index.name)] = &index;
    }
    std::unordered_set<std::string> indexNames;
    for (const SchemaRow& row : rows) {
        if (row.type != "index") continue;
        const auto found = parsedIndexes.find(NameKey(row.name));
        if (found == parsedIndexes.end() || row.hasSql != (found->second->origin == "c"))
            return OnlyData(RowText(row) + " that SQLite does not read as an index");
        if (!indexNames.insert(found->first).second)
            return OnlyData("two schema rows named " + QuoteIdentifier(row.name));
    }
    for (const auto& [key, index] : parsedIndexes)
        if (!indexNames.count(key))
            return OnlyData("index " + QuoteIdentifier(index->name) + " without its schema row");
    return std::string();
}

// What in table runs or changes a write, or "".
std::string TableFault(sqlite3* db, const std::string& table, const std::vector<IndexShape>& indexes,
                       size_t budget, std::vector<ColumnShape>& columns) {
    const std::string name = QuoteIdentifier(table);
    if (!ReadColumns(db, table, columns)) return "virtual table " + name;
    for (const ColumnShape& column : columns)
        if (column.generated) return "a generated column in table " + name;
    for (const IndexShape& index : indexes)
        if (!index.plain || index.partial)
            return "index " + QuoteIdentifier(index.name) + " on an expression or with a WHERE clause";
    std::string rules;
    try {
        rules = WriteRules(db, table, columns, indexes, budget);
    } catch (const ComError& error) {
        return "table " + name + ", into which SQLite compiles no insert (" + error.Description() + ")";
    }
    return rules.empty() ? rules : rules + " in table " + name;
}

// Statistics that SQLite's ANALYZE never writes: anything but numbers in
// sqlite_stat1 ("unordered", "sz=", "noskipscan" tell the planner how to
// use an index, beyond how many rows it sorts out). A table SQLite cannot
// read its statistics from gives it none.
std::string StatisticsFault(sqlite3* db) {
    try {
        Statement read(db, "SELECT tbl, idx, stat FROM main.sqlite_stat1");
        while (read.Step()) {
            const Variant idx = read.Column(1);
            if (read.Column(2).ToText().find_first_not_of("0123456789 ") != std::string::npos)
                return "statistics of " + (idx.IsNull() ? "table " + QuoteIdentifier(read.Column(0).ToText())
                                                        : "index " + QuoteIdentifier(idx.ToText())) +
                       " that SQLite's ANALYZE never writes";
        }
    } catch (const ComError& error) {
        // Statistics SQLite cannot read are none to it too; the file's
        // faults (a damaged page, a failed read) are the check's.
        if (error.Error() != ComError::kError) throw;
    }
    return std::string();
}
}  // namespace

std::string ProjectSchemaFault(sqlite3* db, const TemplateShape& shape,
                               std::unordered_map<std::string, std::string>& indexNames) {
    std::vector<SchemaRow> rows;
    std::vector<SchemaText> texts;
    bool allText = true;
    Statement read(db, "SELECT type, name, tbl_name, sql, rootpage, typeof(type) || typeof(name) || "
                       "typeof(tbl_name) || typeof(sql) IN ('texttexttexttext', 'texttexttextnull') "
                       "FROM main.sqlite_master");
    while (read.Step()) {
        const Variant sql = read.Column(3);
        SchemaText text{read.Column(0).ToText(), read.Column(1).ToText(), read.Column(2).ToText(),
                        sql.IsNull() ? std::nullopt : std::optional<std::string>(sql.ToText())};
        rows.push_back({text.type, text.name, text.sql && !text.sql->empty(), read.ColumnInt64(4)});
        allText = allText && read.ColumnInt64(5) != 0;
        if (texts.size() <= shape.Rows().size()) texts.push_back(std::move(text));
    }
    // A schema of exactly the template's own texts is what SQLite made of
    // the template's SQL: the same tables, keys and indexes, as its texts
    // are all SQLite parses of a schema, and no statistics. Only where its
    // rows lie is the file's own.
    std::sort(texts.begin(), texts.end());
    if (allText && texts == shape.Rows()) {
        const std::string fault = KindOrTreeFault(rows);
        if (fault.empty()) indexNames = shape.IndexNames();
        return fault;
    }
    std::vector<std::string> tables;
    std::unordered_map<std::string, std::vector<IndexShape>> indexes;
    std::string fault = RowFault(rows, db, tables, indexes);
    if (!fault.empty()) return fault;
    bool statistics = false;
    const size_t budget = ProgramBudget(db);
    for (const std::string& table : tables) {
        statistics = statistics || NameKey(table) == "SQLITE_STAT1";
        TableShape found;
        found.name = table;
        found.indexes = std::move(indexes[NameKey(table)]);
        fault = TableFault(db, table, found.indexes, budget, found.columns);
        if (!fault.empty()) return OnlyData(fault);
        if (const TableShape* expected = shape.Find(table)) {
            fault = ShapeDifference(db, std::move(found), *expected, indexNames);
            if (!fault.empty()) return kShapeText + fault;
        }
    }
    fault = statistics ? StatisticsFault(db) : std::string();
    return fault.empty() ? fault : OnlyData(fault);
}

}  // namespace ado
