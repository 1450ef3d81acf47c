#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedACSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfPulsedACSignal::CTsfPulsedACSignal() { SetStdSignalType(TD_SIGNAL_PULSED_AC); }

// Amplitudes read as value and unit, as the AC and DC signals read theirs.
double CTsfPulsedACSignal::GetAcAmplValue() const { return ReadValueAndUnit(m_strAcAmpl); }
double CTsfPulsedACSignal::GetFreqValue() const { return ReadNumber(m_strFreq); }
double CTsfPulsedACSignal::GetDcOffsetValue() const { return ReadNumber(m_strDcOffset); }
double CTsfPulsedACSignal::GetPDelayValue() const { return ReadNumber(m_strPDelay); }
double CTsfPulsedACSignal::GetPDurationValue() const { return ReadNumber(m_strPDuration); }
double CTsfPulsedACSignal::GetPrfValue() const { return ReadNumber(m_strPrf); }
double CTsfPulsedACSignal::GetPRepetitionValue() const { return ReadNumber(m_strPRepetition); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPulsedACSignal>() {
    using S = CTsfPulsedACSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetAcAmpl, &S::SetAcAmpl>("ac_ampl"),
        Attribute<&S::GetFreq, &S::SetFreq>("freq"),
        Attribute<&S::GetDcOffset, &S::SetDcOffset>("dc_offset"),
        Attribute<&S::GetPDelay, &S::SetPDelay>("p_delay"),
        Attribute<&S::GetPDuration, &S::SetPDuration>("p_duration"),
        Attribute<&S::GetPrf, &S::SetPrf>("prf"),
        Attribute<&S::GetPRepetition, &S::SetPRepetition>("p_repetition")};
    return table;
}
