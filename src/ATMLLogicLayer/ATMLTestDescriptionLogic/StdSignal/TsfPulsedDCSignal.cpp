#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedDCSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfPulsedDCSignal::CTsfPulsedDCSignal() { SetStdSignalType(TD_SIGNAL_PULSED_DC); }

// Amplitudes read as value and unit, as the AC and DC signals read theirs.
double CTsfPulsedDCSignal::GetDcAmplValue() const { return ReadValueAndUnit(m_strDcAmpl); }
double CTsfPulsedDCSignal::GetAcAmplValue() const { return ReadValueAndUnit(m_strAcAmpl); }
double CTsfPulsedDCSignal::GetFreqValue() const { return ReadNumber(m_strFreq); }
double CTsfPulsedDCSignal::GetPDelayValue() const { return ReadNumber(m_strPDelay); }
double CTsfPulsedDCSignal::GetPDurationValue() const { return ReadNumber(m_strPDuration); }
double CTsfPulsedDCSignal::GetPrfValue() const { return ReadNumber(m_strPrf); }
double CTsfPulsedDCSignal::GetPRepetitionValue() const { return ReadNumber(m_strPRepetition); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPulsedDCSignal>() {
    using S = CTsfPulsedDCSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetDcAmpl, &S::SetDcAmpl>("dc_ampl"),
        Attribute<&S::GetAcAmpl, &S::SetAcAmpl>("ac_ampl"),
        Attribute<&S::GetFreq, &S::SetFreq>("freq"),
        Attribute<&S::GetPDelay, &S::SetPDelay>("p_delay"),
        Attribute<&S::GetPDuration, &S::SetPDuration>("p_duration"),
        Attribute<&S::GetPrf, &S::SetPrf>("prf"),
        Attribute<&S::GetPRepetition, &S::SetPRepetition>("p_repetition")};
    return table;
}
