// Project files made to get past a check that read the schema's text: each
// made from a valid project with a raw connection (writable_schema where a
// row must be rewritten), then opened within a time limit. What SQLite
// parsed decides: a file that differs is refused with the first difference
// named and left byte for byte; one that opens does what the operations
// named say.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <sqlite3.h>
#include <string>
#include <sys/resource.h>

#include "ATMLViewLayer/TaDB/DBActTD/SqlText.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Statement.h"
#include "support/Bounded.h"
#include "support/OrderedTables.h"
#include "support/StartedAnew.h"
#include "support/WideTable.h"

namespace {
const std::string kRuns = std::string("-1 ") + ado::kOnlyDataText;
const std::string kShape = std::string("-1 ") + ado::kShapeText;

// Three test groups (A, B, C); test point p1 with steps s1..s10 at 1..10,
// p2 with t1, t2 and t4 at 1, 2 and 4.
const char kRows[] =
    "INSERT INTO TestGroupTable (TG_UUID, TG_NAME) VALUES ('g1', 'A'), ('g2', 'B'), ('g3', 'C');"
    "INSERT INTO TestPointTable (TP_UUID) VALUES ('p1'), ('p2');"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10) "
    "INSERT INTO TestActionEntryTable (STEP_UUID, TP_UUID, ACTION_UUID, SEQUENCE) SELECT 's' || i, 'p1', 'a' || i, i "
    "FROM n;"
    "INSERT INTO TestActionEntryTable (STEP_UUID, TP_UUID, ACTION_UUID, SEQUENCE) VALUES ('t1', 'p2', 'b1', 1), "
    "('t2', 'p2', 'b2', 2), ('t4', 'p2', 'b4', 4)";

// The CREATE text of a table of a new project with from replaced by to.
std::string Edited(const std::string& table, const std::string& from, const std::string& to) {
    static const TempDir dir;
    static const std::string project = MakeProject(dir, "template.tarnprj");
    std::string sql = RawQuery(project, "SELECT sql FROM sqlite_master WHERE name = '" + table + "'").at(0).at(0);
    const size_t at = sql.find(from);
    if (at == std::string::npos) throw std::runtime_error(table + " has no " + from);
    return sql.replace(at, from.size(), to);
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// The table's schema row rewritten with from replaced by to; the rows stay
// as they are stored. Last of a case's statements: the connection that runs
// it reads the schema as it was.
std::string InPlace(const std::string& table, const std::string& from, const std::string& to) {
    return ";PRAGMA writable_schema=ON; UPDATE sqlite_master SET sql = " + Quoted(Edited(table, from, to)) +
           " WHERE name = '" + table + "'";
}

// The table made anew with from replaced by to, holding its rows (rows
// selects them from the old one); its indexes go with the old one.
std::string Anew(const std::string& table, const std::string& from, const std::string& to,
                 const std::string& rows = "*") {
    return "ALTER TABLE " + table + " RENAME TO Old;" + Edited(table, from, to) + ";INSERT INTO " + table +
           " SELECT " + rows + " FROM Old; DROP TABLE Old;";
}

// The type of the schema row named name rewritten.
std::string Typed(const std::string& name, const std::string& type) {
    return ";PRAGMA writable_schema=ON; UPDATE sqlite_master SET type = '" + type + "' WHERE name = '" + name + "'";
}

std::string Counted(const std::string& path, const std::string& table) {
    return RawQuery(path, "SELECT count(*) FROM " + table)[0][0];
}

// The steps of test point tp in order, each with its position.
std::string Steps(const std::string& path, const std::string& tp) {
    return RawQuery(path, "SELECT group_concat(STEP_UUID || ':' || SEQUENCE, ',') FROM (SELECT * FROM "
                          "TestActionEntryTable WHERE TP_UUID = '" + tp + "' ORDER BY SEQUENCE, STEP_UUID)")[0][0];
}

// The operations the files were found with: each result, then what it left.
using Operation = std::string (*)(TestStore&, const std::string& path);
std::string AddGroupNamedA(TestStore& store, const std::string& path) {
    CTaDBTestGroup group;
    group.m_strTgName = "A";
    const RESULTSTATE result = store.AddItem_TestGroupTable(group, 1);
    return std::to_string(result) + " " + Counted(path, "TestGroupTable");
}
std::string DeleteGroup(TestStore& store, const std::string& path) {
    const RESULTSTATE result = store.DelItem_TestGroupTable("g1");
    return std::to_string(result) + " " + Counted(path, "TestGroupTable");
}
std::string RenumberStep(TestStore& store, const std::string& path) {
    const RESULTSTATE result = store.SetSequence_TestActionEntry("p1", 10, 2);
    return std::to_string(result) + " " + Steps(path, "p1");
}
std::string DeleteStepByKey(TestStore& store, const std::string& path) {
    const RESULTSTATE result = store.DelSequence_Uuid_TestActionEntry("s3");
    return std::to_string(result) + " " + Steps(path, "p1") + " " + Steps(path, "p2");
}

struct Case {
    std::string sql;     // run on a new project with kRows
    std::string opened;  // Open's result, and what the operation then gives
    Operation then;
    bool begins = false;  // opened is how it begins (the engine's refusal names the path)
};

// The file of case c in dir, opened here; before is how Open is first
// looked at elsewhere (the verdict only: Open's result, and a refusal's message).
void Check(const Case& c, const std::function<void(const TempDir&, const std::string& path,
                                                   const std::string& verdict)>& before = nullptr) {
    SCOPED_TRACE(c.sql);
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj", kRows);
    RawExec(path, c.sql);
    const std::string file = ReadFile(path);
    if (before) before(dir, path, c.opened[0] == '1' ? "1" : c.opened);
    const std::function<std::string(TestStore&)> then = [&](TestStore& store) {
        return c.then ? c.then(store, path) : std::string("opened");
    };
    const std::string opened = Opened(dir, path, then);
    EXPECT_EQ(c.begins ? opened.substr(0, c.opened.size()) : opened, c.opened);
    if (c.opened[0] == '-') {
        EXPECT_TRUE(ReadFile(path) == file && !FileExists(path + "-wal"));
    }
}
}  // namespace

