#include "ATMLViewLayer/TaDB/DBTDOther/StdMeasure.h"

#include "ATMLCommonError/CommonTexts.h"

CStdMeasure::CStdMeasure() : m_strName(NewKeyText()) {}

void CStdMeasure::operator=(const CStdMeasure& other) {
    m_strName = other.m_strName;
    m_strAs = other.m_strAs;
    m_strAttribute = other.m_strAttribute;
    m_bIsUse = other.m_bIsUse;
}

CStdMeasure::~CStdMeasure() = default;
