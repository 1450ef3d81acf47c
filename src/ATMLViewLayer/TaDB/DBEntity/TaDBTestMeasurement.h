// One measured value logged during a test run: the row of
// TestMeasurementTable. The table's ID column, which orders the log, is filled
// by the database and held by no member.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class AFX_EXT_CLASS CTaDBTestMeasurement : public CATMLError {
public:
    CTaDBTestMeasurement();
    CTaDBTestMeasurement(const CTaDBTestMeasurement& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBTestMeasurement& other);
    virtual ~CTaDBTestMeasurement();

    CString m_strTestUuid;
    CString m_strTpUuid;
    CString m_strActionType;
    CString m_strMeasName;
    CString m_strMeasDescription;
    CString m_strMeasType;
    long m_nNumber;
    CString m_strUnit;
    CString m_strDataValue;
    CString m_strTrUuid;
    CString m_strOutcomeUuid;
    CString m_strActState;
    CString m_strTrText;
    CString m_strOutcomeText;
    COleDateTime m_dtTestDate;
    long m_nReserver1;
    CString m_strReserver2;
    CString m_strReserver3;
    CString m_strReserver4;
    COleDateTime m_dtCreateDate;
    COleDateTime m_dtModifyDate;
    CString m_strCreatePerson;
    CString m_strModifyPerson;
};

#include "platform/mfc/AfxExtEnd.h"
