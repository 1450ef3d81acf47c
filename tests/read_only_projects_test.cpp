// Projects their user may only read: the file, its folder or both. They
// open for reading, every read works, every write fails saying why, the
// folder is left as it was found, and a reader never sees what another
// process writes meanwhile torn or half.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "support/ChildProcess.h"
#include "support/TestStore.h"

namespace {
const uid_t kNobody = 65534;

// The names, sizes and modes of what lies in folder, one line each.
std::string Listing(const std::string& folder) {
    std::vector<std::string> lines;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        struct stat info;
        lstat(entry.path().c_str(), &info);
        lines.push_back(entry.path().filename().string() + " " + std::to_string(info.st_size) + " " +
                        std::to_string(info.st_mode & 07777));
    }
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

bool Says(CTaDBTDDataSingle& store, const char* text) {
    return std::string(store.GetErrorInfo()).find(text) != std::string::npos;
}

// A closed project at path with rows TPS rows, made by this process.
void MakeProject(const TempDir& dir, const std::string& path, int rows) {
    TestStore store(dir);
    ASSERT_EQ(store.New(path.c_str(), 1), 1) << store.GetErrorInfo().GetString();
    for (int row = 0; row < rows; ++row) ASSERT_EQ(AddTps(store, "row" + std::to_string(row)), 1);
    store.Close();
}

// A test that hands projects made by root to an ordinary user.
class ReadOnlyProject : public ::testing::Test {
protected:
    void SetUp() override {
            chmod(dir.Path().c_str(), 0755);
    }

    // A folder of that name that the ordinary user reaches, with a closed
    // project of three rows made by root at project, which that user may
    // read but not write, whatever the umask (the engine gives a log and
    // its index the file's bits).
    std::string FolderWithProject(const std::string& name) {
        const std::string folder = dir.File(name);
        mkdir(folder.c_str(), 0777);
        chmod(folder.c_str(), 0777);
        project = folder + "/p.tarnprj";
        MakeProject(dir, project, 3);
        chmod(project.c_str(), 0644);
        return folder;
    }

    TempDir dir;
    std::string project;
};
}  // namespace

TEST_F(ReadOnlyProject, OpensForReadingRefusesWritesSayingSoAndLeavesTheFolderAsFound) {
    struct Case {
        const char* what;
        mode_t file;
        uid_t owner;
        mode_t folder;
    };
    const Case cases[] = {
        {"a file its user may only read", 0444, kNobody, 0777},
        {"another user's file", 0644, 0, 0777},
        {"a folder its user may not write", 0644, kNobody, 0555},
        {"both", 0444, kNobody, 0555},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        // Characters a URI gives a meaning of their own name the file and nothing else.
        const std::string folder = FolderWithProject(std::to_string(&each - cases) + " ?x=1#%41;");
        ASSERT_EQ(chown(project.c_str(), each.owner, each.owner), 0);
        chmod(project.c_str(), each.file);
        chmod(folder.c_str(), each.folder);
        const std::string found = Listing(folder);
        AsUnprivilegedUser(dir, [&] {
            TestStore store(dir);
            ASSERT_EQ(store.Open(project.c_str()), 1) << store.GetErrorInfo().GetString();
            EXPECT_EQ(TpsRows(store), 3);
            CTaDBTps record;
            EXPECT_EQ(store.GetItem_Tps(record, 1, "row1"), 1);
            EXPECT_EQ(AddTps(store, "new"), -1);
            EXPECT_TRUE(Says(store, "can only be read")) << store.GetErrorInfo().GetString();
            EXPECT_EQ(store.DelItem_Tps("row1"), -1);
            EXPECT_EQ(TpsRows(store), 3);
            store.Close();
            EXPECT_EQ(Listing(folder), found);
        });
        // Made writable again, it works at once, and nothing stands in the way of removing it.
        chmod(folder.c_str(), 0777);
        ASSERT_EQ(chown(project.c_str(), kNobody, kNobody), 0);
        chmod(project.c_str(), 0644);
        AsUnprivilegedUser(dir, [&] {
            TestStore store(dir);
            ASSERT_EQ(store.Open(project.c_str()), 1) << store.GetErrorInfo().GetString();
            EXPECT_EQ(AddTps(store, "new"), 1) << store.GetErrorInfo().GetString();
            EXPECT_EQ(TpsRows(store), 4);
            store.Close();
            CATMLCommonFun files;
            EXPECT_EQ(files.RemoveFile(project.c_str()), 1) << files.GetErrorInfo().GetString();
        });
        EXPECT_EQ(Listing(folder), "");
    }
}

