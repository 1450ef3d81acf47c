#include "platform/ado/Connection.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <new>
#include <optional>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include "platform/ado/ComError.h"
#include "platform/ado/ReadGuard.h"
#include "platform/ado/SchemaCheck.h"
#include "platform/ado/SchemaShape.h"
#include "platform/ado/SqlTokens.h"
#include "platform/ado/Statement.h"
#include "platform/win32/DatabaseLog.h"
#include "platform/win32/File.h"
#include "platform/win32/FolderLock.h"
#include "platform/win32/JournalClearing.h"
#include "platform/win32/LastError.h"
#include "platform/win32/LogNames.h"
#include "platform/win32/NetworkFileSystem.h"
#include "platform/win32/ScratchFile.h"

namespace ado {

namespace {
const size_t kCacheLimit = 512;

// Counts, in ended, every transaction that ends on db, committed or rolled back.
void CountTransactionEnds(sqlite3* db, uint64_t& ended) {
    sqlite3_commit_hook(
        db,
        [](void* count) {
            ++*static_cast<uint64_t*>(count);
            return 0;
        },
        &ended);
    sqlite3_rollback_hook(db, [](void* count) { ++*static_cast<uint64_t*>(count); }, &ended);
}
// Folds the log of db into its file, as SQLite does by default, once a
// commit leaves it this many pages long; where a read of db keeps it from
// that (a row added beside a walk), owed is set, and the fold is made once
// the read is over (FoldOwedLog) or at the next commit.
const int kFoldLogPages = 1000;
void FoldLogWhenDue(sqlite3* db, bool& owed) {
    sqlite3_wal_hook(
        db,
        [](void* kept, sqlite3* committed, const char* name, int pages) {
            if (pages >= kFoldLogPages)
                *static_cast<bool*>(kept) = sqlite3_wal_checkpoint_v2(committed, name, SQLITE_CHECKPOINT_PASSIVE,
                                                                      nullptr, nullptr) == SQLITE_LOCKED;
            return SQLITE_OK;
        },
        &owed);
}
// A host's texts kept for reuse: enough for the few a host runs again and
// again, few enough that one-off texts cost little.
const size_t kHostCacheLimit = 32;
const char* const kConditionRefused = "The condition may only read the project's tables; refused: ";

// Whether text[from, to) is name, ignoring case and blanks around it.
bool NameIs(const std::string& text, size_t from, size_t to, const std::string& name) {
    while (from < to && text[from] == ' ') ++from;
    while (to > from && text[to - 1] == ' ') --to;
    return UpperCase(text.substr(from, to - from)) == UpperCase(name);
}

// Reads the value that begins at text[at] into value, and returns where it
// ends: at the ";" after it or at the end of the text.
size_t ReadValue(const std::string& text, size_t at, std::string& value) {
    value.clear();
    if (at >= text.size() || (text[at] != '"' && text[at] != '\'')) {
        const size_t end = std::min(text.find(';', at), text.size());
        value = text.substr(at, end - at);
        return end;
    }
    const char quote = text[at];
    for (size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] != quote) {
            value += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == quote) {
            value += quote;
            ++i;
        } else {
            const size_t end = std::min(text.find_first_not_of(' ', i + 1), text.size());
            if (end < text.size() && text[end] != ';')
                throw ComError(ComError::kError, "The connection string holds text after a quoted value.");
            return end;
        }
    }
    throw ComError(ComError::kError, "The connection string holds a quoted value without its closing quote.");
}

}  // namespace

Connection::Connection() : m_cache(kCacheLimit, kHostCacheLimit, &m_budget) {}

Connection::~Connection() { Close(); }

std::string Connection::ParseDataSource(const std::string& text) {
    std::string value;
    for (size_t at = 0; at < text.size(); ++at) {
        const size_t equals = text.find_first_of("=;", at);
        if (equals == std::string::npos) break;
        if (text[equals] == ';') {  // a setting without a value
            at = equals;
            continue;
        }
        const bool dataSource = NameIs(text, at, equals, "Data Source");
        at = ReadValue(text, equals + 1, value);
        if (dataSource) return value;
    }
    return std::string();
}

