#include "platform/ado/WriteProgram.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <sqlite3.h>
#include <unordered_map>

#include "platform/ado/Statement.h"

namespace ado {

namespace {
const char kSeveralClauses[] = "a conflict clause";
const char kReplace[] = "ON CONFLICT REPLACE";

// A compiled program: each instruction's opcode and its operands p1 to p5,
// p4 as text or null, as EXPLAIN lists them. An opcode's name is short
// enough to be held without an allocation of its own.
struct Instruction {
    std::string opcode;
    int64_t p1, p2, p3, p5;
    std::optional<std::string> p4;
    bool operator==(const Instruction& o) const {
        return p1 == o.p1 && p2 == o.p2 && p3 == o.p3 && p5 == o.p5 && opcode == o.opcode && p4 == o.p4;
    }
    bool operator!=(const Instruction& other) const { return !(*this == other); }
};
using Program = std::vector<Instruction>;

// Instructions a program may hold beyond a multiple of another's.
const size_t kSlack = 64;

// A write that checks more keys than kFewKeys may have REPLACE code of a
// size square in the table's keys and indexes; kManyKeys times a table's
// insert is the most REPLACE code that the check lets SQLite make.
const size_t kFewKeys = 4, kManyKeys = 64;

// The keys (unique indexes) of a table, and how many are on each column (by NameKey).
struct Keys {
    size_t count = 0;
    std::unordered_map<std::string, size_t> on;
    explicit Keys(const std::vector<IndexShape>& indexes) {
        for (const IndexShape& index : indexes)
            if (index.unique) {
                ++count;
                for (const std::string& column : index.columns) ++on[NameKey(column)];
            }
    }
    size_t On(const std::string& column) const {
        const auto found = on.find(NameKey(column));
        return found == on.end() ? 0 : found->second;
    }
};

// The connection's limit on the instructions of a program while it lives.
// SQLite doubles a program's array of instructions as it fills it and fails
// the prepare (out of memory) before the array would outgrow the limit:
// twice a count and a little more lets every program of that count compile.
class InstructionLimit {
public:
    InstructionLimit(sqlite3* db, size_t most)
        : m_db(db),
          m_before(sqlite3_limit(db, SQLITE_LIMIT_VDBE_OP,
                                 static_cast<int>(std::min<size_t>(2 * most + kSlack, INT_MAX)))) {}
    ~InstructionLimit() { sqlite3_limit(m_db, SQLITE_LIMIT_VDBE_OP, m_before); }
    InstructionLimit(const InstructionLimit&) = delete;
    InstructionLimit& operator=(const InstructionLimit&) = delete;

private:
    sqlite3* m_db;
    int m_before;
};

// The program that explain lists, or larger set when it has more than most
// instructions.
Program Listed(Statement& explain, size_t most, bool& larger) {
    Program program;  // addr, opcode, p1, p2, p3, p4, p5, comment
    while (explain.Step()) {
        if (program.size() == most) {
            larger = true;
            return Program();
        }
        const Variant p4 = explain.Column(5);
        program.push_back({explain.Column(1).ToText(), explain.ColumnInt64(2), explain.ColumnInt64(3),
                           explain.ColumnInt64(4), explain.ColumnInt64(6),
                           p4.IsNull() ? std::nullopt : std::optional<std::string>(p4.ToText())});
    }
    return program;
}

// The program of sql: one of a write that holds no REPLACE code, whose size
// grows with the table's columns and keys. Raises ComError.
Program Compiled(sqlite3* db, const std::string& sql) {
    Statement explain(db, "EXPLAIN " + sql);
    bool larger = false;
    return Listed(explain, SIZE_MAX, larger);
}

// The program of sql; none when it holds more than most instructions, which
// are then never kept, so memory stays within a multiple of most whatever
// the schema makes of sql (REPLACE code deletes from every index of the
// table, and grows with the square of its keys). SQLite still walks the
// code it would make, at a few nanoseconds an instruction: the callers ask
// for no program of many keys' REPLACE code (LastKeyClause). A program
// SQLite cannot make for want of memory counts as larger too. No statement
// of db may be running meanwhile: SQLite would interrupt it.
std::optional<Program> Compiled(sqlite3* db, const std::string& sql, size_t most) {
    const InstructionLimit limit(db, most);
    std::optional<Statement> explain;
    try {
        explain.emplace(db, "EXPLAIN " + sql);
    } catch (const ComError& error) {
        if (error.Error() == SQLITE_NOMEM) return std::nullopt;
        throw;
    }
    bool larger = false;
    Program program = Listed(*explain, most, larger);
    if (larger) return std::nullopt;
    return program;
}

// Whether sql compiles to program; a larger program is never made.
bool CompilesTo(sqlite3* db, const std::string& sql, const Program& program) {
    const std::optional<Program> other = Compiled(db, sql, program.size());
    return other && *other == program;
}

// The conflict clause by which plain, the program of verb + rest (a write
// of one statement), compiles otherwise than with "OR ABORT": "ON CONFLICT
// REPLACE" when it compiles as with "OR REPLACE", likewise IGNORE, ROLLBACK
// and FAIL; "a conflict clause" when no one of them does (several kinds).
// "OR REPLACE" is compiled only where the write checks few keys: it makes
// REPLACE code for each, and plain has none beside many keys (LastKeyClause).
std::string OneClause(sqlite3* db, const Program& plain, const std::string& verb, const std::string& rest,
                      size_t keys) {
    for (const char* clause : {"REPLACE", "IGNORE", "ROLLBACK", "FAIL"})
        if ((keys <= kFewKeys || clause[0] != 'R') && CompilesTo(db, verb + " OR " + clause + rest, plain))
            return std::string("ON CONFLICT ") + clause;
    return kSeveralClauses;
}

// The halts of program on a NOT NULL, UNIQUE or PRIMARY KEY conflict, in
// order: the constraint's columns as the engine names them ("T.A, T.B"),
// and what the conflict does (p2: 1 ROLLBACK, 2 ABORT, 3 FAIL).
std::vector<std::pair<std::string, int64_t>> ConstraintHalts(const Program& program) {
    std::vector<std::pair<std::string, int64_t>> halts;
    for (const Instruction& instruction : program)
        if ((instruction.opcode == "Halt" || instruction.opcode == "HaltIfNull") && instruction.p4 &&
            (instruction.p1 == SQLITE_CONSTRAINT_NOTNULL || instruction.p1 == SQLITE_CONSTRAINT_UNIQUE ||
             instruction.p1 == SQLITE_CONSTRAINT_PRIMARYKEY))
            halts.emplace_back(*instruction.p4, instruction.p2);
    return halts;
}

// Of the constraints that the insert program abort halts on, the first that
// plain (the insert as the table's clauses make it) does not halt on as
// ABORT: its clause when plain shows it (ROLLBACK, FAIL), "" when plain has
// no halt for it (REPLACE or IGNORE); column gets its first column, or ""
// when the engine's name for it is not one of columns. False when plain
// halts on every constraint as abort does.
bool FirstOtherConstraint(const Program& abort, const Program& plain, const std::string& table,
                          const std::vector<ColumnShape>& columns, std::string& clause, std::string& column) {
    std::unordered_map<std::string, std::vector<int64_t>> plainHalts;
    for (const auto& [names, onError] : ConstraintHalts(plain)) plainHalts[names].push_back(onError);
    for (const auto& [names, onError] : ConstraintHalts(abort)) {
        const std::vector<int64_t>& handled = plainHalts[names];
        const int64_t asAbort = onError;  // a lambda may not name a structured binding before C++20
        const auto other = std::find_if(handled.begin(), handled.end(), [&](int64_t p2) { return p2 != asAbort; });
        if (!handled.empty() && other == handled.end()) continue;
        clause = handled.empty() ? ""
                 : *other == 1   ? "ON CONFLICT ROLLBACK"
                 : *other == 3   ? "ON CONFLICT FAIL"
                                 : kSeveralClauses;
        const std::string prefix = table + ".";
        column.clear();
        if (names.compare(0, prefix.size(), prefix) == 0) {
            const std::string first = names.substr(prefix.size(), names.find(", " + prefix) - prefix.size());
            for (const ColumnShape& known : columns)
                if (known.name == first) column = first;
        }
        return true;
    }
    return false;
}

// The clause of a key of a table of many keys (indexes, read in index_list's
// order), found without compiling its plain insert, which would make the
// REPLACE code of every such key; "" when none is found this way. SQLite
// keeps a table's keys with REPLACE after all its other indexes, so the last
// index is such a key when any is: an update of one of its columns (the
// one on the fewest keys), which checks only the keys on that column,
// tells. Its REPLACE code deletes from every index, for each of those keys;
// where that could outgrow a multiple of the insert with "OR ABORT" (of
// size), the table is refused. The order spares only the cost: the insert
// is compiled after, and compared within its bound.
std::string LastKeyClause(sqlite3* db, const std::string& table, const std::vector<IndexShape>& indexes,
                          const Keys& keys, size_t size) {
    if (keys.count <= kFewKeys || !indexes.back().unique || indexes.back().columns.empty()) return std::string();
    const std::vector<std::string>& last = indexes.back().columns;
    const std::string column = *std::min_element(
        last.begin(), last.end(), [&](const std::string& a, const std::string& b) { return keys.On(a) < keys.On(b); });
    size_t deletion = 0;  // about the instructions that delete a row from every index
    for (const IndexShape& index : indexes) deletion += index.columns.size() + 3;
    if (keys.On(column) * deletion > kManyKeys * size) return "keys that share their columns too widely to be judged";
    const std::string rest = " main." + QuoteIdentifier(table) + " SET " + QuoteIdentifier(column) + " = ?";
    const Program asAbort = Compiled(db, "UPDATE OR ABORT" + rest);
    const std::optional<Program> update = Compiled(db, "UPDATE" + rest, 2 * asAbort.size() + kSlack);
    if (update && *update == asAbort) return std::string();
    return (update ? OneClause(db, *update, "UPDATE", rest, keys.On(column)) : kReplace) + " on column " +
           QuoteIdentifier(column);
}

// CHECK constraints ignored on db while it lives.
class ChecksIgnored {
public:
    explicit ChecksIgnored(sqlite3* db) : m_db(db) { Statement(db, "PRAGMA ignore_check_constraints=1").Run(); }
    ~ChecksIgnored() { sqlite3_exec(m_db, "PRAGMA ignore_check_constraints=0", nullptr, nullptr, nullptr); }
    ChecksIgnored(const ChecksIgnored&) = delete;
    ChecksIgnored& operator=(const ChecksIgnored&) = delete;

private:
    sqlite3* m_db;
};

// Whether the defaults that program computes are constants, each loaded in
// one instruction where nulls compiles a NULL: the two differ in nothing else.
bool DefaultsAreConstants(const Program& defaults, const Program& nulls) {
    static const char* const kConstants[] = {"Null", "Integer", "Int64", "Real", "String8", "String", "Blob"};
    if (defaults.size() != nulls.size()) return false;
    std::unordered_map<std::string, long> others;
    for (const Program* program : {&defaults, &nulls}) {
        const long sign = program == &defaults ? 1 : -1;
        for (const Instruction& instruction : *program) {
            bool constant = false;
            for (const char* name : kConstants) constant = constant || instruction.opcode == name;
            if (!constant) others[instruction.opcode] += sign;
        }
    }
    for (const auto& [opcode, count] : others)
        if (count != 0) return false;
    return true;
}
}  // namespace

std::string WriteRules(sqlite3* db, const std::string& table, const std::vector<ColumnShape>& columns,
                       const std::vector<IndexShape>& indexes) {
    // Every column in table order, so no list of names: SQLite finds each
    // name of a list by a search of all columns, which would take square time.
    const std::string into = " INTO main." + QuoteIdentifier(table);
    std::string values, nulls;
    for (size_t i = 0; i < columns.size(); ++i) {
        values += i ? ", ?" : "?";
        nulls += i ? ", NULL" : "NULL";
    }
    const std::string row = " VALUES (" + values + ")";
    // Only REPLACE code, which deletes the row from every index, makes the
    // plain insert more than a little larger than "INSERT OR ABORT": every
    // other clause takes the place of a halt. A plain program that would be
    // larger is never made: the table has REPLACE code.
    auto bound = [](const Program& program) { return 2 * program.size() + kSlack; };
    Program unchecked;
    {
        ChecksIgnored ignored(db);
        unchecked = Compiled(db, "INSERT OR ABORT" + into + row);
    }
    const Keys keys(indexes);
    const std::string lastKey = LastKeyClause(db, table, indexes, keys, unchecked.size());
    if (!lastKey.empty()) return lastKey;
    std::optional<Program> plain = Compiled(db, "INSERT" + into + row, bound(unchecked));
    if (!plain || *plain != unchecked) {
        const Program abort = Compiled(db, "INSERT OR ABORT" + into + row);
        // The code of CHECK constraints may make a program larger too.
        if (!plain && abort.size() > unchecked.size()) plain = Compiled(db, "INSERT" + into + row, bound(abort));
        if (!plain) return kReplace;
        if (*plain == abort) return "a CHECK constraint";
        std::string clause = OneClause(db, *plain, "INSERT", into + row, keys.count);
        if (clause != kSeveralClauses) return clause;
        // Several kinds: the first constraint with a clause of its own is
        // named, from the halts of the two programs. Its kind is REPLACE or
        // IGNORE where plain has no halt for it: an update of its first
        // column, which checks only the constraints on that column, tells.
        // Its REPLACE code is part of the plain insert's, so is bounded.
        std::string column;
        if (!FirstOtherConstraint(abort, *plain, table, columns, clause, column) || column.empty())
            return kSeveralClauses;
        if (clause.empty()) {
            const std::string rest = " main." + QuoteIdentifier(table) + " SET " + QuoteIdentifier(column) + " = ?";
            const Program asAbort = Compiled(db, "UPDATE OR ABORT" + rest);
            const std::optional<Program> update =
                Compiled(db, "UPDATE" + rest, bound(asAbort) + plain->size());
            clause = !update                ? kReplace
                     : *update == asAbort ? kSeveralClauses
                                            : OneClause(db, *update, "UPDATE", rest, keys.On(column));
        }
        return clause + " on column " + QuoteIdentifier(column);
    }
    const bool defaults = std::any_of(columns.begin(), columns.end(), [](const ColumnShape& c) { return c.hasDefault; });
    if (!defaults) return std::string();
    const Program loaded = Compiled(db, "INSERT OR ABORT" + into + " VALUES (" + nulls + ")");
    const std::optional<Program> computed = Compiled(db, "INSERT OR ABORT" + into + " DEFAULT VALUES", loaded.size());
    return computed && DefaultsAreConstants(*computed, loaded) ? std::string() : "a default expression";
}

}  // namespace ado
