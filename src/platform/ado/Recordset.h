// The rows of one query, read forward from the first row, column by column
// by name (case-insensitive). The rows of "Select * From T ..." on a single
// table can be written through: add a row (AddNew, PutCollect, Update),
// change the current row (PutCollect, Update) or delete it. Writes go
// through the row's rowid. A query of several tables is read-only.
//
// Rows are read from the engine as the cursor moves: a host's query reads
// its first row when it opens, the library's own from the first look at the
// recordset on, so opening a table to append to it costs the same whatever
// the table's size. The current row stays in the engine until a value of it
// is asked for by reference, it is edited, or the cursor moves. A change or
// deletion during a walk first reads the rest of the result ahead: the walk
// still visits every row of the result exactly once, and no half-read query
// holds the engine's commit of the write back. A row added beside a walk
// reads nothing ahead unless the engine refuses the write beside the read.
//
// A query that the library gives as a pattern is prepared, and its shape
// read, once per connection; so are the statements that write through it.
#pragma once
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ado/Command.h"
#include "platform/ado/Connection.h"
#include "platform/ado/StatementCache.h"
#include "platform/ado/Variant.h"

namespace ado {

// Whether size bytes at a and at b are the same, compared a word at a time
// in line: column names are short, and a call costs more than the compare.
// The last word of a name may overlap the one before it.
inline bool SameBytes(const char* a, const char* b, size_t size) {
    auto same = [a, b](size_t at, size_t width) {
        uint64_t x = 0, y = 0;
        std::memcpy(&x, a + at, width);
        std::memcpy(&y, b + at, width);
        return x == y;
    };
    if (size >= 8) {
        for (size_t at = 0; at + 8 < size; at += 8)
            if (!same(at, 8)) return false;
        return same(size - 8, 8);
    }
    if (size >= 4) return same(0, 4) && same(size - 4, 4);
    for (size_t at = 0; at < size; ++at)
        if (a[at] != b[at]) return false;
    return true;
}

// Whether a column's name and a name asked for are one, letters compared
// without regard to case (ASCII, as the engine compares names), whatever
// the process locale. Names of other lengths differ at once; most names
// come as the table spells them, and are found by one comparison of bytes.
inline bool SameColumnName(const std::string& column, std::string_view asked) {
    const size_t size = column.size();
    if (size != asked.size()) return false;
    if (SameBytes(column.data(), asked.data(), size)) return true;
    for (size_t i = 0; i < size; ++i) {
        unsigned char x = static_cast<unsigned char>(column[i]), y = static_cast<unsigned char>(asked[i]);
        if (static_cast<unsigned>(x - 'A') < 26u) x += 'a' - 'A';
        if (static_cast<unsigned>(y - 'A') < 26u) y += 'a' - 'A';
        if (x != y) return false;
    }
    return true;
}

// A column name as a caller passes it: no name is the empty one.
inline std::string_view ColumnNameOf(const char* name) { return name ? std::string_view(name) : std::string_view(); }

enum CursorTypeEnum { adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3 };
enum LockTypeEnum { adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3 };
enum CommandTypeEnum { adCmdText = 1 };
enum ObjectStateEnum { adStateClosed = 0, adStateOpen = 1 };

class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Opens a query (one read-only statement) and stands on its first row.
    // Cursor and lock type are accepted as given; raises ComError.
    void Open(const std::string& source, const ConnectionPtr& connection, CursorTypeEnum cursor, LockTypeEnum lock,
              long options);
    // The same for a query with values bound to its parameters; the query is
    // prepared once per connection.
    void Open(const Command& command, const ConnectionPtr& connection, CursorTypeEnum cursor, LockTypeEnum lock,
              long options);
    void Close() noexcept;
    long GetState() const { return m_open ? adStateOpen : adStateClosed; }

    bool IsEOF();
    void MoveNext();
    Variant GetCollect(const char* column) { return GetCollect(ColumnNameOf(column)); }
    Variant GetCollect(std::string_view column);
    // The same value without a copy; valid until the cursor moves or the row changes.
    const Variant& Field(std::string_view column);

