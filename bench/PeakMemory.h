// The memory a piece of work takes at its peak: the work runs once in a
// forked child, whose peak resident size is set back to its present size
// first (free heap given back to the system beforehand, so that work reusing
// it is counted too); what the peak then grew by is read back.
#pragma once
#include <fstream>
#include <functional>
#include <malloc.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// A size in kilobytes from this process's status ("VmHWM", "VmRSS").
inline long StatusKilobytes(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, name.size() + 1, name + ":") == 0) return std::stol(line.substr(name.size() + 1));
    return -1;
}

// Megabytes that work's peak takes beyond what the process held before; -1
// when it cannot be told.
inline double PeakMegabytes(const std::function<void()>& work) {
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(pipe_ends[0]);
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = StatusKilobytes("VmHWM");
        work();
        const long grown = StatusKilobytes("VmHWM") - before;
        const bool written = write(pipe_ends[1], &grown, sizeof grown) == sizeof grown;
        _exit(written ? 0 : 1);
    }
    close(pipe_ends[1]);
    long grown = -1024;
    if (child < 0 || read(pipe_ends[0], &grown, sizeof grown) != sizeof grown) grown = -1024;
    close(pipe_ends[0]);
    if (child > 0) waitpid(child, nullptr, 0);
    return grown / 1024.0;
}
