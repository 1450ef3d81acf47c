// A host's own statements and queries through the connection manager run
// as SQLite runs them: no budget, whatever they cost on a sound project,
// and a query stands on its first row when it answers, so one that fails
// there answers -1 with SQLite's message. A row added through a host's
// query reads nothing of the query ahead unless SQLite refuses the write
// beside the open read.
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

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
}  // namespace

// Each key's rank, by a statement and by a report into a table of the
// host's own, and their sum by a query's first row: k00001 is first.
TEST_F(HostStatementsTest, CostlyStatementsAndQueriesRunAsSQLiteRunsThem) {
    const std::string ranks =
        "(SELECT count(*) FROM ActionSetupTable b WHERE b.ACTION_UUID < ActionSetupTable.ACTION_UUID)";
    EXPECT_EQ(mng.Execute(("UPDATE ActionSetupTable SET ACTION_DESCRIPTION=" + ranks).c_str()), 1)
        << mng.GetErrorInfo().GetString();
    ASSERT_EQ(mng.Execute("CREATE TABLE Report (K TEXT, RANK INTEGER)"), 1);
    EXPECT_EQ(mng.Execute(("INSERT INTO Report SELECT ACTION_UUID, " + ranks + " FROM ActionSetupTable").c_str()), 1)
        << mng.GetErrorInfo().GetString();
    EXPECT_EQ(Scalar("SELECT count(*) FROM ActionSetupTable JOIN Report ON K = ACTION_UUID WHERE RANK = "
                     "CAST(substr(K, 2) AS INTEGER) - 1 AND ACTION_DESCRIPTION = CAST(RANK AS TEXT)"),
              std::to_string(kRows));
    ASSERT_EQ(mng.QueryDataInDB(("SELECT sum(" + ranks + ") AS S FROM ActionSetupTable").c_str()), 1)
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
// SQLite cannot fold its log into the file at such a commit: that is done
// once the read is over, and the log stays within twice the 1,000 pages
// at which SQLite folds it.
TEST_F(HostStatementsTest, RowsAddedThroughQueriesGoBesideTheirWalks) {
    const int appends = 2000;
    for (int i = 0; i < appends; ++i) {
        ASSERT_EQ(mng.QueryDataInDB("Select * From ActionSetupTable"), 1);
        ado::RecordsetPtr rs = mng.GetRecordset();
        rs->AddNew();
        rs->PutCollect("ACTION_UUID", ("added" + std::to_string(i)).c_str());
        rs->Update();
        std::string last;
        for (; i == 0 && !rs->IsEOF(); rs->MoveNext()) last = rs->GetCollect("ACTION_UUID").ToText();
        EXPECT_TRUE(i > 0 || last == "added0") << last;
        mng.CloseRecordset();
    }
    struct stat log;
    ASSERT_EQ(stat((path + "-wal").c_str(), &log), 0);
    EXPECT_LT(log.st_size, 2 * 1000 * (4096 + 24));
    mng.CloseDB();
    EXPECT_EQ(Scalar("SELECT count(*) FROM ActionSetupTable WHERE ACTION_UUID LIKE 'added%'"),
              std::to_string(appends));
}
