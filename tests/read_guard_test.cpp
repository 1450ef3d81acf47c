// A text completed with a host's condition is prepared only as one read-only
// statement over the project's own tables; anything else is refused before it
// runs and changes nothing.
#include <gtest/gtest.h>

#include "platform/ado/Recordset.h"
#include "support/TestFiles.h"

namespace {
class ReadGuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        RawExec(db, "CREATE TABLE T (K TEXT PRIMARY KEY, N INTEGER); INSERT INTO T VALUES ('a', 1), ('b', 2);"
                    "CREATE TABLE Other (K TEXT);");
        connection->Open("Data Source=" + db, "", "", 0);
    }
    // The keys the condition selects, or the refusal's message.
    std::string Select(const std::string& condition) {
        ado::Recordset recordset;
        try {
            recordset.Open(ado::Command{"Select * From T where " + condition, {}, ado::Origin::HostCondition},
                           connection, ado::adOpenDynamic, ado::adLockOptimistic, ado::adCmdText);
            std::string keys;
            for (; !recordset.IsEOF(); recordset.MoveNext()) keys += recordset.Field("K").ToText();
            return keys;
        } catch (const ado::ComError& error) {
            return "refused: " + error.Description();
        }
    }

    TempDir dir;
    std::string db = dir.File("p.db");
    ado::ConnectionPtr connection = std::make_shared<ado::Connection>();
};
}  // namespace

TEST_F(ReadGuardTest, ReadsOfTheProjectsTablesPass) {
    const std::pair<const char*, const char*> cases[] = {
        {"1=1", "ab"},
        {"K='b' or N=1 order by K desc", "ba"},
        {"K in (select K from T where N > 1) and not exists (select 1 from Other)", "b"},
        {"1=1 ;  ;\n", "ab"},
        {"1=1 -- a note", "ab"},
        {"1=1; /* a note */ -- and another", "ab"},
        {"K like 'a%' and length(K) = 1", "a"},
    };
    for (const auto& [condition, keys] : cases) EXPECT_EQ(Select(condition), keys) << condition;
}

TEST_F(ReadGuardTest, EverythingElseIsRefusedAndChangesNothing) {
    const char* const cases[] = {
        "1=1; select 1",
        "1=1; /* hidden */ select 1",
        "1=1; delete from T",
        "1=1; attach 'x.db' as x",
        "1=1 union select name, 0 from sqlite_master",
        "N = (select count(*) from pragma_table_info('T'))",
        "load_extension('libx.so') is null",
        "K=",
        "",
        "1=1; pragma journal_mode=delete",
        "1=1; create table Z (A)",
    };
    for (const char* condition : cases) {
        const std::string result = Select(condition);
        EXPECT_EQ(result.rfind("refused: ", 0), 0u) << condition << " gave " << result;
    }
    EXPECT_EQ(Select("load_extension('libx.so') is null"),
              "refused: The condition may only read the project's tables; refused: function load_extension");
    connection->Close();
    EXPECT_EQ(RawQuery(db, "SELECT count(*) FROM T")[0][0], "2");
    EXPECT_EQ(RawQuery(db, "SELECT group_concat(name) FROM sqlite_master WHERE type = 'table'")[0][0], "T,Other");
    EXPECT_FALSE(FileExists(dir.File("x.db")));
}

TEST_F(ReadGuardTest, TheGuardEndsWithItsStatement) {
    EXPECT_NE(Select("1=1; select 1").rfind("refused", 0), std::string::npos);
    EXPECT_EQ(connection->Execute("INSERT INTO Other VALUES ('written')"), 1);
    EXPECT_EQ(Select("K in (select 'a' from Other)"), "a");
}
