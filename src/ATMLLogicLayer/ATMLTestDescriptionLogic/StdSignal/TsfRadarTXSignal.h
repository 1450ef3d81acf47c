// The pulses of a radar transmitter.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfRadarTXSignal : public CStdSignal {
public:
    CTsfRadarTXSignal();

    CString GetAmpl() const { return m_strAmpl; }
    void SetAmpl(CString text) { m_strAmpl = text; }
    CString GetFreq() const { return m_strFreq; }
    void SetFreq(CString text) { m_strFreq = text; }
    CString GetDelay() const { return m_strDelay; }
    void SetDelay(CString text) { m_strDelay = text; }
    CString GetDuration() const { return m_strDuration; }
    void SetDuration(CString text) { m_strDuration = text; }
    CString GetPrf() const { return m_strPrf; }
    void SetPrf(CString text) { m_strPrf = text; }
    CString GetRepetition() const { return m_strRepetition; }
    void SetRepetition(CString text) { m_strRepetition = text; }

    // Values read from the texts, which they leave unchanged.
    double GetAmplValue() const;
    double GetFreqValue() const;
    double GetDelayValue() const;
    double GetDurationValue() const;
    double GetPrfValue() const;
    double GetRepetitionValue() const;

private:
    CString m_strAmpl = "1";
    CString m_strFreq = "100 MHz";
    CString m_strDelay = "0 s";
    CString m_strDuration = "10 us";
    CString m_strPrf = "1";
    CString m_strRepetition = "0";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfRadarTXSignal>();
