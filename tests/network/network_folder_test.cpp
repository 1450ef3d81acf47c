// Projects on a network file system, as statfs tells it for the test's
// folder: a store that may write keeps every other process out of the
// project while it has it open; stores whose user may only read share it
// with one another alone. Elsewhere processes share a project as ever.
#include <gtest/gtest.h>

#include <linux/magic.h>
#include <memory>
#include <sys/stat.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "network/NetworkType.h"
#include "support/ChildProcess.h"
#include "support/TestStore.h"

namespace {
// What dir looks like to this process for as long as it stands (type 0: what it is).
struct SeenAs {
    SeenAs(const TempDir& dir, long type) { networktype::SeeFolderAs(dir.Path(), type); }
    ~SeenAs() { networktype::SeeFolderAs("", 0); }
};

// A host started anew (main.cpp) on the project at path, which sees dir as
// of type; an ordinary user where unprivileged.
std::unique_ptr<ChildProcess> Host(const TempDir& dir, long type, const std::string& path, bool unprivileged = false) {
    const std::vector<std::string> argv = {"/proc/self/exe", "--host", dir.Path(), std::to_string(type), path};
    return std::make_unique<ChildProcess>(
        [=](ChildProcess& self) { return unprivileged && !BecomeUnprivileged() ? 9 : self.ExecAnew(argv); });
}

// The host's answers to words, one each.
std::string Asked(ChildProcess& host, const std::string& words) {
    std::string answers;
    for (char word : words) {
        host.Answer(word);
        answers += host.Heard();
    }
    return answers;
}

// The types file systems give (Lustre and GPFS as their own sources name them).
const struct {
    const char* name;
    long type;
    bool network;
} kTypes[] = {
    {"NFS", NFS_SUPER_MAGIC, true},       {"SMB", SMB_SUPER_MAGIC, true},   {"CIFS", CIFS_SUPER_MAGIC, true},
    {"SMB2", SMB2_SUPER_MAGIC, true},     {"AFS", AFS_SUPER_MAGIC, true},   {"kAFS", AFS_FS_MAGIC, true},
    {"Ceph", CEPH_SUPER_MAGIC, true},     {"Lustre", 0x0BD00BD0, true},     {"GPFS", 0x47504653, true},
    {"9p", V9FS_MAGIC, true},             {"FUSE", FUSE_SUPER_MAGIC, false}, {"the real one", 0, false},
};
}  // namespace

TEST(NetworkFolder, AWriterThereKeepsEveryOtherProcessOutUntilItCloses) {
    for (const auto& each : kTypes) {
        SCOPED_TRACE(each.name);
        TempDir dir;
        const SeenAs seen(dir, each.type);
        const std::string path = MakeProject(dir, "p.tarnprj");
        TestStore writer(dir);
        ASSERT_EQ(writer.Open(path.c_str()), 1) << writer.GetErrorInfo().GetString();
        const auto host = Host(dir, each.type, path);
        // Open, and only Open, of a file in use is allowed elsewhere.
        EXPECT_EQ(Asked(*host, "ocnsr"), std::string(each.network ? "u" : "y") + "yuuu");
        ASSERT_EQ(AddTps(writer, "kept"), 1);
        writer.Close();
        EXPECT_EQ(TpsKeys(path), "kept");
        EXPECT_EQ(Asked(*host, "ocnsr"), "yyyyy");
        EXPECT_EQ(host->Wait(), 0);
        EXPECT_FALSE(FileExists(path));
    }
}

TEST(NetworkFolder, ReadersWhoMayOnlyReadShareAProjectThereAndNoWriterMeetsThem) {
    TempDir dir;
    const SeenAs seen(dir, NFS_SUPER_MAGIC);
    const std::string path = MakeProject(dir, "p.tarnprj");
    chmod(dir.Path().c_str(), 0755);  // root's folder and file: the ordinary user may only read them
    const auto first = Host(dir, NFS_SUPER_MAGIC, path, true), second = Host(dir, NFS_SUPER_MAGIC, path, true);
    EXPECT_EQ(Asked(*first, "o") + Asked(*second, "o"), "yy");
    const std::string inUse = CATMLCommonFun::GetOSErrorMessage(32).GetString() + path;
    TestStore writer(dir);
    EXPECT_EQ(writer.Open(path.c_str()), -1);
    EXPECT_EQ(std::string(writer.GetErrorInfo()).rfind(inUse, 0), 0u) << writer.GetErrorInfo().GetString();
    EXPECT_EQ(Asked(*first, "c") + Asked(*second, "c"), "yy");
    ASSERT_EQ(writer.Open(path.c_str()), 1) << writer.GetErrorInfo().GetString();
    EXPECT_EQ(Asked(*first, "o"), "u");
    writer.Close();
    // A project that New puts in place is kept from them until its store has
    // opened it: it looks at the type as it begins to.
    std::string heard;
    networktype::BeforeLookAt(path, [&] { heard = Asked(*first, "o"); });
    EXPECT_EQ(writer.New(path.c_str(), 1), 1) << writer.GetErrorInfo().GetString();
    EXPECT_EQ(heard, "u");
    writer.Close();
    EXPECT_EQ(Asked(*first, "o"), "y");
    EXPECT_EQ(first->Wait() + second->Wait(), 0);
}

// The hold keeps others out while a store that may write has the project
// open, not while the stores of its process that may only read stay.
TEST(NetworkFolder, OthersComeInOnceTheWriterClosesBesideAReaderOfItsProcess) {
    TempDir dir;
    const SeenAs seen(dir, NFS_SUPER_MAGIC);
    FolderIn(dir, "shared", 0777);
    const std::string path = MakeProject(dir, "shared/p.tarnprj");
    ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
    AsUnprivilegedUser(dir, [&] {
        TestStore writer(dir), reader(dir);
        ASSERT_EQ(writer.Open(path.c_str()), 1) << writer.GetErrorInfo().GetString();
        chmod(path.c_str(), 0444);
        ASSERT_EQ(reader.Open(path.c_str()), 1) << reader.GetErrorInfo().GetString();
        const auto other = Host(dir, NFS_SUPER_MAGIC, path);
        EXPECT_EQ(Asked(*other, "o"), "u");
        writer.Close();
        EXPECT_EQ(Asked(*other, "o"), "y");
        EXPECT_EQ(other->Wait(), 0);
    });
}
