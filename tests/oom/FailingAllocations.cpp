#include "oom/FailingAllocations.h"

#include <cstdlib>
#include <new>
#include <sqlite3.h>

namespace {
// The calling thread's hook; plain values, so they are ready before any
// constructor runs.
thread_local bool t_armed = false;
thread_local bool t_sticky = false;
thread_local bool t_engineOnly = false;
thread_local bool t_fired = false;
thread_local long t_nth = 0;
thread_local long t_counted = 0;

bool FailThisOne(bool engine) {
    if (!t_armed || (t_engineOnly && !engine)) return false;
    ++t_counted;
    if (t_fired && t_sticky) return true;
    if (t_counted != t_nth) return false;
    t_fired = true;
    return true;
}

void* Allocate(std::size_t size) {
    if (FailThisOne(false)) return nullptr;
    return std::malloc(size ? size : 1);
}

void* AllocateAligned(std::size_t size, std::align_val_t align) {
    if (FailThisOne(false)) return nullptr;
    void* p = nullptr;
    const std::size_t alignment = static_cast<std::size_t>(align);
    return posix_memalign(&p, alignment < sizeof(void*) ? sizeof(void*) : alignment, size ? size : 1) == 0 ? p
                                                                                                            : nullptr;
}

void* Throwing(void* p) {
    if (!p) throw std::bad_alloc();
    return p;
}

sqlite3_mem_methods g_engine;

void* EngineMalloc(int size) { return FailThisOne(true) ? nullptr : g_engine.xMalloc(size); }
void* EngineRealloc(void* p, int size) { return FailThisOne(true) ? nullptr : g_engine.xRealloc(p, size); }
}  // namespace

namespace failing {

bool RouteEngineAllocations() {
    if (sqlite3_config(SQLITE_CONFIG_GETMALLOC, &g_engine) != SQLITE_OK) return false;
    sqlite3_mem_methods routed = g_engine;
    routed.xMalloc = EngineMalloc;
    routed.xRealloc = EngineRealloc;
    return sqlite3_config(SQLITE_CONFIG_MALLOC, &routed) == SQLITE_OK;
}

void Arm(long nth, bool sticky, Counting counting) {
    t_nth = nth;
    t_sticky = sticky;
    t_engineOnly = counting == Counting::Engine;
    t_fired = false;
    t_counted = 0;
    t_armed = true;
}

long Disarm() {
    t_armed = false;
    return t_counted;
}

bool Fired() { return t_fired; }

long Counted() { return t_counted; }

}  // namespace failing

void* operator new(std::size_t size) { return Throwing(Allocate(size)); }
void* operator new[](std::size_t size) { return Throwing(Allocate(size)); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t align) { return Throwing(AllocateAligned(size, align)); }
void* operator new[](std::size_t size, std::align_val_t align) { return Throwing(AllocateAligned(size, align)); }
void* operator new(std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, align);
}
void* operator new[](std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, align);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
