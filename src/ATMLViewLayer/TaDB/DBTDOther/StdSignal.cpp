#include "ATMLViewLayer/TaDB/DBTDOther/StdSignal.h"

CStdSignal::CStdSignal() = default;

void CStdSignal::operator=(const CStdSignal& other) {
    // The role rule below would clear flags of the object's own content.
    if (this == &other) return;
    m_strActName = other.m_strActName;
    m_stdSignalRef = other.m_stdSignalRef;
    m_strMeasureInfo = other.m_strMeasureInfo;
    m_stdParameterTransfer = other.m_stdParameterTransfer;
    m_stdMeasure = other.m_stdMeasure;
    // A stimulus is not measured, a measurement hands over no parameter, and
    // a monitored signal (or any other role) does neither.
    switch (m_stdSignalRef.m_nRole) {
        case TD_ROLE_STIMULUS: m_stdMeasure.SetIsUse(0); break;
        case TD_ROLE_MEASUREMENT: m_stdParameterTransfer.SetIsUse(0); break;
        default:
            m_stdMeasure.SetIsUse(0);
            m_stdParameterTransfer.SetIsUse(0);
            break;
    }
    m_strReserved1 = other.m_strReserved1;
    m_strReserved2 = other.m_strReserved2;
    m_nReserved = other.m_nReserved;
}

CStdSignal::~CStdSignal() = default;
