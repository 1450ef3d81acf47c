#include "platform/ado/ScanOrder.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <sqlite3.h>
#include <unordered_map>

#include "platform/ado/ComError.h"
#include "platform/ado/ProgramListing.h"
#include "platform/ado/Statement.h"

namespace ado {

namespace {
// More instructions than a query over one table compiles to.
const size_t kMostInstructions = 4096;

// What an opcode of a plain scan's program does with its operands: whether
// p2 is a jump, which registers it writes, and whether it moves the cursor
// p1 (or p3). Only programs of these opcodes have a known order.
enum class Writes { None, P2, P3, P1, P1Count, P2ToP3 };
struct Effect {
    bool jumps;
    Writes writes;
    bool movesP1;
};

const std::unordered_map<std::string_view, Effect>& Effects() {
    static const std::unordered_map<std::string_view, Effect> effects = {
        {"Init", {true, Writes::None, false}},         {"Goto", {true, Writes::None, false}},
        {"Halt", {false, Writes::None, false}},        {"Noop", {false, Writes::None, false}},
        {"Transaction", {false, Writes::None, false}}, {"TableLock", {false, Writes::None, false}},
        {"ColumnsUsed", {false, Writes::None, false}}, {"OpenRead", {false, Writes::None, false}},
        {"Rewind", {true, Writes::None, true}},        {"Last", {true, Writes::None, true}},
        {"SeekGE", {true, Writes::None, true}},        {"SeekGT", {true, Writes::None, true}},
        {"SeekLE", {true, Writes::None, true}},        {"SeekLT", {true, Writes::None, true}},
        {"SeekRowid", {true, Writes::None, true}},     {"NotExists", {true, Writes::None, true}},
        {"IdxGT", {true, Writes::None, false}},        {"IdxGE", {true, Writes::None, false}},
        {"IdxLT", {true, Writes::None, false}},        {"IdxLE", {true, Writes::None, false}},
        {"DeferredSeek", {false, Writes::None, false}}, {"IsNull", {true, Writes::None, false}},
        {"NotNull", {true, Writes::None, false}},      {"If", {true, Writes::None, false}},
        {"IfNot", {true, Writes::None, false}},        {"Eq", {true, Writes::None, false}},
        {"Ne", {true, Writes::None, false}},           {"Lt", {true, Writes::None, false}},
        {"Le", {true, Writes::None, false}},           {"Gt", {true, Writes::None, false}},
        {"Ge", {true, Writes::None, false}},           {"MustBeInt", {true, Writes::P1, false}},
        {"Affinity", {false, Writes::P1Count, false}}, {"RealAffinity", {false, Writes::None, false}},
        {"Column", {false, Writes::P3, false}},        {"Rowid", {false, Writes::P2, false}},
        {"IdxRowid", {false, Writes::P2, false}},      {"Variable", {false, Writes::P2, false}},
        {"String8", {false, Writes::P2, false}},       {"Integer", {false, Writes::P2, false}},
        {"Int64", {false, Writes::P2, false}},         {"Real", {false, Writes::P2, false}},
        {"Null", {false, Writes::P2ToP3, false}},      {"ResultRow", {false, Writes::None, false}},
        {"Next", {true, Writes::None, false}},         {"Prev", {true, Writes::None, false}},
    };
    return effects;
}

// How each key field of an index compares, from its KeyInfo as the
// listing shows it: "k(3,NOCASE,,)", "-" before a descending field's
// collation, "B" for BINARY. False for anything else.
bool ReadKeyInfo(std::string_view text, std::vector<ScanOrder::Part>& fields) {
    if (text.size() < 4 || text.substr(0, 2) != "k(" || text.back() != ')') return false;
    text = text.substr(2, text.size() - 3);
    std::vector<std::string_view> items;
    for (size_t at = 0;;) {
        const size_t comma = text.find(',', at);
        items.push_back(text.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at));
        if (comma == std::string_view::npos) break;
        at = comma + 1;
    }
    if (items.size() < 2 || items[0] != std::to_string(items.size() - 1)) return false;
    for (size_t i = 1; i < items.size(); ++i) {
        std::string_view item = items[i];
        ScanOrder::Part field{-1, ScanOrder::Collation::Binary, !item.empty() && item[0] == '-'};
        if (field.descending) item.remove_prefix(1);
        if (item == "NOCASE") field.collation = ScanOrder::Collation::NoCase;
        else if (item == "RTRIM") field.collation = ScanOrder::Collation::RTrim;
        else if (!item.empty() && item != "B" && item != "BINARY") return false;  // nulls last, another collation
        fields.push_back(field);
    }
    return true;
}

// An instruction as kept: its opcode one of Effects' names (or empty), its p4 owned.
struct Op {
    int64_t address;
    std::string_view opcode;
    int64_t p1, p2, p3;
    std::string p4;
};

// The key parts of the one scan that makes the rows of program, or false.
bool ReadScan(const std::vector<Op>& program, std::vector<ScanOrder::Part>& parts) {
    const auto& effects = Effects();
    const Op* loop = nullptr;
    const Op* result = nullptr;
    if (program.empty() || program[0].opcode != "Init") return false;
    const int64_t trampoline = program[0].p2;  // where the program's one-time start lies
    std::unordered_map<int64_t, int> writers;
    for (const Op& op : program) {
        const auto effect = effects.find(op.opcode);
        if (effect == effects.end()) return false;
        if (op.opcode == "Next" || op.opcode == "Prev") {
            if (loop || op.p2 > op.address) return false;
            loop = &op;
        } else if (op.opcode == "ResultRow") {
            if (result) return false;
            result = &op;
        } else if (effect->second.jumps && op.p2 != 0 && op.p2 <= op.address &&
                   !(op.opcode == "Goto" && op.address >= trampoline)) {
            return false;  // a loop of another kind
        }
        switch (effect->second.writes) {
            case Writes::None: break;
            case Writes::P1: ++writers[op.p1]; break;
            case Writes::P2: ++writers[op.p2]; break;
            case Writes::P3: ++writers[op.p3]; break;
            case Writes::P1Count:
                for (int64_t r = op.p1; r < op.p1 + op.p2; ++r) ++writers[r];
                break;
            case Writes::P2ToP3:
                for (int64_t r = op.p2; r <= std::max(op.p2, op.p3); ++r) ++writers[r];
                break;
        }
    }
    if (!loop || !result || result->address < loop->p2 || result->address > loop->address) return false;
    const int64_t cursor = loop->p1, top = loop->p2;
    const Op* open = nullptr;
    for (const Op& op : program) {
        if (op.opcode == "Goto" && op.address >= trampoline && op.p2 <= op.address && op.p2 >= top) return false;
        if (op.opcode == "OpenRead" && op.p1 == cursor) {
            if (open) return false;
            open = &op;
        }
        // Nothing moves the scan's cursor once its loop has begun.
        const bool moves = (effects.at(op.opcode).movesP1 && op.p1 == cursor) ||
                           (op.opcode == "DeferredSeek" && op.p3 == cursor);
        if (moves && op.address >= top) return false;
    }
    if (!open) return false;
    // The result column that only the instruction opcode (p2 or p3) on the cursor writes.
    const int64_t first = result->p1, count = result->p2;
    auto columnOf = [&](std::string_view opcode, int64_t field) {
        for (const Op& op : program) {
            if (op.opcode != opcode || op.p1 != cursor || (opcode == "Column" && op.p2 != field)) continue;
            const int64_t reg = opcode == "Column" ? op.p3 : op.p2;
            if (reg >= first && reg < first + count && writers[reg] == 1) return static_cast<int>(reg - first);
        }
        return -1;
    };
    const bool backward = loop->opcode == "Prev";
    std::vector<ScanOrder::Part> fields;
    if (open->p4.rfind("k(", 0) == 0) {
        // An index: its key columns, then the row id unless the last field is a key column.
        if (!ReadKeyInfo(open->p4, fields)) return false;
        for (size_t j = 0; j < fields.size(); ++j) {
            fields[j].column = columnOf("Column", static_cast<int64_t>(j));
            if (fields[j].column >= 0) continue;
            if (j + 1 < fields.size()) return false;
            fields.pop_back();
        }
        fields.push_back({columnOf("IdxRowid", 0), ScanOrder::Collation::RowId, false});
        if (fields.back().column < 0) fields.pop_back();
        if (fields.empty()) return false;
    } else {
        fields.push_back({columnOf("Rowid", 0), ScanOrder::Collation::RowId, false});
        if (fields.back().column < 0) return false;
    }
    for (ScanOrder::Part& part : fields) part.descending = part.descending != backward;
    parts = std::move(fields);
    return true;
}

int EncodingOf(sqlite3* db) {
    Statement pragma(db, "PRAGMA encoding");
    if (!pragma.Step()) return SQLITE_UTF8;
    const std::string name = pragma.Column(0).ToText();
    return name == "UTF-16le" ? SQLITE_UTF16LE : name == "UTF-16be" ? SQLITE_UTF16BE : SQLITE_UTF8;
}
}  // namespace

