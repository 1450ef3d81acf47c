// The template project database built beside the library must hold every
// column that a record maps, with the type the record gives it.
#include <gtest/gtest.h>

#include <set>
#include <sqlite3.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "ATMLViewLayer/TaDB/DBActTD/TemplateSchema.h"
#include "ATMLViewLayer/TaDB/RuriDAriRAZudidarUri/RuriDAriRAZudidarUri.h"
#include "platform/ado/SchemaShape.h"
#include "support/Records.h"
#include "support/TestFiles.h"
#include "support/WrittenColumns.h"

namespace {
std::string TemplatePath() {
    CATMLCommonFun fun;
    CString folder;
    fun.GetModulePath(folder, g_hInstance, false);
    return std::string(folder) + "/tpstemplate.dll";
}

// A copy of the template to read: a reader of a file in write-ahead logging
// mode leaves its log and index beside it, and none may lie beside the
// template.
class TemplateCopy {
public:
    TemplateCopy() : m_path(m_dir.File("tpstemplate.dll")) { WriteFile(m_path, ReadFile(TemplatePath())); }
    const std::string& Path() const { return m_path; }

private:
    TempDir m_dir;
    std::string m_path;
};
}  // namespace

TEST(Template, HoldsEveryMappedColumnWithItsTypeAndAUniqueKey) {
    ASSERT_TRUE(FileExists(TemplatePath())) << TemplatePath();
    const TemplateCopy copy;
    const std::string& path = copy.Path();
    int tables = 0;
    ForEachRecordType([&](auto sample) {
        using R = decltype(sample);
        const ColumnMap<R>& map = ColumnMapOf<R>();
        SCOPED_TRACE(map.table);
        ++tables;
        // name, declared type, part of the primary key
        auto info = RawQuery(path, std::string("SELECT name, type, pk FROM pragma_table_info('") + map.table + "')");
        ASSERT_FALSE(info.empty()) << "table missing";
        std::set<std::string> templateColumns;
        for (const auto& row : info) templateColumns.insert(row[0]);
        std::set<std::string> mapped;
        for (const Column<R>& column : map.columns) {
            ASSERT_TRUE(mapped.insert(column.Name()).second) << column.Name() << " mapped twice";
            auto row = std::find_if(info.begin(), info.end(), [&](const auto& r) { return r[0] == column.Name(); });
            ASSERT_NE(row, info.end()) << column.Name() << " is not in the template";
            EXPECT_EQ((*row)[1], DeclaredType(column.Type())) << column.Name();
        }
        for (const std::string& name : templateColumns)
            if (name != "ID") {
                EXPECT_TRUE(mapped.count(name)) << name << " has no member";
            }
        // The key is the primary key, or unique where the table's ID is the primary key.
        auto unique = RawQuery(path, std::string("SELECT count(*) FROM pragma_index_list('") + map.table +
                                         "') AS l, pragma_index_info(l.name) AS i WHERE l.[unique] = 1 AND i.name = '" +
                                         map.key + "'");
        EXPECT_EQ(unique[0][0], "1") << map.key << " is not unique";
    });
    EXPECT_EQ(tables, 23);
}

// Every text column of every table compares without regard to letter
// case, as SQLite parsed the template: a row holding "Ab" in each text
// column is found by "aB" in each, and by nothing of other letters.
TEST(Template, EveryTextColumnComparesWithoutRegardToCase) {
    const TemplateCopy copy;
    const std::string& path = copy.Path();
    const auto tables = RawQuery(path, "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite%'");
    EXPECT_EQ(tables.size(), 23u);
    int texts = 0;
    for (const auto& table : tables) {
        SCOPED_TRACE(table[0]);
        std::vector<std::string> columns;
        for (const auto& column : RawQuery(path, "SELECT name FROM pragma_table_info('" + table[0] + "') WHERE type = 'TEXT'"))
            columns.push_back("\"" + column[0] + "\"");
        ASSERT_FALSE(columns.empty());
        std::string names, values;
        for (const std::string& column : columns) {
            names += (names.empty() ? "" : ", ") + column;
            values += std::string(values.empty() ? "" : ", ") + "'Ab'";
        }
        RawExec(path, "DELETE FROM \"" + table[0] + "\"; INSERT INTO \"" + table[0] + "\" (" + names + ") VALUES (" +
                          values + ")");
        for (const std::string& column : columns) {
            const std::string count = "SELECT count(*) FROM \"" + table[0] + "\" WHERE " + column + " = ";
            EXPECT_EQ(RawQuery(path, count + "'aB'")[0][0], "1") << column;
            EXPECT_EQ(RawQuery(path, count + "'aC'")[0][0], "0") << column;
            ++texts;
        }
    }
    EXPECT_EQ(texts, 294);  // the text columns the template declares
}

TEST(Template, GivesEveryTableWithAnEditionTenOrMore) {
    auto rows = RawQuery(TemplateCopy().Path(), "SELECT \"TABLE\", EDITION FROM EditionTable");
    std::set<std::string> named;
    for (const auto& row : rows) {
        EXPECT_GE(std::stoi(row[1]), 10) << row[0];
        named.insert(row[0]);
    }
    for (const char* table :
         {"EntryTable", "TestGroupTable", "TestGroupEntryTable", "TestPointTable", "ActionConnectTable",
          "ActionDisconnectTable", "ActionResetTable", "ActionReadTable", "ActionSetupTable", "FormulaTable",
          "InstrumentTable", "MessageHintTable", "ParameterTable", "MeasurementTable", "SignalTable",
          "TestActionEntryTable", "TpsTable", "OutcomeTable", "TestResultTable", "ActionCompareTable"})
        EXPECT_TRUE(named.count(table)) << table;
}

TEST(Template, IsAClosedSelfContainedFileInWriteAheadLogMode) {
    // The file alone is the template: a copy of it, without any log beside
    // it, holds the tables, and projects made from it start in the mode
    // every write expects.
    const TemplateCopy template_;
    const std::string& copy = template_.Path();
    EXPECT_EQ(RawQuery(copy, "SELECT count(*) FROM EditionTable")[0][0], "20");
    EXPECT_EQ(RawQuery(copy, "PRAGMA journal_mode")[0][0], "wal");
    for (const char* journal : {"-journal", "-wal", "-shm"}) EXPECT_FALSE(FileExists(TemplatePath() + journal));
}

// Open skips the compiled comparison for a file whose schema rows are the
// template's own texts: the template file, and so every new project, holds
// exactly those that the SQL compiled into the library makes.
TEST(Template, HoldsTheSchemaRowsItsSqlMakes) {
    const TemplateCopy copy;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(copy.Path().c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* read = nullptr;
    sqlite3_prepare_v2(db, "SELECT type, name, tbl_name, sql FROM sqlite_master", -1, &read, nullptr);
    std::vector<ado::SchemaText> rows;
    auto text = [&](int i) { return std::string(reinterpret_cast<const char*>(sqlite3_column_text(read, i))); };
    while (sqlite3_step(read) == SQLITE_ROW)
        rows.push_back({text(0), text(1), text(2),
                        sqlite3_column_type(read, 3) == SQLITE_NULL ? std::nullopt : std::optional<std::string>(text(3))});
    sqlite3_finalize(read);
    sqlite3_close(db);
    std::sort(rows.begin(), rows.end());
    const ado::TemplateShape shape(TemplateSchemaSql());
    EXPECT_GT(shape.Rows().size(), 23u);
    EXPECT_TRUE(rows == shape.Rows());
}
