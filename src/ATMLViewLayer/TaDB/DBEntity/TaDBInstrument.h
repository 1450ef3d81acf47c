// An instrument step: the row of InstrumentTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"

class AFX_EXT_CLASS CTaDBInstrument : public CATMLError {
public:
    CTaDBInstrument();
    CTaDBInstrument(const CTaDBInstrument& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBInstrument& other);
    virtual ~CTaDBInstrument();

    CString m_strActionUuid;
    CString m_strActionName;
    CString m_strActionAtmlId;
    CString m_strActionDescription;
    long m_nActionSleepPre;
    long m_nActionSleepPost;
    CString m_strInstruType;
    CString m_strIviInstruType;
    CString m_strSelfInstruType;
    CString m_strIviLogicalName;
    CString m_strInstruAddress;
    CString m_strInstruContent;
    CString m_strInstruId;
    CString m_strParaUuid;
    CString m_strMeasurementId;
    long m_nReserver1;
    CString m_strReserver2;
    CString m_strReserver3;
    CString m_strReserver4;
};

#include "platform/mfc/AfxExtEnd.h"
