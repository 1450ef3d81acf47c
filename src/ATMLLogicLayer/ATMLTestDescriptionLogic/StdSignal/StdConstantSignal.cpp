#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/StdConstantSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CStdConstantSignal::CStdConstantSignal() { SetStdSignalType(TD_SIGNAL_CONSTANT); }

double CStdConstantSignal::GetAmplValue() const { return ReadValueAndUnit(m_strAmpl); }

template <>
const SignalAttributeTable& AttributeTableOf<CStdConstantSignal>() {
    using S = CStdConstantSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetAmpl, &S::SetAmpl>("ampl")};
    return table;
}
