#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestReplay.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

// Every date of a new entry is the time of its construction, each read by a
// call of its own in declaration order.
CTaDBTestReplay::CTaDBTestReplay() {
    m_strPlayUuid = NewKeyText();
    m_dtPlayDate = COleDateTime::GetCurrentTime();
    m_dtClewDate = COleDateTime::GetCurrentTime();
    m_nMeasNumber = 1;
    m_dtMeasTestDate = COleDateTime::GetCurrentTime();
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBTestReplay::operator=(const CTaDBTestReplay& other) { AssignContent(*this, other); }

CTaDBTestReplay::~CTaDBTestReplay() = default;

template <>
const ColumnMap<CTaDBTestReplay>& ColumnMapOf<CTaDBTestReplay>() {
    using R = CTaDBTestReplay;
    static const ColumnMap<R> map{"TestReplayTable", "PLAY_UUID",
                                  Columns<R>({{{"PLAY_UUID", &R::m_strPlayUuid},
                                               {"PLAY_NAME", &R::m_strPlayName},
                                               {"PLAY_DESCRIPTION", &R::m_strPlayDescription},
                                               {"PLAY_DATE", &R::m_dtPlayDate},
                                               {"PLAY_TYPE", &R::m_strPlayType},
                                               {"CLEW_DATE", &R::m_dtClewDate},
                                               {"CLEW_MESSAGE", &R::m_strClewMessage},
                                               {"CLEW_PARAMETER", &R::m_strClewParameter},
                                               {"MEAS_NAME", &R::m_strMeasName},
                                               {"MEAS_NUMBER", &R::m_nMeasNumber},
                                               {"MEAS_UNIT", &R::m_strMeasUnit},
                                               {"MEAS_DATA_VALUE", &R::m_strMeasDataValue},
                                               {"MEAS_TR_TEXT", &R::m_strMeasTrText},
                                               {"MEAS_OUTCOME_TEXT", &R::m_strMeasOutcomeText},
                                               {"MEAS_TEST_DATE", &R::m_dtMeasTestDate}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
