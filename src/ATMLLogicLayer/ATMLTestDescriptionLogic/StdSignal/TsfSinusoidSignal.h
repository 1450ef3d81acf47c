// A sinusoid of an amplitude, a frequency and a phase.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfSinusoidSignal : public CStdSignal {
public:
    CTsfSinusoidSignal();

    CString GetAmpl() const { return m_strAmpl; }
    void SetAmpl(CString text) { m_strAmpl = text; }
    CString GetFrequency() const { return m_strFrequency; }
    void SetFrequency(CString text) { m_strFrequency = text; }
    CString GetPhase() const { return m_strPhase; }
    void SetPhase(CString text) { m_strPhase = text; }

    // Values read from the texts, which they leave unchanged.
    double GetSpareValue() const;
    double GetAmplValue() const;
    double GetFrequencyValue() const;
    double GetPhaseValue() const;

private:
    CString m_strSpare = "0";  // never stored; only GetSpareValue reads it
    CString m_strAmpl = "1 V";
    CString m_strFrequency = "1000 Hz";
    CString m_strPhase = "0 rad";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfSinusoidSignal>();
