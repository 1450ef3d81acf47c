// The programs SQLite compiles for statements, as EXPLAIN lists them
// (internal to the database layer): read one instruction at a time, under a
// bound on the instructions SQLite may make, and kept, where a caller needs
// one again, in a compact form of a few bytes an instruction. A listing is
// never held as SQLite lists it (texts of hundreds of bytes an instruction),
// and a program larger than its bound is never made whole.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;

namespace ado {

// One instruction: its address, opcode and operands p1 to p5, p4 as text or
// none. Its texts are valid while the listing or program it comes from
// stands on it.
struct Instruction {
    int64_t address = 0;
    std::string_view opcode;
    int64_t p1 = 0, p2 = 0, p3 = 0, p5 = 0;
    std::optional<std::string_view> p4;
    bool operator==(const Instruction& o) const {
        return address == o.address && p1 == o.p1 && p2 == o.p2 && p3 == o.p3 && p5 == o.p5 &&
               opcode == o.opcode && p4 == o.p4;
    }
};

// Told each instruction in order; false stops the listing.
using InstructionVisitor = std::function<bool(const Instruction&)>;

enum class Listing {
    Whole,    // every instruction was told
    Larger,   // the program has more than the bound allowed, or SQLite ran out of memory making it
    Stopped,  // the visitor stopped it
};

// Tells each the instructions of the program of sql (one statement), which
// SQLite compiles on db with programs held to about twice most instructions;
// larger when it has more than most. No statement of db may be running
// meanwhile: SQLite would interrupt it. Raises ComError when sql does not
// compile for another reason.
Listing ListProgram(sqlite3* db, const std::string& sql, size_t most, const InstructionVisitor& each);

// A program kept compact: each instruction as its opcode's number among the
// program's opcodes and its operands as variable-length integers.
class CompactProgram {
public:
    void Append(const Instruction& instruction);
    size_t Size() const { return m_count; }
    // Tells each every instruction in order, until it returns false; false then.
    bool ForEach(const InstructionVisitor& each) const;
    bool operator==(const CompactProgram& o) const {
        return m_count == o.m_count && m_bytes == o.m_bytes && m_opcodes == o.m_opcodes;
    }
    bool operator!=(const CompactProgram& o) const { return !(*this == o); }

    // Reads the instructions one by one, from the first.
    class Reader {
    public:
        explicit Reader(const CompactProgram& program) : m_program(program) {}
        // The next instruction, or false at the end.
        bool Next(Instruction& instruction);

    private:
        const CompactProgram& m_program;
        size_t m_at = 0, m_read = 0;
    };

private:
    std::string m_bytes;
    size_t m_count = 0;
    std::vector<std::string> m_opcodes;                 // by their number
    std::unordered_map<std::string, uint64_t> m_numbers;  // of each opcode
};

// The program of sql kept, or none when it has more than most instructions.
std::optional<CompactProgram> KeptProgram(sqlite3* db, const std::string& sql, size_t most);

// Whether sql compiles to program, compared as it is listed; no program
// larger than it is made.
bool CompilesTo(sqlite3* db, const std::string& sql, const CompactProgram& program);

}  // namespace ado
