#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRS232.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfRS232::CTsfRS232() { SetStdSignalType(TD_SIGNAL_RS232); }

int CTsfRS232::GetBaudRateValue() const { return ReadInteger(m_strBaudRate); }
int CTsfRS232::GetDataBitsValue() const { return ReadInteger(m_strDataBits); }
int CTsfRS232::GetParityValue() const { return ReadInteger(m_strParity); }
int CTsfRS232::GetStopBitsValue() const { return ReadInteger(m_strStopBits); }
int CTsfRS232::GetFlowControlValue() const { return ReadInteger(m_strFlowControl); }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfRS232>() {
    using S = CTsfRS232;
    static const SignalAttributeTable table{
        Attribute<&S::GetDataWord, &S::SetDataWord>("data_word"),
        Attribute<&S::GetBaudRate, &S::SetBaudRate>("baud_rate"),
        Attribute<&S::GetDataBits, &S::SetDataBits>("data_bits"),
        Attribute<&S::GetParity, &S::SetParity>("parity"),
        Attribute<&S::GetStopBits, &S::SetStopBits>("stop_bits"),
        Attribute<&S::GetFlowControl, &S::SetFlowControl>("flow_control")};
    return table;
}
