#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/ComTestResult.h"

CComTestResult::CComTestResult() = default;

CComTestResult::~CComTestResult() { RemoveAll(); }

void CComTestResult::AddValue(CObject* value) { m_listValue.AddTail(value); }

void CComTestResult::AddItem(_COM_RESULT_ITEM* item) { m_listItem.push_back(item); }

void CComTestResult::RemoveAll() {
    for (POSITION pos = m_listValue.GetHeadPosition(); pos;) delete m_listValue.GetNext(pos);
    m_listValue.RemoveAll();
    for (_COM_RESULT_ITEM* item : m_listItem) delete item;
    m_listItem.clear();
}
