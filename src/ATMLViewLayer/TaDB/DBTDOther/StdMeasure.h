// The measure part of a signal: an identifier made at construction, what the
// measurement is taken as and of which attribute, and whether it is in use.
// Only hosts read it.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"

class AFX_EXT_CLASS CStdMeasure : public CATMLError {
public:
    CStdMeasure();
    CStdMeasure(const CStdMeasure& other) = default;
    // Copies every member, the identifier included; the target keeps its own error state.
    void operator=(const CStdMeasure& other);
    virtual ~CStdMeasure();

    CString GetName() const { return m_strName; }
    void SetName(CString name) { m_strName = name; }
    CString GetAs() const { return m_strAs; }
    void SetAs(CString as) { m_strAs = as; }
    CString GetAttribute() const { return m_strAttribute; }
    void SetAttribute(CString attribute) { m_strAttribute = attribute; }
    int GetIsUse() const { return m_bIsUse; }
    void SetIsUse(int isUse) { m_bIsUse = isUse; }

private:
    CString m_strName;
    CString m_strAs;
    CString m_strAttribute;
    int m_bIsUse = 0;
};

#include "platform/mfc/AfxExtEnd.h"
