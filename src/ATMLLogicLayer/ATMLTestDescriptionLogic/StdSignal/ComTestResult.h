// A test result: a list of value objects and a list of item records, both
// owned by the result, carried for users of the signal model; nothing in the
// library reads it.
#pragma once
#include <vector>

#include "ATMLCommonError/ATMLError.h"

struct _COM_RESULT_ITEM {
    int m_nItem = 0;
    CString m_strItem;
};

class CComTestResult : public CATMLError {
public:
    CComTestResult();
    // It owns what its lists hold, so it is not copied.
    CComTestResult(const CComTestResult&) = delete;
    CComTestResult& operator=(const CComTestResult&) = delete;
    virtual ~CComTestResult();

    // Each takes over the object (which may be null) and appends it.
    void AddValue(CObject* value);
    void AddItem(_COM_RESULT_ITEM* item);
    // Frees the values, then the items, each from the first added on, and
    // empties both lists; the result can be filled again.
    void RemoveAll();

    CObList m_listValue;
    int m_nField2 = 0;
    std::vector<_COM_RESULT_ITEM*> m_listItem;
};
