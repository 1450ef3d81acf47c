#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPMSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfPMSignal::CTsfPMSignal() { SetStdSignalType(TD_SIGNAL_PM); }

double CTsfPMSignal::GetCarAmplValue() const { return ReadNumber(m_strCarAmpl); }
double CTsfPMSignal::GetCarFreqValue() const { return ReadNumber(m_strCarFreq); }
double CTsfPMSignal::GetModFreqValue() const { return ReadNumber(m_strModFreq); }
double CTsfPMSignal::GetPhaseDevValue() const { return ReadNumber(m_strPhaseDev); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPMSignal>() {
    using S = CTsfPMSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetCarAmpl, &S::SetCarAmpl>("car_ampl"),
        Attribute<&S::GetCarFreq, &S::SetCarFreq>("car_freq"),
        Attribute<&S::GetPhaseDev, &S::SetPhaseDev>("phase_dev"),
        Attribute<&S::GetModFreq, &S::SetModFreq>("mod_freq")};
    return table;
}