std::shared_ptr<const ScanOrder> ScanOrder::Of(sqlite3* db, const std::string& sql) {
    auto order = std::make_shared<ScanOrder>();
    try {
        std::vector<Op> program;
        const Listing listing = ListProgram(db, sql, kMostInstructions, [&](const Instruction& at) {
            const auto effect = Effects().find(at.opcode);
            // An opcode of no plain scan is kept as none, which no scan has.
            program.push_back({at.address, effect == Effects().end() ? std::string_view() : effect->first, at.p1,
                               at.p2, at.p3, at.p4 ? std::string(*at.p4) : std::string()});
            return true;
        });
        if (listing != Listing::Whole || !ReadScan(program, order->parts)) return nullptr;
        // Only a binary collation compares texts in the database's own encoding.
        if (std::any_of(order->parts.begin(), order->parts.end(),
                        [](const Part& part) { return part.collation == Collation::Binary; }))
            order->encoding = EncodingOf(db);
    } catch (const ComError& error) {
        // A statement that ran out of memory inside a transaction had the
        // engine roll the transaction back: the caller's run fails with it.
        if (error.Error() == ComError::kNoMemory) throw std::bad_alloc();
        return nullptr;
    }
    return order;
}

namespace {
// The order of types in SQLite's comparison: NULL, numbers, texts, blobs.
int TypeRank(int type) {
    switch (type) {
        case SQLITE_NULL: return 0;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT: return 1;
        case SQLITE_TEXT: return 2;
        default: return 3;
    }
}

int Sign(int64_t difference) { return difference < 0 ? -1 : difference > 0; }

// An integer against a real, exactly, as SQLite compares them.
int CompareIntegerReal(int64_t integer, double real) {
    if (real < -9223372036854775808.0) return 1;
    if (real >= 9223372036854775808.0) return -1;
    const int64_t whole = static_cast<int64_t>(real);
    if (integer != whole) return integer < whole ? -1 : 1;
    const double exact = static_cast<double>(integer);
    return exact < real ? -1 : exact > real;
}

int CompareBytes(const std::string& a, const std::string& b) {
    const int common = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return common != 0 ? common : Sign(static_cast<int64_t>(a.size()) - static_cast<int64_t>(b.size()));
}

// SQLite's NOCASE: ASCII letters folded byte by byte, up to a NUL of the first.
int CompareNoCase(const std::string& a, const std::string& b) {
    auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x == 0 && y == 0) break;
        if (x == 0 || fold(x) != fold(y)) return Sign(fold(x) - fold(y));
    }
    return Sign(static_cast<int64_t>(a.size()) - static_cast<int64_t>(b.size()));
}

