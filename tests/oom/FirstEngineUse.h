// A library call that is its process's first use of the engine, so that
// the engine's own setup runs inside it: this program started anew with
// kFirstUseArgument runs the call there and writes what it answered to a
// report file, which the test reads once the process has ended.
#pragma once
#include <string>

namespace firstuse {

const char kFirstUseArgument[] = "--first-engine-use";

// In the process started anew: argv holds the argument, the call ("setup",
// "open" or "new"), the engine allocation to fail (counted from 1), the
// project's path and the report's path. The exit code.
int RunCall(int argc, char** argv);

// What the process started anew reports.
struct Report {
    bool exited = false;  // it ended by itself (a crash ends it by a signal)
    int result = 0;       // the call's answer
    std::string message;  // the store's error text after the call
    bool fired = false;   // the engine allocation named did fail
    long counted = 0;     // how many engine allocations the call made
    int next = 0;         // the answer of the same call made again, memory back
};

// Starts this program anew to run call on the project at path, the nth
// engine allocation failing (LONG_MAX: none), and reads its report, kept
// at report.
Report Run(const std::string& call, long nth, const std::string& path, const std::string& report);

}  // namespace firstuse
