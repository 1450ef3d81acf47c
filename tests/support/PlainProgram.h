// A plain SQLite program started anew beside the library's stores, as the
// sqlite3 shell or any other program of the host's machine would run.
#pragma once
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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
