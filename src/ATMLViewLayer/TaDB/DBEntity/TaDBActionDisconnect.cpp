#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionDisconnect.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBActionDisconnect::CTaDBActionDisconnect() {
    SetActionHeadDefaults(*this);
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBActionDisconnect::operator=(const CTaDBActionDisconnect& other) { AssignContent(*this, other); }

CTaDBActionDisconnect::~CTaDBActionDisconnect() = default;

template <>
const ColumnMap<CTaDBActionDisconnect>& ColumnMapOf<CTaDBActionDisconnect>() {
    using R = CTaDBActionDisconnect;
    static const ColumnMap<R> map{"ActionDisconnectTable", "ACTION_UUID",
                                  Columns<R>({ActionHeadColumns<R>(),
                                              {{"CONNECT_TYPE", &R::m_strConnectType},
                                               {"SIGNAL_UUID", &R::m_strSignalUuid},
                                               {"INSTRU_CONTENT", &R::m_strInstruContent},
                                               {"UUT_CONTENT", &R::m_strUutContent}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
