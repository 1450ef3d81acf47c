#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionReset.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBActionReset::CTaDBActionReset() {
    SetActionHeadDefaults(*this);
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBActionReset::operator=(const CTaDBActionReset& other) { AssignContent(*this, other); }

CTaDBActionReset::~CTaDBActionReset() = default;

template <>
const ColumnMap<CTaDBActionReset>& ColumnMapOf<CTaDBActionReset>() {
    using R = CTaDBActionReset;
    static const ColumnMap<R> map{"ActionResetTable", "ACTION_UUID",
                                  Columns<R>({ActionHeadColumns<R>(),
                                              {{"CONNECT_TYPE", &R::m_strConnectType},
                                               {"SIGNAL_UUID", &R::m_strSignalUuid},
                                               {"INSTRU_CONTENT", &R::m_strInstruContent},
                                               {"UUT_CONTENT", &R::m_strUutContent}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
