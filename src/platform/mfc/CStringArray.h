// An ordered array of CString with the MFC CStringArray interface.
#pragma once
#include "platform/mfc/AfxExt.h"
#include <vector>

#include "platform/mfc/CString.h"

class AFX_EXT_CLASS CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    int Add(const CString& item) { m_items.push_back(item); return GetSize() - 1; }
    const CString& GetAt(int index) const { return m_items.at(static_cast<size_t>(index)); }
    void SetAt(int index, const CString& item) { m_items.at(static_cast<size_t>(index)) = item; }
    CString& operator[](int index) { return m_items.at(static_cast<size_t>(index)); }
    const CString& operator[](int index) const { return GetAt(index); }
    void RemoveAt(int index) { m_items.erase(m_items.begin() + index); }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<CString> m_items;
};

#include "platform/mfc/AfxExtEnd.h"
