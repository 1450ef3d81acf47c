// The interrogation of distance-measuring equipment.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfDMEInterrogation : public CStdSignal {
public:
    CTsfDMEInterrogation();

    CString GetCarAmpl() const { return m_strCarAmpl; }
    void SetCarAmpl(CString text) { m_strCarAmpl = text; }
    CString GetIntFreq() const { return m_strIntFreq; }
    void SetIntFreq(CString text) { m_strIntFreq = text; }
    CString GetIntRate() const { return m_strIntRate; }
    void SetIntRate(CString text) { m_strIntRate = text; }

    // Values read from the texts, which they leave unchanged.
    double GetCarAmplValue() const;
    int GetIntFreqValue() const;
    int GetIntRateValue() const;

private:
    CString m_strCarAmpl = "1 V";
    CString m_strIntFreq = "1025 MHz";
    CString m_strIntRate = "27Hz";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfDMEInterrogation>();
