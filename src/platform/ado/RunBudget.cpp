#include "platform/ado/RunBudget.h"

#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ado/ComError.h"
#include "platform/ado/Connection.h"
#include "platform/win32/FileHold.h"

namespace ado {

namespace {
// How many instructions the engine runs between two calls of the handler.
constexpr int kInstructionsPerCall = 1000;

// The bytes of the file open at fd that hold data: its extents between
// holes, as the file system tells them; its length where it cannot.
int64_t StoredBytes(int fd) {
    int64_t stored = 0;
    for (off_t at = 0;;) {
        const off_t data = lseek(fd, at, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) return stored;  // no data from at on
            break;
        }
        const off_t hole = lseek(fd, data, SEEK_HOLE);
        if (hole < 0) break;
        stored += hole - data;
        at = hole;
    }
    struct stat info;
    return fstat(fd, &info) == 0 ? info.st_size : 0;
}

// The bytes the log of the database open on db stores, when the engine has
// one open: a file no engine locks, so a descriptor of its own may close.
int64_t LogBytes(sqlite3* db) {
    sqlite3_file* log = nullptr;
    sqlite3_int64 length = 0;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_JOURNAL_POINTER, &log) != SQLITE_OK || !log ||
        !log->pMethods || log->pMethods->xFileSize(log, &length) != SQLITE_OK || length == 0)
        return 0;
    const char* name = sqlite3_db_filename(db, "main");
    if (!name) return 0;
    const int fd = fileshare::OpenFile(sqlite3_filename_wal(name), O_RDONLY | O_NOFOLLOW);
    if (fd < 0) return 0;
    const int64_t stored = StoredBytes(fd);
    fileshare::CloseFile(fd);
    return stored;
}
}  // namespace

void RunBudget::Attach(sqlite3* db, const std::string& path, const fileshare::Hold* file) {
    m_db = db;
    m_path = path;
    m_file = file;
    m_limit = kBudgetBaseInstructions;
    m_loose = Run();
    m_current = &m_loose;
    sqlite3_progress_handler(db, kInstructionsPerCall, &RunBudget::Progress, this);
}

int64_t RunBudget::Measure() {
    const int fd = m_file ? m_file->Descriptor() : -1;
    const int64_t bytes = (fd >= 0 ? StoredBytes(fd) : 0) + LogBytes(m_db);
    m_limit = kBudgetBaseInstructions + kBudgetInstructionsPerByte * bytes;
    return m_limit;
}

int RunBudget::Progress(void* self) {
    RunBudget& budget = *static_cast<RunBudget*>(self);
    Run& run = *budget.m_current;
    if (!run.bounded) return 0;
    if (!run.timed) run.spent += kInstructionsPerCall;
    else if (std::chrono::steady_clock::now() >= run.deadline) run.stop = Stop::Deadline;
    budget.Passed(run);
    return run.stop != Stop::None;
}

void RunBudget::ThrowSpent() const { throw ComError(SQLITE_INTERRUPT, kUnboundedReadText + m_path); }

}  // namespace ado
