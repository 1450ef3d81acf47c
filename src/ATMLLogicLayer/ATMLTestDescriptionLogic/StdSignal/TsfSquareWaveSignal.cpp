#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfSquareWaveSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfSquareWaveSignal::CTsfSquareWaveSignal() { SetStdSignalType(TD_SIGNAL_SQUARE_WAVE); }

double CTsfSquareWaveSignal::GetAmplValue() const { return ReadNumber(m_strAmpl); }
double CTsfSquareWaveSignal::GetDcOffsetValue() const { return ReadNumber(m_strDcOffset); }
double CTsfSquareWaveSignal::GetPeriodValue() const { return ReadPeriod(m_strPeriod); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfSquareWaveSignal>() {
    static const SignalAttributeTable table = PeriodicWaveItems<CTsfSquareWaveSignal>();
    return table;
}
