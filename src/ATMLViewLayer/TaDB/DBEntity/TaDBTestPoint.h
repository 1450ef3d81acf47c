// A test point: the row of TestPointTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class AFX_EXT_CLASS CTaDBTestPoint : public CATMLError {
public:
    CTaDBTestPoint();
    CTaDBTestPoint(const CTaDBTestPoint& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBTestPoint& other);
    virtual ~CTaDBTestPoint();

    CString m_strTpUuid;
    CString m_strTpName;
    CString m_strTpAtmlId;
    CString m_strTpDescription;
    long m_nTpSleepPre;
    long m_nTpSleepPost;
    CString m_strOutcomeUuid;
    CString m_strActState;
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
