#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfTriangularWaveSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfTriangularWaveSignal::CTsfTriangularWaveSignal() { SetStdSignalType(TD_SIGNAL_TRIANGULAR_WAVE); }

double CTsfTriangularWaveSignal::GetAmplValue() const { return ReadNumber(m_strAmpl); }
double CTsfTriangularWaveSignal::GetDcOffsetValue() const { return ReadNumber(m_strDcOffset); }
double CTsfTriangularWaveSignal::GetPeriodValue() const { return ReadPeriod(m_strPeriod); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfTriangularWaveSignal>() {
    static const SignalAttributeTable table = PeriodicWaveItems<CTsfTriangularWaveSignal>();
    return table;
}
