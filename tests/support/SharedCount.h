// A count and a stop flag in memory that the test shares with the children
// it forks: a writer counts there what it was told it wrote, and the test
// tells it there to stop.
#pragma once
#include <atomic>
#include <new>
#include <sys/mman.h>

class SharedCount {
public:
    SharedCount() {
        void* memory = mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        m_shared = memory == MAP_FAILED ? nullptr : new (memory) Shared;
    }
    ~SharedCount() {
        if (m_shared) munmap(m_shared, sizeof(Shared));
    }
    SharedCount(const SharedCount&) = delete;
    SharedCount& operator=(const SharedCount&) = delete;

    bool Made() const { return m_shared != nullptr; }
    std::atomic<int>& Count() { return m_shared->count; }
    std::atomic<bool>& Stop() { return m_shared->stop; }

private:
    struct Shared {
        std::atomic<int> count{0};
        std::atomic<bool> stop{false};
    };
    Shared* m_shared = nullptr;
};
