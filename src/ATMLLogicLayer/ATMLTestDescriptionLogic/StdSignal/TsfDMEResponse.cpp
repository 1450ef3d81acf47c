#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDMEResponse.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfDMEResponse::CTsfDMEResponse() { SetStdSignalType(TD_SIGNAL_DME_RESPONSE); }

double CTsfDMEResponse::GetRespFreqValue() const { return ReadNumber(m_strRespFreq); }
// Amplitudes read as value and unit, as the AC and DC signals read theirs.
double CTsfDMEResponse::GetCarAmplValue() const { return ReadValueAndUnit(m_strCarAmpl); }
double CTsfDMEResponse::GetRangeValue() const { return ReadNumber(m_strRange); }
double CTsfDMEResponse::GetRateValue() const { return ReadNumber(m_strRate); }
double CTsfDMEResponse::GetAccnValue() const { return ReadNumber(m_strAccn); }
double CTsfDMEResponse::GetSpareValue() const { return ReadNumber(m_strSpare); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDMEResponse>() {
    using S = CTsfDMEResponse;
    static const SignalAttributeTable table{
        Attribute<&S::GetRespFreq, &S::SetRespFreq>("resp_freq"),
        Attribute<&S::GetCarAmpl, &S::SetCarAmpl>("car_ampl"),
        Attribute<&S::GetRange, &S::SetRange>("range"),
        Attribute<&S::GetRate, &S::SetRate>("rate"),
        Attribute<&S::GetAccn, &S::SetAccn>("accn")};
    return table;
}
