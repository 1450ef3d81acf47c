#include "ATMLViewLayer/TaDB/DBEntity/TaDBInstrument.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBInstrument::CTaDBInstrument() {
    SetActionHeadDefaults(*this);
    SetReserveDefaults(*this);
}

void CTaDBInstrument::operator=(const CTaDBInstrument& other) { AssignContent(*this, other); }

CTaDBInstrument::~CTaDBInstrument() = default;

template <>
const ColumnMap<CTaDBInstrument>& ColumnMapOf<CTaDBInstrument>() {
    using R = CTaDBInstrument;
    static const ColumnMap<R> map{"InstrumentTable", "ACTION_UUID",
                                  Columns<R>({ActionHeadColumns<R>(),
                                              {{"INSTRU_TYPE", &R::m_strInstruType},
                                               {"IVI_INSTRU_TYPE", &R::m_strIviInstruType},
                                               {"SELF_INSTRU_TYPE", &R::m_strSelfInstruType},
                                               {"IVI_LOGICAL_NAME", &R::m_strIviLogicalName},
                                               {"INSTRU_ADDRESS", &R::m_strInstruAddress},
                                               {"INSTRU_CONTENT", &R::m_strInstruContent},
                                               {"INSTRU_ID", &R::m_strInstruId},
                                               {"PARA_UUID", &R::m_strParaUuid},
                                               {"MEASUREMENT_ID", &R::m_strMeasurementId}},
                                              ReserveColumns<R>()})};
    return map;
}
