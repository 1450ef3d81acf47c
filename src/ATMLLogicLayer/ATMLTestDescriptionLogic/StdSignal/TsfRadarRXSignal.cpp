#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRadarRXSignal.h"

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

CTsfRadarRXSignal::CTsfRadarRXSignal() { SetStdSignalType(TD_SIGNAL_RADAR_RX); }

double CTsfRadarRXSignal::GetAttenValue() const { return ReadNumber(m_strAtten); }
double CTsfRadarRXSignal::GetRangeValue() const { return ReadNumber(m_strRange); }
double CTsfRadarRXSignal::GetRangeAccnValue() const { return ReadNumber(m_strRangeAccn); }
double CTsfRadarRXSignal::GetRangeRateValue() const { return ReadNumber(m_strRangeRate); }
double CTsfRadarRXSignal::GetReplyEffValue() const { return ReadNumber(m_strReplyEff); }
CString CTsfRadarRXSignal::GetSpareValue() const { return m_strSpare; }

template <>
const SignalAttributeTable& AttributeTableOf<CTsfRadarRXSignal>() {
    using S = CTsfRadarRXSignal;
    static const SignalAttributeTable table{
        Attribute<&S::GetAtten, &S::SetAtten>("atten"),
        Attribute<&S::GetRange, &S::SetRange>("range"),
        Attribute<&S::GetRangeAccn, &S::SetRangeAccn>("range_accn"),
        Attribute<&S::GetRangeRate, &S::SetRangeRate>("range_rate"),
        Attribute<&S::GetReplyEff, &S::SetReplyEff>("reply_eff")};
    return table;
}
