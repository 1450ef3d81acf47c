#include "platform/win32/Module.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/win32/LastError.h"

namespace {
// The running program's file, as the system links it.
bool ProgramFileName(std::string& name) {
    char path[4096];
    ssize_t got = readlink("/proc/self/exe", path, sizeof path - 1);
    if (got <= 0) return false;
    name.assign(path, static_cast<size_t>(got));
    return true;
}

// The module that holds address, and its file name made absolute against
// the present working folder. The loader names a library as it was found
// (relative when found through a relative folder) and the program as it
// was started; the program's name comes from the system instead.
bool LocateModule(const void* address, HMODULE& base, std::string& name) {
    Dl_info info;
    link_map* map = nullptr;
    if (dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 || !info.dli_fname) return false;
    base = info.dli_fbase;
    if (map && map->l_name && !*map->l_name) return ProgramFileName(name);
    name = info.dli_fname;
    if (name.empty() || name[0] == '/') return true;
    char folder[4096];
    if (!getcwd(folder, sizeof folder)) return true;
    while (name.compare(0, 2, "./") == 0) name.erase(0, 2);
    name = std::string(folder) + (folder[1] ? "/" : "") + name;
    return true;
}

// This module's own file, found when it is loaded, before a host can
// change its working folder.
struct OwnModule {
    HMODULE base = nullptr;
    std::string name;
};

OwnModule FindOwnModule() {
    OwnModule own;
    if (!LocateModule(reinterpret_cast<const void*>(&FindOwnModule), own.base, own.name)) own = OwnModule();
    return own;
}

const OwnModule g_ownModule = FindOwnModule();
}  // namespace

HMODULE ModuleOfAddress(const void* address) {
    Dl_info info;
    if (!address || dladdr(address, &info) == 0) return nullptr;
    return info.dli_fbase;
}

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
    std::string name;
    HMODULE base = nullptr;
    if (!module) {
        if (!ProgramFileName(name)) {
            SetLastErrorFromErrno(errno, nullptr);
            return 0;
        }
    } else if (module == g_ownModule.base) {
        name = g_ownModule.name;
    } else if (!LocateModule(module, base, name) || base != module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
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
