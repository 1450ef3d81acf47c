#include "ATMLViewLayer/TaDB/RuriDAriRAZudidarUri/RuriDAriRAZudidarUri.h"

#include "platform/mfc/AfxTrace.h"
#include "platform/win32/Module.h"

HINSTANCE g_hInstance = nullptr;

extern "C" int DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        TRACE("%s", "RURIDARIRAZUDIDARURI.DLL Initializing!\n");
        g_hInstance = instance;
    } else if (reason == DLL_PROCESS_DETACH) {
        TRACE("%s", "RURIDARIRAZUDIDARURI.DLL Terminating!\n");
    }
    return 1;
}

namespace {
__attribute__((constructor)) void LibraryLoaded() {
    DllMain(ModuleOfAddress(reinterpret_cast<const void*>(&DllMain)), DLL_PROCESS_ATTACH, nullptr);
}

__attribute__((destructor)) void LibraryUnloaded() { DllMain(g_hInstance, DLL_PROCESS_DETACH, nullptr); }
}  // namespace