// Rows rewritten with a type in other letters, each hiding what the check
// would refuse, and virtual tables whose text is written otherwise.
TEST(HostileSchemas, ASchemaRowIsJudgedByWhatSQLiteParsed) {
    const std::string generated = "ALTER TABLE EditionTable ADD COLUMN X AS (length(printf('%.*c', 10000000, 'x')))";
    const std::string fts4 = "CREATE VIRTUAL TABLE Notes USING fts4(a)";
    const std::string replacing = Anew("TestGroupTable", "TG_NAME TEXT COLLATE NOCASE,",
                                       "TG_NAME TEXT COLLATE NOCASE UNIQUE ON CONFLICT REPLACE,");
    const Case cases[] = {
        {replacing + Typed("TestGroupTable", "TABLE"), kRuns + "schema row \"TestGroupTable\" of type 'TABLE'",
         AddGroupNamedA},
        {replacing,
         kRuns + "ON CONFLICT REPLACE on column \"TG_NAME\" in table \"TestGroupTable\"", AddGroupNamedA},
        {"ALTER TABLE TpsTable ADD COLUMN X TEXT CHECK (X IS NULL)" + Typed("TpsTable", "Table"),
         kRuns + "schema row \"TpsTable\" of type 'Table'", nullptr},
        {"ALTER TABLE TpsTable ADD COLUMN X AS (TPS_NAME || 'x')" + Typed("TpsTable", "Table"),
         kRuns + "schema row \"TpsTable\" of type 'Table'", nullptr},
        {"CREATE INDEX Names ON TpsTable (length(TPS_NAME))" + Typed("Names", "INDEX"),
         kRuns + "schema row \"Names\" of type 'INDEX'", nullptr},
        {"CREATE TRIGGER Wipe AFTER UPDATE ON EntryTable BEGIN DELETE FROM TestPointTable; END" +
             Typed("Wipe", "TRIGGER"),
         kRuns + "schema row \"Wipe\" of type 'TRIGGER'", nullptr},
        {"CREATE VIEW Everything AS SELECT * FROM TpsTable" + Typed("Everything", "VIEW"),
         kRuns + "schema row \"Everything\" of type 'VIEW'", nullptr},
        // SQLite itself refuses a trigger in a row typed as a table.
        {"PRAGMA writable_schema=ON; INSERT INTO sqlite_master VALUES ('table', 'Wipe', 'EntryTable', 0, "
         "'CREATE TRIGGER Wipe AFTER UPDATE ON EntryTable BEGIN DELETE FROM TestPointTable; END')",
         "-1 malformed database schema (Wipe)", nullptr, true},
        {fts4 + ";PRAGMA writable_schema=ON; UPDATE sqlite_master SET sql = lower(sql) WHERE name = 'Notes'",
         kRuns + "virtual table \"Notes\"", nullptr},
        {fts4 + ";PRAGMA writable_schema=ON; UPDATE sqlite_master SET sql = replace(sql, 'VIRTUAL', 'VIRTUAL ') "
                "WHERE name = 'Notes'",
         kRuns + "virtual table \"Notes\"", nullptr},
        {"DROP TABLE TestGroupTable; CREATE VIRTUAL TABLE TestGroupTable USING fts4(TG_UUID, TG_NAME);"
         "INSERT INTO TestGroupTable VALUES ('g1', 'A');"
         "PRAGMA writable_schema=ON; UPDATE sqlite_master SET sql = lower(sql) WHERE name = 'TestGroupTable'",
         kRuns + "virtual table \"TestGroupTable\"", AddGroupNamedA},
        // Never computed at Open: it would take seconds and gigabytes.
        {generated, kRuns + "a generated column in table \"EditionTable\"", nullptr},
    };
    for (const Case& c : cases) Check(c);
}

