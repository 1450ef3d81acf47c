#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRampSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfRampSignal::CTsfRampSignal() { SetStdSignalType(TD_SIGNAL_RAMP); }

// Amplitudes read as value and unit, as the AC and DC signals read theirs.
double CTsfRampSignal::GetAmplValue() const { return ReadValueAndUnit(m_strAmpl); }
double CTsfRampSignal::GetDcOffsetValue() const { return ReadNumber(m_strDcOffset); }
double CTsfRampSignal::GetPeriodValue() const { return ReadNumber(m_strPeriod); }
double CTsfRampSignal::GetRiseTimeValue() const { return ReadNumber(m_strRiseTime); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfRampSignal>() {
    using S = CTsfRampSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetAmpl, &S::SetAmpl>("ampl"),
        Attribute<&S::GetDcOffset, &S::SetDcOffset>("dc_offset"),
        Attribute<&S::GetPeriod, &S::SetPeriod>("period"),
        Attribute<&S::GetRiseTime, &S::SetRiseTime>("rise_time")};
    return table;
}
