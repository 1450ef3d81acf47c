#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDigitalSerial.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfDigitalSerial::CTsfDigitalSerial() { SetStdSignalType(TD_SIGNAL_DIGITAL_SERIAL); }

CString CTsfDigitalSerial::GetDataValueNum() const { return m_strDataValue; }
double CTsfDigitalSerial::GetClockPeriodValue() const { return ReadNumber(m_strClockPeriod); }
int CTsfDigitalSerial::GetLogicOneValueNum() const { return ReadInteger(m_strLogicOneValue); }
int CTsfDigitalSerial::GetLogicZeroValueNum() const { return ReadInteger(m_strLogicZeroValue); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDigitalSerial>() {
    static const SignalAttributeTable table = DigitalSignalItems<CTsfDigitalSerial>();
    return table;
}
