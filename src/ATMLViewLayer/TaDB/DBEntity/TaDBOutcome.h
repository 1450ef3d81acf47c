// An outcome: a named result value of a test point, the row of OutcomeTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class AFX_EXT_CLASS CTaDBOutcome : public CATMLError {
public:
    CTaDBOutcome();
    CTaDBOutcome(const CTaDBOutcome& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBOutcome& other);
    virtual ~CTaDBOutcome();

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
    CString m_strDataValue;
    CString m_strOutcomeRange;
    CString m_strTpUuid;
    CString m_strFaultId;
};

#include "platform/mfc/AfxExtEnd.h"
