#include "ATMLViewLayer/TaDB/DBTDOther/StdParameterTransfer.h"

CStdParameterTransfer::CStdParameterTransfer() = default;

void CStdParameterTransfer::operator=(const CStdParameterTransfer& other) {
    m_strId = other.m_strId;
    m_strName = other.m_strName;
    m_bIsUse = other.m_bIsUse;
}

CStdParameterTransfer::~CStdParameterTransfer() = default;
