// Removals, holds and copies that race on one path or one inode: a removal
// takes only a file it holds, a hold on a file that went leaves the entry of
// a new file with its inode alone, a descriptor a hold gives up is closed
// whichever entries its file has, a copy and a removal of a link take
// turns, a copy killed between its hard link and the removal of its scratch
// name leaves a project the next Open takes, and a copy whose hold cannot
// turn shared reports the file it placed.
#include <gtest/gtest.h>

#include <filesystem>
#include <poll.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/win32/File.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"
#include "platform/win32/LastError.h"
#include "platform/win32/ScratchFile.h"
#include "races/FileCalls.h"
#include "races/OtherThread.h"
#include "support/ChildProcess.h"
#include "support/KillAtStep.h"
#include "support/TestStore.h"

namespace {
ino_t InodeOf(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

nlink_t NamesOf(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_nlink : 0;
}

// Stops the calling thread once at a call on path until released, and tells when it is there.
struct Stopped {
    std::promise<void> there, released;
    void At(filecalls::Call call, bool after, const std::string& path) {
        filecalls::StopAt(call, after, path, [this](int) {
            there.set_value();
            released.get_future().wait_for(std::chrono::seconds(30));
        });
    }
};
}  // namespace

// Two processes remove the project over and over while this one makes it
// anew and writes into it: no removal takes a file that the maker holds.
// Each removal that succeeds says so through a pipe; every other round the
// maker makes its next project only once a removal has, so removals are
// seen to succeed beside the maker's holds.
TEST(RemovalRaces, TwoRemoversAndAMakerOnOnePathRemoveNoFileTheMakerHolds) {
    TempDir dir;
    const std::string target = dir.File("project.tarnprj"), stop = dir.File("stop");
    int removals[2];
    ASSERT_EQ(pipe(removals), 0);
    auto remover = [&](ChildProcess&) {
        close(removals[0]);
        int unexpected = 0;
        const char removed = 'r';
        while (!FileExists(stop)) {
            if (DeleteFileA(target.c_str())) {
                if (write(removals[1], &removed, 1) != 1) ++unexpected;
                continue;
            }
            const DWORD why = GetLastError();
            if (why != ERROR_FILE_NOT_FOUND && why != ERROR_SHARING_VIOLATION) ++unexpected;
        }
        return unexpected == 0 ? 0 : 1;
    };
    ChildProcess first(remover), second(remover);
    close(removals[1]);
    // Whether a removal was told within a minute (a bound that only a removal
    // that never succeeds reaches).
    const auto removalTold = [&] {
        pollfd told{removals[0], POLLIN, 0};
        char word = 0;
        return poll(&told, 1, 60000) == 1 && read(removals[0], &word, 1) == 1;
    };
    TestStore maker(dir);
    int made = 0, lost = 0, removed = 0;
    for (int round = 0; round < 400; ++round) {
        if (maker.New(target.c_str(), 1) != 1) continue;
        ++made;
        // Only the maker makes files there: while it holds its project, the
        // project keeps its name.
        if (AddTps(maker, "m" + std::to_string(round)) == 1 && !FileExists(target)) ++lost;
        maker.Close();
        if (round % 2 == 1) {
            if (!removalTold()) break;
            ++removed;
        }
    }
    WriteFile(stop, "");
    EXPECT_EQ(first.Wait(), 0) << "a removal failed for a reason but a missing or held file";
    EXPECT_EQ(second.Wait(), 0) << "a removal failed for a reason but a missing or held file";
    char word = 0;
    while (read(removals[0], &word, 1) == 1) ++removed;
    close(removals[0]);
    EXPECT_GT(made, 0);
    EXPECT_GT(removed, 0) << "no removal succeeded beside the maker";
    EXPECT_EQ(lost, 0) << "a project was removed while it was held";
}

// A removal has opened the project and waits before it locks it while a
// copy is ready to replace the project: the copy places its file under the
// folder lock, so it waits for the removal, which removes the old file it
// looked at; the new project comes after, where nothing is, and the copy's
// store keeps it.
TEST(RemovalRaces, ARemovalAndACopyOntoItsPathTakeTurns) {
    TempDir dir;
    const std::string target = MakeProject(dir, "project.tarnprj", "INSERT INTO TpsTable (TPS_UUID) VALUES ('old')");
    ChildProcess remover([&](ChildProcess& self) {
        if (self.Await() != 'g') return 2;
        filecalls::g_lockPauseMs = 300;
        const bool removed = DeleteFileA(target.c_str());
        return removed ? 0 : GetLastError() == ERROR_SHARING_VIOLATION ? 1 : 3;
    });
    // While the copy's scratch file is made durable (its folder lock let go),
    // the removal locks the folder, opens the project and pauses.
    filecalls::g_whileSyncingACopy = [&] {
        remover.Answer('g');
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    };
    TestStore maker(dir);
    ASSERT_EQ(maker.New(target.c_str(), 1), 1) << maker.GetErrorInfo().GetString();
    filecalls::g_whileSyncingACopy = nullptr;
    ASSERT_EQ(AddTps(maker, "new"), 1);
    EXPECT_EQ(remover.Wait(), 0) << "1: the removal found a file in use, so the copy placed its file in its turn";
    EXPECT_TRUE(FileExists(target));
    ASSERT_EQ(AddTps(maker, "later"), 1);
    maker.Close();
    EXPECT_EQ(TpsKeys(target), "later,new");
}

// A hold has looked at a file and waits in its open while the file is
// removed and a copy makes a new file, which the file system may give the
// same inode: the failing hold ends its own entry only, and the new file's
// hold, ended, lets any process replace the file.
TEST(HoldEntries, AHoldOnARemovedFileLeavesTheEntryOfANewFileWithItsInodeAlone) {
    TempDir dir;
    const std::string gone = dir.File("gone.tarnprj"), made = dir.File("made.tarnprj");
    int reused = 0;
    for (int round = 0; round < 20 && reused < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        unlink(made.c_str());
        WriteFile(gone, "a file that goes");
        const ino_t inode = InodeOf(gone);
        filecalls::g_slowOpenOf = gone;
        filecalls::g_openPauseMs = 150;
        bool shared = true;
        std::thread sharer([&] {
            fileshare::Hold hold;
            shared = hold.Share(gone, 0, fileshare::Use::Project);
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        unlink(gone.c_str());
        TestStore store(dir);
        ASSERT_EQ(store.New(made.c_str(), 1), 1) << store.GetErrorInfo().GetString();
        if (InodeOf(made) == inode) ++reused;
        sharer.join();
        filecalls::g_openPauseMs = 0;
        EXPECT_FALSE(shared);
        ASSERT_EQ(AddTps(store, "made"), 1);
        store.Close();
        ChildProcess replacer([&](ChildProcess&) {
            TestStore other(dir);
            return other.New(made.c_str(), 1) == 1 ? 0 : 1;
        });
        EXPECT_EQ(replacer.Wait(), 0) << "the new file stayed held";
        TestStore again(dir);
        EXPECT_EQ(again.Open(made.c_str()), 1) << again.GetErrorInfo().GetString();
    }
    if (reused == 0) std::cout << "the file system gave no removed file's inode to the new file\n";
}

// Two holds look at two files, and wait in their opens while the first
// file takes the second one's name: the second hold opens the file the
// first has looked at and has an entry for, without a descriptor yet. It
// gives its descriptor up, which no such entry keeps: when the first hold
// fails (its name is gone) and the second holds the file and ends, the
// process has as many descriptors as before.
TEST(HoldEntries, ADescriptorGivenUpBesideAnEntryWithoutOneIsClosed) {
    TempDir dir;
    const std::string first = dir.File("first.tarnprj"), second = dir.File("second.tarnprj");
    WriteFile(first, "the file that both holds open");
    WriteFile(second, "a file that is replaced");
    const int before = OpenDescriptors();
    Stopped firstAtOpen, secondAtOpen;
    std::promise<void> secondOpened;
    firstAtOpen.At(filecalls::Call::Open, false, first);
    secondAtOpen.At(filecalls::Call::Open, false, second);
    filecalls::StopAt(filecalls::Call::Open, true, second, [&](int) { secondOpened.set_value(); });
    bool firstHeld = true, secondHeld = false;
    std::thread firstHold([&] { firstHeld = fileshare::Hold().Share(first, 0, fileshare::Use::Project); });
    std::thread secondHold([&] {
        fileshare::Hold hold;
        secondHeld = hold.Share(second, 5000, fileshare::Use::Project);
    });
    firstAtOpen.there.get_future().wait();
    secondAtOpen.there.get_future().wait();
    ASSERT_EQ(rename(first.c_str(), second.c_str()), 0);
    secondAtOpen.released.set_value();
    secondOpened.get_future().wait();
    // The second hold gives up what it opened meanwhile, and looks again.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    firstAtOpen.released.set_value();
    firstHold.join();
    secondHold.join();
    EXPECT_FALSE(firstHeld);
    EXPECT_TRUE(secondHeld);
    EXPECT_EQ(OpenDescriptors(), before) << "a descriptor stayed open";
}

// P is a link to a closed project; a store's New(P) has made its scratch
// file when a removal of P starts, and the removal waits before it unlinks
// the link it looked at: the copy places its file under the folder lock,
// after the removal, where nothing is. The new project keeps its rows, and
// the project the link led to stays as it was.
TEST(RemovalRaces, ALinkRemovedBesideARacingNewLeavesTheNewProjectWhole) {
    TempDir dir;
    const std::string led = MakeProject(dir, "led.tarnprj", "INSERT INTO TpsTable (TPS_UUID) VALUES ('kept')");
    const std::string link = dir.File("p.tarnprj");
    ASSERT_EQ(symlink(led.c_str(), link.c_str()), 0);
    std::thread remover;
    bool removed = false;
    filecalls::g_whileSyncingACopy = [&] {
        std::promise<void> atUnlink;
        filecalls::StopAt(filecalls::Call::Unlink, false, link, [&](int) {
            atUnlink.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        });
        remover = std::thread([&] { removed = DeleteFileA(link.c_str()); });
        atUnlink.get_future().wait_for(std::chrono::seconds(30));
    };
    TestStore store(dir);
    ASSERT_EQ(store.New(link.c_str(), 1), 1) << store.GetErrorInfo().GetString();
    remover.join();
    ASSERT_EQ(AddTps(store, "new"), 1);
    store.Close();
    EXPECT_TRUE(removed);
    ASSERT_TRUE(FileExists(link)) << "the removal took the new project";
    EXPECT_EQ(TpsKeys(link), "new");
    EXPECT_EQ(TpsKeys(led), "kept");
}

// A hold that cannot lock a file another process replaces keeps what it
// opened of it while that process locks the file (closing it then could
// drop record locks of the process), and closes it once no lock stands, at
// the next close, with the table of holds let go: another thread opens and
// closes a project meanwhile.
TEST(HoldEntries, AHoldThatFailsClosesItsDescriptorOnceNoLockStandsWithTheTableLetGo) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj"), unrelated = MakeProject(dir, "q.tarnprj");
    // The replacer holds the file and the engine's lock on it, as a copy
    // that replaces a project holds them.
    ChildProcess replacer([&](ChildProcess& self) {
        fileshare::Hold hold;
        self.Tell(hold.Take(path, true) && hold.LockEngine(0) ? 'h' : 'n');
        self.Await();
        return 0;
    });
    ASSERT_EQ(replacer.Heard(), 'h');
    bool closedMeanwhile = false, openedMeanwhile = false;
    filecalls::g_closingFile = std::filesystem::canonical(path).string();
    filecalls::g_whileClosing = [&] { closedMeanwhile = true; };
    const int descriptors = OpenDescriptors();
    fileshare::Hold hold;
    EXPECT_FALSE(hold.Share(path, 0, fileshare::Use::Project));
    EXPECT_EQ(errno, EBUSY);
    EXPECT_FALSE(closedMeanwhile) << "closed while another process locks the file";
    filecalls::g_whileClosing = [&] { openedMeanwhile = AnotherThreadOpensAndCloses(dir, unrelated); };
    replacer.Answer();
    EXPECT_EQ(replacer.Wait(), 0);
    fileshare::Hold next;
    EXPECT_TRUE(next.Share(unrelated, 0, fileshare::Use::Project));
    next.Release();
    filecalls::g_whileClosing = nullptr;
    EXPECT_TRUE(openedMeanwhile);
    EXPECT_LE(OpenDescriptors(), descriptors);
}

// Where the file system has no exclusive rename a copy places its file by a
// hard link and then removes its scratch name. Killed at any file step of a
// New, it leaves no project, or one that the next Open takes: a second name
// that is the killed copy's own scratch file goes.
TEST(KilledCopies, ASecondNameThatAKilledCopyLeftGoesAtTheNextOpen) {
    TempDir dir;
    const std::string target = dir.File("project.tarnprj");
    int seen = 0, n = 1;
    for (bool killed = true; killed; ++n) {
        SCOPED_TRACE("killed at file step " + std::to_string(n));
        ASSERT_LT(n, 200) << "no New ran to its end";
        unlink(target.c_str());
        const StepRun run = RunKilledAtStep(n, [&] {
            filecalls::g_noExclusiveRename = true;
            return TestStore(dir).New(target.c_str(), 1) == 1;
        });
        killed = run == StepRun::Killed;
        ASSERT_TRUE(killed || run == StepRun::RanToItsEnd) << "the New failed, or could not be traced";
        if (!FileExists(target)) continue;
        if (NamesOf(target) == 2) ++seen;
        TestStore store(dir);
        ASSERT_EQ(store.Open(target.c_str()), 1) << store.GetErrorInfo().GetString();
        EXPECT_EQ(NamesOf(target), 1u);
        store.Close();
    }
    EXPECT_GT(seen, 0) << "no copy was killed between its link and the removal of its scratch name";
}

// The copy is in place when its hold cannot turn shared: New reports it
// made the project, and the store works in it.
TEST(KilledCopies, ACopyWhoseHoldCannotTurnSharedReportsTheFileItPlaced) {
    TempDir dir;
    const std::string target = MakeProject(dir, "project.tarnprj", "INSERT INTO TpsTable (TPS_UUID) VALUES ('old')");
    TestStore store(dir);
    filecalls::g_noDowngrade = true;
    const RESULTSTATE made = store.New(target.c_str(), 1);
    filecalls::g_noDowngrade = false;
    ASSERT_EQ(made, 1) << store.GetErrorInfo().GetString();
    ASSERT_EQ(AddTps(store, "new"), 1);
    store.Close();
    EXPECT_EQ(TpsKeys(target), "new");
}

// An ordinary user removes root's project in a folder both may write. It
// cannot open the project for writing, so it cannot hold it: the removal
// fails with access denied and never reaches its unlink, however long root
// writes into the project meanwhile.
TEST(RemovalRaces, AUserWhoCannotWriteAProjectCannotRemoveIt) {
    if (geteuid() != 0) GTEST_SKIP() << "takes root and an ordinary user";
    TempDir dir;
    chmod(dir.Path().c_str(), 0777);
    const std::string path = MakeProject(dir, "p.tarnprj");
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    ChildProcess remover([&](ChildProcess& self) {
        if (!BecomeUnprivileged()) return 2;
        filecalls::StopAt(filecalls::Call::Unlink, false, path, [&](int) {
            self.Tell('u');
            self.Await();
        });
        self.Tell(DeleteFileA(path.c_str()) ? 'r' : static_cast<char>(GetLastError()));
        return 0;
    });
    char word = remover.Heard();
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1);
    for (int i = 0; i < 40; ++i) ASSERT_EQ(AddTps(store, "r" + std::to_string(i)), 1);
    if (word == 'u') {
        remover.Answer();
        word = remover.Heard();
    }
    EXPECT_EQ(word, ERROR_ACCESS_DENIED) << "u: the removal reached its unlink; r: it removed the project";
    EXPECT_EQ(remover.Wait(), 0);
    store.Close();
    EXPECT_EQ(RawQuery(path, "SELECT count(*) FROM TpsTable")[0][0], "40");
}

// Where the file system cannot rename without replacing, a copy places its
// file by a hard link and then removes its scratch name, both under the
// folder lock. An Open between the two finds two names, looks again once it
// has the folder lock, and opens the project.
TEST(RemovalRaces, AnOpenBesideACopyPlacingByAHardLinkOpensTheProject) {
    TempDir dir;
    const std::string target = dir.File("p.tarnprj"), lock = dir.File(kLockFileName);
    std::string scratch = ScratchPattern(target);
    scratch.replace(scratch.size() - 6, 6, "000000");
    std::thread opener;
    RESULTSTATE opened = 0;
    std::string why;
    filecalls::StopAt(filecalls::Call::Unlink, false, scratch, [&](int) {
        std::promise<void> atLock;
        filecalls::StopAt(filecalls::Call::Open, true, lock, [&](int) { atLock.set_value(); });
        opener = std::thread([&] {
            TestStore store(dir);
            opened = store.Open(target.c_str());
            why = store.GetErrorInfo().GetString();
        });
        atLock.get_future().wait_for(std::chrono::seconds(30));
    });
    filecalls::g_noExclusiveRename = true;
    TestStore maker(dir);
    const RESULTSTATE made = maker.New(target.c_str(), 1);
    filecalls::g_noExclusiveRename = false;
    ASSERT_EQ(made, 1) << maker.GetErrorInfo().GetString();
    ASSERT_TRUE(opener.joinable());
    opener.join();
    EXPECT_EQ(opened, 1) << why;
}

// The folder lock's name is looked at before it is opened. A host that puts
// a hard link to a project this process holds there in between has its
// file opened: that descriptor is closed only once no lock stands on the
// project, so the engine keeps its locks on it.
TEST(RemovalRaces, AHeldProjectSwappedInAtTheLockNameAfterTheLookKeepsItsLocks) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj"), lock = dir.File(kLockFileName);
    const std::string other = MakeProject(dir, "q.tarnprj"), swapped = dir.File("swapped");
    const int descriptors = OpenDescriptors();
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1);
    ASSERT_EQ(AddTps(store, "before"), 1);
    const int locks = RecordLocksOn(path);
    ASSERT_GT(locks, 0);  // the engine's shared lock
    WriteFile(lock, "");  // as a killed remover leaves it
    filecalls::StopAt(filecalls::Call::Open, false, lock, [&](int) {
        link(path.c_str(), swapped.c_str());
        rename(swapped.c_str(), lock.c_str());
    });
    EXPECT_FALSE(DeleteFileA(other.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FOLDER_LOCK_NAME_TAKEN);
    EXPECT_EQ(RecordLocksOn(path), locks);
    ASSERT_EQ(unlink(lock.c_str()), 0);
    ASSERT_EQ(AddTps(store, "after"), 1);
    store.Close();
    EXPECT_EQ(OpenDescriptors(), descriptors) << "the parked descriptor outlived the hold";
    EXPECT_EQ(TpsKeys(path), "after,before");
}
