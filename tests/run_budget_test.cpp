// The budget of a connection's runs (RunBudget.h): each statement's run is
// counted on its own, across its steps, whatever runs between them.
#include <gtest/gtest.h>

#include <memory>
#include <sqlite3.h>
#include <string>

#include "platform/ado/Connection.h"
#include "platform/ado/RunBudget.h"
#include "platform/ado/Statement.h"
#include "support/TestFiles.h"

namespace {
// An endless run of a few instructions a row, with no file under it.
const char kEndless[] = "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT x FROM c";

class RunBudgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("small.db");
        RawExec(path, "CREATE TABLE T (A); INSERT INTO T VALUES (1), (2)");
        ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        budget.Attach(db, path);
    }
    void TearDown() override { sqlite3_close_v2(db); }

    // The rows the endless run gave before the budget stopped it, and what
    // stopped it; between its steps, between runs (when given) runs whole.
    std::string StepsOfTheEndlessRun(const char* between) {
        ado::Statement endless(db, kEndless, &budget);
        std::unique_ptr<ado::Statement> other(between ? new ado::Statement(db, between, &budget) : nullptr);
        // Far more rows than the budget has instructions for.
        const long cap = 10 * (ado::kBudgetBaseInstructions + ado::kBudgetInstructionsPerByte * 65536);
        long rows = 0;
        try {
            while (endless.Step() && ++rows < cap)
                if (other) other->Run();
        } catch (const ado::ComError& error) {
            return error.Description();
        }
        return "not stopped after " + std::to_string(rows) + " rows";
    }

    TempDir dir;
    std::string path;
    sqlite3* db = nullptr;
    ado::RunBudget budget;
};
}  // namespace

TEST_F(RunBudgetTest, ARunIsStoppedWhateverRunsBetweenItsSteps) {
    const std::string refusal = ado::kUnboundedReadText + path;
    for (const char* between : {static_cast<const char*>(nullptr), "SELECT sum(A) FROM T", "SELECT 1"}) {
        SCOPED_TRACE(between ? between : "nothing");
        EXPECT_EQ(StepsOfTheEndlessRun(between), refusal);
        // The next run of a statement has a budget of its own.
        ado::Statement next(db, "SELECT sum(A) FROM T", &budget);
        ASSERT_TRUE(next.Step());
        EXPECT_EQ(next.ColumnInt64(0), 3);
    }
}

// A write stopped by the budget is undone, with the transaction it is part of.
TEST_F(RunBudgetTest, AStoppedWriteIsUndoneWithItsTransaction) {
    ado::Statement(db, "BEGIN IMMEDIATE", &budget).Run();
    ado::Statement(db, "INSERT INTO T VALUES (3)", &budget).Run();
    ado::Statement spin(db, std::string("INSERT INTO T SELECT x FROM (") + kEndless + ") WHERE x < 0", &budget);
    EXPECT_THROW(spin.Run(), ado::ComError);
    EXPECT_TRUE(sqlite3_get_autocommit(db));
    ado::Statement sum(db, "SELECT sum(A) FROM T", &budget);
    ASSERT_TRUE(sum.Step());
    EXPECT_EQ(sum.ColumnInt64(0), 3);
}
