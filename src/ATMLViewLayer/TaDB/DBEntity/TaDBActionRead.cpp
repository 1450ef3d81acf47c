#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionRead.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBActionRead::CTaDBActionRead() {
    SetActionHeadDefaults(*this);
    m_nReadNumber = 1;
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBActionRead::operator=(const CTaDBActionRead& other) { AssignContent(*this, other); }

CTaDBActionRead::~CTaDBActionRead() = default;

template <>
const ColumnMap<CTaDBActionRead>& ColumnMapOf<CTaDBActionRead>() {
    using R = CTaDBActionRead;
    static const ColumnMap<R> map{"ActionReadTable", "ACTION_UUID",
                                  Columns<R>({ActionHeadColumns<R>(),
                                              {{"SIGNAL_UUID", &R::m_strSignalUuid},
                                               {"PARA_UUID", &R::m_strParaUuid},
                                               {"READ_NUMBER", &R::m_nReadNumber},
                                               {"MEASUREMENT_ID", &R::m_strMeasurementId}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