// Writes that a table's own clauses would change or drop, positions kept as
// text, a key held twice, a column standing for the row id: every table the
// store reads is shaped as the template's, and none runs anything.
TEST(HostileSchemas, EveryTableTheStoreReadsIsShapedAsTheTemplates) {
    const std::string groupKey = "TG_UUID TEXT COLLATE NOCASE PRIMARY KEY";
    const std::string groupEnd = "MODIFY_PERSON TEXT COLLATE NOCASE\n)";
    const std::string stepEnd = "RESERVER4 TEXT COLLATE NOCASE\n)";
    // Before the closing bracket of a CREATE text that ends as end does.
    auto before = [](const std::string& end, const std::string& text) {
        return end.substr(0, end.size() - 2) + text + "\n)";
    };
    // A table whose keys all hold A and B: an update of either checks them all.
    std::string overlapping = "CREATE TABLE Notes (A, B";
    for (int i = 0; i < 130; ++i) overlapping += ", C" + std::to_string(i);
    overlapping += ", UNIQUE (A, B)";
    for (int i = 0; i < 130; ++i) overlapping += ", UNIQUE (A, B, C" + std::to_string(i) + ")";
    overlapping += ", FOREIGN KEY (A) REFERENCES TestGroupTable";
    const Case cases[] = {
        {Anew("TestGroupTable", groupEnd, before(groupEnd, ", rowid INTEGER"), "*, 1"),
         kShape + "table \"TestGroupTable\" has a column named \"rowid\", which stands for the row id", DeleteGroup},
        {Anew("TestGroupTable", groupKey, "OID INTEGER, TG_UUID TEXT COLLATE NOCASE", "1, *"),
         kShape + "table \"TestGroupTable\" has a column named \"OID\", which stands for the row id", DeleteGroup},
        {Anew("TestGroupTable", groupEnd, before(groupEnd, ", UNIQUE (TG_NAME) ON CONFLICT IGNORE")),
         kRuns + "ON CONFLICT IGNORE on column \"TG_NAME\" in table \"TestGroupTable\"", AddGroupNamedA},
        {Anew("TestActionEntryTable", stepEnd, before(stepEnd, ", UNIQUE (TP_UUID, SEQUENCE) ON CONFLICT IGNORE")),
         kRuns + "ON CONFLICT IGNORE on column \"TP_UUID\" in table \"TestActionEntryTable\"", RenumberStep},
        {InPlace("TestGroupTable", groupKey, groupKey + " ON CONFLICT ROLLBACK"),
         kRuns + "ON CONFLICT ROLLBACK in table \"TestGroupTable\"", AddGroupNamedA},
        // Host tables linked to a table of the template's by a foreign key,
        // which the store's deletes reach where a host turns foreign keys on.
        {"CREATE TABLE Notes (K TEXT NOT NULL ON CONFLICT FAIL REFERENCES TestGroupTable)",
         kRuns + "ON CONFLICT FAIL in table \"Notes\"", nullptr},
        {InPlace("TestGroupTable", "TG_SLEEP_PRE INTEGER", "TG_SLEEP_PRE INTEGER CHECK (TG_SLEEP_PRE > 0)"),
         kRuns + "a CHECK constraint in table \"TestGroupTable\"", AddGroupNamedA},
        {"CREATE TABLE Notes (D REAL DEFAULT CURRENT_TIMESTAMP REFERENCES TestGroupTable)",
         kRuns + "a default expression in table \"Notes\"", nullptr},
        {overlapping + ")", kRuns + "keys that share their columns too widely to be judged in table \"Notes\"",
         nullptr},
        {InPlace("TestActionEntryTable", "SEQUENCE INTEGER", "SEQUENCE TEXT"),
         kShape + "column \"SEQUENCE\" of table \"TestActionEntryTable\" is declared TEXT; the template's is INTEGER",
         RenumberStep},
        {Anew("TestActionEntryTable", "STEP_UUID TEXT COLLATE NOCASE PRIMARY KEY", "STEP_UUID TEXT COLLATE NOCASE") +
             "INSERT INTO TestActionEntryTable (STEP_UUID, TP_UUID, ACTION_UUID, SEQUENCE) "
             "VALUES ('s3', 'p2', 'b3', 3)",
         kShape + "the primary key of table \"TestActionEntryTable\" is not the template's", DeleteStepByKey},
        {Anew("EntryTable", stepEnd, stepEnd + " WITHOUT ROWID"), kShape + "table \"EntryTable\" is without row ids",
         nullptr},
        {InPlace("TestGroupTable", "TG_NAME TEXT COLLATE NOCASE", "TG_NAME TEXT"),
         kShape + "column \"TG_NAME\" of table \"TestGroupTable\" compares by BINARY; the template's by NOCASE",
         AddGroupNamedA},
        {InPlace("TestGroupTable", "TG_NAME TEXT COLLATE NOCASE", "TG_NAME TEXT COLLATE NOCASE DEFAULT 'x'"),
         kShape + "column \"TG_NAME\" of table \"TestGroupTable\" has a default value; the template's has none",
         nullptr},
        {InPlace("TestMeasurementTable", "PRIMARY KEY AUTOINCREMENT", "PRIMARY KEY"),
         kShape + "column \"ID\" of table \"TestMeasurementTable\" is not AUTOINCREMENT as the template's is", nullptr},
        {"ALTER TABLE TestGroupTable DROP COLUMN TG_TYPE",
         kShape + "table \"TestGroupTable\" lacks the template's column \"TG_TYPE\"", nullptr},
        {"ALTER TABLE TpsTable ADD COLUMN X TEXT",
         kShape + "table \"TpsTable\" has a column \"X\" that the template's has not", nullptr},
        {"CREATE UNIQUE INDEX Names ON TestGroupTable (TG_NAME)",
         kShape + "table \"TestGroupTable\" has a key on (TG_NAME) that the template's has not", AddGroupNamedA},
        {"DROP INDEX TestActionEntryScope",
         kShape + "table \"TestActionEntryTable\" lacks the template's index on (TP_UUID, SEQUENCE)", RenumberStep},
        // Without an ORDER BY, a group's test points are listed in the order of its index.
        {"DROP INDEX TestGroupEntryScope; CREATE INDEX TestGroupEntryScope ON TestGroupEntryTable (TG_UUID, "
         "SEQUENCE DESC)",
         kShape + "table \"TestGroupEntryTable\" lacks the template's index on (TG_UUID, SEQUENCE)", nullptr},
        {InPlace("TestGroupEntryTable", "TG_UUID TEXT COLLATE NOCASE,",
                 "TG_UUID TEXT COLLATE NOCASE REFERENCES TestGroupTable ON DELETE CASCADE,"),
         kShape + "the foreign keys of table \"TestGroupEntryTable\" are not the template's", nullptr},
        // What opens: plain indexes of any order and collation, host tables
        // the store's writes reach holding nothing that runs, the engine's
        // own statistics, a clause that changes nothing.
        {"CREATE INDEX ByName ON TestGroupTable (TG_NAME COLLATE BINARY DESC, TG_ATML_ID)", "1 1 4", AddGroupNamedA},
        {"CREATE TABLE Notes (rowid TEXT PRIMARY KEY, N INTEGER NOT NULL DEFAULT -1, T TEXT DEFAULT 'x' UNIQUE, "
         "B BLOB DEFAULT x'00', G TEXT REFERENCES TestGroupTable ON DELETE CASCADE) WITHOUT ROWID; "
         "CREATE INDEX NoteNames ON Notes (T COLLATE NOCASE)",
         "1 1 s1:1,s10:2,s2:3,s3:4,s4:5,s5:6,s6:7,s7:8,s8:9,s9:10", RenumberStep},
        {"CREATE TABLE Notes (K TEXT NOT NULL ON CONFLICT REPLACE REFERENCES TestGroupTable)", "1 1 2", DeleteGroup},
        {"ANALYZE", "1 1 4", AddGroupNamedA},
    };
    for (const Case& c : cases) Check(c);
}

