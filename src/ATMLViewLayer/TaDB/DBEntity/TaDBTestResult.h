// A test-result criterion: data type, unit, compare way and limits of a
// judged value, the row of TestResultTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class AFX_EXT_CLASS CTaDBTestResult : public CATMLError {
public:
    CTaDBTestResult();
    CTaDBTestResult(const CTaDBTestResult& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBTestResult& other);
    virtual ~CTaDBTestResult();

    CString m_strActionUuid;
    CString m_strActionName;
    CString m_strActionAtmlId;
    CString m_strActionDescription;
    long m_nActionSleepPre;
    long m_nActionSleepPost;
    long m_nReserver1;
    CString m_strReserver2;
    CString m_strReserver3;
    CString m_strReserver4;
    COleDateTime m_dtCreateDate;
    COleDateTime m_dtModifyDate;
    CString m_strCreatePerson;
    CString m_strModifyPerson;
    CString m_strDataType;
    CString m_strDataUnit;
    CString m_strCompareWay;
    CString m_strCompareUp;
    CString m_strCompareDown;
    CString m_strTrRange;
    CString m_strTpUuid;
};

#include "platform/mfc/AfxExtEnd.h"
