// The parallel and the serial digital signal: a pattern of logic levels,
// clocked (the serial one clocks them out one by one). Both store the same
// attributes; they differ in type and default pattern.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfDigitalSignal : public CStdSignal {
public:
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

protected:
    CTsfDigitalSignal(TD_SIGNALTYPE type, const char* dataValue);

private:
    CString m_strDataValue;
    CString m_strClockPeriod = "1 us";
    CString m_strLogicOneValue = "3.6 V";
    CString m_strLogicZeroValue = "-2.6 V";
};

class CTsfDigitalParallel : public CTsfDigitalSignal {
public:
    CTsfDigitalParallel() : CTsfDigitalSignal(TD_SIGNAL_DIGITAL_PARALLEL, "HLHL") {}
};

class CTsfDigitalSerial : public CTsfDigitalSignal {
public:
    CTsfDigitalSerial() : CTsfDigitalSignal(TD_SIGNAL_DIGITAL_SERIAL, "LZHLHHLLHHHLLZL") {}
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDigitalSignal>();
template <>
inline const SignalAttributeTable& AttributeTableOf<CTsfDigitalParallel>() {
    return AttributeTableOf<CTsfDigitalSignal>();
}
template <>
inline const SignalAttributeTable& AttributeTableOf<CTsfDigitalSerial>() {
    return AttributeTableOf<CTsfDigitalSignal>();
}
