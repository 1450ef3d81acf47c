// Any bytes read as a "value unit" text: no crash, no undefined behaviour,
// and the result keeps the parser's promises.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "ATMLViewLayer/TaDB/DBTDOther/StdSignal.h"

namespace {
void Require(bool condition) {
    if (!condition) __builtin_trap();
}

bool IsBaseUnit(const CString& unit) {
    for (const char* base : {"V", "A", "Ohm", "Hz", "W"})
        if (unit == base) return true;
    return false;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CString text(std::string(reinterpret_cast<const char*>(data), size));

    CStringArray tokens;
    CStdSignal::DividePartFromSpace(text, tokens);
    for (int i = 0; i < tokens.GetSize(); ++i) {
        const std::string& token = tokens[i].str();
        Require(!token.empty() && token.find_first_of(std::string(" \r\n\0", 4)) == std::string::npos);
    }

    double value = 42.0;
    CString unit = "kept", message;
    const int result = CStdSignal::Ge_Value_Unit(text, value, unit, message);
    if (result == 1) {
        Require(IsBaseUnit(unit) && message.IsEmpty() && !tokens.IsEmpty());
    } else {
        Require(result == 0 && tokens.IsEmpty() && value == 42.0 && unit == "kept");
        Require(std::strncmp(message, "错误信号内容：", std::strlen("错误信号内容：")) == 0);
    }
    return 0;
}
