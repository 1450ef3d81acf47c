// A host's own tables beside the template's: what only the host's own
// writes run may stand in a table the store never reads or writes; what
// could run in the store's own work stays refused, with its text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ado/Connection.h"
#include "support/Bounded.h"

namespace {
const std::string kRuns = std::string("-1 ") + ado::kOnlyDataText;

struct HostTableCase {
    std::string sql;                  // run on a new project holding test group g1
    std::vector<std::string> writes;  // the host's own, through the store's connection
    std::string opened;               // Open's verdict, each write's result, then the store's add and delete
    std::string query = "";           // read from the file afterwards, where it opened
    std::string rows = "";            // its first row
};

void Check(const HostTableCase& c) {
    SCOPED_TRACE(c.sql);
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj", "INSERT INTO TestGroupTable (TG_UUID) VALUES ('g1')");
    RawExec(path, c.sql);
    EXPECT_EQ(Opened(dir, path, [&](TestStore& store) {
                  std::string results;
                  for (const std::string& write : c.writes)
                      results += std::to_string(store.m_dbMng.Execute(write.c_str())) + " ";
                  CTaDBTestGroup group;
                  return results + std::to_string(store.AddItem_TestGroupTable(group, 1)) +
                         std::to_string(store.DelItem_TestGroupTable("g1"));
              }),
              c.opened);
    if (c.opened[0] != '1') return;
    const std::vector<std::vector<std::string>> rows = RawQuery(path, c.query);
    std::string got;
    for (const std::string& value : rows.at(0)) got += (got.empty() ? "" : " ") + value;
    EXPECT_EQ(got, c.rows);
}

std::string Insert(const char* values) { return std::string("INSERT INTO HostLog (id, level, msg, note) VALUES ") + values; }
}  // namespace

// A host table with each kind of computed default, a CHECK, generated
// columns, a conflict clause, an index on an expression and one with a
// WHERE: the project opens, the store works, and the host's writes run
// them all. One linked to a table the store writes holds nothing that runs,
// as the store's delete reaches it where the host turns foreign keys on.
TEST(HostTables, AHostTableHoldsWhatOnlyTheHostsWritesRun) {
    const char* const digits = "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]";
    const HostTableCase cases[] = {
        {"CREATE TABLE HostLog (id INTEGER PRIMARY KEY, level INTEGER CHECK (level > 0), "
         "msg TEXT UNIQUE ON CONFLICT REPLACE, note TEXT, stamp DEFAULT CURRENT_TIMESTAMP, day DEFAULT CURRENT_DATE, "
         "jd REAL DEFAULT (julianday('now')), tag INTEGER DEFAULT (random()), label DEFAULT ('v' || (2 * 21)), "
         "twice AS (level * 2) VIRTUAL, thrice AS (level * 3) STORED);"
         "CREATE UNIQUE INDEX HostNotes ON HostLog (lower(note));"
         "CREATE UNIQUE INDEX HostHigh ON HostLog (level) WHERE level > 8",
         {Insert("(1, 7, 'a', 'N1')"), Insert("(2, 8, 'a', 'N2')"), Insert("(3, 0, 'b', 'N3')"),
          Insert("(4, 9, 'c', 'n2')"), Insert("(5, 9, 'd', 'N5')"), Insert("(6, 9, 'e', 'N6')"),
          Insert("(7, 8, 'f', 'N7')")},
         "1 1 1 -1 -1 1 -1 1 11",
         std::string("SELECT group_concat(id), min(stamp GLOB ") + digits + " [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'), " +
             "min(day GLOB " + digits + "'), min(typeof(jd) = 'real' AND jd > 2459000), count(DISTINCT tag), " +
             "min(typeof(tag)), min(label), group_concat(twice), group_concat(thrice) FROM (SELECT * FROM HostLog "
             "ORDER BY id)",
         "2,5,7 1 1 1 3 integer v42 16,18,16 24,27,24"},
        {"CREATE TABLE HostLog (g TEXT REFERENCES TestGroupTable ON DELETE CASCADE, msg TEXT)",
         {"PRAGMA foreign_keys = ON", "INSERT INTO HostLog VALUES ('g1', 'a')"}, "1 1 1 11",
         "SELECT count(*) FROM HostLog", "0"},
    };
    for (const HostTableCase& c : cases) Check(c);
}

// Triggers and views, an index on an expression or with a WHERE on a table
// of the template's, what could run in a host table that foreign keys link
// to the template's (directly, through another host table, or as the parent
// of one); and files whose other template rows are the template's byte for
// byte, with a host table on the b-tree of one, or the test group table
// renamed in other letters with a CHECK constraint.
TEST(HostTables, WhatCouldRunInTheStoresWorkIsRefused) {
    const std::string linked = "CREATE TABLE HostA (id TEXT PRIMARY KEY, g TEXT REFERENCES TestGroupTable);";
    const std::string groups = RawQuery(MakeProject(TempDir(), "t.tarnprj"),
                                        "SELECT sql FROM sqlite_master WHERE name = 'TestGroupTable'")[0][0];
    std::string renamed = "CREATE TABLE TESTGROUPTABLE" + groups.substr(groups.find(" ("));
    renamed.replace(renamed.rfind(')'), 1, ", CHECK (TG_SLEEP_PRE > 0))");
    const HostTableCase cases[] = {
        {"CREATE TRIGGER Wipe AFTER INSERT ON TestGroupTable BEGIN DELETE FROM TestPointTable; END", {},
         kRuns + "trigger \"Wipe\""},
        {"CREATE TABLE HostLog (msg); CREATE TRIGGER Stamp AFTER INSERT ON HostLog BEGIN SELECT 1; END", {},
         kRuns + "trigger \"Stamp\""},
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
        {"CREATE TABLE HostLog (msg); PRAGMA writable_schema=ON; UPDATE sqlite_master SET rootpage = "
         "(SELECT rootpage FROM sqlite_master WHERE name = 'TestPointTable') WHERE name = 'HostLog'",
         {}, kRuns + "schema rows \"TestPointTable\" and \"HostLog\" on one b-tree"},
        {"PRAGMA writable_schema=ON; UPDATE sqlite_master SET name = 'TESTGROUPTABLE', tbl_name = 'TESTGROUPTABLE', "
         "sql = '" + renamed + "' WHERE name = 'TestGroupTable'",
         {}, kRuns + "a CHECK constraint in table \"TESTGROUPTABLE\""},
    };
    for (const HostTableCase& c : cases) Check(c);
}
