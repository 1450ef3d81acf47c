// A parallel digital signal: a pattern of logic levels, clocked.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SharedSignalItems.h"

class CTsfDigitalParallel : public CStdSignal {
public:
    CTsfDigitalParallel();

    CString GetDataValue() const { return m_strDataValue; }
    void SetDataValue(CString text) { m_strDataValue = text; }
    CString GetClockPeriod() const { return m_strClockPeriod; }
    void SetClockPeriod(CString text) { m_strClockPeriod = text; }
    CString GetLogicOneValue() const { return m_strLogicOneValue; }
    void SetLogicOneValue(CString text) { m_strLogicOneValue = text; }
    CString GetLogicZeroValue() const { return m_strLogicZeroValue; }
    void SetLogicZeroValue(CString text) { m_strLogicZeroValue = text; }

    // Values read from the texts, which they leave unchanged.
    CString GetDataValueNum() const;
    double GetClockPeriodValue() const;
    int GetLogicOneValueNum() const;
    int GetLogicZeroValueNum() const;

private:
    CString m_strDataValue = "HLHL";
    CString m_strClockPeriod = kDigitalClockPeriod;
    CString m_strLogicOneValue = kDigitalLogicOneValue;
    CString m_strLogicZeroValue = kDigitalLogicZeroValue;
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDigitalParallel>();