std::string Connection::QuoteValue(const std::string& value) {
    if (value.find_first_of(";'\"") == std::string::npos) return value;
    std::string quoted = "\"";
    for (char c : value) {
        quoted += c;
        if (c == '"') quoted += c;
    }
    return quoted + '"';
}

namespace {
// The refusal of a connection to a file it could not hold, errno telling why.
ComError HoldRefusal(int err, const std::string& path) {
    switch (err) {
        case EBUSY: return ComError(SQLITE_BUSY, kReplacedText + path);
        case fileshare::kHeldElsewhere: return ComError(SQLITE_BUSY, SystemErrorLine(ERROR_SHARING_VIOLATION) + path);
        case fileshare::kFrozenReader:
            return ComError(SQLITE_BUSY,
                            "The project is in use: a store whose user may only read it reads it as it is, and no "
                            "store may write it until that one closes it: " +
                            path);
        case fileshare::kNotRegularFile:
            return ComError(SQLITE_CANTOPEN, "The path names a pipe, socket, device or folder, not a file: " + path);
        case fileshare::kSecondName:
            return ComError(SQLITE_CANTOPEN,
                            "The file has more than one name (a hard link); copy it to a file of its own to open it: " +
                                path);
        case fileshare::kLogNameNotAFile:
        case fileshare::kLogNameIsADatabase:
        case fileshare::kLogNameHeld:
            return ComError(SQLITE_CANTOPEN, "Beside the project, " + LogNameFault() +
                                                 ", where the database engine keeps the project's journal; the "
                                                 "project is not opened while it is there: " + path);
        case fileshare::kReservedName:
            return ComError(SQLITE_CANTOPEN, "A project's name may not end as the database engine's journal files' "
                                             "do (-journal, -wal, -shm), nor be the folder lock's (" +
                                                 std::string(kLockFileName) + "): " + path);
        case fileshare::kOpenInParent: return ComError(SQLITE_CANTOPEN, std::string(kOpenInParentText) + ": " + path);
        case fileshare::kForkedBesideThreads:
            return ComError(SQLITE_CANTOPEN, std::string(kForkedBesideThreadsText) + ": " + path);
        case ENOMEM: return ComError(ComError::kNoMemory, "out of memory");
        case ENOENT:
        case ENOTDIR: return ComError(SQLITE_CANTOPEN, "No file is at the path: " + path);
        case EMFILE:
        case ENFILE: return ComError(SQLITE_CANTOPEN, "No file descriptor is left to hold the file: " + path);
        case ENAMETOOLONG:
            return ComError(SQLITE_CANTOPEN, "The path is too long for the database engine, which takes at most " +
                                                 std::to_string(EnginePathLimit()) +
                                                 " characters for a project's path and for the path of a copy "
                                                 "made beside it (the folder's path and " +
                                                 std::to_string(ScratchPattern("").size() + 1) +
                                                 " more); New, Open and Save refuse it alike: " + path);
        default: return ComError(SQLITE_CANTOPEN, std::string(sqlite3_errstr(SQLITE_CANTOPEN)) + ": " + path);
    }
}
}  // namespace

void Connection::Open(const std::string& connectionString, const std::string&, const std::string&, long) {
    Close();
    m_template = nullptr;
    const std::string path = ParseDataSource(connectionString);
    if (path.empty()) throw ComError(ComError::kError, "The connection string names no data source.");
    int err = 0;
    if (!Connect(path, err)) throw HoldRefusal(err, path);
}

