// The signal a radar receiver is tested with: a target's range, motion and reply.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfRadarRXSignal : public CStdSignal {
public:
    CTsfRadarRXSignal();

    CString GetAtten() const { return m_strAtten; }
    void SetAtten(CString text) { m_strAtten = text; }
    CString GetRange() const { return m_strRange; }
    void SetRange(CString text) { m_strRange = text; }
    CString GetRangeAccn() const { return m_strRangeAccn; }
    void SetRangeAccn(CString text) { m_strRangeAccn = text; }
    CString GetRangeRate() const { return m_strRangeRate; }
    void SetRangeRate(CString text) { m_strRangeRate = text; }
    CString GetReplyEff() const { return m_strReplyEff; }
    void SetReplyEff(CString text) { m_strReplyEff = text; }

    // Values read from the texts, which they leave unchanged.
    double GetAttenValue() const;
    double GetRangeValue() const;
    double GetRangeAccnValue() const;
    double GetRangeRateValue() const;
    double GetReplyEffValue() const;
    CString GetSpareValue() const;

private:
    CString m_strAtten = "1";
    CString m_strRange = "2 nmi";
    CString m_strRangeAccn = "0";
    CString m_strRangeRate = "0";
    CString m_strReplyEff = "100%";
    CString m_strSpare = "1";  // never stored; only GetSpareValue reads it
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfRadarRXSignal>();
