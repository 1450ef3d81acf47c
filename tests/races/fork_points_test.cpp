// A child forked from one thread while another thread is at each point of
// an Open, a Close, a New or a removal keeps none of its parent's locks and
// closes no descriptor but the library's; a child of a process that could
// not count its threads refuses project work.
#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <atomic>
#include <filesystem>
#include <functional>
#include <pthread.h>
#include <future>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/win32/File.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"
#include "platform/win32/ScratchFile.h"
#include "races/FileCalls.h"
#include "support/ChildProcess.h"
#include "support/TestStore.h"

namespace {
using filecalls::Call;

// Set as this process prepares to fork, before the library prepares: a
// library close in flight makes the fork wait for it, so a point paused
// inside one goes on. Watched from the first test on, after the library's
// own handlers are in place.
std::atomic<bool> g_forking{false};
void WatchForks() {
    static const int watching = pthread_atfork([] { g_forking = true; }, nullptr, nullptr);
    (void)watching;
}
// What another thread's work leaves open (a store) until the child has looked.
using Kept = std::shared_ptr<void>;

// Whether a descriptor of this process carries a lock of its open file
// description (a hold's or a folder's), as the kernel lists them. It
// allocates nothing: a child forked beside a thread calls it.
bool KeepsALock() {
    char name[64], text[4096];
    for (int fd = 0; fd < 1024; ++fd) {
        snprintf(name, sizeof name, "/proc/self/fdinfo/%d", fd);
        const int info = open(name, O_RDONLY | O_CLOEXEC);
        if (info < 0) continue;
        const ssize_t got = read(info, text, sizeof text);
        close(info);
        if (got > 0 && memmem(text, static_cast<size_t>(got), "lock:", 5)) return true;
    }
    return false;
}

Kept Open(const TempDir& dir, const std::string& project) {
    auto store = std::make_shared<TestStore>(dir);
    store->Open(project.c_str());
    return store;
}

Kept New(const TempDir& dir, const std::string& project) {
    auto store = std::make_shared<TestStore>(dir);
    store->New(project.c_str(), 1);
    return store;
}

// A point of another thread's work on the project at path: the call it
// stops after, on which file, and the work.
const struct {
    const char* where;
    Call call;
    std::function<std::string(const std::string& path)> file;
    std::function<Kept(const TempDir&, const std::string& path)> work;
} kPoints[] = {
    {"an Open, after it opened the file", Call::Open, [](const std::string& p) { return p; }, Open},
    {"an Open, after it locked the file", Call::Lock, [](const std::string& p) { return p; }, Open},
    {"a Close, after it closed the hold's descriptor", Call::Close, [](const std::string& p) { return p; },
     [](const TempDir&, const std::string& p) {
         fileshare::Hold hold;
         hold.Share(p, 0, fileshare::Use::Project);
         hold.Release();
         return Kept();
     }},
    {"a Close, while it holds the file whole to close the hold's descriptor", Call::LockWhole,
     [](const std::string& p) { return p; },
     [](const TempDir& dir, const std::string& p) {
         Open(dir, p).reset();
         return Kept();
     }},
    {"a New, while it has the folder locked", Call::Lock,
     [](const std::string& p) { return FolderOf(p) + "/" + kLockFileName; }, New},
    {"a New, after it locked its scratch file", Call::Lock,
     [](const std::string& p) {
         std::string slot = ScratchPattern(p);
         return slot.replace(slot.size() - 6, 6, "000000");
     },
     New},
    {"a removal, after it locked the project", Call::Lock, [](const std::string& p) { return p; },
     [](const TempDir&, const std::string& p) {
         DeleteFileA(p.c_str());
         return Kept();
     }},
};
}  // namespace

TEST(ForkPoints, AChildForkedAtAnyPointOfAnotherThreadsWorkKeepsNoLockAndClosesOnlyTheLibrarysDescriptors) {
    WatchForks();
    for (const auto& point : kPoints) {
        SCOPED_TRACE(point.where);
        TempDir dir;
        const std::string path = std::filesystem::canonical(MakeProject(dir, "p.tarnprj")).string();
        std::promise<int> reached;
        std::promise<void> goOn;
        std::shared_future<void> going = goOn.get_future().share();
        g_forking = false;
        filecalls::StopAt(point.call, true, point.file(path), [&reached, going](int fd) {
            reached.set_value(fd);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            while (going.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready && !g_forking &&
                   std::chrono::steady_clock::now() < deadline) {
            }
        });
        Kept kept;
        std::thread other([&] { kept = point.work(dir, path); });
        std::future<int> at = reached.get_future();
        const bool there = at.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
        EXPECT_TRUE(there) << "the other thread never reached the point";
        const int fd = there ? at.get() : -1;
        // A host's own descriptor takes the number a close just gave up.
        int host[2];
        ASSERT_EQ(pipe(host), 0);
        const bool reused = there && point.call == Call::Close && dup2(host[0], fd) == fd;
        ChildProcess child([&](ChildProcess& self) {
            char verdict = KeepsALock() ? 1 : 0;
            if (reused && fcntl(fd, F_GETFD) < 0) verdict |= 2;
            // Once the parent's work has ended, with what it opened still
            // open, a lock the parent took on a copy the child has shows.
            if (self.Await() && KeepsALock()) verdict |= 4;
            self.Tell(verdict);
            return 0;
        });
        goOn.set_value();
        other.join();
        child.Answer();
        EXPECT_EQ(child.Heard(), 0) << "1: the child kept a lock of its parent's at the fork; 2: it closed a "
                                       "descriptor of the host's; 4: it kept one taken after the fork";
        EXPECT_EQ(child.Wait(), 0);
        kept.reset();
        for (int end : {host[0], host[1], reused ? fd : -1}) close(end);
    }
}

// A process with no descriptor left cannot read how many threads it has:
// it counts as having more than one, and its child, forked beside a
// running thread, refuses project work before the engine is called.
TEST(ForkPoints, AChildOfAProcessThatCannotCountItsThreadsRefusesProjectWork) {
    TempDir dir;
    const std::string project = MakeProject(dir, "p.tarnprj");
    ChildProcess host([&](ChildProcess&) {
        int line[2];
        if (pipe(line) != 0) return 2;
        std::thread waiting([&] {
            char word = 0;
            if (read(line[0], &word, 1) != 1) return;
        });
        struct rlimit limit = {};
        getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = 64;
        setrlimit(RLIMIT_NOFILE, &limit);
        std::vector<int> fillers;
        fillers.reserve(64);
        for (int filler; (filler = dup(line[0])) >= 0;) fillers.push_back(filler);
        const pid_t child = fork();
        if (child == 0) {
            for (size_t i = 0; i < 8 && i < fillers.size(); ++i) close(fillers[fillers.size() - 1 - i]);  // room to work
            TestStore own(dir);
            const bool refused = own.Open(project.c_str()) == -1 &&
                                 std::string(own.GetErrorInfo()).find("start the process anew") != std::string::npos;
            _exit(refused ? 0 : 1);
        }
        for (int filler : fillers) close(filler);
        if (write(line[1], "x", 1) != 1) return 3;
        waiting.join();
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 4;
        return WEXITSTATUS(status);
    });
    EXPECT_EQ(host.Wait(), 0) << "1: the child of a process that could not count its threads opened a project";
}
