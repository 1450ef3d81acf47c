// One action step of a test point: the row of TestActionEntryTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"

class AFX_EXT_CLASS CTaDBTestActionEntry : public CATMLError {
public:
    CTaDBTestActionEntry();
    CTaDBTestActionEntry(const CTaDBTestActionEntry& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBTestActionEntry& other);
    virtual ~CTaDBTestActionEntry();

    CString m_strStepUuid;
    CString m_strTpUuid;
    CString m_strActionType;
    CString m_strActionUuid;  // the action the step runs; not a key here
    long m_nSequence;
    long m_nReserver1;
    CString m_strReserver2;
    CString m_strReserver3;
    CString m_strReserver4;
};

#include "platform/mfc/AfxExtEnd.h"
