#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfILSLocalizer.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfILSLocalizer::CTsfILSLocalizer() { SetStdSignalType(TD_SIGNAL_ILS_LOCALIZER); }

// Amplitudes read as value and unit, as the AC and DC signals read theirs.
double CTsfILSLocalizer::GetCarAmplValue() const { return ReadValueAndUnit(m_strCarAmpl); }
double CTsfILSLocalizer::GetCarFreqValue() const { return ReadNumber(m_strCarFreq); }
double CTsfILSLocalizer::GetOnefiftyLevelValue() const { return ReadNumber(m_strOnefiftyLevel); }
double CTsfILSLocalizer::GetNinetyLevelValue() const { return ReadNumber(m_strNinetyLevel); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfILSLocalizer>() {
    static const SignalAttributeTable table = IlsSignalItems<CTsfILSLocalizer>();
    return table;
}
