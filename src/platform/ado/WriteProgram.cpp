#include "platform/ado/WriteProgram.h"

#include <sqlite3.h>
#include <unordered_map>

#include "platform/ado/Statement.h"

namespace ado {

namespace {
const char kSeveralClauses[] = "a conflict clause";

// A compiled program: each instruction's opcode, and its operands as text.
struct Instruction {
    std::string opcode, operands;
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
        Instruction instruction{explain.Column(1).ToText(), std::string()};
        for (int i = 2; i <= 6; ++i) {
            const Variant value = explain.Column(i);
            const std::string text = value.ToText();
            instruction.operands += value.IsNull() ? std::string("-|") : std::to_string(text.size()) + ":" + text + "|";
        }
        program.push_back(std::move(instruction));
    }
    return program;
}

// The conflict clause by which verb + rest (a write of one statement)
// compiles otherwise than with "OR ABORT": "ON CONFLICT REPLACE" when it
// compiles as with "OR REPLACE", likewise IGNORE, ROLLBACK and FAIL; "a
// conflict clause" when no one of them does (several kinds); "" when it
// compiles as with "OR ABORT".
std::string ConflictClause(sqlite3* db, const std::string& verb, const std::string& rest) {
    const Program plain = Compiled(db, verb + rest);
    if (plain == Compiled(db, verb + " OR ABORT" + rest)) return std::string();
    for (const char* clause : {"REPLACE", "IGNORE", "ROLLBACK", "FAIL"})
        if (plain == Compiled(db, verb + " OR " + clause + rest)) return std::string("ON CONFLICT ") + clause;
    return kSeveralClauses;
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
    const std::string into = " INTO main." + QuoteIdentifier(table);
    std::string names, values;
    for (const ColumnShape& column : columns) {
        names += (names.empty() ? "" : ", ") + QuoteIdentifier(column.name);
        values += values.empty() ? "?" : ", ?";
    }
    const std::string row = " (" + names + ") VALUES (" + values + ")";
    Program unchecked;
    {
        ChecksIgnored ignored(db);
        unchecked = Compiled(db, "INSERT OR ABORT" + into + row);
    }
    const Program plain = Compiled(db, "INSERT" + into + row);
    if (plain != unchecked) {
        if (plain == Compiled(db, "INSERT OR ABORT" + into + row)) return "a CHECK constraint";
        const std::string clause = ConflictClause(db, "INSERT", into + row);
        if (clause != kSeveralClauses) return clause;
        // An update checks only the constraints on the columns it sets.
        for (const ColumnShape& column : columns) {
            const std::string name = QuoteIdentifier(column.name);
            const std::string own =
                ConflictClause(db, "UPDATE", " main." + QuoteIdentifier(table) + " SET " + name + " = ?");
            if (!own.empty()) return own + " on column " + name;
        }
        return clause;
    }
    std::string defaulted, nulls;
    for (const ColumnShape& column : columns) {
        if (!column.hasDefault) continue;
        defaulted += (defaulted.empty() ? "" : ", ") + QuoteIdentifier(column.name);
        nulls += nulls.empty() ? "NULL" : ", NULL";
    }
    if (!defaulted.empty() && !DefaultsAreConstants(Compiled(db, "INSERT OR ABORT" + into + " DEFAULT VALUES"),
                                                    Compiled(db, "INSERT OR ABORT" + into + " (" + defaulted +
                                                                     ") VALUES (" + nulls + ")")))
        return "a default expression";
    return std::string();
}

}  // namespace ado
