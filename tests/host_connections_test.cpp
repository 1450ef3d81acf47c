// A host's own SQLite connection on a project, in the process of a store:
// whatever the store opens, looks at and closes, the host's connection
// keeps its locks, and programs of other processes beside both lose no
// committed row; what other processes alone lock keeps no descriptor.
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <sqlite3.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "support/ChildProcess.h"
#include "support/PlainProgram.h"
#include "support/TestStore.h"

namespace {
// A connection the host opened itself with SQLite, not through the library.
class HostConnection {
public:
    explicit HostConnection(const std::string& path) { sqlite3_open(path.c_str(), &m_db); }
    ~HostConnection() { Close(); }
    HostConnection(const HostConnection&) = delete;
    HostConnection& operator=(const HostConnection&) = delete;
    // The engine's result of sql.
    int Run(const std::string& sql) { return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr); }
    std::string Message() const { return sqlite3_errmsg(m_db); }
    void Close() {
        sqlite3_close(m_db);
        m_db = nullptr;
    }

private:
    sqlite3* m_db = nullptr;
};

std::string Insert(const std::string& key) { return "INSERT INTO TpsTable (TPS_UUID) VALUES ('" + key + "')"; }

// The record locks this process has on the project at path and on its log's index.
std::pair<int, int> LocksOn(const std::string& path) { return {RecordLocksOn(path), RecordLocksOn(path + "-shm")}; }

// What a station runs on a project it keeps open: the log's mode, and a read open.
const char kKeptInTheLog[] = "PRAGMA journal_mode=WAL; BEGIN; SELECT count(*) FROM TpsTable";

// Whether a lock of another process stands on the file at path, as a probe
// of an open file description of this process finds it. Its close drops
// every record lock of this process on the file: for a file it has none on.
bool LockedByAnother(const std::string& path) {
    struct flock probe = {};
    probe.l_type = F_WRLCK;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool locked = fd >= 0 && fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    close(fd);
    return locked;
}

void OpenAndClose(const TempDir& dir, const std::string& path) {
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
    ASSERT_GE(TpsRows(store), 0);
    store.Close();
}
}  // namespace

// The host's connection writes in the log and stays open while a store
// opens and closes the project; then a plain program of another process
// opens and closes it and does not take itself for its last user, and
// every row either commits stays.
TEST(HostConnections, KeepTheirLocksWhileAStoreOpensAndClosesTheProject) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    HostConnection host(path);
    ASSERT_EQ(host.Run("PRAGMA journal_mode=WAL; " + Insert("1")), SQLITE_OK);
    const auto locks = LocksOn(path);
    ASSERT_GT(locks.first, 0);
    ASSERT_GT(locks.second, 0);
    {
        TestStore store(dir);
        ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
        EXPECT_EQ(LocksOn(path), locks) << "the store's Open took the host's locks";
        EXPECT_EQ(TpsRows(store), 1);
        EXPECT_EQ(AddTps(store, "store"), 1);
        store.Close();
    }
    EXPECT_EQ(LocksOn(path), locks) << "the store's Close took the host's locks";
    EXPECT_TRUE(PlainSqlInAProcessStartedAnew(path, "SELECT count(*) FROM TpsTable"));
    EXPECT_EQ(host.Run(Insert("2")), SQLITE_OK) << host.Message();
    EXPECT_TRUE(PlainSqlInAProcessStartedAnew(path, Insert("3")));
    host.Close();
    EXPECT_EQ(TpsKeys(path), "1,2,3,store");
}

// The host's connection holds the log's write lock, a row written, while a
// store opens and closes the project (or stays open): a plain program of
// another process that would write waits for it, and both rows stay.
TEST(HostConnections, KeepTheirWriteLockWhileAStoreOpensAndClosesTheProject) {
    for (const bool storeStays : {false, true}) {
        SCOPED_TRACE(storeStays ? "the store stays open" : "the store closes");
        TempDir dir;
        const std::string path = MakeProject(dir, "p.tarnprj");
        HostConnection host(path);
        ASSERT_EQ(host.Run("PRAGMA journal_mode=WAL; BEGIN IMMEDIATE; " + Insert("a")), SQLITE_OK);
        TestStore store(dir);
        ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
        if (!storeStays) store.Close();
        PlainProgram writer(path, Insert("b1"));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_TRUE(writer.Running()) << "the other process wrote past the host's write lock";
        EXPECT_EQ(host.Run("COMMIT"), SQLITE_OK) << host.Message();
        EXPECT_TRUE(writer.Wait());
        store.Close();
        host.Close();
        EXPECT_EQ(TpsKeys(path), "a,b1");
    }
}

// A store opens the project, the host's connection opens and reads it, the
// store closes; a plain program of another process then writes and closes,
// and leaves the log to the host's connection, which is still open.
TEST(HostConnections, OpenedBesideAStoreStayUsersOfTheProjectOnceItCloses) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
    ASSERT_EQ(AddTps(store, "s"), 1);
    HostConnection host(path);
    ASSERT_EQ(host.Run("SELECT count(*) FROM TpsTable"), SQLITE_OK);
    const auto locks = LocksOn(path);
    store.Close();
    EXPECT_EQ(LocksOn(path), locks) << "the store's Close took the host's locks";
    EXPECT_TRUE(PlainSqlInAProcessStartedAnew(path, Insert("x")));
    EXPECT_EQ(host.Run(Insert("c1")), SQLITE_OK) << host.Message();
    host.Close();
    EXPECT_EQ(TpsKeys(path), "c1,s,x");
}

