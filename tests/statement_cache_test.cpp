// Statements prepared once per connection: each is lent to one user at a
// time, a bounded number is kept, they go with their connection, and neither
// a failed run, a value nor a schema change alters what a statement reads.
#include <gtest/gtest.h>

#include <climits>
#include <sqlite3.h>

#include "ATMLViewLayer/TaDB/DBActTD/SqlText.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/StatementCache.h"
#include "support/TestStore.h"

namespace {
class StatementCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        RawExec(dir.File("t.db"), "CREATE TABLE T (K TEXT PRIMARY KEY); INSERT INTO T VALUES ('a'),('b'),('c');");
        ASSERT_EQ(sqlite3_open(dir.File("t.db").c_str(), &db), SQLITE_OK);
    }
    void TearDown() override {
        cache.Clear();
        sqlite3_close(db);
    }
    static std::string Next(ado::StatementLease& lease) { return lease->Step() ? lease->Column(0).ToText() : "<end>"; }

    TempDir dir;
    sqlite3* db = nullptr;
    ado::StatementCache cache{2, 2};
};

std::vector<std::string> TpsNames(TestStore& store, const char* key) {
    CTaDBTps record;
    if (store.GetItem_Tps(record, 1, key) != 1) return {};
    return {record.m_strTpsName.GetString(), record.m_strTpsDescription.GetString()};
}
}  // namespace

TEST_F(StatementCacheTest, LendsEachStatementToOneUserAtATime) {
    ado::StatementLease first = cache.Lend(db, "SELECT K FROM T ORDER BY K");
    EXPECT_EQ(Next(first), "a");
    ado::StatementLease second = cache.Lend(db, "SELECT K FROM T ORDER BY K");
    EXPECT_EQ(Next(second), "a");
    EXPECT_EQ(Next(first), "b");
    first.reset();
    second.reset();
    EXPECT_EQ(cache.IdleCount(), 1u);  // one of the twins is kept
    // Given back, a statement starts again from its first row.
    ado::StatementLease again = cache.Lend(db, "SELECT K FROM T ORDER BY K");
    EXPECT_EQ(cache.IdleCount(), 0u);
    EXPECT_EQ(Next(again), "a");
}

TEST_F(StatementCacheTest, KeepsItsLimitDroppingTheLeastRecentlyUsed) {
    for (const char* sql : {"SELECT 1", "SELECT 2", "SELECT 3"}) cache.Lend(db, sql);
    EXPECT_EQ(cache.IdleCount(), 2u);
    ado::StatementLease dropped = cache.Lend(db, "SELECT 1");
    EXPECT_EQ(cache.IdleCount(), 2u);
    ado::StatementLease kept = cache.Lend(db, "SELECT 3");
    EXPECT_EQ(cache.IdleCount(), 1u);
}

TEST_F(StatementCacheTest, AHostsTextsAreKeptApartFromTheLibrarys) {
    for (const char* sql : {"SELECT 1", "SELECT 2"}) cache.Lend(db, sql);
    for (const char* sql : {"SELECT 3", "SELECT 4", "SELECT 5"}) cache.Lend(db, sql, ado::KeptAmong::Host);
    EXPECT_EQ(cache.IdleCount(), 2u);
    EXPECT_EQ(cache.HostIdleCount(), 2u);
    ado::StatementLease again = cache.Lend(db, "SELECT 5", ado::KeptAmong::Host);
    EXPECT_EQ(cache.HostIdleCount(), 1u);
    cache.Lend(db, "SELECT 6", ado::KeptAmong::None);
    EXPECT_EQ(cache.IdleCount() + cache.HostIdleCount(), 3u);
}

TEST_F(StatementCacheTest, AStatementLentBeforeAClearIsNotKept) {
    ado::StatementLease lease = cache.Lend(db, "SELECT K FROM T");
    EXPECT_EQ(Next(lease), "a");
    cache.Clear();
    lease.reset();
    EXPECT_EQ(cache.IdleCount(), 0u);
    EXPECT_THROW(cache.Lend(db, "SELECT K FROM T; SELECT 1"), ado::ComError);
    EXPECT_EQ(cache.IdleCount(), 0u);
}

TEST(StatementReuse, AnInsertThatFailedRunsAgainWithOtherValues) {
    TempDir dir;
    TestStore store(dir);
    ASSERT_EQ(store.New(dir.File("p.tarnprj").c_str(), 1), 1);
    const char* insert = "Insert Into TpsTable (TPS_UUID, TPS_NAME) Values ('%s', '%s')";
    ASSERT_EQ(store.m_dbMng.Execute(SqlText(insert, "k1", "first")), 1);
    EXPECT_EQ(store.m_dbMng.Execute(SqlText(insert, "K1", "twice")), -1);
    EXPECT_NE(std::string(store.m_dbMng.GetErrorInfo()).find("UNIQUE"), std::string::npos);
    ASSERT_EQ(store.m_dbMng.Execute(SqlText(insert, "k2", "second")), 1);
    // The recordset's own insert, after a failure on the same table.
    CTaDBTps record;
    record.m_strTpsUuid = "k2";
    EXPECT_EQ(store.AddItem_Tps(record, 1), -1);
    record.m_strTpsUuid = "k3";
    record.m_strTpsName = "third";
    ASSERT_EQ(store.AddItem_Tps(record, 1), 1);
    EXPECT_EQ(RawQuery(dir.File("p.tarnprj"), "SELECT TPS_UUID, TPS_NAME FROM TpsTable ORDER BY rowid"),
              (std::vector<std::vector<std::string>>{{"k1", "first"}, {"k2", "second"}, {"k3", "third"}}));
}

