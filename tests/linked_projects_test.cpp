// A project reached through a symbolic link in another folder is looked at
// where the engine keeps it: the file the link leads to, whose journals lie
// in that file's folder. What its user may do, and what lies beside it,
// are judged there.
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "support/Bounded.h"
#include "support/TestStore.h"

namespace {
const uid_t kNobody = 65534;

// A project of ten TPS rows in a folder real-NAME, reached by the relative
// link lnk-NAME/p.tarnprj in a folder of its own; both folders open to everyone.
class LinkedProject : public ::testing::Test {
protected:
    void SetUp() override { chmod(dir.Path().c_str(), 0755); }

    void Make(const std::string& name) {
        real = FolderIn(dir, "real-" + name, 0777);
        FolderIn(dir, "lnk-" + name, 0777);
        project = real + "/p.tarnprj";
        link = dir.File("lnk-" + name + "/p.tarnprj");
        TestStore maker(dir);
        ASSERT_EQ(maker.New(project.c_str(), 1), 1) << maker.GetErrorInfo().GetString();
        for (int row = 0; row < 10; ++row) ASSERT_EQ(AddTps(maker, "r" + std::to_string(row)), 1);
        maker.Close();
        ASSERT_EQ(symlink(("../real-" + name + "/p.tarnprj").c_str(), link.c_str()), 0);
    }

    TempDir dir;
    std::string real, project, link;
};

bool Says(CTaDBTDDataSingle& store, const std::string& text) {
    return std::string(store.GetErrorInfo()).find(text) != std::string::npos;
}
}  // namespace

// Through the link, a user who may only read the file, or its folder, reads
// every row the project holds, its log's too, and writes none.
TEST_F(LinkedProject, AUserWhoMayOnlyReadItReadsEveryRowThroughTheLink) {
    const struct {
        const char* what;
        std::function<void(const std::string& project, const std::string& folder)> make;
        int rows;
    } cases[] = {
        {"a 0444 file with rows in its log and the log's index beside it",
         [](const std::string& project, const std::string&) {
             LeaveTpsRowsInTheLog(project, 40);
             ASSERT_EQ(chown(project.c_str(), kNobody, kNobody), 0);
             chmod(project.c_str(), 0444);
         },
         50},
        {"a 0666 file in a 0555 folder", [](const std::string& project, const std::string& folder) {
             chmod(project.c_str(), 0666);
             chmod(folder.c_str(), 0555);
         },
         10},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        Make(std::to_string(&each - cases));
        each.make(project, real);
        AsUnprivilegedUser(dir, [&] {
            TestStore store(dir);
            ASSERT_EQ(store.Open(link.c_str()), 1) << store.GetErrorInfo().GetString();
            EXPECT_EQ(TpsRows(store), each.rows);
            EXPECT_EQ(AddTps(store, "new"), -1);
            EXPECT_TRUE(Says(store, "can only be read")) << store.GetErrorInfo().GetString();
            store.Close();
        });
        chmod(real.c_str(), 0777);
        chmod(project.c_str(), 0666);
        EXPECT_EQ(RawQuery(project, "SELECT count(*) FROM TpsTable")[0][0], std::to_string(each.rows));
    }
}

// What lies beside the file the link leads to stops an Open through the
// link at once, as it stops one by the file's own path, and stays.
TEST_F(LinkedProject, WhatLiesBesideTheFileItLeadsToStopsAnOpenThroughIt) {
    Make("beside");
    ASSERT_EQ(mkfifo((project + "-journal").c_str(), 0666), 0);
    std::string opened = Opened(dir, link);
    EXPECT_EQ(opened.rfind("-1 Beside the project, " + project + "-journal is a named pipe,", 0), 0u) << opened;
    unlink((project + "-journal").c_str());

    const std::string other = MakeProject(dir, "other.tarnprj", "INSERT INTO TpsTable (TPS_UUID) VALUES ('its own')");
    ASSERT_EQ(rename(other.c_str(), (project + "-wal").c_str()), 0);
    const std::string before = ReadFile(project + "-wal");
    opened = Opened(dir, link, [](TestStore& store) { return std::to_string(AddTps(store, "added")); });
    EXPECT_EQ(opened.rfind("-1 Beside the project, " + project + "-wal is a database", 0), 0u) << opened;
    EXPECT_EQ(ReadFile(project + "-wal"), before);
    unlink((project + "-wal").c_str());
    EXPECT_EQ(RawQuery(project, "SELECT count(*) FROM TpsTable")[0][0], "10");
}

// A stray file at a journal name of the link, beside it: the engine never
// reads it, naming the project's journals after the file the link leads to.
// It is removed as the plain file it is, at once, and the project and its
// own journal names stay as they were.
TEST_F(LinkedProject, AStrayFileAtTheLinksLogNameIsRemovedAsAPlainFile) {
    Make("stray");
    const std::string before = ReadFile(project);
    for (const char* suffix : {"-wal", "-journal", "-shm"}) {
        SCOPED_TRACE(suffix);
        const std::string stray = link + suffix;
        WriteFile(stray, "stray bytes no engine reads");
        CATMLCommonFun files;
        EXPECT_EQ(files.RemoveFile(stray.c_str()), 1) << files.GetErrorInfo().GetString();
        EXPECT_FALSE(FileExists(stray));
        EXPECT_EQ(ReadFile(project), before);
        for (const char* own : {"-wal", "-journal", "-shm"}) EXPECT_FALSE(FileExists(project + own)) << own;
    }
    EXPECT_EQ(TpsKeys(link), "r0,r1,r2,r3,r4,r5,r6,r7,r8,r9");
    // Nor is a file at a journal name of a link in a loop, which SQLite
    // cannot open as anything.
    const std::string loop = dir.File("loop.tarnprj");
    ASSERT_EQ(symlink("loop.tarnprj", loop.c_str()), 0);
    WriteFile(loop + "-wal", "stray bytes");
    CATMLCommonFun files;
    EXPECT_EQ(files.RemoveFile((loop + "-wal").c_str()), 1) << files.GetErrorInfo().GetString();
    EXPECT_FALSE(FileExists(loop + "-wal"));
}
