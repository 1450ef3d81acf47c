// A named signal, global or local to a test point: the row of SignalTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class AFX_EXT_CLASS CTaDBSignal : public CATMLError {
public:
    CTaDBSignal();
    CTaDBSignal(const CTaDBSignal& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBSignal& other);
    virtual ~CTaDBSignal();

    CString m_strSignalUuid;
    CString m_strSignalName;
    CString m_strSignalAtmlId;
    CString m_strSignalDescription;
    CString m_strSignalRole;
    CString m_strSignalRange;
    CString m_strTpUuid;
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
