// A triangular wave of an amplitude and a period over a DC offset.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SharedSignalItems.h"

class CTsfTriangularWaveSignal : public CStdSignal {
public:
    CTsfTriangularWaveSignal();

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
    CString m_strDcOffset = "0";
    CString m_strPeriod = "0.001 s";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfTriangularWaveSignal>();
