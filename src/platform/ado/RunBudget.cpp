#include "platform/ado/RunBudget.h"

#include <sqlite3.h>

#include "platform/ado/ComError.h"
#include "platform/ado/Connection.h"

namespace ado {

namespace {
// How many instructions the engine runs between two calls of the handler.
constexpr int kInstructionsPerCall = 1000;

// The size of the file the engine reaches through op on db, 0 when none is open.
int64_t OpenFileBytes(sqlite3* db, int op) {
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db, "main", op, &file) != SQLITE_OK || !file || !file->pMethods) return 0;
    sqlite3_int64 bytes = 0;
    return file->pMethods->xFileSize(file, &bytes) == SQLITE_OK ? bytes : 0;
}
}  // namespace

void RunBudget::Attach(sqlite3* db, const std::string& path) {
    m_db = db;
    m_path = path;
    m_limit = 0;
    m_loose = Run();
    m_current = &m_loose;
    sqlite3_progress_handler(db, kInstructionsPerCall, &RunBudget::Progress, this);
}

int64_t RunBudget::Measure() {
    const int64_t bytes = OpenFileBytes(m_db, SQLITE_FCNTL_FILE_POINTER) + OpenFileBytes(m_db, SQLITE_FCNTL_JOURNAL_POINTER);
    m_limit = kBudgetBaseInstructions + kBudgetInstructionsPerByte * bytes;
    return m_limit;
}

int RunBudget::Progress(void* self) {
    RunBudget& budget = *static_cast<RunBudget*>(self);
    Run& run = *budget.m_current;
    run.spent += kInstructionsPerCall;
    if (run.timed) {
        if (std::chrono::steady_clock::now() >= run.deadline) run.stop = Stop::Deadline;
    } else if (run.spent > budget.m_limit && run.spent > budget.Measure()) {
        run.stop = Stop::Budget;
    }
    return run.stop != Stop::None;
}

void RunBudget::ThrowSpent() const { throw ComError(SQLITE_INTERRUPT, kUnboundedReadText + m_path); }

}  // namespace ado
