#include <gtest/gtest.h>

#include <cstring>

#include "ATMLCommonError/SqlValue.h"
#include "ATMLCommonError/TaDBMng.h"
#include "platform/ado/ComError.h"
#include "platform/ado/Recordset.h"
#include "platform/com/Com.h"
#include "support/TestFiles.h"

namespace {
const char kNotConnected[] = "使用数据库查询之前未建立数据库连接！";

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = dir.File("project.db");
        RawExec(db,
                "CREATE TABLE T (K TEXT PRIMARY KEY COLLATE NOCASE, NAME TEXT COLLATE NOCASE, N INTEGER, D REAL);"
                "INSERT INTO T VALUES ('a','first',1,1.5),('b','second',2,NULL),('c','third',3,3.25);");
    }
    _DB_CONNECT_INFO Info(const std::string& path) {
        _DB_CONNECT_INFO info;
        info.m_strConnectionString = ConnectionStringFor(path).c_str();
        return info;
    }
    void Connect() { ASSERT_EQ(mng.ConnectDB(Info(db)), 1) << mng.GetErrorInfo().GetString(); }
    std::vector<std::vector<std::string>> Rows(const char* sql = "SELECT K, NAME, N FROM T ORDER BY K") {
        return RawQuery(db, sql);
    }

    TempDir dir;
    std::string db;
    CTaDBMng mng;
};
}  // namespace

TEST_F(ManagerTest, RefusesQueriesAndStatementsWithoutAConnection) {
    EXPECT_EQ(mng.QueryDataInDB("Select * From T"), -1);
    EXPECT_EQ(mng.GetErrorInfo(), kNotConnected);
    EXPECT_EQ(std::string(mng.GetErrorTrace()),
              "-> 错误位置：CTaDBMng::QueryDataInDB()，（代码：-1，错误；信息：“使用数据库查询之前未建立数据库连接！”）。");
    EXPECT_EQ(mng.Execute("Delete From T"), -1);
    EXPECT_EQ(mng.GetErrorInfo(), kNotConnected);
    EXPECT_NE(std::string(mng.GetErrorTrace()).find("CTaDBMng::Execute()"), std::string::npos);

    Connect();
    mng.CloseDB();
    EXPECT_EQ(mng.QueryDataInDB("Select * From T"), -1);
    EXPECT_EQ(mng.GetErrorInfo(), kNotConnected);
    EXPECT_EQ(Rows().size(), 3u);
}

TEST_F(ManagerTest, SuccessLeavesThePresetFailureInPlace) {
    Connect();
    EXPECT_EQ(mng.GetErrorCode(), -1);
    EXPECT_EQ(mng.GetErrorInfo(), "未知错误！");
    EXPECT_NE(std::string(mng.GetErrorTrace()).find("CTaDBMng::ConnectDB()"), std::string::npos);
    ASSERT_EQ(mng.QueryDataInDB("Select * From T"), 1);
    EXPECT_EQ(mng.m_bRecordsetOpen, 1);
    EXPECT_EQ(mng.GetErrorInfo(), "未知错误！");
    EXPECT_NE(std::string(mng.GetErrorTrace()).find("CTaDBMng::QueryDataInDB()"), std::string::npos);
}

TEST_F(ManagerTest, ConnectAndCloseKeepTheRuntimeBalanced) {
    const int before = CoInitializeCount();
    Connect();
    EXPECT_EQ(CoInitializeCount(), before + 1);
    Connect();  // the second connect closes the first
    EXPECT_EQ(CoInitializeCount(), before + 1);
    EXPECT_EQ(mng.CloseDB(), 1);
    EXPECT_EQ(CoInitializeCount(), before);
    EXPECT_EQ(mng.CloseDB(), 1);
    EXPECT_EQ(CoInitializeCount(), before);
    EXPECT_EQ(mng.m_bConnected, 0);
    EXPECT_EQ(mng.CloseRecordset(), 1);

    EXPECT_EQ(mng.ConnectDB(Info(dir.File("missing.db"))), -1);
    EXPECT_EQ(CoInitializeCount(), before);
    EXPECT_EQ(mng.m_bConnected, 0);
    EXPECT_EQ(mng.m_bRecordsetOpen, 0);
}

