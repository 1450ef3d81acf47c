#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfILSSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfILSSignal::CTsfILSSignal(TD_SIGNALTYPE type, const char* carAmpl, const char* carFreq)
    : m_strCarAmpl(carAmpl), m_strCarFreq(carFreq) {
    SetStdSignalType(type);
}

// Amplitudes read as value and unit, as the AC and DC signals read theirs.
double CTsfILSSignal::GetCarAmplValue() const { return ReadValueAndUnit(m_strCarAmpl); }
double CTsfILSSignal::GetCarFreqValue() const { return ReadNumber(m_strCarFreq); }
double CTsfILSSignal::GetOnefiftyLevelValue() const { return ReadNumber(m_strOnefiftyLevel); }
double CTsfILSSignal::GetNinetyLevelValue() const { return ReadNumber(m_strNinetyLevel); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfILSSignal>() {
    using S = CTsfILSSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetCarAmpl, &S::SetCarAmpl>("car_ampl"),
        Attribute<&S::GetCarFreq, &S::SetCarFreq>("car_freq"),
        Attribute<&S::GetOnefiftyLevel, &S::SetOnefiftyLevel>("onefifty_level"),
        Attribute<&S::GetNinetyLevel, &S::SetNinetyLevel>("ninety_level")};
    return table;
}