bool Connection::Connect(const std::string& path, int& err) {
    if (fileshare::ForkedBesideThreads()) {
        err = fileshare::kForkedBesideThreads;
        return false;
    }
    // The engine resolves links and names the journals after the file a
    // link leads to, in that file's folder: every look at the project (its
    // hold, its journals, what its user may write) is made at that name,
    // and the engine is given that name to open.
    std::string name;
    if (!EngineName(path, name)) {
        err = errno;
        return false;
    }
    // Where no copy could be made onto the file, it is not opened either.
    if (TooLongForAProject(name)) {
        err = ENAMETOOLONG;
        return false;
    }
    if (IsReservedProjectName(name)) {
        err = fileshare::kReservedName;
        return false;
    }
    // Journal files its user may not write would leave the engine only
    // reading a project its user may write: where no one uses it, they go.
    if (OnlyItsJournalsReadOnly(name)) ClearUnusedJournals(name);
    // A store connects only to a file it holds; one that a copy is replacing
    // is held once the copy is done. What lies at its journal names is
    // looked into by the hold that opens it in this process, and looked at
    // by the ones that join it.
    const fileshare::BesideCheck beside = [&name](bool opening) {
        return LogNamesClear(name, opening ? LogLook::Files : LogLook::Names);
    };
    // On a network file system processes of several machines share no
    // index of the log: a store that may write holds the project there
    // exclusively of every other process, and one that may only read shares
    // it with other readers alone.
    const bool network = OnNetworkFileSystem(name);
    const fileshare::Others others =
        network && MayWriteProject(name) ? fileshare::Others::KeepOut : fileshare::Others::Share;
    // A second name may be a copy's that places its file by a hard link, or
    // one that a killed copy left: both are gone under the folder lock.
    bool held = m_hold.Share(name, kBusyTimeoutMs, fileshare::Use::Project, beside, others);
    if (!held && errno == fileshare::kSecondName && OneNameUnderTheFolderLock(name))
        held = m_hold.Share(name, kBusyTimeoutMs, fileshare::Use::Project, beside, others);
    if (!held) {
        err = errno;
        return false;
    }
    // How the engine may open the file, and whether a frozen reader keeps
    // writers out or must wait for a writer, can change while this waits.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
    for (;;) {
        const ProjectAccess access = AccessToProject(name, m_hold.Descriptor());
        if (access == ProjectAccess::LogWithoutIndex) {
            m_hold.Release();
            throw ComError(SQLITE_CANTOPEN, kLogWithoutIndexText + path);
        }
        // A hold joined, or one its user came to write since it was taken, keeps others out now.
        if (network && access == ProjectAccess::Write && !m_hold.KeepOthersOut()) {
            err = errno;
            m_hold.Release();
            return false;
        }
        const fileshare::Engine kind =
            access == ProjectAccess::Frozen ? fileshare::Engine::Frozen : fileshare::Engine::Locking;
        if (m_hold.AddEngine(kind)) {
            sqlite3* db = OpenEngine(name, path, access, kind);
            // A writer looks for a frozen reader once it has the engine's
            // shared lock, which that reader looks for in turn.
            if (access != ProjectAccess::Write || !m_hold.FrozenElsewhere()) {
                m_db = db;
                m_path = path;
                m_access = access;
                m_walSet = false;
                m_wrote = false;
                m_began = false;
                m_savepoints = 0;
                CountTransactionEnds(db, m_transactionsEnded);
                m_foldOwed = false;
                FoldLogWhenDue(db, m_foldOwed);
                return true;
            }
            sqlite3_close_v2(db);
            m_hold.DropEngine(kind);
        } else if (errno != EBUSY) {
            err = errno;
            m_hold.Release();
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            err = fileshare::kFrozenReader;
            m_hold.Release();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

sqlite3* Connection::OpenEngine(const std::string& name, const std::string& path, ProjectAccess access,
                                fileshare::Engine kind) {
    // A log beside the file is part of it: until the file has proved a
    // database, closing folds none back into it.
    struct stat info;
    m_logFound = stat((name + "-wal").c_str(), &info) == 0;
    sqlite3* db = nullptr;
    int rc = OpenDatabaseFile(name, &db, access);
    if (rc == SQLITE_OK && m_logFound) rc = sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    try {
        if (rc != SQLITE_OK)
            throw ComError(rc, std::string(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)) + ": " + path);
        sqlite3_extended_result_codes(db, 0);
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        // From the first read of the file on, its reading ends.
        m_budget.Attach(db, path, &m_hold);
        // Reading the schema proves the file is a database; an empty file is
        // not one either, and is refused before anything could write to it.
        // The first row is read, not a count, which the engine makes in one
        // step that no budget stops.
        if (!Statement(db, "SELECT 1 FROM sqlite_master LIMIT 1", &m_budget).Step())
            throw ComError(ComError::kNotADatabase, "file is not a database: " + path);
        // The file the engine opened is the one held: the engine took the
        // name looked at (no link came on the way to it meanwhile), and a
        // file put at that name since the hold looked is not (the engine's
        // file has moved, or the name names another than the held one).
        int moved = 1;
        sqlite3_file_control(db, "main", SQLITE_FCNTL_HAS_MOVED, &moved);
        const char* opened = sqlite3_db_filename(db, "main");
        if (moved || !opened || name != opened || !m_hold.IsAt(name))
            throw ComError(SQLITE_BUSY, kReplacedText + path);
        Statement(db, "PRAGMA synchronous=NORMAL", &m_budget).Run();
    } catch (...) {
        sqlite3_close_v2(db);
        m_hold.DropEngine(kind);
        m_hold.Release();
        throw;
    }
    // From here the last connection to close writes the log back, unless
    // the caller refuses the file (LeaveFileAsFound).
    sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    return db;
}

void Connection::Close() noexcept {
    if (!m_db) return;
    // Every statement lent out, a query still open included, is finalized
    // first: the engine keeps the file open while any statement is out, and
    // the hold must outlast that, since closing its descriptor would drop the
    // engine's locks on the file.
    m_cache.Clear();
    // A connection that a fork copied from the parent is the parent's: the
    // child leaves the engine's state of it alone (its statements went unfinalized).
    if (!m_hold.Inherited()) {
        EndTransaction();
        m_undo.Clear();
        // The last connection to close writes the log back into the file and
        // removes it; another one's readers never make a close wait.
        sqlite3_busy_timeout(m_db, 0);
        // A connection that wrote folds the log into the file as far as other
        // connections' open snapshots allow, without waiting: its rows are
        // then in the file alone, also where a reader that cannot fold the
        // log (one that may only read) closes last.
        if (m_wrote) sqlite3_wal_checkpoint_v2(m_db, "main", SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        // A statement that escaped the cache would keep the file open after
        // the close: the hold then stays until the process ends.
        if (sqlite3_close(m_db) == SQLITE_OK) {
            m_hold.DropEngine(EngineKind());
        } else {
            sqlite3_close_v2(m_db);
            static std::vector<fileshare::Hold> keptOpen;
            try {
                keptOpen.push_back(std::move(m_hold));
            } catch (...) {
            }
        }
    }
    m_undo.Clear(false);
    m_db = nullptr;
    m_undoOwed = Undo::Nothing;
    m_hold.Release();
}

void Connection::LeaveFileAsFound() noexcept {
    if (m_db && m_logFound) sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

void Connection::RequireProjectShape(const TemplateShape& shape) {
    sqlite3* db = Handle();
    // The file is judged on the store's own connection: the file judged is
    // the file the store then uses. That connection knows no virtual table
    // module (the store needs none), so SQLite runs no code of a virtual
    // table and cannot list its columns, which is how the check finds one.
    // The check only reads, in one transaction: one snapshot of the schema.
    int rc = sqlite3_drop_modules(db, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) ThrowEngineError(db, rc);
    struct ReadEnds {
        sqlite3* db;
        // Whether the read has ended: one left open would be taken for a
        // host's transaction by the store's next change.
        bool End() const {
            if (sqlite3_get_autocommit(db) == 0) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            return sqlite3_get_autocommit(db) != 0;
        }
        ~ReadEnds() { End(); }
    } readEnds{db};
    // The whole judging is one run of the budget.
    std::unordered_map<std::string, std::string> indexNames;
    std::string fault;
    m_budget.Within([&] { fault = ProjectSchemaFault(db, shape, indexNames); });
    if (!fault.empty()) throw ComError(ComError::kError, fault);
    if (!readEnds.End()) throw ComError(ComError::kNoMemory, "out of memory");
    m_template = &shape;
    m_indexNames = std::move(indexNames);
}

std::string Connection::PinnedText(const std::string& sql) const {
    return m_template ? ado::PinnedText(sql, m_template->PlanOf(sql), m_indexNames) : sql;
}

sqlite3* Connection::Handle() const {
    if (!m_db) throw ComError(ComError::kMisuse, "Operation is not allowed when the connection is closed.");
    if (m_hold.Inherited()) throw ComError(ComError::kMisuse, InheritedRefusalText());
    return m_db;
}

void Connection::PrepareWrite() {
    if (m_access != ProjectAccess::Write && m_db) throw ComError(SQLITE_READONLY, kReadOnlyText + m_path);
    if (m_db) m_wrote = true;
    // The journal mode cannot change inside a transaction; Savepoint prepares first.
    if (m_walSet || InTransaction()) return;
    // Leaving a rollback journal needs the file to itself, and the engine
    // refuses at once, without its busy handler, while another connection
    // writes: the switch waits its turn like any write.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
    for (;;) {
        try {
            Statement(Handle(), "PRAGMA journal_mode=WAL", &m_budget).Run();
            break;
        } catch (const ComError& error) {
            if (error.Error() != SQLITE_BUSY || std::chrono::steady_clock::now() >= deadline) throw;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    m_walSet = true;
}

long Connection::Execute(const std::string& sql) { return Execute(Command{sql, {}, Origin::Host}); }

long Connection::Execute(const Command& command) {
    StatementLease statement;
    if (command.pattern) {
        PatternSlot& slot = Slot(command.pattern, PatternUse::Run);
        if (slot.text.empty()) slot.text = PinnedText(command.textOf(command.pattern, command.values.size()));
        statement = Lend(slot);
    } else {
        statement = Prepare(command.text, command.origin);
    }
    if (!statement->ReadOnly()) PrepareWrite();
    statement->BindAll(command.values, false);  // the command outlasts the run
    return statement->Run();
}

PatternSlot& Connection::Slot(const char* pattern, PatternUse use) {
    Handle();  // a closed connection keeps no slots
    SettleOwedRollback();
    return m_cache.Slot(pattern, use);
}

StatementLease Connection::Prepare(const std::string& sql, Origin origin) {
    if (m_db) SettleOwedRollback();
    if (origin != Origin::HostCondition)
        return m_cache.Lend(Handle(), sql, origin == Origin::Library ? KeptAmong::Library : KeptAmong::Host);
    // The guard reads the schema's names.
    std::optional<ReadGuard> guard;
    m_budget.Within([&] { guard.emplace(Handle(), sql); });
    try {
        StatementLease statement = m_cache.Lend(m_db, sql, KeptAmong::None);
        statement->LimitRuns(m_cache);
        if (guard->Counts()) statement->InterruptAtDeadline();
        return statement;
    } catch (const SecondStatementError& error) {
        if (guard->RanOutOfMemory()) throw std::bad_alloc();
        // A second statement is found by preparing it, which the guard may
        // refuse for what it does; what is refused is the second statement.
        throw ComError(error.Error(), std::string(kConditionRefused) + "a second statement");
    } catch (const ComError& error) {
        if (guard->RanOutOfMemory()) throw std::bad_alloc();
        if (guard->Refused().empty()) throw;
        throw ComError(error.Error(), kConditionRefused + guard->Refused());
    }
}

void Connection::Savepoint(const std::string& name) {
    // A savepoint opened inside another of this layer joins it: the
    // outermost commits or undoes the whole. A savepoint of its own would
    // copy every page its part writes into a sub-journal, which costs the
    // outermost's commit as much again.
    if (m_savepoints > 0) {
        if (!OwnTransactionOpen()) throw ComError(SQLITE_ABORT, kChangeEndedText);
        ++m_savepoints;
        return;
    }
    if (m_db) SettleOwedRollback();
    PrepareWrite();
    // A transaction that reads before it writes could not become a writer
    // while another connection writes, and would fail at once: it begins as
    // one, and is itself the outermost savepoint. Inside a transaction the
    // host began, the outermost is a savepoint of that transaction.
    m_began = !InTransaction();
    // Its undo is made ready now: it runs where memory ran out.
    m_undo.Ready(Handle(), m_began, name);
    Prepare(m_began ? std::string("BEGIN IMMEDIATE") : "SAVEPOINT " + QuoteIdentifier(name))->Run();
    m_savepoints = 1;
    m_endedBefore = m_transactionsEnded;
}

// The transaction the outermost savepoint is in is still open: no
// transaction has ended on the connection since (a host's COMMIT or
// ROLLBACK, or the engine's own rollback after a failed write), whatever
// transaction may have begun after.
bool Connection::OwnTransactionOpen() const { return InTransaction() && m_transactionsEnded == m_endedBefore; }

bool Connection::LeaveSavepoint(bool open, bool& began) noexcept {
    if (m_savepoints > 1 && open) {
        --m_savepoints;
        return true;
    }
    began = m_began;
    m_savepoints = 0;
    m_began = false;
    return false;
}

void Connection::ReleaseSavepoint(const std::string& name) {
    const bool open = OwnTransactionOpen();
    bool began = false;
    if (LeaveSavepoint(open, began)) return;
    // Another's transaction is neither committed nor released here.
    if (!open) throw ComError(SQLITE_ABORT, kChangeEndedText);
    if (!began) {
        try {
            Prepare("RELEASE " + QuoteIdentifier(name))->Run();
        } catch (...) {
            UndoSavepoint();
            throw;
        }
        return;
    }
    try {
        Prepare("COMMIT")->Run();
    } catch (...) {
        EndTransaction();
        throw;
    }
}

void Connection::RollbackToSavepoint() noexcept {
    // A joined savepoint's part is undone by the outermost, which its
    // failure reaches; nothing is undone of a transaction that is not its own.
    const bool open = m_savepoints > 0 && OwnTransactionOpen();
    bool began = false;
    if (LeaveSavepoint(open, began) || !open) return;
    if (began) return EndTransaction();
    UndoSavepoint();
}

void Connection::EndTransaction() noexcept {
    m_began = false;
    m_savepoints = 0;
    if (InTransaction()) m_undo.RollBack(m_db);
    m_undoOwed = InTransaction() ? Undo::Transaction : Undo::Nothing;
}

void Connection::UndoSavepoint() noexcept {
    const bool undone = m_undo.UndoSavepoint();
    // Nothing is owed of a transaction that has ended meanwhile.
    m_undoOwed = undone || !OwnTransactionOpen() ? Undo::Nothing : Undo::Savepoint;
}

void Connection::SettleOwedRollback() {
    if (m_undoOwed == Undo::Transaction) EndTransaction();
    else if (m_undoOwed == Undo::Savepoint) UndoSavepoint();
    if (m_undoOwed != Undo::Nothing) throw ComError(ComError::kNoMemory, "out of memory");
}

bool Connection::InTransaction() const { return m_db && sqlite3_get_autocommit(m_db) == 0; }

void Connection::FoldOwedLog() noexcept {
    if (!m_foldOwed || !m_db || m_hold.Inherited() || InTransaction()) return;
    m_foldOwed = sqlite3_wal_checkpoint_v2(m_db, "main", SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr) == SQLITE_LOCKED;
}

namespace {
// Copies every page of source, in one step and so from one snapshot, into
// the empty database file at scratch. No journal: a failed copy is dropped.
bool BackUp(sqlite3* source, const std::string& scratch) {
    // The scratch file is held exclusively: its journal names are looked into.
    if (!LogNamesClear(scratch, LogLook::Files)) return false;
    sqlite3* copy = nullptr;
    int rc = sqlite3_open_v2(EngineFileName(scratch).c_str(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(copy, "PRAGMA journal_mode=OFF", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(copy, "main", source, "main");
        if (!backup) {
            rc = sqlite3_errcode(copy);
        } else {
            const int stepped = sqlite3_backup_step(backup, -1);
            rc = sqlite3_backup_finish(backup);
            if (stepped != SQLITE_DONE) rc = stepped;
        }
    }
    sqlite3_close_v2(copy);
    if (rc == SQLITE_OK) return true;
    errno = ErrnoOfEngineResult(rc);
    return false;
}
}  // namespace

bool Connection::CopyTo(const std::string& path, fileshare::Hold* placed) {
    if (!m_db || m_hold.Inherited()) {
        SetLastError(m_db ? ERROR_PROJECT_OPEN_IN_PARENT : ERROR_INVALID_HANDLE);
        return false;
    }
    sqlite3* source = m_db;
    return PlaceFileA(
        path.c_str(), FALSE, [source](int, const std::string& scratch) { return BackUp(source, scratch); }, placed);
}

bool Connection::CopyFile(const std::string& source, const std::string& path, fileshare::Hold* placed) {
    Connection from;
    int err = 0;
    try {
        if (!from.Connect(source, err)) return FailFromErrno(err, source.c_str());
    } catch (const ComError& error) {
        return FailFromErrno(ErrnoOfEngineResult(static_cast<int>(error.Error())), source.c_str());
    } catch (const std::bad_alloc&) {
        return FailFromErrno(ENOMEM, source.c_str());
    }
    return from.CopyTo(path, placed);
}

}  // namespace ado
