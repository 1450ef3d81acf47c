// A formula step: the row of FormulaTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"

class AFX_EXT_CLASS CTaDBFormula : public CATMLError {
public:
    CTaDBFormula();
    CTaDBFormula(const CTaDBFormula& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBFormula& other);
    virtual ~CTaDBFormula();

    CString m_strActionUuid;
    CString m_strActionName;
    CString m_strActionAtmlId;
    CString m_strActionDescription;
    long m_nActionSleepPre;
    long m_nActionSleepPost;
    long m_nReserver1;
    CString m_strReserver2;
    CString m_strReserver3;
    CString m_strReserver4;
    CString m_strFormulaInfo;
    CString m_strParaUuid;
    CString m_strMeasurementId;
};

#include "platform/mfc/AfxExtEnd.h"