namespace {
// The ways a host's own table has its row id's alias as key, and other
// keys or none; each a column definition list with a slot ("%") where the
// key column's definition goes on.
const char* const kRowidKeys[] = {"id INTEGER PRIMARY KEY%", "id INTEGER PRIMARY KEY AUTOINCREMENT%",
                                  "id INTEGER%, PRIMARY KEY (id)", "id integer primary key asc%"};
const char* const kOtherKeys[] = {"id INTEGER PRIMARY KEY DESC%", "id INT PRIMARY KEY%", "id TEXT PRIMARY KEY%",
                                  "id INTEGER%"};
// Constants a default may be, each loaded as it stands.
const char* const kConstantDefaults[] = {
    "0", "''", "NULL", "-1", "1.5", "X'00'", "TRUE", "FALSE", "'x y'", "-1.5", "+1", "(0)", "0x7f", "1e100",
    "'it''s'", "9223372036854775807", "-9223372036854775808"};
const char* const kComputedDefaults[] = {"(random())", "CURRENT_TIMESTAMP", "(1 + 1)", "(-'x')"};

// A host table named name of key (its slot given keyExtra) and a column
// "level" with levelExtra, linked to the test group table by a foreign key:
// the store's deletes reach it where a host turns foreign keys on.
std::string HostTable(const std::string& name, std::string key, const std::string& keyExtra,
                      const std::string& levelExtra) {
    key.replace(key.find('%'), 1, keyExtra);
    const size_t split = key.find(", PRIMARY KEY");
    const std::string tail = split == std::string::npos ? "" : key.substr(split);
    return "CREATE TABLE " + name + " (" + key.substr(0, split) + ", level INTEGER" + levelExtra + ", msg TEXT" +
           tail + ", FOREIGN KEY (msg) REFERENCES TestGroupTable);";
}

// Host tables of key, one for each constant default (HostLog0, HostLog1,
// ...), on the key's column (onKey) or on "level".
std::string ConstantDefaultTables(const std::string& key, bool onKey) {
    std::string tables;
    for (size_t i = 0; i < std::size(kConstantDefaults); ++i) {
        const std::string given = std::string(" DEFAULT ") + kConstantDefaults[i];
        tables += HostTable("HostLog" + std::to_string(i), key, onKey ? given : "", onKey ? "" : given);
    }
    return tables;
}
}  // namespace

