#include "platform/com/Com.h"

#include <cstdio>
#include <cstring>
#include <random>
#include <sys/random.h>

namespace {
thread_local int t_initCount = 0;

bool FillRandom(uint8_t* bytes, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t got = getrandom(bytes + done, size - done, 0);
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}
}  // namespace

HRESULT CoInitialize(void*) { return t_initCount++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize() {
    if (t_initCount > 0) --t_initCount;
}

int CoInitializeCount() { return t_initCount; }

HRESULT CoCreateGuid(GUID* guid) {
    if (!guid) return E_FAIL;
    uint8_t bytes[16];
    if (!FillRandom(bytes, sizeof bytes)) {
        // The system's source failed: fall back to the library's generator so
        // callers still get a usable, distinct key.
        static thread_local std::mt19937_64 engine{std::random_device{}()};
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(engine());
    }
    std::memcpy(&guid->Data1, bytes, 4);
    std::memcpy(&guid->Data2, bytes + 4, 2);
    std::memcpy(&guid->Data3, bytes + 6, 2);
    std::memcpy(guid->Data4, bytes + 8, 8);
    guid->Data3 = static_cast<uint16_t>((guid->Data3 & 0x0FFF) | 0x4000);     // version 4
    guid->Data4[0] = static_cast<uint8_t>((guid->Data4[0] & 0x3F) | 0x80);  // RFC 4122 variant
    return S_OK;
}

int StringFromGUID2(const GUID& g, char* buffer, int size) {
    const int needed = 39;
    if (!buffer || size < needed) return 0;
    std::snprintf(buffer, static_cast<size_t>(size), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), static_cast<unsigned>(g.Data2), static_cast<unsigned>(g.Data3),
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return needed;
}
