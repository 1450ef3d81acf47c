#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDigitalParallel.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfDigitalParallel::CTsfDigitalParallel() { SetStdSignalType(TD_SIGNAL_DIGITAL_PARALLEL); }

CString CTsfDigitalParallel::GetDataValueNum() const { return m_strDataValue; }
double CTsfDigitalParallel::GetClockPeriodValue() const { return ReadNumber(m_strClockPeriod); }
int CTsfDigitalParallel::GetLogicOneValueNum() const { return ReadInteger(m_strLogicOneValue); }
int CTsfDigitalParallel::GetLogicZeroValueNum() const { return ReadInteger(m_strLogicZeroValue); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDigitalParallel>() {
    static const SignalAttributeTable table = DigitalSignalItems<CTsfDigitalParallel>();
    return table;
}