// A host's own table that the store's writes reach, with any key and
// constant defaults, opens, the row id's alias among them (an insert that names it tests whether the row id it
// takes is free, which DEFAULT VALUES leaves to SQLite); a default computed
// by an expression is refused beside any key, but on the row id's alias
// itself, which SQLite never computes.
TEST(HostileSchemas, AHostTableWithConstantDefaultsOpens) {
    std::vector<Case> cases;
    std::vector<std::string> keys(std::begin(kRowidKeys), std::end(kRowidKeys));
    keys.insert(keys.end(), std::begin(kOtherKeys), std::end(kOtherKeys));
    for (const std::string& key : keys) {
        cases.push_back({ConstantDefaultTables(key, false), "1 1 4", AddGroupNamedA});
        for (const char* computed : kComputedDefaults)
            cases.push_back({HostTable("HostLog", key, "", std::string(" DEFAULT ") + computed),
                             kRuns + "a default expression in table \"HostLog\"", nullptr});
    }
    for (const char* key : kRowidKeys)
        cases.push_back({ConstantDefaultTables(key, true) + HostTable("Computed", key, " DEFAULT (random())", ""),
                         "1 opened", nullptr});
    for (const char* key : kOtherKeys)
        cases.push_back({HostTable("HostLog", key, " DEFAULT (random())", ""),
                         kRuns + "a default expression in table \"HostLog\"", nullptr});
    for (const Case& c : cases) Check(c);
}

