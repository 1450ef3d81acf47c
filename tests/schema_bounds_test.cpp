// Files whose schema SQLite loads in moments, but whose judging could take
// the square of that or many times its memory: a host table that the
// store's writes reach by a foreign key, whose one CHECK constraint SQLite
// compiles in square time, and one whose every write builds hundreds of
// indexes of a thousand columns. Each file is opened by
// a host held to an address space of four times the memory SQLite's load of
// its schema takes, and a few megabytes, beyond what it held before: Open
// gives its verdict there, refused or opened, never out of memory.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <string>

#include "platform/ado/Connection.h"
#include "support/Bounded.h"
#include "support/WideTable.h"

namespace {
const std::string kRuns = std::string("-1 ") + ado::kOnlyDataText;

// Beyond four times SQLite's load: the library's own state, the file's pages.
const int64_t kFewBytes = int64_t(12) << 20;

// Bytes the engine holds for a connection to path once it loaded the schema
// (as a writer: SQLite keeps CHECK constraints only where it may write).
int64_t SchemaLoadBytes(const std::string& path) {
    const int64_t before = sqlite3_memory_used();
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    const int64_t loaded = sqlite3_memory_used() - before;
    sqlite3_close(db);
    return loaded;
}

// What Open of path gives in a host that may grow its address space only by bytes.
std::string OpenedWithin(const TempDir& dir, const std::string& path, int64_t bytes) {
    return BoundedInMemory(dir, bytes, [&] {
        TestStore store(dir);
        const int result = store.Open(path.c_str());
        return result == 1 ? std::string("1") : std::to_string(result) + " " + std::string(store.GetErrorInfo());
    });
}

struct Shape {
    std::string sql;      // run on a new project
    std::string verdict;  // of Open
};
}  // namespace

TEST(SchemaBounds, EveryShapeIsJudgedInAFewTimesTheMemoryOfSQLitesLoad) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limits allow";
#endif
    const std::string check = kRuns + "a CHECK constraint in table \"Checked\"";
    const Shape shapes[] = {
        {CaseCheckSql(100000), check},
        {AndCheckSql(50000), check},
        {InCheckSql(100000), check},
        // Nothing in it runs; the insert would compile to 200,000 instructions.
        {IndexedWideTableSql(1000, 200), "1"},
        {IndexedWideTableSql(1000, 200, " UNIQUE ON CONFLICT REPLACE"),
         kRuns + "writes too large to be judged in table \"Wide\""},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.sql.substr(0, 80));
        TempDir dir;
        const std::string path = MakeProject(dir, "p.tarnprj", shape.sql);
        const int64_t load = SchemaLoadBytes(path);
        EXPECT_EQ(OpenedWithin(dir, path, 4 * load + kFewBytes), shape.verdict) << "SQLite's load: " << load;
    }
}
