// A host's own statements and queries through the connection manager run
// as SQLite runs them: no budget, whatever they cost on a sound project,
// and a query stands on its first row when it answers, so one that fails
// there answers -1 with SQLite's message. A row added through a host's
// query reads nothing of the query ahead unless SQLite refuses the write
// beside the open read.
#include <gtest/gtest.h>

#include <string>

#include "ATMLCommonError/TaDBMng.h"
#include "platform/ado/Recordset.h"
#include "support/TestStore.h"

namespace {
// Action steps k00001 ... ranked by key in a project of the store. A
// ranking by correlated count reads about rows * rows / 2 index entries:
// for this many, some times the budget that the store's own statements
// have on a file of this size, and moments of SQLite's work.
const int kRows = 2000;

class HostStatementsTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = MakeProject(dir, "p.tarnprj",
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                               std::to_string(kRows) +
                               ") INSERT INTO ActionSetupTable (ACTION_UUID) SELECT printf('k%05d', i) FROM n");
        _DB_CONNECT_INFO info;
        info.m_strConnectionString = ConnectionStringFor(path).c_str();
        ASSERT_EQ(mng.ConnectDB(info), 1) << mng.GetErrorInfo().GetString();
    }
    std::string Scalar(const std::string& sql) { return RawQuery(path, sql)[0][0]; }

    TempDir dir;
    std::string path;
    CTaDBMng mng;
};

// The rank of each key, k00001 first: its number less one.
const char kWrongRanks[] = "SELECT count(*) FROM ActionSetupTable "
                           "WHERE ACTION_DESCRIPTION IS NOT CAST(CAST(substr(ACTION_UUID, 2) AS INTEGER) - 1 AS TEXT)";
}  // namespace

TEST_F(HostStatementsTest, CostlyStatementsAndQueriesRunAsSQLiteRunsThem) {
    EXPECT_EQ(mng.Execute("UPDATE ActionSetupTable SET ACTION_DESCRIPTION=(SELECT count(*) FROM ActionSetupTable b "
                          "WHERE b.ACTION_UUID < ActionSetupTable.ACTION_UUID)"),
              1)
        << mng.GetErrorInfo().GetString();
    EXPECT_EQ(Scalar(kWrongRanks), "0");
    // A report into a table of the host's own.
    ASSERT_EQ(mng.Execute("CREATE TABLE Report (K TEXT, RANK INTEGER)"), 1);
    EXPECT_EQ(mng.Execute("INSERT INTO Report SELECT a.ACTION_UUID, (SELECT count(*) FROM ActionSetupTable b "
                          "WHERE b.ACTION_UUID < a.ACTION_UUID) FROM ActionSetupTable a"),
              1)
        << mng.GetErrorInfo().GetString();
    EXPECT_EQ(Scalar("SELECT count(*) || ' ' || sum(RANK = CAST(substr(K, 2) AS INTEGER) - 1) FROM Report"),
              std::to_string(kRows) + " " + std::to_string(kRows));
    // A query whose first row costs as much.
    ASSERT_EQ(mng.QueryDataInDB("SELECT sum((SELECT count(*) FROM ActionSetupTable b "
                                "WHERE b.ACTION_UUID < a.ACTION_UUID)) AS S FROM ActionSetupTable a"),
              1)
        << mng.GetErrorInfo().GetString();
    EXPECT_EQ(mng.GetRecordset()->GetCollect("S").ToDouble(), double(kRows) * (kRows - 1) / 2);
}

TEST_F(HostStatementsTest, AQueryThatFailsAtItsFirstRowAnswersTheFailure) {
    const struct {
        const char* sql;
        const char* message;
    } cases[] = {
        {"SELECT abs(-9223372036854775807-1)", "integer overflow，SQLite，SQL logic error"},
        {"SELECT json('{bad')", "malformed JSON，SQLite，SQL logic error"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mng.QueryDataInDB(c.sql), -1) << c.sql;
        EXPECT_EQ(std::string(mng.GetErrorInfo()), c.message);
        EXPECT_EQ(mng.m_bRecordsetOpen, 0);
        // The manager goes on serving the host.
        ASSERT_EQ(mng.QueryDataInDB("SELECT abs(-5) AS A"), 1);
        EXPECT_EQ(mng.GetRecordset()->GetCollect("A").ToInt32(), 5);
    }
}

// SQLite lets a row be added beside an open read of a project in its log
// mode: the walk, which goes on in SQLite, meets the row at its end. (A file
// in rollback mode must switch to the log for its first write, which SQLite
// refuses beside an open read: the rest of the walk is read ahead first.)
TEST_F(HostStatementsTest, ARowAddedThroughAQueryGoesBesideItsWalk) {
    ASSERT_EQ(mng.QueryDataInDB("Select * From ActionSetupTable"), 1);
    ado::RecordsetPtr rs = mng.GetRecordset();
    rs->AddNew();
    rs->PutCollect("ACTION_UUID", "added");
    rs->Update();
    std::string last;
    for (; !rs->IsEOF(); rs->MoveNext()) last = rs->GetCollect("ACTION_UUID").ToText();
    EXPECT_EQ(last, "added");
    mng.CloseDB();
    EXPECT_EQ(Scalar("SELECT count(*) FROM ActionSetupTable WHERE ACTION_UUID = 'added'"), "1");
}
