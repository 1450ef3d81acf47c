// A child forked without exec and its parent's projects: the child keeps
// none of the parent's holds, whenever it is forked, and never works on a
// project the parent had open at the fork, where the database engine's
// record of its locks would deceive it. A process started anew may.
#include <gtest/gtest.h>

#include <atomic>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/win32/LastError.h"
#include "support/ChildProcess.h"
#include "support/StartedAnew.h"
#include "support/TestStore.h"
#include "support/SystemTexts.h"

namespace {
const char kStartAnew[] = "start the process anew";

bool Says(const CString& text, const char* part) { return std::string(text).find(part) != std::string::npos; }
}  // namespace

TEST(ForkedChild, RefusesWhatItsParentHadOpenAndLeavesTheParentsStoresAlone) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj"), elsewhere = MakeProject(dir, "q.tarnprj");
    TestStore parent(dir);
    ASSERT_EQ(parent.Open(path.c_str()), 1);
    ASSERT_EQ(AddTps(parent, "before"), 1);
    ChildProcess child([&](ChildProcess& self) {
        int refusedWrongly = 0;
        // The parent's store, copied by the fork, fails and closes nothing of the parent's.
        if (AddTps(parent, "copied") != -1 || !Says(parent.GetErrorInfo(), kStartAnew)) refusedWrongly |= 1;
        parent.Close();
        TestStore own(dir);
        own.m_strTempPath = dir.File("child.tarnprj").c_str();
        if (own.Open(path.c_str()) != -1 || !Says(own.GetErrorInfo(), kStartAnew)) refusedWrongly |= 2;
        const std::string refusal = SystemText(ERROR_PROJECT_OPEN_IN_PARENT);
        if (own.New(path.c_str(), 1) != -1 || own.GetErrorInfo() != (refusal + own.m_strTemplatePath.GetString()).c_str())
            refusedWrongly |= 4;
        if (own.New("", 1) != 1 || AddTps(own, "untitled") != 1) refusedWrongly |= 8;
        own.SetFilePath(path.c_str());
        if (own.Save() != -1 || own.GetErrorInfo() != refusal.c_str()) refusedWrongly |= 16;
        // A project the parent did not have open is the child's to use.
        if (own.Open(elsewhere.c_str()) != 1 || AddTps(own, "child") != 1) refusedWrongly |= 32;
        own.Close();
        self.Tell('d');
        self.Await();
        return refusedWrongly;
    });
    ASSERT_EQ(child.Heard(), 'd');
    ASSERT_EQ(AddTps(parent, "after"), 1) << parent.GetErrorInfo().GetString();
    child.Answer();
    EXPECT_EQ(child.Wait(), 0);
    parent.Close();
    EXPECT_EQ(TpsKeys(path), "after,before");
    EXPECT_EQ(TpsKeys(elsewhere), "child");
    EXPECT_EQ(RawQuery(path, "PRAGMA integrity_check")[0][0], "ok");
}

TEST(ForkedChild, AProcessStartedAnewUsesTheProjectsItsParentHasOpen) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    TestStore parent(dir);
    ASSERT_EQ(parent.Open(path.c_str()), 1);
    ASSERT_EQ(AddTps(parent, "parent"), 1);
    EXPECT_TRUE(AddFromAProcessStartedAnew(path, "anew")) << "the process started anew could not add its row";
    ASSERT_EQ(AddTps(parent, "later"), 1);
    parent.Close();
    EXPECT_EQ(TpsKeys(path), "anew,later,parent");
}

TEST(ForkedChild, ChildrenForkedBesideAThreadThatOpensProjectsKeepNoHold) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    std::atomic<bool> stop{false};
    std::thread opener([&] {
        TestStore store(dir);
        while (!stop) {
            store.Open(path.c_str());
            store.Close();
        }
    });
    // Each child waits, doing nothing, until the parent closes the line.
    int line[2];
    ASSERT_EQ(pipe(line), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < 1000; ++i) {
        const pid_t child = fork();
        if (child == 0) {
            close(line[1]);
            char word;
            _exit(read(line[0], &word, 1) == 0 ? 0 : 1);
        }
        if (child > 0) children.push_back(child);
    }
    stop = true;
    opener.join();
    close(line[0]);
    // Every child still lives: none of them may keep the parent's hold.
    TestStore maker(dir);
    EXPECT_EQ(maker.New(path.c_str(), 1), 1) << maker.GetErrorInfo().GetString();
    maker.Close();
    close(line[1]);
    for (pid_t child : children) waitpid(child, nullptr, 0);
    EXPECT_EQ(children.size(), 1000u);
}

