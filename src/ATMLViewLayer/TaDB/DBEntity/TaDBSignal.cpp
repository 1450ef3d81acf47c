#include "ATMLViewLayer/TaDB/DBEntity/TaDBSignal.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBSignal::CTaDBSignal() {
    m_strSignalUuid = NewKeyText();
    m_strSignalRole = "激励";
    m_strSignalRange = "本地";
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBSignal::operator=(const CTaDBSignal& other) { AssignContent(*this, other); }

CTaDBSignal::~CTaDBSignal() = default;

template <>
const ColumnMap<CTaDBSignal>& ColumnMapOf<CTaDBSignal>() {
    using R = CTaDBSignal;
    static const ColumnMap<R> map{"SignalTable", "SIGNAL_UUID",
                                  Columns<R>({{{"SIGNAL_UUID", &R::m_strSignalUuid},
                                               {"SIGNAL_NAME", &R::m_strSignalName},
                                               {"SIGNAL_ATML_ID", &R::m_strSignalAtmlId},
                                               {"SIGNAL_DESCRIPTION", &R::m_strSignalDescription},
                                               {"SIGNAL_ROLE", &R::m_strSignalRole},
                                               {"SIGNAL_RANGE", &R::m_strSignalRange},
                                               {"TP_UUID", &R::m_strTpUuid}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
