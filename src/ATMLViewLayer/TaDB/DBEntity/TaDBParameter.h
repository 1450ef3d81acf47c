// A parameter of a test point: the row of ParameterTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class AFX_EXT_CLASS CTaDBParameter : public CATMLError {
public:
    CTaDBParameter();
    CTaDBParameter(const CTaDBParameter& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBParameter& other);
    virtual ~CTaDBParameter();

    CString m_strParaUuid;
    CString m_strParaName;
    CString m_strParaAtmlId;
    CString m_strParaDescription;
    CString m_strParaType;
    long m_nNumber;
    CString m_strUnit;
    CString m_strDataValue;
    CString m_strParaRange;
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
