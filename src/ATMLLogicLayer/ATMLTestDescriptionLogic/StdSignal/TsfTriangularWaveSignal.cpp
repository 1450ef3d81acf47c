#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfTriangularWaveSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfTriangularWaveSignal::CTsfTriangularWaveSignal() { SetStdSignalType(TD_SIGNAL_TRIANGULAR_WAVE); }

double CTsfTriangularWaveSignal::GetAmplValue() const { return ReadNumber(m_strAmpl); }
double CTsfTriangularWaveSignal::GetDcOffsetValue() const { return ReadNumber(m_strDcOffset); }
double CTsfTriangularWaveSignal::GetPeriodValue() const { return ReadPeriod(m_strPeriod); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfTriangularWaveSignal>() {
    using S = CTsfTriangularWaveSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetAmpl, &S::SetAmpl>("ampl"),
        Attribute<&S::GetPeriod, &S::SetPeriod>("period"),
        Attribute<&S::GetDcOffset, &S::SetDcOffset>("dc_offset")};
    return table;
}
