// A component for the registration tests. Its entry points note their name in
// the environment variable RURI_COMPONENT_ENTERED and return
// COMPONENT_RESULT; built WITHOUT_ENTRY_POINTS it exports neither.
#include <cstdint>
#include <cstdlib>

#ifndef WITHOUT_ENTRY_POINTS
namespace {
int32_t Enter(const char* name) {
    setenv("RURI_COMPONENT_ENTERED", name, 1);
    return COMPONENT_RESULT;
}
}  // namespace

extern "C" int32_t DllRegisterServer() { return Enter("DllRegisterServer"); }
extern "C" int32_t DllUnregisterServer() { return Enter("DllUnregisterServer"); }
#else
extern "C" int32_t ComponentWithoutEntryPoints() { return 0; }
#endif
