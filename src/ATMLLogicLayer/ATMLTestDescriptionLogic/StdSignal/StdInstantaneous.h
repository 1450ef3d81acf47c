// A resistance: what is measured of it, how, and the limits it is judged by.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

class CStdInstantaneous : public CStdSignal {
public:
    CStdInstantaneous();

    CString GetType() const { return m_strType; }
    void SetType(CString text) { m_strType = text; }
    CString GetNominal() const { return m_strNominal; }
    void SetNominal(CString text) { m_strNominal = text; }
    CString GetMeasuredVariable() const { return m_strMeasuredVariable; }
    void SetMeasuredVariable(CString text) { m_strMeasuredVariable = text; }
    CString GetMeasurement() const { return m_strMeasurement; }
    void SetMeasurement(CString text) { m_strMeasurement = text; }
    CString GetMeasurements() const { return m_strMeasurements; }
    void SetMeasurements(CString text) { m_strMeasurements = text; }
    CString GetSamples() const { return m_strSamples; }
    void SetSamples(CString text) { m_strSamples = text; }
    CString GetCount() const { return m_strCount; }
    void SetCount(CString text) { m_strCount = text; }
    CString GetGateTime() const { return m_strGateTime; }
    void SetGateTime(CString text) { m_strGateTime = text; }
    CString GetCondition() const { return m_strCondition; }
    void SetCondition(CString text) { m_strCondition = text; }
    CString GetGO() const { return m_strGo; }
    void SetGO(CString text) { m_strGo = text; }
    CString GetNOGO() const { return m_strNogo; }
    void SetNOGO(CString text) { m_strNogo = text; }
    CString GetHI() const { return m_strHi; }
    void SetHI(CString text) { m_strHi = text; }
    CString GetLO() const { return m_strLo; }
    void SetLO(CString text) { m_strLo = text; }
    CString GetUL() const { return m_strUl; }
    void SetUL(CString text) { m_strUl = text; }
    CString GetLL() const { return m_strLl; }
    void SetLL(CString text) { m_strLl = text; }
    CString GetAs() const { return m_strAs; }
    void SetAs(CString text) { m_strAs = text; }

    // Values read from the texts, which they leave unchanged.
    double GetNominalValue() const;

private:
    CString m_strType = "Resistance";
    CString m_strNominal = "1";
    CString m_strMeasuredVariable = "DEPENDENT";
    CString m_strMeasurement = "0";
    CString m_strMeasurements = "1";
    CString m_strSamples = "0";
    CString m_strCount = "0";
    CString m_strGateTime = "1";
    CString m_strCondition = "NONE";
    CString m_strGo = "false";
    CString m_strNogo = "false";
    CString m_strHi = "false";
    CString m_strLo = "false";
    CString m_strUl = "0";
    CString m_strLl = "0";
    CString m_strAs = "1";
};

template <>
const SignalAttributeTable& AttributeTableOf<CStdInstantaneous>();
