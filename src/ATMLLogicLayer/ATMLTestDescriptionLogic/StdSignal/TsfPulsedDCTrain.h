// A pulsed DC train: a DC signal keyed by a list of pulses.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfPulsedDCTrain : public CStdSignal {
public:
    CTsfPulsedDCTrain();

    CString GetDcAmpl() const { return m_strDcAmpl; }
    void SetDcAmpl(CString text) { m_strDcAmpl = text; }
    CString GetAcAmpl() const { return m_strAcAmpl; }
    void SetAcAmpl(CString text) { m_strAcAmpl = text; }
    CString GetFreq() const { return m_strFreq; }
    void SetFreq(CString text) { m_strFreq = text; }
    CString GetPulseTrain() const { return m_strPulseTrain; }
    void SetPulseTrain(CString text) { m_strPulseTrain = text; }

    // Values read from the texts, which they leave unchanged.
    double GetDcAmplValue() const;
    double GetAcAmplValue() const;
    double GetFreqValue() const;
    CString GetPulseTrainValue() const;

private:
    CString m_strDcAmpl = "1";
    CString m_strAcAmpl = "0";
    CString m_strFreq = "0 Hz";
    CString m_strPulseTrain = "(0.1,0.125,1), (0.2,0.125,1)";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPulsedDCTrain>();
