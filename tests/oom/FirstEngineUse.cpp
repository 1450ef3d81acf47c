#include "oom/FirstEngineUse.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"
#include "oom/FailingAllocations.h"

namespace firstuse {
namespace {
// The call asked for, on a store made before the engine is first used.
int Call(CTaDBTDDataSingle& store, const std::string& call, const char* path) {
    if (call == "open") return store.Open(path);
    if (call == "new") return store.New(path, 1);
    return sqlite3_initialize() == SQLITE_OK ? 1 : -1;
}
}  // namespace

int RunCall(int argc, char** argv) {
    if (argc != 6) return 2;
    const std::string call = argv[2];
    const long nth = std::atol(argv[3]);
    CTaDBTDDataSingle store;
    failing::Arm(nth, false, failing::Counting::Engine);
    const int result = Call(store, call, argv[4]);
    const bool fired = failing::Fired();
    const long counted = failing::Disarm();
    const std::string message = store.GetErrorInfo().GetString();
    const int next = Call(store, call, argv[4]);
    store.Close();
    std::ofstream report(argv[5]);
    report << result << "\n" << fired << "\n" << counted << "\n" << next << "\n" << message;
    return report.good() ? 0 : 3;
}

Report Run(const std::string& call, long nth, const std::string& path, const std::string& report) {
    std::remove(report.c_str());
    const std::string n = std::to_string(nth);
    const char* argv[] = {"/proc/self/exe", kFirstUseArgument, call.c_str(), n.c_str(), path.c_str(), report.c_str(),
                          nullptr};
    Report read;
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0 ||
        waitpid(child, &status, 0) != child)
        return read;
    read.exited = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::ifstream in(report);
    in >> read.result >> read.fired >> read.counted >> read.next;
    in.ignore(1);
    std::getline(in, read.message, '\0');
    return read;
}

}  // namespace firstuse
