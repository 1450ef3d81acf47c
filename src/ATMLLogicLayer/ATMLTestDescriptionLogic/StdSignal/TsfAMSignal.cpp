#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfAMSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfAMSignal::CTsfAMSignal() { SetStdSignalType(TD_SIGNAL_AM); }

double CTsfAMSignal::GetCarAmplValue() const { return ReadNumber(m_strCarAmpl); }
double CTsfAMSignal::GetCarFreqValue() const { return ReadNumber(m_strCarFreq); }
double CTsfAMSignal::GetModFreqValue() const { return ReadNumber(m_strModFreq); }
double CTsfAMSignal::GetModDepthValue() const { return ReadNumber(m_strModDepth); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfAMSignal>() {
    using S = CTsfAMSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetCarAmpl, &S::SetCarAmpl>("car_ampl"),
        Attribute<&S::GetCarFreq, &S::SetCarFreq>("car_freq"),
        Attribute<&S::GetModFreq, &S::SetModFreq>("mod_freq"),
        Attribute<&S::GetModDepth, &S::SetModDepth>("mod_depth")};
    return table;
}
