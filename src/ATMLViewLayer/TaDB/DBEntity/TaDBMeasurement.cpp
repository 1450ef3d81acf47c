#include "ATMLViewLayer/TaDB/DBEntity/TaDBMeasurement.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

// The test date is left at the zero date: a measurement not yet taken has none.
CTaDBMeasurement::CTaDBMeasurement() {
    m_strMeasUuid = NewKeyText();
    m_nNumber = 1;
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBMeasurement::operator=(const CTaDBMeasurement& other) { AssignContent(*this, other); }

CTaDBMeasurement::~CTaDBMeasurement() = default;

template <>
const ColumnMap<CTaDBMeasurement>& ColumnMapOf<CTaDBMeasurement>() {
    using R = CTaDBMeasurement;
    static const ColumnMap<R> map{"MeasurementTable", "MEAS_UUID",
                                  Columns<R>({{{"MEAS_UUID", &R::m_strMeasUuid},
                                               {"MEAS_NAME", &R::m_strMeasName},
                                               {"MEAS_ATML_ID", &R::m_strMeasAtmlId},
                                               {"MEAS_DESCRIPTION", &R::m_strMeasDescription},
                                               {"MEAS_TYPE", &R::m_strMeasType},
                                               {"NUMBER", &R::m_nNumber},
                                               {"UNIT", &R::m_strUnit},
                                               {"DATA_VALUE", &R::m_strDataValue},
                                               {"TR_UUID", &R::m_strTrUuid},
                                               {"OUTCOME_UUID", &R::m_strOutcomeUuid},
                                               {"ACT_STATE", &R::m_strActState},
                                               {"TR_TEXT", &R::m_strTrText},
                                               {"OUTCOME_TEXT", &R::m_strOutcomeText},
                                               {"TEST_DATE", &R::m_dtTestDate}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
