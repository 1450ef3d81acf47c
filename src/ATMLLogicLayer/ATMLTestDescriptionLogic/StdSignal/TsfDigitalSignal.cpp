#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDigitalSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfDigitalSignal::CTsfDigitalSignal(TD_SIGNALTYPE type, const char* dataValue) : m_strDataValue(dataValue) {
    SetStdSignalType(type);
}

CString CTsfDigitalSignal::GetDataValueNum() const { return m_strDataValue; }
double CTsfDigitalSignal::GetClockPeriodValue() const { return ReadNumber(m_strClockPeriod); }
int CTsfDigitalSignal::GetLogicOneValueNum() const { return ReadInteger(m_strLogicOneValue); }
int CTsfDigitalSignal::GetLogicZeroValueNum() const { return ReadInteger(m_strLogicZeroValue); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDigitalSignal>() {
    using S = CTsfDigitalSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetDataValue, &S::SetDataValue>("data_value"),
        Attribute<&S::GetClockPeriod, &S::SetClockPeriod>("clock_period"),
        Attribute<&S::GetLogicOneValue, &S::SetLogicOneValue>("logic_one_value"),
        Attribute<&S::GetLogicZeroValue, &S::SetLogicZeroValue>("logic_zero_value")};
    return table;
}
