#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestActionEntry.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBTestActionEntry::CTaDBTestActionEntry() {
    m_strStepUuid = NewKeyText();
    m_nSequence = 0;
    SetReserveDefaults(*this);
}

void CTaDBTestActionEntry::operator=(const CTaDBTestActionEntry& other) { AssignContent(*this, other); }

CTaDBTestActionEntry::~CTaDBTestActionEntry() = default;

// The columns in the table's order, which is the order rows are read in.
template <>
const ColumnMap<CTaDBTestActionEntry>& ColumnMapOf<CTaDBTestActionEntry>() {
    using R = CTaDBTestActionEntry;
    static const ColumnMap<R> map{"TestActionEntryTable", "STEP_UUID",
                                  Columns<R>({{{"STEP_UUID", &R::m_strStepUuid},
                                               {"TP_UUID", &R::m_strTpUuid},
                                               {"ACTION_TYPE", &R::m_strActionType},
                                               {"ACTION_UUID", &R::m_strActionUuid},
                                               {"SEQUENCE", &R::m_nSequence}},
                                              ReserveColumns<R>()})};
    return map;
}
