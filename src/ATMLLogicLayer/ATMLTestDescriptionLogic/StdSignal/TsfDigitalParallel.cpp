#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDigitalParallel.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfDigitalParallel::CTsfDigitalParallel() { SetStdSignalType(TD_SIGNAL_DIGITAL_PARALLEL); }

CString CTsfDigitalParallel::GetDataValueNum() const { return m_strDataValue; }
double CTsfDigitalParallel::GetClockPeriodValue() const { return ReadNumber(m_strClockPeriod); }
int CTsfDigitalParallel::GetLogicOneValueNum() const { return ReadInteger(m_strLogicOneValue); }
int CTsfDigitalParallel::GetLogicZeroValueNum() const { return ReadInteger(m_strLogicZeroValue); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDigitalParallel>() {
    using S = CTsfDigitalParallel;
    static const SignalAttributeTable table{
        Attribute<&S::GetDataValue, &S::SetDataValue>("data_value"),
        Attribute<&S::GetClockPeriod, &S::SetClockPeriod>("clock_period"),
        Attribute<&S::GetLogicOneValue, &S::SetLogicOneValue>("logic_one_value"),
        Attribute<&S::GetLogicZeroValue, &S::SetLogicZeroValue>("logic_zero_value")};
    return table;
}
