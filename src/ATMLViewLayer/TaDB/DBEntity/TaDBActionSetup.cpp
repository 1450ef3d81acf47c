#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionSetup.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBActionSetup::CTaDBActionSetup() {
    SetActionHeadDefaults(*this);
    m_strSignalType = "直流信号";
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBActionSetup::operator=(const CTaDBActionSetup& other) { AssignContent(*this, other); }

CTaDBActionSetup::~CTaDBActionSetup() = default;

template <>
const ColumnMap<CTaDBActionSetup>& ColumnMapOf<CTaDBActionSetup>() {
    using R = CTaDBActionSetup;
    static const ColumnMap<R> map{"ActionSetupTable", "ACTION_UUID",
                                  Columns<R>({ActionHeadColumns<R>(),
                                              {{"SIGNAL_UUID", &R::m_strSignalUuid},
                                               {"SIGNAL_TYPE", &R::m_strSignalType},
                                               {"SIGNAL_CONTENT", &R::m_strSignalContent},
                                               {"MEASURE_INFO", &R::m_strMeasureInfo}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
