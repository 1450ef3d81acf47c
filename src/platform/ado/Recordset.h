// The rows of one query, read forward from the first row, column by column
// by name (case-insensitive). The rows of "Select * From T ..." on a single
// table can be written through: add a row (AddNew, PutCollect, Update),
// change the current row (PutCollect, Update) or delete it. Writes go
// through the row's rowid. A query of several tables is read-only.
//
// Rows are read from the engine as the cursor moves, from the first look at
// the recordset on, so opening a table to append to it costs the same
// whatever the table's size. A write during a walk first reads the rest of
// the result ahead: the walk still visits every row of the result exactly
// once, and no half-read query holds the engine's commit of the write back.
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/ado/Command.h"
#include "platform/ado/Connection.h"
#include "platform/ado/StatementCache.h"
#include "platform/ado/Variant.h"

namespace ado {

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
    Variant GetCollect(const char* column);
    // The same value without a copy; valid until the cursor moves or the row changes.
    const Variant& Field(const char* column);
    void PutCollect(const char* column, const Variant& value);

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
    void RequireCurrentRow();
    void Start();
    void ReadColumnNames();
    size_t ColumnIndex(const char* name) const;
    void ReadStatementRow(Row& row);
    bool FetchNext(Row& row);
    void ReadAhead();
    void Insert();
    void UpdateCurrent();

    ConnectionPtr m_connection;
    // Declared after the connection, so it goes back to the cache first.
    StatementLease m_statement;
    std::deque<Row> m_ahead;
    std::vector<std::string> m_columns;
    // The name text last found at each column: callers pass the same literals row after row.
    mutable std::vector<const char*> m_namesSeen;
    std::string m_table;
    bool m_open = false;
    bool m_started = false;
    bool m_eof = true;
    bool m_deleted = false;
    Row m_current;
    EditMode m_mode = EditMode::None;
    std::vector<Variant> m_edit;
    std::vector<bool> m_dirty;
    mutable size_t m_hint = 0;
    // The statement's prepare count when its column names were read.
    int m_reprepares = 0;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

}  // namespace ado