TEST_F(ManagerTest, ConnectFailuresGiveTheEnginesMessageAndTouchNothing) {
    EXPECT_EQ(mng.ConnectDB(Info(dir.File("missing.db"))), -1);
    EXPECT_FALSE(FileExists(dir.File("missing.db")));
    EXPECT_NE(std::string(mng.GetErrorInfo()).find("，SQLite，"), std::string::npos) << mng.GetErrorInfo().GetString();

    const std::string text = dir.File("notes.txt");
    WriteFile(text, std::string(4096, 'x'));
    EXPECT_EQ(mng.ConnectDB(Info(text)), -1);
    EXPECT_NE(std::string(mng.GetErrorInfo()).find("not a database"), std::string::npos);
    EXPECT_EQ(ReadFile(text), std::string(4096, 'x'));

    const std::string empty = dir.File("empty.db");
    WriteFile(empty, "");
    EXPECT_EQ(mng.ConnectDB(Info(empty)), -1);
    EXPECT_EQ(ReadFile(empty), "");

    EXPECT_EQ(mng.ConnectDB(Info(dir.Path())), -1);
    EXPECT_EQ(mng.m_bConnected, 0);
    EXPECT_NE(std::string(mng.GetErrorTrace()).find("CTaDBMng::ConnectDB()"), std::string::npos);
}

TEST_F(ManagerTest, ExecuteClosesTheOpenRecordset) {
    Connect();
    ASSERT_EQ(mng.QueryDataInDB("Select * From T"), 1);
    ado::RecordsetPtr first = mng.GetRecordset();
    ASSERT_EQ(mng.Execute("Update T Set N=N+10"), 1);
    EXPECT_EQ(mng.m_bRecordsetOpen, 0);
    EXPECT_EQ(mng.GetRecordset(), first);
    EXPECT_EQ(first->GetState(), ado::adStateClosed);
    EXPECT_EQ(Rows()[0][2], "11");
}

TEST_F(ManagerTest, QueryOfAMissingTableGivesAThreePartMessage) {
    Connect();
    EXPECT_EQ(mng.QueryDataInDB("Select * From NoSuchTable"), -1);
    std::string message = mng.GetErrorInfo().GetString();
    EXPECT_EQ(message, "no such table: NoSuchTable，SQLite，SQL logic error");
    EXPECT_EQ(mng.m_bRecordsetOpen, 0);
    EXPECT_EQ(mng.m_bConnected, 1);
}

TEST_F(ManagerTest, EmptyAndDoubleStatementsAreRefused) {
    Connect();
    for (const char* sql : {"", "   ", ";", "Update T Set N=0; Delete From T", "Select * From T; Select 1"}) {
        EXPECT_EQ(mng.Execute(sql), -1) << sql;
        EXPECT_EQ(mng.QueryDataInDB(sql), -1) << sql;
    }
    EXPECT_EQ(mng.Execute("Update T Set N=0;  ; "), 1);  // trailing blanks and semicolons are one statement
    EXPECT_EQ(Rows().size(), 3u);
    // A recordset opens queries only.
    EXPECT_EQ(mng.QueryDataInDB("Delete From T"), -1);
    EXPECT_EQ(Rows().size(), 3u);
}

// A host's statements cannot corrupt the file: the pragmas that would let
// them are accepted and change nothing.
TEST_F(ManagerTest, PragmasThatCouldCorruptTheFileChangeNothing) {
    RawExec(db, "PRAGMA journal_mode=WAL");
    Connect();
    EXPECT_EQ(mng.Execute("PRAGMA writable_schema=ON"), 1);
    EXPECT_EQ(mng.Execute("UPDATE sqlite_master SET sql = 'CREATE TABLE T (K)' WHERE name = 'T'"), -1);
    EXPECT_NE(std::string(mng.GetErrorInfo()).find("may not be modified"), std::string::npos)
        << mng.GetErrorInfo().GetString();
    EXPECT_EQ(mng.Execute("PRAGMA journal_mode=OFF"), 1);
    EXPECT_EQ(mng.Execute("Update T Set N=8 Where K='a'"), 1);
    mng.CloseDB();
    EXPECT_EQ(RawQuery(db, "PRAGMA journal_mode")[0][0], "wal");
    EXPECT_EQ(Rows()[0], (std::vector<std::string>{"a", "first", "8"}));
}

