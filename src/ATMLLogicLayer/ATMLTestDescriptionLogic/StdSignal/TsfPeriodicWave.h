// The square and the triangular wave: an amplitude and a period over a DC
// offset. Both store the same attributes; they differ in type and defaults.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfPeriodicWave : public CStdSignal {
public:
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

protected:
    CTsfPeriodicWave(TD_SIGNALTYPE type, const char* dcOffset, const char* period);

private:
    CString m_strAmpl = "1";
    CString m_strDcOffset;
    CString m_strPeriod;
};

class CTsfSquareWaveSignal : public CTsfPeriodicWave {
public:
    CTsfSquareWaveSignal() : CTsfPeriodicWave(TD_SIGNAL_SQUARE_WAVE, "0 V", "10 us") {}
};

class CTsfTriangularWaveSignal : public CTsfPeriodicWave {
public:
    CTsfTriangularWaveSignal() : CTsfPeriodicWave(TD_SIGNAL_TRIANGULAR_WAVE, "0", "0.001 s") {}
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfPeriodicWave>();
template <>
inline const SignalAttributeTable& AttributeTableOf<CTsfSquareWaveSignal>() {
    return AttributeTableOf<CTsfPeriodicWave>();
}
template <>
inline const SignalAttributeTable& AttributeTableOf<CTsfTriangularWaveSignal>() {
    return AttributeTableOf<CTsfPeriodicWave>();
}
