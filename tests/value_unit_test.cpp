#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfACSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRS232.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfSquareWaveSignal.h"
#include "support/RunsInCi.h"

namespace {
struct Case {
    std::string text;
    int result;
    double value;  // on 0: the value must stay as it was
    const char* unit;
};

const Case kCases[] = {
    {"", 0, 0, ""},
    {"  \r\n\n ", 0, 0, ""},
    {std::string(2, '\0'), 0, 0, ""},
    {"5", 1, 5, "V"},
    {"5mV", 1, 5, "V"},  // one token: no scaling
    {"1.5 V", 1, 1.5, "V"},
    {"4 v", 1, 4, "V"},
    {"2.5 kHz", 1, 2500, "Hz"},
    {"7.5 MHz", 1, 7.5e6, "Hz"},
    {"1.2 GHz", 1, 1.2e9, "Hz"},
    {"47 kOhm", 1, 47000, "Ohm"},
    {"3 MOhm", 1, 3e6, "Ohm"},
    {"12 Ohm", 1, 12, "Ohm"},
    {"2 mW", 1, 0.002, "W"},
    {"3 kW", 1, 3000, "W"},
    {"20 mA", 1, 0.02, "A"},
    {"7 a", 1, 7, "A"},
    {"10 khz", 1, 10, "V"},  // units compare case-sensitively
    {"10 uV", 1, 10, "V"},   // units outside the table: unscaled volts
    {"5 s", 1, 5, "V"},
    {"range 3 mV", 1, 0.003, "V"},
    {"range 3", 1, 3, "V"},
    {"range", 1, 0, "V"},
    {"Range 3 mV", 1, 0, "V"},
    {"1 V and further tokens", 1, 1, "V"},
    {"x Hz", 1, 0, "Hz"},
    {"-1.5e3 mV", 1, -1.5, "V"},
    {"+2 Ohm", 1, 2, "Ohm"},
    {"  \r\n7.5\n\nMHz  ", 1, 7.5e6, "Hz"},
    {std::string("1\0Hz", 4), 1, 1, "Hz"},
    {"1.5\tkHz", 1, 1.5, "V"},  // a tab is part of the token
    {"1,5 V", 1, 1, "V"},
    {"2.5e-3kHz", 1, 0.0025, "V"},
    {"0x10 Hz", 1, 16, "Hz"},  // as atof reads it
};

void ExpectTable() {
    for (const Case& c : kCases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        double value = 42.0;
        CString unit = "kept", message = "kept";
        EXPECT_EQ(CStdSignal::Ge_Value_Unit(CString(c.text), value, unit, message), c.result);
        if (c.result == 1) {
            EXPECT_DOUBLE_EQ(value, c.value);
            EXPECT_EQ(unit, c.unit);
            EXPECT_EQ(message, "kept");
        } else {
            EXPECT_EQ(value, 42.0);
            EXPECT_EQ(unit, "kept");
            EXPECT_EQ(std::string(message), "错误信号内容：" + std::string(c.text.c_str()) + "。");
        }
    }
}

std::vector<std::string> Tokens(const std::string& text, std::vector<std::string> start = {}) {
    CStringArray parts;
    for (const std::string& item : start) parts.Add(item);
    CStdSignal::DividePartFromSpace(CString(text), parts);
    std::vector<std::string> out;
    for (int i = 0; i < parts.GetSize(); ++i) out.push_back(parts[i].str());
    return out;
}

// Sets a comma-decimal locale for the process while it lives.
class CommaDecimalLocale {
public:
    CommaDecimalLocale() : m_saved(std::setlocale(LC_ALL, nullptr)) {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
            if (std::setlocale(LC_ALL, name)) {
                m_name = name;
                return;
            }
    }
    ~CommaDecimalLocale() { std::setlocale(LC_ALL, m_saved.c_str()); }
    const std::string& Name() const { return m_name; }

private:
    std::string m_saved;
    std::string m_name;
};
}  // namespace

TEST(ValueUnit, TableOfTexts) { ExpectTable(); }

TEST(ValueUnit, TableOfTextsUnderACommaDecimalLocale) {
    CommaDecimalLocale locale;
    if (locale.Name().empty()) {
        if (RunsInCi()) FAIL() << "no comma-decimal locale is installed, which ./build.sh generates (de_DE.UTF-8)";
        GTEST_SKIP() << "no comma-decimal locale is installed (./build.sh generates de_DE.UTF-8)";
    }
    ASSERT_STREQ(std::localeconv()->decimal_point, ",") << locale.Name();
    ExpectTable();
    CTsfACSignal ac;
    ac.SetDcOffset("1.5");
    EXPECT_DOUBLE_EQ(ac.GetDcOffsetValue(), 1.5);
    CTsfSquareWaveSignal square;
    square.SetPeriod("2.5 us");
    EXPECT_DOUBLE_EQ(square.GetPeriodValue(), 0.0025);
    CTsfRS232 rs232;
    rs232.SetBaudRate("  -19200.7 bd");
    EXPECT_EQ(rs232.GetBaudRateValue(), -19200);
}

TEST(ValueUnit, TokensSplitAtBlanksLineBreaksAndNuls) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Tokens("  a\r\n\nb  c"), (V{"a", "b", "c"}));
    EXPECT_EQ(Tokens("a\tb"), (V{"a\tb"}));
    EXPECT_EQ(Tokens(std::string("a\0b", 3)), (V{"a", "b"}));
    EXPECT_EQ(Tokens(" \r\n "), V{});
    EXPECT_EQ(Tokens("y z", {"x"}), (V{"x", "y", "z"}));
}
