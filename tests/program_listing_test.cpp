// Programs as EXPLAIN lists them, read under a bound and kept compact: a
// kept program reads back instruction for instruction as it was listed, two
// programs are the same only where every instruction is, and SQLite makes
// no program much larger than the bound a listing sets.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <vector>

#include "platform/ado/ProgramListing.h"

namespace {
// An instruction with texts of its own.
struct Owned {
    int64_t address, p1, p2, p3, p5;
    std::string opcode;
    std::optional<std::string> p4;
    bool operator==(const Owned& o) const {
        return address == o.address && p1 == o.p1 && p2 == o.p2 && p3 == o.p3 && p5 == o.p5 && opcode == o.opcode &&
               p4 == o.p4;
    }
};

Owned Own(const ado::Instruction& i) {
    return {i.address, i.p1, i.p2, i.p3, i.p5, std::string(i.opcode),
            i.p4 ? std::optional<std::string>(std::string(*i.p4)) : std::nullopt};
}

// Statements whose programs hold negative operands, empty and absent p4, long p4 texts.
const char* const kStatements[] = {
    "INSERT INTO T DEFAULT VALUES",
    "INSERT INTO T VALUES (?, ?, ?, ?, ?)",
    "UPDATE T SET b = 'it''s', d = d - 1e300 WHERE a > -5 AND c IS NOT x''",
    "SELECT a, group_concat(b, '') FROM T WHERE b = '' GROUP BY a ORDER BY d DESC LIMIT -1",
};

class ProgramListingTest : public ::testing::Test {
protected:
    ProgramListingTest() {
        sqlite3_open(":memory:", &m_db);
        sqlite3_exec(m_db,
                     "CREATE TABLE T (a INTEGER PRIMARY KEY, b TEXT NOT NULL DEFAULT '', c BLOB DEFAULT x'00', "
                     "d REAL DEFAULT -1.5, e DEFAULT -9223372036854775808); CREATE INDEX Tb ON T (b, c)",
                     nullptr, nullptr, nullptr);
    }
    ~ProgramListingTest() override { sqlite3_close(m_db); }

    // Every instruction of the program of sql, with what ListProgram answered.
    std::vector<Owned> Listed(const std::string& sql, size_t most = SIZE_MAX,
                              ado::Listing* listing = nullptr) {
        std::vector<Owned> program;
        const ado::Listing answer = ado::ListProgram(m_db, sql, most, [&](const ado::Instruction& instruction) {
            program.push_back(Own(instruction));
            return true;
        });
        if (listing) *listing = answer;
        return program;
    }

    sqlite3* m_db = nullptr;
};
}  // namespace

TEST_F(ProgramListingTest, AKeptProgramReadsBackAsListed) {
    bool negative = false, emptyP4 = false, noP4 = false;
    for (const char* sql : kStatements) {
        SCOPED_TRACE(sql);
        const std::vector<Owned> listed = Listed(sql);
        const std::optional<ado::CompactProgram> kept = ado::KeptProgram(m_db, sql, listed.size());
        ASSERT_TRUE(kept);
        std::vector<Owned> read;
        EXPECT_TRUE(kept->ForEach([&](const ado::Instruction& instruction) {
            read.push_back(Own(instruction));
            return true;
        }));
        EXPECT_EQ(kept->Size(), listed.size());
        EXPECT_TRUE(read == listed);
        EXPECT_TRUE(ado::CompilesTo(m_db, sql, *kept));
        for (const Owned& instruction : listed) {
            negative = negative || instruction.p1 < 0 || instruction.p2 < 0 || instruction.p3 < 0;
            emptyP4 = emptyP4 || (instruction.p4 && instruction.p4->empty());
            noP4 = noP4 || !instruction.p4;
        }
    }
    EXPECT_TRUE(negative && emptyP4 && noP4) << "the statements no longer hold what they were chosen for";
}

