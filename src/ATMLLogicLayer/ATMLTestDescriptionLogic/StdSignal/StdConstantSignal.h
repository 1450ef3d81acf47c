// A constant signal of one amplitude.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CStdConstantSignal : public CStdSignal {
public:
    CStdConstantSignal();

    CString GetAmpl() const { return m_strAmpl; }
    void SetAmpl(CString text) { m_strAmpl = text; }

    // Values read from the texts, which they leave unchanged.
    double GetAmplValue() const;

private:
    CString m_strAmpl = "1";
};

template <>
const SignalAttributeTable& AttributeTableOf<CStdConstantSignal>();