// Children forked while another thread works in the engine refuse every
// project operation at once, with the words that say to start anew, and
// never wait on a lock that the thread held at the fork.
TEST(ForkedChild, ChildrenForkedBesideAThreadInTheEngineRefuseProjectWorkAtOnce) {
#ifdef __SANITIZE_ADDRESS__
    // The sanitizer's allocator is not made safe across a fork: a child may
    // wait for good on an allocator lock the thread held, before the library
    // is ever called. The C library's allocator is; the normal build runs this.
    GTEST_SKIP() << "a child forked beside threads cannot allocate under AddressSanitizer";
#endif
    TempDir dir;
    const std::string busy = MakeProject(dir, "busy.tarnprj"), untouched = MakeProject(dir, "free.tarnprj");
    const std::string before = ReadFile(untouched);
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        TestStore store(dir);
        store.Open(busy.c_str());
        for (int i = 0; !stop; ++i) {
            CTaDBTps record;
            AddTps(store, "w" + std::to_string(i));
            store.GetItem_Tps(record, 1, ("w" + std::to_string(i)).c_str());
        }
    });
    const std::string threadsText = SystemText(ERROR_FORKED_BESIDE_THREADS);
    int wrong = 0, hung = 0;
    for (int i = 0; i < 300 && hung == 0; ++i) {
        ChildProcess child([&](ChildProcess&) {
            int refusedWrongly = 0;
            TestStore own(dir);
            if (own.Open(untouched.c_str()) != -1 || !Says(own.GetErrorInfo(), kStartAnew)) refusedWrongly |= 1;
            const std::string made = dir.File("child.tarnprj");
            if (own.New(made.c_str(), 1) != -1 ||
                own.GetErrorInfo() != (threadsText + own.m_strTemplatePath.GetString()).c_str())
                refusedWrongly |= 2;
            CATMLCommonFun files;
            if (files.RemoveFile(untouched.c_str()) != -1) refusedWrongly |= 4;
            return refusedWrongly;
        });
        if (!child.EndsWithin(20)) ++hung;
        else if (child.Wait() != 0) ++wrong;
    }
    stop = true;
    worker.join();
    EXPECT_EQ(hung, 0) << "a child did not answer";
    EXPECT_EQ(wrong, 0) << "a child did not refuse as it should";
    EXPECT_TRUE(ReadFile(untouched) == before);
    EXPECT_FALSE(FileExists(dir.File("child.tarnprj")));
    EXPECT_EQ(RawQuery(busy, "PRAGMA integrity_check")[0][0], "ok");
}

// A thread that forks all the while makes the library open a lock file it
// just made once more, by name, while another process, removing files in
// the same folder, removes lock files as it lets go of them: one gone in
// between is made again, and no New or removal fails for it.
TEST(ForkedChild, AThreadForkingBesideARemoverInTheFolderFailsNoNewOrRemoval) {
    TempDir dir;
    const std::string path = dir.File("p.tarnprj"), stop = dir.File("stop"), own = dir.File("own");
    ChildProcess remover([&](ChildProcess&) {
        int failed = 0;
        for (WriteFile(own, ""); !FileExists(stop); WriteFile(own, ""))
            failed += CATMLCommonFun().RemoveFile(own.c_str()) != 1;
        return failed;
    });
    std::atomic<bool> done{false};
    std::thread forker([&] {
        while (!done) {
            const pid_t child = fork();
            if (child == 0) _exit(0);
            if (child > 0) waitpid(child, nullptr, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));  // leaves the machine to the others
        }
    });
    std::string failures;
    TestStore store(dir);
    CATMLCommonFun files;
    for (int i = 0; i < 500; ++i) {
        if (store.New(path.c_str(), 1) != 1) failures += store.GetErrorInfo().GetString();
        store.Close();
        if (files.RemoveFile(path.c_str()) != 1) failures += files.GetErrorInfo().GetString();
    }
    done = true;
    forker.join();
    WriteFile(stop, "");
    EXPECT_EQ(remover.Wait(), 0) << "removals of the other process failed";
    EXPECT_EQ(failures, "");
}
