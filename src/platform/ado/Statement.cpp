#include "platform/ado/Statement.h"

#include <algorithm>
#include <chrono>
#include <sqlite3.h>
#include <thread>

#include "platform/ado/ComError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/DeadlineWatch.h"
#include "platform/ado/SqlTokens.h"
#include "platform/ado/StatementCache.h"
#include "platform/win32/DatabaseLog.h"

namespace ado {

namespace {
constexpr int64_t kLargestPageBytes = 65536;  // of any database the engine opens

bool OnlyBlanksAndSemicolons(const char* text) {
    for (; text && *text; ++text)
        if (!IsSqlBlank(*text) && *text != ';') return false;
    return true;
}

// True when what follows a statement holds no second one: blanks, ";" and comments.
bool HoldsNoStatement(sqlite3* db, const char* tail) {
    while (!OnlyBlanksAndSemicolons(tail)) {
        sqlite3_stmt* next = nullptr;
        const char* rest = nullptr;
        const int rc = sqlite3_prepare_v2(db, tail, -1, &next, &rest);
        sqlite3_finalize(next);
        if (rc != SQLITE_OK || next || rest == tail) return false;
        tail = rest;
    }
    return true;
}

// The project's EditionTable has a column named TABLE, a reserved word of
// the engine. Outside quoted literals, the bare upper-case word TABLE is
// that column and is quoted so the engine reads it as a name.
std::string QuoteTableColumn(const std::string& sql) {
    if (sql.find("TABLE") == std::string::npos) return sql;
    std::string out;
    out.reserve(sql.size() + 8);
    char quote = 0;
    for (size_t i = 0; i < sql.size(); ++i) {
        char c = sql[i];
        if (quote) {
            if (c == quote) quote = 0;
            out += c;
            continue;
        }
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            quote = c == '[' ? ']' : c;
            out += c;
            continue;
        }
        if (sql.compare(i, 5, "TABLE") == 0 && (i == 0 || !IsNameChar(sql[i - 1])) &&
            (i + 5 == sql.size() || !IsNameChar(sql[i + 5]))) {
            out += "\"TABLE\"";
            i += 4;
            continue;
        }
        out += c;
    }
    return out;
}
}  // namespace

void ThrowEngineError(sqlite3* db, int rc) {
    const char* message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    throw ComError(rc, message ? message : "");
}

std::string QuoteIdentifier(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

Statement::Statement(sqlite3* db, const std::string& sql, RunBudget* budget, bool bounded)
    : m_db(db), m_forks(fileshare::ForkCount()), m_budget(budget), m_bounded(bounded) {
    if (!db) throw ComError(ComError::kMisuse, "Operation is not allowed when the connection is closed.");
    // Preparing reads the schema the first time and after a change of it.
    const RunBudget::Scope preparing(budget, bounded);
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size() + 1), &m_stmt, &tail);
    // Only a text the engine cannot read as it stands has its column TABLE quoted.
    std::string quoted;
    if (rc == SQLITE_ERROR && (quoted = QuoteTableColumn(sql)) != sql) {
        rc = sqlite3_prepare_v2(db, quoted.c_str(), static_cast<int>(quoted.size() + 1), &m_stmt, &tail);
        if (rc != SQLITE_OK) {
            // The engine's message is that of the text as the caller wrote it.
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size() + 1), &m_stmt, &tail);
        }
    }
    if (rc != SQLITE_OK) {
        preparing.RequireWithinBudget();
        ThrowEngineError(db, rc);
    }
    if (!m_stmt) throw ComError(ComError::kError, "The statement is empty.");
    if (!HoldsNoStatement(db, tail)) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        preparing.RequireWithinBudget();
        throw SecondStatementError();
    }
}

// A statement prepared before this process was forked is its parent's: the
// child neither runs nor ends it, since either would act on the parent's
// engine state (its locks, its shared log index).
bool Statement::Inherited() const { return m_forks != fileshare::ForkCount(); }

Statement::~Statement() { Finalize(); }

void Statement::Finalize() noexcept {
    EndRun();
    if (!Inherited()) sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
}

void Statement::RequireRunnable() const {
    if (Inherited()) throw ComError(ComError::kMisuse, InheritedRefusalText());
    if (!m_stmt) throw ComError(ComError::kMisuse, "Operation is not allowed when the connection is closed.");
}

namespace {
// Whether a read that may not write the log's index met that index while a
// writer rewrote it: the engine then asks for a recovery it may not make,
// or finds no mark of the log it may read up to. Either passes once the
// writer is done.
bool MetARewrittenIndex(sqlite3* db, int rc) {
    if (rc != SQLITE_READONLY) return false;
    const int extended = sqlite3_extended_errcode(db);
    return extended == SQLITE_READONLY_RECOVERY || extended == SQLITE_READONLY_CANTINIT;
}
}  // namespace

