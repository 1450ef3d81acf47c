// A plain SQLite program started anew beside the library's stores, as the
// sqlite3 shell or any other program of the host's machine would run.
#pragma once
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// A plain SQLite program started anew (ruri_plain_sql) that runs sql on the
// database at path, waiting up to busyMs for another's lock; Wait gives
// whether it ran every statement.
class PlainProgram {
public:
    PlainProgram(const std::string& path, const std::string& sql, int busyMs = 10000) {
        const std::string busy = std::to_string(busyMs);
        const char* argv[] = {RURI_PLAIN_SQL, path.c_str(), sql.c_str(), busy.c_str(), nullptr};
        if (posix_spawn(&m_pid, RURI_PLAIN_SQL, nullptr, nullptr, const_cast<char**>(argv), environ) != 0) m_pid = -1;
    }
    ~PlainProgram() { Wait(); }
    PlainProgram(const PlainProgram&) = delete;
    PlainProgram& operator=(const PlainProgram&) = delete;

    // Whether it still runs, waiting for no more than a look.
    bool Running() {
        if (m_pid <= 0) return false;
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) != m_pid) return true;
        m_ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        m_pid = 0;
        return false;
    }
    bool Wait() {
        int status = 0;
        if (m_pid > 0 && waitpid(m_pid, &status, 0) == m_pid) m_ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        m_pid = 0;
        return m_ok;
    }

private:
    pid_t m_pid = -1;
    bool m_ok = false;
};

// Whether a plain SQLite program started anew ran sql on the database at path.
inline bool PlainSqlInAProcessStartedAnew(const std::string& path, const std::string& sql) {
    return PlainProgram(path, sql).Wait();
}

// A plain SQLite program started anew (ruri_keeping_sql) that keeps the
// databases at paths open, sql run on each (a transaction it begins stays
// open), until it is destroyed.
class KeepingProgram {
public:
    KeepingProgram(const std::string& sql, const std::vector<std::string>& paths) {
        std::vector<const char*> argv = {RURI_KEEPING_SQL, sql.c_str()};
        for (const std::string& path : paths) argv.push_back(path.c_str());
        argv.push_back(nullptr);
        int toChild[2], fromChild[2];
        if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
        if (posix_spawn(&m_pid, RURI_KEEPING_SQL, &actions, nullptr, const_cast<char**>(argv.data()), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(toChild[0]);
        close(fromChild[1]);
        m_toChild = toChild[1];
        m_fromChild = fromChild[0];
    }
    ~KeepingProgram() {
        close(m_toChild);
        close(m_fromChild);
        if (m_pid > 0) waitpid(m_pid, nullptr, 0);
    }
    KeepingProgram(const KeepingProgram&) = delete;
    KeepingProgram& operator=(const KeepingProgram&) = delete;

    // Whether it has every database open, the statements run on each.
    bool Keeps() {
        char word = 0;
        return read(m_fromChild, &word, 1) == 1 && word == 'y';
    }

private:
    pid_t m_pid = -1;
    int m_toChild = -1, m_fromChild = -1;
};
