#include "ATMLViewLayer/TaDB/DBEntity/TaDBActionConnect.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBActionConnect::CTaDBActionConnect() {
    SetActionHeadDefaults(*this);
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBActionConnect::operator=(const CTaDBActionConnect& other) { AssignContent(*this, other); }

CTaDBActionConnect::~CTaDBActionConnect() = default;

template <>
const ColumnMap<CTaDBActionConnect>& ColumnMapOf<CTaDBActionConnect>() {
    using R = CTaDBActionConnect;
    static const ColumnMap<R> map{"ActionConnectTable", "ACTION_UUID",
                                  Columns<R>({ActionHeadColumns<R>(),
                                              {{"CONNECT_TYPE", &R::m_strConnectType},
                                               {"SIGNAL_UUID", &R::m_strSignalUuid},
                                               {"INSTRU_CONTENT", &R::m_strInstruContent},
                                               {"UUT_CONTENT", &R::m_strUutContent},
                                               {"UUT_BUILD_INSTR", &R::m_strUutBuildInstr},
                                               {"UUT_BUILD_SWITCH", &R::m_strUutBuildSwitch}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
