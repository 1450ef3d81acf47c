// A thread that interrupts a statement still stepping at its deadline
// (internal to the database layer). The engine counts a table's rows
// (SELECT count(*) FROM T) in one instruction that calls no progress
// handler however long it walks the b-tree, a looped one without end; only
// the engine's interrupt, made from another thread, stops it.
//
// The interrupt acts on the whole connection: it stops every statement
// running there, and stays set until none runs. So a watch starts only
// when its statement's run is the only one on the connection, interrupts
// only while a step of that run is in flight, and a step it interrupted,
// or that came back as it landed, ends the run as past its deadline: once
// the statement is reset nothing runs, and the engine clears the interrupt
// as the next statement begins.
//
// The thread lives from the run's first step until the run ends, and once
// Stop returns it is gone, from the kernel's count of the process's threads
// too: a child forked while another thread runs may not call the engine, so
// no thread of the library outlives a call.
#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <pthread.h>

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

class DeadlineWatch {
public:
    using Clock = std::chrono::steady_clock;

    DeadlineWatch();
    ~DeadlineWatch();
    DeadlineWatch(const DeadlineWatch&) = delete;
    DeadlineWatch& operator=(const DeadlineWatch&) = delete;

    // Watches the run of statement on db, which begins, until deadline;
    // not while another statement of db runs, which the interrupt would
    // stop too. Raises a ComError when no thread can be started.
    void Start(sqlite3* db, sqlite3_stmt* statement, Clock::time_point deadline);
    // Makes one step of the run: the engine's code that step() gives, or
    // SQLITE_INTERRUPT once the run is past its deadline (Expired).
    template <class EngineStep>
    int Step(EngineStep&& step) {
        if (!m_started) return step();
        if (!BeginStep()) return PastDeadline();
        return EndStep(step());
    }
    // Whether the watched run went past its deadline.
    bool Expired() const { return m_expired; }
    // Ends the watch of the run and its thread; in a child forked
    // meanwhile, where the thread is not, it leaves what they shared alone.
    void Stop() noexcept;

private:
    struct Shared;
    static void* Run(void* self);
    void Watch() noexcept;
    bool BeginStep();
    int EndStep(int rc);
    int PastDeadline();

    sqlite3* m_db = nullptr;
    Clock::time_point m_deadline;
    // What the two threads share; a child forked while the thread waited
    // on it keeps it for good, as its wait would never end there.
    std::unique_ptr<Shared> m_shared;
    pthread_t m_thread{};
    bool m_started = false;
    uint64_t m_forks = 0;  // the process's fork count at the start
    bool m_expired = false;
    int m_tid = 0;  // the thread's, which it writes before it watches
};

}  // namespace ado