bool Statement::Step() {
    RequireRunnable();
    // Such a read begins again, as a busy one waits, up to the busy timeout.
    const bool beginning = !sqlite3_stmt_busy(m_stmt);
    if (beginning) BeginRun();
    else if (m_budget && m_budget->Passed(m_run)) StopSpent();  // by the bytes handed back
    int rc = m_limitCache ? LimitedStep() : EngineStep();
    if (beginning && MetARewrittenIndex(m_db, rc)) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
        do {
            sqlite3_reset(m_stmt);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            rc = m_limitCache ? LimitedStep() : EngineStep();
        } while (MetARewrittenIndex(m_db, rc) && std::chrono::steady_clock::now() < deadline);
    }
    if (rc == SQLITE_ROW) {
        if (m_watchOrder) FollowOrder();
        return true;
    }
    EndRun();
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(m_stmt);
    if (m_run.stop == RunBudget::Stop::Budget) m_budget->ThrowSpent();
    if (m_run.stop == RunBudget::Stop::Deadline)
        throw ComError(rc, "The statement ran longer than its limit of " + std::to_string(kRunSecondsLimit) +
                               " seconds and was interrupted.");
    if (rc == SQLITE_TOOBIG && m_limitCache) {
        std::string limit = std::to_string(kRunValueBytesLimit) + " bytes";
        if (m_valueLimit > kRunValueBytesLimit)
            limit += " (here " + std::to_string(m_valueLimit) + " bytes, the size of the database it reads)";
        throw ComError(rc, "The statement made a value longer than its limit of " + limit + ".");
    }
    ThrowEngineError(m_db, rc);
}

// The engine bounds the values a statement reads by the same limit as the
// values it makes. So that a run reads every value of its database whole,
// its limit is the database's size when that is larger: no stored value is
// longer. The size is measured at the run's first step and again once the
// connection has changed rows; until the step is done, the page count
// stands on its row, keeping the read it began, so the step reads the
// database that was measured. The limit never passes the engine's own,
// which every stored value kept to.
int64_t Statement::ValueBytesLimit(int64_t engineLimit, StatementLease& pageCount) {
    const int64_t changes = sqlite3_total_changes64(m_db);
    if (m_running && changes == m_changesMeasured) return m_valueLimit;
    pageCount = m_limitCache->Lend(m_db, "PRAGMA page_count");
    pageCount->Step();
    const int64_t pages = pageCount->ColumnInt64(0);
    int64_t bytes = 0;
    // Pages few enough to stay within the limit at the largest page size need no page size.
    if (pages > kRunValueBytesLimit / kLargestPageBytes) {
        StatementLease pageSize = m_limitCache->Lend(m_db, "PRAGMA page_size");
        pageSize->Step();
        bytes = pages * pageSize->ColumnInt64(0);
    }
    m_changesMeasured = changes;
    return std::min(engineLimit, std::max<int64_t>(kRunValueBytesLimit, bytes));
}

void Statement::StopSpent() {
    EndRun();
    sqlite3_reset(m_stmt);
    m_budget->ThrowSpent();
}

// The order is read again after the engine prepared the statement anew,
// which it does as a run begins: a change of the schema may have changed
// its program.
void Statement::FollowOrder() {
    if (m_orderWatch.AtFirstRow() && Reprepares() != m_orderReprepares) {
        m_order = ScanOrder::Of(m_db, sqlite3_sql(m_stmt));
        m_orderReprepares = Reprepares();
    }
    if (m_order && m_budget && !m_orderWatch.Rises(*m_order, m_stmt)) StopSpent();
}

// A run begins with its first step, and ends once the statement is done or
// set back; a limited statement's deadline is counted from its beginning.
void Statement::BeginRun() {
    m_run = RunBudget::Run();
    m_run.bounded = m_bounded;
    m_orderWatch.Restart();
    m_run.timed = m_limitCache != nullptr;
    if (m_run.timed) m_run.deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kRunSecondsLimit);
    if (m_watch && m_run.timed) m_watch->Start(m_db, m_stmt, m_run.deadline);
}

void Statement::EndRun() noexcept {
    m_running = false;
    if (m_watch) m_watch->Stop();
}

void Statement::InterruptAtDeadline() { m_watch = std::make_unique<DeadlineWatch>(); }

// The engine counts its work to this statement's run while it steps it.
int Statement::EngineStep() {
    if (!m_budget) return sqlite3_step(m_stmt);
    RunBudget::Run* const outer = m_budget->Enter(m_run);
    const int rc = sqlite3_step(m_stmt);
    m_budget->Leave(outer);
    return rc;
}

