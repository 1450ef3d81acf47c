#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/StdInstantaneous.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CStdInstantaneous::CStdInstantaneous() { SetStdSignalType(TD_SIGNAL_RESISTANCE); }

double CStdInstantaneous::GetNominalValue() const { return ReadNumber(m_strNominal); }

template <>
const SignalAttributeTable& AttributeTableOf<CStdInstantaneous>() {
    using S = CStdInstantaneous;
    static const SignalAttributeTable table{
        Attribute<&S::GetType, &S::SetType>("type"),
        Attribute<&S::GetNominal, &S::SetNominal>("nominal"),
        Attribute<&S::GetMeasuredVariable, &S::SetMeasuredVariable>("measuredVariable"),
        Attribute<&S::GetMeasurement, &S::SetMeasurement>("measurement"),
        Attribute<&S::GetMeasurements, &S::SetMeasurements>("measurements"),
        Attribute<&S::GetSamples, &S::SetSamples>("samples"),
        Attribute<&S::GetCount, &S::SetCount>("count"),
        Attribute<&S::GetGateTime, &S::SetGateTime>("gateTime"),
        Attribute<&S::GetCondition, &S::SetCondition>("condition"),
        Attribute<&S::GetGO, &S::SetGO>("GO"),
        Attribute<&S::GetNOGO, &S::SetNOGO>("NOGO"),
        Attribute<&S::GetHI, &S::SetHI>("HI"),
        Attribute<&S::GetLO, &S::SetLO>("LO"),
        Attribute<&S::GetUL, &S::SetUL>("UL"),
        Attribute<&S::GetLL, &S::SetLL>("LL"),
        Attribute<&S::GetAs, &S::SetAs>("As")};
    return table;
}
