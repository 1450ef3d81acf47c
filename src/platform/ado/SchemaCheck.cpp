#include "platform/ado/SchemaCheck.h"

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
    std::string type, name, table;
    bool hasSql;   // SQLite parses a row with SQL; one without only places an index the table made
    int64_t root;  // the page of its b-tree; 0 for none (a virtual table, a trigger, a view)
    std::optional<size_t> templateRow;  // the template's row of its texts, byte for byte, if it is one
};

std::string OnlyData(const std::string& item) { return kOnlyDataText + item; }

// The text in column of the row read stands on, as the engine holds it.
std::string_view TextOf(Statement& read, int column) {
    const VariantView view = read.ColumnView(column);
    return std::string_view(view.text ? view.text : "", view.size);
}

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

// Of rows, those the template's texts do not vouch for: all but the
// template's rows of a table whose every row is there, byte for byte
// (found, by the template's rows), and which no other row names, by its own
// name or its table's, as SQLite compares names (an index on the table, a
// row named like it).
std::vector<SchemaRow> RowsToJudge(const std::vector<SchemaRow>& rows, const std::vector<bool>& found,
                                   const TemplateShape& shape) {
    std::unordered_set<std::string> judged;  // the template's tables, by NameKey
    for (size_t i = 0; i < found.size(); ++i)
        if (!found[i]) judged.insert(NameKey(shape.Rows()[i].table));
    for (const SchemaRow& row : rows) {
        if (row.templateRow) continue;
        for (const std::string* named : {&row.name, &row.table})
            if (shape.Find(*named)) judged.insert(NameKey(*named));
    }
    std::vector<SchemaRow> toJudge;
    for (const SchemaRow& row : rows)
        if (!row.templateRow || judged.count(NameKey(row.table))) toJudge.push_back(row);
    return toJudge;
}

// The first row that is not a table or an index as SQLite parsed it, or "".
// tables gets the table rows' names and indexes each table's indexes.
std::string RowFault(const std::vector<SchemaRow>& rows, sqlite3* db, std::vector<std::string>& tables,
                     std::unordered_map<std::string, std::vector<IndexShape>>& indexes) {
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

// The host's tables among tables that the store's writes may reach where a
// host turns foreign keys on, by NameKey (with tables of the template's
// beside): linked to a table of the template's by their foreign keys (the
// template's tables have none), directly or through other tables, either
// way (a delete of a parent acts on its children, a write of a child looks
// up its parent).
std::unordered_set<std::string> ReachedByForeignKeys(sqlite3* db, const TemplateShape& shape,
                                                     const std::vector<std::string>& tables) {
    std::unordered_map<std::string, std::vector<std::string>> links;
    for (const std::string& table : tables) {
        if (shape.Find(table)) continue;
        const std::string child = NameKey(table);
        for (const std::string& parent : ForeignKeyParents(db, table)) {
            links[child].push_back(NameKey(parent));
            links[NameKey(parent)].push_back(child);
        }
    }
    std::unordered_set<std::string> reached;
    std::vector<std::string> next;
    for (const auto& link : links)
        if (shape.Find(link.first)) next.push_back(link.first);
    reached.insert(next.begin(), next.end());
    while (!next.empty()) {
        const std::string table = std::move(next.back());
        next.pop_back();
        for (const std::string& linked : links[table])
            if (reached.insert(linked).second) next.push_back(linked);
    }
    return reached;
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

// The first fault of tables (with their indexes), or "": each of the
// template's is held to what a table the store reads may hold and to the
// template's shape, and so is each host table the store's writes may reach;
// the host's other tables only to be tables SQLite can read without a module.
std::string TablesFault(sqlite3* db, const TemplateShape& shape, const std::vector<std::string>& tables,
                        std::unordered_map<std::string, std::vector<IndexShape>>& indexes,
                        std::unordered_map<std::string, std::string>& indexNames) {
    const std::unordered_set<std::string> reached = ReachedByForeignKeys(db, shape, tables);
    bool statistics = false;
    const size_t budget = ProgramBudget(db);
    for (const std::string& table : tables) {
        const std::string key = NameKey(table);
        statistics = statistics || key == "SQLITE_STAT1";
        TableShape found;
        found.name = table;
        found.indexes = std::move(indexes[key]);
        const TableShape* expected = shape.Find(table);
        if (!expected && !reached.count(key)) {
            if (!ReadColumns(db, table, found.columns)) return OnlyData("virtual table " + QuoteIdentifier(table));
            continue;
        }
        std::string fault = TableFault(db, table, found.indexes, budget, found.columns);
        if (!fault.empty()) return OnlyData(fault);
        if (expected) {
            fault = ShapeDifference(db, std::move(found), *expected, indexNames);
            if (!fault.empty()) return kShapeText + fault;
        }
    }
    const std::string fault = statistics ? StatisticsFault(db) : std::string();
    return fault.empty() ? fault : OnlyData(fault);
}
}  // namespace

std::string ProjectSchemaFault(sqlite3* db, const TemplateShape& shape,
                               std::unordered_map<std::string, std::string>& indexNames) {
    std::vector<SchemaRow> rows;
    std::vector<bool> matched(shape.Rows().size());
    Statement read(db, "SELECT type, name, tbl_name, sql, rootpage, typeof(type) || typeof(name) || "
                       "typeof(tbl_name) || typeof(sql) IN ('texttexttexttext', 'texttexttextnull') "
                       "FROM main.sqlite_master");
    while (read.Step()) {
        std::optional<size_t> templateRow;
        SchemaRow row{};
        if (read.ColumnInt64(5) != 0) {
            // Texts all: compared with the template's as the engine holds them.
            const std::string_view type = TextOf(read, 0), name = TextOf(read, 1), table = TextOf(read, 2);
            const bool hasSql = !read.ColumnView(3).IsNull();
            const std::string_view sql = TextOf(read, 3);
            templateRow = shape.RowOf({type, name, table, hasSql ? std::optional<std::string_view>(sql) : std::nullopt});
            row = {std::string(type), std::string(name), std::string(table), !sql.empty(), 0, std::nullopt};
        } else {
            row = {read.Column(0).ToText(), read.Column(1).ToText(), read.Column(2).ToText(),
                   !read.Column(3).ToText().empty(), 0, std::nullopt};
        }
        // Each of the template's rows vouches for one row at most.
        if (templateRow && matched[*templateRow]) templateRow.reset();
        if (templateRow) matched[*templateRow] = true;
        row.root = read.ColumnInt64(4);
        row.templateRow = templateRow;
        rows.push_back(std::move(row));
    }
    std::string fault = KindOrTreeFault(rows);
    if (!fault.empty()) return fault;
    // A row of the template's own texts is what SQLite made of the
    // template's SQL, as its texts are all SQLite parses of a schema: a
    // table of the template's all of whose rows are so, and which no other
    // row names, has the template's shape, keys and indexes; only where its
    // rows lie is the file's own. The other rows are judged.
    indexNames = shape.IndexNames();
    std::vector<std::string> tables;
    std::unordered_map<std::string, std::vector<IndexShape>> indexes;
    const std::vector<SchemaRow> toJudge = RowsToJudge(rows, matched, shape);
    fault = RowFault(toJudge, db, tables, indexes);
    // A row that did not name the table of its index, which SQLite may
    // load: every row is judged.
    if (!fault.empty() && toJudge.size() < rows.size()) {
        tables.clear();
        indexes.clear();
        fault = RowFault(rows, db, tables, indexes);
    }
    return fault.empty() ? TablesFault(db, shape, tables, indexes, indexNames) : fault;
}

}  // namespace ado
