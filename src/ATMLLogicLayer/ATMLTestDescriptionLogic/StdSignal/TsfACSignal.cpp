#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfACSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfACSignal::CTsfACSignal() { SetStdSignalType(TD_SIGNAL_AC); }

double CTsfACSignal::GetDcOffsetValue() const { return ReadNumber(m_strDcOffset); }
double CTsfACSignal::GetAcAmplValue() const { return ReadValueAndUnit(m_strAcAmpl); }
double CTsfACSignal::GetFreqValue() const { return ReadNumber(m_strFreq); }
double CTsfACSignal::GetPhaseValue() const { return ReadNumber(m_strPhase); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfACSignal>() {
    using S = CTsfACSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetDcOffset, &S::SetDcOffset>("dc_offset"),
        Attribute<&S::GetAcAmpl, &S::SetAcAmpl>("ac_ampl"),
        Attribute<&S::GetFreq, &S::SetFreq>("freq"),
        Attribute<&S::GetPhase, &S::SetPhase>("phase")};
    return table;
}
