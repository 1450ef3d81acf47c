// A frequency-modulated carrier.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfFMSignal : public CStdSignal {
public:
    CTsfFMSignal();

    CString GetCarAmpl() const { return m_strCarAmpl; }
    void SetCarAmpl(CString text) { m_strCarAmpl = text; }
    CString GetCarFreq() const { return m_strCarFreq; }
    void SetCarFreq(CString text) { m_strCarFreq = text; }
    CString GetModFreq() const { return m_strModFreq; }
    void SetModFreq(CString text) { m_strModFreq = text; }
    CString GetFreqDev() const { return m_strFreqDev; }
    void SetFreqDev(CString text) { m_strFreqDev = text; }

    // Values read from the texts, which they leave unchanged.
    double GetCarAmplValue() const;
    double GetCarFreqValue() const;
    double GetModFreqValue() const;
    double GetFreqDevValue() const;

private:
    CString m_strCarAmpl = "1 V";
    CString m_strCarFreq = "100 kHz";
    CString m_strModFreq = "1200 Hz";
    CString m_strFreqDev = "10 kHz";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfFMSignal>();
