// Each table's columns, pinned by plain statements that name them: the
// template declares exactly the columns written out in support/
// WrittenColumns.h with the type of the member beside each; a row the store
// writes from a record is read back by a SELECT that names every column,
// and a row that an INSERT naming every column writes is read by the store
// into the members beside them. Every column gets a value of its own, so
// two members exchanged in a record's column map show.
#include <gtest/gtest.h>

#include <set>

#include "support/WrittenColumns.h"

namespace {
// The value the ith column (from 0) gets, as SQL and as the test expects to read it.
struct Value {
    std::string sql;
    std::string text;  // for a text, its text; for a number, its number as SQLite prints it
};

template <class R>
Value ValueFor(const Column<R>& column, size_t i) {
    switch (column.Type()) {
        case ColumnType::Text: {
            const std::string text = std::string(column.Name()) + " 值";
            return {"'" + text + "'", text};
        }
        case ColumnType::Long: return {std::to_string(1001 + i), std::to_string(1001 + i)};
        case ColumnType::Date: {
            const std::string day = std::to_string(40001 + i) + ".5";
            return {day, day};
        }
    }
    return {};
}

template <class R>
void SetEveryMember(R& record, const std::vector<Column<R>>& columns) {
    for (size_t i = 0; i < columns.size(); ++i) {
        const Column<R>& column = columns[i];
        switch (column.Type()) {
            case ColumnType::Text: record.*column.TextMember() = ValueFor(column, i).text.c_str(); break;
            case ColumnType::Long: record.*column.LongMember() = static_cast<long>(1001 + i); break;
            case ColumnType::Date: record.*column.DateMember() = COleDateTime(40001.5 + static_cast<double>(i)); break;
        }
    }
}

template <class R>
void ExpectEveryMember(const R& record, const std::vector<Column<R>>& columns) {
    for (size_t i = 0; i < columns.size(); ++i) {
        const Column<R>& column = columns[i];
        const std::string expected = ValueFor(column, i).text;
        switch (column.Type()) {
            case ColumnType::Text: EXPECT_EQ((record.*column.TextMember()).GetString(), expected) << column.Name(); break;
            case ColumnType::Long: EXPECT_EQ(std::to_string(record.*column.LongMember()), expected) << column.Name(); break;
            case ColumnType::Date: EXPECT_EQ((record.*column.DateMember()).m_dt, std::stod(expected)) << column.Name(); break;
        }
    }
}

template <class R>
std::string Names(const std::vector<Column<R>>& columns, const std::string& prefix = "") {
    std::string names;
    for (const Column<R>& column : columns) names += (names.empty() ? "" : ", ") + prefix + column.Name();
    return names;
}

template <class F>
void ForEachWrittenTable(F&& f) {
    std::apply([&](const auto&... tables) { (f(tables), ...); }, WrittenTables());
}

class TableColumns : public ::testing::Test {
protected:
    TempDir dir;
    const std::string project = MakeProject(dir, "p.tarnprj");
};

template <class R>
void ExpectDeclared(const std::string& project, const char* table, const std::vector<Column<R>>& columns) {
    SCOPED_TRACE(table);
    std::set<std::pair<std::string, std::string>> declared, written;
    for (const auto& row : RawQuery(project, std::string("SELECT name, type FROM pragma_table_info('") + table + "')"))
        if (row[0] != "ID") declared.insert({row[0], row[1]});
    for (const Column<R>& column : columns) written.insert({column.Name(), DeclaredType(column.Type())});
    EXPECT_EQ(declared, written);
    EXPECT_EQ(written.size(), columns.size()) << "a column written twice";
}
}  // namespace

TEST_F(TableColumns, TheTemplateDeclaresExactlyTheWrittenColumnsWithTheirMembersTypes) {
    int tables = 0;
    ForEachWrittenTable([&](const auto& table) {
        ExpectDeclared(project, table.name, table.columns);
        ++tables;
    });
    ExpectDeclared(project, "EditionTable", WrittenEditionColumns());
    EXPECT_EQ(tables + 1, 23);
}

TEST_F(TableColumns, ARowTheStoreWritesHoldsEachMemberInTheColumnOfItsName) {
    TestStore store(dir);
    ASSERT_EQ(store.Open(project.c_str()), 1);
    ForEachWrittenTable([&](const auto& table) {
        SCOPED_TRACE(table.name);
        typename std::decay_t<decltype(table)>::Record record;
        SetEveryMember(record, table.columns);
        ASSERT_EQ(table.add(store, record), 1) << store.GetErrorInfo().GetString();
        const auto rows = RawQuery(project, "SELECT " + Names(table.columns) + " FROM " + table.name);
        ASSERT_EQ(rows.size(), 1u);
        for (size_t i = 0; i < table.columns.size(); ++i)
            EXPECT_EQ(rows[0][i], ValueFor(table.columns[i], i).text) << table.columns[i].Name();
    });
}

TEST_F(TableColumns, ARowWrittenByColumnNameIsReadIntoTheMemberOfEachName) {
    ForEachWrittenTable([&](const auto& table) {
        std::string values;
        for (size_t i = 0; i < table.columns.size(); ++i)
            values += (i ? ", " : "") + ValueFor(table.columns[i], i).sql;
        RawExec(project, std::string("INSERT INTO ") + table.name + " (" + Names(table.columns) + ") VALUES (" +
                             values + ")");
    });
    TestStore store(dir);
    ASSERT_EQ(store.Open(project.c_str()), 1);
    ForEachWrittenTable([&](const auto& table) {
        using R = typename std::decay_t<decltype(table)>::Record;
        SCOPED_TRACE(table.name);
        CObList list;
        ASSERT_EQ(table.list(store, list), 1) << store.GetErrorInfo().GetString();
        ASSERT_EQ(list.GetCount(), 1);
        ExpectEveryMember(*static_cast<R*>(list.GetHead()), table.columns);
        store.ClearObjectList(list, "");
    });
}
