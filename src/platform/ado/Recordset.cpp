#include "platform/ado/Recordset.h"

#include <algorithm>
#include <vector>

#include "platform/ado/ComError.h"
#include "platform/ado/SqlTokens.h"
#include "platform/ado/Statement.h"

namespace ado {

namespace {
// For "Select * From T", "... Where ..." or "... Order By ..." that is not a
// compound select: the table T and the offset just past the "*"; otherwise
// an empty name (a read-only query). numbered: whether the text orders or
// groups by anything, a result column's number perhaps.
std::string SingleTableOf(const std::string& sql, size_t& star, bool* numbered = nullptr) {
    const std::vector<SqlToken> tokens = SqlTokens(sql);
    if (tokens.size() < 4 || tokens[0] != "SELECT" || tokens[1] != "*" || tokens[2] != "FROM") return "";
    const SqlToken& table = tokens[3];
    const char first = sql[table.at];
    if (!IsNameChar(first) || first == '$' || (first >= '0' && first <= '9')) return "";  // a plain name only
    if (tokens.size() > 4 && tokens[4] != ";" && tokens[4] != "WHERE" && tokens[4] != "ORDER") return "";
    if (IsCompound(tokens)) return "";
    star = tokens[1].at + 1;
    if (numbered)
        *numbered = std::any_of(tokens.begin() + 4, tokens.end(),
                                [](const SqlToken& token) { return token == "ORDER" || token == "GROUP"; });
    return sql.substr(table.at, table.text.size());
}

[[noreturn]] void NoCurrentRow() {
    throw ComError(ComError::kMisuse, "Either BOF or EOF is True, or the current record has been deleted.");
}
}  // namespace

Recordset::Recordset() = default;

Recordset::~Recordset() { Close(); }

void Recordset::Open(const std::string& source, const ConnectionPtr& connection, CursorTypeEnum cursor,
                     LockTypeEnum lock, long options) {
    Open(Command{source, {}, Origin::Host}, connection, cursor, lock, options);
}

void Recordset::Open(const Command& command, const ConnectionPtr& connection, CursorTypeEnum, LockTypeEnum, long) {
    Close();
    if (!connection || !connection->IsOpen())
        throw ComError(ComError::kMisuse, "Operation is not allowed when the connection is closed.");
    // A host's condition is run as the statement it makes, read-only. Any
    // other single-table query gets the row id as its last column, so the
    // columns keep the places the text gives them (an "order by 2" too).
    StatementLease statement;
    std::string table;
    if (command.pattern) {
        PatternSlot& slot = connection->Slot(command.pattern, PatternUse::Query);
        if (slot.text.empty()) {
            const std::string text = command.textOf(command.pattern, command.values.size());
            size_t star = 0;
            slot.table = SingleTableOf(text, star);
            slot.text = connection->PinnedText(slot.table.empty() ? text
                                                                  : text.substr(0, star) + ", rowid" + text.substr(star));
        }
        statement = connection->Lend(slot);
        // The library's rows come in the order of their scan, each once.
        statement->WatchOrder();
        table = slot.table;
    } else {
        size_t star = 0;
        bool numbered = false;
        const bool host = command.origin == Origin::Host;
        table = command.origin == Origin::HostCondition ? "" : SingleTableOf(command.text, star, &numbered);
        // A host's text must prepare as it stands: the row id added after
        // its "*" would make an order by the number of the column past its
        // last one valid.
        if (table.empty() || (host && numbered)) statement = connection->Prepare(command.text, command.origin);
        if (!table.empty()) {
            try {
                statement = connection->Prepare(command.text.substr(0, star) + ", rowid" + command.text.substr(star),
                                                command.origin);
            } catch (const ComError& error) {
                // A table without row ids refuses the name: a host's query of
                // it is read-only. Any other failure is the query's.
                if (!host || error.Error() != ComError::kError) throw;
                table.clear();
                if (!statement) statement = connection->Prepare(command.text, command.origin);
            }
        }
    }
    if (!statement->ReadOnly()) throw ComError(ComError::kError, "A recordset opens only a query.");
    statement->BindAll(command.values);
    m_connection = connection;
    m_statement = std::move(statement);
    m_table = std::move(table);
    m_pattern = command.pattern;
    m_rowIdsSeen = false;
    ReadColumnNames();
    m_open = true;
    m_started = false;
    m_hint = 0;
    // A host's query stands on its first row when it opens, so one that
    // fails there fails to open; the library's reads none before a look.
    if (command.origin != Origin::Host) return;
    try {
        Start();
    } catch (...) {
        Close();
        throw;
    }
}

// A kept statement may be prepared again when it runs, after the schema
// changed: its columns are then read anew, so values never go under the
// names of the statement's earlier form.
void Recordset::ReadColumnNames() {
    m_names = m_statement->ColumnNames();
    m_columnNames = m_names->names.data();
    m_columnCount = m_names->names.size() - (m_table.empty() || m_names->names.empty() ? 0 : 1);
    m_hint = 0;
    m_reprepares = m_statement->Reprepares();
}

void Recordset::Close() noexcept {
    m_statement.reset();
    // A row added beside the read may have left the log to fold.
    if (m_connection) m_connection->FoldOwedLog();
    m_ahead.clear();
    m_aheadAt = 0;
    m_connection.reset();
    m_open = false;
    m_started = false;
    m_eof = true;
    m_deleted = false;
    m_live = false;
    m_mode = EditMode::None;
}

void Recordset::RequireOpen() const {
    if (!m_open) throw ComError(ComError::kMisuse, "Operation is not allowed when the object is closed.");
    if (!m_connection->IsOpen())
        throw ComError(ComError::kMisuse, "Operation is not allowed when the connection is closed.");
}

void Recordset::RequireWritable() const {
    if (m_table.empty()) throw ComError(ComError::kError, "The recordset of this query is read-only.");
}

// A host's table may have a column named rowid, which the query then reads
// in the place of the row id: its rows are changed or deleted by their row
// id only where none is. The library's tables are judged when the project
// is opened.
void Recordset::RequireRowIds() {
    if (m_pattern || m_rowIdsSeen) return;
    StatementLease columns = m_connection->Prepare("PRAGMA table_xinfo(" + QuoteIdentifier(m_table) + ")");
    while (columns->Step())  // cid, name, ...
        if (UpperCase(columns->Column(1).ToText()) == "ROWID")
            throw ComError(ComError::kError, "The table " + m_table +
                                                 " has a column named rowid, which a query reads in the place of "
                                                 "its row ids: its rows can be added through a query, but not "
                                                 "changed or deleted.");
    m_rowIdsSeen = true;
}

void Recordset::Start() {
    if (m_started) return;
    m_started = true;
    m_deleted = false;
    m_eof = !FetchNext();
}

// The column a name names in the form the rows come from. The first step
// may prepare a kept statement again after the schema changed, so a row's
// column is looked up once the walk has begun. A row being added before
// then looks a name it does not find up again once a step (the statement
// then set back to its start) has brought the form up to date.
size_t Recordset::CurrentColumnIndex(std::string_view column) {
    if (m_mode != EditMode::Add) {
        Start();
        return ColumnIndex(column);
    }
    try {
        return ColumnIndex(column);
    } catch (const ComError&) {
        if (m_started || !m_statement || !BringFormUpToDate()) throw;
        return ColumnIndex(column);
    }
}

bool Recordset::BringFormUpToDate() {
    const int before = m_statement->Reprepares();
    m_statement->Step();
    m_statement->Rewind();
    if (m_statement->Reprepares() == before) return false;
    // The values put so far go with their columns' names.
    const std::shared_ptr<ColumnNames> earlier = m_names;
    const size_t earlierCount = m_columnCount;
    std::vector<Variant> edit = std::move(m_edit);
    const std::vector<char> dirty = std::move(m_dirty);
    ReadColumnNames();
    m_edit.assign(m_columnCount, Variant());
    m_dirty.assign(m_columnCount, 0);
    for (size_t i = 0; i < earlierCount; ++i) {
        if (!dirty[i]) continue;
        const size_t at = ColumnIndex(earlier->names[i]);
        m_edit[at] = std::move(edit[i]);
        m_dirty[at] = 1;
    }
    return true;
}

void Recordset::RequireCurrentRow() {
    Start();
    if (m_eof || m_deleted) NoCurrentRow();
}

size_t Recordset::FindColumn(std::string_view name) const {
    const size_t count = m_columnCount;
    if (m_hint >= count) m_hint = 0;
    for (size_t i = 0, at = m_hint; i < count; ++i, at = at + 1 == count ? 0 : at + 1) {
        if (SameColumnName(m_columnNames[at], name)) {
            m_hint = at + 1;
            return at;
        }
    }
    throw ComError(ComError::kError, "Item cannot be found in the collection: " + std::string(name));
}

void Recordset::ReadStatementRow(Row& row) {
    const int count = static_cast<int>(m_columnCount);
    row.rowid = m_table.empty() ? 0 : m_statement->ColumnInt64(count);
    row.values.resize(m_columnCount);
    for (int i = 0; i < count; ++i) row.values[static_cast<size_t>(i)] = m_statement->Column(i);
}

// The row the statement stands on stays there until it is needed whole.
bool Recordset::FetchNext() {
    m_live = false;
    if (m_aheadAt < m_ahead.size()) {
        m_current = std::move(m_ahead[m_aheadAt++]);
        if (m_aheadAt == m_ahead.size()) {
            m_ahead.clear();
            m_aheadAt = 0;
        }
        return true;
    }
    if (!m_statement) return false;
    if (!m_statement->Step()) {
        m_statement.reset();
        return false;
    }
    if (m_statement->Reprepares() != m_reprepares) ReadColumnNames();
    m_live = true;  // its row id, too, is read once the row is held
    return true;
}

void Recordset::HoldCurrent() {
    if (!m_live) return;
    ReadStatementRow(m_current);
    m_live = false;
}

void Recordset::ReadAhead() {
    HoldCurrent();
    Row row;
    while (m_statement && m_statement->Step()) {
        if (m_statement->Reprepares() != m_reprepares) ReadColumnNames();
        ReadStatementRow(row);
        m_ahead.push_back(row);
    }
    m_statement.reset();
}

bool Recordset::IsEOF() {
    RequireOpen();
    Start();
    return m_eof;
}

void Recordset::MoveNext() {
    RequireOpen();
    if (m_mode != EditMode::None) Update();
    Start();
    if (m_eof) NoCurrentRow();
    m_deleted = false;
    m_eof = !FetchNext();
}

Variant Recordset::GetCollect(std::string_view column) { return Reader().View(column).Value(); }

const Variant& Recordset::Field(std::string_view column) {
    RequireOpen();
    size_t index = CurrentColumnIndex(column);
    if (m_mode == EditMode::Add || (m_mode == EditMode::Edit && m_dirty[index])) return m_edit[index];
    RequireCurrentRow();
    HoldCurrent();
    return m_current.values[index];
}

Recordset::RowReader Recordset::Reader() {
    RequireOpen();
    if (m_mode != EditMode::Add) Start();  // the names of the form the rows come from
    if (m_live) m_statement->RequireRunnable();
    return RowReader(*this);
}

VariantView Recordset::HeldView(size_t index) {
    if (m_mode == EditMode::Add || (m_mode == EditMode::Edit && m_dirty[index])) return m_edit[index].View();
    RequireCurrentRow();
    if (m_live) return m_statement->ColumnView(static_cast<int>(index));
    return m_current.values[index].View();
}

void Recordset::PutCollect(std::string_view column, Variant&& value) {
    RequireOpen();
    RequireWritable();
    size_t index = CurrentColumnIndex(column);
    if (m_mode == EditMode::None) {
        RequireCurrentRow();
        HoldCurrent();
        m_mode = EditMode::Edit;
        m_edit = m_current.values;
        m_dirty.assign(m_columnCount, 0);
    }
    m_edit[index] = std::move(value);
    m_dirty[index] = 1;
}

void Recordset::AddNew() {
    RequireOpen();
    RequireWritable();
    if (m_mode != EditMode::None) Update();
    m_mode = EditMode::Add;
    m_edit.assign(m_columnCount, Variant());
    m_dirty.assign(m_columnCount, 0);
}

void Recordset::Update() {
    RequireOpen();
    if (m_mode == EditMode::Add) Insert();
    else if (m_mode == EditMode::Edit) UpdateCurrent();
}

template <class MakeText>
StatementLease Recordset::WriteStatement(PatternUse use, const std::vector<char>& columns, MakeText makeText) {
    if (m_pattern) {
        PatternSlot& slot = m_connection->Slot(m_pattern, use);
        if (slot.text.empty()) {
            slot.text = makeText();
            slot.columns = columns;
            slot.names = m_names;
        }
        // After a schema change the query's columns may have other names:
        // the slot's text then no longer fits, and the text goes by itself.
        if (slot.columns == columns && (slot.names == m_names || slot.names->names == m_names->names)) {
            slot.names = m_names;
            return m_connection->Lend(slot);
        }
    }
    return m_connection->Prepare(makeText());
}

// A row is added beside the read of a walk begun, which the engine allows
// but where it refuses to begin a write while a read is open (to switch the
// file to its log): then the rest of the result is read ahead, and the
// write made again.
void Recordset::Insert() {
    HoldCurrent();
    try {
        InsertRow();
    } catch (const ComError& error) {
        if (!m_started || !m_statement || error.Error() != ComError::kError) throw;
        ReadAhead();
        InsertRow();
    }
    // The cursor stays where it was; a walk not yet ended may meet the new row.
    CancelUpdate();
}

void Recordset::InsertRow() {
    m_connection->PrepareWrite();
    {
        StatementLease insert = WriteStatement(PatternUse::Insert, m_dirty, [this] {
            std::string names, marks;
            for (size_t i = 0; i < m_columnCount; ++i) {
                if (!m_dirty[i]) continue;
                names += (names.empty() ? "" : ",") + QuoteIdentifier(m_names->names[i]);
                marks += marks.empty() ? "?" : ",?";
            }
            return "INSERT INTO " + QuoteIdentifier(m_table) +
                   (names.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")");
        });
        // The values stay as they are until the statement goes back.
        int bound = 0;
        for (size_t i = 0; i < m_columnCount; ++i)
            if (m_dirty[i]) insert->Bind(++bound, m_edit[i], false);
        insert->Run();
    }
}

void Recordset::UpdateCurrent() {
    ReadAhead();
    if (std::find(m_dirty.begin(), m_dirty.end(), 1) != m_dirty.end()) {
        RequireRowIds();
        m_connection->PrepareWrite();
        StatementLease update = WriteStatement(PatternUse::Update, m_dirty, [this] {
            std::string sets;
            for (size_t i = 0; i < m_columnCount; ++i)
                if (m_dirty[i]) sets += (sets.empty() ? "" : ",") + QuoteIdentifier(m_names->names[i]) + "=?";
            return "UPDATE " + QuoteIdentifier(m_table) + " SET " + sets + " WHERE rowid=?";
        });
        int bound = 0;
        for (size_t i = 0; i < m_columnCount; ++i)
            if (m_dirty[i]) update->Bind(++bound, m_edit[i], false);
        update->Bind(++bound, m_current.rowid);
        update->Run();
    }
    m_current.values = std::move(m_edit);
    m_mode = EditMode::None;
}

void Recordset::CancelUpdate() noexcept {
    m_mode = EditMode::None;
    m_edit.clear();
    m_dirty.clear();
}

void Recordset::Delete() {
    RequireOpen();
    RequireWritable();
    RequireCurrentRow();
    CancelUpdate();
    ReadAhead();
    RequireRowIds();
    m_connection->PrepareWrite();
    StatementLease erase = WriteStatement(PatternUse::Delete, {},
                                          [this] { return "DELETE FROM " + QuoteIdentifier(m_table) + " WHERE rowid=?"; });
    erase->Bind(1, m_current.rowid);
    erase->Run();
    m_deleted = true;
}

}  // namespace ado