TEST_F(ManagerTest, RecordsetReadsColumnsByNameInAnyCase) {
    Connect();
    ASSERT_EQ(mng.QueryDataInDB("Select * From T Where K='a'"), 1);
    ado::RecordsetPtr rs = mng.GetRecordset();
    ASSERT_FALSE(rs->IsEOF());
    EXPECT_EQ(rs->GetCollect("name").ToText(), "first");
    EXPECT_EQ(rs->GetCollect("N").Type(), ado::VT_I4);
    EXPECT_EQ(rs->GetCollect("n").ToInt32(), 1);
    EXPECT_DOUBLE_EQ(rs->GetCollect("D").ToDouble(), 1.5);
    EXPECT_THROW(rs->GetCollect("NOPE"), ado::ComError);
    rs->MoveNext();
    EXPECT_TRUE(rs->IsEOF());
    EXPECT_THROW(rs->GetCollect("K"), ado::ComError);
    EXPECT_THROW(rs->MoveNext(), ado::ComError);
    mng.CloseRecordset();
    EXPECT_THROW(rs->IsEOF(), ado::ComError);
}

// A host's table whose columns are named in lower case: asked for in upper
// or mixed case, each is found by its name, for reading and for writing.
TEST_F(ManagerTest, RecordsetFindsALowerCaseColumnAskedInUpperCase) {
    RawExec(db, "CREATE TABLE h (k TEXT PRIMARY KEY, label TEXT, n INTEGER); INSERT INTO h VALUES ('a', 'lower', 7);");
    Connect();
    ASSERT_EQ(mng.QueryDataInDB("Select * From h"), 1);
    ado::RecordsetPtr rs = mng.GetRecordset();
    ASSERT_FALSE(rs->IsEOF());
    EXPECT_EQ(rs->GetCollect("LABEL").ToText(), "lower");
    EXPECT_EQ(rs->GetCollect("N").ToInt32(), 7);
    EXPECT_EQ(rs->GetCollect("K").ToText(), "a");
    EXPECT_EQ(rs->GetCollect("Label").ToText(), "lower");
    rs->PutCollect("LABEL", "changed");
    rs->Update();
    rs->AddNew();
    rs->PutCollect("K", "b");
    rs->PutCollect("LaBeL", "added");
    rs->PutCollect("N", int32_t(8));
    rs->Update();
    mng.CloseRecordset();
    mng.CloseDB();
    EXPECT_EQ(RawQuery(db, "SELECT k, label, n FROM h ORDER BY k"),
              (std::vector<std::vector<std::string>>{{"a", "changed", "7"}, {"b", "added", "8"}}));
}

// A host that keeps a column's name in one buffer, filled anew for each
// look-up, finds each column by the text it puts there.
TEST_F(ManagerTest, ANameBufferReusedForEveryColumnFindsEachByItsText) {
    Connect();
    char name[16];
    auto named = [&name](const char* text) { return std::strcpy(name, text); };
    ASSERT_EQ(mng.QueryDataInDB("Select * From T Where K='a'"), 1);
    ado::RecordsetPtr rs = mng.GetRecordset();
    std::string buffer;
    for (const char* column : {"K", "N", "NAME", "D", "n", "k"}) {
        buffer = column;
        EXPECT_EQ(rs->GetCollect(buffer.c_str()).ToText(), rs->GetCollect(column).ToText()) << column;
    }
    EXPECT_DOUBLE_EQ(rs->GetCollect(named("D")).ToDouble(), 1.5);
    EXPECT_EQ(rs->GetCollect(named("N")).ToInt32(), 1);
    EXPECT_DOUBLE_EQ(rs->GetCollect(named("D")).ToDouble(), 1.5);
    mng.CloseRecordset();

    // Writes too: the value goes to the column named, and only there.
    ASSERT_EQ(mng.QueryDataInDB("Select * From T Where K='a'"), 1);
    rs = mng.GetRecordset();
    for (const char* column : {"K", "N", "NAME"}) rs->GetCollect(named(column));
    rs->PutCollect(named("D"), 9.5);
    rs->PutCollect(named("N"), int32_t(7));
    rs->Update();
    mng.CloseRecordset();
    EXPECT_EQ(Rows("SELECT K, NAME, N, D FROM T WHERE K='a'")[0],
              (std::vector<std::string>{"a", "first", "7", "9.5"}));
}

