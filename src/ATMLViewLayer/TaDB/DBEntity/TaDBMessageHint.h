// An operator message (prompt) step: the row of MessageHintTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"

class AFX_EXT_CLASS CTaDBMessageHint : public CATMLError {
public:
    CTaDBMessageHint();
    CTaDBMessageHint(const CTaDBMessageHint& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBMessageHint& other);
    virtual ~CTaDBMessageHint();

    CString m_strActionUuid;
    CString m_strActionName;
    CString m_strActionAtmlId;
    CString m_strActionDescription;
    long m_nActionSleepPre;
    long m_nActionSleepPost;
    CString m_strMessage;
    CString m_strMessageFormat;
    CString m_strPictureType;
    CString m_strParaUuidClick;
    CString m_strParaUuidInfo;
    CString m_strShowType;
    long m_nReserver1;
    CString m_strReserver2;
    CString m_strReserver3;
    CString m_strReserver4;
};

#include "platform/mfc/AfxExtEnd.h"
