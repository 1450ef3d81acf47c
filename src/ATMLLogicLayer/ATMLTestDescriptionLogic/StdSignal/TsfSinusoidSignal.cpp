#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfSinusoidSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfSinusoidSignal::CTsfSinusoidSignal() { SetStdSignalType(TD_SIGNAL_SINUSOID); }

double CTsfSinusoidSignal::GetSpareValue() const { return ReadNumber(m_strSpare); }
double CTsfSinusoidSignal::GetAmplValue() const { return ReadValueAndUnit(m_strAmpl); }
double CTsfSinusoidSignal::GetFrequencyValue() const { return ReadNumber(m_strFrequency); }
double CTsfSinusoidSignal::GetPhaseValue() const { return ReadNumber(m_strPhase); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfSinusoidSignal>() {
    using S = CTsfSinusoidSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetAmpl, &S::SetAmpl>("ampl"),
        Attribute<&S::GetFrequency, &S::SetFrequency>("frequency"),
        Attribute<&S::GetPhase, &S::SetPhase>("phase")};
    return table;
}