namespace {
const char kTurkish[] = "tr_TR.UTF-8";

// A folder that holds the Turkish locale, where toupper('i') stays 'i' and
// tolower('I') stays 'I', built once with localedef (from the locales
// package) whatever the machine has installed; "" when it cannot be built.
std::string TurkishLocaleFolder() {
    static const TempDir folder;
    static const bool built =
        std::system(("localedef -i tr_TR -f UTF-8 '" + folder.File(kTurkish) + "' >/dev/null 2>&1").c_str()) == 0;
    return built ? folder.Path() : std::string();
}
}  // namespace

// Names spelt in other letter cases, an index on a table of SQLite's own,
// two schema rows on one b-tree, statistics, a wide table with conflict
// clauses of two kinds: each file gets one verdict, in hosts started anew in
// the C locale and in the Turkish one (where the C library's case folding
// leaves "i" and "I"), and does here what the operation named says.
TEST(HostileSchemas, EachFileGetsOneVerdictInEveryLocale) {
    const std::string turkish = TurkishLocaleFolder();
    ASSERT_FALSE(turkish.empty()) << "localedef could not build " << kTurkish;
    std::string upperPoints = Edited("TestPointTable", "TestPointTable", "TESTPOINTTABLE");
    upperPoints.replace(upperPoints.rfind(')'), 1, ", UNIQUE (TP_NAME))");
    const std::string renumbered = "1 1 s1:1,s10:2,s2:3,s3:4,s4:5,s5:6,s6:7,s7:8,s8:9,s9:10";
    const Case cases[] = {
        {"ALTER TABLE TestPointTable RENAME TO Old;" + upperPoints +
             ";INSERT INTO TESTPOINTTABLE SELECT * FROM Old; DROP TABLE Old",
         kShape + "table \"TESTPOINTTABLE\" has a key on (TP_NAME) that the template's has not", nullptr},
        {InPlace("TestPointTable", "TP_ATML_ID", "tp_atml_id"), renumbered, RenumberStep},
        {"CREATE TABLE Seq (name, seq); CREATE INDEX SeqIdx ON Seq (name); PRAGMA writable_schema=ON;"
         "UPDATE sqlite_master SET tbl_name = 'sqlite_sequence', sql = 'CREATE INDEX SeqIdx ON sqlite_sequence (name)' "
         "WHERE name = 'SeqIdx'",
         kRuns + "index \"SeqIdx\" on SQLite's own table \"sqlite_sequence\"", nullptr},
        {"PRAGMA writable_schema=ON; UPDATE sqlite_master SET rootpage = (SELECT rootpage FROM sqlite_master WHERE "
         "name = 'TestPointTable') WHERE name = 'TestReplayTable'",
         kRuns + "schema rows \"TestPointTable\" and \"TestReplayTable\" on one b-tree", nullptr},
        {"ANALYZE; UPDATE sqlite_stat1 SET stat = '13 13 13' WHERE idx = 'TestActionEntryScope'", renumbered,
         RenumberStep},
        {"ANALYZE; UPDATE sqlite_stat1 SET stat = stat || ' unordered' WHERE idx = 'TestActionEntryScope'",
         kRuns + "statistics of index \"TestActionEntryScope\" that SQLite's ANALYZE never writes", nullptr},
        {WideTableSql(400, 40), kRuns + "ON CONFLICT IGNORE on column \"C399\" in table \"Wide\"", nullptr},
        {UniqueWideTableSql(500, 20, " ON CONFLICT REPLACE"),
         kRuns + "ON CONFLICT REPLACE on column \"C0\" in table \"Wide\"", nullptr},
        {UniqueWideTableSql(500, 20, "", ", N TEXT NOT NULL ON CONFLICT IGNORE"),
         kRuns + "ON CONFLICT IGNORE on column \"N\" in table \"Wide\"", nullptr},
    };
    for (const Case& c : cases)
        Check(c, [&](const TempDir& dir, const std::string& path, const std::string& verdict) {
            EXPECT_EQ(OpenedInAProcessStartedAnew(dir, path, "C"), verdict);
            EXPECT_EQ(OpenedInAProcessStartedAnew(dir, path, kTurkish, turkish), verdict) << kTurkish;
        });
}

