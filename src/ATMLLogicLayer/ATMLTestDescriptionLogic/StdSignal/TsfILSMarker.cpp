#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfILSMarker.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfILSMarker::CTsfILSMarker() { SetStdSignalType(TD_SIGNAL_ILS_MARKER); }

double CTsfILSMarker::GetMarkerFreqValue() const { return ReadNumber(m_strMarkerFreq); }
// Amplitudes read as value and unit, as the AC and DC signals read theirs.
double CTsfILSMarker::GetCarAmplValue() const { return ReadValueAndUnit(m_strCarAmpl); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfILSMarker>() {
    using S = CTsfILSMarker;
    static const SignalAttributeTable table{
        Attribute<&S::GetMarkerFreq, &S::SetMarkerFreq>("marker_freq"),
        Attribute<&S::GetCarAmpl, &S::SetCarAmpl>("car_ampl")};
    return table;
}
