// The glide slope of an instrument landing system.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SharedSignalItems.h"

class CTsfILSGlideSlope : public CStdSignal {
public:
    CTsfILSGlideSlope();

    CString GetCarAmpl() const { return m_strCarAmpl; }
    void SetCarAmpl(CString text) { m_strCarAmpl = text; }
    CString GetCarFreq() const { return m_strCarFreq; }
    void SetCarFreq(CString text) { m_strCarFreq = text; }
    CString GetOnefiftyLevel() const { return m_strOnefiftyLevel; }
    void SetOnefiftyLevel(CString text) { m_strOnefiftyLevel = text; }
    CString GetNinetyLevel() const { return m_strNinetyLevel; }
    void SetNinetyLevel(CString text) { m_strNinetyLevel = text; }

    // Values read from the texts, which they leave unchanged.
    double GetCarAmplValue() const;
    double GetCarFreqValue() const;
    double GetOnefiftyLevelValue() const;
    double GetNinetyLevelValue() const;

private:
    CString m_strCarAmpl = "2 mV";
    CString m_strCarFreq = "328.6 MHz";
    CString m_strOnefiftyLevel = kIlsModulationLevel;
    CString m_strNinetyLevel = kIlsModulationLevel;
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfILSGlideSlope>();