// A file whose plain insert SQLite would compile to gigabytes is refused by
// a host held to 2.5 GB of address space: Open answers -1 with its text,
// and the host goes on to end normally.
TEST(HostileSchemas, ASquareInsertIsRefusedInBoundedMemory) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit";
#endif
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj", UniqueWideTableSql(500, 20, " ON CONFLICT REPLACE"));
    const std::string out = dir.File("child.out");
    ChildProcess child([&](ChildProcess&) {
        const rlimit limit{rlim_t(2560) << 20, rlim_t(2560) << 20};
        if (setrlimit(RLIMIT_AS, &limit) != 0) return 2;
        TestStore store(dir);
        const int result = store.Open(path.c_str());
        WriteFile(out, std::to_string(result) + " " + std::string(store.GetErrorInfo()));
        return 0;
    });
    ASSERT_TRUE(child.EndsWithin(kBoundSeconds));
    EXPECT_EQ(child.Wait(), 0);
    EXPECT_EQ(ReadFile(out), kRuns + "ON CONFLICT REPLACE on column \"C0\" in table \"Wide\"");
}

namespace {
// Test point "t" with 200 steps (actions x1..x200) stored after 20 others of
// 100 steps each, and test group "g" whose 50 entries name test points.
const char kManySteps[] =
    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 1999) "
    "INSERT INTO TestActionEntryTable (STEP_UUID, TP_UUID, ACTION_UUID, SEQUENCE) "
    "SELECT 'o' || i, 'p' || (i / 100), 'y' || i, i % 100 + 1 FROM n;"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
    "INSERT INTO TestActionEntryTable (STEP_UUID, TP_UUID, ACTION_UUID, SEQUENCE) "
    "SELECT 's' || i, 't', 'x' || i, i FROM n;"
    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 999) "
    "INSERT INTO TestPointTable (TP_UUID) SELECT 'q' || i FROM n;"
    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 999) "
    "INSERT INTO TestGroupEntryTable (STEP_UUID, TG_UUID, TEST_UUID, SEQUENCE) "
    "SELECT 'e' || i, CASE WHEN i < 50 THEN 'g' ELSE 'h' END, 'q' || i, i + 1 FROM n";

// Operations through every index of the three tables: their results, what
// they left, and the instructions the statements of the store's connection ran.
std::string Operations(TestStore& store, const std::string& path) {
    CTaDBTestActionEntry step;
    CObList steps, points;
    std::string done;
    for (const RESULTSTATE result :
         {ActionStepList::Move(store, "t", 200, MOVEITEM_TOP), ActionStepList::Swop(store, "t", 2, 150),
          ActionStepList::DelAt(store, "t", 100), ActionStepList::DelId(store, "x7"),
          store.GetItem_TestActionEntry_Action(step, "x150"), store.GetAllItem_TestActionEntry(steps, "t", ""),
          store.GetAllItem_TestPointByGroup(points, "g")})
        done += std::to_string(result);
    sqlite3* db = store.m_dbMng.m_pConnection->Handle();
    int64_t work = 0;
    for (sqlite3_stmt* s = sqlite3_next_stmt(db, nullptr); s; s = sqlite3_next_stmt(db, s))
        work += sqlite3_stmt_status(s, SQLITE_STMTSTATUS_VM_STEP, 0);
    done += " " + std::to_string(points.GetCount()) + " " + Steps(path, "t").substr(0, 40) + " " + std::to_string(work);
    store.ClearObjectList(steps, "");
    store.ClearObjectList(points, "");
    return done;
}
}  // namespace

