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
    using S = CTsfILSGlideSlope;
    static const SignalAttributeTable table{
        Attribute<&S::GetCarAmpl, &S::SetCarAmpl>("car_ampl"),
        Attribute<&S::GetCarFreq, &S::SetCarFreq>("car_freq"),
        Attribute<&S::GetOnefiftyLevel, &S::SetOnefiftyLevel>("onefifty_level"),
        Attribute<&S::GetNinetyLevel, &S::SetNinetyLevel>("ninety_level")};
    return table;
}