TEST_F(ReadOnlyProject, ReadsWhatAWriterOfAnotherProcessCommitsWholeWhileItWrites) {
    const std::string folder = FolderWithProject("shared");
    chmod(project.c_str(), 0644);
    // The writer adds a row each time it is told to, until told to stop.
    ChildProcess writer([&](ChildProcess& self) {
        TestStore store(dir);
        if (store.Open(project.c_str()) != 1 || AddTps(store, "first") != 1) return 1;
        self.Tell('y');
        for (int row = 0; self.Await() == 'g'; ++row) {
            if (AddTps(store, "w" + std::to_string(row)) != 1) return 2;
            self.Tell('y');
        }
        store.Close();
        return 0;
    });
    ASSERT_EQ(writer.Heard(), 'y');
    chmod(folder.c_str(), 0555);
    ChildProcess reader([&](ChildProcess& self) {
        if (!BecomeUnprivileged()) return 9;
        TestStore store(dir);
        if (store.Open(project.c_str()) != 1) return 3;
        // What only the writer's log holds is read too.
        int last = TpsRows(store);
        if (last < 4) return 4;
        self.Tell('y');
        while (self.Await() == 'g') {
            const int rows = TpsRows(store);
            if (rows < last) return 5;
            last = rows;
            self.Tell('y');
        }
        const bool refused = AddTps(store, "reader") == -1;
        store.Close();
        return refused ? 0 : 6;
    });
    ASSERT_EQ(reader.Heard(), 'y') << reader.Wait();
    for (int round = 0; round < 500; ++round) {
        writer.Answer();
        reader.Answer();
        ASSERT_EQ(writer.Heard(), 'y');
        ASSERT_EQ(reader.Heard(), 'y') << reader.Wait();
    }
    reader.Answer('s');
    EXPECT_EQ(reader.Wait(), 0);
    writer.Answer('s');
    EXPECT_EQ(writer.Wait(), 0);
    chmod(folder.c_str(), 0777);
    EXPECT_EQ(std::stoi(RawQuery(project, "SELECT count(*) FROM TpsTable")[0][0]), 504);
}

TEST_F(ReadOnlyProject, AReaderOfTheFileAsItIsKeepsWritersOutUntilItCloses) {
    const std::string folder = FolderWithProject("handed-out");
    chmod(folder.c_str(), 0555);
    // Nothing lies beside the closed project and its user may make nothing:
    // it is read as it is, and a writer of another process waits for it.
    ChildProcess reader([&](ChildProcess& self) {
        if (!BecomeUnprivileged()) return 9;
        TestStore store(dir);
        if (store.Open(project.c_str()) != 1 || TpsRows(store) != 3) return 1;
        self.Tell('y');
        self.Await();
        const int rows = TpsRows(store);
        store.Close();
        return rows == 3 ? 0 : 2;
    });
    ASSERT_EQ(reader.Heard(), 'y') << reader.Wait();
    TestStore writer(dir);
    EXPECT_EQ(writer.Open(project.c_str()), -1);
    EXPECT_TRUE(Says(writer, "in use")) << writer.GetErrorInfo().GetString();
    reader.Answer();
    EXPECT_EQ(reader.Wait(), 0);
    ASSERT_EQ(writer.Open(project.c_str()), 1) << writer.GetErrorInfo().GetString();
    EXPECT_EQ(AddTps(writer, "after"), 1);
    writer.Close();
    chmod(folder.c_str(), 0777);
}

TEST_F(ReadOnlyProject, OneProcessNeverReadsAFileAsItIsBesideAConnectionThatLocksIt) {
    FolderWithProject("mine");
    ASSERT_EQ(chown(project.c_str(), kNobody, kNobody), 0);
    chmod(project.c_str(), 0444);
    AsUnprivilegedUser(dir, [&] {
        TestStore reading(dir), writing(dir);
        ASSERT_EQ(reading.Open(project.c_str()), 1) << reading.GetErrorInfo().GetString();
        // Its user makes it writable: a second store of the process would
        // write it, and the reader's close would drop that store's locks.
        chmod(project.c_str(), 0644);
        EXPECT_EQ(writing.Open(project.c_str()), -1);
        EXPECT_TRUE(Says(writing, "in use")) << writing.GetErrorInfo().GetString();
        EXPECT_EQ(TpsRows(reading), 3);
        reading.Close();
        ASSERT_EQ(writing.Open(project.c_str()), 1) << writing.GetErrorInfo().GetString();
        EXPECT_EQ(AddTps(writing, "after"), 1);
        // Read-only again, a second store of the process reads under the engine's locks beside it.
        chmod(project.c_str(), 0444);
        ASSERT_EQ(reading.Open(project.c_str()), 1) << reading.GetErrorInfo().GetString();
        EXPECT_EQ(AddTps(writing, "beside"), 1);
        EXPECT_EQ(TpsRows(reading), 5);
        reading.Close();
        writing.Close();
    });
}

TEST_F(ReadOnlyProject, ALogWithoutItsIndexIsRefusedAndLeftAsItIs) {
    const std::string folder = FolderWithProject("crashed");
    LeaveInTheLog(project, "INSERT INTO TpsTable (TPS_UUID) VALUES ('logged')");
    unlink((project + "-shm").c_str());
    chmod(project.c_str(), 0444);
    chmod((project + "-wal").c_str(), 0444);
    const std::string found = Listing(folder);
    AsUnprivilegedUser(dir, [&] {
        TestStore store(dir);
        EXPECT_EQ(store.Open(project.c_str()), -1);
        EXPECT_TRUE(Says(store, "without the log's index")) << store.GetErrorInfo().GetString();
    });
    EXPECT_EQ(Listing(folder), found);
}

