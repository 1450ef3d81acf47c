// What lies beside a project: its journal names (a pipe there, a project
// named so, closed or held), the names no project takes, and the folder
// lock's and scratch files' names taken by what the library did not make.
// What could block for good runs in a child that must end within a bound.
#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/win32/DatabaseLog.h"
#include "platform/win32/LogNames.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"
#include "platform/win32/LastError.h"
#include "platform/win32/ScratchFile.h"
#include "support/Bounded.h"

namespace {
bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// New(path, 1), a Save onto path and, where asked, RemoveFile(path), run in
// a child within the bound: each result with the last error it left.
std::string Changes(const TempDir& dir, const std::string& path, bool removal = true) {
    return Bounded(dir, [&] {
        auto said = [](int result) { return std::to_string(result) + ":" + std::to_string(GetLastError()) + " "; };
        TempDir elsewhere;  // the untitled project's
        TestStore store(elsewhere);
        std::string out = said(store.New(path.c_str(), 1));
        store.New("", 1);
        store.SetFilePath(path.c_str());
        out += said(store.Save());
        return removal ? out + said(CATMLCommonFun().RemoveFile(path.c_str())) : out;
    });
}

// What Changes gives for a step refused with error code.
std::string No(DWORD code) { return "-1:" + std::to_string(code) + " "; }
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
        EXPECT_EQ(Changes(dir, path), No(ERROR_LOG_NAME_NOT_A_FILE) + No(ERROR_LOG_NAME_NOT_A_FILE) + No(ERROR_LOG_NAME_NOT_A_FILE));
        EXPECT_EQ(Changes(dir, fresh), No(ERROR_LOG_NAME_NOT_A_FILE) + No(ERROR_LOG_NAME_NOT_A_FILE) + No(ERROR_FILE_NOT_FOUND));
        for (const std::string& project : {path, fresh}) {
            struct stat info;
            EXPECT_TRUE(lstat((project + suffix).c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
            unlink((project + suffix).c_str());
        }
    }
    EXPECT_EQ(TpsKeys(path), "kept");
}

// A project at a journal name of Flight, with rows in its own log, closed
// or held by another process or by this one, is never taken for Flight's
// log: work on Flight, there or not, is refused; the project keeps its rows
// and is a project of its own to remove.
TEST(JournalNames, AProjectNamedAsAnothersJournalIsNeverTakenForIt) {
    const struct {
        char holder;  // none, another process, this one
        DWORD refusal;
        const char* words;
    } holders[] = {{'n', ERROR_LOG_NAME_IS_A_DATABASE, "a database"},
                   {'a', ERROR_LOG_NAME_IS_A_DATABASE, "a database"},
                   {'t', ERROR_LOG_NAME_HELD, "a file that a store holds"}};
    for (const char* suffix : kJournalSuffixes) {
        for (const auto& holder : holders) {
            SCOPED_TRACE(std::string(suffix) + " " + holder.holder);
            TempDir dir;
            const std::string flight = MakeProject(dir, "Flight", "INSERT INTO TpsTable (TPS_UUID) VALUES ('flight')");
            const std::string named = flight + suffix, away = dir.File("away");
            ASSERT_EQ(rename(MakeProject(dir, "s", "INSERT INTO TpsTable (TPS_UUID) VALUES ('own')").c_str(), named.c_str()), 0);
            LeaveInTheLog(named, "INSERT INTO TpsTable (TPS_UUID) VALUES ('logged')");
            fileshare::Hold here;
            std::unique_ptr<ChildProcess> child(holder.holder != 'a' ? nullptr : new ChildProcess([&](ChildProcess& self) {
                self.Tell(here.Share(named, 0, fileshare::Use::Project) ? 'y' : 'n');
                return self.Await() ? 0 : 1;
            }));
            ASSERT_TRUE(child ? child->Heard() == 'y' : holder.holder == 'n' || here.Share(named, 0, fileshare::Use::Project));

            const std::string opened = Opened(dir, flight);
            EXPECT_TRUE(Holds(opened, "-1 Beside the project, " + named + " is " + holder.words)) << opened;
            EXPECT_EQ(Changes(dir, flight), No(holder.refusal) + No(holder.refusal) + No(holder.refusal));
            ASSERT_EQ(rename(flight.c_str(), away.c_str()), 0);
            EXPECT_EQ(Changes(dir, flight), No(holder.refusal) + No(holder.refusal) + No(ERROR_FILE_NOT_FOUND));
            ASSERT_EQ(rename(away.c_str(), flight.c_str()), 0);

            if (child) child->Answer();
            EXPECT_EQ(child ? child->Wait() : 0, 0);
            here.Release();
            EXPECT_EQ(TpsKeys(named), "logged,own");
            EXPECT_EQ(CATMLCommonFun().RemoveFile(named.c_str()), 1);
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
        EXPECT_EQ(Changes(dir, path, false), No(ERROR_RESERVED_PROJECT_NAME) + No(ERROR_RESERVED_PROJECT_NAME));
        EXPECT_FALSE(FileExists(path));
        WriteFile(path, ReadFile(made));  // a project given such a name by other means
        EXPECT_TRUE(Holds(Opened(dir, path), "-1 A project's name may not end as")) << Opened(dir, path);
        unlink(path.c_str());
    }
}

// Anything but a lock file at the folder lock's name is left as it is, and
// no copy or removal runs in that folder while it is there. A hard link to
// a project this process holds is never opened: the engine keeps its locks
// and no acknowledged row is lost when another process closes the project.
TEST(FolderLockName, TakenByAnythingElseItStopsCopiesAndRemovalsAndKeepsTheEnginesLocks) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj"), lock = dir.File(kLockFileName), other = dir.File("q");
    std::unique_ptr<ChildProcess> holder(HoldingChild(dir, path));
    ASSERT_EQ(holder->Heard(), 'y');
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1);
    ASSERT_EQ(AddTps(store, "before"), 1);
    const int locks = RecordLocksOn(path);
    ASSERT_GT(locks, 0);  // the engine's shared lock
    for (const auto& make : {+[](const std::string& p, const std::string& l) { return symlink(p.c_str(), l.c_str()); },
                             +[](const std::string&, const std::string& l) { return mkdir(l.c_str(), 0755); },
                             +[](const std::string&, const std::string& l) { return mkfifo(l.c_str(), 0666); },
                             +[](const std::string& p, const std::string& l) { return link(p.c_str(), l.c_str()); }}) {
        ASSERT_EQ(make(path, lock), 0);
        struct stat before, after;
        lstat(lock.c_str(), &before);
        EXPECT_EQ(Changes(dir, other), No(ERROR_FOLDER_LOCK_NAME_TAKEN) + No(ERROR_FOLDER_LOCK_NAME_TAKEN) + No(ERROR_FOLDER_LOCK_NAME_TAKEN));
        CATMLCommonFun files;
        EXPECT_EQ(files.RemoveFile(other.c_str()), -1);
        EXPECT_EQ(GetLastError(), ERROR_FOLDER_LOCK_NAME_TAKEN);
        EXPECT_EQ(RecordLocksOn(path), locks);
        EXPECT_TRUE(lstat(lock.c_str(), &after) == 0 && after.st_ino == before.st_ino && after.st_mode == before.st_mode);
        S_ISDIR(after.st_mode) ? rmdir(lock.c_str()) : unlink(lock.c_str());
    }
    ASSERT_EQ(link(path.c_str(), lock.c_str()), 0);
    EXPECT_EQ(holder->Wait(), 0);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(AddTps(store, "r" + std::to_string(i)), 1);
    store.Close();
    ASSERT_EQ(unlink(lock.c_str()), 0);
    EXPECT_EQ(RawQuery(path, "SELECT count(*) FROM TpsTable")[0][0], "52");
}

// A copy skips a scratch slot taken by anything but a copy's scratch file,
// and names such things when they leave no slot free.
TEST(ScratchNames, ACopySkipsSlotsTakenByOthersAndNamesThemWhenNoneIsLeft) {
    TempDir dir;
    const std::string target = dir.File("p.tarnprj"), pattern = ScratchPattern(target);
    auto slot = [&](int n) { return pattern.substr(0, pattern.size() - 6) + std::to_string(1000000 + n).substr(1); };
    ASSERT_EQ(mkdir(slot(0).c_str(), 0755), 0);
    TestStore store(dir);
    ASSERT_EQ(store.New(target.c_str(), 1), 1) << store.GetErrorInfo().GetString();
    store.Close();
    for (int n = 1; n < 64; ++n) ASSERT_EQ(n % 2 ? mkfifo(slot(n).c_str(), 0666) : symlink(target.c_str(), slot(n).c_str()), 0);
    EXPECT_EQ(store.New(target.c_str(), 1), -1);
    EXPECT_EQ(GetLastError(), ERROR_SCRATCH_NAMES_TAKEN);
}
