#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfILSGlideSlope.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfILSGlideSlope::CTsfILSGlideSlope() { SetStdSignalType(TD_SIGNAL_ILS_GLIDE_SLOPE); }

// Amplitudes read as value and unit, as the AC and DC signals read theirs.
double CTsfILSGlideSlope::GetCarAmplValue() const { return ReadValueAndUnit(m_strCarAmpl); }
double CTsfILSGlideSlope::GetCarFreqValue() const { return ReadNumber(m_strCarFreq); }
double CTsfILSGlideSlope::GetOnefiftyLevelValue() const { return ReadNumber(m_strOnefiftyLevel); }
double CTsfILSGlideSlope::GetNinetyLevelValue() const { return ReadNumber(m_strNinetyLevel); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfILSGlideSlope>() {
    static const SignalAttributeTable table = IlsSignalItems<CTsfILSGlideSlope>();
    return table;
}
