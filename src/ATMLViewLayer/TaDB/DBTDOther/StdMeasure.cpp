#include "ATMLViewLayer/TaDB/DBTDOther/StdMeasure.h"

#include "ATMLCommonError/ATMLCommonFun.h"

CStdMeasure::CStdMeasure() : m_strName(CATMLCommonFun::CreateGUIDString()) {}

void CStdMeasure::operator=(const CStdMeasure& other) {
    m_strName = other.m_strName;
    m_strAs = other.m_strAs;
    m_strAttribute = other.m_strAttribute;
    m_bIsUse = other.m_bIsUse;
}

CStdMeasure::~CStdMeasure() = default;
