#include "platform/ado/DeadlineWatch.h"

#include <condition_variable>
#include <csignal>
#include <cstring>
#include <mutex>
#include <sched.h>
#include <sqlite3.h>
#include <unistd.h>

#include "platform/ado/ComError.h"
#include "platform/win32/FileHold.h"

namespace ado {

namespace {
// The thread waits and interrupts, no more: a small stack does.
constexpr size_t kStackBytes = 256 * 1024;

// Whether no statement of db but own is running (stepped, neither done nor reset).
bool RunsAlone(sqlite3* db, sqlite3_stmt* own) {
    for (sqlite3_stmt* other = sqlite3_next_stmt(db, nullptr); other; other = sqlite3_next_stmt(db, other))
        if (other != own && sqlite3_stmt_busy(other)) return false;
    return true;
}
}  // namespace

struct DeadlineWatch::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    bool inFlight = false;     // a step of the run is in the engine
    bool interrupted = false;  // the thread interrupted that step
    bool stopping = false;
};

DeadlineWatch::DeadlineWatch() = default;

DeadlineWatch::~DeadlineWatch() { Stop(); }

void DeadlineWatch::Start(sqlite3* db, sqlite3_stmt* statement, Clock::time_point deadline) {
    Stop();
    m_expired = false;
    if (!RunsAlone(db, statement)) return;
    if (!m_shared) m_shared = std::make_unique<Shared>();
    m_shared->inFlight = m_shared->interrupted = m_shared->stopping = false;
    m_db = db;
    m_deadline = deadline;
    // The thread takes none of the host's signals.
    sigset_t all, kept;
    sigfillset(&all);
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, kStackBytes);
    pthread_sigmask(SIG_SETMASK, &all, &kept);
    const int rc = pthread_create(&m_thread, &attributes, &DeadlineWatch::Run, this);
    pthread_sigmask(SIG_SETMASK, &kept, nullptr);
    pthread_attr_destroy(&attributes);
    if (rc != 0)
        throw ComError(ComError::kError,
                       std::string("No thread could be started to hold the statement to its time limit: ") +
                           std::strerror(rc));
    m_started = true;
    m_forks = fileshare::ForkCount();
}

void* DeadlineWatch::Run(void* self) {
    static_cast<DeadlineWatch*>(self)->Watch();
    return nullptr;
}

// Past the deadline a step in flight is interrupted; one that begins later
// is refused by BeginStep, so the thread is done either way.
void DeadlineWatch::Watch() noexcept {
    m_tid = gettid();
    Shared& shared = *m_shared;
    std::unique_lock<std::mutex> lock(shared.mutex);
    if (shared.wake.wait_until(lock, m_deadline, [&] { return shared.stopping; })) return;
    if (shared.inFlight) {
        sqlite3_interrupt(m_db);
        shared.interrupted = true;
    }
}

bool DeadlineWatch::BeginStep() {
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (Clock::now() >= m_deadline) return false;
    m_shared->inFlight = true;
    return true;
}

int DeadlineWatch::EndStep(int rc) {
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->inFlight = false;
    return m_shared->interrupted ? PastDeadline() : rc;
}

int DeadlineWatch::PastDeadline() {
    m_expired = true;
    return SQLITE_INTERRUPT;
}

void DeadlineWatch::Stop() noexcept {
    if (!m_started) return;
    m_started = false;
    if (m_forks != fileshare::ForkCount()) {
        static_cast<void>(m_shared.release());
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->stopping = true;
    }
    m_shared->wake.notify_one();
    pthread_join(m_thread, nullptr);
    // The kernel counts a joined thread among the process's until it has
    // released it, a moment after the join: a fork then would be taken for
    // one beside another thread, whose child may not call the engine.
    while (tgkill(getpid(), m_tid, 0) == 0) sched_yield();
}

}  // namespace ado
