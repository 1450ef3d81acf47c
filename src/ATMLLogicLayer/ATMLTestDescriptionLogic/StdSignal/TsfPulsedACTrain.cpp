#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedACTrain.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfPulsedACTrain::CTsfPulsedACTrain() { SetStdSignalType(TD_SIGNAL_PULSED_AC_TRAIN); }

// Amplitudes read as value and unit, as the AC and DC signals read theirs.
double CTsfPulsedACTrain::GetAcAmplValue() const { return ReadValueAndUnit(m_strAcAmpl); }
double CTsfPulsedACTrain::GetFreqValue() const { return ReadNumber(m_strFreq); }
double CTsfPulsedACTrain::GetDcOffsetValue() const { return ReadNumber(m_strDcOffset); }
CString CTsfPulsedACTrain::GetPulseTrainValue() const { return m_strPulseTrain; }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPulsedACTrain>() {
    using S = CTsfPulsedACTrain;
    static const SignalAttributeTable table{
        Attribute<&S::GetAcAmpl, &S::SetAcAmpl>("ac_ampl"),
        Attribute<&S::GetFreq, &S::SetFreq>("freq"),
        Attribute<&S::GetDcOffset, &S::SetDcOffset>("dc_offset"),
        Attribute<&S::GetPulseTrain, &S::SetPulseTrain>("pulse_train")};
    return table;
}
