// A pulsed AC signal.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfPulsedACSignal : public CStdSignal {
public:
    CTsfPulsedACSignal();

    CString GetAcAmpl() const { return m_strAcAmpl; }
    void SetAcAmpl(CString text) { m_strAcAmpl = text; }
    CString GetFreq() const { return m_strFreq; }
    void SetFreq(CString text) { m_strFreq = text; }
    CString GetDcOffset() const { return m_strDcOffset; }
    void SetDcOffset(CString text) { m_strDcOffset = text; }
    CString GetPDelay() const { return m_strPDelay; }
    void SetPDelay(CString text) { m_strPDelay = text; }
    CString GetPDuration() const { return m_strPDuration; }
    void SetPDuration(CString text) { m_strPDuration = text; }
    CString GetPrf() const { return m_strPrf; }
    void SetPrf(CString text) { m_strPrf = text; }
    CString GetPRepetition() const { return m_strPRepetition; }
    void SetPRepetition(CString text) { m_strPRepetition = text; }

    // Values read from the texts, which they leave unchanged.
    double GetAcAmplValue() const;
    double GetFreqValue() const;
    double GetDcOffsetValue() const;
    double GetPDelayValue() const;
    double GetPDurationValue() const;
    double GetPrfValue() const;
    double GetPRepetitionValue() const;

private:
    CString m_strAcAmpl = "1 V";
    CString m_strFreq = "1 Hz";
    CString m_strDcOffset = "0";
    CString m_strPDelay = "0 s";
    CString m_strPDuration = "3 ms";
    CString m_strPrf = "1";
    CString m_strPRepetition = "0";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPulsedACSignal>();
