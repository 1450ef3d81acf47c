// Reading "value unit" texts: tokens, then a number scaled to its unit's base.
#include "ATMLViewLayer/TaDB/DBTDOther/StdSignal.h"
#include "platform/crt/CNumber.h"

namespace {
struct UnitScale {
    const char* text;
    double factor;
    const char* base;
};

// Units are compared exactly; any other text reads as volts, unscaled.
const UnitScale kUnits[] = {
    {"V", 1, "V"},          {"v", 1, "V"},         {"mV", 0.001, "V"},       {"A", 1, "A"},
    {"a", 1, "A"},          {"mA", 0.001, "A"},    {"Ohm", 1, "Ohm"},        {"kOhm", 1000, "Ohm"},
    {"MOhm", 1000000, "Ohm"}, {"Hz", 1, "Hz"},     {"kHz", 1000, "Hz"},      {"MHz", 1000000, "Hz"},
    {"GHz", 1000000000, "Hz"}, {"W", 1, "W"},      {"kW", 1000, "W"},        {"mW", 0.001, "W"},
};
const UnitScale kOtherUnit = {"", 1, "V"};

const UnitScale& ScaleOf(const CString& unit) {
    for (const UnitScale& scale : kUnits)
        if (unit.str() == scale.text) return scale;
    return kOtherUnit;
}

bool IsSeparator(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\0'; }
}  // namespace

void CStdSignal::DividePartFromSpace(CString text, CStringArray& parts) {
    text += ' ';  // closes the last token
    CString token;
    for (char c : text.str()) {
        if (!IsSeparator(c)) {
            token += c;
        } else if (!token.IsEmpty()) {
            parts.Add(token);
            token.Empty();
        }
    }
}

int CStdSignal::Ge_Value_Unit(CString text, double& value, CString& unit, CString& message) {
    CStringArray tokens;
    DividePartFromSpace(text, tokens);
    if (tokens.IsEmpty()) {
        message.Format("错误信号内容：%s。", text.GetString());
        return 0;
    }
    if (tokens.GetSize() == 1) {
        value = AtofInCLocale(tokens[0]);
        unit = "V";
        return 1;
    }
    // "range 3 mV" names its number and unit one token later.
    int number = tokens[0] == "range" ? 1 : 0;
    CString unitText = number + 1 < tokens.GetSize() ? tokens[number + 1] : CString("V");
    const UnitScale& scale = ScaleOf(unitText);
    value = AtofInCLocale(tokens[number]) * scale.factor;
    unit = scale.base;
    return 1;
}
