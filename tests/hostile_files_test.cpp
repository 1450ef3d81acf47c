// Project files made by others, changed with raw SQL: nothing SQL that a
// file carries runs, every read and list change ends, a refused Open leaves
// the file and its log as they were, and long signal content is read in one
// pass. What could run forever runs in a child that must end within a bound.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/StdInstantaneous.h"
#include "platform/ado/Connection.h"
#include "support/Bounded.h"
#include "support/OrderedTables.h"

namespace {
// A query that never ends.
const std::string kEndless =
    "(WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n FROM r) SELECT n FROM r)";
const std::string kRefused = std::string("-1 ") + ado::kOnlyDataText;
}  // namespace

// A project holds data only: a file that holds SQL of its own, or is no
// project (a database with a commit in its log, a project whose log drops
// its editions), is refused at Open, and it and its log stay as they were.
// Where no log was, none is left.
TEST(HostileFiles, ARefusedFileIsLeftAsItWas) {
    const std::string noEditions = "-1 no such table: EditionTable，SQLite，SQL logic error";
    const struct {
        std::string sql;
        bool inLog;
        std::string opened;
        const char* foreign;  // the database sql changes, when not a project
    } cases[] = {
        {"INSERT INTO Other VALUES ('a')", true, noEditions, "PRAGMA journal_mode=WAL; CREATE TABLE Other (A TEXT)"},
        {"DROP TABLE EditionTable", true, noEditions, nullptr},
        {"CREATE TRIGGER Wipe AFTER UPDATE ON EntryTable BEGIN DELETE FROM TestPointTable; END", false,
         kRefused + "trigger \"Wipe\"", nullptr},
        {"CREATE TRIGGER Wipe AFTER UPDATE ON EntryTable BEGIN DELETE FROM TestPointTable; END", true,
         kRefused + "trigger \"Wipe\"", nullptr},
        {"ALTER TABLE EditionTable RENAME TO Editions; CREATE VIEW EditionTable AS SELECT e.* FROM Editions e, " +
             kEndless,
         false, kRefused + "view \"EditionTable\"", nullptr},
        {"ALTER TABLE TestGroupTable RENAME TO Groups; CREATE VIEW TestGroupTable AS SELECT g.* FROM Groups g, " +
             kEndless,
         true, kRefused + "view \"TestGroupTable\"", nullptr},
        {"CREATE VIRTUAL TABLE Notes USING fts5(text)", false, kRefused + "virtual table \"Notes\"", nullptr},
        {"ALTER TABLE TpsTable ADD COLUMN X TEXT CHECK (X IS NULL)", false,
         kRefused + "a CHECK constraint in table \"TpsTable\"", nullptr},
        {"ALTER TABLE TpsTable ADD COLUMN X AS (TPS_NAME || 'x')", false,
         kRefused + "a generated column in table \"TpsTable\"", nullptr},
        {"ALTER TABLE TpsTable ADD COLUMN X DEFAULT (1 + 1)", false,
         kRefused + "a default expression in table \"TpsTable\"", nullptr},
        // A host table that the store's deletes reach by its foreign key.
        {"CREATE TABLE Notes (K TEXT PRIMARY KEY ON CONFLICT REPLACE REFERENCES TestGroupTable)", false,
         kRefused + "ON CONFLICT REPLACE in table \"Notes\"", nullptr},
        {"CREATE INDEX Names ON TpsTable (length(TPS_NAME))", false,
         kRefused + "index \"Names\" on an expression or with a WHERE clause", nullptr},
        {"CREATE INDEX Names ON TpsTable (TPS_NAME) WHERE TPS_NAME > 'a'", true,
         kRefused + "index \"Names\" on an expression or with a WHERE clause", nullptr},
        // Names that read as key words, plain defaults and indexes are data.
        {"CREATE TABLE \"Check\" (\"as\" TEXT DEFAULT 'x', [default] INTEGER DEFAULT -1, `on` TEXT, \"conflict\");"
         "CREATE INDEX Names ON \"Check\" (\"as\" COLLATE NOCASE DESC, `on`)",
         false, "1", nullptr},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        const std::string path = c.foreign ? dir.File("foreign.db") : MakeProject(dir, "p.tarnprj");
        if (c.foreign) RawExec(path, c.foreign);
        if (c.inLog) LeaveInTheLog(path, c.sql);
        else RawExec(path, c.sql);
        const std::string file = ReadFile(path), log = ReadFile(path + "-wal");
        EXPECT_EQ(Opened(dir, path), c.opened);
        if (c.opened == "1") continue;
        EXPECT_TRUE(ReadFile(path) == file);
        EXPECT_FALSE(FileExists(path + "-journal"));
        if (c.inLog) {
            EXPECT_TRUE(!log.empty() && ReadFile(path + "-wal") == log);
        } else {
            EXPECT_FALSE(FileExists(path + "-wal") || FileExists(path + "-shm"));
        }
    }
}

// A file that a new project replaces has its log folded back first; what
// the file carries, in the log too, does not run meanwhile.
TEST(HostileFiles, AFileReplacedHasItsLogFoldedWithoutRunningIt) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    LeaveInTheLog(path, "ALTER TABLE EditionTable RENAME TO Editions; CREATE VIEW EditionTable AS SELECT e.* FROM "
                        "Editions e, " + kEndless + "; CREATE TRIGGER Spin BEFORE DELETE ON Editions BEGIN "
                        "SELECT count(*) FROM " + kEndless + "; END");
    EXPECT_EQ(Bounded(dir, [&] { return std::to_string(TestStore(dir).New(path.c_str(), 1)); }), "1");
}