    // Reads the current row column by column, as a record's row reader does:
    // what holds for the whole row is checked once, and each value is seen
    // where it is held, without a copy. Valid until the cursor moves or the
    // row changes.
    class RowReader {
    public:
        VariantView View(std::string_view column) { return m_recordset.ViewAt(m_recordset.ColumnIndex(column)); }

    private:
        friend class Recordset;
        explicit RowReader(Recordset& recordset) : m_recordset(recordset) {}
        Recordset& m_recordset;
    };
    RowReader Reader();
    VariantView View(const char* column) { return Reader().View(ColumnNameOf(column)); }
    void PutCollect(const char* column, const Variant& value) { PutCollect(ColumnNameOf(column), Variant(value)); }
    void PutCollect(const char* column, Variant&& value) { PutCollect(ColumnNameOf(column), std::move(value)); }
    void PutCollect(std::string_view column, Variant&& value);

    void AddNew();
    void Update();
    void CancelUpdate() noexcept;
    void Delete();

private:
    struct Row {
        int64_t rowid = 0;
        std::vector<Variant> values;
    };
    enum class EditMode { None, Edit, Add };

    void RequireOpen() const;
    void RequireWritable() const;
    void RequireRowIds();
    void RequireCurrentRow();
    void Start();
    size_t CurrentColumnIndex(std::string_view column);
    bool BringFormUpToDate();
    void ReadColumnNames();
    // The column a name's text names. Readers mostly ask for the columns in
    // their order, so the column after the last one found is compared first.
    // After the last column, a reader of the next row begins at the first.
    size_t ColumnIndex(std::string_view name) const {
        const size_t next = m_hint < m_columnCount ? m_hint : 0;
        if (next < m_columnCount && SameColumnName(m_columnNames[next], name)) {
            m_hint = next + 1;
            return next;
        }
        return FindColumn(name);
    }
    size_t FindColumn(std::string_view name) const;
    // The value at index, read where it is held: most often the engine's current row.
    VariantView ViewAt(size_t index) {
        if (m_live && m_mode == EditMode::None) return m_statement->ColumnView(static_cast<int>(index));
        return HeldView(index);
    }
    VariantView HeldView(size_t index);
    void ReadStatementRow(Row& row);
    bool FetchNext();
    // Copies a current row that the engine still holds into m_current.
    void HoldCurrent();
    void ReadAhead();
    void Insert();
    void InsertRow();
    void UpdateCurrent();
    // The statement of a write through this query's rows, which writes the
    // columns marked: kept in the slot of the query's pattern for use when
    // it writes the columns the slot's does, named as they were then, else
    // found by its text.
    template <class MakeText>
    StatementLease WriteStatement(PatternUse use, const std::vector<char>& columns, MakeText makeText);

    ConnectionPtr m_connection;
    // Declared after the connection, so it goes back to the cache first.
    StatementLease m_statement;
    // The rows read ahead, from m_aheadAt on.
    std::vector<Row> m_ahead;
    size_t m_aheadAt = 0;
    // The query's column names; a writable query's statement has one more, the row id.
    std::shared_ptr<ColumnNames> m_names;
    const std::string* m_columnNames = nullptr;  // m_names->names, reached in one step
    size_t m_columnCount = 0;
    std::string m_table;
    const char* m_pattern = nullptr;  // the library's pattern of the query, if any
    bool m_rowIdsSeen = false;        // the query reads its table's row ids
    bool m_open = false;
    bool m_started = false;
    bool m_eof = true;
    bool m_deleted = false;
    // Whether the current row's values are still the statement's, not yet in m_current.
    bool m_live = false;
    Row m_current;
    EditMode m_mode = EditMode::None;
    std::vector<Variant> m_edit;
    std::vector<char> m_dirty;
    mutable size_t m_hint = 0;
    // The statement's prepare count when its column names were read.
    int m_reprepares = 0;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

}  // namespace ado
