// The TPS header: the row of TpsTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class AFX_EXT_CLASS CTaDBTps : public CATMLError {
public:
    CTaDBTps();
    CTaDBTps(const CTaDBTps& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBTps& other);
    virtual ~CTaDBTps();

    CString m_strTpsUuid;
    CString m_strTpsName;
    CString m_strTpsAtmlId;
    CString m_strTpsDescription;
    CString m_strTpsVersion;
    CString m_strUutInfo;
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
