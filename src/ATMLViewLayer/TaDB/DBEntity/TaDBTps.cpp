#include "ATMLViewLayer/TaDB/DBEntity/TaDBTps.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBTps::CTaDBTps() {
    m_strTpsUuid = NewKeyText();
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBTps::operator=(const CTaDBTps& other) { AssignContent(*this, other); }

CTaDBTps::~CTaDBTps() = default;

template <>
const ColumnMap<CTaDBTps>& ColumnMapOf<CTaDBTps>() {
    using R = CTaDBTps;
    static const ColumnMap<R> map{"TpsTable", "TPS_UUID",
                                  Columns<R>({{{"TPS_UUID", &R::m_strTpsUuid},
                                               {"TPS_NAME", &R::m_strTpsName},
                                               {"TPS_ATML_ID", &R::m_strTpsAtmlId},
                                               {"TPS_DESCRIPTION", &R::m_strTpsDescription},
                                               {"TPS_VERSION", &R::m_strTpsVersion},
                                               {"UUT_INFO", &R::m_strUutInfo},
                                               {"OUTCOME_UUID", &R::m_strOutcomeUuid},
                                               {"ACT_STATE", &R::m_strActState}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
