#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRadarTXSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfRadarTXSignal::CTsfRadarTXSignal() { SetStdSignalType(TD_SIGNAL_RADAR_TX); }

// Amplitudes read as value and unit, as the AC and DC signals read theirs.
double CTsfRadarTXSignal::GetAmplValue() const { return ReadValueAndUnit(m_strAmpl); }
double CTsfRadarTXSignal::GetFreqValue() const { return ReadNumber(m_strFreq); }
double CTsfRadarTXSignal::GetDelayValue() const { return ReadNumber(m_strDelay); }
double CTsfRadarTXSignal::GetDurationValue() const { return ReadNumber(m_strDuration); }
double CTsfRadarTXSignal::GetPrfValue() const { return ReadNumber(m_strPrf); }
double CTsfRadarTXSignal::GetRepetitionValue() const { return ReadNumber(m_strRepetition); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfRadarTXSignal>() {
    using S = CTsfRadarTXSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetAmpl, &S::SetAmpl>("ampl"),
        Attribute<&S::GetFreq, &S::SetFreq>("freq"),
        Attribute<&S::GetDelay, &S::SetDelay>("delay"),
        Attribute<&S::GetDuration, &S::SetDuration>("duration"),
        Attribute<&S::GetPrf, &S::SetPrf>("prf"),
        Attribute<&S::GetRepetition, &S::SetRepetition>("repetition")};
    return table;
}
