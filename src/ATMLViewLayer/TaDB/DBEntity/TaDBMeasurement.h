// A measurement definition with its latest value and the texts of its result
// and outcome: the row of MeasurementTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class AFX_EXT_CLASS CTaDBMeasurement : public CATMLError {
public:
    CTaDBMeasurement();
    CTaDBMeasurement(const CTaDBMeasurement& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBMeasurement& other);
    virtual ~CTaDBMeasurement();

    CString m_strMeasUuid;
    CString m_strMeasName;
    CString m_strMeasAtmlId;
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
