// One replay entry of a test run: the row of TestReplayTable. The table's ID
// column, which orders the log, is filled by the database and held by no
// member.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class AFX_EXT_CLASS CTaDBTestReplay : public CATMLError {
public:
    CTaDBTestReplay();
    CTaDBTestReplay(const CTaDBTestReplay& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBTestReplay& other);
    virtual ~CTaDBTestReplay();

    CString m_strPlayUuid;
    CString m_strPlayName;
    CString m_strPlayDescription;
    COleDateTime m_dtPlayDate;
    CString m_strPlayType;
    COleDateTime m_dtClewDate;
    CString m_strClewMessage;
    CString m_strClewParameter;
    CString m_strMeasName;
    long m_nMeasNumber;
    CString m_strMeasUnit;
    CString m_strMeasDataValue;
    CString m_strMeasTrText;
    CString m_strMeasOutcomeText;
    COleDateTime m_dtMeasTestDate;
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
