#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestResult.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

// A new criterion judges an integer in volts and applies project-wide.
CTaDBTestResult::CTaDBTestResult() {
    SetActionHeadDefaults(*this);
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
    m_strDataType = "int";
    m_strDataUnit = "V";
    m_strTrRange = "全局";
}

void CTaDBTestResult::operator=(const CTaDBTestResult& other) { AssignContent(*this, other); }

CTaDBTestResult::~CTaDBTestResult() = default;

template <>
const ColumnMap<CTaDBTestResult>& ColumnMapOf<CTaDBTestResult>() {
    using R = CTaDBTestResult;
    static const ColumnMap<R> map{"TestResultTable", "ACTION_UUID",
                                  Columns<R>({ActionHeadColumns<R>(),
                                              ReserveColumns<R>(),
                                              AuditColumns<R>(),
                                              {{"DATA_TYPE", &R::m_strDataType},
                                               {"DATA_UNIT", &R::m_strDataUnit},
                                               {"COMPARE_WAY", &R::m_strCompareWay},
                                               {"COMPARE_UP", &R::m_strCompareUp},
                                               {"COMPARE_DOWN", &R::m_strCompareDown},
                                               {"TR_RANGE", &R::m_strTrRange},
                                               {"TP_UUID", &R::m_strTpUuid}}})};
    return map;
}
