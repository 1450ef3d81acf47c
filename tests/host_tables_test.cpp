// A host's own tables beside the template's in a project file: what only
// the host's own writes run may stand in a table the store never reads or
// writes, and the project opens; what could run inside the store's own
// work stays refused, with its text, and so does a file whose template rows
// are byte for byte the template's while another row shares a b-tree with
// one or takes a template table's name in other letters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ado/Connection.h"
#include "support/Bounded.h"

namespace {
const std::string kRuns = std::string("-1 ") + ado::kOnlyDataText;

// Test group g1 with a step of test point p1.
const char kRows[] =
    "INSERT INTO TestGroupTable (TG_UUID, TG_NAME) VALUES ('g1', 'A');"
    "INSERT INTO TestPointTable (TP_UUID) VALUES ('p1');"
    "INSERT INTO TestActionEntryTable (STEP_UUID, TP_UUID, ACTION_UUID, SEQUENCE) VALUES ('s1', 'p1', 'a1', 1)";

struct HostTableCase {
    std::string sql;                  // run on a new project with kRows
    std::vector<std::string> writes;  // the host's own, through the store's connection, before the store works
    std::string opened;               // Open's verdict, then each write's result and the store's
    std::string query = "";           // read from the file afterwards, where it opened
    std::string rows = "";            // what the query gives
};

// The store at work beside the host's table: a group added, g1 deleted.
std::string StoreWorks(TestStore& store) {
    CTaDBTestGroup group;
    group.m_strTgName = "B";
    return std::to_string(store.AddItem_TestGroupTable(group, 1)) + std::to_string(store.DelItem_TestGroupTable("g1"));
}

void Check(const HostTableCase& c) {
    SCOPED_TRACE(c.sql);
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj", kRows);
    RawExec(path, c.sql);
    const std::string opened = Opened(dir, path, [&](TestStore& store) {
        std::string results;
        for (const std::string& write : c.writes) results += std::to_string(store.m_dbMng.Execute(write.c_str())) + " ";
        return results + StoreWorks(store);
    });
    EXPECT_EQ(opened, c.opened);
    if (opened[0] == '1') {
        EXPECT_EQ(RawQuery(path, "SELECT count(*) FROM TestGroupTable WHERE TG_NAME = 'B'")[0][0], "1");
        const std::vector<std::vector<std::string>> rows = RawQuery(path, c.query);
        std::string got;
        for (const std::vector<std::string>& row : rows)
            for (const std::string& value : row) got += (got.empty() ? "" : " ") + value;
        EXPECT_EQ(got, c.rows);
    }
}

const char kDateTime[] = "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'";
}  // namespace

// Computed defaults, CHECK constraints, generated columns, conflict
// clauses, indexes on expressions or with a WHERE clause: in a host table
// the project opens, the store works, and the host's own writes run them.
TEST(HostTables, AHostTableHoldsWhatOnlyTheHostsWritesRun) {
    const std::string log = "CREATE TABLE HostLog (id INTEGER PRIMARY KEY, level INTEGER, msg TEXT";
    const HostTableCase cases[] = {
        {log + ", created DEFAULT CURRENT_TIMESTAMP)", {"INSERT INTO HostLog (msg) VALUES ('a')"}, "1 1 11",
         std::string("SELECT created GLOB ") + kDateTime + " FROM HostLog", "1"},
        {log + ", created DEFAULT CURRENT_DATE)", {"INSERT INTO HostLog (msg) VALUES ('a')"}, "1 1 11",
         "SELECT created GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]' FROM HostLog", "1"},
        {log + ", created REAL DEFAULT (julianday('now')))", {"INSERT INTO HostLog (msg) VALUES ('a')"}, "1 1 11",
         "SELECT typeof(created), created > 2459000 FROM HostLog", "real 1"},
        {log + ", tag INTEGER DEFAULT (random()))",
         {"INSERT INTO HostLog (msg) VALUES ('a')", "INSERT INTO HostLog (msg) VALUES ('b')"}, "1 1 1 11",
         "SELECT typeof(min(tag)), count(DISTINCT tag) FROM HostLog", "integer 2"},
        {log + ", tag TEXT DEFAULT ('v' || (2 * 21)))", {"INSERT INTO HostLog (msg) VALUES ('a')"}, "1 1 11",
         "SELECT tag FROM HostLog", "v42"},
        {log + ", CHECK (level > 0))",
         {"INSERT INTO HostLog (level) VALUES (1)", "INSERT INTO HostLog (level) VALUES (0)"}, "1 1 -1 11",
         "SELECT group_concat(level) FROM HostLog", "1"},
        {log + ", twice INTEGER AS (level * 2) VIRTUAL)", {"INSERT INTO HostLog (level) VALUES (21)"}, "1 1 11",
         "SELECT twice FROM HostLog", "42"},
        {log + ", twice INTEGER AS (level * 2) STORED)", {"INSERT INTO HostLog (level) VALUES (21)"}, "1 1 11",
         "SELECT twice FROM HostLog", "42"},
        {log + " UNIQUE ON CONFLICT REPLACE)",
         {"INSERT INTO HostLog VALUES (1, 0, 'a')", "INSERT INTO HostLog VALUES (2, 0, 'a')"}, "1 1 1 11",
         "SELECT group_concat(id) FROM HostLog", "2"},
        {log + " NOT NULL ON CONFLICT IGNORE)", {"INSERT INTO HostLog (level) VALUES (1)"}, "1 1 11",
         "SELECT count(*) FROM HostLog", "0"},
        {log + "); CREATE UNIQUE INDEX HostByLower ON HostLog (lower(msg))",
         {"INSERT INTO HostLog (msg) VALUES ('A')", "INSERT INTO HostLog (msg) VALUES ('a')"}, "1 1 -1 11",
         "SELECT group_concat(msg) FROM HostLog", "A"},
        {log + "); CREATE UNIQUE INDEX HostLevels ON HostLog (msg) WHERE level > 0",
         {"INSERT INTO HostLog VALUES (1, 1, 'a')", "INSERT INTO HostLog VALUES (2, 0, 'a')",
          "INSERT INTO HostLog VALUES (3, 2, 'a')"},
         "1 1 1 -1 11", "SELECT group_concat(id) FROM HostLog", "1,2"},
        // Linked to a table the store writes, and holding nothing that runs:
        // the store's delete reaches it where the host turns foreign keys on.
        {"CREATE TABLE HostLog (g TEXT REFERENCES TestGroupTable ON DELETE CASCADE, msg TEXT)",
         {"PRAGMA foreign_keys = ON", "INSERT INTO HostLog VALUES ('g1', 'a')"}, "1 1 1 11",
         "SELECT count(*) FROM HostLog", "0"},
    };
    for (const HostTableCase& c : cases) Check(c);
}

