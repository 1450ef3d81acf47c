// What a copy never replaces and a removal never removes: named pipes,
// sockets, devices, read-only files and files in use. A forked child keeps
// none of its parent's holds.
#include <gtest/gtest.h>

#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "support/ChildProcess.h"
#include "support/TestStore.h"
#include "support/SystemTexts.h"

namespace {

struct stat Look(const std::string& path) {
    struct stat info = {};
    lstat(path.c_str(), &info);
    return info;
}

// New and Save onto path fail with the text of system error 5, and leave it as it is.
void ExpectNotReplaced(const TempDir& dir, const std::string& path) {
    const struct stat before = Look(path);
    TestStore store(dir);
    EXPECT_EQ(store.New(path.c_str(), 1), -1);
    EXPECT_EQ(std::string(store.GetErrorInfo()), SystemText(5) + store.m_strTemplatePath.GetString());
    ASSERT_EQ(store.New("", 1), 1);
    store.SetFilePath(path.c_str());
    EXPECT_EQ(store.Save(), -1);
    EXPECT_EQ(std::string(store.GetErrorInfo()), SystemText(5));
    EXPECT_EQ(store.State(), FILEPATHSTATE_TEMP);
    const struct stat after = Look(path);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
}

// Makes a named pipe, a socket or a device node at path; false when this user may not.
bool MakeSpecial(const std::string& path, mode_t type) {
    if (type == S_IFIFO) return mkfifo(path.c_str(), 0666) == 0;
    if (type == S_IFCHR) return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    struct sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    const bool made = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return made;
}
}  // namespace

TEST(CopyTarget, APipeASocketOrADeviceIsNoProject) {
    TempDir dir;
    const struct {
        const char* name;
        mode_t type;
    } kinds[] = {{"pipe", S_IFIFO}, {"socket", S_IFSOCK}, {"device", S_IFCHR}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const std::string path = dir.File(kind.name);
        if (!MakeSpecial(path, kind.type)) {
            ASSERT_EQ(kind.type, S_IFCHR) << "cannot make a " << kind.name;
            continue;  // only a privileged user makes device nodes
        }
        TestStore store(dir);
        // Opening a pipe for reading would wait for a writer: it is looked at, never opened.
        EXPECT_EQ(store.Open(path.c_str()), -1);
        EXPECT_NE(std::string(store.GetErrorInfo()).find("not a file"), std::string::npos)
            << store.GetErrorInfo().GetString();
        ExpectNotReplaced(dir, path);
        EXPECT_EQ(Look(path).st_mode & S_IFMT, kind.type);
    }
}

TEST(CopyTarget, AReadOnlyProjectIsNotReplacedWhoeverRuns) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj", "INSERT INTO TpsTable (TPS_UUID) VALUES ('kept')");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    ExpectNotReplaced(dir, path);
    EXPECT_EQ(TpsKeys(path), "kept");
    EXPECT_EQ(Look(path).st_mode & 0777, 0444u);
}

// A copy onto a symbolic link replaces the link and leaves the file it led
// to; a hold sees through the link, so a copy onto it waits for no one but
// fails while a store has that file open.
TEST(CopyTarget, ASymbolicLinkIsReplacedAndTheFileItLedToStays) {
    TempDir dir;
    const std::string file = MakeProject(dir, "file.tarnprj", "INSERT INTO TpsTable (TPS_UUID) VALUES ('file')");
    const std::string link = dir.File("link.tarnprj");
    ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
    TestStore store(dir), other(dir);
    ASSERT_EQ(store.Open(link.c_str()), 1);
    EXPECT_EQ(other.New(link.c_str(), 1), -1);
    EXPECT_EQ(std::string(other.GetErrorInfo()), SystemText(32) + other.m_strTemplatePath.GetString());
    EXPECT_EQ(other.New(file.c_str(), 1), -1);
    store.Close();
    // The file led to keeps its log as it was; a stale log at the link's own
    // journal name (which the engine never reads for that file) goes.
    LeaveInTheLog(file, "INSERT INTO TpsTable (TPS_UUID) VALUES ('logged')");
    const std::string log = ReadFile(file + "-wal");
    WriteFile(link + "-wal", log);
    ASSERT_EQ(other.New(link.c_str(), 1), 1) << other.GetErrorInfo().GetString();
    ASSERT_EQ(AddTps(other, "new"), 1);
    other.Close();
    EXPECT_FALSE(S_ISLNK(Look(link).st_mode));
    EXPECT_EQ(TpsKeys(link), "new");
    EXPECT_EQ(ReadFile(file + "-wal"), log);
    EXPECT_EQ(TpsKeys(file), "file,logged");
}

