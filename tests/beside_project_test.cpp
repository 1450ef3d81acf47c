// What lies beside a project: the names the engine gives its journal files
// (a named pipe there, a project named so, closed or held), the names no
// project may take, and the folder lock's and the scratch files' names
// taken by things the library did not make. What could block for good runs
// in a child that must end within a bound.
#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/win32/DatabaseLog.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"
#include "platform/win32/LastError.h"
#include "platform/win32/ScratchFile.h"
#include "support/Bounded.h"

namespace {
std::string SystemText(DWORD code) { return CATMLCommonFun::GetOSErrorMessage(code).GetString(); }

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A result and the message that came with it.
template <class Error>
std::string Said(int result, const Error& from) {
    return std::to_string(result) + " " + from.GetErrorInfo().GetString();
}

// New(path, 1), a Save onto path and, where asked, RemoveFile(path), each
// with its message, run in a child within the bound; the untitled project
// lives elsewhere.
std::string Changes(const TempDir& dir, const std::string& path, bool removal = true) {
    return Bounded(dir, [&] {
        TempDir elsewhere;
        TestStore store(elsewhere);
        std::string out = Said(store.New(path.c_str(), 1), store);
        store.New("", 1);
        store.SetFilePath(path.c_str());
        out += "|" + Said(store.Save(), store);
        CATMLCommonFun files;
        return removal ? out + "|" + Said(files.RemoveFile(path.c_str()), files) : out;
    });
}

// What Changes gives when New and Save fail with the text of error code,
// and RemoveFile with that of removal (none: not asked).
std::string Refused(const TempDir& dir, const std::string& path, DWORD code, DWORD removal = 1) {
    const std::string text = SystemText(code);
    const std::string copies = "-1 " + text + TestStore(dir).m_strTemplatePath.GetString() + "|-1 " + text;
    if (removal == 0) return copies;
    return copies + "|-1 " + path + "，“" + SystemText(removal == 1 ? code : removal) + "”。";
}
}  // namespace

