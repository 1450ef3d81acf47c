#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfFMSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfFMSignal::CTsfFMSignal() { SetStdSignalType(TD_SIGNAL_FM); }

double CTsfFMSignal::GetCarAmplValue() const { return ReadNumber(m_strCarAmpl); }
double CTsfFMSignal::GetCarFreqValue() const { return ReadNumber(m_strCarFreq); }
double CTsfFMSignal::GetModFreqValue() const { return ReadNumber(m_strModFreq); }
double CTsfFMSignal::GetFreqDevValue() const { return ReadNumber(m_strFreqDev); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfFMSignal>() {
    using S = CTsfFMSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetCarAmpl, &S::SetCarAmpl>("car_ampl"),
        Attribute<&S::GetCarFreq, &S::SetCarFreq>("car_freq"),
        Attribute<&S::GetFreqDev, &S::SetFreqDev>("freq_dev"),
        Attribute<&S::GetModFreq, &S::SetModFreq>("mod_freq")};
    return table;
}