// An empty log and its index beside project, of its owner, mode 0444.
void LeaveReadOnlyJournals(const std::string& project) {
    struct stat file;
    ASSERT_EQ(stat(project.c_str(), &file), 0);
    for (const auto& [suffix, size] : {std::pair{"-wal", 0}, {"-shm", 32768}}) {
        WriteFile(project + suffix, std::string(size, '\0'));
        ASSERT_EQ(chown((project + suffix).c_str(), file.st_uid, file.st_gid), 0);
        chmod((project + suffix).c_str(), 0444);
    }
}

// A log of rows committed rows and its index beside project, as a writer
// killed meanwhile left them, made by root and then made read-only (0444).
void LeaveAnotherUsersReadOnlyLog(const std::string& project, int rows) {
    LeaveTpsRowsInTheLog(project, rows);
    for (const char* suffix : {"-wal", "-shm"}) chmod((project + suffix).c_str(), 0444);
}

// Journal files its user may not write, as an earlier version left them
// beside a project that user could only read (0444, with the file's bits),
// or as another user's program left them with rows in the log, go once the
// project is writable again and no one uses it: the log is folded first,
// so the file alone holds every row. While another process has the project
// open they stay, and the project is only read.
TEST_F(ReadOnlyProject, JournalFilesItsUserMayNotWriteGoWhereNoOneUsesTheProject) {
    const struct {
        const char* what;
        bool used;
        int logged;  // rows in another user's log; 0 for an empty log of the file's owner
    } cases[] = {{"used by no one", false, 0}, {"used by another process", true, 0}, {"another user's log", false, 30}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        const std::string folder = FolderWithProject(std::to_string(&each - cases));
        ASSERT_EQ(chown(project.c_str(), kNobody, kNobody), 0);
        if (each.logged) LeaveAnotherUsersReadOnlyLog(project, each.logged);
        else LeaveReadOnlyJournals(project);
        std::unique_ptr<ChildProcess> holder(each.used ? HoldingChild(dir, project) : nullptr);
        ASSERT_TRUE(!holder || holder->Heard() == 'y');
        const std::string found = Listing(folder);
        const int rows = 3 + each.logged + (each.used ? 1 : 0);
        AsUnprivilegedUser(dir, [&] {
            TestStore store(dir);
            ASSERT_EQ(store.Open(project.c_str()), 1) << store.GetErrorInfo().GetString();
            EXPECT_EQ(TpsRows(store), rows);
            EXPECT_EQ(AddTps(store, "new"), each.used ? -1 : 1);
            EXPECT_EQ(Says(store, "can only be read"), each.used) << store.GetErrorInfo().GetString();
            store.Close();
            if (each.used) return;
            EXPECT_FALSE(FileExists(project + "-wal") || FileExists(project + "-shm"));
            EXPECT_EQ(TpsRowsOfTheFileAlone(project), rows + 1);
            // Removing such a project takes them with it.
            LeaveReadOnlyJournals(project);
            CATMLCommonFun files;
            EXPECT_EQ(files.RemoveFile(project.c_str()), 1) << files.GetErrorInfo().GetString();
        });
        if (!holder) {
            EXPECT_EQ(Listing(folder), "");
            continue;
        }
        EXPECT_EQ(Listing(folder), found);
        holder->Answer();
        EXPECT_EQ(holder->Wait(), 0);
    }
}

// A store that wrote folds its log into the file when it closes, as far as
// other readers allow: where a reader who may only read (and so cannot fold
// it) closes last, the file alone still holds every committed row.
TEST_F(ReadOnlyProject, AWriterThatClosesBeforeAReaderWhoMayOnlyReadLeavesItsRowsInTheFileAlone) {
    FolderWithProject("left");
    ChildProcess writer([&](ChildProcess& self) {
        TestStore store(dir);
        if (store.Open(project.c_str()) != 1 || AddTps(store, "first") != 1) return 1;
        self.Tell('y');
        self.Await();
        for (int row = 0; row < 20; ++row)
            if (AddTps(store, "w" + std::to_string(row)) != 1) return 2;
        store.Close();
        return 0;
    });
    ASSERT_EQ(writer.Heard(), 'y') << writer.Wait();
    ChildProcess reader([&](ChildProcess& self) {
        if (!BecomeUnprivileged()) return 9;
        TestStore store(dir);
        if (store.Open(project.c_str()) != 1 || TpsRows(store) != 4) return 1;
        // It may only read: its close cannot fold the log.
        if (AddTps(store, "reader") != -1 || !Says(store, "can only be read")) return 3;
        self.Tell('y');
        self.Await();
        const int rows = TpsRows(store);
        store.Close();
        return rows == 24 ? 0 : 2;
    });
    ASSERT_EQ(reader.Heard(), 'y') << reader.Wait();
    writer.Answer();
    EXPECT_EQ(writer.Wait(), 0);
    reader.Answer();
    EXPECT_EQ(reader.Wait(), 0);
    EXPECT_EQ(TpsRowsOfTheFileAlone(project), 24);
}
