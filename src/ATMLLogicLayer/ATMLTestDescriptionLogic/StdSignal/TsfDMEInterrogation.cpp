#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDMEInterrogation.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfDMEInterrogation::CTsfDMEInterrogation() { SetStdSignalType(TD_SIGNAL_DME_INTERROGATION); }

double CTsfDMEInterrogation::GetCarAmplValue() const { return ReadValueAndUnit(m_strCarAmpl); }
int CTsfDMEInterrogation::GetIntFreqValue() const { return ReadInteger(m_strIntFreq); }
int CTsfDMEInterrogation::GetIntRateValue() const { return ReadInteger(m_strIntRate); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDMEInterrogation>() {
    using S = CTsfDMEInterrogation;
    static const SignalAttributeTable table{
        Attribute<&S::GetCarAmpl, &S::SetCarAmpl>("car_ampl"),
        Attribute<&S::GetIntFreq, &S::SetIntFreq>("int_freq"),
        Attribute<&S::GetIntRate, &S::SetIntRate>("int_rate")};
    return table;
}