TEST(StatementReuse, WalksOfOneStatementInterleavedWithItsOtherUsesStayApart) {
    TempDir dir;
    TestStore walker(dir);
    ASSERT_EQ(walker.New(dir.File("p.tarnprj").c_str(), 1), 1);
    std::vector<std::string> keys;
    for (int i = 0; i < 5; ++i) {
        CTaDBTestPoint point;
        CTaDBTestGroup group;
        point.m_strTpUuid = group.m_strTgUuid = ("key" + std::to_string(i)).c_str();
        ASSERT_EQ(walker.AddItem_TestPointTable(point, 1), 1);
        ASSERT_EQ(walker.AddItem_TestGroupTable(group, 1), 1);
        keys.push_back(point.m_strTpUuid.GetString());
    }
    TestStore other(walker);  // shares the connection, not the open list
    ASSERT_EQ(walker.m_dbMng.QueryDataInDB(SqlText("Select * From TestPointTable")), 1);
    std::vector<std::string> walked;
    CTaDBTestPoint point;
    while (walker.GetItem_TestPointTable(point, 0, "") == 1) {
        walked.push_back(point.m_strTpUuid.GetString());
        CObList list;
        ASSERT_EQ(other.GetAllItem_TestPointTable(list), 1);
        EXPECT_EQ(list.GetCount(), 5);
        other.ClearObjectList(list, "CTaDBTestPoint");
        CTaDBTestPoint byKey;
        CTaDBTestGroup group;
        EXPECT_EQ(other.GetItem_TestPointTable(byKey, 1, "key4"), 1);
        EXPECT_EQ(other.GetItem_TestGroupTable(group, 1, point.m_strTpUuid), 1);
    }
    EXPECT_EQ(walked, keys);
}

TEST(StatementReuse, PositionsBeyond32BitsMatchNoRow) {
    TempDir dir;
    TestStore store(dir);
    ASSERT_EQ(store.New(dir.File("p.tarnprj").c_str(), 1), 1);
    for (long i = 1; i <= 3; ++i) {
        CTaDBEntry entry;
        entry.m_strTestUuid = ("test" + std::to_string(i)).c_str();
        entry.m_nSequence = i;
        ASSERT_EQ(store.AddItem_EntryTable(entry, 1), 1);
    }
    for (long position : {4294967297L, 4294967296L + 3, -4294967295L, LONG_MAX, LONG_MIN}) {
        CTaDBEntry entry;
        EXPECT_EQ(store.GetItem_EntryTable_Seq(entry, position), 0) << position;
    }
    long three = 3;
    CTaDBEntry entry;
    EXPECT_EQ(store.GetItem_EntryTable_Seq(entry, three), 1);
}

TEST(StatementReuse, TheCacheGoesWithItsConnectionAcrossCloseOpenAndCopies) {
    TempDir dir;
    const std::string first = MakeProject(dir, "one.tarnprj", "INSERT INTO TpsTable (TPS_UUID, TPS_NAME) VALUES ('k', 'one')");
    const std::string second = MakeProject(dir, "two.tarnprj", "INSERT INTO TpsTable (TPS_UUID, TPS_NAME) VALUES ('k', 'two')");
    TestStore store(dir);
    ASSERT_EQ(store.Open(first.c_str()), 1);
    EXPECT_EQ(TpsNames(store, "k").at(0), "one");
    TestStore copy(store);
    EXPECT_EQ(TpsNames(copy, "k").at(0), "one");
    ASSERT_EQ(store.Close(), 1);
    CTaDBTps record;
    EXPECT_EQ(copy.GetItem_Tps(record, 1, "k"), -1);
    ASSERT_EQ(store.Open(second.c_str()), 1);
    EXPECT_EQ(TpsNames(store, "k").at(0), "two");
    EXPECT_EQ(copy.GetItem_Tps(record, 1, "k"), -1);
    ASSERT_EQ(copy.Open(first.c_str()), 1);
    EXPECT_EQ(TpsNames(copy, "k").at(0), "one");
    EXPECT_EQ(TpsNames(store, "k").at(0), "two");
}

