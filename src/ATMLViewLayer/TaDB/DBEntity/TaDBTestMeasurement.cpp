#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestMeasurement.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

// The test date is left at the zero date; the logger sets it when it records
// the value.
CTaDBTestMeasurement::CTaDBTestMeasurement() {
    m_strTestUuid = NewKeyText();
    m_nNumber = 1;
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBTestMeasurement::operator=(const CTaDBTestMeasurement& other) { AssignContent(*this, other); }

CTaDBTestMeasurement::~CTaDBTestMeasurement() = default;

template <>
const ColumnMap<CTaDBTestMeasurement>& ColumnMapOf<CTaDBTestMeasurement>() {
    using R = CTaDBTestMeasurement;
    static const ColumnMap<R> map{"TestMeasurementTable", "TEST_UUID",
                                  Columns<R>({{{"TEST_UUID", &R::m_strTestUuid},
                                               {"TP_UUID", &R::m_strTpUuid},
                                               {"ACTION_TYPE", &R::m_strActionType},
                                               {"MEAS_NAME", &R::m_strMeasName},
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
