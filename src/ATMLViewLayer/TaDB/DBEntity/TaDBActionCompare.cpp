#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionCompare.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

// A new compare step does nothing special after a pass or a failure.
CTaDBActionCompare::CTaDBActionCompare() {
    SetActionHeadDefaults(*this);
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
    m_strActPass = "none";
    m_strActFail = "none";
}

void CTaDBActionCompare::operator=(const CTaDBActionCompare& other) { AssignContent(*this, other); }

CTaDBActionCompare::~CTaDBActionCompare() = default;

template <>
const ColumnMap<CTaDBActionCompare>& ColumnMapOf<CTaDBActionCompare>() {
    using R = CTaDBActionCompare;
    static const ColumnMap<R> map{"ActionCompareTable", "ACTION_UUID",
                                  Columns<R>({ActionHeadColumns<R>(),
                                              ReserveColumns<R>(),
                                              AuditColumns<R>(),
                                              {{"MEASUREMENT_ID", &R::m_strMeasurementId},
                                               {"TR_UUID", &R::m_strTrUuid},
                                               {"OUTCOME_PASS_UUID", &R::m_strOutcomePassUuid},
                                               {"OUTCOME_FAIL_UUID", &R::m_strOutcomeFailUuid},
                                               {"ACT_PASS", &R::m_strActPass},
                                               {"ACT_FAIL", &R::m_strActFail}}})};
    return map;
}
