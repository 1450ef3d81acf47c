// A connection closed while a copy of its manager still has a query open:
// the query is ended first, and the file's hold ends only once the engine
// has let go of the file, so the engine's locks stay whole and another
// process never takes this one's log for nobody's.
#include <gtest/gtest.h>

#include <csignal>

#include "ATMLCommonError/TaDBMng.h"
#include "platform/ado/Recordset.h"
#include "support/ChildProcess.h"
#include "support/StartedAnew.h"
#include "support/TestStore.h"

TEST(QueryOutAtClose, RowsAddedAfterwardsSurviveAKillBesideAnotherProcesssClose) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    RawExec(path, "INSERT INTO TpsTable (TPS_UUID) VALUES ('a'), ('b')");
    ChildProcess host([&](ChildProcess& self) {
        int failed = 0;
        _DB_CONNECT_INFO info;
        info.m_strConnectionString = ConnectionStringFor(path).c_str();
        CTaDBMng first;
        if (first.ConnectDB(info) != 1) return 100;
        CTaDBMng copy(first);
        // The copy's query stands on its first row, with more to come.
        if (copy.QueryDataInDB("Select * From TpsTable") != 1 || copy.GetRecordset()->IsEOF()) failed |= 1;
        first.CloseDB();
        // The copy's query ended with the connection.
        try {
            copy.GetRecordset()->MoveNext();
            failed |= 2;
        } catch (...) {
        }
        TestStore store(dir);
        if (store.Open(path.c_str()) != 1 || AddTps(store, "first") != 1) failed |= 8;
        // Another process opens, writes and closes: it must not find itself
        // the file's last user and take the log away.
        if (!AddFromAProcessStartedAnew(path, "anew")) failed |= 16;
        if (AddTps(store, "second") != 1) failed |= 32;
        if (copy.QueryDataInDB("Select * From TpsTable") != -1) failed |= 4;
        self.Tell(static_cast<char>('A' + failed));
        self.Await();  // killed here, the store still open
        return 0;
    });
    const char word = host.Heard();
    kill(host.Pid(), SIGKILL);
    host.Wait();
    EXPECT_EQ(word, 'A') << "failed steps: " << (word - 'A');
    EXPECT_EQ(TpsKeys(path), "a,anew,b,first,second");
    EXPECT_EQ(RawQuery(path, "PRAGMA integrity_check")[0][0], "ok");
}
