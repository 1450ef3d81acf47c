// The order in which a query hands back its rows, read from the program
// SQLite compiles for it (internal to the database layer). A b-tree whose
// pages lead back into themselves hands the same rows back again and
// again, each time in its order: so a query whose rows come from one pass
// over one b-tree sees them rise in that tree's order (a table's row ids,
// an index's key and row id), and a row that does not rise is one read
// again. The order is known where the program is one loop over one cursor
// that makes at most one row each time round and no cursor's place moves
// back meanwhile, and the row holds the tree's whole key; for any other
// program none is known, and no order is watched.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

class ScanOrder {
public:
    // The order of the rows of sql (one query) on db; null where none is known.
    static std::shared_ptr<const ScanOrder> Of(sqlite3* db, const std::string& sql);

    // How texts compare; a row id is an integer, and compares as one.
    enum class Collation { Binary, NoCase, RTrim, RowId };
    // A part of the key, most significant first: the result column that
    // holds it, how its texts compare, and whether the rows come in its
    // descending order.
    struct Part {
        int column;
        Collation collation;
        bool descending;
    };
    std::vector<Part> parts;
    // The database's text encoding (SQLITE_UTF8, SQLITE_UTF16LE or
    // SQLITE_UTF16BE): the bytes its binary collation compares. Read only
    // where a part compares so.
    int encoding = 1;  // SQLITE_UTF8
};

// Follows the rows of the runs of one statement in its scan's order.
class OrderWatch {
public:
    // A run begins: its first row rises whatever it is.
    void Restart() { m_seen = false; }
    bool AtFirstRow() const { return !m_seen; }
    // Whether the row statement stands on comes after the run's row before
    // it in order; remembers it for the next.
    bool Rises(const ScanOrder& order, sqlite3_stmt* statement);

private:
    // A key part's value, its text's bytes as the part compares them.
    struct Value {
        int type = 0;
        int64_t integer = 0;
        double real = 0;
        std::string bytes;
    };
    static int Compare(const Value& a, const Value& b, ScanOrder::Collation collation);

    bool m_seen = false;
    int64_t m_lastRowid = 0;
    std::vector<Value> m_last, m_next;
};

}  // namespace ado
