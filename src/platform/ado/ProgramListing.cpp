#include "platform/ado/ProgramListing.h"

#include <algorithm>
#include <climits>
#include <sqlite3.h>

#include "platform/ado/ComError.h"
#include "platform/ado/Statement.h"

namespace ado {

namespace {
// Instructions a program's array may hold beyond twice its bound.
const size_t kSlack = 64;

// The connection's limit on the instructions of a program while it lives.
// SQLite doubles a program's array of instructions as it fills it and fails
// the prepare (out of memory) before the array would outgrow the limit:
// twice a count and a little more lets every program of that count compile.
class InstructionLimit {
public:
    InstructionLimit(sqlite3* db, size_t most)
        : m_db(db),
          m_before(sqlite3_limit(db, SQLITE_LIMIT_VDBE_OP,
                                 static_cast<int>(std::min<size_t>(2 * std::min<size_t>(most, INT_MAX) + kSlack,
                                                                   INT_MAX)))) {}
    ~InstructionLimit() { sqlite3_limit(m_db, SQLITE_LIMIT_VDBE_OP, m_before); }
    InstructionLimit(const InstructionLimit&) = delete;
    InstructionLimit& operator=(const InstructionLimit&) = delete;

private:
    sqlite3* m_db;
    int m_before;
};

std::string_view TextOf(const VariantView& view) { return std::string_view(view.text ? view.text : "", view.size); }

void PutNumber(std::string& bytes, uint64_t number) {
    for (; number >= 0x80; number >>= 7) bytes += static_cast<char>((number & 0x7f) | 0x80);
    bytes += static_cast<char>(number);
}

uint64_t GetNumber(const std::string& bytes, size_t& at) {
    uint64_t number = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        number |= static_cast<uint64_t>(byte & 0x7f) << shift;
        if (byte < 0x80) return number;
    }
}

// Signed operands as unsigned numbers, small ones of either sign small.
uint64_t Unsigned(int64_t value) {
    return (static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value < 0 ? -1 : 0);
}
int64_t Signed(uint64_t value) { return static_cast<int64_t>(value >> 1) ^ -static_cast<int64_t>(value & 1); }
}  // namespace

Listing ListProgram(sqlite3* db, const std::string& sql, size_t most, const InstructionVisitor& each) {
    const InstructionLimit limit(db, most);
    std::optional<Statement> explain;
    try {
        explain.emplace(db, "EXPLAIN " + sql);
    } catch (const ComError& error) {
        if (error.Error() == SQLITE_NOMEM) return Listing::Larger;
        throw;
    }
    size_t count = 0;
    while (explain->Step()) {  // addr, opcode, p1, p2, p3, p4, p5, comment
        if (count++ == most) return Listing::Larger;
        Instruction instruction;
        instruction.address = explain->ColumnInt64(0);
        instruction.opcode = TextOf(explain->ColumnView(1));
        instruction.p1 = explain->ColumnInt64(2);
        instruction.p2 = explain->ColumnInt64(3);
        instruction.p3 = explain->ColumnInt64(4);
        const VariantView p4 = explain->ColumnView(5);
        if (!p4.IsNull()) instruction.p4 = TextOf(p4);
        instruction.p5 = explain->ColumnInt64(6);
        if (!each(instruction)) return Listing::Stopped;
    }
    return Listing::Whole;
}

void CompactProgram::Append(const Instruction& instruction) {
    const auto known = m_numbers.emplace(std::string(instruction.opcode), m_opcodes.size());
    if (known.second) m_opcodes.emplace_back(instruction.opcode);
    PutNumber(m_bytes, known.first->second);
    PutNumber(m_bytes, Unsigned(instruction.address - static_cast<int64_t>(m_count)));
    for (const int64_t operand : {instruction.p1, instruction.p2, instruction.p3, instruction.p5})
        PutNumber(m_bytes, Unsigned(operand));
    PutNumber(m_bytes, instruction.p4 ? instruction.p4->size() + 1 : 0);
    if (instruction.p4) m_bytes.append(instruction.p4->data(), instruction.p4->size());
    ++m_count;
}

bool CompactProgram::Reader::Next(Instruction& instruction) {
    if (m_read == m_program.m_count) return false;
    const std::string& bytes = m_program.m_bytes;
    instruction.opcode = m_program.m_opcodes[GetNumber(bytes, m_at)];
    instruction.address = Signed(GetNumber(bytes, m_at)) + static_cast<int64_t>(m_read);
    for (int64_t* operand : {&instruction.p1, &instruction.p2, &instruction.p3, &instruction.p5})
        *operand = Signed(GetNumber(bytes, m_at));
    const uint64_t p4 = GetNumber(bytes, m_at);
    instruction.p4.reset();
    if (p4 != 0) {
        instruction.p4 = std::string_view(bytes).substr(m_at, p4 - 1);
        m_at += p4 - 1;
    }
    ++m_read;
    return true;
}

bool CompactProgram::ForEach(const InstructionVisitor& each) const {
    Reader reader(*this);
    Instruction instruction;
    while (reader.Next(instruction))
        if (!each(instruction)) return false;
    return true;
}

std::optional<CompactProgram> KeptProgram(sqlite3* db, const std::string& sql, size_t most) {
    CompactProgram program;
    const Listing listing = ListProgram(db, sql, most, [&](const Instruction& instruction) {
        program.Append(instruction);
        return true;
    });
    if (listing != Listing::Whole) return std::nullopt;
    return program;
}

bool CompilesTo(sqlite3* db, const std::string& sql, const CompactProgram& program) {
    CompactProgram::Reader reader(program);
    Instruction kept;
    const Listing listing = ListProgram(db, sql, program.Size(), [&](const Instruction& instruction) {
        return reader.Next(kept) && kept == instruction;
    });
    return listing == Listing::Whole && !reader.Next(kept);
}

}  // namespace ado
