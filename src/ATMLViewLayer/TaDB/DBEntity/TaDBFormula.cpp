#include "ATMLViewLayer/TaDB/DBEntity/TaDBFormula.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBFormula::CTaDBFormula() {
    SetActionHeadDefaults(*this);
    SetReserveDefaults(*this);
}

void CTaDBFormula::operator=(const CTaDBFormula& other) { AssignContent(*this, other); }

CTaDBFormula::~CTaDBFormula() = default;

template <>
const ColumnMap<CTaDBFormula>& ColumnMapOf<CTaDBFormula>() {
    using R = CTaDBFormula;
    static const ColumnMap<R> map{"FormulaTable", "ACTION_UUID",
                                  Columns<R>({ActionHeadColumns<R>(),
                                              {{"FORMULA_INFO", &R::m_strFormulaInfo},
                                               {"PARA_UUID", &R::m_strParaUuid},
                                               {"MEASUREMENT_ID", &R::m_strMeasurementId}},
                                              ReserveColumns<R>()})};
    return map;
}
