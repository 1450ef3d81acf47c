// A connection to one database file, opened from an OLE DB style connection
// string whose "Data Source=" names the file. Opening never creates a file,
// and the name is always read as a file name, never as a URI.
// Files are kept in write-ahead logging with normal sync (new projects start
// so; an older file switches at its first write, waiting out other writers
// like any write); the last connection to close writes the log back into the
// file, so a closed project is one self-contained file. Closing never waits
// for other connections. While open, the file is held: a copy cannot replace
// it. Only a regular file with one name is opened, and only once it is
// held. A connection runs nothing the file carries: its triggers and views
// are off (OpenDatabaseFile). In a forked child, a file its parent held at
// the fork is refused, and a connection the parent made does nothing: it
// fails every call and closes nothing of the parent's.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/ado/ChangeUndo.h"
#include "platform/ado/Command.h"
#include "platform/ado/RunBudget.h"
#include "platform/ado/StatementCache.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/ProjectAccess.h"

struct sqlite3;

namespace ado {

class Statement;
class TemplateShape;

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the file named by the connection string; user, password and
    // options have no meaning for this engine. Raises ComError.
    void Open(const std::string& connectionString, const std::string& userId, const std::string& password,
              long options);
    void Close() noexcept;
    bool IsOpen() const { return m_db != nullptr; }

    // Runs one statement and returns the number of rows it changed. Raises ComError.
    long Execute(const std::string& sql);
    long Execute(const Command& command);

    // Nested units of work: a savepoint opened outside a transaction begins
    // one as a writer (waiting out other writers like any write), and
    // releasing the outermost commits it. Savepoints opened inside it join
    // it: only the outermost commits or undoes, by statements made ready
    // before it opened (ChangeUndo.h), so that the undo is made before the
    // failed change answers. A transaction left open at Close is rolled back.
    void Savepoint(const std::string& name);
    void ReleaseSavepoint(const std::string& name);
    // Undoes the outermost savepoint; a joined one leaves that to the outermost.
    void RollbackToSavepoint() noexcept;
    bool InTransaction() const;
    // Folds the log into the file where a read of the connection kept
    // SQLite from folding it at a commit, once no read stands.
    void FoldOwedLog() noexcept;

    // Puts a consistent copy of the open database at path, made by the
    // engine's online backup in one step while other connections go on
    // writing, under the rules of the platform's file copy (placed as
    // there). False with the thread's last system error set.
    bool CopyTo(const std::string& path, fileshare::Hold* placed = nullptr);
    // The same for the database at source, which a connection of its own
    // opens, under a hold, for the copy: a file is copied whole, with what
    // its log holds, whoever else has it open.
    static bool CopyFile(const std::string& source, const std::string& path, fileshare::Hold* placed = nullptr);
    // Makes closing leave the file as the connection found it: a log that
    // was beside it is not folded back. For a file read and then refused.
    void LeaveFileAsFound() noexcept;
    // Raises ComError when the file holds more than a project may: more than
    // tables and indexes on their columns, anything in a table that runs or
    // changes what a write does, or a table the store reads that is not
    // shaped as shape's (see SchemaCheck.h). Judged on this connection,
    // which from then on knows no virtual table module, and whose library
    // statements from then on keep the plans the template's indexes give.
    void RequireProjectShape(const TemplateShape& shape);
    // The text a library statement is prepared from on this connection: sql
    // pinned to the template's plan once the file was judged (PlanPins.h).
    std::string PinnedText(const std::string& sql) const;
    // The file the connection has open, as the connection string named it.
    const std::string& Path() const { return m_path; }

    // For the layer's own use: the engine handle, a statement prepared once
    // per connection and lent from its cache, and the write preparation.
    sqlite3* Handle() const;
    StatementLease Prepare(const std::string& sql, Origin origin = Origin::Library);
    // The slot of a library pattern for use on this connection, and its
    // statement lent; the caller makes the slot's text at its first use.
    PatternSlot& Slot(const char* pattern, PatternUse use);
    StatementLease Lend(PatternSlot& slot) { return m_cache.Lend(Handle(), slot); }
    void PrepareWrite();

