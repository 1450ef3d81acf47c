#include "platform/ado/Connection.h"

#include <cctype>
#include <sqlite3.h>

#include "platform/ado/ComError.h"
#include "platform/ado/Statement.h"

namespace ado {

namespace {
const int kBusyTimeoutMs = 5000;
const size_t kCacheLimit = 512;

bool StartsWithNoCase(const std::string& text, size_t at, const char* prefix) {
    for (size_t i = 0; prefix[i]; ++i)
        if (at + i >= text.size() || std::tolower(static_cast<unsigned char>(text[at + i])) !=
                                         std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}
}  // namespace

Connection::Connection() : m_cache(kCacheLimit) {}

Connection::~Connection() { Close(); }

std::string Connection::ParseDataSource(const std::string& text) {
    const char* key = "Data Source=";
    size_t start = std::string::npos;
    for (size_t i = 0; i < text.size(); ++i)
        if ((i == 0 || text[i - 1] == ';') && StartsWithNoCase(text, i, key)) {
            start = i + std::char_traits<char>::length(key);
            break;
        }
    if (start == std::string::npos) return std::string();
    // The value ends at the first ";" that begins a further "name=value" setting,
    // so a path that holds a ";" of its own is still read whole.
    for (size_t end = text.find(';', start); end != std::string::npos; end = text.find(';', end + 1)) {
        size_t next = text.find(';', end + 1);
        std::string setting = text.substr(end + 1, next == std::string::npos ? std::string::npos : next - end - 1);
        if (setting.empty() || setting.find('=') != std::string::npos) return text.substr(start, end - start);
    }
    return text.substr(start);
}

void Connection::Open(const std::string& connectionString, const std::string&, const std::string&, long) {
    Close();
    const std::string path = ParseDataSource(connectionString);
    if (path.empty()) throw ComError(ComError::kError, "The connection string names no data source.");
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        throw ComError(rc, message + ": " + path);
    }
    sqlite3_extended_result_codes(db, 0);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    try {
        // Reading the schema proves the file is a database; an empty file is
        // not one either, and is refused before anything could write to it.
        Statement count(db, "SELECT count(*) FROM sqlite_master");
        count.Step();
        if (count.ColumnInt64(0) == 0) throw ComError(ComError::kNotADatabase, "file is not a database: " + path);
        Statement(db, "PRAGMA synchronous=NORMAL").Run();
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    m_db = db;
    m_walSet = false;
}

void Connection::Close() noexcept {
    if (!m_db) return;
    m_cache.Clear();
    if (sqlite3_get_autocommit(m_db) == 0) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    if (m_walSet) sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

sqlite3* Connection::Handle() const {
    if (!m_db) throw ComError(ComError::kMisuse, "Operation is not allowed when the connection is closed.");
    return m_db;
}

void Connection::PrepareWrite() {
    // The journal mode cannot change inside a transaction; Savepoint prepares first.
    if (m_walSet || InTransaction()) return;
    Statement(Handle(), "PRAGMA journal_mode=WAL").Run();
    m_walSet = true;
}

long Connection::Execute(const std::string& sql) { return Execute(Command{sql, {}, false}); }

long Connection::Execute(const Command& command) {
    StatementLease statement = Prepare(command.text, command.keep);
    if (!statement->ReadOnly()) PrepareWrite();
    statement->BindAll(command.values);
    return statement->Run();
}

StatementLease Connection::Prepare(const std::string& sql, bool keep) { return m_cache.Lend(Handle(), sql, keep); }

void Connection::Savepoint(const std::string& name) {
    PrepareWrite();
    Prepare("SAVEPOINT " + QuoteIdentifier(name))->Run();
}

void Connection::ReleaseSavepoint(const std::string& name) { Prepare("RELEASE " + QuoteIdentifier(name))->Run(); }

void Connection::RollbackToSavepoint(const std::string& name) noexcept {
    if (!m_db || sqlite3_get_autocommit(m_db) != 0) return;
    const std::string quoted = QuoteIdentifier(name);
    sqlite3_exec(m_db, ("ROLLBACK TO " + quoted + "; RELEASE " + quoted).c_str(), nullptr, nullptr, nullptr);
}

bool Connection::InTransaction() const { return m_db && sqlite3_get_autocommit(m_db) == 0; }

void Connection::Checkpoint() {
    int rc = sqlite3_wal_checkpoint_v2(Handle(), nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    if (rc != SQLITE_OK) ThrowEngineError(m_db, rc);
}

}  // namespace ado
