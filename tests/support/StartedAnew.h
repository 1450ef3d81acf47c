// A process started anew (posix_spawn of the small host ruri_project_child)
// beside this one, for the tests that a fork cannot stand in for.
#pragma once
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "support/TestFiles.h"

// Whether the host started anew added the TPS row key to the project at path.
inline bool AddFromAProcessStartedAnew(const std::string& path, const char* key) {
    const char* argv[] = {RURI_PROJECT_CHILD, path.c_str(), key, nullptr};
    pid_t child = 0;
    int status = 0;
    return posix_spawn(&child, RURI_PROJECT_CHILD, nullptr, nullptr, const_cast<char**>(argv), environ) == 0 &&
           waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// What Open of the project at path gives in a host started anew under the
// locale (LC_ALL) name, looked for in folder when one is given: "1", or the
// result and the message of a refusal; "<failed>" when the host could not run.
inline std::string OpenedInAProcessStartedAnew(const TempDir& dir, const std::string& path, const std::string& name,
                                               const std::string& folder = "") {
    std::vector<std::string> settings{"LC_ALL=" + name};
    if (!folder.empty()) settings.push_back("LOCPATH=" + folder);
    std::vector<char*> environment;
    for (std::string& setting : settings) environment.push_back(&setting[0]);
    for (char** setting = environ; *setting; ++setting) {
        const std::string text = *setting;
        if (text.rfind("LC_ALL=", 0) != 0 && text.rfind("LOCPATH=", 0) != 0) environment.push_back(*setting);
    }
    environment.push_back(nullptr);
    const std::string out = dir.File("anew.out");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const char* argv[] = {RURI_PROJECT_CHILD, path.c_str(), nullptr};
    pid_t child = 0;
    int status = 0;
    const bool ran = posix_spawn(&child, RURI_PROJECT_CHILD, &actions, nullptr, const_cast<char**>(argv),
                                 environment.data()) == 0 &&
                     waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return ran ? ReadFile(out) : std::string("<failed>");
}
