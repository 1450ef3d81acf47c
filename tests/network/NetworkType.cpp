#include "network/NetworkType.h"

#include <climits>
#include <cstdlib>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
std::string g_folder;  // its real path and a "/"; empty for none
long g_type = 0;
}  // namespace

void networktype::SeeFolderAs(const std::string& folder, long type) {
    char real[PATH_MAX];
    g_folder = !folder.empty() && realpath(folder.c_str(), real) ? std::string(real) + "/" : std::string();
    g_type = type;
}

extern "C" int statfs(const char* path, struct statfs* info) {
    const int result = static_cast<int>(syscall(SYS_statfs, path, info));
    if (result == 0 && !g_folder.empty() && std::string(path).rfind(g_folder, 0) == 0) info->f_type = g_type;
    return result;
}
