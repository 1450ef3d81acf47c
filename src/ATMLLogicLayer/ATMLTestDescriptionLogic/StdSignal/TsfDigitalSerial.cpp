#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDigitalSerial.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfDigitalSerial::CTsfDigitalSerial() { SetStdSignalType(TD_SIGNAL_DIGITAL_SERIAL); }

CString CTsfDigitalSerial::GetDataValueNum() const { return m_strDataValue; }
double CTsfDigitalSerial::GetClockPeriodValue() const { return ReadNumber(m_strClockPeriod); }
int CTsfDigitalSerial::GetLogicOneValueNum() const { return ReadInteger(m_strLogicOneValue); }
int CTsfDigitalSerial::GetLogicZeroValueNum() const { return ReadInteger(m_strLogicZeroValue); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDigitalSerial>() {
    using S = CTsfDigitalSerial;
    static const SignalAttributeTable table{
        Attribute<&S::GetDataValue, &S::SetDataValue>("data_value"),
        Attribute<&S::GetClockPeriod, &S::SetClockPeriod>("clock_period"),
        Attribute<&S::GetLogicOneValue, &S::SetLogicOneValue>("logic_one_value"),
        Attribute<&S::GetLogicZeroValue, &S::SetLogicZeroValue>("logic_zero_value")};
    return table;
}