TEST(StatementReuse, ASchemaChangeBetweenTwoUsesIsReadByColumnName) {
    TempDir dir;
    const std::string project = MakeProject(dir, "p.tarnprj");
    TestStore store(dir);
    ASSERT_EQ(store.Open(project.c_str()), 1);
    CTaDBTps record;
    record.m_strTpsUuid = "k";
    record.m_strTpsName = "name";
    record.m_strTpsDescription = "description";
    ASSERT_EQ(store.AddItem_Tps(record, 1), 1);
    EXPECT_EQ(TpsNames(store, "k"), (std::vector<std::string>{"name", "description"}));
    // The host rebuilds the table, its key kept, with its columns in the opposite order.
    std::string reversed, definitions;
    for (const auto& column : RawQuery(project, "PRAGMA table_info(TpsTable)")) {
        reversed = column[1] + (reversed.empty() ? "" : ", ") + reversed;
        definitions = column[1] + " " + column[2] + (column[5] == "1" ? " COLLATE NOCASE PRIMARY KEY" : "") +
                      (definitions.empty() ? "" : ", ") + definitions;
    }
    ASSERT_EQ(store.m_dbMng.Execute("ALTER TABLE TpsTable RENAME TO TpsOld"), 1) << store.m_dbMng.GetErrorInfo().GetString();
    ASSERT_EQ(store.m_dbMng.Execute(("CREATE TABLE TpsTable (" + definitions + ")").c_str()), 1);
    ASSERT_EQ(store.m_dbMng.Execute(("INSERT INTO TpsTable SELECT " + reversed + " FROM TpsOld").c_str()), 1);
    ASSERT_EQ(store.m_dbMng.Execute("DROP TABLE TpsOld"), 1);
    EXPECT_EQ(TpsNames(store, "k"), (std::vector<std::string>{"name", "description"}));
    record.m_strTpsUuid = "k2";
    ASSERT_EQ(store.AddItem_Tps(record, 1), 1);
    EXPECT_EQ(TpsNames(store, "k2"), (std::vector<std::string>{"name", "description"}));
}

TEST(StatementReuse, AQueryAfterItsTableChangedFindsTheNewColumnsByName) {
    TempDir dir;
    const std::string project = MakeProject(dir, "p.tarnprj", "INSERT INTO TpsTable (TPS_UUID) VALUES ('k')");
    TestStore store(dir);
    ASSERT_EQ(store.Open(project.c_str()), 1);
    const char* query = "Select * From TpsTable";
    // Adds the row key through the query, before it reads any, with value in column.
    auto addThroughTheQuery = [&](const char* key, const char* column, const char* value) {
        ASSERT_EQ(store.m_dbMng.QueryDataInDB(query), 1);
        ado::RecordsetPtr added = store.m_dbMng.GetRecordset();
        added->AddNew();
        added->PutCollect("TPS_UUID", key);
        added->PutCollect(column, value);
        added->Update();
    };
    ASSERT_EQ(store.m_dbMng.QueryDataInDB(query), 1);
    EXPECT_THROW(store.m_dbMng.GetRecordset()->GetCollect("EXTRA"), ado::ComError);
    store.m_dbMng.CloseRecordset();
    ASSERT_EQ(store.m_dbMng.Execute("ALTER TABLE TpsTable ADD COLUMN EXTRA TEXT"), 1);
    ASSERT_EQ(store.m_dbMng.Execute("UPDATE TpsTable SET EXTRA = 'added'"), 1);
    ASSERT_EQ(store.m_dbMng.QueryDataInDB(query), 1);
    ado::RecordsetPtr rows = store.m_dbMng.GetRecordset();
    EXPECT_EQ(rows->GetCollect("EXTRA").ToText(), "added");
    EXPECT_EQ(rows->GetCollect("TPS_UUID").ToText(), "k");
    // A row added through the query, before it read any, has the new column too.
    ASSERT_EQ(store.m_dbMng.Execute("ALTER TABLE TpsTable ADD COLUMN MORE TEXT"), 1);
    addThroughTheQuery("k2", "MORE", "put");
    // Another connection changes the table: the next read, and a row added
    // through the query before it read any, find it changed.
    RawExec(project, "ALTER TABLE TpsTable ADD COLUMN LAST TEXT; UPDATE TpsTable SET LAST = 'other'");
    ASSERT_EQ(store.m_dbMng.QueryDataInDB("Select * From TpsTable Where TPS_UUID = 'k2'"), 1);
    rows = store.m_dbMng.GetRecordset();
    EXPECT_EQ(rows->GetCollect("LAST").ToText(), "other");
    EXPECT_EQ(rows->GetCollect("MORE").ToText(), "put");
    RawExec(project, "ALTER TABLE TpsTable ADD COLUMN FINAL TEXT");
    addThroughTheQuery("k3", "FINAL", "added last");
    store.m_dbMng.CloseRecordset();
    EXPECT_EQ(RawQuery(project, "SELECT FINAL FROM TpsTable WHERE TPS_UUID = 'k3'")[0][0], "added last");
}
