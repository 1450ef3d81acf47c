#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ATMLViewLayer/TaDB/DBTDOther/StdSignal.h"

namespace {
using Texts = std::vector<std::string>;

Texts Listed(const std::function<void(CStringArray&)>& fill) {
    CStringArray array;
    array.Add("left over");
    fill(array);
    Texts texts;
    for (int i = 0; i < array.GetSize(); ++i) texts.push_back(array[i].GetString());
    return texts;
}

// Type texts by value; 0 has the empty text.
const Texts kTypeTexts = {
    /*  0 */ "", "直流信号", "交流信号", "三角波", "方波", "RS232串口信号", "AM调制", "FM调制", "PM调制",
    /*  9 */ "并行数字信号", "串行数字信号", "测距装置询问机", "测距装置转发器", "ILS_GLIDE_SLOPE(下滑道)", "ILS_LOCALIZER(定位器)", "ILS_MARKER(信标)",
    /* 16 */ "交流脉冲调制信号", "交流脉冲调制序列", "直流脉冲调制信号", "直流脉冲调制序列", "雷达收信机信号", "雷达发信机信号", "斜坡信号",
    /* 23 */ "随机噪声信号", "RESOLVER(旋转变压器)", "SSR询问机", "SSR转发器", "阶越信号", "载波压制信号", "自整角机", "TACAN(塔康)", "VOR(甚高频全向信标)",
    /* 32 */ "电阻", "正弦信号", "常量信号"};
}  // namespace

TEST(SignalVocabulary, ListsHoldExactlyTheirTextsInOrder) {
    std::vector<int> typeOrder = {1,  2,  32, 16, 7,  6,  3,  4,  5,  17, 18, 19, 9,  10, 11, 12, 13,
                                  14, 15, 8,  20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 33, 34};
    Texts types;
    for (int value : typeOrder) types.push_back(kTypeTexts[value]);

    struct List {
        const char* name;
        std::function<void(CStringArray&)> fill;
        Texts texts;
    };
    const List lists[] = {
        {"GetSignalType", [](CStringArray& a) { CStdSignal::GetSignalType(a); }, types},
        {"GetSignalRange", [](CStringArray& a) { CStdSignal::GetSignalRange(a); }, {"本地", "全局"}},
        {"GetInfoRange", CStdSignal::GetInfoRange, {"本地", "全局"}},
        {"GetSignalRole", [](CStringArray& a) { CStdSignal::GetSignalRole(a); }, {"激励", "测量", "监测"}},
        {"GetDataType",
         CStdSignal::GetDataType,
         {"double", "int", "bool", "char", "string", "double[]", "int[]", "bool[]", "char[]", "string[]"}},
        {"GetDataUnit",
         CStdSignal::GetDataUnit,
         {"V", "mV", "uV", "Ohm", "kOhm", "MOhm", "Hz", "kHz", "MHz", "GHz", "s", "ms", "us", "W", "kW", "mW", "rad"}},
        {"GetControlAct", CStdSignal::GetControlAct, {"none", "return", "end"}},
        {"GetDataCompareWay",
         CStdSignal::GetDataCompareWay,
         {"(A,+∞)", "[A,+∞)", "(-∞,A)", "(-∞,A]", "(A,B)", "[A,B]", "(A,B]", "[A,B)", "(-∞,A)或(B,+∞)",
          "(-∞,A]或[B,+∞)", "(-∞,A)或[B,+∞)", "(-∞,A]或(B,+∞)", "==A", "!=A"}},
        {"GetOutcomeValue", CStdSignal::GetOutcomeValue, {"通过", "未通过", "异常"}},
        {"GetJudgeTerm", CStdSignal::GetJudgeTerm, {"定量判断", "定性判断"}},
        {"GetTestGroupType", CStdSignal::GetTestGroupType, {"顺序", "分支", "并行", "时序"}},
        {"GetSchedulingType", CStdSignal::GetSchedulingType, {"总执行时间", "当前项目执行时间"}},
    };
    for (const List& list : lists) EXPECT_EQ(Listed(list.fill), list.texts) << list.name;
}

TEST(SignalVocabulary, SignalTypeTranslatesBothWays) {
    for (int value = 1; value <= 34; ++value) {
        const CString text = kTypeTexts[value].c_str();
        EXPECT_EQ(CStdSignal::GetSignalType(static_cast<TD_SIGNALTYPE>(value)), text) << value;
        EXPECT_EQ(CStdSignal::GetSignalType(text), value) << text;
    }
    for (int value : {0, 35, -1, 1000})
        EXPECT_EQ(CStdSignal::GetSignalType(static_cast<TD_SIGNALTYPE>(value)), "") << value;
    // Texts without a value, the empty text of type 0 included, read as type 1.
    for (const char* text : {"", "ILS_MARKER", "直流信号 ", " 交流信号", "tacan(塔康)", "本地"})
        EXPECT_EQ(CStdSignal::GetSignalType(CString(text)), TD_SIGNAL_DC) << text;
}

TEST(SignalVocabulary, ScopeAndRoleTranslateBothWays) {
    struct Case {
        int value;
        const char* text;
    };
    for (Case c : {Case{0, "全局"}, Case{1, "本地"}}) {
        EXPECT_EQ(CStdSignal::GetSignalRange(static_cast<TD_REF_TYPE>(c.value)), c.text);
        EXPECT_EQ(CStdSignal::GetSignalRange(CString(c.text)), c.value);
    }
    for (Case c : {Case{1, "激励"}, Case{2, "测量"}, Case{3, "监测"}}) {
        EXPECT_EQ(CStdSignal::GetSignalRole(static_cast<TD_TESTROLE_TYPE>(c.value)), c.text);
        EXPECT_EQ(CStdSignal::GetSignalRole(CString(c.text)), c.value);
    }
    for (int value : {2, -1, 99}) EXPECT_EQ(CStdSignal::GetSignalRange(static_cast<TD_REF_TYPE>(value)), "") << value;
    for (int value : {0, 4, -1}) EXPECT_EQ(CStdSignal::GetSignalRole(static_cast<TD_TESTROLE_TYPE>(value)), "") << value;
    for (const char* text : {"", "本地 ", "激励", "local"}) EXPECT_EQ(CStdSignal::GetSignalRange(CString(text)), 1) << text;
    for (const char* text : {"", "全局", "测量 ", "Stimulus"}) EXPECT_EQ(CStdSignal::GetSignalRole(CString(text)), 1) << text;
}
