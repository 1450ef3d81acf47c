// The connection description, its packed texts, and the test-result lists
// that own what is added to them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/ComDataValue.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/ComTestResult.h"
#include "ATMLViewLayer/TaDB/DBTDOther/StdTwoWire.h"

namespace {
CStringArray Array(const std::vector<const char*>& items) {
    CStringArray array;
    for (const char* item : items) array.Add(item);
    return array;
}

std::string Joined(const CStringArray& array) {
    std::string text;
    for (int i = 0; i < array.GetSize(); ++i) text += "[" + array[i].str() + "]";
    return text;
}
}  // namespace

TEST(StdTwoWire, UnpackersAppendWhatTheTextHolds) {
    const struct {
        const char* text;
        const char* uutItems;
        const char* ivi;
        const char* firsts;
        const char* seconds;
    } cases[] = {
        {"a;;b;", "[a][b]", "[a;;b;][]", "[a][][b]", "[][][]"},
        {"s1/c1;;s2", "[s1/c1][s2]", "[s1][c1;;s2]", "[s1][][s2]", "[c1][][]"},
        {"x/y/z", "[x/y/z]", "[x][y/z]", "[x]", "[y/z]"},
        {";", "", "[;][]", "[]", "[]"},
        {"/", "[/]", "[][]", "[]", "[]"},
        {"", "", "[][]", "", ""},
    };
    for (const auto& c : cases) {
        CStringArray items = Array({"kept"}), firsts = Array({"kept"}), seconds = Array({"kept"});
        CString first = "x", second = "y";
        CStdTwoWire::GetUUTInfo(items, c.text);
        CStdTwoWire::GetIviInfo(c.text, first, second);
        CStdTwoWire::GetSwitchChInfo(c.text, firsts, seconds);
        EXPECT_EQ(Joined(items), std::string("[kept]") + c.uutItems) << c.text;
        EXPECT_EQ("[" + first.str() + "][" + second.str() + "]", c.ivi) << c.text;
        EXPECT_EQ(Joined(firsts) + Joined(seconds), std::string("[kept]") + c.firsts + "[kept]" + c.seconds) << c.text;
    }
}

TEST(StdTwoWire, PackersReplaceTheTextAndTargetsHaveTheirTexts) {
    CString text = "old";
    CStringArray items = Array({"", "a", "", "b"}), firsts = Array({"s1", "s2"}), seconds = Array({"c1", "c2"});
    CStdTwoWire::SetUUTInfo(items, text);
    EXPECT_EQ(text, "a;;b");
    CStdTwoWire::SetIviInfo(text, "x", "");
    EXPECT_EQ(text, "x/");
    CStdTwoWire::SetSwitchChInfo(text, firsts, seconds);
    EXPECT_EQ(text, "s1/c1;s2/c2;");
    // The firsts count the entries: a longer second array has its extra
    // elements ignored, a shorter one gives "".
    CStdTwoWire::SetSwitchChInfo(text, firsts, items);
    EXPECT_EQ(text, "s1/;s2/a;");
    CStdTwoWire::SetSwitchChInfo(text, items, seconds);
    EXPECT_EQ(text, "");
    EXPECT_EQ(CStdTwoWire::GetConnectType(CONNECT_TARGET_INSTRUMENT), "测试仪器");
    EXPECT_EQ(CStdTwoWire::GetConnectType(static_cast<ACTION_CONNECT_TARGET>(2)), "");
}

TEST(StdTwoWire, LongListsPackAndUnpackWhole) {
    const int count = 100000;
    std::string uutText, switchText;
    CStringArray items, firsts, seconds;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        items.Add(("u" + n).c_str());
        uutText += (i ? ";u" : "u") + n;
        switchText += "s" + n + "/c" + n + ";";
    }
    CString text;
    CStdTwoWire::SetUUTInfo(items, text);
    EXPECT_EQ(text.str(), uutText);
    CStringArray unpacked;
    CStdTwoWire::GetUUTInfo(unpacked, text);
    ASSERT_EQ(unpacked.GetSize(), count);
    EXPECT_EQ(unpacked[count - 1], "u99999");
    CStdTwoWire::GetSwitchChInfo(switchText.c_str(), firsts, seconds);
    ASSERT_EQ(firsts.GetSize(), count);
    EXPECT_EQ(firsts[count - 1] + seconds[count - 1], "s99999c99999");
    CStdTwoWire::SetSwitchChInfo(text, firsts, seconds);
    EXPECT_EQ(text.str(), switchText);
}

namespace {
// A value object that writes its name into a log when it is destroyed.
struct LoggedValue : CComDataValue {
    LoggedValue(std::string& log, char name) : log(log), name(name) {}
    ~LoggedValue() override { log += name; }
    std::string& log;
    char name;
};
}  // namespace

TEST(ComTestResult, OwnsItsValuesAndItemsInTheOrderAdded) {
    EXPECT_EQ(CComDataValue().m_strValue, "0.0");
    std::string log;
    {
        CComTestResult result;
        for (char name : {'a', '-', 'b'}) result.AddValue(name == '-' ? nullptr : new LoggedValue(log, name));
        for (const char* item : {"first", "", "second"}) result.AddItem(*item ? new _COM_RESULT_ITEM{1, item} : nullptr);
        ASSERT_EQ(result.m_listValue.GetCount() + result.m_listItem.size(), 6u);
        EXPECT_EQ(result.m_listItem[0]->m_strItem + result.m_listItem[2]->m_strItem, "firstsecond");
        result.RemoveAll();
        result.RemoveAll();
        EXPECT_EQ(log, "ab");
        EXPECT_TRUE(result.m_listValue.IsEmpty() && result.m_listItem.empty());
        result.AddValue(new LoggedValue(log, 'c'));
        result.AddItem(new _COM_RESULT_ITEM);
    }
    EXPECT_EQ(log, "abc");  // the destructor frees what was added after RemoveAll
}
