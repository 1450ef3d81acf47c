// The glide slope and the localizer of an instrument landing system. Both
// store the same attributes; they differ in type and default carrier.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CTsfILSSignal : public CStdSignal {
public:
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

protected:
    CTsfILSSignal(TD_SIGNALTYPE type, const char* carAmpl, const char* carFreq);

private:
    CString m_strCarAmpl;
    CString m_strCarFreq;
    CString m_strOnefiftyLevel = "1";
    CString m_strNinetyLevel = "1";
};

class CTsfILSGlideSlope : public CTsfILSSignal {
public:
    CTsfILSGlideSlope() : CTsfILSSignal(TD_SIGNAL_ILS_GLIDE_SLOPE, "2 mV", "328.6 MHz") {}
};

class CTsfILSLocalizer : public CTsfILSSignal {
public:
    CTsfILSLocalizer() : CTsfILSSignal(TD_SIGNAL_ILS_LOCALIZER, "2 mW", "108.1 MHz") {}
};

template <>
const SignalAttributeTable& AttributeTableOf<CTsfILSSignal>();
template <>
inline const SignalAttributeTable& AttributeTableOf<CTsfILSGlideSlope>() {
    return AttributeTableOf<CTsfILSSignal>();
}
template <>
inline const SignalAttributeTable& AttributeTableOf<CTsfILSLocalizer>() {
    return AttributeTableOf<CTsfILSSignal>();
}
