// A process started anew (the small host ruri_project_child, by posix_spawn or
// a shell) beside this one, for the tests that a fork cannot stand in for.
#pragma once
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

#include "support/TestFiles.h"

// Whether the host started anew added the TPS row key to the project at path.
inline bool AddFromAProcessStartedAnew(const std::string& path, const char* key) {
    const char* argv[] = {RURI_PROJECT_CHILD, path.c_str(), key, nullptr};
    pid_t child = 0;
    int status = 0;
    return posix_spawn(&child, RURI_PROJECT_CHILD, nullptr, nullptr, const_cast<char**>(argv), environ) == 0 &&
           waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// What Open of the project at path gives in the host started anew under the
// locale (LC_ALL) name, looked for in folder when one is given: "1", or the
// result and the message of a refusal; "<failed>" when the host did not run.
inline std::string OpenedInAProcessStartedAnew(const TempDir& dir, const std::string& path, const std::string& name,
                                               const std::string& folder = "") {
    const std::string out = dir.File("anew.out");
    const std::string command = "LC_ALL='" + name + "' LOCPATH='" + folder + "' '" RURI_PROJECT_CHILD "' '" + path +
                                "' > '" + out + "'";
    return std::system(command.c_str()) == 0 ? ReadFile(out) : std::string("<failed>");
}
