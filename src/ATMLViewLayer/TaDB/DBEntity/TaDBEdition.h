// The layout edition of one table: the row of EditionTable, keyed by the
// table's name. Its first reserve column is text, unlike every other table's.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"

class AFX_EXT_CLASS CTaDBEdition : public CATMLError {
public:
    CTaDBEdition();
    CTaDBEdition(const CTaDBEdition& other) = default;
    // Copies the error state and every member, key included.
    CTaDBEdition& operator=(const CTaDBEdition& other) = default;
    virtual ~CTaDBEdition();

    CString m_strTable;
    long m_nEdition;
    CString m_strReserver1;
    CString m_strReserver2;
    CString m_strReserver3;
    CString m_strReserver4;
};

#include "platform/mfc/AfxExtEnd.h"