// Statements that compile to programs of one size as the first does, each
// differing in one operand or text, or larger.
TEST_F(ProgramListingTest, ProgramsAreTheSameOnlyWhereEveryInstructionIs) {
    const std::string first = "INSERT INTO T VALUES (1, 'x', NULL, 2.5, 3)";
    const std::optional<ado::CompactProgram> kept = ado::KeptProgram(m_db, first, SIZE_MAX);
    ASSERT_TRUE(kept);
    for (const std::string other :
         {"INSERT INTO T VALUES (1, 'y', NULL, 2.5, 3)", "INSERT INTO T VALUES (1, 'x', NULL, 2.5, 4)",
          "INSERT INTO T VALUES (1, 'x', NULL, 3.5, 3)", "INSERT OR IGNORE INTO T VALUES (1, 'x', NULL, 2.5, 3)",
          "INSERT INTO T VALUES (1, 'x', NULL, 2.5, 3) RETURNING a"}) {
        SCOPED_TRACE(other);
        EXPECT_FALSE(ado::CompilesTo(m_db, other, *kept));
        const std::optional<ado::CompactProgram> otherKept = ado::KeptProgram(m_db, other, SIZE_MAX);
        ASSERT_TRUE(otherKept);
        EXPECT_TRUE(*otherKept != *kept);
    }
    EXPECT_TRUE(*ado::KeptProgram(m_db, first, SIZE_MAX) == *kept);
}

// The peak of the engine's memory beyond what it held before while body runs.
int64_t EnginePeak(const std::function<void()>& body) {
    const int64_t before = sqlite3_memory_used();
    sqlite3_int64 current = 0, highest = 0;
    sqlite3_status64(SQLITE_STATUS_MEMORY_USED, &current, &highest, 1);
    body();
    sqlite3_status64(SQLITE_STATUS_MEMORY_USED, &current, &highest, 0);
    return highest - before;
}

// A bound one below a program's size lists no more than the bound; an
// insert into a table of 300 indexes over its 300 columns, which SQLite
// compiles to 90,000 instructions, is not made whole under a bound of a
// hundred; a listing stopped says so; the connection's own limit on
// programs is as it was.
TEST_F(ProgramListingTest, NoProgramOutgrowsItsBound) {
    const std::string sql = kStatements[1];
    const size_t size = Listed(sql).size();
    ado::Listing listing = ado::Listing::Whole;
    EXPECT_EQ(Listed(sql, size - 1, &listing).size(), size - 1);
    EXPECT_EQ(listing, ado::Listing::Larger);
    EXPECT_EQ(Listed(sql, size, &listing).size(), size);
    EXPECT_EQ(listing, ado::Listing::Whole);
    EXPECT_EQ(ado::ListProgram(m_db, sql, size, [](const ado::Instruction&) { return false; }), ado::Listing::Stopped);

    std::string wide = "CREATE TABLE W (C0";
    for (int i = 1; i < 300; ++i) wide += ", C" + std::to_string(i);
    wide += ");";
    for (int i = 0; i < 300; ++i) {
        wide += "CREATE INDEX W" + std::to_string(i) + " ON W (";
        for (int k = 0; k < 300; ++k) wide += (k ? ", C" : "C") + std::to_string((k + i) % 300);
        wide += ");";
    }
    ASSERT_EQ(sqlite3_exec(m_db, wide.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    const std::string insert = "INSERT INTO W DEFAULT VALUES";
    const int limit = sqlite3_limit(m_db, SQLITE_LIMIT_VDBE_OP, -1);
    size_t whole = 0;
    const int64_t wholePeak = EnginePeak([&] { whole = Listed(insert).size(); });
    EXPECT_GT(whole, 90000u);
    const int64_t boundedPeak = EnginePeak([&] { EXPECT_TRUE(Listed(insert, 100, &listing).empty()); });
    EXPECT_EQ(listing, ado::Listing::Larger);
    EXPECT_LT(boundedPeak * 20, wholePeak) << "SQLite made the program whole";
    EXPECT_EQ(sqlite3_limit(m_db, SQLITE_LIMIT_VDBE_OP, -1), limit);
}
