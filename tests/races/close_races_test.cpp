// A store's Close paused between the lock it closes its hold's descriptor
// under and the close itself: a host's own SQLite connection that begins a
// write meanwhile waits, and keeps the locks it then takes; so does one
// that begins it while another process keeps the project open, once the
// Close has found no lock of this process on the file.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <sqlite3.h>
#include <thread>

#include "races/FileCalls.h"
#include "support/PlainProgram.h"
#include "support/TestStore.h"

namespace {
using filecalls::Call;

// A host's own connection on a project that, while a store's Close is
// paused, begins a write on another thread, and what became of it.
class HostWriteInAClose {
public:
    explicit HostWriteInAClose(const std::string& path) : m_path(path) {
        sqlite3_open(path.c_str(), &m_host);
        sqlite3_busy_timeout(m_host, 10000);
    }
    ~HostWriteInAClose() {
        if (m_writer.joinable()) m_writer.join();
        sqlite3_close(m_host);
    }

    // The pause, on the closing thread: the host begins its write, which
    // must not get through while the close is paused.
    void Pause() {
        m_paused = true;
        m_writer = std::thread([this] {
            m_began = sqlite3_exec(m_host, "BEGIN IMMEDIATE; INSERT INTO TpsTable (TPS_UUID) VALUES ('host')",
                                   nullptr, nullptr, nullptr);
            m_written = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        m_wroteWhilePaused = m_written;
    }

    // Once the store closed: the host's write waited and holds its locks,
    // so another process that would write waits for its transaction.
    void Check() {
        ASSERT_TRUE(m_paused) << "the close never paused";
        m_writer.join();
        EXPECT_FALSE(m_wroteWhilePaused) << "the host's connection locked the file while the store closed it";
        ASSERT_EQ(m_began, SQLITE_OK) << sqlite3_errmsg(m_host);
        EXPECT_GT(RecordLocksOn(m_path), 0) << "the close took the host's locks";
        PlainProgram other(m_path, "INSERT INTO TpsTable (TPS_UUID) VALUES ('other')");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_TRUE(other.Running()) << "another process wrote past the host's lock";
        EXPECT_EQ(sqlite3_exec(m_host, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(m_host);
        EXPECT_TRUE(other.Wait());
        EXPECT_EQ(TpsKeys(m_path), "host,other");
    }

private:
    std::string m_path;
    sqlite3* m_host = nullptr;
    std::thread m_writer;
    bool m_paused = false, m_wroteWhilePaused = true;
    std::atomic<bool> m_written{false};
    int m_began = -1;
};
}  // namespace

TEST(CloseRaces, AHostConnectionThatLocksWhileAStoreClosesWaitsAndKeepsItsLocks) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    // In rollback mode a connection holds no lock between its transactions.
    RawExec(path, "PRAGMA journal_mode=DELETE");
    HostWriteInAClose host(path);
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
    ASSERT_EQ(TpsRows(store), 0);
    filecalls::StopAt(Call::LockWhole, true, std::filesystem::canonical(path).string(), [&](int) { host.Pause(); });
    store.Close();
    host.Check();
}

// Another process's read keeps the whole file from being locked: the close
// of the hold's descriptor (at Close), or of the one an Open looked into
// its log's index with, pauses after the lock it decides under (the first
// on the project, then on the index at Open), right before the close.
TEST(CloseRaces, AHostConnectionThatLocksWhileAStoreClosesBesideAnotherProcessWaitsAndKeepsItsLocks) {
    for (const bool atOpen : {false, true}) {
        SCOPED_TRACE(atOpen ? "the index, at Open" : "the project, at Close");
        TempDir dir;
        const std::string path = MakeProject(dir, "p.tarnprj");
        KeepingProgram station("PRAGMA journal_mode=WAL; BEGIN; SELECT count(*) FROM TpsTable", {path});
        ASSERT_TRUE(station.Keeps());
        HostWriteInAClose host(path);
        const std::string file = std::filesystem::canonical(path).string(), closed = atOpen ? file + "-shm" : file;
        const auto pauseBeforeTheClose = [&](int) {
            filecalls::StopAt(Call::Close, false, closed, [&](int) { host.Pause(); });
        };
        TestStore store(dir);
        if (atOpen) filecalls::StopAt(Call::Lock, true, file, pauseBeforeTheClose);
        ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
        ASSERT_EQ(TpsRows(store), 0);
        if (!atOpen) filecalls::StopAt(Call::Lock, true, file, pauseBeforeTheClose);
        if (!atOpen) store.Close();
        host.Check();
    }
}