std::string WithoutTrailingSpaces(const std::string& text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}
}  // namespace

// Two values as SQLite orders them: NULL, numbers, texts by their
// collation, blobs.
int OrderWatch::Compare(const Value& a, const Value& b, ScanOrder::Collation collation) {
    if (TypeRank(a.type) != TypeRank(b.type)) return TypeRank(a.type) < TypeRank(b.type) ? -1 : 1;
    switch (a.type) {
        case SQLITE_NULL: return 0;
        case SQLITE_INTEGER:
            if (b.type == SQLITE_FLOAT) return CompareIntegerReal(a.integer, b.real);
            return a.integer < b.integer ? -1 : a.integer > b.integer;
        case SQLITE_FLOAT:
            if (b.type == SQLITE_INTEGER) return -CompareIntegerReal(b.integer, a.real);
            return a.real < b.real ? -1 : a.real > b.real;
        case SQLITE_TEXT:
            if (collation == ScanOrder::Collation::NoCase) return CompareNoCase(a.bytes, b.bytes);
            return CompareBytes(a.bytes, b.bytes);
        default: return CompareBytes(a.bytes, b.bytes);
    }
}

bool OrderWatch::Rises(const ScanOrder& order, sqlite3_stmt* statement) {
    // A table's scan, most lists', compares row ids alone.
    if (order.parts.size() == 1 && order.parts[0].collation == ScanOrder::Collation::RowId) {
        const int64_t rowid = sqlite3_column_int64(statement, order.parts[0].column);
        const bool rises = !m_seen || (order.parts[0].descending ? rowid < m_lastRowid : rowid > m_lastRowid);
        m_lastRowid = rowid;
        m_seen = true;
        return rises;
    }
    m_next.resize(order.parts.size());
    for (size_t i = 0; i < order.parts.size(); ++i) {
        const ScanOrder::Part& part = order.parts[i];
        sqlite3_value* value = sqlite3_column_value(statement, part.column);
        Value& next = m_next[i];
        next.type = sqlite3_value_type(value);
        if (next.type == SQLITE_INTEGER) next.integer = sqlite3_value_int64(value);
        if (next.type == SQLITE_FLOAT) next.real = sqlite3_value_double(value);
        if (next.type != SQLITE_TEXT && next.type != SQLITE_BLOB) continue;
        // A binary collation compares a text's bytes as stored; the others are SQLite's in UTF-8.
        const bool utf16 = next.type == SQLITE_TEXT && part.collation == ScanOrder::Collation::Binary &&
                           order.encoding != SQLITE_UTF8;
        const void* bytes = next.type == SQLITE_BLOB           ? sqlite3_value_blob(value)
                            : !utf16                           ? sqlite3_value_text(value)
                            : order.encoding == SQLITE_UTF16LE ? sqlite3_value_text16le(value)
                                                               : sqlite3_value_text16be(value);
        const int size = utf16 ? sqlite3_value_bytes16(value) : sqlite3_value_bytes(value);
        next.bytes.assign(bytes ? static_cast<const char*>(bytes) : "", bytes ? static_cast<size_t>(size) : 0);
        if (part.collation == ScanOrder::Collation::RTrim) next.bytes = WithoutTrailingSpaces(next.bytes);
    }
    int comparison = 0;
    for (size_t i = 0; m_seen && comparison == 0 && i < order.parts.size(); ++i) {
        comparison = Compare(m_last[i], m_next[i], order.parts[i].collation);
        if (order.parts[i].descending) comparison = -comparison;
    }
    const bool rises = !m_seen || comparison < 0;
    m_last.swap(m_next);
    m_seen = true;
    return rises;
}

}  // namespace ado
