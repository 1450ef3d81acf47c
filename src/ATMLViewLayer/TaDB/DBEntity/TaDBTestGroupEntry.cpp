#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestGroupEntry.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBTestGroupEntry::CTaDBTestGroupEntry() {
    m_strStepUuid = NewKeyText();
    m_nSequence = 0;
    m_strTestType = "测试项目";
    SetReserveDefaults(*this);
}

void CTaDBTestGroupEntry::operator=(const CTaDBTestGroupEntry& other) { AssignContent(*this, other); }

CTaDBTestGroupEntry::~CTaDBTestGroupEntry() = default;

template <>
const ColumnMap<CTaDBTestGroupEntry>& ColumnMapOf<CTaDBTestGroupEntry>() {
    using R = CTaDBTestGroupEntry;
    static const ColumnMap<R> map{"TestGroupEntryTable", "STEP_UUID",
                                  Columns<R>({{{"STEP_UUID", &R::m_strStepUuid},
                                               {"TG_UUID", &R::m_strTgUuid},
                                               {"TEST_UUID", &R::m_strTestUuid},
                                               {"SEQUENCE", &R::m_nSequence},
                                               {"TEST_TYPE", &R::m_strTestType}},
                                              ReserveColumns<R>()})};
    return map;
}
