// A ramp signal.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfRampSignal : public CStdSignal {
public:
    CTsfRampSignal();

    CString GetAmpl() const { return m_strAmpl; }
    void SetAmpl(CString text) { m_strAmpl = text; }
    CString GetDcOffset() const { return m_strDcOffset; }
    void SetDcOffset(CString text) { m_strDcOffset = text; }
    CString GetPeriod() const { return m_strPeriod; }
    void SetPeriod(CString text) { m_strPeriod = text; }
    CString GetRiseTime() const { return m_strRiseTime; }
    void SetRiseTime(CString text) { m_strRiseTime = text; }

    // Values read from the texts, which they leave unchanged.
    double GetAmplValue() const;
    double GetDcOffsetValue() const;
    double GetPeriodValue() const;
    double GetRiseTimeValue() const;

private:
    CString m_strAmpl = "1";
    CString m_strDcOffset = "0";
    CString m_strPeriod = "1 kHz";
    CString m_strRiseTime = "1 ms";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfRampSignal>();
