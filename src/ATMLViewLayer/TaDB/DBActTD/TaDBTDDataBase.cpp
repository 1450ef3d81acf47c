#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDDataBase.h"

CTaDBTDDataBase::CTaDBTDDataBase() = default;

CTaDBTDDataBase::CTaDBTDDataBase(const CTaDBTDDataBase& other)
    : CATMLError(other), m_vecTestActionEntry(other.m_vecTestActionEntry) {}

CTaDBTDDataBase& CTaDBTDDataBase::operator=(const CTaDBTDDataBase& other) {
    CATMLError::operator=(other);
    m_vecTestActionEntry = other.m_vecTestActionEntry;
    return *this;
}

CTaDBTDDataBase::~CTaDBTDDataBase() = default;

RESULTSTATE CTaDBTDDataBase::Connect(CString, long, CString, CString, DATALAYER_COMPONENT_TYPE) { return 1; }
RESULTSTATE CTaDBTDDataBase::UnConnect() { return 1; }
RESULTSTATE CTaDBTDDataBase::GetTpsFileList(CStringArray&) { return 1; }
RESULTSTATE CTaDBTDDataBase::GetTpsFileList_Sample(CStringArray&) { return 1; }
RESULTSTATE CTaDBTDDataBase::GetOnlineUserList(CObList&) { return 1; }
RESULTSTATE CTaDBTDDataBase::BeginTransaction() { return 1; }
RESULTSTATE CTaDBTDDataBase::EndTransaction() { return 1; }
RESULTSTATE CTaDBTDDataBase::IsTransactionProcessing(int&) { return 1; }
RESULTSTATE CTaDBTDDataBase::SendBroadCastMesssage(TPS_CONTENT_OPERATE_TYPE, CString, CString, CString) { return 1; }
RESULTSTATE CTaDBTDDataBase::SendMessageToUser(CString, CString, CString) { return 1; }
RESULTSTATE CTaDBTDDataBase::SendMessageToAllUser(CString, CString) { return 1; }
RESULTSTATE CTaDBTDDataBase::SendFileToUser(CString, CString, CString) { return 1; }
RESULTSTATE CTaDBTDDataBase::SendFileToAllUser(CString, CString) { return 1; }