TEST(RemoveFile, AProjectInUseIsNotRemoved) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    const std::string inUse = path + "，“" + SystemText(32) + "”。";
    CATMLCommonFun files;
    {
        TestStore store(dir);
        ASSERT_EQ(store.Open(path.c_str()), 1);
        EXPECT_EQ(files.RemoveFile(path.c_str()), -1);
        EXPECT_EQ(files.GetErrorCode(), 74);
        EXPECT_EQ(std::string(files.GetErrorInfo()), inUse);
        EXPECT_EQ(AddTps(store, "after"), 1);
    }
    std::unique_ptr<ChildProcess> holder(HoldingChild(dir, path));
    ASSERT_EQ(holder->Heard(), 'y');
    CATMLCommonFun other;
    EXPECT_EQ(other.RemoveFile(path.c_str()), -1);
    EXPECT_EQ(std::string(other.GetErrorInfo()), inUse);
    ASSERT_EQ(holder->Wait(), 0);
    EXPECT_EQ(TpsKeys(path), "after,child");

    EXPECT_EQ(files.RemoveFile(path.c_str()), 1);
    EXPECT_FALSE(FileExists(path));
}

// The journal files of a held project are part of it: in use while it is
// held; once no one holds it, removing its log first folds the log in.
TEST(RemoveFile, TheJournalsOfAProjectInUseAreInUseAndAFreeLogIsFoldedFirst) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    std::unique_ptr<ChildProcess> holder(HoldingChild(dir, path));
    ASSERT_EQ(holder->Heard(), 'y');
    ASSERT_TRUE(FileExists(path + "-wal") && FileExists(path + "-shm"));
    WriteFile(path + "-journal", "a journal as a killed writer leaves one");
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        CATMLCommonFun files;
        EXPECT_EQ(files.RemoveFile((path + suffix).c_str()), -1) << suffix;
        EXPECT_EQ(std::string(files.GetErrorInfo()), path + suffix + "，“" + SystemText(32) + "”。");
        EXPECT_TRUE(FileExists(path + suffix)) << suffix;
    }
    std::remove((path + "-journal").c_str());
    // The holder dies with its row in the log alone.
    kill(holder->Pid(), SIGKILL);
    holder->Wait();
    CATMLCommonFun files;
    EXPECT_EQ(files.RemoveFile((path + "-wal").c_str()), 1) << files.GetErrorInfo().GetString();
    EXPECT_FALSE(FileExists(path + "-wal"));
    EXPECT_EQ(TpsKeys(path), "child");
    // A file named like a journal of a file that is no database is a file of its own.
    WriteFile(dir.File("notes"), "no database");
    WriteFile(dir.File("notes-wal"), "notes of its own");
    EXPECT_EQ(files.RemoveFile(dir.File("notes-wal").c_str()), 1) << files.GetErrorInfo().GetString();
    EXPECT_FALSE(FileExists(dir.File("notes-wal")));
}

TEST(ForkedChild, KeepsNoneOfItsParentsHolds) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1);
    // The child, forked while the parent holds the project, replaces it once the parent closed it.
    ChildProcess child([&](ChildProcess& self) {
        self.Await();
        TestStore own(dir);
        return own.New(path.c_str(), 1) == 1 ? 0 : 1;
    });
    store.Close();
    // The child lives on and holds nothing: the parent's own copy may replace the file.
    TestStore again(dir);
    EXPECT_EQ(again.New(path.c_str(), 1), 1) << again.GetErrorInfo().GetString();
    again.Close();
    child.Answer();
    EXPECT_EQ(child.Wait(), 0) << "the child's table still named the parent's hold";
}

// A log that cannot be written back into its project (a read-only log
// beside it) is no file in use: removing the project, or replacing it, is
// access denied, and the project and its log stay.
TEST(RemoveFile, AProjectWhoseLogCannotBeFoldedIsAccessDeniedNotInUse) {
    TempDir dir;
    const std::string templateCopy = TemplateCopyIn(dir), own = FolderIn(dir, "own", 0777);
    AsUnprivilegedUser(dir, [&] {
        const std::string path = own + "/p.tarnprj";
        TestStore store(dir);
        store.m_strTemplatePath = templateCopy.c_str();
        ASSERT_EQ(store.New(path.c_str(), 1), 1);
        store.Close();
        LeaveInTheLog(path, "INSERT INTO TpsTable (TPS_UUID) VALUES ('logged')");
        ASSERT_EQ(chmod((path + "-wal").c_str(), 0444), 0);
        CATMLCommonFun files;
        EXPECT_EQ(files.RemoveFile(path.c_str()), -1);
        EXPECT_EQ(std::string(files.GetErrorInfo()), path + "，“" + SystemText(5) + "”。");
        EXPECT_EQ(store.New(path.c_str(), 1), -1);
        EXPECT_EQ(std::string(store.GetErrorInfo()), SystemText(5) + templateCopy);
        ASSERT_EQ(chmod((path + "-wal").c_str(), 0644), 0);
        EXPECT_EQ(TpsKeys(path), "logged");
    });
}
