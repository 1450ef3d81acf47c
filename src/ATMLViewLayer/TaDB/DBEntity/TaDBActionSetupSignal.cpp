// The set-up record's side of the signal model: writing a signal object into
// the record, and the measurement information's two text forms, the label an
// editor shows and the attribute name it stands for.
#include <vector>

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalClasses.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalContent.h"
#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionSetup.h"

namespace {
struct MeasureLabel {
    const char* label;
    const char* name;
};

struct TypeLabels {
    std::vector<TD_SIGNALTYPE> types;
    std::vector<MeasureLabel> labels;  // in the order compared
};

// The same label can stand for different attributes in different types.
const std::vector<TypeLabels>& MeasureLabels() {
    static const std::vector<TypeLabels> table{
        {{TD_SIGNAL_AC},
         {{"直流偏置", "dc_offset"},
          {"交流信号幅度", "ac_ampl"},
          {"交流信号频率", "freq"},
          {"交流信号相位", "phase"},
          {"峰峰值测量", "PeakToPeak"},
          {"有效值测量", "Average"},
          {"功率测量", "Power"}}},
        {{TD_SIGNAL_DC},
         {{"直流信号幅度", "dc_ampl"},
          {"交流分量幅度", "ac_ampl"},
          {"交流分量频率", "freq"},
          {"交流分量相位", "phase"}}},
        {{TD_SIGNAL_AM},
         {{"载波幅度", "car_ampl"}, {"载波频率", "car_freq"}, {"调制频率", "mod_freq"}, {"调制深度", "mod_depth"}}},
        {{TD_SIGNAL_FM},
         {{"载波幅度", "car_ampl"}, {"载波频率", "car_freq"}, {"偏移频率", "freq_dev"}, {"调制频率", "mod_freq"}}},
        {{TD_SIGNAL_RS232},
         {{"数据字", "data_word"},
          {"波特率", "baud_rate"},
          {"数据位", "data_bits"},
          {"奇偶校验", "parity"},
          {"停止位", "stop_bits"},
          {"流控制", "flow_control"}}},
        {{TD_SIGNAL_SQUARE_WAVE, TD_SIGNAL_TRIANGULAR_WAVE},
         {{"幅值", "ampl"}, {"周期", "period"}, {"直流偏置", "dc_offset"}}},
        {{TD_SIGNAL_PULSED_AC},
         {{"脉冲宽度", "p_duration"},
          {"脉冲周期", "prf"},
          {"脉冲幅度", "ac_ampl"},
          {"脉冲计数测量", "p_repetition"}}},
        {{TD_SIGNAL_SINUSOID}, {{"幅值", "amplitude"}, {"频率", "frequency"}, {"相位", "phase"}}},
        {{TD_SIGNAL_CONSTANT}, {{"幅值", "amplitude"}}},
    };
    return table;
}

// The signal's measurement information, with the first label (or name) of
// its type that equals it replaced by the name (or label) beside it.
CString TranslateMeasureInfo(const CStdSignal* signal, const char* MeasureLabel::*from,
                             const char* MeasureLabel::*to) {
    if (!signal) return "";
    const CString info = signal->GetMeasureInfo();
    for (const TypeLabels& type : MeasureLabels())
        for (TD_SIGNALTYPE value : type.types)
            if (value == signal->GetStdSignalType())
                for (const MeasureLabel& label : type.labels)
                    if (info == label.*from) return label.*to;
    return info;
}
}  // namespace

void CTaDBActionSetup::SetStdSignal(CStdSignal* signal) {
    if (!signal) return;
    // An object whose type names another class than its own keeps the
    // content as it was: its own attributes are not those of its type.
    const SignalClass* signalClass = FindSignalClass(signal->GetStdSignalType());
    if (signalClass && signalClass->isInstance(*signal))
        m_strSignalContent = WriteSignalContent(*signal, signalClass->attributes());
    m_strActionName = signal->GetActName();
    m_strMeasureInfo = signal->GetMeasureInfo();
}

CString CTaDBActionSetup::GetMeasureInfo_Std(CStdSignal* signal) {
    return TranslateMeasureInfo(signal, &MeasureLabel::label, &MeasureLabel::name);
}

CString CTaDBActionSetup::GetMeasureInfo_String(CStdSignal* signal) {
    return TranslateMeasureInfo(signal, &MeasureLabel::name, &MeasureLabel::label);
}
