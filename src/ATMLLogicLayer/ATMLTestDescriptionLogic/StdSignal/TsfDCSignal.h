// A DC signal: a DC level with an AC component on it.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfDCSignal : public CStdSignal {
public:
    CTsfDCSignal();

    CString GetDcAmpl() const { return m_strDcAmpl; }
    void SetDcAmpl(CString text) { m_strDcAmpl = text; }
    CString GetAcAmpl() const { return m_strAcAmpl; }
    void SetAcAmpl(CString text) { m_strAcAmpl = text; }
    CString GetFreq() const { return m_strFreq; }
    void SetFreq(CString text) { m_strFreq = text; }
    CString GetPhase() const { return m_strPhase; }
    void SetPhase(CString text) { m_strPhase = text; }

    // Values read from the texts, which they leave unchanged.
    double GetDcAmplValue() const;
    double GetAcAmplValue() const;
    double GetFreqValue() const;
    double GetPhaseValue() const;

private:
    CString m_strDcAmpl = "1";
    CString m_strAcAmpl = "0";
    CString m_strFreq = "0 Hz";
    CString m_strPhase = "0 rad";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDCSignal>();
