// The signal vocabularies. Each is one table that the conversions in both
// directions and the list operation read; a table is in the order its list
// offers the texts.
#include <cstddef>

#include "ATMLViewLayer/TaDB/DBTDOther/StdSignal.h"

namespace {
template <class E>
struct Word {
    E value;
    const char* text;
};

// Type 0 has no text of its own, so it reads as "" and "" reads as no type.
const Word<TD_SIGNALTYPE> kSignalTypes[] = {
    {TD_SIGNAL_DC, "直流信号"},
    {TD_SIGNAL_AC, "交流信号"},
    {TD_SIGNAL_RESISTANCE, "电阻"},
    {TD_SIGNAL_PULSED_AC, "交流脉冲调制信号"},
    {TD_SIGNAL_FM, "FM调制"},
    {TD_SIGNAL_AM, "AM调制"},
    {TD_SIGNAL_TRIANGULAR_WAVE, "三角波"},
    {TD_SIGNAL_SQUARE_WAVE, "方波"},
    {TD_SIGNAL_RS232, "RS232串口信号"},
    {TD_SIGNAL_PULSED_AC_TRAIN, "交流脉冲调制序列"},
    {TD_SIGNAL_PULSED_DC, "直流脉冲调制信号"},
    {TD_SIGNAL_PULSED_DC_TRAIN, "直流脉冲调制序列"},
    {TD_SIGNAL_DIGITAL_PARALLEL, "并行数字信号"},
    {TD_SIGNAL_DIGITAL_SERIAL, "串行数字信号"},
    {TD_SIGNAL_DME_INTERROGATION, "测距装置询问机"},
    {TD_SIGNAL_DME_RESPONSE, "测距装置转发器"},
    {TD_SIGNAL_ILS_GLIDE_SLOPE, "ILS_GLIDE_SLOPE(下滑道)"},
    {TD_SIGNAL_ILS_LOCALIZER, "ILS_LOCALIZER(定位器)"},
    {TD_SIGNAL_ILS_MARKER, "ILS_MARKER(信标)"},
    {TD_SIGNAL_PM, "PM调制"},
    {TD_SIGNAL_RADAR_RX, "雷达收信机信号"},
    {TD_SIGNAL_RADAR_TX, "雷达发信机信号"},
    {TD_SIGNAL_RAMP, "斜坡信号"},
    {TD_SIGNAL_RANDOM_NOISE, "随机噪声信号"},
    {TD_SIGNAL_RESOLVER, "RESOLVER(旋转变压器)"},
    {TD_SIGNAL_SSR_INTERROGATION, "SSR询问机"},
    {TD_SIGNAL_SSR_RESPONSE, "SSR转发器"},
    {TD_SIGNAL_STEP, "阶越信号"},
    {TD_SIGNAL_SUPPRESSED_CARRIER, "载波压制信号"},
    {TD_SIGNAL_SYNCHRO, "自整角机"},
    {TD_SIGNAL_TACAN, "TACAN(塔康)"},
    {TD_SIGNAL_VOR, "VOR(甚高频全向信标)"},
    {TD_SIGNAL_SINUSOID, "正弦信号"},
    {TD_SIGNAL_CONSTANT, "常量信号"},
};

const Word<TD_REF_TYPE> kRanges[] = {{TD_REF_LOCAL, "本地"}, {TD_REF_GLOBAL, "全局"}};

const Word<TD_TESTROLE_TYPE> kRoles[] = {
    {TD_ROLE_STIMULUS, "激励"}, {TD_ROLE_MEASUREMENT, "测量"}, {TD_ROLE_MONITORING, "监测"}};

const char* const kDataTypes[] = {"double", "int", "bool", "char", "string",
                                  "double[]", "int[]", "bool[]", "char[]", "string[]"};
const char* const kDataUnits[] = {"V",  "mV", "uV", "Ohm", "kOhm", "MOhm", "Hz", "kHz", "MHz",
                                  "GHz", "s",  "ms", "us",  "W",    "kW",   "mW", "rad"};
const char* const kControlActs[] = {"none", "return", "end"};
// A is the lower (or only) limit, B the upper; "或" joins two ranges.
const char* const kCompareWays[] = {"(A,+∞)",         "[A,+∞)",         "(-∞,A)",         "(-∞,A]", "(A,B)",
                                    "[A,B]",          "(A,B]",          "[A,B)",          "(-∞,A)或(B,+∞)",
                                    "(-∞,A]或[B,+∞)", "(-∞,A)或[B,+∞)", "(-∞,A]或(B,+∞)", "==A",    "!=A"};
const char* const kOutcomeValues[] = {"通过", "未通过", "异常"};
const char* const kJudgeTerms[] = {"定量判断", "定性判断"};
const char* const kTestGroupTypes[] = {"顺序", "分支", "并行", "时序"};
const char* const kSchedulingTypes[] = {"总执行时间", "当前项目执行时间"};

template <class E, size_t N>
CString TextOf(const Word<E> (&words)[N], E value) {
    for (const Word<E>& word : words)
        if (word.value == value) return word.text;
    return "";
}

template <class E, size_t N>
E ValueOf(const Word<E> (&words)[N], const CString& text, E fallback) {
    for (const Word<E>& word : words)
        if (text.str() == word.text) return word.value;
    return fallback;
}

template <class E, size_t N>
void Fill(const Word<E> (&words)[N], CStringArray& texts) {
    texts.RemoveAll();
    for (const Word<E>& word : words) texts.Add(word.text);
}

template <size_t N>
void Fill(const char* const (&words)[N], CStringArray& texts) {
    texts.RemoveAll();
    for (const char* word : words) texts.Add(word);
}
}  // namespace

