// A process started anew (posix_spawn of the small host ruri_project_child)
// beside this one, for the tests that a fork cannot stand in for.
#pragma once
#include <spawn.h>
#include <string>
#include <sys/wait.h>

// Whether the host started anew added the TPS row key to the project at path.
inline bool AddFromAProcessStartedAnew(const std::string& path, const char* key) {
    const char* argv[] = {RURI_PROJECT_CHILD, path.c_str(), key, nullptr};
    pid_t child = 0;
    int status = 0;
    return posix_spawn(&child, RURI_PROJECT_CHILD, nullptr, nullptr, const_cast<char**>(argv), environ) == 0 &&
           waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
