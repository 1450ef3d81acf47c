// A compare step: the measurement and test result it judges and the outcome
// and follow-up for a pass and a failure, the row of ActionCompareTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class AFX_EXT_CLASS CTaDBActionCompare : public CATMLError {
public:
    CTaDBActionCompare();
    CTaDBActionCompare(const CTaDBActionCompare& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBActionCompare& other);
    virtual ~CTaDBActionCompare();

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
    CString m_strMeasurementId;
    CString m_strTrUuid;
    CString m_strOutcomePassUuid;
    CString m_strOutcomeFailUuid;
    CString m_strActPass;
    CString m_strActFail;
};

#include "platform/mfc/AfxExtEnd.h"
