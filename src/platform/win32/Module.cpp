#include "platform/win32/Module.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

#include "platform/win32/LastError.h"

HMODULE ModuleOfAddress(const void* address) {
    Dl_info info;
    if (!address || dladdr(address, &info) == 0) return nullptr;
    return info.dli_fbase;
}

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
    std::string name;
    if (!module) {
        char path[4096];
        ssize_t got = readlink("/proc/self/exe", path, sizeof path - 1);
        if (got <= 0) {
            SetLastErrorFromErrno(errno, nullptr);
            return 0;
        }
        name.assign(path, static_cast<size_t>(got));
    } else {
        Dl_info info;
        if (dladdr(module, &info) == 0 || info.dli_fbase != module || !info.dli_fname) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return 0;
        }
        name = info.dli_fname;
    }
    if (!buffer || size == 0) return 0;
    DWORD length = static_cast<DWORD>(name.size() < size ? name.size() : size - 1);
    std::memcpy(buffer, name.data(), length);
    buffer[length] = '\0';
    return length;
}