// The value limit holds only while this statement steps: the connection's
// other statements, run between its steps, are not bounded by it.
int Statement::LimitedStep() {
    const int length = sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, -1);
    StatementLease pageCount;
    m_valueLimit = ValueBytesLimit(length, pageCount);
    m_running = true;
    sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, static_cast<int>(m_valueLimit));
    const int rc = m_watch ? m_watch->Step([this] { return EngineStep(); }) : EngineStep();
    sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, length);
    if (m_watch && m_watch->Expired()) m_run.stop = RunBudget::Stop::Deadline;
    return rc;
}

long Statement::Run() {
    while (Step()) {
    }
    return sqlite3_changes(m_db);
}

void Statement::Rewind() noexcept {
    EndRun();
    if (!Inherited() && m_stmt) sqlite3_reset(m_stmt);
}

void Statement::Reset() noexcept {
    EndRun();
    if (Inherited() || !m_stmt) return;
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void Statement::Bind(int index, const Variant& value, bool copy) {
    RequireRunnable();
    int rc = SQLITE_OK;
    switch (value.Type()) {
        case VT_NULL: rc = sqlite3_bind_null(m_stmt, index); break;
        case VT_I4: rc = sqlite3_bind_int(m_stmt, index, value.ToInt32()); break;
        case VT_R8:
        case VT_DATE: rc = sqlite3_bind_double(m_stmt, index, value.ToDouble()); break;
        case VT_BSTR:
            rc = sqlite3_bind_text(m_stmt, index, value.Text().data(), static_cast<int>(value.Text().size()),
                                   copy ? SQLITE_TRANSIENT : SQLITE_STATIC);
            break;
    }
    if (rc != SQLITE_OK) ThrowEngineError(m_db, rc);
}

void Statement::Bind(int index, int64_t value) {
    RequireRunnable();
    int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK) ThrowEngineError(m_db, rc);
}

void Statement::BindAll(const std::vector<Variant>& values, bool copy) {
    // A text without values leaves its parameters null, as the engine does.
    if (!values.empty() && static_cast<int>(values.size()) != sqlite3_bind_parameter_count(m_stmt))
        throw ComError(ComError::kError, "The statement takes " + std::to_string(sqlite3_bind_parameter_count(m_stmt)) +
                                             " values, not " + std::to_string(values.size()) + ".");
    for (size_t i = 0; i < values.size(); ++i) Bind(static_cast<int>(i) + 1, values[i], copy);
}

int Statement::ColumnCount() const { return sqlite3_column_count(m_stmt); }

const char* Statement::ColumnName(int index) const { return sqlite3_column_name(m_stmt, index); }

const std::shared_ptr<ColumnNames>& Statement::ColumnNames() {
    const int reprepares = Reprepares();
    if (!m_names || reprepares != m_namesReprepares) {
        auto names = std::make_shared<ado::ColumnNames>();
        for (int i = 0; i < ColumnCount(); ++i) names->names.emplace_back(ColumnName(i));
        m_names = std::move(names);
        m_namesReprepares = reprepares;
    }
    return m_names;
}

Variant Statement::Column(int index) {
    RequireRunnable();
    return ColumnView(index).Value();
}

// One call finds the value; reading it from there spares the engine's
// checks that each column call repeats.
VariantView Statement::ColumnView(int index) {
    sqlite3_value* value = sqlite3_column_value(m_stmt, index);
    VariantView view;
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER: {
            sqlite3_int64 number = sqlite3_value_int64(value);
            if (number >= INT32_MIN && number <= INT32_MAX) view.type = VT_I4, view.integer = static_cast<int32_t>(number);
            else view.type = VT_R8, view.real = static_cast<double>(number);
            break;
        }
        case SQLITE_FLOAT: view.type = VT_R8, view.real = sqlite3_value_double(value); break;
        case SQLITE_NULL: break;
        default: {
            const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            view.type = VT_BSTR;
            view.text = text ? text : "";
            view.size = static_cast<size_t>(sqlite3_value_bytes(value));
            RunBudget::HandBack(m_run, static_cast<int64_t>(view.size));
        }
    }
    return view;
}

int64_t Statement::ColumnInt64(int index) const { return sqlite3_column_int64(m_stmt, index); }

bool Statement::ReadOnly() const { return sqlite3_stmt_readonly(m_stmt) != 0; }

int Statement::Reprepares() const {
    return m_stmt ? sqlite3_stmt_status(m_stmt, SQLITE_STMTSTATUS_REPREPARE, 0) : 0;
}

}  // namespace ado
