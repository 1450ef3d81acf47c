#include "platform/com/Com.h"

#include <cstring>
#include <pthread.h>
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

// Random bytes are fetched from the system a page at a time. A forked child
// must not hand out the bytes its parent will use, so a fork empties the pool.
struct RandomPool {
    uint8_t bytes[4096];
    size_t used = sizeof bytes;
};
thread_local RandomPool t_pool;
unsigned g_forks = 0;
thread_local unsigned t_poolForks = 0;

void CountFork() { ++g_forks; }

bool TakeRandom(uint8_t* out, size_t size) {
    static const int registered = pthread_atfork(nullptr, nullptr, CountFork);
    (void)registered;
    if (t_poolForks != g_forks) {
        t_pool.used = sizeof t_pool.bytes;
        t_poolForks = g_forks;
    }
    if (t_pool.used + size > sizeof t_pool.bytes) {
        if (!FillRandom(t_pool.bytes, sizeof t_pool.bytes)) return false;
        t_pool.used = 0;
    }
    std::memcpy(out, t_pool.bytes + t_pool.used, size);
    std::memset(t_pool.bytes + t_pool.used, 0, size);  // a value handed out is not kept
    t_pool.used += size;
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
    if (!TakeRandom(bytes, sizeof bytes)) {
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
    static const char kHex[] = "0123456789ABCDEF";
    char* out = buffer;
    auto put = [&out](uint32_t value, int digits) {
        for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) *out++ = kHex[(value >> shift) & 0xF];
    };
    *out++ = '{';
    put(g.Data1, 8);
    *out++ = '-';
    put(g.Data2, 4);
    *out++ = '-';
    put(g.Data3, 4);
    *out++ = '-';
    for (int i = 0; i < 8; ++i) {
        if (i == 2) *out++ = '-';
        put(g.Data4[i], 2);
    }
    *out++ = '}';
    *out = '\0';
    return needed;
}
