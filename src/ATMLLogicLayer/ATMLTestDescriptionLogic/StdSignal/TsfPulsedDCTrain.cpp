#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedDCTrain.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfPulsedDCTrain::CTsfPulsedDCTrain() { SetStdSignalType(TD_SIGNAL_PULSED_DC_TRAIN); }

// Amplitudes read as value and unit, as the AC and DC signals read theirs.
double CTsfPulsedDCTrain::GetDcAmplValue() const { return ReadValueAndUnit(m_strDcAmpl); }
double CTsfPulsedDCTrain::GetAcAmplValue() const { return ReadValueAndUnit(m_strAcAmpl); }
double CTsfPulsedDCTrain::GetFreqValue() const { return ReadNumber(m_strFreq); }
CString CTsfPulsedDCTrain::GetPulseTrainValue() const { return m_strPulseTrain; }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPulsedDCTrain>() {
    using S = CTsfPulsedDCTrain;
    static const SignalAttributeTable table{
        Attribute<&S::GetDcAmpl, &S::SetDcAmpl>("dc_ampl"),
        Attribute<&S::GetPulseTrain, &S::SetPulseTrain>("pulse_train"),
        Attribute<&S::GetAcAmpl, &S::SetAcAmpl>("ac_ampl"),
        Attribute<&S::GetFreq, &S::SetFreq>("freq")};
    return table;
}
