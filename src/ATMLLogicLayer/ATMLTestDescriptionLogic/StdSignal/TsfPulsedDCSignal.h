// A pulsed DC signal.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfPulsedDCSignal : public CStdSignal {
public:
    CTsfPulsedDCSignal();

    CString GetDcAmpl() const { return m_strDcAmpl; }
    void SetDcAmpl(CString text) { m_strDcAmpl = text; }
    CString GetAcAmpl() const { return m_strAcAmpl; }
    void SetAcAmpl(CString text) { m_strAcAmpl = text; }
    CString GetFreq() const { return m_strFreq; }
    void SetFreq(CString text) { m_strFreq = text; }
    CString GetPDelay() const { return m_strPDelay; }
    void SetPDelay(CString text) { m_strPDelay = text; }
    CString GetPDuration() const { return m_strPDuration; }
    void SetPDuration(CString text) { m_strPDuration = text; }
    CString GetPrf() const { return m_strPrf; }
    void SetPrf(CString text) { m_strPrf = text; }
    CString GetPRepetition() const { return m_strPRepetition; }
    void SetPRepetition(CString text) { m_strPRepetition = text; }

    // Values read from the texts, which they leave unchanged.
    double GetDcAmplValue() const;
    double GetAcAmplValue() const;
    double GetFreqValue() const;
    double GetPDelayValue() const;
    double GetPDurationValue() const;
    double GetPrfValue() const;
    double GetPRepetitionValue() const;

private:
    CString m_strDcAmpl = "1";
    CString m_strAcAmpl = "0";
    CString m_strFreq = "0 Hz";
    CString m_strPDelay = "0 s";
    CString m_strPDuration = "6 ms";
    CString m_strPrf = "1";
    CString m_strPRepetition = "0";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPulsedDCSignal>();