TEST(JournalNames, APipeAtAnyOfThemStopsWorkOnTheProjectAtOnce) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj", "INSERT INTO TpsTable (TPS_UUID) VALUES ('kept')");
    const std::string fresh = dir.File("fresh.tarnprj");
    for (const char* suffix : kJournalSuffixes) {
        SCOPED_TRACE(suffix);
        for (const std::string& project : {path, fresh}) ASSERT_EQ(mkfifo((project + suffix).c_str(), 0666), 0);
        const std::string opened = Opened(dir, path);
        EXPECT_TRUE(Holds(opened, "-1 Beside the project, " + path + suffix + " is a named pipe,")) << opened;
        EXPECT_EQ(Changes(dir, path), Refused(dir, path, ERROR_LOG_NAME_NOT_A_FILE));
        // Where no project is yet, a copy leaves the pipe too.
        EXPECT_EQ(Changes(dir, fresh), Refused(dir, fresh, ERROR_LOG_NAME_NOT_A_FILE, ERROR_FILE_NOT_FOUND));
        for (const std::string& project : {path, fresh}) {
            struct stat info;
            EXPECT_TRUE(lstat((project + suffix).c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
            unlink((project + suffix).c_str());
        }
    }
    EXPECT_FALSE(FileExists(fresh));
    EXPECT_EQ(TpsKeys(path), "kept");
}

// A project at a journal name of Flight, with rows in its own log, closed
// or held by another process or by this one, is never taken for Flight's
// log: work on Flight is refused and the project keeps its rows; it is a
// project of its own to remove.
TEST(JournalNames, AProjectNamedAsAnothersJournalIsNeverTakenForIt) {
    const struct {
        const char* holder;
        DWORD refusal;
        const char* words;
    } holders[] = {{"none", ERROR_LOG_NAME_IS_A_DATABASE, "a database"},
                   {"another process", ERROR_LOG_NAME_IS_A_DATABASE, "a database"},
                   {"this process", ERROR_LOG_NAME_HELD, "a file that a store holds"}};
    for (const char* suffix : kJournalSuffixes) {
        for (const auto& holder : holders) {
            SCOPED_TRACE(std::string(suffix) + ", held by " + holder.holder);
            TempDir dir;
            const std::string flight = MakeProject(dir, "Flight", "INSERT INTO TpsTable (TPS_UUID) VALUES ('flight')");
            const std::string named = flight + suffix, away = dir.File("away");
            ASSERT_EQ(rename(MakeProject(dir, "s", "INSERT INTO TpsTable (TPS_UUID) VALUES ('own')").c_str(),
                             named.c_str()), 0);
            LeaveInTheLog(named, "INSERT INTO TpsTable (TPS_UUID) VALUES ('logged')");
            std::unique_ptr<ChildProcess> child;
            fileshare::Hold here;
            if (holder.holder[0] == 'a') {
                child.reset(new ChildProcess([&](ChildProcess& self) {
                    fileshare::Hold hold;
                    self.Tell(hold.Share(named, 0, fileshare::Use::Project) ? 'y' : 'n');
                    return self.Await() ? 0 : 1;
                }));
                ASSERT_EQ(child->Heard(), 'y');
            }
            if (holder.holder[0] == 't') {
                ASSERT_TRUE(here.Share(named, 0, fileshare::Use::Project));
            }

            const std::string opened = Opened(dir, flight, [](TestStore& store) { return std::to_string(AddTps(store, "x")); });
            EXPECT_TRUE(Holds(opened, "-1 Beside the project, " + named + " is " + holder.words)) << opened;
            EXPECT_EQ(Changes(dir, flight), Refused(dir, flight, holder.refusal));
            ASSERT_EQ(rename(flight.c_str(), away.c_str()), 0);
            EXPECT_EQ(Changes(dir, flight), Refused(dir, flight, holder.refusal, ERROR_FILE_NOT_FOUND));
            ASSERT_EQ(rename(away.c_str(), flight.c_str()), 0);

            if (child) {
                child->Answer();
                EXPECT_EQ(child->Wait(), 0);
            }
            here.Release();
            EXPECT_EQ(TpsKeys(named), "logged,own");
            CATMLCommonFun files;
            EXPECT_EQ(files.RemoveFile(named.c_str()), 1) << files.GetErrorInfo().GetString();
            EXPECT_FALSE(FileExists(named));
            EXPECT_EQ(TpsKeys(flight), "flight");
        }
    }
}

TEST(ProjectNames, NoProjectIsNamedAsAJournalOrAsTheFolderLock) {
    TempDir dir;
    const std::string made = MakeProject(dir, "p.tarnprj");
    for (const std::string name : {"p.tarnprj-journal", "q-wal", "q-shm", kLockFileName}) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        EXPECT_EQ(Changes(dir, path, false), Refused(dir, path, ERROR_RESERVED_PROJECT_NAME, 0));
        EXPECT_FALSE(FileExists(path));
        // A project given such a name by other means is not opened.
        WriteFile(path, ReadFile(made));
        EXPECT_TRUE(Holds(Opened(dir, path), "-1 A project's name may not end as")) << Opened(dir, path);
        unlink(path.c_str());
    }
}

