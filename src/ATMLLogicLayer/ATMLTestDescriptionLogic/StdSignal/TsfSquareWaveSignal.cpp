#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfSquareWaveSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfSquareWaveSignal::CTsfSquareWaveSignal() { SetStdSignalType(TD_SIGNAL_SQUARE_WAVE); }

double CTsfSquareWaveSignal::GetAmplValue() const { return ReadNumber(m_strAmpl); }
double CTsfSquareWaveSignal::GetDcOffsetValue() const { return ReadNumber(m_strDcOffset); }
double CTsfSquareWaveSignal::GetPeriodValue() const { return ReadPeriod(m_strPeriod); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfSquareWaveSignal>() {
    using S = CTsfSquareWaveSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetAmpl, &S::SetAmpl>("ampl"),
        Attribute<&S::GetPeriod, &S::SetPeriod>("period"),
        Attribute<&S::GetDcOffset, &S::SetDcOffset>("dc_offset")};
    return table;
}