TEST_F(ManagerTest, RecordsetAddsUpdatesAndDeletesThroughTheFile) {    Connect();
    ASSERT_EQ(mng.QueryDataInDB("Select * From T"), 1);
    ado::RecordsetPtr rs = mng.GetRecordset();
    rs->AddNew();
    rs->PutCollect("K", "d");
    rs->PutCollect("NAME", "fourth");
    rs->PutCollect("N", int32_t(4));
    rs->Update();
    mng.CloseRecordset();

    ASSERT_EQ(mng.QueryDataInDB("Select * From T Where K='b'"), 1);
    rs = mng.GetRecordset();
    rs->PutCollect("NAME", "changed");
    rs->PutCollect("D", 9.5);
    EXPECT_EQ(rs->GetCollect("NAME").ToText(), "changed");
    rs->Update();
    mng.CloseRecordset();

    auto rows = Rows("SELECT K, NAME, N, D FROM T ORDER BY K");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"b", "changed", "2", "9.5"}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"d", "fourth", "4", "<null>"}));
}

TEST_F(ManagerTest, DeletingWhileWalkingVisitsEveryRowOnce) {
    Connect();
    ASSERT_EQ(mng.QueryDataInDB("Select * From T"), 1);
    ado::RecordsetPtr rs = mng.GetRecordset();
    std::vector<std::string> seen;
    while (!rs->IsEOF()) {
        seen.push_back(rs->GetCollect("K").ToText());
        if (seen.back() != "b") {
            rs->Delete();
            EXPECT_THROW(rs->GetCollect("K"), ado::ComError);
        }
        rs->MoveNext();
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c"}));
    mng.CloseRecordset();
    EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"b", "second", "2"}}));
}

TEST_F(ManagerTest, UpdatingWhileWalkingAnIndexedOrderVisitsEveryRowOnce) {
    Connect();
    ASSERT_EQ(mng.Execute("CREATE INDEX TN ON T(N)"), 1);
    ASSERT_EQ(mng.QueryDataInDB("Select * From T Where N>0 Order By N"), 1);
    ado::RecordsetPtr rs = mng.GetRecordset();
    int visits = 0;
    for (; !rs->IsEOF(); rs->MoveNext(), ++visits) {
        rs->PutCollect("N", rs->GetCollect("N").ToInt32() + 100);
        rs->Update();
    }
    EXPECT_EQ(visits, 3);
    EXPECT_EQ(Rows("SELECT group_concat(N) FROM (SELECT N FROM T ORDER BY K)")[0][0], "101,102,103");
}

TEST_F(ManagerTest, JoinsAreReadOnly) {
    Connect();
    ASSERT_EQ(mng.QueryDataInDB("Select T.* From T, T AS U Where T.K=U.K"), 1);
    ado::RecordsetPtr rs = mng.GetRecordset();
    EXPECT_FALSE(rs->IsEOF());
    EXPECT_EQ(rs->GetCollect("K").ToText(), "a");
    EXPECT_THROW(rs->PutCollect("NAME", "x"), ado::ComError);
    EXPECT_THROW(rs->Delete(), ado::ComError);
    EXPECT_THROW(rs->AddNew(), ado::ComError);
}

// The recordset adds the row id after a query's "*": a text SQLite refuses
// as written is refused even where the row id would make it valid.
TEST_F(ManagerTest, AQueryRunsAsItsOwnTextGivesIt) {
    Connect();
    for (const char* sql : {"Select * From T Order By 5", "Select * From T Where N>0 Group By 5",
                            "Select * From T Where N>0 order by 1, 5"}) {
        EXPECT_EQ(mng.QueryDataInDB(sql), -1) << sql;
        EXPECT_NE(std::string(mng.GetErrorInfo()).find("out of range"), std::string::npos) << mng.GetErrorInfo();
    }
    ASSERT_EQ(mng.QueryDataInDB("Select * From T Order By 4 Desc"), 1);
    EXPECT_EQ(mng.GetRecordset()->GetCollect("K").ToText(), "c");
}

// A query reads each row's id by the name rowid: where a column of the
// table has that name, its rows are added through the query but never
// changed or deleted by that column's values; a table without row ids is
// read-only.
TEST_F(ManagerTest, RowsAreChangedOnlyByTheirOwnRowIds) {
    RawExec(db, "CREATE TABLE X (rowid INTEGER, V INTEGER); INSERT INTO X VALUES (5, 1), (5, 2);"
                "CREATE TABLE W (K TEXT PRIMARY KEY, V INTEGER) WITHOUT ROWID; INSERT INTO W VALUES ('k', 1);");
    Connect();
    ASSERT_EQ(mng.QueryDataInDB("Select * From X Where V = 1"), 1);
    ado::RecordsetPtr rs = mng.GetRecordset();
    rs->PutCollect("V", 9);
    EXPECT_THROW(rs->Update(), ado::ComError);
    EXPECT_THROW(rs->Delete(), ado::ComError);
    rs->AddNew();
    rs->PutCollect("rowid", 7);
    rs->PutCollect("V", 3);
    rs->Update();
    mng.CloseRecordset();
    EXPECT_EQ(RawQuery(db, "SELECT rowid, V FROM X ORDER BY V"),
              (std::vector<std::vector<std::string>>{{"5", "1"}, {"5", "2"}, {"7", "3"}}));
    ASSERT_EQ(mng.QueryDataInDB("Select * From W"), 1);
    EXPECT_EQ(mng.GetRecordset()->GetCollect("V").ToInt32(), 1);
    EXPECT_THROW(mng.GetRecordset()->PutCollect("V", 2), ado::ComError);
}

