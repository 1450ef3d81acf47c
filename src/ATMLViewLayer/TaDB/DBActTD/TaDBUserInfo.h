// An online user, an element of the data layer's online-user list. It has
// no table and no key; the meaning of its three members is the host's.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"

class AFX_EXT_CLASS CTaDBUserInfo : public CATMLError {
public:
    CTaDBUserInfo();
    CTaDBUserInfo(const CTaDBUserInfo& other) = default;
    // Copies the error state and every member.
    CTaDBUserInfo& operator=(const CTaDBUserInfo& other) = default;
    virtual ~CTaDBUserInfo();

    long m_nUserValue;
    CString m_strUserText1;
    CString m_strUserText2;
};

#include "platform/mfc/AfxExtEnd.h"