// Triggers another connection puts into an open project never run in the
// store's operations: each ordered list changes only the rows it names, and
// every change ends, however endless what a trigger would run.
namespace {
template <class T>
class HostileLists : public ::testing::Test {};
using Lists = ::testing::Types<EntryList, GroupStepList, ActionStepList>;
TYPED_TEST_SUITE(HostileLists, Lists);
}  // namespace

TYPED_TEST(HostileLists, TriggersMadeWhileOpenNeverRun) {
    using T = TypeParam;
    TempDir dir;
    const std::string project = MakeProject(dir, "p.tarnprj");
    RawExec(project, "INSERT INTO TestPointTable (TP_UUID) VALUES ('p1'), ('p2'), ('p3');"
                     "INSERT INTO SignalTable (SIGNAL_UUID, SIGNAL_NAME) VALUES ('s1', 'S1'), ('s2', 'S2')");
    {
        TestStore store(dir);
        ASSERT_EQ(store.Open(project.c_str()), 1);
        long at = 1;
        for (const char* id : {"a", "b", "c"}) ASSERT_EQ(T::Add(store, "S", id, at++), 1);
    }
    const std::string table = T::kTable, scope = T::kScopeColumn ? std::string(", ") + T::kScopeColumn : "";
    const std::string results = Bounded(dir, [&] {
        TestStore store(dir);
        if (store.Open(project.c_str()) != 1) return std::string("not opened");
        RawExec(project, "CREATE TRIGGER Wipe AFTER UPDATE ON " + table +
                             " BEGIN DELETE FROM TestPointTable; UPDATE SignalTable SET SIGNAL_NAME = 'hacked'; END;"
                             "CREATE TRIGGER Grow BEFORE UPDATE ON " + table + " BEGIN INSERT INTO " + table + " (" +
                             T::kKeyColumn + scope + ", SEQUENCE) VALUES (hex(randomblob(8))" +
                             (scope.empty() ? "" : ", 'S'") + ", 2); END;"
                             "CREATE TRIGGER Spin BEFORE DELETE ON " + table +
                             " BEGIN SELECT count(*) FROM " + kEndless + "; END");
        std::string results;
        for (RESULTSTATE result : {T::Move(store, "S", 1, MOVEITEM_DOWN), T::Swop(store, "S", 1, 3),
                                   T::Move(store, "S", 3, MOVEITEM_TOP), T::DelId(store, "c")})
            results += std::to_string(result);
        return results;
    });
    EXPECT_EQ(results, "1111");
    EXPECT_EQ(Ids<T>(project, "S"), (std::vector<std::string>{"b", "a"}));
    EXPECT_TRUE(Whole<T>(project, "S"));
    EXPECT_EQ(RawQuery(project, "SELECT count(*) FROM TestPointTable")[0][0], "3");
    EXPECT_EQ(RawQuery(project, "SELECT group_concat(SIGNAL_NAME) FROM SignalTable")[0][0], "S1,S2");
}

// A view another connection puts in place of a table of an open project is
// not read: the read fails at once instead of running the view's query.
TEST(HostileFiles, AViewMadeWhileOpenIsNotRead) {
    TempDir dir;
    const std::string project = MakeProject(dir, "p.tarnprj");
    RawExec(project, "INSERT INTO TestGroupTable (TG_UUID) VALUES ('g'); "
                     "INSERT INTO TestGroupEntryTable (STEP_UUID, TG_UUID) VALUES ('e', 'g')");
    const std::string results = Bounded(dir, [&] {
        TestStore store(dir);
        if (store.Open(project.c_str()) != 1) return std::string("not opened");
        std::string results;
        for (const std::string table : {"TestGroupTable", "TestGroupEntryTable"}) {
            RawExec(project, "ALTER TABLE " + table + " RENAME TO Old" + table + "; CREATE VIEW " + table +
                                 " AS SELECT t.* FROM Old" + table + " t, " + kEndless);
            CObList list;
            const RESULTSTATE result = table == "TestGroupTable" ? store.GetAllItem_TestGroupTable(list)
                                                                 : store.GetAllItem_TestGroupEntryTable(list, "", "");
            results += std::to_string(result) + " " + std::to_string(list.GetCount()) + ",";
        }
        return results;
    });
    EXPECT_EQ(results, "-1 0,-1 0,");
}

// Items that name no attribute of the type, 4 MB of them, before one that
// does: read in one pass, where a scan to the end for every item would take
// hours.
TEST(HostileFiles, LongSignalContentIsReadInOnePass) {
    TempDir dir;
    const std::string project = MakeProject(dir, "p.tarnprj");
    const std::string nominal = Bounded(dir, [&] {
        TestStore store(dir);
        if (store.Open(project.c_str()) != 1) return std::string("not opened");
        std::string content;
        while (content.size() < (4u << 20)) content += "freq(1 Hz),";
        CTaDBActionSetup record;
        record.m_strSignalType = CStdSignal::GetSignalType(TD_SIGNAL_RESISTANCE);
        record.m_strSignalContent = CString(content + "nominal(5 Ohm)");
        std::unique_ptr<CStdSignal> signal(store.GetStdSignal(store, record));
        const auto* resistance = dynamic_cast<const CStdInstantaneous*>(signal.get());
        return resistance ? resistance->GetNominal().str() : std::string("no resistance");
    });
    EXPECT_EQ(nominal, "5 Ohm");
}
