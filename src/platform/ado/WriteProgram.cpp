#include "platform/ado/WriteProgram.h"

#include <algorithm>
#include <sqlite3.h>
#include <unordered_map>

#include "platform/ado/ProgramListing.h"
#include "platform/ado/Statement.h"

namespace ado {

namespace {
const char kSeveralClauses[] = "a conflict clause";
const char kReplace[] = "ON CONFLICT REPLACE";
const char kTooLarge[] = "writes too large to be judged";

// Instructions a program may hold beyond a multiple of another's.
const size_t kSlack = 64;

// A write that checks more keys than kFewKeys may have REPLACE code of a
// size square in the table's keys and indexes; kManyKeys times a table's
// insert is the most REPLACE code that the check lets SQLite make.
const size_t kFewKeys = 4, kManyKeys = 64;

// What a program bounded to n instructions may take, per instruction of n:
// SQLite's array of instructions (24 bytes each, up to twice n as SQLite
// doubles it, or a program of up to twice n made whole), its registers
// (about one an instruction, 56 bytes each), and the compact copies the
// check keeps of it and of the program it is compared with.
const size_t kBytesPerInstruction = 200;
// The memory the programs may take whatever the schema, and the multiple of
// the memory of the schema SQLite loaded that they may take beyond.
const size_t kFewBytes = size_t(8) << 20, kSchemaMultiple = 2;

// The keys (unique indexes) of a table, and how many are on each column (by its cid).
struct Keys {
    size_t count = 0;
    std::unordered_map<int32_t, size_t> on;
    explicit Keys(const std::vector<IndexShape>& indexes) {
        for (const IndexShape& index : indexes)
            if (index.unique) {
                ++count;
                for (const int32_t column : index.columns) ++on[column];
            }
    }
    size_t On(int32_t column) const {
        const auto found = on.find(column);
        return found == on.end() ? 0 : found->second;
    }
};

// CHECK constraints ignored on db, or checked, while it lives.
class CheckConstraints {
public:
    CheckConstraints(sqlite3* db, bool ignored) : m_db(db), m_ignored(ignored) { Set(ignored, true); }
    ~CheckConstraints() { Set(!m_ignored, false); }
    CheckConstraints(const CheckConstraints&) = delete;
    CheckConstraints& operator=(const CheckConstraints&) = delete;

private:
    void Set(bool ignored, bool raise) {
        const std::string sql = std::string("PRAGMA ignore_check_constraints=") + (ignored ? "1" : "0");
        if (raise) Statement(m_db, sql).Run();
        else sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
    }
    sqlite3* m_db;
    bool m_ignored;
};

// Constants coded where they are used, on db while it lives. SQLite
// otherwise moves each constant out of a program's body and first looks for
// it among all it moved before, in time square in a CHECK constraint's
// constants. The switch is the engine's set of optimizations turned off
// (its constant factoring, bit 0x8); SQLite has it only as a test control,
// and compiles the same programs more slowly where the control is missing.
class ConstantsInPlace {
public:
    explicit ConstantsInPlace(sqlite3* db) : m_db(db) { Set(kFactorOutConstants); }
    ~ConstantsInPlace() { Set(0); }
    ConstantsInPlace(const ConstantsInPlace&) = delete;
    ConstantsInPlace& operator=(const ConstantsInPlace&) = delete;

private:
    static const unsigned kFactorOutConstants = 0x8;
    void Set(unsigned disabled) { sqlite3_test_control(SQLITE_TESTCTRL_OPTIMIZATIONS, m_db, disabled); }
    sqlite3* m_db;
};

// The program of sql kept, held to most and then to budget instructions;
// tooLarge set when budget was the tighter bound and too tight.
std::optional<CompactProgram> Kept(sqlite3* db, const std::string& sql, size_t most, size_t budget,
                                   bool& tooLarge) {
    std::optional<CompactProgram> program = KeptProgram(db, sql, std::min(most, budget));
    tooLarge = !program && budget < most;
    return program;
}

// The conflict clause by which plain, the program of verb + rest (a write
// of one statement), compiles otherwise than with "OR ABORT": "ON CONFLICT
// REPLACE" when it compiles as with "OR REPLACE", likewise IGNORE, ROLLBACK
// and FAIL; "a conflict clause" when no one of them does (several kinds).
// "OR REPLACE" is compiled only where the write checks few keys: it makes
// REPLACE code for each, and plain has none beside many keys (LastKeyClause).
std::string OneClause(sqlite3* db, const CompactProgram& plain, const std::string& verb, const std::string& rest,
                      size_t keys) {
    for (const char* clause : {"REPLACE", "IGNORE", "ROLLBACK", "FAIL"})
        if ((keys <= kFewKeys || clause[0] != 'R') && CompilesTo(db, verb + " OR " + clause + rest, plain))
            return std::string("ON CONFLICT ") + clause;
    return kSeveralClauses;
}

// The clause that an update of column, which checks only the constraints on
// it, tells apart: its program held to a multiple of the update with "OR
// ABORT", and extra instructions more; kReplace when it outgrows that, as
// only REPLACE code does; "" when it compiles as with "OR ABORT".
std::string UpdateClause(sqlite3* db, const std::string& table, const std::string& column, size_t keys,
                         size_t extra, size_t budget) {
    const std::string rest = " main." + QuoteIdentifier(table) + " SET " + QuoteIdentifier(column) + " = ?";
    const std::optional<CompactProgram> asAbort = KeptProgram(db, "UPDATE OR ABORT" + rest, budget);
    if (!asAbort) return kTooLarge;
    bool tooLarge = false;
    const std::optional<CompactProgram> update =
        Kept(db, "UPDATE" + rest, 2 * asAbort->Size() + kSlack + extra, budget, tooLarge);
    if (tooLarge) return kTooLarge;
    if (!update) return kReplace;
    return *update == *asAbort ? std::string() : OneClause(db, *update, "UPDATE", rest, keys);
}

// The halts of program on a NOT NULL, UNIQUE or PRIMARY KEY conflict, in
// order: the constraint's columns as the engine names them ("T.A, T.B"),
// and what the conflict does (p2: 1 ROLLBACK, 2 ABORT, 3 FAIL).
std::vector<std::pair<std::string, int64_t>> ConstraintHalts(const CompactProgram& program) {
    std::vector<std::pair<std::string, int64_t>> halts;
    program.ForEach([&](const Instruction& instruction) {
        if ((instruction.opcode == "Halt" || instruction.opcode == "HaltIfNull") && instruction.p4 &&
            (instruction.p1 == SQLITE_CONSTRAINT_NOTNULL || instruction.p1 == SQLITE_CONSTRAINT_UNIQUE ||
             instruction.p1 == SQLITE_CONSTRAINT_PRIMARYKEY))
            halts.emplace_back(std::string(*instruction.p4), instruction.p2);
        return true;
    });
    return halts;
}

// Of the constraints that the insert program abort halts on, the first that
// plain (the insert as the table's clauses make it) does not halt on as
// ABORT: its clause when plain shows it (ROLLBACK, FAIL), "" when plain has
// no halt for it (REPLACE or IGNORE); column gets the cid of its first
// column, or -1 when the engine's name for it is not one of columns. False
// when plain halts on every constraint as abort does.
bool FirstOtherConstraint(const CompactProgram& abort, const CompactProgram& plain, const std::string& table,
                          const std::vector<ColumnShape>& columns, std::string& clause, int32_t& column) {
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
        column = -1;
        if (names.compare(0, prefix.size(), prefix) == 0) {
            const std::string first = names.substr(prefix.size(), names.find(", " + prefix) - prefix.size());
            for (size_t cid = 0; cid < columns.size(); ++cid)
                if (columns[cid].name == first) column = static_cast<int32_t>(cid);
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
std::string LastKeyClause(sqlite3* db, const std::string& table, const std::vector<ColumnShape>& columns,
                          const std::vector<IndexShape>& indexes, const Keys& keys, size_t size, size_t budget) {
    if (keys.count <= kFewKeys || !indexes.back().unique || indexes.back().columns.empty()) return std::string();
    const std::vector<int32_t>& last = indexes.back().columns;
    const int32_t column =
        *std::min_element(last.begin(), last.end(), [&](int32_t a, int32_t b) { return keys.On(a) < keys.On(b); });
    size_t deletion = 0;  // about the instructions that delete a row from every index
    for (const IndexShape& index : indexes) deletion += index.columns.size() + 3;
    if (keys.On(column) * deletion > kManyKeys * size) return "keys that share their columns too widely to be judged";
    const std::string& name = ColumnName(columns, column);
    const std::string clause = UpdateClause(db, table, name, keys.On(column), 0, budget);
    return clause.empty() || clause == kTooLarge ? clause : clause + " on column " + QuoteIdentifier(name);
}

// The conflict clause of the table (WriteRules), "" when it has none; abort
// is its insert (rest) with "OR ABORT". Only REPLACE code, which deletes
// the row from every index, makes the plain insert more than a little
// larger than that: every other clause takes the place of a halt. A plain
// program that would be larger is never made: the table has REPLACE code.
std::string ConflictClause(sqlite3* db, const std::string& table, const std::vector<ColumnShape>& columns,
                           const std::vector<IndexShape>& indexes, const Keys& keys, const std::string& rest,
                           const CompactProgram& abort, size_t budget) {
    const std::string lastKey = LastKeyClause(db, table, columns, indexes, keys, abort.Size(), budget);
    if (!lastKey.empty()) return lastKey;
    bool tooLarge = false;
    const std::optional<CompactProgram> plain = Kept(db, "INSERT" + rest, 2 * abort.Size() + kSlack, budget, tooLarge);
    if (!plain) return tooLarge ? kTooLarge : kReplace;
    if (*plain == abort) return std::string();
    std::string clause = OneClause(db, *plain, "INSERT", rest, keys.count);
    if (clause != kSeveralClauses) return clause;
    // Several kinds: the first constraint with a clause of its own is
    // named, from the halts of the two programs. Its kind is REPLACE or
    // IGNORE where plain has no halt for it: an update of its first
    // column, which checks only the constraints on that column, tells.
    // Its REPLACE code is part of the plain insert's, so is bounded.
    int32_t column = -1;
    if (!FirstOtherConstraint(abort, *plain, table, columns, clause, column) || column < 0) return kSeveralClauses;
    const std::string& name = ColumnName(columns, column);
    if (clause.empty()) {
        clause = UpdateClause(db, table, name, keys.On(column), plain->Size(), budget);
        if (clause.empty()) clause = kSeveralClauses;
    }
    return clause == kTooLarge ? clause : clause + " on column " + QuoteIdentifier(name);
}

// About the most instructions the insert of a row into a table of columns
// and indexes compiles to with OR ABORT and no CHECK constraint: a few for
// each column (its value, its NOT NULL test), and for each index its key's
// columns, its uniqueness test and its write.
size_t ExpectedInsert(const std::vector<ColumnShape>& columns, const std::vector<IndexShape>& indexes) {
    size_t instructions = kSlack + 4 * columns.size();
    for (const IndexShape& index : indexes) instructions += index.columns.size() + 8;
    return instructions;
}

// Whether program halts on a CHECK constraint: with OR ABORT, each halts
// with SQLITE_CONSTRAINT_CHECK, which nothing else halts with.
bool HaltsOnCheck(const CompactProgram& program) {
    return !program.ForEach([](const Instruction& instruction) {
        return instruction.opcode != "Halt" || instruction.p1 != SQLITE_CONSTRAINT_CHECK;
    });
}

// Whether table has a CHECK constraint, told by the program of "PRAGMA
// quick_check(T)", which tests every row against them: it compiles
// otherwise with them checked than with them ignored (on db, where they
// are), and no larger program is made. That program grows with the
// table's columns and indexes, not with their product as an insert's does,
// but SQLite walks every table of the schema to make it. None when it has
// more than budget instructions.
std::optional<bool> QuickCheckHasCheck(sqlite3* db, const std::string& table, size_t budget) {
    const std::string check = "PRAGMA main.quick_check(" + QuoteIdentifier(table) + ")";
    const std::optional<CompactProgram> unchecked = KeptProgram(db, check, budget);
    if (!unchecked) return std::nullopt;
    const CheckConstraints checked(db, false);
    return !CompilesTo(db, check, *unchecked);
}

// Of a program of an insert, its size, the instructions that do not load
// one constant, counted by opcode, and its tests that a row id it was given
// is free: a NotExists that skips one PRIMARY KEY halt.
class Loads {
public:
    bool Add(const Instruction& instruction) {
        static const char* const kConstants[] = {"Null", "Integer", "Int64", "Real", "String8", "String", "Blob"};
        ++m_size;
        if (std::none_of(std::begin(kConstants), std::end(kConstants),
                         [&](const char* name) { return instruction.opcode == name; }))
            ++m_others[std::string(instruction.opcode)];
        if (m_skipsOne && instruction.opcode == "Halt" && instruction.p1 == SQLITE_CONSTRAINT_PRIMARYKEY)
            ++m_rowidTests;
        m_skipsOne = instruction.opcode == "NotExists" && instruction.p2 == instruction.address + 2;
        return true;
    }

    // Whether the defaults that an insert of DEFAULT VALUES (this program)
    // computes are constants, each loaded in one instruction where an
    // insert of NULLs compiles a NULL: the two differ in nothing else but
    // the test of the row id that the NULLs give its alias.
    bool ConstantsBeside(Loads nulls) const {
        nulls.m_size -= 2 * nulls.m_rowidTests;
        nulls.m_others["NotExists"] -= nulls.m_rowidTests;
        nulls.m_others["Halt"] -= nulls.m_rowidTests;
        if (m_size != nulls.m_size) return false;
        for (const auto& [opcode, count] : nulls.m_others) {
            const auto found = m_others.find(opcode);
            if (count != (found == m_others.end() ? 0 : found->second)) return false;
        }
        for (const auto& counted : m_others)
            if (!nulls.m_others.count(counted.first)) return false;
        return true;
    }

private:
    size_t m_size = 0;
    std::unordered_map<std::string, size_t> m_others;
    size_t m_rowidTests = 0;
    bool m_skipsOne = false;  // the instruction before is a NotExists that skips the next
};

// "a default expression" when a default of the table is computed, "" when
// none is: nulls is its insert of NULLs with OR ABORT.
std::string DefaultRule(sqlite3* db, const std::string& table, const CompactProgram& nulls) {
    Loads loaded, computed;
    nulls.ForEach([&](const Instruction& instruction) { return loaded.Add(instruction); });
    const std::string defaults = "INSERT OR ABORT INTO main." + QuoteIdentifier(table) + " DEFAULT VALUES";
    const Listing listing = ListProgram(db, defaults, nulls.Size(),
                                        [&](const Instruction& instruction) { return computed.Add(instruction); });
    return listing == Listing::Whole && computed.ConstantsBeside(loaded) ? std::string() : "a default expression";
}
}  // namespace

size_t ProgramBudget(sqlite3* db) {
    int schema = 0, highest = 0;
    if (sqlite3_db_status(db, SQLITE_DBSTATUS_SCHEMA_USED, &schema, &highest, 0) != SQLITE_OK) schema = 0;
    return (kSchemaMultiple * static_cast<size_t>(std::max(schema, 0)) + kFewBytes) / kBytesPerInstruction;
}

std::string WriteRules(sqlite3* db, const std::string& table, const std::vector<ColumnShape>& columns,
                       const std::vector<IndexShape>& indexes, size_t budget) {
    const ConstantsInPlace inPlace(db);
    // NULL for every column, in table order, so no list of names: SQLite
    // finds each name of a list by a search of all columns, which would
    // take square time.
    std::string nulls;
    for (size_t i = 0; i < columns.size(); ++i) nulls += i ? ", NULL" : "NULL";
    const std::string rest = " INTO main." + QuoteIdentifier(table) + " VALUES (" + nulls + ")";
    const std::string insert = "INSERT OR ABORT" + rest;
    // The insert as the table's CHECK constraints make it, held to about
    // the size it has without them: beyond that it has CHECK code, which
    // SQLite may compile in time and memory far beyond the table's own.
    const size_t expected = std::min(ExpectedInsert(columns, indexes), budget);
    std::optional<CompactProgram> abort = KeptProgram(db, insert, expected);
    bool check = abort && HaltsOnCheck(*abort);
    // Where it has CHECK code or may have, the insert without it: what the
    // insert with it has beyond that is CHECK code.
    std::optional<CheckConstraints> ignored;
    if (!abort || check) {
        ignored.emplace(db, true);
        abort = KeptProgram(db, insert, budget);
        if (!check && abort) {
            const CheckConstraints checked(db, false);
            check = abort->Size() <= expected || !CompilesTo(db, insert, *abort);
        }
    }
    const Keys keys(indexes);
    // Only keys, NOT NULL columns and the row id's alias hold a conflict clause.
    if (keys.count > 0 ||
        std::any_of(columns.begin(), columns.end(), [](const ColumnShape& c) { return c.notNull || c.key > 0; })) {
        if (!abort) return kTooLarge;
        const std::string clause = ConflictClause(db, table, columns, indexes, keys, rest, *abort, budget);
        if (!clause.empty()) return clause;
    }
    // An insert too large for the budget without CHECK code has indexes of
    // very many columns.
    if (!abort) {
        const std::optional<bool> quickCheck = QuickCheckHasCheck(db, table, budget);
        if (!quickCheck) return kTooLarge;
        check = *quickCheck;
    }
    if (check) return "a CHECK constraint";
    if (std::none_of(columns.begin(), columns.end(), [](const ColumnShape& c) { return c.hasDefault; }))
        return std::string();
    return abort ? DefaultRule(db, table, *abort) : kTooLarge;
}

}  // namespace ado