    // The value of the "Data Source" setting of a connection string, read the
    // way OLE DB reads it: a value in double or single quotes is read up to
    // its closing quote, a doubled quote inside standing for one; any other
    // value ends at the next ";". Empty when there is no such setting. A
    // quoted value left open or followed by more text raises ComError.
    static std::string ParseDataSource(const std::string& connectionString);
    // A value as a connection string carries it so that the parser reads it
    // back whole: in double quotes, an inner double quote doubled, when it
    // holds a semicolon, an apostrophe or a double quote; as it is otherwise.
    static std::string QuoteValue(const std::string& value);

private:
    // Holds the file at path and connects to it: false with err set when it
    // cannot be held; raises ComError when the engine refuses it.
    bool Connect(const std::string& path, int& err);
    // Opens the engine's connection to the held file at path as access says
    // and proves it a database; raises ComError, the file then let go.
    // name is the engine's name of the file (EngineName), path the caller's.
    sqlite3* OpenEngine(const std::string& name, const std::string& path, ProjectAccess access,
                        fileshare::Engine kind);
    fileshare::Engine EngineKind() const {
        return m_access == ProjectAccess::Frozen ? fileshare::Engine::Frozen : fileshare::Engine::Locking;
    }
    void EndTransaction() noexcept;
    // Undoes the outermost savepoint opened inside a transaction it did not begin.
    void UndoSavepoint() noexcept;
    // Makes the undo owed since the engine had no memory for it, before
    // anything else runs on the connection, so that no later change joins
    // what it undoes; raises ComError while it still cannot be made.
    void SettleOwedRollback();

    sqlite3* m_db = nullptr;
    std::string m_path;
    ProjectAccess m_access = ProjectAccess::Write;
    bool m_walSet = false;
    bool m_wrote = false;     // a write was begun on the connection: its close folds the log
    bool m_logFound = false;  // a log was beside the file when it was connected
    bool m_foldOwed = false;  // a fold of the log that a read kept back
    // How many savepoints of this layer are open (the inner ones joined the
    // outermost), whether the outermost began the transaction, which
    // releasing it commits, and how many transactions had ended on the
    // connection when it was opened (of m_transactionsEnded, which the
    // engine's commit and rollback hooks count).
    bool m_began = false;
    // The undo of the outermost savepoint, made ready when it opened, and
    // the undo owed where even that could not be made (the engine had
    // expired its statements and had no memory to prepare them again): a
    // rollback of the transaction the outermost savepoint began, or the
    // undo of one opened inside another's transaction.
    ChangeUndo m_undo;
    enum class Undo { Nothing, Transaction, Savepoint } m_undoOwed = Undo::Nothing;
    int m_savepoints = 0;
    uint64_t m_endedBefore = 0;
    uint64_t m_transactionsEnded = 0;
    bool OwnTransactionOpen() const;
    // Leaves one savepoint of this layer: true when it had joined an outer
    // one of a transaction still open; else the count starts again, and
    // began tells whether the outermost began the transaction.
    bool LeaveSavepoint(bool open, bool& began) noexcept;
    // Bounds the work of every run on the connection; before the cache,
    // whose statements count to it.
    RunBudget m_budget;
    StatementCache m_cache;
    fileshare::Hold m_hold;
    // The template the file was judged against, and the file's index for each
    // of the template's (by NameKey); null until judged.
    const TemplateShape* m_template = nullptr;
    std::unordered_map<std::string, std::string> m_indexNames;
};

using ConnectionPtr = std::shared_ptr<Connection>;

// The refusals of a file that holds more than data, and of one with a table
// the store reads that is not shaped as the template's.
constexpr const char* kOnlyDataText = "A project file holds only tables and indexes on their columns; refused: ";
constexpr const char* kShapeText = "A project's tables are shaped as the template's; refused: ";

// What a change begun inside another answers once the other's transaction
// has ended (the engine rolled it back on a full disk or a failed write).
constexpr const char* kChangeEndedText =
    "The transaction of the change this one is part of has ended; this part was not written";
// What an operation answers whose reading of the file passed the budget of
// its work (RunBudget.h): the engine undid what it had begun.
constexpr const char* kUnboundedReadText =
    "The project file could not be read in bounded time: the work of reading it passed a budget set by the "
    "file's size, so the operation was stopped, and nothing was written: ";
// The refusal of a file that a copy replaces while it is being opened.
constexpr const char* kReplacedText = "The file is being replaced: ";
// What a write into a project its user may only read answers.
constexpr const char* kReadOnlyText =
    "The project can only be read: its user may not write its file, its folder or a journal file beside it; "
    "nothing was written: ";
// The refusal of a project whose log its user could read only with the
// log's index, which that user may not make.
constexpr const char* kLogWithoutIndexText =
    "The project's log lies beside it without the log's index, which a user who may only read the project "
    "cannot make; open it once as a user who may write it: ";

// The refusal of a forked child to use what its parent had open.
constexpr const char* kOpenInParentText =
    "The project was open in the parent process when this process was forked; start the process anew (exec) to "
    "use it";
// The refusal of every project operation in a child forked while another
// thread of its parent ran.
constexpr const char* kForkedBesideThreadsText =
    "This process was forked while another of its threads ran, and the database engine may be left locked in it; "
    "start the process anew (exec) to use a project";
// What a connection or statement made before this process was forked
// answers in it.
inline const char* InheritedRefusalText() {
    return fileshare::ForkedBesideThreads() ? kForkedBesideThreadsText : kOpenInParentText;
}

}  // namespace ado
