#include "platform/win32/Module.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <sys/stat.h>
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

HMODULE LoadLibraryA(const char* path) {
    HMODULE library = path ? dlopen(path, RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (!library) {
        struct stat info;
        SetLastError(path && stat(path, &info) == 0 ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND);
    }
    return library;
}

FARPROC GetProcAddress(HMODULE library, const char* name) {
    void* entry = library && name ? dlsym(library, name) : nullptr;
    if (!entry) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(entry);
}

BOOL FreeLibrary(HMODULE library) {
    if (!library || dlclose(library) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
