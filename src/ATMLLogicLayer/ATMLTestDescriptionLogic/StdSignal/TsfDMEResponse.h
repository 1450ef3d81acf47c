// The transponder reply of distance-measuring equipment.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfDMEResponse : public CStdSignal {
public:
    CTsfDMEResponse();

    CString GetRespFreq() const { return m_strRespFreq; }
    void SetRespFreq(CString text) { m_strRespFreq = text; }
    CString GetCarAmpl() const { return m_strCarAmpl; }
    void SetCarAmpl(CString text) { m_strCarAmpl = text; }
    CString GetRange() const { return m_strRange; }
    void SetRange(CString text) { m_strRange = text; }
    CString GetRate() const { return m_strRate; }
    void SetRate(CString text) { m_strRate = text; }
    CString GetAccn() const { return m_strAccn; }
    void SetAccn(CString text) { m_strAccn = text; }

    // Values read from the texts, which they leave unchanged.
    double GetRespFreqValue() const;
    double GetCarAmplValue() const;
    double GetRangeValue() const;
    double GetRateValue() const;
    double GetAccnValue() const;
    double GetSpareValue() const;

private:
    CString m_strRespFreq = "962MHz";
    CString m_strCarAmpl = "1 V";
    CString m_strRange = "0 m";
    CString m_strRate = "0 m/s";
    CString m_strAccn = "0 m/s2";
    CString m_strSpare = "0";  // never stored; only GetSpareValue reads it
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDMEResponse>();