TEST_F(ManagerTest, QuotedValuesRoundTripAndTouchNoOtherRow) {
    Connect();
    const CString hostile = "x' Or '1'='1";
    CString sql;
    sql.Format("Update T Set NAME='%s' Where K='%s'", SqlValue("it's; -- %s").GetString(), SqlValue(hostile).GetString());
    ASSERT_EQ(mng.Execute(sql), 1);
    EXPECT_EQ(Rows()[0][1], "first");
    sql.Format("Update T Set NAME='%s' Where K='%s'", SqlValue("it's; -- %s").GetString(), SqlValue("a").GetString());
    ASSERT_EQ(mng.Execute(sql), 1);
    sql.Format("Select * From T Where NAME='%s'", SqlValue("it's; -- %s").GetString());
    ASSERT_EQ(mng.QueryDataInDB(sql), 1);
    EXPECT_EQ(mng.GetRecordset()->GetCollect("K").ToText(), "a");
    EXPECT_EQ(Rows()[1][1], "second");
}

TEST_F(ManagerTest, EditionTablesColumnNamedTableCanBeQueried) {
    RawExec(db, "CREATE TABLE EditionTable (\"TABLE\" TEXT PRIMARY KEY, EDITION INTEGER);"
                "INSERT INTO EditionTable VALUES ('TpsTable', 10), ('TABLE', 11);");
    Connect();
    ASSERT_EQ(mng.QueryDataInDB("Select * From EditionTable Where TABLE='TABLE'"), 1);
    ado::RecordsetPtr rs = mng.GetRecordset();
    ASSERT_FALSE(rs->IsEOF());
    EXPECT_EQ(rs->GetCollect("EDITION").ToInt32(), 11);
    EXPECT_EQ(rs->GetCollect("TABLE").ToText(), "TABLE");
}

TEST_F(ManagerTest, CopiesShareOneConnectionClosedOnce) {
    const int before = CoInitializeCount();
    Connect();
    {
        CTaDBMng copy(mng);
        EXPECT_EQ(copy.m_pConnection, mng.m_pConnection);
    }  // a copy going away leaves the connection to the others
    EXPECT_EQ(mng.Execute("Update T Set N=5"), 1);
    CTaDBMng other(mng);
    EXPECT_EQ(other.CloseDB(), 1);
    EXPECT_EQ(CoInitializeCount(), before);
    // The shared connection is closed: the next call fails as unconnected,
    // and the flags say so from then on.
    EXPECT_EQ(mng.m_bConnected, 1);
    EXPECT_EQ(mng.Execute("Update T Set N=6"), -1);
    EXPECT_EQ(mng.GetErrorInfo(), CString(kNotConnected));
    EXPECT_EQ(mng.m_bConnected, 0);
    EXPECT_EQ(mng.m_bRecordsetOpen, 0);
    EXPECT_EQ(mng.QueryDataInDB("Select * From T"), -1);
    EXPECT_EQ(mng.CloseDB(), 1);
    EXPECT_EQ(CoInitializeCount(), before);
    EXPECT_EQ(Rows()[0][2], "5");
}

TEST_F(ManagerTest, ClosedProjectIsOneSelfContainedFile) {
    Connect();
    ASSERT_EQ(mng.Execute("Update T Set N=42"), 1);
    EXPECT_TRUE(FileExists(db + "-wal"));
    mng.CloseDB();
    EXPECT_FALSE(FileExists(db + "-wal"));
    const std::string moved = dir.File("moved.db");
    WriteFile(moved, ReadFile(db));
    EXPECT_EQ(RawQuery(moved, "SELECT min(N) FROM T")[0][0], "42");
}
