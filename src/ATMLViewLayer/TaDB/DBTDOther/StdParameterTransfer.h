// The parameter transfer of a signal: which parameter a signal's value is
// handed to, and whether that is in use. Only hosts read it.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"

class AFX_EXT_CLASS CStdParameterTransfer : public CATMLError {
public:
    CStdParameterTransfer();
    CStdParameterTransfer(const CStdParameterTransfer& other) = default;
    // Copies every member; the target keeps its own error state.
    void operator=(const CStdParameterTransfer& other);
    virtual ~CStdParameterTransfer();

    CString GetID() const { return m_strId; }
    void SetID(CString id) { m_strId = id; }
    CString GetName() const { return m_strName; }
    void SetName(CString name) { m_strName = name; }
    int GetIsUse() const { return m_bIsUse; }
    void SetIsUse(int isUse) { m_bIsUse = isUse; }

private:
    CString m_strId;
    CString m_strName;
    int m_bIsUse = 0;
};

#include "platform/mfc/AfxExtEnd.h"
