#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestPoint.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBTestPoint::CTaDBTestPoint() {
    m_strTpUuid = NewKeyText();
    m_strTpName = "新建测试点";
    m_nTpSleepPre = 0;
    m_nTpSleepPost = 0;
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBTestPoint::operator=(const CTaDBTestPoint& other) { AssignContent(*this, other); }

CTaDBTestPoint::~CTaDBTestPoint() = default;

template <>
const ColumnMap<CTaDBTestPoint>& ColumnMapOf<CTaDBTestPoint>() {
    using R = CTaDBTestPoint;
    static const ColumnMap<R> map{"TestPointTable", "TP_UUID",
                                  Columns<R>({{{"TP_UUID", &R::m_strTpUuid},
                                               {"TP_NAME", &R::m_strTpName},
                                               {"TP_ATML_ID", &R::m_strTpAtmlId},
                                               {"TP_DESCRIPTION", &R::m_strTpDescription},
                                               {"TP_SLEEP_PRE", &R::m_nTpSleepPre},
                                               {"TP_SLEEP_POST", &R::m_nTpSleepPost},
                                               {"OUTCOME_UUID", &R::m_strOutcomeUuid},
                                               {"ACT_STATE", &R::m_strActState}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
