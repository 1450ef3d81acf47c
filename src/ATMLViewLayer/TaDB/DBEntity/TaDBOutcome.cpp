#include "ATMLViewLayer/TaDB/DBEntity/TaDBOutcome.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

// A new outcome says "pass" and belongs to its test point only.
CTaDBOutcome::CTaDBOutcome() {
    SetActionHeadDefaults(*this);
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
    m_strDataValue = "通过";
    m_strOutcomeRange = "本地";
}

void CTaDBOutcome::operator=(const CTaDBOutcome& other) { AssignContent(*this, other); }

CTaDBOutcome::~CTaDBOutcome() = default;

template <>
const ColumnMap<CTaDBOutcome>& ColumnMapOf<CTaDBOutcome>() {
    using R = CTaDBOutcome;
    static const ColumnMap<R> map{"OutcomeTable", "ACTION_UUID",
                                  Columns<R>({ActionHeadColumns<R>(),
                                              ReserveColumns<R>(),
                                              AuditColumns<R>(),
                                              {{"DATA_VALUE", &R::m_strDataValue},
                                               {"OUTCOME_RANGE", &R::m_strOutcomeRange},
                                               {"TP_UUID", &R::m_strTpUuid},
                                               {"FAULT_ID", &R::m_strFaultId}}})};
    return map;
}