// Triggers and views, an index on an expression or with a WHERE clause on a
// table of the template's, and what could run in a host table that the
// store's writes reach by foreign keys (directly, through another host
// table, or as the parent of one) stay refused.
TEST(HostTables, WhatCouldRunInTheStoresWorkIsRefused) {
    const std::string linked = "CREATE TABLE HostA (id TEXT PRIMARY KEY, g TEXT REFERENCES TestGroupTable);";
    const HostTableCase cases[] = {
        {"CREATE TRIGGER Wipe AFTER INSERT ON TestGroupTable BEGIN DELETE FROM TestPointTable; END", {},
         kRuns + "trigger \"Wipe\""},
        {"CREATE TABLE HostLog (msg TEXT);"
         "CREATE TRIGGER Stamp AFTER INSERT ON HostLog BEGIN UPDATE HostLog SET msg = 'x'; END",
         {}, kRuns + "trigger \"Stamp\""},
        {"CREATE VIEW HostView AS SELECT * FROM TpsTable", {}, kRuns + "view \"HostView\""},
        {"CREATE INDEX ByLength ON TestGroupTable (length(TG_NAME))", {},
         kRuns + "index \"ByLength\" on an expression or with a WHERE clause"},
        {"CREATE INDEX Named ON TestGroupTable (TG_NAME) WHERE TG_NAME IS NOT NULL", {},
         kRuns + "index \"Named\" on an expression or with a WHERE clause"},
        {"CREATE TABLE HostLog (g TEXT REFERENCES TestGroupTable ON DELETE SET NULL, level INTEGER CHECK (level > 0))",
         {}, kRuns + "a CHECK constraint in table \"HostLog\""},
        {linked + "CREATE TABLE HostB (a TEXT REFERENCES HostA ON DELETE SET DEFAULT, at DEFAULT CURRENT_TIMESTAMP)",
         {}, kRuns + "a default expression in table \"HostB\""},
        {"CREATE TABLE HostP (id TEXT PRIMARY KEY, n AS (id || 'x'));" + linked +
             "CREATE TABLE HostC (a TEXT REFERENCES HostA, p TEXT REFERENCES HostP)",
         {}, kRuns + "a generated column in table \"HostP\""},
        {linked + "CREATE INDEX HostLower ON HostA (lower(id))", {},
         kRuns + "index \"HostLower\" on an expression or with a WHERE clause"},
    };
    for (const HostTableCase& c : cases) Check(c);
}

// Every row of the template's texts byte for byte, beside a host table on
// the b-tree of one of them; and the template's test group table under a
// name in other letters, with a CHECK constraint, its index rows the
// template's: both refused.
TEST(HostTables, TemplateRowsVouchOnlyForThemselves) {
    const std::string groups = RawQuery(MakeProject(TempDir(), "t.tarnprj"),
                                        "SELECT sql FROM sqlite_master WHERE name = 'TestGroupTable'")[0][0];
    std::string renamed = "CREATE TABLE TESTGROUPTABLE" + groups.substr(groups.find(" ("));
    renamed.replace(renamed.rfind(')'), 1, ", CHECK (TG_SLEEP_PRE > 0))");
    const HostTableCase cases[] = {
        {"CREATE TABLE HostLog (msg TEXT); PRAGMA writable_schema=ON; UPDATE sqlite_master SET rootpage = "
         "(SELECT rootpage FROM sqlite_master WHERE name = 'TestPointTable') WHERE name = 'HostLog'",
         {}, kRuns + "schema rows \"TestPointTable\" and \"HostLog\" on one b-tree"},
        {"PRAGMA writable_schema=ON; UPDATE sqlite_master SET name = 'TESTGROUPTABLE', tbl_name = 'TESTGROUPTABLE', "
         "sql = '" + renamed + "' WHERE name = 'TestGroupTable'",
         {}, kRuns + "a CHECK constraint in table \"TESTGROUPTABLE\""},
    };
    for (const HostTableCase& c : cases) Check(c);
}
