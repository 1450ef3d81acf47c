// A data value held as text, with two integer fields and a second text,
// carried for users of the signal model; nothing in the library reads it.
#pragma once
#include "ATMLCommonError/ATMLError.h"

class CComDataValue : public CATMLError {
public:
    CComDataValue();
    virtual ~CComDataValue();

    int m_nField1 = 0;
    int m_nField2 = 0;
    CString m_strValue = "0.0";
    CString m_strField4;
};
