// Project files made by others, changed with raw SQL: nothing SQL that a
// file carries runs, every read and list change ends, and long signal
// content is read in one pass. What could run forever runs in a child that
// must end within a bound.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/StdInstantaneous.h"
#include "support/ChildProcess.h"
#include "support/OrderedTables.h"

namespace {
// Far above the moments each operation below takes, far below the hours
// that one that never ends (or a reader of square time) would take.
const int kBoundSeconds = 60;

// What body gives, run in a forked child that must end within the bound;
// one that has to be killed fails the test.
std::string Bounded(const TempDir& dir, const std::function<std::string()>& body) {
    const std::string out = dir.File("child.out");
    std::remove(out.c_str());
    ChildProcess child([&](ChildProcess&) {
        WriteFile(out, body());
        return 0;
    });
    EXPECT_TRUE(child.EndsWithin(kBoundSeconds)) << "killed after " << kBoundSeconds << " s";
    return FileExists(out) ? ReadFile(out) : "<killed>";
}

// A query that never ends.
const std::string kEndless =
    "(WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n FROM r) SELECT n FROM r)";
}  // namespace

// A file that a new project replaces has its log folded back first; what
// the file carries, in the log too, does not run meanwhile.
TEST(HostileFiles, AFileReplacedHasItsLogFoldedWithoutRunningIt) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    LeaveInTheLog(path, "ALTER TABLE EditionTable RENAME TO Editions; CREATE VIEW EditionTable AS SELECT e.* FROM "
                        "Editions e, " + kEndless + "; CREATE TRIGGER Spin BEFORE DELETE ON Editions BEGIN "
                        "SELECT count(*) FROM " + kEndless + "; END");
    EXPECT_EQ(Bounded(dir, [&] { return std::to_string(TestStore(dir).New(path.c_str(), 1)); }), "1");
    EXPECT_EQ(RawQuery(path, "SELECT count(*) FROM sqlite_master WHERE type IN ('view', 'trigger')")[0][0], "0");
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