// Anything but a lock file at the folder lock's name is left as it is, and
// no copy or removal runs in that folder while it is there.
TEST(FolderLockName, TakenByAnythingElseItStopsCopiesAndRemovals) {
    const struct {
        const char* kind;
        int (*make)(const std::string& other, const std::string& lock);
    } kinds[] = {
        {"a symbolic link", [](const std::string& other, const std::string& lock) { return symlink(other.c_str(), lock.c_str()); }},
        {"a hard link", [](const std::string& other, const std::string& lock) { return link(other.c_str(), lock.c_str()); }},
        {"a folder", [](const std::string&, const std::string& lock) { return mkdir(lock.c_str(), 0755); }},
        {"a named pipe", [](const std::string&, const std::string& lock) { return mkfifo(lock.c_str(), 0666); }},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.kind);
        TempDir dir;
        const std::string path = MakeProject(dir, "p.tarnprj", "INSERT INTO TpsTable (TPS_UUID) VALUES ('kept')");
        const std::string lock = dir.File(kLockFileName);
        ASSERT_EQ(kind.make(MakeProject(dir, "q.tarnprj"), lock), 0);
        struct stat before, after;
        ASSERT_EQ(lstat(lock.c_str(), &before), 0);
        EXPECT_EQ(Changes(dir, path), Refused(dir, path, ERROR_FOLDER_LOCK_NAME_TAKEN));
        ASSERT_EQ(lstat(lock.c_str(), &after), 0);
        EXPECT_TRUE(after.st_ino == before.st_ino && after.st_mode == before.st_mode);
        EXPECT_EQ(TpsKeys(path), "kept");
    }
}

// A host's hard link at the lock's name to a project this process holds:
// copies and removals in the folder never open it, so the engine keeps its
// locks, and another process that closes the project leaves its log alone.
TEST(FolderLockName, AHardLinkToAHeldProjectLeavesTheEnginesLocksAndRows) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj"), lock = dir.File(kLockFileName);
    std::unique_ptr<ChildProcess> other(HoldingChild(dir, path));
    ASSERT_EQ(other->Heard(), 'y');
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1);
    ASSERT_EQ(AddTps(store, "before"), 1);
    const int locks = RecordLocksOn(path);
    ASSERT_GT(locks, 0);
    ASSERT_EQ(link(path.c_str(), lock.c_str()), 0);
    TempDir elsewhere;
    TestStore maker(elsewhere);
    CATMLCommonFun files;
    EXPECT_EQ(maker.New(dir.File("q.tarnprj").c_str(), 1), -1);
    EXPECT_EQ(files.RemoveFile(dir.File("q.tarnprj").c_str()), -1);
    EXPECT_TRUE(Holds(files.GetErrorInfo().GetString(), SystemText(ERROR_FOLDER_LOCK_NAME_TAKEN)));
    EXPECT_EQ(RecordLocksOn(path), locks);
    EXPECT_EQ(other->Wait(), 0);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(AddTps(store, "r" + std::to_string(i)), 1);
    store.Close();
    ASSERT_EQ(unlink(lock.c_str()), 0);
    EXPECT_EQ(RawQuery(path, "SELECT count(*) FROM TpsTable")[0][0], "52");
}

// A copy skips a scratch slot that anything but a copy's scratch file
// takes, and names such things when they leave no slot free.
TEST(ScratchNames, ACopySkipsSlotsTakenByOthersAndNamesThemWhenNoneIsLeft) {
    TempDir dir;
    const std::string target = dir.File("p.tarnprj");
    auto slot = [&](int n) {
        const std::string digits = std::to_string(1000000 + n).substr(1);
        return ScratchPattern(target).replace(ScratchPattern(target).size() - 6, 6, digits);
    };
    ASSERT_EQ(mkdir(slot(0).c_str(), 0755), 0);
    TestStore store(dir);
    ASSERT_EQ(store.New(target.c_str(), 1), 1) << store.GetErrorInfo().GetString();
    store.Close();
    for (int n = 1; n < 64; ++n) ASSERT_EQ(n % 2 ? mkfifo(slot(n).c_str(), 0666) : symlink(target.c_str(), slot(n).c_str()), 0);
    EXPECT_EQ(store.New(target.c_str(), 1), -1);
    EXPECT_EQ(std::string(store.GetErrorInfo()), SystemText(ERROR_SCRATCH_NAMES_TAKEN) + store.m_strTemplatePath.GetString());
    struct stat info;
    EXPECT_TRUE(lstat(slot(0).c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}
