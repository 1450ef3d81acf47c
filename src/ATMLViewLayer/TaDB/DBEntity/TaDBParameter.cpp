#include "ATMLViewLayer/TaDB/DBEntity/TaDBParameter.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBParameter::CTaDBParameter() {
    m_strParaUuid = NewKeyText();
    m_nNumber = 1;
    m_strParaRange = "本地";
    SetReserveDefaults(*this);
    SetAuditDefaults(*this);
}

void CTaDBParameter::operator=(const CTaDBParameter& other) { AssignContent(*this, other); }

CTaDBParameter::~CTaDBParameter() = default;

template <>
const ColumnMap<CTaDBParameter>& ColumnMapOf<CTaDBParameter>() {
    using R = CTaDBParameter;
    static const ColumnMap<R> map{"ParameterTable", "PARA_UUID",
                                  Columns<R>({{{"PARA_UUID", &R::m_strParaUuid},
                                               {"PARA_NAME", &R::m_strParaName},
                                               {"PARA_ATML_ID", &R::m_strParaAtmlId},
                                               {"PARA_DESCRIPTION", &R::m_strParaDescription},
                                               {"PARA_TYPE", &R::m_strParaType},
                                               {"NUMBER", &R::m_nNumber},
                                               {"PARA_RANGE", &R::m_strParaRange},
                                               {"DATA_VALUE", &R::m_strDataValue},
                                               {"UNIT", &R::m_strUnit},
                                               {"TP_UUID", &R::m_strTpUuid}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
