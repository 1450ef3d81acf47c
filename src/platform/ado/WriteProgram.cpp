#include "platform/ado/WriteProgram.h"

#include <algorithm>
#include <array>
#include <optional>
#include <sqlite3.h>
#include <unordered_map>

#include "platform/ado/Statement.h"

namespace ado {

namespace {
const char kSeveralClauses[] = "a conflict clause";

// A compiled program: each instruction's opcode and its operands p1 to p5,
// each as text or null.
struct Instruction {
    std::string opcode;
    std::array<std::optional<std::string>, 5> operands;
    bool operator==(const Instruction& other) const {
        return opcode == other.opcode && operands == other.operands;
    }
    bool operator!=(const Instruction& other) const { return !(*this == other); }
};
using Program = std::vector<Instruction>;

Program Compiled(sqlite3* db, const std::string& sql) {
    Statement explain(db, "EXPLAIN " + sql);  // addr, opcode, p1, p2, p3, p4, p5, comment
    Program program;
    while (explain.Step()) {
        Instruction instruction{explain.Column(1).ToText(), {}};
        for (int i = 0; i < 5; ++i) {
            const Variant value = explain.Column(i + 2);
            if (!value.IsNull()) instruction.operands[i] = value.ToText();
        }
        program.push_back(std::move(instruction));
    }
    return program;
}

// The conflict clause by which plain, the program of verb + rest (a write
// of one statement), compiles otherwise than with "OR ABORT": "ON CONFLICT
// REPLACE" when it compiles as with "OR REPLACE", likewise IGNORE, ROLLBACK
// and FAIL; "a conflict clause" when no one of them does (several kinds).
std::string OneClause(sqlite3* db, const Program& plain, const std::string& verb, const std::string& rest) {
    for (const char* clause : {"REPLACE", "IGNORE", "ROLLBACK", "FAIL"})
        if (plain == Compiled(db, verb + " OR " + clause + rest)) return std::string("ON CONFLICT ") + clause;
    return kSeveralClauses;
}

// The halts of program on a NOT NULL, UNIQUE or PRIMARY KEY conflict, in
// order: the constraint's columns as the engine names them ("T.A, T.B"),
// and what the conflict does (p2: 1 ROLLBACK, 2 ABORT, 3 FAIL).
std::vector<std::pair<std::string, std::string>> ConstraintHalts(const Program& program) {
    static const std::string kConstraints[] = {std::to_string(SQLITE_CONSTRAINT_NOTNULL),
                                               std::to_string(SQLITE_CONSTRAINT_UNIQUE),
                                               std::to_string(SQLITE_CONSTRAINT_PRIMARYKEY)};
    std::vector<std::pair<std::string, std::string>> halts;
    for (const Instruction& instruction : program) {
        const auto& p = instruction.operands;
        if ((instruction.opcode == "Halt" || instruction.opcode == "HaltIfNull") && p[0] && p[3] &&
            std::find(std::begin(kConstraints), std::end(kConstraints), *p[0]) != std::end(kConstraints))
            halts.emplace_back(*p[3], p[1].value_or(""));
    }
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
    std::unordered_map<std::string, std::vector<std::string>> plainHalts;
    for (const auto& [names, onError] : ConstraintHalts(plain)) plainHalts[names].push_back(onError);
    for (const auto& [names, onError] : ConstraintHalts(abort)) {
        const std::vector<std::string>& handled = plainHalts[names];
        const std::string& asAbort = onError;  // a lambda may not name a structured binding before C++20
        const auto other =
            std::find_if(handled.begin(), handled.end(), [&](const std::string& p2) { return p2 != asAbort; });
        if (!handled.empty() && other == handled.end()) continue;
        clause = handled.empty()  ? ""
                 : *other == "1" ? "ON CONFLICT ROLLBACK"
                 : *other == "3" ? "ON CONFLICT FAIL"
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

std::string WriteRules(sqlite3* db, const std::string& table, const std::vector<ColumnShape>& columns) {
    // Every column in table order, so no list of names: SQLite finds each
    // name of a list by a search of all columns, which would take square time.
    const std::string into = " INTO main." + QuoteIdentifier(table);
    std::string values, nulls;
    for (size_t i = 0; i < columns.size(); ++i) {
        values += i ? ", ?" : "?";
        nulls += i ? ", NULL" : "NULL";
    }
    const std::string row = " VALUES (" + values + ")";
    Program unchecked;
    {
        ChecksIgnored ignored(db);
        unchecked = Compiled(db, "INSERT OR ABORT" + into + row);
    }
    const Program plain = Compiled(db, "INSERT" + into + row);
    if (plain != unchecked) {
        const Program abort = Compiled(db, "INSERT OR ABORT" + into + row);
        if (plain == abort) return "a CHECK constraint";
        std::string clause = OneClause(db, plain, "INSERT", into + row);
        if (clause != kSeveralClauses) return clause;
        // Several kinds: the first constraint with a clause of its own is
        // named, from the halts of the two programs. Its kind is REPLACE or
        // IGNORE where plain has no halt for it: an update of its first
        // column, which checks only the constraints on that column, tells.
        std::string column;
        if (!FirstOtherConstraint(abort, plain, table, columns, clause, column) || column.empty())
            return kSeveralClauses;
        if (clause.empty()) {
            const std::string rest = " main." + QuoteIdentifier(table) + " SET " + QuoteIdentifier(column) + " = ?";
            const Program update = Compiled(db, "UPDATE" + rest);
            clause = update == Compiled(db, "UPDATE OR ABORT" + rest) ? kSeveralClauses
                                                                      : OneClause(db, update, "UPDATE", rest);
        }
        return clause + " on column " + QuoteIdentifier(column);
    }
    const bool defaults = std::any_of(columns.begin(), columns.end(), [](const ColumnShape& c) { return c.hasDefault; });
    if (defaults && !DefaultsAreConstants(Compiled(db, "INSERT OR ABORT" + into + " DEFAULT VALUES"),
                                          Compiled(db, "INSERT OR ABORT" + into + " VALUES (" + nulls + ")")))
        return "a default expression";
    return std::string();
}

}  // namespace ado
