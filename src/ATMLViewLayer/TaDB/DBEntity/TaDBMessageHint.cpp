#include "ATMLViewLayer/TaDB/DBEntity/TaDBMessageHint.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBMessageHint::CTaDBMessageHint() {
    SetActionHeadDefaults(*this);
    SetReserveDefaults(*this);
}

void CTaDBMessageHint::operator=(const CTaDBMessageHint& other) { AssignContent(*this, other); }

CTaDBMessageHint::~CTaDBMessageHint() = default;

template <>
const ColumnMap<CTaDBMessageHint>& ColumnMapOf<CTaDBMessageHint>() {
    using R = CTaDBMessageHint;
    static const ColumnMap<R> map{"MessageHintTable", "ACTION_UUID",
                                  Columns<R>({ActionHeadColumns<R>(),
                                              {{"MESSAGE", &R::m_strMessage},
                                               {"MESSAGE_FORMAT", &R::m_strMessageFormat},
                                               {"PICTURE_TYPE", &R::m_strPictureType},
                                               {"PARA_UUID_CLICK", &R::m_strParaUuidClick},
                                               {"PARA_UUID_INFO", &R::m_strParaUuidInfo},
                                               {"SHOW_TYPE", &R::m_strShowType}},
                                              ReserveColumns<R>()})};
    return map;
}