// Stores open and close the project a thousand times beside the host's
// connection, alone or while another process keeps it open too, as a
// station does (no Close can then lock the whole file): the process's
// descriptors stay as many, and the host keeps its locks.
TEST(HostConnections, DescriptorsStayBoundedOverManyOpensAndClosesBesideThem) {
    for (const bool keptElsewhere : {false, true}) {
        SCOPED_TRACE(keptElsewhere ? "another process keeps it open" : "no other process");
        TempDir dir;
        const std::string path = MakeProject(dir, "p.tarnprj");
        KeepingProgram station(kKeptInTheLog, std::vector<std::string>(keptElsewhere, path));
        ASSERT_TRUE(station.Keeps());
        ASSERT_EQ(LockedByAnother(path), keptElsewhere);
        HostConnection host(path);
        ASSERT_EQ(host.Run("PRAGMA journal_mode=WAL; " + Insert("h")), SQLITE_OK);
        const auto locks = LocksOn(path);
        ASSERT_GT(locks.second, 0);
        OpenAndClose(dir, path);
        const int descriptors = OpenDescriptors();
        for (int i = 0; i < 1000; ++i) OpenAndClose(dir, path);
        EXPECT_LE(OpenDescriptors(), descriptors);
        EXPECT_EQ(LocksOn(path), locks);
    }
}

// A process started anew keeps 300 projects open, as a station does; a
// store opens and closes each in turn: none leaves a descriptor behind.
TEST(HostConnections, ProjectsThatAnotherProcessKeepsOpenLeaveNoDescriptorOnceClosed) {
    TempDir dir;
    const std::string made = MakeProject(dir, "made.tarnprj");
    std::vector<std::string> paths;
    for (int i = 0; i < 300; ++i) {
        paths.push_back(dir.File("p" + std::to_string(i) + ".tarnprj"));
        WriteFile(paths.back(), ReadFile(made));
    }
    KeepingProgram station(kKeptInTheLog, paths);
    ASSERT_TRUE(station.Keeps());
    const int descriptors = OpenDescriptors();
    for (const std::string& path : paths) OpenAndClose(dir, path);
    EXPECT_EQ(OpenDescriptors(), descriptors);
    for (const std::string& file : {paths.back(), paths.back() + "-shm"}) EXPECT_TRUE(LockedByAnother(file)) << file;
}

// A file at the project's log or rollback journal name that the host's own
// connection locks as a database of its own (one with a table, or an empty
// one, which the engine takes for a new database): the store's look at that
// name, at Open, leaves the host's locks on it as they were.
TEST(HostConnections, KeepTheirLocksOnADatabaseAtAJournalNameThroughAStoresLook) {
    for (const char* suffix : {"-wal", "-journal"}) {
        for (const char* sql : {"CREATE TABLE t (x); BEGIN; SELECT count(*) FROM t", "BEGIN IMMEDIATE"}) {
            SCOPED_TRACE(std::string(suffix) + ": " + sql);
            TempDir dir;
            const std::string path = MakeProject(dir, "p.tarnprj");
            HostConnection host(path + suffix);
            ASSERT_EQ(host.Run(sql), SQLITE_OK) << host.Message();
            const int locks = RecordLocksOn(path + suffix);
            ASSERT_GT(locks, 0);
            TestStore store(dir);
            store.Open(path.c_str());
            EXPECT_EQ(RecordLocksOn(path + suffix), locks) << "the store's look took the host's locks";
        }
    }
}

// Another process keeps the project open with rows in its log, and another
// locks all of the log but the holds' bytes, as the library's close of a
// descriptor of it does: a store's Open and Close, which look at the log,
// leave no descriptor behind.
TEST(HostConnections, ALookAtALogThatOtherProcessesLockLeavesNoDescriptor) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj"), log = path + "-wal";
    KeepingProgram station(kKeptInTheLog, {path});
    ASSERT_TRUE(station.Keeps());
    ASSERT_TRUE(PlainSqlInAProcessStartedAnew(path, Insert("x")));
    ChildProcess locker([&log](ChildProcess& child) {
        struct flock closing = {};
        closing.l_type = F_WRLCK;
        closing.l_len = off_t(1) << 62;
        const int fd = open(log.c_str(), O_RDWR | O_CLOEXEC);
        child.Tell(fd >= 0 && fcntl(fd, F_SETLK, &closing) == 0 ? 'y' : 'n');
        child.Await();
        return 0;
    });
    ASSERT_EQ(locker.Heard(), 'y');
    ASSERT_FALSE(ReadFile(log).empty());
    const int descriptors = OpenDescriptors();
    OpenAndClose(dir, path);
    EXPECT_EQ(OpenDescriptors(), descriptors);
    EXPECT_TRUE(LockedByAnother(log));
    locker.Answer();
    EXPECT_EQ(locker.Wait(), 0);
}
