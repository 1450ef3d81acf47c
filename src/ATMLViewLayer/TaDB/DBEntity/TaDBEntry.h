// One top-level entry of the test program: the row of EntryTable. Its key
// names an existing test group or test point, so it starts empty.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"

class AFX_EXT_CLASS CTaDBEntry : public CATMLError {
public:
    CTaDBEntry();
    CTaDBEntry(const CTaDBEntry& other) = default;
    // Copies the error state and every member, key included.
    CTaDBEntry& operator=(const CTaDBEntry& other) = default;
    virtual ~CTaDBEntry();

    CString m_strTestUuid;
    long m_nSequence;
    CString m_strTestType;
    long m_nReserver1;
    CString m_strReserver2;
    CString m_strReserver3;
    CString m_strReserver4;
};

#include "platform/mfc/AfxExtEnd.h"
