// A square wave of an amplitude and a period over a DC offset.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SharedSignalItems.h"

class CTsfSquareWaveSignal : public CStdSignal {
public:
    CTsfSquareWaveSignal();

    CString GetAmpl() const { return m_strAmpl; }
    void SetAmpl(CString text) { m_strAmpl = text; }
    CString GetDcOffset() const { return m_strDcOffset; }
    void SetDcOffset(CString text) { m_strDcOffset = text; }
    CString GetPeriod() const { return m_strPeriod; }
    void SetPeriod(CString text) { m_strPeriod = text; }

    // Values read from the texts, which they leave unchanged.
    double GetAmplValue() const;
    double GetDcOffsetValue() const;
    double GetPeriodValue() const;

private:
    CString m_strAmpl = kWaveAmpl;
    CString m_strDcOffset = "0 V";
    CString m_strPeriod = "10 us";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfSquareWaveSignal>();