CString CStdSignal::GetSignalType(TD_SIGNALTYPE type) { return TextOf(kSignalTypes, type); }
TD_SIGNALTYPE CStdSignal::GetSignalType(CString text) { return ValueOf(kSignalTypes, text, TD_SIGNAL_DC); }
void CStdSignal::GetSignalType(CStringArray& texts) { Fill(kSignalTypes, texts); }

CString CStdSignal::GetSignalRange(TD_REF_TYPE range) { return TextOf(kRanges, range); }
TD_REF_TYPE CStdSignal::GetSignalRange(CString text) { return ValueOf(kRanges, text, TD_REF_LOCAL); }
void CStdSignal::GetSignalRange(CStringArray& texts) { Fill(kRanges, texts); }
void CStdSignal::GetInfoRange(CStringArray& texts) { Fill(kRanges, texts); }

CString CStdSignal::GetSignalRole(TD_TESTROLE_TYPE role) { return TextOf(kRoles, role); }
TD_TESTROLE_TYPE CStdSignal::GetSignalRole(CString text) { return ValueOf(kRoles, text, TD_ROLE_STIMULUS); }
void CStdSignal::GetSignalRole(CStringArray& texts) { Fill(kRoles, texts); }

void CStdSignal::GetDataType(CStringArray& texts) { Fill(kDataTypes, texts); }
void CStdSignal::GetDataUnit(CStringArray& texts) { Fill(kDataUnits, texts); }
void CStdSignal::GetControlAct(CStringArray& texts) { Fill(kControlActs, texts); }
void CStdSignal::GetDataCompareWay(CStringArray& texts) { Fill(kCompareWays, texts); }
void CStdSignal::GetOutcomeValue(CStringArray& texts) { Fill(kOutcomeValues, texts); }
void CStdSignal::GetJudgeTerm(CStringArray& texts) { Fill(kJudgeTerms, texts); }
void CStdSignal::GetTestGroupType(CStringArray& texts) { Fill(kTestGroupTypes, texts); }
void CStdSignal::GetSchedulingType(CStringArray& texts) { Fill(kSchedulingTypes, texts); }
