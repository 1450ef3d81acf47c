// A marker beacon of an instrument landing system.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfILSMarker : public CStdSignal {
public:
    CTsfILSMarker();

    CString GetMarkerFreq() const { return m_strMarkerFreq; }
    void SetMarkerFreq(CString text) { m_strMarkerFreq = text; }
    CString GetCarAmpl() const { return m_strCarAmpl; }
    void SetCarAmpl(CString text) { m_strCarAmpl = text; }

    // Values read from the texts, which they leave unchanged.
    double GetMarkerFreqValue() const;
    double GetCarAmplValue() const;

private:
    CString m_strMarkerFreq = "400Hz";
    CString m_strCarAmpl = "2mW";
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfILSMarker>();