// Statistics that tell the planner every index sorts out nothing, or that
// each table holds one row, or the step-scope index alone sorts out nothing,
// and those of SQLite's own ANALYZE: the store's statements read through the
// template's indexes all the same, so the operations do the work they do
// without statistics (a look-up turned scan runs an instruction a row).
TEST(HostileSchemas, StatisticsChangeNoPlanOfTheStore) {
    TempDir dir;
    const std::string plain = MakeProject(dir, "plain.tarnprj", kManySteps);
    const std::string expected = Opened(dir, plain, [&](TestStore& store) { return Operations(store, plain); });
    ASSERT_EQ(expected.rfind("1 1111111 50 s200:1,", 0), 0u) << expected;
    // An index's numbers beyond its columns are not read.
    const std::string numbers = "ANALYZE; UPDATE sqlite_stat1 SET stat = ";
    for (const std::string& sql : {numbers + "'2200 2200 2200'", numbers + "'1 1 1'",
                                   numbers + "'2200 2200 2200' WHERE idx = 'TestActionEntryScope'",
                                   std::string("ANALYZE")}) {
        SCOPED_TRACE(sql);
        const std::string path = MakeProject(dir, "p.tarnprj", kManySteps);
        RawExec(path, sql);
        EXPECT_EQ(Opened(dir, path, [&](TestStore& store) { return Operations(store, path); }), expected);
    }
}

namespace {
// The string literals of a C++ source that begin as a statement reading a
// table does (SELECT, UPDATE, DELETE), adjacent literals joined as the
// compiler joins them.
std::vector<std::string> StatementLiterals(const std::string& source) {
    std::vector<std::string> found;
    std::string literal;
    bool open = false;  // a literal was read and may go on after blanks
    for (size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (source.compare(i, 2, "//") == 0) {
            i = source.find('\n', i);
        } else if (source.compare(i, 2, "/*") == 0) {
            i = source.find("*/", i + 2) + 1;
        } else if (c == '\'') {
            i = source.find('\'', i + 2 + (source[i + 1] == '\\'));
        } else if (c == '"') {
            for (++i; i < source.size() && source[i] != '"'; ++i) {
                if (source[i] != '\\') literal += source[i];
                else literal += source[++i] == 't' ? '\t' : source[i] == 'n' ? '\n' : source[i];
            }
            open = true;
            continue;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            continue;
        }
        if (i == std::string::npos || i == 0) break;
        if (open) {
            std::string verb = literal.substr(0, literal.find(' '));
            for (char& v : verb) v = static_cast<char>(std::toupper(static_cast<unsigned char>(v)));
            if (verb == "SELECT" || verb == "UPDATE" || verb == "DELETE") found.push_back(literal);
        }
        literal.clear();
        open = false;
    }
    return found;
}
}  // namespace

// Every statement pattern of the store, as written in its sources, that
// SQLite plans a read of a table for is prepared on a project pinned to the
// template's plan: a statement left unpinned (its plan worded otherwise than
// the pins read, or its list of tables not read) would plan by the file's
// statistics. The host's conditions complete patterns of their own, unpinned.
TEST(HostileSchemas, EveryStatementOfTheStoreIsPinned) {
    const std::filesystem::path sources =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "src/ATMLViewLayer/TaDB/DBActTD";
    TempDir dir;
    TestStore store(dir);
    ASSERT_EQ(store.Open(MakeProject(dir, "p.tarnprj").c_str()), 1);
    const ado::ConnectionPtr connection = store.m_dbMng.m_pConnection;
    std::set<std::string> planned, unpinned;
    for (const auto& file : std::filesystem::directory_iterator(sources))
        for (const std::string& pattern : StatementLiterals(ReadFile(file.path().string()))) {
            if (pattern.find(" %s") != std::string::npos) continue;  // a host's condition
            size_t slots = 0;
            for (size_t at = pattern.find('%'); at != std::string::npos; at = pattern.find('%', at + 1)) ++slots;
            const std::string sql = sqltext::Parameters(pattern.c_str(), slots);
            ado::Statement plan(connection->Handle(), "EXPLAIN QUERY PLAN " + sql);
            const bool reads = plan.Step();
            const std::string pinned = connection->PinnedText(sql);
            if (reads) planned.insert(sql);
            if (reads && pinned.find(" INDEXED") == std::string::npos) unpinned.insert(sql);
        }
    EXPECT_GT(planned.size(), 100u);
    EXPECT_TRUE(unpinned.empty()) << *unpinned.begin() << " and " << unpinned.size() - 1 << " more";
}
