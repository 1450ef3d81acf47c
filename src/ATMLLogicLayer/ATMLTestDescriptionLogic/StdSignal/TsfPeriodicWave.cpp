#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPeriodicWave.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfPeriodicWave::CTsfPeriodicWave(TD_SIGNALTYPE type, const char* dcOffset, const char* period)
    : m_strDcOffset(dcOffset), m_strPeriod(period) {
    SetStdSignalType(type);
}

double CTsfPeriodicWave::GetAmplValue() const { return ReadNumber(m_strAmpl); }
double CTsfPeriodicWave::GetDcOffsetValue() const { return ReadNumber(m_strDcOffset); }
double CTsfPeriodicWave::GetPeriodValue() const { return ReadPeriod(m_strPeriod); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPeriodicWave>() {
    using S = CTsfPeriodicWave;
    static const SignalAttributeTable table{
        Attribute<&S::GetAmpl, &S::SetAmpl>("ampl"),
        Attribute<&S::GetPeriod, &S::SetPeriod>("period"),
        Attribute<&S::GetDcOffset, &S::SetDcOffset>("dc_offset")};
    return table;
}
