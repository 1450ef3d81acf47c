// One child step of a test group: the row of TestGroupEntryTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"

class AFX_EXT_CLASS CTaDBTestGroupEntry : public CATMLError {
public:
    CTaDBTestGroupEntry();
    CTaDBTestGroupEntry(const CTaDBTestGroupEntry& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBTestGroupEntry& other);
    virtual ~CTaDBTestGroupEntry();

    CString m_strStepUuid;
    CString m_strTgUuid;
    CString m_strTestUuid;
    long m_nSequence;
    CString m_strTestType;
    long m_nReserver1;
    CString m_strReserver2;
    CString m_strReserver3;
    CString m_strReserver4;
};

#include "platform/mfc/AfxExtEnd.h"
