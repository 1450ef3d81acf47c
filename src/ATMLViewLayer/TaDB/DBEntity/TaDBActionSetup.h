// A signal set-up step: the row of ActionSetupTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

class CStdSignal;

class AFX_EXT_CLASS CTaDBActionSetup : public CATMLError {
public:
    CTaDBActionSetup();
    CTaDBActionSetup(const CTaDBActionSetup& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBActionSetup& other);
    virtual ~CTaDBActionSetup();

    // Signal-model operations: fill the set-up from a signal object, and give
    // a signal's measurement information in the model's two text forms.
    void SetStdSignal(CStdSignal* signal);
    static CString GetMeasureInfo_Std(CStdSignal* signal);
    static CString GetMeasureInfo_String(CStdSignal* signal);

    CString m_strActionUuid;
    CString m_strActionName;
    CString m_strActionAtmlId;
    CString m_strActionDescription;
    long m_nActionSleepPre;
    long m_nActionSleepPost;
    CString m_strSignalUuid;
    CString m_strSignalType;
    CString m_strSignalContent;
    CString m_strMeasureInfo;
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
