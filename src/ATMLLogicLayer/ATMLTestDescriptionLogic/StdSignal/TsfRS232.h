// An RS-232 serial-port signal: a data word and the settings of the line.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfRS232 : public CStdSignal {
public:
    CTsfRS232();

    CString GetDataWord() const { return m_strDataWord; }
    void SetDataWord(CString text) { m_strDataWord = text; }
    CString GetBaudRate() const { return m_strBaudRate; }
    void SetBaudRate(CString text) { m_strBaudRate = text; }
    CString GetDataBits() const { return m_strDataBits; }
    void SetDataBits(CString text) { m_strDataBits = text; }
    CString GetParity() const { return m_strParity; }
    void SetParity(CString text) { m_strParity = text; }
    CString GetStopBits() const { return m_strStopBits; }
    void SetStopBits(CString text) { m_strStopBits = text; }
    CString GetFlowControl() const { return m_strFlowControl; }
    void SetFlowControl(CString text) { m_strFlowControl = text; }

    // Values read from the texts, which they leave unchanged.
    int GetBaudRateValue() const;
    int GetDataBitsValue() const;
    int GetParityValue() const;
    int GetStopBitsValue() const;
    int GetFlowControlValue() const;

private:
    CString m_strDataWord = "1";
    CString m_strBaudRate = "9600";
    CString m_strDataBits = "8";
    CString m_strParity = "none";
    CString m_strStopBits = "1";
    CString m_strFlowControl = "none";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfRS232>();
