// A phase-modulated carrier.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfPMSignal : public CStdSignal {
public:
    CTsfPMSignal();

    CString GetCarAmpl() const { return m_strCarAmpl; }
    void SetCarAmpl(CString text) { m_strCarAmpl = text; }
    CString GetCarFreq() const { return m_strCarFreq; }
    void SetCarFreq(CString text) { m_strCarFreq = text; }
    CString GetModFreq() const { return m_strModFreq; }
    void SetModFreq(CString text) { m_strModFreq = text; }
    CString GetPhaseDev() const { return m_strPhaseDev; }
    void SetPhaseDev(CString text) { m_strPhaseDev = text; }

    // Values read from the texts, which they leave unchanged.
    double GetCarAmplValue() const;
    double GetCarFreqValue() const;
    double GetModFreqValue() const;
    double GetPhaseDevValue() const;

private:
    CString m_strCarAmpl = "1 V";
    CString m_strCarFreq = "100 kHz";
    CString m_strModFreq = "1240 Hz";
    CString m_strPhaseDev = "(pi*8)";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPMSignal>();
