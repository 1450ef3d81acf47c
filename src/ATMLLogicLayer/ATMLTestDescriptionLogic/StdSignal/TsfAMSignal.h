// An amplitude-modulated carrier.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfAMSignal : public CStdSignal {
public:
    CTsfAMSignal();

    CString GetCarAmpl() const { return m_strCarAmpl; }
    void SetCarAmpl(CString text) { m_strCarAmpl = text; }
    CString GetCarFreq() const { return m_strCarFreq; }
    void SetCarFreq(CString text) { m_strCarFreq = text; }
    CString GetModFreq() const { return m_strModFreq; }
    void SetModFreq(CString text) { m_strModFreq = text; }
    CString GetModDepth() const { return m_strModDepth; }
    void SetModDepth(CString text) { m_strModDepth = text; }

    // Values read from the texts, which they leave unchanged.
    double GetCarAmplValue() const;
    double GetCarFreqValue() const;
    double GetModFreqValue() const;
    double GetModDepthValue() const;

private:
    CString m_strCarAmpl = "1 V";
    CString m_strCarFreq = "40 kHz";
    CString m_strModFreq = "1 kHz";
    CString m_strModDepth = "0";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfAMSignal>();
