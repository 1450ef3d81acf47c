// An AC signal: a sine wave over a DC offset.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfACSignal : public CStdSignal {
public:
    CTsfACSignal();

    CString GetDcOffset() const { return m_strDcOffset; }
    void SetDcOffset(CString text) { m_strDcOffset = text; }
    CString GetAcAmpl() const { return m_strAcAmpl; }
    void SetAcAmpl(CString text) { m_strAcAmpl = text; }
    CString GetFreq() const { return m_strFreq; }
    void SetFreq(CString text) { m_strFreq = text; }
    CString GetPhase() const { return m_strPhase; }
    void SetPhase(CString text) { m_strPhase = text; }

    // Values read from the texts, which they leave unchanged.
    double GetDcOffsetValue() const;
    double GetAcAmplValue() const;
    double GetFreqValue() const;
    double GetPhaseValue() const;

private:
    CString m_strDcOffset = "0";
    CString m_strAcAmpl = "1 V";
    CString m_strFreq = "1000 Hz";
    CString m_strPhase = "0 rad";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfACSignal>();
