// A pulsed AC train: an AC signal keyed by a list of pulses.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfPulsedACTrain : public CStdSignal {
public:
    CTsfPulsedACTrain();

    CString GetAcAmpl() const { return m_strAcAmpl; }
    void SetAcAmpl(CString text) { m_strAcAmpl = text; }
    CString GetFreq() const { return m_strFreq; }
    void SetFreq(CString text) { m_strFreq = text; }
    CString GetDcOffset() const { return m_strDcOffset; }
    void SetDcOffset(CString text) { m_strDcOffset = text; }
    CString GetPulseTrain() const { return m_strPulseTrain; }
    void SetPulseTrain(CString text) { m_strPulseTrain = text; }

    // Values read from the texts, which they leave unchanged.
    double GetAcAmplValue() const;
    double GetFreqValue() const;
    double GetDcOffsetValue() const;
    CString GetPulseTrainValue() const;

private:
    CString m_strAcAmpl = "1 V";
    CString m_strFreq = "150 Hz";
    CString m_strDcOffset = "0";
    CString m_strPulseTrain = "(0.1,0.125,1), (0.2,0.125,1)";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPulsedACTrain>();
