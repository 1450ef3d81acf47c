// A store's Close paused between the lock it closes its hold's descriptor
// under and the close itself: a host's own SQLite connection that begins a
// write meanwhile waits, and keeps the locks it then takes.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sqlite3.h>
#include <thread>

#include "races/FileCalls.h"
#include "support/PlainProgram.h"
#include "support/TestStore.h"

TEST(CloseRaces, AHostConnectionThatLocksWhileAStoreClosesWaitsAndKeepsItsLocks) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    // In rollback mode a connection holds no lock between its transactions.
    RawExec(path, "PRAGMA journal_mode=DELETE");
    sqlite3* host = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &host), SQLITE_OK);
    sqlite3_busy_timeout(host, 10000);
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
    ASSERT_EQ(TpsRows(store), 0);

    bool paused = false, wroteWhilePaused = true;
    std::thread writer;
    std::atomic<bool> written{false};
    int began = -1;
    filecalls::StopAt(filecalls::Call::LockWhole, true, std::filesystem::canonical(path).string(), [&](int) {
        paused = true;
        writer = std::thread([&] {
            began = sqlite3_exec(host, "BEGIN IMMEDIATE; INSERT INTO TpsTable (TPS_UUID) VALUES ('host')", nullptr,
                                 nullptr, nullptr);
            written = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        wroteWhilePaused = written;
    });
    store.Close();
    ASSERT_TRUE(paused) << "the close took no lock of the whole file";
    writer.join();
    EXPECT_FALSE(wroteWhilePaused) << "the host's connection locked the file while the store closed it";
    ASSERT_EQ(began, SQLITE_OK) << sqlite3_errmsg(host);
    EXPECT_GT(RecordLocksOn(path), 0) << "the close took the host's locks";

    // Another process that would write waits for the host's transaction.
    PlainProgram other(path, "INSERT INTO TpsTable (TPS_UUID) VALUES ('other')");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(other.Running()) << "another process wrote past the host's lock";
    EXPECT_EQ(sqlite3_exec(host, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(host);
    EXPECT_TRUE(other.Wait());
    sqlite3_close(host);
    EXPECT_EQ(TpsKeys(path), "host,other");
}
