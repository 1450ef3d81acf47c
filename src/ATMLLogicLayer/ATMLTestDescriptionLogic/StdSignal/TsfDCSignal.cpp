#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDCSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfDCSignal::CTsfDCSignal() { SetStdSignalType(TD_SIGNAL_DC); }

double CTsfDCSignal::GetDcAmplValue() const { return ReadValueAndUnit(m_strDcAmpl); }
double CTsfDCSignal::GetAcAmplValue() const { return ReadNumber(m_strAcAmpl); }
double CTsfDCSignal::GetFreqValue() const { return ReadNumber(m_strFreq); }
double CTsfDCSignal::GetPhaseValue() const { return ReadNumber(m_strPhase); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDCSignal>() {
    using S = CTsfDCSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetDcAmpl, &S::SetDcAmpl>("dc_ampl"),
        Attribute<&S::GetAcAmpl, &S::SetAcAmpl>("ac_ampl"),
        Attribute<&S::GetFreq, &S::SetFreq>("freq"),
        Attribute<&S::GetPhase, &S::SetPhase>("phase")};
    return table;
}
