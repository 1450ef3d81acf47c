// A read (measure) step: the row of ActionReadTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class AFX_EXT_CLASS CTaDBActionRead : public CATMLError {
public:
    CTaDBActionRead();
    CTaDBActionRead(const CTaDBActionRead& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBActionRead& other);
    virtual ~CTaDBActionRead();

    CString m_strActionUuid;
    CString m_strActionName;
    CString m_strActionAtmlId;
    CString m_strActionDescription;
    long m_nActionSleepPre;
    long m_nActionSleepPost;
    CString m_strSignalUuid;
    CString m_strParaUuid;
    long m_nReadNumber;
    CString m_strMeasurementId;
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
