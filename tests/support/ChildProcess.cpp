#include "support/ChildProcess.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "support/TestStore.h"

ChildProcess::ChildProcess(const std::function<int(ChildProcess&)>& body) {
    // A program run anew in a child keeps the pipes of no other child.
    if (pipe2(m_toParent, O_CLOEXEC) != 0 || pipe2(m_toChild, O_CLOEXEC) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
        close(m_toParent[0]);
        close(m_toChild[1]);
        _exit(body(*this));
    }
    close(m_toParent[1]);
    close(m_toChild[0]);
}

ChildProcess::~ChildProcess() {
    Wait();
    close(m_toParent[0]);
}

void ChildProcess::Tell(char word) {
    if (write(m_toParent[1], &word, 1) != 1) _exit(120);
}

char ChildProcess::Await() {
    char word = 0;
    return read(m_toChild[0], &word, 1) == 1 ? word : 0;
}

int ChildProcess::ExecAnew(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    if (dup2(m_toChild[0], 0) < 0 || dup2(m_toParent[1], 1) < 0) return 126;
    execv(args[0], args.data());
    return 127;
}

char ChildProcess::Heard() {
    char word = 0;
    return read(m_toParent[0], &word, 1) == 1 ? word : 0;
}

void ChildProcess::Answer(char word) {
    if (m_toChild[1] >= 0 && write(m_toChild[1], &word, 1) != 1) return;
}

int ChildProcess::Wait() {
    if (m_toChild[1] >= 0) close(m_toChild[1]);  // a child still waiting for a word goes on
    m_toChild[1] = -1;
    Reap(0);
    return m_exit;
}

bool ChildProcess::Ended() { return Reap(WNOHANG); }

bool ChildProcess::EndsWithin(int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!Ended()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(m_pid, SIGKILL);
            Reap(0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool ChildProcess::Reap(int options) {
    if (m_pid <= 0) return true;
    int status = 0;
    const pid_t got = waitpid(m_pid, &status, options);
    if (got == 0) return false;
    m_pid = -1;
    m_exit = got > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

ChildProcess* HoldingChild(const TempDir& dir, const std::string& path) {
    return new ChildProcess([&dir, path](ChildProcess& self) {
        TestStore store(dir);
        self.Tell(store.Open(path.c_str()) == 1 && AddTps(store, "child") == 1 ? 'y' : 'n');
        self.Await();
        store.Close();
        return 0;
    });
}
