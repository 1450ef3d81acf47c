// A forked child for tests of several processes: it runs a body, may tell
// the parent a word (one byte) and wait for the parent's word, and ends
// with the body's result as its exit code. The parent reads the child's
// words, answers, and collects the exit code.
#pragma once
#include <functional>
#include <string>
#include <vector>

class TempDir;

class ChildProcess {
public:
    explicit ChildProcess(const std::function<int(ChildProcess&)>& body);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // In the child: tells the parent a word, or waits for the parent's.
    void Tell(char word);
    char Await();
    // In the child: runs the program at argv[0] anew (exec) in its place,
    // with the words to it as its standard input and the words from it as
    // its standard output; what exec gives where it fails.
    int ExecAnew(const std::vector<std::string>& argv);
    // In the parent: the child's next word (0 when it ended without one),
    // and the answer to it.
    char Heard();
    void Answer(char word = 'g');
    // In the parent: the child's exit code (once it ended), or -1 when it did not exit.
    int Wait();
    // In the parent: whether the child has ended, without waiting for it.
    bool Ended();
    // In the parent: the child's process id, to signal it.
    int Pid() const { return m_pid; }
    // In the parent: whether the child ends within seconds; one that has not
    // is killed then (Wait gives -1).
    bool EndsWithin(int seconds);

private:
    // Collects the child's exit code once it ended; false when, not
    // waiting (WNOHANG), it still runs.
    bool Reap(int options);

    int m_pid = -1;
    int m_exit = -1;
    int m_toParent[2] = {-1, -1};
    int m_toChild[2] = {-1, -1};
};

// A child that opens the project at path with a store of its own, adds the
// TPS row "child", tells 'y' (or 'n' when it could not), and holds the
// project until the parent waits for it.
ChildProcess* HoldingChild(const TempDir& dir, const std::string& path);
